#include "Gesture_win.h"

#include <cstdlib>

namespace {

bool IsPointerMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

// A move within the system's drag rectangle around the point of the down.
bool StaysPut(const MSG& msg, POINT down)
{
    const int x = static_cast<short>(LOWORD(msg.lParam)), y = static_cast<short>(HIWORD(msg.lParam));
    return msg.message == WM_MOUSEMOVE && std::abs(x - down.x) <= ::GetSystemMetrics(SM_CXDRAG) &&
           std::abs(y - down.y) <= ::GetSystemMetrics(SM_CYDRAG);
}

enum class Seen { Nothing, Ended };

// Handles what is queued now: other windows' messages as usual, the
// client's still moves used up. Ended when a pointer message ends the
// gesture (it stays queued) or the loop must end (WM_QUIT stays queued too).
Seen Pump(const SHRGINFO& info)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return Seen::Ended;
        if (msg.hwnd == info.hwndClient && IsPointerMessage(msg.message)) {
            if (!StaysPut(msg, info.ptDown))
                return Seen::Ended;
            ::PeekMessageW(&msg, info.hwndClient, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
            continue;
        }
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (!::IsWindow(info.hwndClient))
            return Seen::Ended;
    }
    return Seen::Nothing;
}

}  // namespace

DWORD SHRecognizeGesture(SHRGINFO* info)
{
    if (!info || info->cbSize < sizeof(SHRGINFO) || !::IsWindow(info->hwndClient))
        return 0;
    const DWORD hold = (info->dwFlags & SHRG_LONGDELAY) ? kLongHoldMs : kHoldMs;
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (Pump(*info) == Seen::Ended)
            return 0;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= hold)
            return GN_CONTEXTMENU;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, hold - elapsed, QS_ALLINPUT);
    }
}
