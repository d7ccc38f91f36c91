// The installer hooks. The Today screen keeps Orvane.dll loaded while the
// item is enabled, so the item is switched off before the installer replaces
// or deletes the file, and on again once the new file is in place.
#include "Bexhook_rc.h"
#include "CeSetup_win.h"
#include "TodayItem.h"
#include "TodayReload_win.h"

namespace {

HINSTANCE g_hInst = nullptr;

constexpr UINT kReleaseTimeoutMs = 10000;
// Lets the Today screen drop the item before the files change.
constexpr DWORD kReleaseWaitMs = 1000;

void ShowError(HWND hwndParent, UINT id)
{
    wchar_t text[256] = L"";
    ::LoadStringW(g_hInst, id, text, static_cast<int>(sizeof(text) / sizeof(text[0])));
    ::MessageBoxW(hwndParent, text, L"Error", MB_ICONINFORMATION | MB_OK);
}

bool IsItemEnabled()
{
    DWORD enabled = 0;
    return ReadEnabled(enabled) && enabled != 0;
}

}  // namespace

// Only the instance: no file or registry work under the loader lock.
extern "C" BOOL WINAPI DllMain(HINSTANCE hinst, DWORD, LPVOID)
{
    g_hInst = hinst;
    return TRUE;
}

codeINSTALL_INIT Install_Init(HWND hwndParent, BOOL fFirstCall, BOOL, LPCWSTR)
{
    if (!fFirstCall || !IsItemEnabled())
        return codeINSTALL_INIT_CONTINUE;
    // Sent, not posted: the old DLL must be unloaded before it is overwritten.
    if (WriteEnabled(0) && SendTodayReload(kReleaseTimeoutMs)) {
        ::Sleep(kReleaseWaitMs);
        return codeINSTALL_INIT_CONTINUE;
    }
    ShowError(hwndParent, IDS_DISABLE_FAILED);
    return codeINSTALL_INIT_CANCEL;
}

codeINSTALL_EXIT Install_Exit(HWND hwndParent, LPCWSTR, WORD, WORD, WORD, WORD, WORD)
{
    if (WriteEnabled(1))
        PostTodayReload();
    else
        ShowError(hwndParent, IDS_ENABLE_FAILED);
    return codeINSTALL_EXIT_DONE;
}

codeUNINSTALL_INIT Uninstall_Init(HWND hwndParent, LPCWSTR)
{
    if (!IsItemEnabled())
        return codeUNINSTALL_INIT_CONTINUE;
    if (WriteEnabled(0)) {
        PostTodayReload();
        ::Sleep(kReleaseWaitMs);
        return codeUNINSTALL_INIT_CONTINUE;
    }
    ShowError(hwndParent, IDS_DISABLE_FAILED);
    return codeUNINSTALL_INIT_CANCEL;
}

codeUNINSTALL_EXIT Uninstall_Exit(HWND) { return codeUNINSTALL_EXIT_DONE; }
