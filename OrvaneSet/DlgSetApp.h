// The icon editor: the icon's kind in a combo box and its properties as a
// setting list whose rows come from "AppSetInfo.ini" ("AppSetInfoEng.ini"
// in English), read the first time the editor opens in a run. The target,
// arguments and image are picked here (a page from the pages, files through
// the value editor), and the registry row reads its value on the spot.
// OK refuses an icon that its page file could not give back as it is.
#pragma once

#include "LstSetting.h"
#include "config/IconEntry.h"
#include "settings/AppEdit.h"
#include "ui/Dialog.h"

class CPageMng;

class CDlgSetApp : public CDialog {
public:
    // Edits the entry in place on OK; a fresh entry starts with the kind
    // chosen last in this run.
    CDlgSetApp(IconEntry& entry, bool fresh, const CPageMng& pages);

    // Forgets the row definitions and the kind chosen last, as a new run
    // of the program would (tests).
    static void ForgetRun();

    CLstSetting& List() { return m_List; }
    const CSettingTable& Rows() const { return m_Rows; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    LRESULT OnNotify(NMHDR* header, bool& handled) override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnSize(int width, int height) override;

private:
    unsigned KindCode() const;
    void LoadRows();
    void ApplyKind();
    // The rows the editor handles itself: 1 when the row changed, else 2.
    int EditRow(int row);
    int EditTarget();
    // A path row through the value editor (and its file chooser); the name
    // of the file chosen there, if any.
    int EditFile(int row, const std::wstring& options, std::wstring* chosen = nullptr);
    void TestRegistry() const;
    // The first field that the icon's checks refuse, with its message.
    bool Validate(const IconEntry& edited, unsigned kindCode) const;
    IconEntry Edited(unsigned kindCode) const;

    // Rows whose definition may give either kind of value.
    std::wstring RowText(int row) const;
    int RowNum(int row) const;
    void SetRowText(int row, const std::wstring& text);
    void SetRowNum(int row, int number);
    std::wstring RowLabel(int row) const;

    IconEntry& m_Entry;
    bool m_bFresh;
    const CPageMng& m_Pages;
    CSettingTable m_Rows;
    CLstSetting m_List;
};
