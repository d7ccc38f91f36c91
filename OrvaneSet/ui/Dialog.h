// The dialog base of the settings program: one object per dialog window.
// At WM_INITDIALOG the object is bound to its window (the window's user
// data points to it) and from then on every message goes to the object's
// handlers; the binding is cleared at WM_NCDESTROY. The same base runs a
// dialog modally or creates it modeless (the tab pages, and tests).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>
#include <string>

class CDialog {
public:
    explicit CDialog(UINT templateId) : m_nTemplate(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog in its own message loop; the value EndDialog gave.
    INT_PTR DoModal(HWND parent);
    // Creates the dialog without a loop of its own; false on failure.
    bool Create(HWND parent);
    // Ends a modal dialog, or destroys a modeless one, with the result.
    void EndDialog(INT_PTR result);
    void Destroy();

    HWND Hwnd() const { return m_hWnd; }
    UINT TemplateId() const { return m_nTemplate; }
    INT_PTR Result() const { return m_nResult; }

    // Control helpers.
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendItem(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetItemText(int id, const std::wstring& text) const;
    std::wstring ItemText(int id) const;
    void ShowItem(int id, bool show) const;
    void EnableItem(int id, bool enable) const;
    void SetCheck(int id, bool checked) const;
    bool IsChecked(int id) const;
    // The control's rectangle in this dialog's client coordinates.
    RECT ItemRect(int id) const;
    int Message(const std::wstring& text, const std::wstring& caption, UINT flags = MB_OK) const;
    // Moves the control's right edge (and, with move, the whole control)
    // to margin pixels inside the client area's right edge.
    void AlignRight(int id, int margin, bool move = false) const;
    // Lays the controls out side by side, sharing the width of the control
    // widthOf with gaps of gap pixels, each keeping its own top and height:
    // templates are laid out in dialog units, and a Japanese font makes
    // those narrower than the screen.
    void SpreadRow(std::initializer_list<int> ids, int widthOf, int gap) const;
    // On the device a dialog covers the screen: here, its owner's window.
    void CoverOwner() const;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    // True when the command was handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Set handled when the notification was taken; the result goes back.
    virtual LRESULT OnNotify(NMHDR* /*header*/, bool& handled)
    {
        handled = false;
        return 0;
    }
    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual void OnHotKey(WPARAM /*wParam*/, LPARAM /*lParam*/) {}
    // The brush to paint a control with, or null for the default.
    virtual HBRUSH OnCtlColor(HDC /*dc*/, HWND /*control*/) { return nullptr; }
    // Any other message; set handled to answer it.
    virtual INT_PTR OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled)
    {
        handled = false;
        return 0;
    }
    virtual void OnDestroy() {}

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Notify(NMHDR* header);
    void Command(int id, int code, HWND control);

    UINT m_nTemplate;
    HWND m_hWnd = nullptr;
    bool m_bModal = false;
    INT_PTR m_nResult = 0;
};

// The module whose resources the dialogs load (the program's own).
HINSTANCE ResourceInstance();
void SetResourceInstance(HINSTANCE instance);
