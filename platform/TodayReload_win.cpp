#include "TodayReload_win.h"

#include "Desktop_win.h"

namespace {

constexpr UINT kPostStandInMs = 1000;

}  // namespace

bool SendTodayReload(UINT timeoutMs)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(TodayDesktopWindow(), WM_WININICHANGE, kTodayReloadItems, 0, SMTO_NORMAL, timeoutMs,
                                 &result) != 0;
}

bool PostTodayReload()
{
    HWND desktop = TodayDesktopWindow();
    if (::PostMessageW(desktop, WM_WININICHANGE, kTodayReloadItems, 0))
        return true;
    if (::GetLastError() != ERROR_MESSAGE_SYNC_ONLY)
        return false;
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(desktop, WM_WININICHANGE, kTodayReloadItems, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                 kPostStandInMs, &result) != 0;
}
