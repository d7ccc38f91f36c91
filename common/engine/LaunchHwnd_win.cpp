#include "engine/LaunchHwnd_win.h"

void CLaunchHwnd::SetTimer(unsigned id, unsigned intervalMs) { ::SetTimer(m_hWnd, id, intervalMs, nullptr); }

void CLaunchHwnd::KillTimer(unsigned id) { ::KillTimer(m_hWnd, id); }

// The background is the engine's to draw: never erased.
void CLaunchHwnd::Invalidate() { ::InvalidateRect(m_hWnd, nullptr, FALSE); }

void CLaunchHwnd::Update() { ::UpdateWindow(m_hWnd); }

int CLaunchHwnd::ClientWidth() const
{
    RECT rc = {};
    if (!::GetClientRect(m_hWnd, &rc))
        return 0;
    return rc.right - rc.left;
}

ScreenRect CLaunchHwnd::WindowRect() const
{
    RECT rc = {};
    if (!::GetWindowRect(m_hWnd, &rc))
        return {};
    return {rc.left, rc.top, rc.right, rc.bottom};
}
