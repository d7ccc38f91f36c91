// The base of every tab page: a modeless child of the main dialog with its
// own soft-key bar (Save, Close), the Back key turned into a Backspace, and
// keyboard focus that wraps from the page's last control to the tabs.
// CDlgTab2 adds the controls that stretch with the page.
#pragma once

#include "ui/Dialog.h"
#include "ui/StretchList.h"

class CDlgMain;
class CLaunch;
class CSetting;

class CDlgTab : public CDialog {
public:
    // The page's template by screen size and language.
    CDlgTab(CDlgMain& main, UINT smallTemplate, UINT largeTemplate);

    // Fills the controls from the configuration (the tab becomes current).
    virtual void RefreshTab() {}
    // Moves the controls back into the configuration (the tab is left, or
    // Save runs); FALSE keeps the user on the tab and stops Save.
    virtual BOOL ApplyTab() { return TRUE; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    void OnHotKey(WPARAM wParam, LPARAM lParam) override;

    CDlgMain& Main() const { return m_Main; }
    CSetting& Setting() const;
    CLaunch& Launch() const;
    // The client area the soft-key bar leaves free.
    RECT FreeClientRect() const;

private:
    CDlgMain& m_Main;
};

class CDlgTab2 : public CDlgTab {
public:
    using CDlgTab::CDlgTab;

protected:
    // Registers the page's stretchable controls (AddResizeCtrl).
    virtual void AddResizeCtrls() {}
    void AddResizeCtrl(int id) { m_Stretch.Add(Hwnd(), id); }
    void OnSize(int width, int height) override;

private:
    CStretchList m_Stretch;
};
