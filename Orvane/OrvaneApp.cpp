#include "OrvaneApp.h"

#include "ItemWindow.h"
#include "base/Log.h"
#include "engine/IconImage_win.h"
#include "engine/LaunchHwnd_win.h"

#include <objbase.h>

COrvaneApp& TheApp()
{
    static COrvaneApp app;
    return app;
}

BOOL COrvaneApp::InitInstance(HINSTANCE instance)
{
    m_hInstance = instance;
    // COM for the imaging library; the host may have chosen another model
    // for its thread already, which serves as well.
    m_bComInitialised = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    m_Launch.m_hInstance = instance;
    Log(L"Orvane.log", L"InitInstance %x, %x", static_cast<const void*>(instance), ::GetCurrentThreadId());

    WNDCLASSW wc = {};
    wc.style = 0;
    wc.lpfnWndProc = ItemWindowProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kItemClassName;
    ::RegisterClassW(&wc);
    m_bStarted = true;
    return TRUE;
}

int COrvaneApp::ExitInstance()
{
    Log(L"Orvane.log", L"ExitInstance");
    End();
    FreeIconScratch();
    ::UnregisterClassW(kItemClassName, m_hInstance);
    if (m_bComInitialised)
        ::CoUninitialize();
    m_bComInitialised = false;
    m_bStarted = false;
    return 0;
}

void COrvaneApp::Start(HWND hwnd)
{
    Log(L"Orvane.log", L"Start() Start");
    if (!m_Launch.InitLnch())
        return;  // the item stays empty until the next reload
    CLaunchHwnd wnd(hwnd);
    m_Launch.ShowFirstPage(wnd);
    Log(L"Orvane.log", L"Start() End");
}

void COrvaneApp::End()
{
    Log(L"Orvane.log", L"End() Start");
    m_Launch.ExitLnch();
    Log(L"Orvane.log", L"End() End");
}

COrvane& COrvane::operator=(const COrvane&) { return *this; }
