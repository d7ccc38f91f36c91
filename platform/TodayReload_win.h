// Asking the Today screen to reload its items (Windows builds only):
// WM_WININICHANGE with wParam 0xF2 to TodayDesktopWindow().
//
// The device posts it when the sender must not wait. Windows on a PC refuses
// to post or notify WM_WININICHANGE (ERROR_MESSAGE_SYNC_ONLY: its lParam may
// point to a string), so there the post becomes a send that gives up at once
// on a hung window and after a second otherwise; the message is delivered
// all the same.
#pragma once

#include <windows.h>

inline constexpr WPARAM kTodayReloadItems = 0xF2;

// Waits until the screen has handled it; false when it has not within timeoutMs.
bool SendTodayReload(UINT timeoutMs);
bool PostTodayReload();
