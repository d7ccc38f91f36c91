// The Env tab: the language, the sibling launcher's configuration, and the
// additional environments (folders "QVL*" under "\Program Files\QVL" of
// main memory and the cards) whose page files are kept with the own.
#pragma once

#include "DlgTab.h"
#include "config/Folders.h"

#include <vector>

class CDlgTabEnv : public CDlgTab2 {
public:
    explicit CDlgTabEnv(CDlgMain& main);

    void RefreshTab() override;
    BOOL ApplyTab() override;
    // The environments offered, in row order.
    const std::vector<Environment>& Environments() const { return m_Envs; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void AddResizeCtrls() override;

private:
    void BuildEnvList();
    void ShowFolder();
    bool RowChecked(int row) const;
    void CheckRow(int row, bool checked);

    std::vector<Environment> m_Envs;
};
