// The stand-in of the shell's hold gesture.
#include "Gesture_win.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_APP)
        ::SetPropW(hwnd, L"OrvSeen", reinterpret_cast<HANDLE>(1));
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

// What is queued when the gesture is asked for decides; what ends it stays
// queued for the window, and other windows' messages are handled meanwhile.
TEST(HoldGesture, HeldStillIsAHoldAReleaseOrAMoveAwayIsNot)
{
    const int slack = ::GetSystemMetrics(SM_CXDRAG);
    struct Case {
        const char* what;
        UINT msg;  // 0: nothing queued
        int dx;
        DWORD result;
    } cases[] = {
        {"held", 0, 0, GN_CONTEXTMENU},
        {"released", WM_LBUTTONUP, 0, 0},
        {"moved within the slack", WM_MOUSEMOVE, slack, GN_CONTEXTMENU},
        {"moved away", WM_MOUSEMOVE, slack + 1, 0},
        {"another window's message meanwhile", WM_APP, 0, GN_CONTEXTMENU},
    };
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvGestureProbe";
    ::RegisterClassW(&wc);
    HWND client = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, wc.hInstance, nullptr);
    HWND other = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr, wc.hInstance, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::PostMessageW(c.msg == WM_APP ? other : client, c.msg ? c.msg : WM_NULL, 0, MAKELPARAM(20 + c.dx, 30));
        SHRGINFO info = {sizeof(info), client, {20, 30}, SHRG_RETURNCMD};
        EXPECT_EQ(c.result, SHRecognizeGesture(&info));
        MSG msg;
        const bool left = ::PeekMessageW(&msg, client, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) != FALSE;
        EXPECT_EQ(c.result == 0, left && msg.message == c.msg) << "what ended it is the window's";
        EXPECT_EQ(c.msg == WM_APP, ::RemovePropW(other, L"OrvSeen") != nullptr);
    }
    SHRGINFO gone = {sizeof(gone), nullptr, {0, 0}, SHRG_RETURNCMD};
    EXPECT_EQ(0u, SHRecognizeGesture(&gone));
    ::DestroyWindow(client);
    ::DestroyWindow(other);
}
