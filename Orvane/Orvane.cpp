// The module's entry points: the DLL entry and the Today screen's
// InitializeCustomItem.
#include "OrvaneApp.h"
#include "TodayItem_win.h"
#include "base/Log.h"

namespace {

HINSTANCE g_hInstance = nullptr;

}  // namespace

// Only the instance: no work under the loader lock, but for the end of the
// module, which frees what the engine still holds.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    g_hInstance = instance;
    if (reason == DLL_PROCESS_DETACH && TheApp().Started())
        TheApp().ExitInstance();
    return TRUE;
}

extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM*, HWND hwndParent)
{
    Log(L"Orvane.log", L"InitializeCustomItem");
    if (!TheApp().Started())
        TheApp().InitInstance(g_hInstance);
    HWND hwnd = ::CreateWindowExW(0, kItemClassName, L"Orvane", WS_CHILD, 0, 0, 0, 0, hwndParent, nullptr,
                                  g_hInstance, nullptr);
    if (!hwnd)
        return nullptr;
    ::ShowWindow(hwnd, SW_SHOW);
    Log(L"Orvane.log", L"CreateWindowW :%x", static_cast<const void*>(hwnd));
    return hwnd;
}
