#include "DlgTab.h"

#include "DlgMain.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "ui/Res.h"

CDlgTab::CDlgTab(CDlgMain& main, UINT smallTemplate, UINT largeTemplate)
    : CDialog(ResDialog(main.IsLarge() ? largeTemplate : smallTemplate)), m_Main(main)
{
}

CSetting& CDlgTab::Setting() const { return *m_Main.Setting(); }
CLaunch& CDlgTab::Launch() const { return m_Main.m_Launch; }

BOOL CDlgTab::OnInitDialog()
{
    if (HWND bar = MakeMenuBar(Hwnd(), IDM_TAB_BAR)) {
        const WORD flags = SHMBOF_NODEFAULT | SHMBOF_NOTIFY;
        ::SendMessageW(bar, SHCMBM_OVERRIDEKEY, VK_TBACK, MAKELPARAM(flags, flags));
    }
    return TRUE;
}

bool CDlgTab::OnCommand(int id, int code, HWND)
{
    if (id == IDC_FOCUS_WRAP && code == EN_SETFOCUS) {
        ::SetFocus(m_Main.Item(IDC_TAB));
        return true;
    }
    if (id == ID_TAB_SAVE || id == ID_TAB_CLOSE) {
        ::SendMessageW(m_Main.Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return true;
    }
    return false;
}

void CDlgTab::OnOK() { ::SendMessageW(m_Main.Hwnd(), WM_COMMAND, IDOK, 0); }
void CDlgTab::OnCancel() { ::SendMessageW(m_Main.Hwnd(), WM_COMMAND, IDCANCEL, 0); }

void CDlgTab::OnHotKey(WPARAM, LPARAM lParam)
{
    // The Back key deletes the character before the caret: one Backspace
    // per press, not another on its release.
    if (!(LOWORD(lParam) & MOD_KEYUP))
        if (HWND focus = ::GetFocus())
            ::PostMessageW(focus, WM_KEYDOWN, VK_BACK, MAKELPARAM(1, ::MapVirtualKeyW(VK_BACK, MAPVK_VK_TO_VSC)));
}

RECT CDlgTab::FreeClientRect() const
{
    RECT rc;
    ::GetClientRect(Hwnd(), &rc);
    rc.bottom -= MenuBarHeight(Hwnd());
    return rc;
}

void CDlgTab2::OnSize(int, int)
{
    if (m_Stretch.Empty()) {
        AddResizeCtrl(IDC_FOCUS_WRAP);
        AddResizeCtrls();
    }
    const RECT free = FreeClientRect();
    m_Stretch.Apply(Hwnd(), free.right, free.bottom);
}
