// The hook setdrive places in the settings program's window thread: it
// carries out a command inside the program, where the program's own
// windows can be measured and photographed, and answers. What would open a
// modal dialog (a double tap on a row, a soft key, a tap on a field) is
// posted, so that the dialog runs in the program's own loop.
//   tab N            taps tab N of the current window's tab control
//   row N            double-taps row N of the list of the shown page (a
//                    setting list, or the icon editor's)
//   select ID N      taps row N of list view ID
//   entry NAME       taps the file chooser's entry NAME
//   entry2 NAME      double-taps it
//   text ID TEXT     sets the text of control ID
//   choose ID TEXT   picks the combo box entry TEXT of control ID
//   tap ID           taps control ID
//   key ID VK        presses and releases the key on control ID
//   softkey K        taps soft key K (0 left) of the window or its shown page
//   command ID       sends the window the command ID (a message box's button)
//   shot FILE.png    the window as it is on screen
#include "DriveLink.h"
#include "MenuBar_win.h"
#include "Taps.h"
#include "../todayhost/Picture.h"

#include <commctrl.h>

#include <cwchar>
#include <sstream>
#include <string>

namespace {

// The shown child dialog of a window (its current tab page), or the window.
HWND ShownPage(HWND window)
{
    for (HWND c = ::GetWindow(window, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[16] = L"";
        ::GetClassNameW(c, name, 16);
        if (::IsWindowVisible(c) && std::wcscmp(name, L"#32770") == 0)
            return c;
    }
    return window;
}

// The control of the shown page, else the window's own (the main dialog's
// tab control has the id of the Apps page's page combo).
HWND Control(HWND window, int id)
{
    HWND page = ShownPage(window);
    HWND onPage = page != window ? ::GetDlgItem(page, id) : nullptr;
    return onPage ? onPage : ::GetDlgItem(window, id);
}

void PostTap(HWND control, int x, int y)
{
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::wstring Tab(HWND window, int index)
{
    return TapTab(::GetDlgItem(window, 1006), index) ? L"ok" : L"error the tab was not taken";
}

// Where row lies in the list (scrolled into view first); false without it.
bool RowPoint(HWND list, int row, LPARAM& at)
{
    RECT rc = {LVIR_LABEL, 0, 0, 0};
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    if (!list || row < 0 ||
        !::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc)))
        return false;
    at = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
    return true;
}

std::wstring Row(HWND window, int row)
{
    HWND list = Control(window, 1067);
    if (!list)
        list = Control(window, 1080);  // the icon editor's rows
    LPARAM at = 0;
    if (!RowPoint(list, row, at))
        return L"error no such row";
    ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    return L"ok";
}

std::wstring SelectRow(HWND list, int row)
{
    LVITEMW item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    return ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item))
               ? L"ok"
               : L"error no such row";
}

// The file chooser's entry with the name, tapped once or twice.
std::wstring Entry(HWND window, const std::wstring& name, bool twice)
{
    HWND list = Control(window, 1001);
    int row = -1;
    const int count = list ? static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count && row < 0; ++i) {
        wchar_t text[260] = L"";
        LVITEMW item = {};
        item.pszText = text;
        item.cchTextMax = 260;
        ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (name == text)
            row = i;
    }
    LPARAM at = 0;
    if (!RowPoint(list, row, at))
        return L"error no such entry";
    PostTap(list, LOWORD(at), HIWORD(at));
    if (twice) {
        ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    return L"ok";
}

std::wstring Choose(HWND combo, const std::wstring& text)
{
    const LRESULT at = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str()));
    if (at == CB_ERR)
        return L"error no such entry";
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ::SendMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
    return L"ok";
}

std::wstring SoftKey(HWND window, int key)
{
    HWND bar = FindMenuBar(window);
    if (!bar)
        bar = FindMenuBar(ShownPage(window));
    return PostSoftKeyTap(bar, key) ? L"ok" : L"error no such soft key";
}

std::wstring Shot(HWND window, const std::wstring& path)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rc;
    ::GetWindowRect(window, &rc);
    CPixels shot;
    shot.width = rc.right - rc.left;
    shot.height = rc.bottom - rc.top;
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), shot.width, -shot.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::GetWindowDC(window);
    HDC mem = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bitmap);
    const bool copied = bits && ::BitBlt(mem, 0, 0, shot.width, shot.height, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    if (copied) {
        const auto* p = static_cast<const std::uint32_t*>(bits);
        shot.px.assign(p, p + static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height));
        for (std::uint32_t& px : shot.px)
            px &= 0xFFFFFF;
    }
    ::SelectObject(mem, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(mem);
    ::ReleaseDC(window, dc);
    return copied && EncodePng(path, shot) ? L"ok" : L"error no picture";
}

std::wstring Carry(HWND window, const std::wstring& line)
{
    if (line.rfind(L"entry ", 0) == 0)
        return Entry(window, line.substr(6), false);
    if (line.rfind(L"entry2 ", 0) == 0)
        return Entry(window, line.substr(7), true);
    std::wistringstream in(line);
    std::wstring verb, rest;
    int number = 0;
    in >> verb >> number;
    std::getline(in >> std::ws, rest);
    if (verb == L"tab")
        return Tab(window, number);
    if (verb == L"row")
        return Row(window, number);
    if (verb == L"softkey")
        return SoftKey(window, number);
    if (verb == L"shot")
        return Shot(window, line.substr(5));
    if (verb == L"command")
        return ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(number, BN_CLICKED), 0) ? L"ok" : L"error not sent";
    HWND control = Control(window, number);
    if (!control)
        return L"error no control " + std::to_wstring(number);
    if (verb == L"text")
        return ::SetWindowTextW(control, rest.c_str()) ? L"ok" : L"error text not set";
    if (verb == L"choose")
        return Choose(control, rest);
    if (verb == L"select")
        return SelectRow(control, static_cast<int>(std::wcstol(rest.c_str(), nullptr, 10)));
    if (verb == L"tap") {
        PostTap(control, 2, 2);
        return L"ok";
    }
    if (verb == L"key") {
        const auto vk = static_cast<WPARAM>(std::wcstol(rest.c_str(), nullptr, 10));
        ::PostMessageW(control, WM_KEYDOWN, vk, 1);
        ::PostMessageW(control, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
        return L"ok";
    }
    return L"error unknown command";
}

void Reply(const std::wstring& text)
{
    if (HANDLE map = ::OpenFileMappingW(FILE_MAP_WRITE, FALSE, kDriveReply)) {
        if (auto* reply = static_cast<wchar_t*>(::MapViewOfFile(map, FILE_MAP_WRITE, 0, 0, 0))) {
            wcsncpy(reply, text.c_str(), kReplyChars - 1);
            reply[kReplyChars - 1] = L'\0';
            ::UnmapViewOfFile(reply);
        }
        ::CloseHandle(map);
    }
    if (HANDLE done = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, kDriveDone)) {
        ::SetEvent(done);
        ::CloseHandle(done);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK DriveHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const UINT drive = ::RegisterWindowMessageW(kDriveMessage);
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == drive) {
        wchar_t line[256] = L"";
        ::GlobalGetAtomNameW(static_cast<ATOM>(msg->lParam), line, 256);
        Reply(Carry(msg->hwnd, line));
        msg->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
