// The device installer's setup-library protocol (Windows builds only): the
// four functions a package's setup DLL exports by name, and their results.
// The installer calls Install_Init/Install_Exit around copying the package
// and Uninstall_Init/Uninstall_Exit around removing it.
#pragma once

#include <windows.h>

enum codeINSTALL_INIT { codeINSTALL_INIT_CONTINUE = 0, codeINSTALL_INIT_CANCEL };
enum codeINSTALL_EXIT { codeINSTALL_EXIT_DONE = 0, codeINSTALL_EXIT_UNINSTALL };
enum codeUNINSTALL_INIT { codeUNINSTALL_INIT_CONTINUE = 0, codeUNINSTALL_INIT_CANCEL };
enum codeUNINSTALL_EXIT { codeUNINSTALL_EXIT_DONE = 0 };

extern "C" {
// fFirstCall is FALSE when the installer asks again (e.g. for another folder).
codeINSTALL_INIT Install_Init(HWND hwndParent, BOOL fFirstCall, BOOL fPreviouslyInstalled, LPCWSTR pszInstallDir);
codeINSTALL_EXIT Install_Exit(HWND hwndParent, LPCWSTR pszInstallDir, WORD cFailedDirs, WORD cFailedFiles,
                              WORD cFailedRegKeys, WORD cFailedRegVals, WORD cFailedShortcuts);
codeUNINSTALL_INIT Uninstall_Init(HWND hwndParent, LPCWSTR pszInstallDir);
codeUNINSTALL_EXIT Uninstall_Exit(HWND hwndParent);
}
