// The shell's tap-and-hold recogniser (Windows builds only). Called on a
// pointer down or move, it runs a modal loop until the stylus is released,
// moves away or has stayed down and still for the hold time. Messages of
// other windows and timers go on being handled meanwhile. Moves within the
// drag threshold are used up; the release or move that ends the gesture is
// left in the queue, so the window handles it as usual.
#pragma once

#include <windows.h>

struct SHRGINFO {
    DWORD cbSize;
    HWND hwndClient;  // the window the stylus went down on
    POINT ptDown;     // in its client coordinates
    DWORD dwFlags;
};

enum : DWORD {
    SHRG_RETURNCMD = 0x01,     // return the gesture instead of notifying
    SHRG_NOTIFYPARENT = 0x02,  // not supported here: nothing is sent
    SHRG_LONGDELAY = 0x08,     // wait the longer hold time
};
inline constexpr DWORD GN_CONTEXTMENU = 1000;

// Hold times of the stand-in.
inline constexpr DWORD kHoldMs = 500;
inline constexpr DWORD kLongHoldMs = 1000;

// GN_CONTEXTMENU when the stylus was held, else 0.
DWORD SHRecognizeGesture(SHRGINFO* info);
