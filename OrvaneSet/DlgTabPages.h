// The Pages tab: the pages in display order with their sheets and shown
// flags, and the buttons that add, duplicate, edit, delete, move, copy and
// paste pages. It edits rows; leaving the tab (or Save) hands them to the
// page manager.
#pragma once

#include "DlgTab.h"
#include "settings/PageRows.h"

#include <memory>
#include <string>

class CDlgTabPages : public CDlgTab2 {
public:
    explicit CDlgTabPages(CDlgMain& main);

    void RefreshTab() override;
    BOOL ApplyTab() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR* header, bool& handled) override;
    void AddResizeCtrls() override;
    void OnSize(int width, int height) override;

private:
    void AddPage();
    void EditPage();
    void DeletePage();
    void MovePage(bool up);
    void CopyPage();
    void PastePage();

    // The first selected row, or -1; with need, -1 is told to the user.
    int Selection(bool need) const;
    // The list from the rows, with the row selected (-1: none).
    void ShowRows(int select);
    // The check boxes back into the rows' shown flags.
    void ReadChecks();
    // Runs the editor; true on OK, with the name it was given.
    bool RunEditor(std::wstring& name, CPageInfo& page, int row);
    // A name is free: no row has it and no page link leads to it.
    bool NameFree(const std::wstring& name) const;
    std::unique_ptr<CPageInfo> EmptyPage() const;

    CPageRows m_Rows;
    bool m_bLoaded = false;
    std::unique_ptr<CPageInfo> m_pClip;
    std::wstring m_strClipName;
};
