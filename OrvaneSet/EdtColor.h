// The colour field: six hexadecimal digits (red first) on a background of
// the colour, in white or black as reads best. A tap opens the colour
// editor; Enter or leaving the field takes what was typed when it is six
// hexadecimal digits, and shows the colour again otherwise.
#pragma once

#include "engine/Gdi_win.h"
#include "ui/Subclass.h"

#include <cstdint>

class CEdtColor : public CSubclass {
public:
    void SetColor(std::uint32_t colour);
    std::uint32_t Color() const { return m_nColor; }
    // Takes the typed text, or restores the text of the colour.
    void Parse();
    // The brush and text colour the owner paints the field with.
    HBRUSH CtlColor(HDC dc);
    // A colour editor is open somewhere in the program.
    static bool EditorOpen();

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OpenEditor();

    std::uint32_t m_nColor = 0xFFFFFF;
    CBrushObj m_Brush;
};
