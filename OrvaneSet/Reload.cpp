#include "Reload.h"

namespace {

constexpr UINT kAnswerMs = 1000;
constexpr DWORD kBetweenMs = 500;  // the sibling reloads before the plug-in does

void SendReload(HWND hwnd)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(hwnd, WM_RELOADSETTING, 0, 0, SMTO_NORMAL, kAnswerMs, &result);
}

// Depth first: each child, its descendants, then its next sibling.
int ReloadItemsBelow(HWND parent)
{
    int reached = 0;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[512] = L"";
        ::GetClassNameW(child, name, 512);
        if (::lstrcmpW(name, L"Orvane") == 0) {
            SendReload(child);
            ++reached;
        }
        reached += ReloadItemsBelow(child);
    }
    return reached;
}

}  // namespace

int ReloadItems()
{
    HWND desktop = ::FindWindowW(L"DesktopExplorerWindow", L"Desktop");
    return desktop ? ReloadItemsBelow(desktop) : 0;
}

void NotifyReload()
{
    if (HWND sibling = ::FindWindowW(nullptr, L"Tarlise"))
        SendReload(sibling);
    ::Sleep(kBetweenMs);
    ReloadItems();
}
