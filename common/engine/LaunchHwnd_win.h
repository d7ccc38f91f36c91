// The engine's view of a real item window: its timers, its repainting and
// its client width. The window belongs to whoever created it.
#pragma once

#include "engine/LaunchWindow.h"

#include <windows.h>

class CLaunchHwnd final : public CLaunchWindow {
public:
    explicit CLaunchHwnd(HWND hwnd) : m_hWnd(hwnd) {}
    CLaunchHwnd(const CLaunchHwnd&) = delete;
    CLaunchHwnd& operator=(const CLaunchHwnd&) = delete;

    void SetTimer(unsigned id, unsigned intervalMs) override;
    void KillTimer(unsigned id) override;
    void Invalidate() override;
    void Update() override;
    int ClientWidth() const override;
    ScreenRect WindowRect() const override;
    std::uintptr_t NativeHandle() const override { return reinterpret_cast<std::uintptr_t>(m_hWnd); }

    HWND Hwnd() const { return m_hWnd; }

private:
    HWND m_hWnd;
};
