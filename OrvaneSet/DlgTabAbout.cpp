#include "DlgTabAbout.h"

#include "OrvaneSet_rc.h"

CDlgTabAbout::CDlgTabAbout(CDlgMain& main) : CDlgTab2(main, IDD_ABOUT, IDD_ABOUT_LARGE) {}

BOOL CDlgTabAbout::OnInitDialog()
{
    CDlgTab2::OnInitDialog();
    SetItemText(IDC_ABOUT_NAME, L"Orvane ver");
    SetItemText(IDC_ABOUT_VERSION, kProgramVersion);
    return TRUE;
}
