#include "ListRun.h"

#include "OrvaneSet_rc.h"
#include "ui/ListView.h"

#include <commctrl.h>

namespace {

constexpr DWORD kPollMs = 20;

}  // namespace

std::vector<std::wstring> ListRows(HWND list, int column, const wchar_t* sep)
{
    std::vector<std::wstring> rows;
    for (int row = 0, n = ListView_GetItemCount(list); row < n; ++row)
        rows.push_back(ListCell(list, row, 0) + (column >= 0 ? sep + ListCell(list, row, column) : L""));
    return rows;
}

std::vector<std::wstring> ListChecks(HWND list, const wchar_t* checked, const wchar_t* unchecked)
{
    std::vector<std::wstring> rows;
    for (int row = 0, n = ListView_GetItemCount(list); row < n; ++row)
        rows.push_back(ListCell(list, row, 0) +
                       (ListView_GetCheckState(list, static_cast<UINT>(row)) ? checked : unchecked));
    return rows;
}

int ListRowOf(HWND list, const std::wstring& text)
{
    for (int row = 0, n = ListView_GetItemCount(list); row < n; ++row)
        if (ListCell(list, row, 0) == text)
            return row;
    return -1;
}

int ListRowOfParam(HWND list, LPARAM param)
{
    for (int row = 0, n = ListView_GetItemCount(list); row < n; ++row) {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (item.lParam == param)
            return row;
    }
    return -1;
}

void SelectListRow(HWND list, int row)
{
    const UINT selected = LVIS_SELECTED | LVIS_FOCUSED;
    ListView_SetItemState(list, -1, 0, selected);
    if (row >= 0)
        ListView_SetItemState(list, row, selected, selected);
}

LPARAM RowPoint(HWND list, int row)
{
    RECT rc = {LVIR_LABEL, 0, 0, 0};
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rc));
    return MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
}

void DoubleTapRow(HWND list, int row, bool sent)
{
    if (sent)
        ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(list, row));
    else
        ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(list, row));
}

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
        ::Sleep(kPollMs);
}

}  // namespace

HWND ChooserList(HWND chooser) { return ::GetDlgItem(chooser, IDC_SELFILE_LIST); }

void TapEntry(HWND chooser, const std::wstring& name, bool twice)
{
    HWND list = ChooserList(chooser);
    const int row = ListRowOf(list, name);
    if (row < 0)
        return;
    const LPARAM at = RowPoint(list, row);
    ::PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(list, WM_LBUTTONUP, 0, at);
    if (twice) {
        ::PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        ::PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    SettleList(list);
}
