// A user's taps on the settings program's controls, as messages: used by
// setdrive inside the program and by the tests, which drive it the same way.
#pragma once

#include <windows.h>

// Taps tab index of a tab control (scrolled into view first, as its arrows
// would); true when the tab control then shows it. Sent: the tab change
// has happened on return.
bool TapTab(HWND tab, int index);
// Taps soft key number key (0 the left one) of a soft-key bar. Posted: what
// the key opens runs in the program's own loop.
bool PostSoftKeyTap(HWND bar, int key);
