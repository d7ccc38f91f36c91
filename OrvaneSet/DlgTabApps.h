// The Apps tab: the icons of one page, added, edited, deleted and moved in
// the loaded page definitions (Save writes them).
#pragma once

#include "DlgTab.h"

class CPageInfo;

class CDlgTabApps : public CDlgTab2 {
public:
    explicit CDlgTabApps(CDlgMain& main);

    void RefreshTab() override;
    // Every change is in the pages already.
    BOOL ApplyTab() override { return TRUE; }

    // The page shown, and the position of the first selected icon (-1: none).
    CPageInfo* CurrentPage() const;
    int SelectedIcon() const;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void AddResizeCtrls() override;
    void OnSize(int width, int height) override;

private:
    void ListIcons(int select);
    // The selected icon's position; says so and gives -1 without one.
    int NeedSelection() const;
    void Add();
    void Edit();
    void Del();
    void Move(int step);
};
