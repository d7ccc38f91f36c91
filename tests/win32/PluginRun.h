// Helpers of the plug-in's end-to-end tests: the sample installation with the
// built Orvane.dll in "\Program Files\Orvane" of the test drive, the item's
// window in a running emulator, screenshots taken once the item is at rest,
// and the sample's icon images found again in them.
#pragma once

#include "TodayHostRun.h"
#include "engine/LaunchCore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The sample and Orvane.dll copied, fresh, into "\Program Files\Orvane" of the
// current drive: the folder the plug-in reads in the emulator that the test
// starts (it inherits the current folder). The current drive must be the
// test drive T: that scripts/wine-run maps, never C: or the Linux root;
// elsewhere nothing is copied and Ready() is false. Removed again at the end.
class CPluginInstall {
public:
    CPluginInstall();
    ~CPluginInstall();
    CPluginInstall(const CPluginInstall&) = delete;
    CPluginInstall& operator=(const CPluginInstall&) = delete;

    bool Ready() const { return m_bReady; }
    // Full paths: "T:\Program Files\Orvane", a file in it.
    const std::wstring& Folder() const { return m_strFolder; }
    std::wstring File(const std::wstring& name) const { return m_strFolder + L"\\" + name; }
    std::wstring Dll() const { return File(L"Orvane.dll"); }
    // The emulator's options for these items (a comma-separated list) over
    // the installation's wallpaper.
    std::wstring HostOptions(const std::wstring& only) const
    {
        return L"--only " + only + L" --wallpaper \"" + File(L"Wallpaper.png") + L"\"";
    }
    bool Write(const std::wstring& name, const std::string& bytes) const;

private:
    std::wstring m_strFolder;
    bool m_bReady = false;
};

// The emulator's screen and the item window of class "Orvane" in it; null
// when there is none.
HWND TodayScreenWindow();
HWND PluginWindow();
// WM_RELOADSETTING from this process, as the settings program sends it.
bool SendReloadSetting(HWND item);

// A command that must succeed: its "ok" line, or a failure that names it.
::testing::AssertionResult CommandOk(CTodayHostRun& run, const std::string& command, std::string* answer = nullptr);
// Screenshots every 200 ms until three in a row agree below the title strip
// (whose clock changes by itself): the item has come to rest.
::testing::AssertionResult SettledShot(CTodayHostRun& run, const std::wstring& path, CShot& shot);
// The item deselected and selected again, then settled as above: its page
// as a fresh selection draws it.
::testing::AssertionResult SelectedShot(CTodayHostRun& run, const std::wstring& item, const std::wstring& path,
                                        CShot& shot);
::testing::AssertionResult Screenshot(CTodayHostRun& run, const std::wstring& path, CShot& shot);

// An image file's pixels, 0xAARRGGBB premultiplied, as the plug-in draws them.
struct CIconPicture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> argb;
};
bool LoadIconPicture(const std::wstring& path, CIconPicture& picture);

// The share of the picture's opaque pixels that the shot shows unchanged
// with the picture's top-left corner at (left, top).
double OpaqueMatch(const CShot& shot, const CIconPicture& picture, int left, int top);
struct CFound {
    int left = 0, top = 0;
    double match = 0;
};
// The best place for the picture within radius pixels of (left, top).
CFound FindPicture(const CShot& shot, const CIconPicture& picture, int left, int top, int radius);

// The caption band's height as the item measures it: the probe text in the
// given caption font.
int CaptionBandHeight(const CaptionFontSpec& spec);

// A fresh folder for the current test's screenshots and records:
// "<current folder>\<group>\<test name>" ('/' of parameterised names as '_').
std::wstring TestOutputFolder(const wchar_t* group);

// ASCII paths and names for script lines.
std::string NarrowText(const std::wstring& text);
