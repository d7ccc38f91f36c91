#include "SimScreen.h"

#include "System.h"

CSimScreen::CSimScreen(int width, int height)
{
    const ScreenRect rect{0, 0, width, height};
    SetStandInDesktop(&rect);
}

CSimScreen::~CSimScreen() { SetStandInDesktop(nullptr); }
