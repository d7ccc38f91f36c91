#include "SimScreen.h"

#include <windows.h>

namespace {

const wchar_t kDesktopClass[] = L"DesktopExplorerWindow";

}  // namespace

CSimScreen::CSimScreen(int width, int height)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kDesktopClass;
    ::RegisterClassW(&wc);
    // Never shown: only its rectangle is asked for.
    m_pWindow = ::CreateWindowExW(0, kDesktopClass, L"orvsim", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  wc.hInstance, nullptr);
}

CSimScreen::~CSimScreen()
{
    if (m_pWindow)
        ::DestroyWindow(static_cast<HWND>(m_pWindow));
    ::UnregisterClassW(kDesktopClass, ::GetModuleHandleW(nullptr));
}
