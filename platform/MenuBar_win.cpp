// The shell's soft-key bar and Back-key override, stood in for; see MenuBar_win.h.
#include "MenuBar_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

constexpr wchar_t kBarClass[] = L"SoftKeyBar";
constexpr int kBarHeight = 26;  // logical pixels, as the device's bar
constexpr UINT_PTR kFollowParent = 1;
constexpr COLORREF kBarTop = RGB(72, 76, 84), kBarBottom = RGB(16, 18, 22), kPressed = RGB(40, 96, 168);

struct KeyOverride {
    UINT vk;
    WORD flags;
};

struct CBar {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    bool ownsMenu = false;
    int pressed = -1;
    std::vector<KeyOverride> overrides;
};

CBar* BarOf(HWND hwnd)
{
    return hwnd ? reinterpret_cast<CBar*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

int ScreenPpi()
{
    HDC dc = ::GetDC(nullptr);
    const int ppi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ::ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
}

int KeyCount(const CBar& bar) { return bar.menu ? ::GetMenuItemCount(bar.menu) : 0; }

std::wstring KeyText(const CBar& bar, int index)
{
    wchar_t text[64] = L"";
    ::GetMenuStringW(bar.menu, static_cast<UINT>(index), text, 64, MF_BYPOSITION);
    return text;
}

int KeyAt(HWND hwnd, const CBar& bar, int x)
{
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    const int n = KeyCount(bar);
    if (n <= 0 || rc.right <= 0 || x < 0 || x >= rc.right)
        return -1;
    return x * n / rc.right;
}

void PlaceBar(const CBar& bar)
{
    RECT rc;
    ::GetClientRect(bar.parent, &rc);
    const int height = MenuBarHeight(bar.parent);
    ::SetWindowPos(bar.hwnd, HWND_TOP, 0, rc.bottom - height, rc.right, height, SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------
// The Back key and its kind: a thread message hook sees the key before the
// dialog manager does.

thread_local HHOOK t_keyHook = nullptr;
thread_local int t_overridingBars = 0;

// The override of the nearest window, from the key's target up to its
// top-level window, whose bar overrides the key.
const CBar* OverridingBar(HWND target, UINT vk, WORD& flags)
{
    for (HWND w = target; w && w != ::GetDesktopWindow(); w = ::GetAncestor(w, GA_PARENT)) {
        const CBar* b = BarOf(FindMenuBar(w));
        if (!b)
            continue;
        for (const KeyOverride& o : b->overrides)
            if (o.vk == vk) {
                flags = o.flags;
                return b;
            }
    }
    return nullptr;
}

LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam)
{
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)) {
        WORD flags = 0;
        if (const CBar* bar = OverridingBar(msg->hwnd, static_cast<UINT>(msg->wParam), flags)) {
            const WORD modifiers = msg->message == WM_KEYUP ? MOD_KEYUP : 0;
            if (flags & SHMBOF_NOTIFY)
                ::PostMessageW(bar->parent, WM_HOTKEY, 0, MAKELPARAM(modifiers, msg->wParam));
            if (flags & SHMBOF_NODEFAULT)
                msg->message = WM_NULL;
        }
    }
    return ::CallNextHookEx(t_keyHook, code, wParam, lParam);
}

void AddOverride(CBar& bar, UINT vk, WORD mask, WORD value)
{
    const WORD flags = mask & value;
    if (bar.overrides.empty() && t_overridingBars++ == 0)
        t_keyHook = ::SetWindowsHookExW(WH_GETMESSAGE, KeyHook, nullptr, ::GetCurrentThreadId());
    for (KeyOverride& o : bar.overrides)
        if (o.vk == vk) {
            o.flags = flags;
            return;
        }
    bar.overrides.push_back({vk, flags});
}

void DropOverrides(CBar& bar)
{
    if (bar.overrides.empty())
        return;
    bar.overrides.clear();
    if (--t_overridingBars == 0 && t_keyHook) {
        ::UnhookWindowsHookEx(t_keyHook);
        t_keyHook = nullptr;
    }
}

// ---------------------------------------------------------------------------
// The bar's window.

TRIVERTEX Vertex(LONG x, LONG y, COLORREF c)
{
    const auto channel = [](BYTE v) { return static_cast<COLOR16>(v << 8); };
    return {x, y, channel(GetRValue(c)), channel(GetGValue(c)), channel(GetBValue(c)), 0};
}

void Paint(HWND hwnd, const CBar& bar)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hwnd, &ps);
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    TRIVERTEX v[2] = {Vertex(0, 0, kBarTop), Vertex(rc.right, rc.bottom, kBarBottom)};
    GRADIENT_RECT g = {0, 1};
    ::GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);

    NONCLIENTMETRICSW ncm = {};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    ncm.lfMenuFont.lfWeight = FW_BOLD;
    HFONT font = ::CreateFontIndirectW(&ncm.lfMenuFont);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const int n = KeyCount(bar);
    for (int i = 0; i < n; ++i) {
        RECT key;
        SoftKeyRect(hwnd, i, key);
        if (i == bar.pressed) {
            HBRUSH b = ::CreateSolidBrush(kPressed);
            ::FillRect(dc, &key, b);
            ::DeleteObject(b);
        }
        if (i > 0) {
            RECT line = {key.left, key.top + 4, key.left + 1, key.bottom - 4};
            ::FillRect(dc, &line, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        }
        std::wstring text = KeyText(bar, i);
        ::DrawTextW(dc, text.c_str(), -1, &key, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
    }
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    ::EndPaint(hwnd, &ps);
}

// What a released key does: its command, or the command chosen from its
// popup, goes to the parent.
void Activate(HWND hwnd, const CBar& bar, int index)
{
    MENUITEMINFOW mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STATE;
    if (!::GetMenuItemInfoW(bar.menu, static_cast<UINT>(index), TRUE, &mii) || (mii.fState & MFS_DISABLED))
        return;
    UINT command = mii.wID;
    if (mii.hSubMenu) {
        RECT key;
        SoftKeyRect(hwnd, index, key);
        POINT at = {key.left, key.top};
        ::ClientToScreen(hwnd, &at);
        command = static_cast<UINT>(::TrackPopupMenu(mii.hSubMenu, TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_RETURNCMD,
                                                     at.x, at.y, 0, hwnd, nullptr));
    }
    if (command)
        ::SendMessageW(bar.parent, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

LRESULT CALLBACK FollowParent(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    const LRESULT result = ::DefSubclassProc(parent, msg, wParam, lParam);
    if (msg == WM_SIZE)
        PlaceBar(*reinterpret_cast<CBar*>(data));
    return result;
}

LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CBar* bar = BarOf(hwnd);
    if (!bar)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT: Paint(hwnd, *bar); return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;  // a soft key never takes the focus
    case WM_LBUTTONDOWN:
        bar->pressed = KeyAt(hwnd, *bar, static_cast<short>(LOWORD(lParam)));
        ::SetCapture(hwnd);
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP: {
        const int key = KeyAt(hwnd, *bar, static_cast<short>(LOWORD(lParam)));
        const bool hit = key >= 0 && key == bar->pressed;
        bar->pressed = -1;
        ::ReleaseCapture();
        ::InvalidateRect(hwnd, nullptr, FALSE);
        if (hit)
            Activate(hwnd, *bar, key);
        return 0;
    }
    case SHCMBM_OVERRIDEKEY:
        AddOverride(*bar, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(bar->parent, FollowParent, kFollowParent);
        DropOverrides(*bar);
        if (bar->ownsMenu)
            ::DestroyMenu(bar->menu);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete bar;
        break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

BOOL SHInitExtraControls()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS |
                                                 ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    const BOOL controls = ::InitCommonControlsEx(&icc);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BarProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kBarClass;
    const BOOL registered = ::RegisterClassW(&wc) || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return controls && registered;
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info)
{
    if (!info || !info->hwndParent)
        return FALSE;
    info->hwndMB = nullptr;
    const bool given = (info->dwFlags & SHCMBF_HMENU) != 0;
    HMENU menu = given ? info->hMenu : ::LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
    if (!menu)
        return FALSE;
    HWND hwnd = ::CreateWindowExW(0, kBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                  info->hwndParent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        // The bar owns the menu only once it exists: a given one stays the caller's.
        if (!given)
            ::DestroyMenu(menu);
        return FALSE;
    }
    auto* bar = new CBar{hwnd, info->hwndParent, menu, true, -1, {}};
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bar));
    ::SetWindowSubclass(info->hwndParent, FollowParent, kFollowParent, reinterpret_cast<DWORD_PTR>(bar));
    PlaceBar(*bar);
    info->hwndMB = hwnd;
    return TRUE;
}

HWND FindMenuBar(HWND parent) { return parent ? ::FindWindowExW(parent, nullptr, kBarClass, nullptr) : nullptr; }

int MenuBarHeight(HWND parent) { return FindMenuBar(parent) ? ::MulDiv(kBarHeight, ScreenPpi(), 96) : 0; }

bool SoftKeyRect(HWND bar, int index, RECT& rect)
{
    const CBar* b = BarOf(bar);
    const int n = b ? KeyCount(*b) : 0;
    if (index < 0 || index >= n)
        return false;
    RECT rc;
    ::GetClientRect(bar, &rc);
    rect = {rc.right * index / n, 0, rc.right * (index + 1) / n, rc.bottom};
    return true;
}

std::wstring SoftKeyText(HWND bar, int index)
{
    const CBar* b = BarOf(bar);
    return b && index >= 0 && index < KeyCount(*b) ? KeyText(*b, index) : std::wstring();
}
