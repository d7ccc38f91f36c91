// A control of a dialog given behaviour of its own: the object subclasses
// the control's window and sees its messages first. The subclass is removed
// when the object goes or the window is destroyed, whichever comes first.
#pragma once

#include <windows.h>

class CSubclass {
public:
    CSubclass() = default;
    virtual ~CSubclass();
    CSubclass(const CSubclass&) = delete;
    CSubclass& operator=(const CSubclass&) = delete;

    // Takes over the dialog's control; false when it does not exist.
    bool Attach(HWND dialog, int id);
    void Detach();
    HWND Hwnd() const { return m_hWnd; }

protected:
    // The control's messages; call Default for what it does itself.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) { return Default(msg, wParam, lParam); }
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    HWND m_hWnd = nullptr;
};
