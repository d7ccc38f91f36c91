// System facts the core asks for: the UI language, the fonts of the screen,
// the desktop window and the screen size.
//
// On Windows these are real calls. The desktop window is the Today screen's
// "DesktopExplorerWindow" when one runs (the emulator), else the system's
// desktop. The screen is the device's screen: the emulator can announce its
// own, since the PC's screen is not the device's. The native build answers
// from stand-in values that tests set.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct FontFamily {
    std::wstring face;
    std::uint8_t pitchAndFamily = 0;
};

std::uint16_t SystemUILanguage();
// Font families of the default character set on the screen, in enumeration
// order, each face once.
std::vector<FontFamily> EnumScreenFontFamilies();
// The desktop window's rectangle; false when there is no desktop window.
bool GetDesktopRect(ScreenRect& rect);
// Width and height of the device screen.
void GetScreenSize(int& width, int& height);

// Native stand-ins (no effect on Windows, where the system answers).
void SetStandInUILanguage(std::uint16_t langId);
void SetStandInFonts(const std::vector<FontFamily>& fonts);
void SetStandInDesktop(const ScreenRect* rect);  // null: no desktop window
