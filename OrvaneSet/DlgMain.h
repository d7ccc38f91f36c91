// The main dialog: the configuration loaded with the plug-in's own engine,
// a tab control with one page per part of it, and Save and Close.
#pragma once

#include "DeviceScreen.h"
#include "DlgTab.h"
#include "engine/Launch_win.h"
#include "settings/SaveConfig.h"
#include "ui/Dialog.h"

#include <memory>
#include <string>
#include <vector>

class CDlgMain : public CDialog {
public:
    explicit CDlgMain(const DeviceScreen& screen = CurrentDeviceScreen());
    ~CDlgMain() override;

    bool IsLarge() const { return m_Screen.Large(); }
    CSetting* Setting() const { return m_Launch.Setting(); }
    // The text the start page shows for "the page shown last".
    const std::wstring& LastViewedText() const { return m_strLastViewed; }

    // The pages in tab order, and the one shown.
    size_t PageCount() const { return m_Pages.size(); }
    CDlgTab* PageAt(size_t index) const { return index < m_Pages.size() ? m_Pages[index].get() : nullptr; }
    CDlgTab* CurrentPage() const;

    // The loaded configuration; the pages edit it in place.
    CLaunch m_Launch;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override { Save(); }
    void OnCancel() override { Close(); }
    LRESULT OnNotify(NMHDR* header, bool& handled) override;
    void OnSize(int width, int height) override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    void OnDestroy() override;

private:
    bool LoadConfiguration();
    void ReportStoppedPageFiles() const;
    void CreatePages();
    RECT PageDisplayRect() const;
    bool LeaveTab();
    void EnterTab();
    void Save();
    void Close();

    DeviceScreen m_Screen;
    std::vector<std::unique_ptr<CDlgTab>> m_Pages;
    HICON m_hIcon = nullptr;
    bool m_bComInitialised = false;
    bool m_bPagesExist = false;
    bool m_bFirstLayout[2] = {true, true};  // portrait, landscape
    RECT m_rcTabInit[2] = {};
    RECT m_rcDisplay = {};
    std::wstring m_strLastViewed;
    std::vector<PageFileTarget> m_PageFiles;  // what Save rewrites
};
