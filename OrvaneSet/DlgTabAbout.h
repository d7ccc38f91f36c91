// The Version tab: the program's icon, name and version.
#pragma once

#include "DlgTab.h"

class CDlgTabAbout : public CDlgTab2 {
public:
    explicit CDlgTabAbout(CDlgMain& main);

protected:
    BOOL OnInitDialog() override;
};

inline constexpr wchar_t kProgramVersion[] = L"1.16";
