// The plug-in's application object: one per loaded module. It owns the
// engine, registers the item window class and starts and ends the engine.
#pragma once

#include "engine/Launch_win.h"

#include <windows.h>

inline constexpr wchar_t kItemClassName[] = L"Orvane";

class COrvaneApp {
public:
    COrvaneApp() = default;
    COrvaneApp(const COrvaneApp&) = delete;
    COrvaneApp& operator=(const COrvaneApp&) = delete;

    // Run once, on the host's thread, before the first item window: the
    // window class. Not from DllMain: nothing heavy under the loader lock.
    BOOL InitInstance(HINSTANCE instance);
    // Run when the module is unloaded.
    int ExitInstance();
    // COM for the imaging library, taken by each item window on the thread
    // that creates it and given back when the window is destroyed: never
    // under the loader lock of the module's unloading.
    void HoldCom(HWND hwnd);
    void ReleaseCom(HWND hwnd);
    bool Started() const { return m_bStarted; }

    // The engine for a (new or reloading) item window, and its end.
    void Start(HWND hwnd);
    void End();

    CLaunch m_Launch;
    HINSTANCE m_hInstance = nullptr;

private:
    bool m_bStarted = false;
};

COrvaneApp& TheApp();

// The exported class of the module: no data; its copy assignment is part of
// the module's interface.
class COrvane {
public:
    COrvane& operator=(const COrvane& other);
};
