// What the engine needs of the item window: its two timers, repainting, its
// width and where it stands on the screen. The plug-in implements it over a
// real window; tests and tools over a recorder.
#pragma once

#include "System.h"

#include <cstdint>

enum : unsigned {
    TIMER_REDRAW = 100,  // the next animation frame (one-shot in effect)
    TIMER_TASK = 101,    // task list, registry captions and panels, every 100 ms
};

class CLaunchWindow {
public:
    virtual void SetTimer(unsigned id, unsigned intervalMs) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // The whole client area becomes invalid, without erasing.
    virtual void Invalidate() = 0;
    // Paints what is invalid, now.
    virtual void Update() = 0;
    virtual int ClientWidth() const = 0;
    // The window's rectangle in screen coordinates; the edge zones and the
    // task menus go by it. One that knows no better stands at the origin.
    virtual ScreenRect WindowRect() const { return {0, 0, ClientWidth(), 0}; }
    // The system's handle of the window (an HWND); 0 for one that has none.
    virtual std::uintptr_t NativeHandle() const { return 0; }

protected:
    ~CLaunchWindow() = default;
};
