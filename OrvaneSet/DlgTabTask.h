// The Task tab: how a task icon reacts to taps, and the exclusion list of
// window titles the task list never shows, with the titles of the windows
// that run now (walked with the plug-in's own task-list code) to pick from.
#pragma once

#include "DlgTab.h"

#include <string>
#include <vector>

class CDlgTabTask : public CDlgTab2 {
public:
    explicit CDlgTabTask(CDlgMain& main);

    void RefreshTab() override;
    BOOL ApplyTab() override;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSize(int width, int height) override;

private:
    void RefreshWindows();
    void AddExclusion();
    void DeleteExclusion();
    std::vector<std::wstring> ListedExclusions() const;
};
