// The window that stands for the device's desktop (Windows builds only): the
// Today screen's "DesktopExplorerWindow" when one runs (on the device, or the
// emulator on a PC), else the system's desktop window.
#pragma once

#include <windows.h>

HWND TodayDesktopWindow();
