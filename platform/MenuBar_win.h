// The shell library's parts that the settings program uses (Windows builds
// only): its extra dialog controls, the menu bar of a dialog and the
// override of the hardware Back key.
//
// On the device the menu bar is the shell's soft-key bar at the bottom of
// the screen. A PC has no such shell; the stand-in is a bar along the
// bottom of the parent window with one soft key per top-level item of the
// menu: a tap on a key sends the parent WM_COMMAND with the item's id (a
// popup item opens its menu above the key, and the chosen item's id is
// sent). A key of the device the bar is told to override (the Back key is
// VK_ESCAPE) then no longer reaches the focused window: the parent gets
// WM_HOTKEY with the key in the high word of lParam and MOD_KEYUP in the
// low word for a release, as the shell sends it.
#pragma once

#include <windows.h>

#include <string>

// The fields of the shell's menu-bar request that a program fills.
struct SHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;   // with SHCMBF_HMENU: unused, the menu is in hMenu
    HINSTANCE hInstRes;
    HMENU hMenu;       // the device passes the handle in nToolBarId; 64 bits do not fit
    HWND hwndMB;       // out: the bar
};
inline constexpr DWORD SHCMBF_HMENU = 0x0010;  // the menu comes as a handle; the bar owns it then

// The override request sent to the bar: wParam the virtual key, lParam
// MAKELPARAM(mask, value) of the flags below.
inline constexpr UINT SHCMBM_OVERRIDEKEY = WM_USER + 403;
inline constexpr WORD SHMBOF_NODEFAULT = 0x0001;  // the key does nothing else
inline constexpr WORD SHMBOF_NOTIFY = 0x0002;     // the parent gets WM_HOTKEY
inline constexpr UINT VK_TBACK = VK_ESCAPE;
// In WM_HOTKEY's modifiers: the key was released.
#ifndef MOD_KEYUP
#define MOD_KEYUP 0x1000
#endif

// The extra controls: common controls for dialogs, and the bar's class.
BOOL SHInitExtraControls();
// Creates the bar; FALSE when it cannot be made (no bar then).
BOOL SHCreateMenuBar(SHMENUBARINFO* info);

// The height the parent's bar takes at its bottom; 0 without a bar.
int MenuBarHeight(HWND parent);
// The parent's bar, or null.
HWND FindMenuBar(HWND parent);
// Where the bar's key number index lies, in the bar's client coordinates
// (what a test taps), and what it says.
bool SoftKeyRect(HWND bar, int index, RECT& rect);
std::wstring SoftKeyText(HWND bar, int index);
