// The Today screen's custom item protocol (Windows builds only), declared
// from the platform's published documentation: the item record, the
// watermark record, the message numbers and the entry point.
//
// The Today screen keeps one record per item at a fixed address, passes it
// to InitializeCustomItem and with every refresh-cache query; the item writes
// its height into cyp. Both the plug-in and tools/todayhost include this.
#pragma once

#include <windows.h>

// Characters in an item's name (the name of its registry key).
inline constexpr int MAX_ITEMNAME = 32;

enum TODAYLISTITEMTYPE {
    tlitOwnerInfo = 0,
    tlitAppointments,
    tlitMail,
    tlitTasks,
    tlitCustom,  // "Type" = 4 in the item's registry key
    tlitNil
};

struct TODAYLISTITEM {
    WCHAR szName[MAX_ITEMNAME];
    TODAYLISTITEMTYPE tlit;
    DWORD dwOrder;
    DWORD cyp;  // height in pixels; 0 until the item answers a refresh query
    BOOL fEnabled;
    BOOL fOptions;  // the item has an options dialog
    DWORD grfFlags;  // the item's own use
    WCHAR szDLLPath[MAX_PATH];
    HINSTANCE hinstDLL;
    HWND hwndCustom;
    BOOL fSizeOnDraw;
    BYTE* prgbCachedData;
    DWORD cbCachedData;
};

// lParam of TODAYM_DRAWWATERMARK: paint the background under hwnd's client
// rectangle rc into hdc at rc.
struct TODAYDRAWWATERMARKINFO {
    HDC hdc;
    RECT rc;
    HWND hwnd;
};

// From the Today screen to the item window.
inline constexpr UINT WM_TODAYCUSTOM_CLEARCACHE = WM_USER + 242;         // wParam: record; unloading next
// The documented place of the record is wParam; the Today host passes it in
// lParam as well, so an item may read either.
inline constexpr UINT WM_TODAYCUSTOM_QUERYREFRESHCACHE = WM_USER + 243;  // TRUE: redraw, cyp set
inline constexpr UINT WM_TODAYCUSTOM_RECEIVEDSELECTION = WM_USER + 244;  // wParam: key or 0; FALSE: pass on
inline constexpr UINT WM_TODAYCUSTOM_LOSTSELECTION = WM_USER + 245;
inline constexpr UINT WM_TODAYCUSTOM_USERNAVIGATION = WM_USER + 246;  // wParam: key; TRUE: handled
inline constexpr UINT WM_TODAYCUSTOM_ACTION = WM_USER + 247;          // wParam: VK_RETURN

// From the item window to its parent, the Today screen.
inline constexpr UINT TODAYM_DRAWWATERMARK = WM_USER + 101;  // lParam: TODAYDRAWWATERMARKINFO*
inline constexpr UINT TODAYM_TOOKSELECTION = WM_USER + 102;  // wParam: the item window

// "Selectability" in the item's registry key.
inline constexpr DWORD kTodayNotSelectable = 0;     // also when the value is missing
inline constexpr DWORD kTodaySelectedByScreen = 1;  // no selection messages; Enter taps at (1, 1)
inline constexpr DWORD kTodaySelectionMessages = 2;

// Exported by name and as ordinal 240.
inline constexpr WORD kInitializeCustomItemOrdinal = 240;
using PFNCUSTOMINITIALIZEITEM = HWND(WINAPI*)(TODAYLISTITEM* ptli, HWND hwndParent);
extern "C" HWND WINAPI InitializeCustomItem(TODAYLISTITEM* ptli, HWND hwndParent);
