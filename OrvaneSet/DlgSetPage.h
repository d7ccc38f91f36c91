// The page editor: a page's name, its sheet, fixed icon number and
// always-show flag for each orientation. OK checks the name against the
// other pages and the files that must keep it, and asks before the name
// takes over page links that lead to it already; then the definition is
// filled and the caller takes the name.
#pragma once

#include "config/Page.h"
#include "ui/Dialog.h"

#include <functional>
#include <string>

class CSheet;

struct PageNameRules {
    // Another page (not the one edited) has the name.
    std::function<bool(const std::wstring&)> taken;
    // How many page links lead to the name.
    std::function<int(const std::wstring&)> linksTo;
    // The start page's text for "the page shown last".
    std::wstring reserved;
};

class CDlgSetPage : public CDialog {
public:
    // index: the page's row, -1 for a new page.
    CDlgSetPage(const std::wstring& name, CPageInfo& page, const CSheet& sheets, int index, PageNameRules rules);

    const std::wstring& Name() const { return m_strName; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnSize(int width, int height) override;

private:
    void FillSheets(int combo, const std::wstring& selected, bool taskSheets);
    bool TakeStartSlot(int field, int& slot) const;
    // Checks of the name and sheets; says why and returns true on refusal.
    bool NameRefused(const std::wstring& name, const std::wstring& portrait, const std::wstring& landscape) const;
    // Asks before the name takes over page links that lead to it already.
    bool LinksAllowed(const std::wstring& name) const;

    std::wstring m_strName;
    CPageInfo& m_Page;
    const CSheet& m_Sheets;
    int m_nIndex;
    PageNameRules m_Rules;
};
