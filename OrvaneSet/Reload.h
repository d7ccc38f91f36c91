// Telling the launchers that their configuration changed on disk.
#pragma once

#include <windows.h>

// The reload request the plug-in's item windows (class "Orvane") and the
// sibling launcher's window answer.
inline constexpr UINT WM_RELOADSETTING = WM_USER + 101;

// The sibling launcher ("Tarlise"), then after a pause every item window
// of class "Orvane" under the Today screen's desktop window. A window that
// does not answer within a second is passed over.
void NotifyReload();
// The second half alone: every item window of class "Orvane" under the
// Today screen's desktop window; the number of windows asked.
int ReloadItems();
