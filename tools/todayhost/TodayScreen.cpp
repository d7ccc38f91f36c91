#include "TodayScreen.h"

#include "ItemRegistry.h"
#include "Output.h"
#include "Snapshot.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 2000;  // the refresh-cache query's period on the device
constexpr WPARAM kReloadItems = 0xF2;
constexpr UINT kTakeSelection = WM_APP + 1;  // posted: wParam the item window that took it
constexpr WPARAM kRotateKey = 'R';

std::wstring MessageName(UINT msg)
{
    switch (msg) {
    case WM_TODAYCUSTOM_CLEARCACHE: return L"CLEARCACHE";
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: return L"QUERYREFRESHCACHE";
    case WM_TODAYCUSTOM_RECEIVEDSELECTION: return L"RECEIVEDSELECTION";
    case WM_TODAYCUSTOM_LOSTSELECTION: return L"LOSTSELECTION";
    case WM_TODAYCUSTOM_USERNAVIGATION: return L"USERNAVIGATION";
    case WM_TODAYCUSTOM_ACTION: return L"ACTION";
    case WM_LBUTTONDOWN: return L"LBUTTONDOWN";
    case WM_LBUTTONUP: return L"LBUTTONUP";
    }
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%04X", msg);
    return text;
}

// The top left corner of a window of that size in the middle of the PC's
// screen, never off its top or left edge.
POINT CentredOnScreen(int width, int height)
{
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return {x > 0 ? x : 0, y > 0 ? y : 0};
}

}  // namespace

CTodayScreen::CTodayScreen(const CScreenOptions& options) : m_options(options), m_selection(m_items, *this) {}

CTodayScreen::~CTodayScreen()
{
    UnloadItems();  // still with the screen as their parent
}

bool CTodayScreen::Create(std::wstring& error)
{
    if (!m_backdrop.SetWallpaper(m_options.wallpaper)) {
        error = L"cannot read the wallpaper " + m_options.wallpaper;
        return false;
    }
    RECT rect = {0, 0, m_options.width, m_options.height};
    if (m_options.show) {
        const POINT at = CentredOnScreen(m_options.width, m_options.height);
        ::OffsetRect(&rect, at.x, at.y);
    }
    // No frame: the window rectangle is the device screen, as on the device.
    if (!CreateBase(L"DesktopExplorerWindow", L"Desktop", WS_POPUP | WS_CLIPCHILDREN, rect, nullptr)) {
        error = L"cannot create the Today window";
        return false;
    }
    const int pcWidth = ::GetSystemMetrics(SM_CXSCREEN), pcHeight = ::GetSystemMetrics(SM_CYSCREEN);
    if (std::max(m_options.width, m_options.height) > std::min(pcWidth, pcHeight))
        Say(L"warn the PC's screen is " + std::to_wstring(pcWidth) + L"x" + std::to_wstring(pcHeight) +
            L": what lies outside it (also after a rotate) is not drawn and not in screenshots");
    ::ShowWindow(Hwnd(), m_options.show ? SW_SHOW : SW_SHOWNOACTIVATE);
    if (m_options.show)
        ::SetForegroundWindow(Hwnd());
    LoadItems();
    ::SetTimer(Hwnd(), kPollTimer, kPollMs, nullptr);
    return true;
}

LRESULT CTodayScreen::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_KEYDOWN:
        if (m_options.show && wParam == kRotateKey)
            Rotate();  // a person's way to turn the device
        else
            m_selection.Key(static_cast<UINT>(wParam));
        return 0;
    case WM_WININICHANGE:
        if (wParam == kReloadItems)
            Reload();
        return 0;
    case TODAYM_DRAWWATERMARK:
        return OnWatermark(reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam));
    case TODAYM_TOOKSELECTION:
        // The selection moves once the item has finished with the tap that
        // took it: an item that was not selected sees the tap unselected.
        ::PostMessageW(Hwnd(), kTakeSelection, wParam, 0);
        return 0;
    case kTakeSelection:
        OnTookSelection(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_NCHITTEST:
        return OnHitTest(wParam, lParam);
    case WM_DESTROY:
        ::KillTimer(Hwnd(), kPollTimer);
        UnloadItems();
        ::PostQuitMessage(0);
        return 0;
    }
    return CWindowBase::HandleMessage(msg, wParam, lParam);
}

LRESULT CTodayScreen::Send(CLoadedItem& item, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = ::SendMessageW(item.Hwnd(), msg, wParam, lParam);
    if (m_options.log) {
        wchar_t text[96];
        std::swprintf(text, 96, L" wParam=0x%llX -> %lld", static_cast<unsigned long long>(wParam),
                      static_cast<long long>(result));
        Say(L"log -> " + item.Name() + L" " + MessageName(msg) + text);
    }
    return result;
}

void CTodayScreen::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(Hwnd(), &ps);
    m_backdrop.PaintScreen(dc, ps.rcPaint);
    ::EndPaint(Hwnd(), &ps);
}

void CTodayScreen::OnSize(int width, int height)
{
    m_backdrop.Resize(width, height);
    QueryHeights();
    Stack();
    // A turned screen is drawn anew, items and their watermarks included.
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CTodayScreen::OnTimer(UINT_PTR id)
{
    if (id != kPollTimer)
        return;
    if (QueryHeights())
        Stack();
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    if (now.wMinute != m_nClockMinute) {
        m_nClockMinute = now.wMinute;
        RECT strip;
        ::GetClientRect(Hwnd(), &strip);
        strip.bottom = CBackdrop::kTitleHeight;
        ::InvalidateRect(Hwnd(), &strip, FALSE);
    }
}

LRESULT CTodayScreen::OnWatermark(const TODAYDRAWWATERMARKINFO* info)
{
    if (!info || !info->hdc || !info->hwnd || !::IsChild(Hwnd(), info->hwnd))
        return FALSE;
    POINT origin = {0, 0};
    ::MapWindowPoints(info->hwnd, Hwnd(), &origin, 1);
    const CLoadedItem* item = ItemOf(info->hwnd);
    const int selected = m_selection.Current();
    const bool highlight = item && selected >= 0 && m_items[static_cast<size_t>(selected)].get() == item &&
                           item->Selectability() == kTodaySelectedByScreen;
    m_backdrop.PaintWatermark(info->hdc, info->rc, origin, highlight);
    if (m_options.log && item) {
        wchar_t text[64];
        std::swprintf(text, 64, L" DRAWWATERMARK %ld,%ld %ldx%ld", origin.x + info->rc.left,
                      origin.y + info->rc.top, info->rc.right - info->rc.left, info->rc.bottom - info->rc.top);
        Say(L"log <- " + item->Name() + text);
    }
    return TRUE;
}

void CTodayScreen::OnTookSelection(HWND window)
{
    const CLoadedItem* item = ItemOf(window);
    if (m_options.log && item)
        Say(L"log <- " + item->Name() + L" TOOKSELECTION");
    m_selection.Took(window);
}

LRESULT CTodayScreen::OnHitTest(WPARAM wParam, LPARAM lParam)
{
    const LRESULT hit = CWindowBase::HandleMessage(WM_NCHITTEST, wParam, lParam);
    if (!m_options.show || hit != HTCLIENT)
        return hit;
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(Hwnd(), &pt);
    return pt.y < CBackdrop::kTitleHeight ? HTCAPTION : hit;  // a person can drag the screen around
}

HWND CTodayScreen::WindowAt(POINT pt) const
{
    HWND window = Hwnd();
    for (;;) {
        HWND child = ::ChildWindowFromPointEx(window, pt, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        if (!child || child == window)
            return window;
        ::MapWindowPoints(window, child, &pt, 1);
        window = child;
    }
}

const CLoadedItem* CTodayScreen::ItemOf(HWND window) const
{
    for (; window && window != Hwnd(); window = ::GetParent(window))
        for (const auto& item : m_items)
            if (item->Hwnd() == window)
                return item.get();
    return nullptr;
}

void CTodayScreen::LoadItems()
{
    for (const CItemConfig& config : ReadTodayItems()) {
        if (!m_options.only.empty() &&
            std::find(m_options.only.begin(), m_options.only.end(), config.name) == m_options.only.end())
            continue;
        std::wstring error;
        if (std::unique_ptr<CLoadedItem> item = CLoadedItem::Load(config, Hwnd(), error))
            m_items.push_back(std::move(item));
        else
            Say(L"warn item " + config.name + L" not loaded: " + error);
    }
    QueryHeights();
    Stack();
}

void CTodayScreen::UnloadItems()
{
    m_selection.Forget();
    for (auto& item : m_items) {
        Send(*item, WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&item->Record()), 0);
        item.reset();  // window, then library
    }
    m_items.clear();
}

void CTodayScreen::Reload()
{
    UnloadItems();
    LoadItems();
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

bool CTodayScreen::QueryHeights()
{
    bool changed = false;
    for (auto& item : m_items) {
        const int before = item->Height();
        TODAYLISTITEM* record = &item->Record();
        if (Send(*item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(record),
                 reinterpret_cast<LPARAM>(record)))
            ::InvalidateRect(item->Hwnd(), nullptr, TRUE);
        changed = changed || item->Height() != before;
    }
    return changed;
}

void CTodayScreen::Stack()
{
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    int y = CBackdrop::kTitleHeight;
    for (auto& item : m_items) {
        const int height = item->Height() > 0 ? item->Height() : 0;
        RECT now;
        ::GetWindowRect(item->Hwnd(), &now);
        ::MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&now), 2);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (height > 0 && !::IsWindowVisible(item->Hwnd()))
            flags |= SWP_SHOWWINDOW;
        // Only real changes: an item may act on every position message.
        if (now.left != 0 || now.top != y || now.right != client.right || now.bottom != y + height ||
            (flags & SWP_SHOWWINDOW))
            ::SetWindowPos(item->Hwnd(), nullptr, 0, y, client.right, height, flags);
        y += height;
    }
}

void CTodayScreen::Rotate()
{
    RECT client;
    ::GetClientRect(Hwnd(), &client);
    if (!m_options.show) {
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, client.bottom, client.right, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    // Shown to a person: centred again, so that a screen made square for
    // both orientations holds the turned one too.
    const POINT at = CentredOnScreen(client.bottom, client.right);
    ::SetWindowPos(Hwnd(), nullptr, at.x, at.y, client.bottom, client.right, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CTodayScreen::Capture(CPixels& out)
{
    std::vector<HWND> items;
    for (auto& item : m_items)
        items.push_back(item->Hwnd());
    return CaptureClient(Hwnd(), items, out);
}
