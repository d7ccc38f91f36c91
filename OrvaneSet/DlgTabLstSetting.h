// The Basic, Port/Land and Color tabs: a setting list over a range of the
// setting definitions. Values change as soon as an editor closes with OK.
#pragma once

#include "DlgTab.h"
#include "LstSetting.h"

class CDlgTabLstSetting : public CDlgTab2 {
public:
    // Definitions first to last, both included.
    CDlgTabLstSetting(CDlgMain& main, int first, int last);

    void RefreshTab() override { m_List.ShowValue(-1); }
    BOOL ApplyTab() override { return TRUE; }
    CLstSetting& List() { return m_List; }

protected:
    BOOL OnInitDialog() override;
    void AddResizeCtrls() override;
    LRESULT OnNotify(NMHDR* header, bool& handled) override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    // The definitions the page edits itself: 1 after OK, 2 after Cancel.
    int EditCustom(int index);

    CLstSetting m_List;
    int m_nFirst, m_nLast;
};
