// What the running tasks need of the system: the real window chain, the
// shell's hold gesture and the task menus from the plug-in's resources.
#include "engine/Launch_win.h"

#include "Gesture_win.h"
#include "config/Folders.h"
#include "engine/Handle_win.h"

namespace {

HWND ItemHwnd(const CLaunchWindow& wnd) { return reinterpret_cast<HWND>(wnd.NativeHandle()); }

}  // namespace

int MenuPopup(HINSTANCE instance, HWND hwnd, unsigned menu, int x, int y)
{
    const unsigned id = TaskMenuResource(menu, IsJapanese());
    CMenuHandle loaded(::LoadMenuW(instance, MAKEINTRESOURCEW(id)));
    HMENU popup = loaded.Get() ? ::GetSubMenu(loaded.Get(), 0) : nullptr;
    if (popup)
        ::TrackPopupMenuEx(popup, TPM_CENTERALIGN | TPM_VCENTERALIGN | TPM_LEFTBUTTON, x, y, hwnd, nullptr);
    return 0;
}

CWindowChain& CLaunch::Windows() { return m_Windows; }

bool CLaunch::RecognizeHold(CLaunchWindow& wnd, int x, int y)
{
    SHRGINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndClient = ItemHwnd(wnd);
    info.ptDown = {x, y};
    info.dwFlags = SHRG_RETURNCMD | SHRG_LONGDELAY;
    return info.hwndClient && SHRecognizeGesture(&info) == GN_CONTEXTMENU;
}

bool CLaunch::StylusDown(CLaunchWindow& wnd)
{
    MSG msg;
    HWND hwnd = ItemHwnd(wnd);
    if (hwnd && ::PeekMessageW(&msg, hwnd, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE | PM_NOYIELD))
        return true;
    return (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

void CLaunch::PopupTaskMenu(CLaunchWindow& wnd, unsigned menu, int x, int y)
{
    if (HWND hwnd = ItemHwnd(wnd))
        MenuPopup(m_hInstance, hwnd, menu, x, y);
}
