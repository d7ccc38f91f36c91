#include "Taps.h"

#include "MenuBar_win.h"

#include <commctrl.h>

bool TapTab(HWND tab, int index)
{
    RECT item = {}, client = {};
    if (!tab || !::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return false;
    ::GetClientRect(tab, &client);
    if (item.right > client.right) {
        ::SendMessageW(tab, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, index), 0);
        ::SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ::SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(tab, WM_LBUTTONUP, 0, at);
    return ::SendMessageW(tab, TCM_GETCURSEL, 0, 0) == index;
}

bool PostSoftKeyTap(HWND bar, int key)
{
    RECT rc;
    if (!bar || !SoftKeyRect(bar, key, rc))
        return false;
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    return ::PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at) && ::PostMessageW(bar, WM_LBUTTONUP, 0, at);
}
