// The item window: the one place where the Today screen, the system and the
// user reach the plug-in. Each message becomes calls on the engine.
#pragma once

#include <windows.h>

// The reload request of the settings program (the parent's watermark
// request uses the same number, but goes the other way).
inline constexpr UINT WM_RELOADSETTING = WM_USER + 101;

LRESULT CALLBACK ItemWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The item's height for the screen's orientation: setting 19 in portrait,
// 20 in landscape.
int GetItemHeight();
