// The stylus, as real mouse messages posted to the window under the point
// (or to the window that captured the mouse), with client coordinates and
// MK_LBUTTON while pressed; the thread's button state follows, so that
// GetKeyState(VK_LBUTTON) agrees. Posting keeps them in order with the
// script's own steps; each goes through the message loop like input.
#pragma once

#include <windows.h>

#include <string>

class CTodayScreen;

class CPointer {
public:
    explicit CPointer(CTodayScreen& screen) : m_screen(screen) {}
    CPointer(const CPointer&) = delete;
    CPointer& operator=(const CPointer&) = delete;

    // Each returns where the message went: "Name X,Y" in that window's
    // client coordinates ("Desktop" for the screen's own window).
    std::wstring Down(POINT pt);
    std::wstring Move(POINT pt);
    std::wstring Up(POINT pt);

    bool Pressed() const { return m_bPressed; }
    POINT Last() const { return m_ptLast; }

private:
    std::wstring Post(UINT msg, WPARAM keys, POINT pt);
    static void SetButtonState(bool down);

    CTodayScreen& m_screen;
    bool m_bPressed = false;
    POINT m_ptLast = {0, 0};
};
