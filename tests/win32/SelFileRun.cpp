#include "SelFileRun.h"

#include "OrvaneSet_rc.h"

#include <commctrl.h>

namespace {

// Waits until the list has handled what was posted to it before: a change
// of the date column's width, posted after it, shows that (or the list is
// gone, when a tap ended the chooser).
void SettleList(HWND list)
{
    const int width = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, 3, 0));
    const int marker = width % 2 ? width - 1 : width + 1;
    ::PostMessageW(list, LVM_SETCOLUMNWIDTH, 3, marker);
    for (int i = 0; i < 150 && ::IsWindow(list) && ::SendMessageW(list, LVM_GETCOLUMNWIDTH, 3, 0) != marker; ++i)
        ::Sleep(20);
}

}  // namespace

HWND ChooserList(HWND chooser) { return ::GetDlgItem(chooser, IDC_SELFILE_LIST); }

std::wstring ChooserCell(HWND chooser, int row, int column)
{
    wchar_t text[260] = L"";
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 260;
    ::SendMessageW(ChooserList(chooser), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::wstring> ChooserRows(HWND chooser, int column)
{
    std::vector<std::wstring> rows;
    const int n = static_cast<int>(::SendMessageW(ChooserList(chooser), LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i)
        rows.push_back(ChooserCell(chooser, i, 0) + (column ? L"|" + ChooserCell(chooser, i, column) : L""));
    return rows;
}

int ChooserRowOf(HWND chooser, const std::wstring& name)
{
    const std::vector<std::wstring> rows = ChooserRows(chooser);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i] == name)
            return static_cast<int>(i);
    return -1;
}

void TapEntry(HWND chooser, const std::wstring& name, bool twice)
{
    const int row = ChooserRowOf(chooser, name);
    if (row < 0)
        return;
    RECT rc = {LVIR_LABEL, 0, 0, 0};
    ::SendMessageW(ChooserList(chooser), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
    const LPARAM at = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
    ::PostMessageW(ChooserList(chooser), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(ChooserList(chooser), WM_LBUTTONUP, 0, at);
    if (twice) {
        ::PostMessageW(ChooserList(chooser), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageW(ChooserList(chooser), WM_LBUTTONUP, 0, at);
    }
    SettleList(ChooserList(chooser));
}
