#include "EdtColor.h"

#include "DlgSetColor.h"
#include "settings/ValueText.h"

#include <vector>

namespace {

bool g_bColorEditorOpen = false;

std::wstring WindowText(HWND hwnd)
{
    std::vector<wchar_t> text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    return text.data();
}

}  // namespace

bool CEdtColor::EditorOpen() { return g_bColorEditorOpen; }

void CEdtColor::SetColor(std::uint32_t colour)
{
    m_nColor = colour & 0xFFFFFF;
    m_Brush.Reset(::CreateSolidBrush(m_nColor));
    if (Hwnd()) {
        ::SetWindowTextW(Hwnd(), ColorFieldText(m_nColor).c_str());
        ::InvalidateRect(Hwnd(), nullptr, TRUE);
    }
}

void CEdtColor::Parse()
{
    std::uint32_t colour = m_nColor;
    ParseColorField(WindowText(Hwnd()), colour);
    SetColor(colour);
}

HBRUSH CEdtColor::CtlColor(HDC dc)
{
    ::SetTextColor(dc, TextColourOn(m_nColor));
    ::SetBkColor(dc, m_nColor);
    return m_Brush.Get();
}

void CEdtColor::OpenEditor()
{
    if (g_bColorEditorOpen)
        return;
    Parse();
    g_bColorEditorOpen = true;
    CDlgSetColor editor(m_nColor);
    const bool ok = editor.DoModal(::GetParent(Hwnd())) == IDOK;
    g_bColorEditorOpen = false;
    if (ok)
        SetColor(editor.Color());
}

LRESULT CEdtColor::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        // Enter takes the typed colour; it does not close the dialog.
        if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            Parse();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == L'\r')
            return 0;  // no beep for the Enter that was taken
        break;
    case WM_KILLFOCUS:
        Parse();
        break;
    case WM_LBUTTONUP: {
        const LRESULT result = Default(msg, wParam, lParam);
        OpenEditor();
        return result;
    }
    }
    return Default(msg, wParam, lParam);
}
