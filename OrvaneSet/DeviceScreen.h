// The screen the settings program runs on: the device's (on a PC, the Today
// emulator's while it runs), never the PC's own when a device is emulated.
#pragma once

#include <windows.h>

struct DeviceScreen {
    int width = 0, height = 0;
    int pixelsPerInch = 96;
    RECT where = {};  // where it lies on the PC's desktop

    // The large templates fit it (settings/Layout).
    bool Large() const;
    bool Landscape() const { return width > height; }
};

DeviceScreen CurrentDeviceScreen();
