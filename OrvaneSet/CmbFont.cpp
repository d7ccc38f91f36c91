#include "CmbFont.h"

#include "config/FontList.h"

#include <vector>

void CCmbFont::Fill(FontPitch pitch)
{
    ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
    CFontList& fonts = FontList();
    fonts.Ensure();
    for (const FontListEntry& f : fonts.Entries()) {
        if ((pitch == FontPitch::Fixed && f.kind != 1) || (pitch == FontPitch::Proportional && f.kind == 1))
            continue;
        ::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.face.c_str()));
    }
}

bool CCmbFont::Select(const std::wstring& face)
{
    const int count = static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<wchar_t> text(static_cast<size_t>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        ::SendMessageW(m_hWnd, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        if (face == text.data()) {
            ::SendMessageW(m_hWnd, CB_SETCURSEL, i, 0);
            return true;
        }
    }
    ::SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    return false;
}

std::wstring CCmbFont::Face() const
{
    const LRESULT sel = ::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR)
        return {};
    std::vector<wchar_t> text(static_cast<size_t>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, sel, 0)) + 1, L'\0');
    ::SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(sel), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}
