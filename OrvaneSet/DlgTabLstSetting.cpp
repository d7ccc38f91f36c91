#include "DlgTabLstSetting.h"

#include "DlgItemEdit.h"
#include "DlgMain.h"
#include "Led.h"
#include "OrvaneSet_rc.h"
#include "settings/EditorOptions.h"

void CDlgTabLstSetting::AddResizeCtrls() { AddResizeCtrl(IDC_SETTING_LIST); }

CDlgTabLstSetting::CDlgTabLstSetting(CDlgMain& main, int first, int last)
    : CDlgTab2(main, IDD_LSTSETTING, IDD_LSTSETTING_LARGE), m_nFirst(first), m_nLast(last)
{
}

BOOL CDlgTabLstSetting::OnInitDialog()
{
    CDlgTab2::OnInitDialog();
    m_List.Init(Hwnd(), IDC_SETTING_LIST, Setting());
    m_List.Fill(m_nFirst, m_nLast);
    return TRUE;
}

LRESULT CDlgTabLstSetting::OnNotify(NMHDR* header, bool& handled) { return m_List.OnNotify(header, handled); }

INT_PTR CDlgTabLstSetting::OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled)
{
    handled = msg == WM_EDITSETTING;
    return handled ? EditCustom(static_cast<int>(wParam)) : 0;
}

int CDlgTabLstSetting::EditCustom(int index)
{
    CSetting& s = Setting();
    const SettingDef* def = s.Def(index);
    if (!def || index >= s.Count())
        return 2;
    SettingDef edited = *def;
    std::vector<SettingChoice> choices;
    if (index == Set::FirstPage) {
        edited.editor = EK_CMB2;
        std::vector<std::wstring> names;
        for (const PageOrderEntry& o : Launch().Pages()->m_Order)
            names.push_back(o.name);
        choices = StartPageChoices(Main().LastViewedText(), names);
    } else if (index == Set::VibrateLed) {
        int leds = 1;
        if (!QueryLedCount(leds))
            leds = 1;
        edited.editor = EK_INT;
        edited.params = LedRangeParams(leds);
    }
    CDlgItemEdit editor(s.m_Values[static_cast<size_t>(index)], edited, choices);
    return editor.DoModal(Hwnd()) == IDOK ? 1 : 2;
}
