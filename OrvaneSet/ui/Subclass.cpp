#include "ui/Subclass.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x5E7;

}  // namespace

CSubclass::~CSubclass() { Detach(); }

bool CSubclass::Attach(HWND dialog, int id)
{
    Detach();
    HWND control = ::GetDlgItem(dialog, id);
    if (!control || !::SetWindowSubclass(control, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hWnd = control;
    return true;
}

void CSubclass::Detach()
{
    if (m_hWnd)
        ::RemoveWindowSubclass(m_hWnd, Proc, kSubclassId);
    m_hWnd = nullptr;
}

LRESULT CSubclass::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CSubclass::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<CSubclass*>(data);
    if (msg == WM_NCDESTROY) {
        self->Detach();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return self->WndProc(msg, wParam, lParam);
}
