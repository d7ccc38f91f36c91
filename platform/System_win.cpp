#include "System.h"

#include "Desktop_win.h"

#include <windows.h>

namespace {

int CALLBACK AddFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param)
{
    auto* fonts = reinterpret_cast<std::vector<FontFamily>*>(param);
    for (const FontFamily& f : *fonts)
        if (f.face == lf->lfFaceName)
            return 1;  // enumerated once more for another character set
    fonts->push_back({lf->lfFaceName, lf->lfPitchAndFamily});
    return 1;
}

}  // namespace

HWND TodayDesktopWindow()
{
    HWND today = ::FindWindowW(L"DesktopExplorerWindow", nullptr);
    return today ? today : ::GetDesktopWindow();
}

std::uint16_t SystemUILanguage() { return ::GetSystemDefaultUILanguage(); }

std::vector<FontFamily> EnumScreenFontFamilies()
{
    std::vector<FontFamily> fonts;
    HDC dc = ::GetDC(nullptr);
    if (!dc)
        return fonts;
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(dc, &lf, AddFamily, reinterpret_cast<LPARAM>(&fonts), 0);
    ::ReleaseDC(nullptr, dc);
    return fonts;
}

bool GetDesktopRect(ScreenRect& rect)
{
    HWND desktop = TodayDesktopWindow();
    RECT rc;
    if (!desktop || !::GetWindowRect(desktop, &rc))
        return false;
    rect = {rc.left, rc.top, rc.right, rc.bottom};
    return true;
}

void GetScreenSize(int& width, int& height)
{
    // The Today emulator's client area is the device screen; the PC's is not.
    RECT rc;
    HWND today = ::FindWindowW(L"DesktopExplorerWindow", nullptr);
    if (today && ::GetClientRect(today, &rc)) {
        width = rc.right;
        height = rc.bottom;
        return;
    }
    width = ::GetSystemMetrics(SM_CXSCREEN);
    height = ::GetSystemMetrics(SM_CYSCREEN);
}

void SetStandInUILanguage(std::uint16_t) {}
void SetStandInFonts(const std::vector<FontFamily>&) {}
void SetStandInDesktop(const ScreenRect*) {}
