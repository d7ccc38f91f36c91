// The face combo of the font editor: the faces of the program-wide font
// list (gathered once, from the screen) of the kind the setting asks for.
#pragma once

#include "settings/EditorOptions.h"

#include <windows.h>

#include <string>

class CCmbFont {
public:
    void Attach(HWND dialog, int id) { m_hWnd = ::GetDlgItem(dialog, id); }
    HWND Hwnd() const { return m_hWnd; }
    // The faces of the kind, in the list's order.
    void Fill(FontPitch pitch);
    // Selects the face (exact match); false when it is not offered.
    bool Select(const std::wstring& face);
    // The selected face; empty when none is.
    std::wstring Face() const;

private:
    HWND m_hWnd = nullptr;
};
