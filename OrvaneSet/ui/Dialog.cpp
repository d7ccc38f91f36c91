#include "ui/Dialog.h"

#include <vector>

namespace {

HINSTANCE g_hResource = nullptr;

}  // namespace

HINSTANCE ResourceInstance() { return g_hResource ? g_hResource : ::GetModuleHandleW(nullptr); }
void SetResourceInstance(HINSTANCE instance) { g_hResource = instance; }

CDialog::~CDialog() { Destroy(); }

INT_PTR CDialog::DoModal(HWND parent)
{
    m_bModal = true;
    return ::DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(m_nTemplate), parent, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent)
{
    m_bModal = false;
    return ::CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(m_nTemplate), parent, DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_nResult = result;
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

void CDialog::Destroy()
{
    if (m_hWnd && !m_bModal)
        ::DestroyWindow(m_hWnd);
}

LRESULT CDialog::SendItem(int id, UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageW(m_hWnd, id, msg, wParam, lParam);
}

void CDialog::SetItemText(int id, const std::wstring& text) const { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }

std::wstring CDialog::ItemText(int id) const
{
    HWND item = Item(id);
    const int length = item ? ::GetWindowTextLengthW(item) : 0;
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    if (item)
        ::GetWindowTextW(item, text.data(), length + 1);
    return text.data();
}

void CDialog::ShowItem(int id, bool show) const { ::ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE); }

void CDialog::EnableItem(int id, bool enable) const { ::EnableWindow(Item(id), enable); }

void CDialog::SetCheck(int id, bool checked) const
{
    ::CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool CDialog::IsChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

RECT CDialog::ItemRect(int id) const
{
    RECT rc = {};
    if (HWND item = Item(id)) {
        ::GetWindowRect(item, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    }
    return rc;
}

void CDialog::SpreadRow(std::initializer_list<int> ids, int widthOf, int gap) const
{
    const RECT span = ItemRect(widthOf);
    const int count = static_cast<int>(ids.size());
    if (count == 0)
        return;
    const int each = (span.right - span.left - gap * (count - 1)) / count;
    if (each <= 0)
        return;
    int left = span.left;
    for (int id : ids) {
        const RECT rc = ItemRect(id);
        ::SetWindowPos(Item(id), nullptr, left, rc.top, each, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
        left += each + gap;
    }
}

void CDialog::AlignRight(int id, int margin, bool move) const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT rc = ItemRect(id);
    const int right = client.right - margin;
    const int left = move ? right - (rc.right - rc.left) : rc.left;
    if (right > left)
        ::SetWindowPos(Item(id), nullptr, left, rc.top, right - left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialog::CoverOwner() const
{
    RECT owner;
    HWND top = ::GetAncestor(::GetWindow(m_hWnd, GW_OWNER), GA_ROOT);
    if (top && ::GetWindowRect(top, &owner))
        ::SetWindowPos(m_hWnd, nullptr, owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

int CDialog::Message(const std::wstring& text, const std::wstring& caption, UINT flags) const
{
    return ::MessageBoxW(m_hWnd, text.c_str(), caption.c_str(), flags);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->m_hWnd = hwnd;
    }
    auto* self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self)
        return FALSE;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return self->Dispatch(msg, wParam, lParam);
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: Command(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_NOTIFY: return Notify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZE: OnSize(LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_HOTKEY: OnHotKey(wParam, lParam); return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DESTROY: OnDestroy(); return TRUE;
    }
    bool handled = false;
    const INT_PTR result = OnMessage(msg, wParam, lParam, handled);
    if (!handled)
        return FALSE;
    // A dialog answers a sent message through its result slot.
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

void CDialog::Command(int id, int code, HWND control)
{
    if (OnCommand(id, code, control))
        return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

INT_PTR CDialog::Notify(NMHDR* header)
{
    bool handled = false;
    const LRESULT result = OnNotify(header, handled);
    if (!handled)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
