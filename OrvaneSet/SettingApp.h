// The settings program's application object: it readies the shell's extra
// controls and runs the main dialog; the program ends with the dialog.
#pragma once

#include <windows.h>

class CSettingApp {
public:
    // FALSE: there is nothing to run after the dialog.
    BOOL InitInstance(HINSTANCE instance);
};
