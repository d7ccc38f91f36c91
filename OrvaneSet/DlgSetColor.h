// The colour editor: red, green and blue each as a number field with an
// up-down control and a slider, and the old colour beside the new one. A
// tap on the old colour brings it back.
#pragma once

#include "engine/Gdi_win.h"
#include "ui/Dialog.h"

#include <cstdint>

class CDlgSetColor : public CDialog {
public:
    explicit CDlgSetColor(std::uint32_t colour);
    // After OK: red + 256 green + 65536 blue.
    std::uint32_t Color() const { return m_nColor; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    HBRUSH OnCtlColor(HDC dc, HWND control) override;
    void OnSize(int width, int height) override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void SetChannels(std::uint32_t colour);
    void FillFields();
    void TakeField(int channel);
    void ShowNewColour();
    std::uint32_t Channels() const;

    std::uint32_t m_nOld;
    std::uint32_t m_nColor;
    int m_nValue[3] = {0, 0, 0};  // red, green, blue
    bool m_bFilling = false;
    CBrushObj m_OldBrush;
    CBrushObj m_NewBrush;
};
