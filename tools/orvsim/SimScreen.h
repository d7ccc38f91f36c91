// The device screen orvsim simulates: the Today screen's desktop window
// announces it, as the emulator does, so that an automatic screen size in
// "Orvane.ini" sees the device and not the PC.
#pragma once

class CSimScreen {
public:
    CSimScreen(int width, int height);
    ~CSimScreen();
    CSimScreen(const CSimScreen&) = delete;
    CSimScreen& operator=(const CSimScreen&) = delete;

private:
    void* m_pWindow = nullptr;  // the stand-in desktop window on Windows
};
