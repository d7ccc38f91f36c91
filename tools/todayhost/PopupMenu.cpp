#include "PopupMenu.h"

namespace {

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM found)
{
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    if (::lstrcmpW(cls, kMenuClass) != 0 || !::IsWindowVisible(hwnd))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

HMENU MenuOf(HWND menu) { return reinterpret_cast<HMENU>(::SendMessageW(menu, kGetMenuHandle, 0, 0)); }

// Keys reach the menu's loop like typed ones: queued for this thread.
void PostKey(HWND menu, UINT vk)
{
    ::PostMessageW(menu, WM_KEYDOWN, vk, 1);
    ::PostMessageW(menu, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

}  // namespace

HWND FindPopupMenu()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring PopupMenuItems(HWND menu)
{
    HMENU handle = MenuOf(menu);
    const int count = handle ? ::GetMenuItemCount(handle) : 0;
    std::wstring items;
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        ::GetMenuStringW(handle, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        items += (i ? L"|" : L"") + std::wstring(text);
    }
    return items;
}

bool PickPopupMenuItem(HWND menu, int position)
{
    if (position == 0)
        return ::EndMenu() != FALSE;
    HMENU handle = MenuOf(menu);
    if (!handle || position < 0 || position > ::GetMenuItemCount(handle))
        return false;
    // Nothing is selected when the menu opens: the first key selects the
    // first item.
    for (int i = 0; i < position; ++i)
        PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RETURN);
    return true;
}
