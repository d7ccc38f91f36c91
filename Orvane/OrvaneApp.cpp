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
    m_bStarted = false;
    return 0;
}

// The window's user data says whether its COM reference is to be given back.
void COrvaneApp::HoldCom(HWND hwnd)
{
    // The host may have chosen another model for its thread already, which
    // serves as well; then there is nothing of ours to give back.
    const bool held = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, held ? 1 : 0);
}

void COrvaneApp::ReleaseCom(HWND hwnd)
{
    if (::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0) == 1)
        ::CoUninitialize();
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
