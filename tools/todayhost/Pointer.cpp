#include "Pointer.h"

#include "TodayScreen.h"

#include <cwchar>

std::wstring CPointer::Down(POINT pt)
{
    m_bPressed = true;
    SetButtonState(true);
    return Post(WM_LBUTTONDOWN, MK_LBUTTON, pt);
}

std::wstring CPointer::Move(POINT pt) { return Post(WM_MOUSEMOVE, m_bPressed ? MK_LBUTTON : 0, pt); }

std::wstring CPointer::Up(POINT pt)
{
    m_bPressed = false;
    SetButtonState(false);
    return Post(WM_LBUTTONUP, 0, pt);
}

std::wstring CPointer::Post(UINT msg, WPARAM keys, POINT pt)
{
    m_ptLast = pt;
    HWND capture = ::GetCapture();
    HWND target = capture && (capture == m_screen.Hwnd() || ::IsChild(m_screen.Hwnd(), capture))
                      ? capture
                      : m_screen.WindowAt(pt);
    POINT local = pt;
    ::MapWindowPoints(m_screen.Hwnd(), target, &local, 1);
    ::PostMessageW(target, msg, keys,
                   MAKELPARAM(static_cast<WORD>(static_cast<short>(local.x)),
                              static_cast<WORD>(static_cast<short>(local.y))));
    const CLoadedItem* item = m_screen.ItemOf(target);
    wchar_t where[32];
    std::swprintf(where, 32, L" %ld,%ld", local.x, local.y);
    return (item ? item->Name() : std::wstring(L"Desktop")) + where;
}

void CPointer::SetButtonState(bool down)
{
    BYTE keys[256];
    if (!::GetKeyboardState(keys))
        return;
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}
