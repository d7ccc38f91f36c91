// A window owned by a C++ object: the object is stored in the window's user
// data at creation, every message goes to its HandleMessage, and the user
// data is cleared before the window is gone. Copying disabled.
#pragma once

#include <windows.h>

class CWindowBase {
public:
    CWindowBase(const CWindowBase&) = delete;
    CWindowBase& operator=(const CWindowBase&) = delete;
    HWND Hwnd() const { return m_hWnd; }

protected:
    CWindowBase() = default;
    // Destroys a window still there without calling the derived handler.
    virtual ~CWindowBase();

    bool CreateBase(const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect, HWND parent);
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
};
