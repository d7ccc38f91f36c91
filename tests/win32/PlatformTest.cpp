// The Windows half of platform/ and what the core makes of it under Wine:
// real fonts, the Today desktop window, the declared storage cards.
#include "DeviceSandbox.h"
#include "Desktop_win.h"
#include "FileSys.h"
#include "MemCards.h"
#include "System.h"
#include "config/FontList.h"
#include "config/Folders.h"
#include "config/Setting.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace {

// A top-level window of the Today screen's class, as the emulator makes it.
class CTodayDesktop {
public:
    CTodayDesktop(int width, int height)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"DesktopExplorerWindow";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowExW(0, wc.lpszClassName, L"Desktop", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~CTodayDesktop()
    {
        ::DestroyWindow(m_hWnd);
        ::UnregisterClassW(L"DesktopExplorerWindow", ::GetModuleHandleW(nullptr));
    }
    CTodayDesktop(const CTodayDesktop&) = delete;
    CTodayDesktop& operator=(const CTodayDesktop&) = delete;
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

}  // namespace

TEST(Win32Platform, ScreenFontsAreRealAndTheFallbackIsInstalled)
{
    const std::vector<FontFamily> fonts = EnumScreenFontFamilies();
    ASSERT_FALSE(fonts.empty());
    bool tahoma = false, fixed = false;
    for (const FontFamily& f : fonts) {
        tahoma = tahoma || f.face == L"Tahoma";
        fixed = fixed || (f.pitchAndFamily & 1);
        EXPECT_FALSE(f.face.empty());
    }
    EXPECT_TRUE(tahoma) << "the prefix set-up installs Tahoma";
    EXPECT_TRUE(fixed);

    // A caption font that is not installed is replaced by a face that is.
    CDeviceSandbox dev;
    dev.MakeInstallation(kInstallFolder);
    dev.WriteFile(L"\\Program Files\\Orvane\\Orvane.ini", "CaptionFont=90;No Such Face\r\n");
    FontList().Fill(fonts);
    CSetting setting;
    ASSERT_EQ(1, setting.Load());
    const std::wstring value = setting.GetStr(Set::CaptionFont);
    ASSERT_EQ(0u, value.find(L"90;"));
    EXPECT_TRUE(FontList().Contains(value.substr(3)));
    EXPECT_GE(DefaultFontIndex(), 0);
}

TEST(Win32Platform, TheTodayScreenIsTheDesktopWhileItRuns)
{
    CDeviceSandbox dev;
    dev.MakeInstallation(kInstallFolder);

    EXPECT_EQ(::GetDesktopWindow(), TodayDesktopWindow());
    ScreenRect system;
    ASSERT_TRUE(GetDesktopRect(system));
    EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), system.Width());

    CTodayDesktop today(480, 640);
    ASSERT_NE(nullptr, today.Handle());
    EXPECT_EQ(today.Handle(), TodayDesktopWindow());
    ScreenRect rect;
    ASSERT_TRUE(GetDesktopRect(rect));
    EXPECT_EQ(480, rect.Width());
    EXPECT_EQ(640, rect.Height());

    // The automatic screen size follows the Today screen, not the PC's.
    CSetting setting;
    setting.Load();
    EXPECT_EQ(480, setting.GetNum(Set::ScreenSize));
    EXPECT_EQ(300, setting.GetNum(Set::HeightPortrait));
    EXPECT_EQ(300, setting.GetNum(Set::HeightLandscape));
}

TEST(Win32Platform, CardsComeFromTheDeclarationWithoutTheNoteLibrary)
{
    ASSERT_EQ(nullptr, ::LoadLibraryW(L"Note_prj.dll"));  // no device library on a PC
    ForgetDeclaredMemCards();
    _wputenv_s(L"ORVANE_MEMCARDS", L"Storage Card;SD Card");
    EXPECT_EQ((std::vector<std::wstring>{L"Storage Card", L"SD Card"}), EnumFlashCardNames());
    _wputenv_s(L"ORVANE_MEMCARDS", L"");
    EXPECT_TRUE(EnumFlashCardNames().empty());
    DeclareMemCards({L"Card"});
    EXPECT_EQ(std::vector<std::wstring>{L"Card"}, EnumFlashCardNames());
    ForgetDeclaredMemCards();
}

// The shell resolves a root-relative name against a drive of its own
// choosing: every device path leaves platform/ whole, on the drive of the
// current folder, as GetFullPathNameW makes it.
TEST(Win32Platform, RootRelativePathsAreMadeWholeOnTheCurrentDrive)
{
    ClearDeviceMounts();
    wchar_t saved[MAX_PATH] = {};
    const DWORD n = ::GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(n > 2 && n < MAX_PATH && saved[1] == L':');
    for (const wchar_t* folder : {L"C:\\windows", static_cast<const wchar_t*>(saved)}) {
        SCOPED_TRACE(testing::Message() << static_cast<char>(folder[0]));
        ASSERT_TRUE(::SetCurrentDirectoryW(folder));
        const std::wstring drive(folder, 2);
        EXPECT_EQ(drive + L"\\Program Files\\X", MapDevicePath(L"\\Program Files\\X"));
        EXPECT_EQ(drive + L"\\Storage Card\\a b.txt", MapDevicePath(L"/Storage Card/a b.txt"));
        EXPECT_EQ(drive + L"\\", MapDevicePath(L"\\"));
    }
    ASSERT_TRUE(::SetCurrentDirectoryW(saved));
    // Names that are whole already, or relative, stay as they are.
    for (const wchar_t* path : {L"C:\\Program Files\\X", L"\\\\server\\share\\X", L"Icon\\Notes.png", L""})
        EXPECT_EQ(std::wstring(path), MapDevicePath(path));
}
