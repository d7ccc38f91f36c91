#include "ItemWindow.h"

#include "OrvaneApp.h"
#include "TodayItem_win.h"
#include "base/Log.h"
#include "engine/LaunchHwnd_win.h"

namespace {

const wchar_t* const kLog = L"Orvane.log";

CLaunch& Engine() { return TheApp().m_Launch; }

LRESULT OnCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log(kLog, L"WM_CREATE");
    TheApp().HoldCom(hwnd);
    TheApp().Start(hwnd);
    Log(kLog, L"WM_CREATE END");
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT OnPaint(HWND hwnd)
{
    Log(kLog, L"WM_PAINT");
    CLaunch& launch = Engine();
    CLaunchHwnd wnd(hwnd);
    const std::uint8_t landscape = launch.ScreenIsLandscape() ? 1 : 0;
    if (launch.m_bInit && landscape != launch.m_bLandscape) {
        Log(kLog, L"WM_PAINT %d %d", launch.m_bLandscape, landscape);
        launch.m_bLandscape = landscape;
        launch.SetCurTab(wnd, -1);  // the page again, on the sheet of the new orientation
    }
    if (launch.m_bInit) {
        launch.Display(hwnd);
        launch.AfterDisplay(wnd);
    } else {
        ::ValidateRect(hwnd, nullptr);  // nothing to draw; do not ask again
    }
    Log(kLog, L"WM_PAINT END");
    return 0;
}

LRESULT OnEraseBackground()
{
    Log(kLog, L"WM_ERASEBKGND %d", Engine().m_bRebuild);
    Engine().m_bRebuild = 1;
    Log(kLog, L"WM_ERASEBKGND END");
    return 1;  // the frame covers everything: nothing is erased
}

LRESULT OnWindowPosChanged(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    const UINT flags = pos ? pos->flags : 0;
    Log(kLog, L"WM_WINDOWPOSCHANGED flg:%x", flags);
    if (flags & SWP_SHOWWINDOW)
        Engine().OnShown();
    if (flags & SWP_HIDEWINDOW)
        Engine().OnHidden();
    Log(kLog, L"WM_WINDOWPOSCHANGED END");
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT OnTimer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log(kLog, L"WM_TIMER - %d", static_cast<unsigned>(wParam));
    CLaunchHwnd wnd(hwnd);
    if (wParam == TIMER_REDRAW) {
        Log(kLog, L"WM_TIMER - Redraw");
        Engine().OnRedrawTimer(wnd);
    } else if (wParam == TIMER_TASK) {
        Log(kLog, L"WM_TIMER - Task");
        Engine().OnTaskTimer(wnd);
    }
    Log(kLog, L"WM_TIMER END");
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT OnReload(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TheApp().End();
    TheApp().Start(hwnd);
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The shell is not ready while its start-up event exists unsignalled.
bool ShellNotReady()
{
    HANDLE ready = ::OpenEventW(SYNCHRONIZE, FALSE, L"SYSTEM/ShellAPIReady");
    if (!ready)
        return false;
    const bool waiting = ::WaitForSingleObject(ready, 0) == WAIT_TIMEOUT;
    ::CloseHandle(ready);
    return waiting;
}

LRESULT OnQueryRefreshCache(LPARAM lParam)
{
    Log(kLog, L"WM_TODAYCUSTOM_QUERYREFRESHCACHE");
    auto* item = reinterpret_cast<TODAYLISTITEM*>(lParam);
    if (!item || ShellNotReady()) {
        Log(kLog, L"WM_TODAYCUSTOM_QUERYREFRESHCACHE FALSE");
        return 0;
    }
    const int height = GetItemHeight();
    const bool changed = height >= 0 && static_cast<DWORD>(height) != item->cyp;
    if (changed)
        item->cyp = static_cast<DWORD>(height);
    Log(kLog, L"WM_TODAYCUSTOM_QUERYREFRESHCACHE %d", changed ? 1 : 0);
    return changed ? 1 : 0;
}

LRESULT OnReceivedSelection(HWND hwnd)
{
    Log(kLog, L"WM_TODAYCUSTOM_RECEIVEDSELECTION");
    CLaunchHwnd wnd(hwnd);
    Engine().OnSelectionReceived(wnd);
    Log(kLog, L"WM_TODAYCUSTOM_RECEIVEDSELECTION END FrameCount:%d", Engine().m_nFrame);
    return 1;
}

LRESULT OnLostSelection(HWND hwnd)
{
    Log(kLog, L"WM_TODAYCUSTOM_LOSTSELECTION");
    CLaunchHwnd wnd(hwnd);
    Engine().OnSelectionLost(wnd);
    Log(kLog, L"WM_TODAYCUSTOM_LOSTSELECTION END");
    return 1;
}

// Pointer messages carry the point as two unsigned 16-bit words.
int PointX(LPARAM lParam) { return LOWORD(static_cast<DWORD>(lParam)); }
int PointY(LPARAM lParam) { return HIWORD(static_cast<DWORD>(lParam)); }

LRESULT OnPointerMove(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log(kLog, L"WM_MOUSEMOVE");
    CLaunch& launch = Engine();
    const int x = PointX(lParam), y = PointY(lParam);
    if (launch.m_bGestureTaken == 1) {
        launch.m_bGestureTaken = 0;  // the move that follows a hold gesture
    } else if (x != launch.m_nDragX || y != launch.m_nDragY) {
        CLaunchHwnd wnd(hwnd);
        launch.TrackPointer(wnd, x, y, false);
    }
    Log(kLog, L"WM_MOUSEMOVE END");
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT OnPointerDown(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log(kLog, L"WM_LBUTTONDOWN");
    CLaunch& launch = Engine();
    if (launch.m_bGestureTaken != 1) {
        CLaunchHwnd wnd(hwnd);
        launch.TrackPointer(wnd, PointX(lParam), PointY(lParam), true);
    }
    Log(kLog, L"WM_LBUTTONDOWN END");
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT OnPointerUp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log(kLog, L"WM_LBUTTONUP");
    CLaunch& launch = Engine();
    if (launch.m_bGestureTaken == 1) {
        launch.m_bGestureTaken = 0;
    } else {
        // A tap makes the Today screen select this item first.
        ::SendMessageW(::GetParent(hwnd), TODAYM_TOOKSELECTION, reinterpret_cast<WPARAM>(hwnd), 0);
        CLaunchHwnd wnd(hwnd);
        launch.ReleasePointer(wnd, PointX(lParam), PointY(lParam));
    }
    Log(kLog, L"WM_LBUTTONUP END");
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The task menus' commands: switch, close or cancel.
LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CLaunchHwnd wnd(hwnd);
    if (Engine().OnTaskCommand(wnd, LOWORD(wParam))) {
        ::InvalidateRect(hwnd, nullptr, FALSE);
        ::UpdateWindow(hwnd);
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT OnUserNavigation(HWND hwnd, WPARAM wParam)
{
    CLaunch& launch = Engine();
    CLaunchHwnd wnd(hwnd);
    if (launch.NavigateKey(wnd, static_cast<unsigned>(wParam)) == 1)
        return 0;  // the Today screen moves its selection on
    launch.SetDrawTimer(wnd, TIMER_REDRAW, true, false);
    ::InvalidateRect(hwnd, nullptr, FALSE);
    ::UpdateWindow(hwnd);
    return 1;
}

LRESULT OnAction(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CLaunch& launch = Engine();
    CLaunchHwnd wnd(hwnd);
    launch.ActOnFocusIcon(wnd);
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int GetItemHeight() { return Engine().ItemHeight(); }

LRESULT CALLBACK ItemWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Log(kLog, L"WndProc\u3000MSG:%d", msg);
    switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, msg, wParam, lParam);
    case WM_DESTROY:
        Log(kLog, L"WM_DESTROY");
        TheApp().ReleaseCom(hwnd);
        Log(kLog, L"WM_DESTROY END");
        return 0;
    case WM_PAINT: return OnPaint(hwnd);
    case WM_ERASEBKGND: return OnEraseBackground();
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(hwnd, msg, wParam, lParam);
    case WM_TIMER: return OnTimer(hwnd, msg, wParam, lParam);
    case WM_RELOADSETTING: return OnReload(hwnd, msg, wParam, lParam);
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: return OnQueryRefreshCache(lParam);
    case WM_TODAYCUSTOM_RECEIVEDSELECTION: return OnReceivedSelection(hwnd);
    case WM_TODAYCUSTOM_LOSTSELECTION: return OnLostSelection(hwnd);
    case WM_TODAYCUSTOM_USERNAVIGATION: return OnUserNavigation(hwnd, wParam);
    case WM_TODAYCUSTOM_ACTION: return OnAction(hwnd, msg, wParam, lParam);
    case WM_MOUSEMOVE: return OnPointerMove(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN: return OnPointerDown(hwnd, msg, wParam, lParam);
    case WM_LBUTTONUP: return OnPointerUp(hwnd, msg, wParam, lParam);
    case WM_COMMAND: return OnCommand(hwnd, msg, wParam, lParam);
    default: return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}
