#include "DeviceScreen.h"

#include "System.h"
#include "settings/Layout.h"

bool DeviceScreen::Large() const { return IsLargeScreen(width, height, pixelsPerInch); }

DeviceScreen CurrentDeviceScreen()
{
    DeviceScreen screen;
    GetScreenSize(screen.width, screen.height);
    if (HDC dc = ::GetDC(nullptr)) {
        screen.pixelsPerInch = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(nullptr, dc);
    }
    screen.where = {0, 0, screen.width, screen.height};
    // Over the emulated device's screen, where a person looks for it.
    if (HWND today = ::FindWindowW(L"DesktopExplorerWindow", nullptr)) {
        POINT origin = {0, 0};
        ::ClientToScreen(today, &origin);
        ::OffsetRect(&screen.where, origin.x, origin.y);
    }
    return screen;
}
