#include "SettingApp.h"

#include "DlgMain.h"
#include "MenuBar_win.h"
#include "base/Log.h"
#include "ui/Dialog.h"

BOOL CSettingApp::InitInstance(HINSTANCE instance)
{
    SetLogFileName(L"OrvaneSet.log");
    SetResourceInstance(instance);
    SHInitExtraControls();
    CDlgMain dialog;
    dialog.DoModal(nullptr);
    return FALSE;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    CSettingApp app;
    app.InitInstance(instance);
    return 0;
}
