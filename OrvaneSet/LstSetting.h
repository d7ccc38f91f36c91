// The setting list: one row per setting definition of a range, its label
// and its value; a colour is shown on a cell of that colour. A double tap
// or Enter on a row opens the value editor (a custom definition asks the
// list's owner instead, with WM_EDITSETTING).
#pragma once

#include "config/SettingTable.h"
#include "ui/Subclass.h"

#include <commctrl.h>

// To the owner: wParam the definition's index. The owner answers 1 when it
// changed the value, 2 when not.
inline constexpr UINT WM_EDITSETTING = WM_USER + 102;

class CLstSetting : public CSubclass {
public:
    // Takes over the owner's list control and sets it up for the settings.
    bool Init(HWND owner, int id, CSettingTable& settings);
    // Rows for the definitions first to last (both included), hidden ones left out.
    void Fill(int first, int last);
    // Shows the value of the definition's row again; -1: of every row.
    void ShowValue(int index);
    // Opens the editor of the row.
    void EditRow(int row);
    int RowCount() const;
    // The definition index of a row, and the row of an index (-1: none).
    int IndexOfRow(int row) const;
    int RowOfIndex(int index) const;
    std::wstring CellText(int row, int column) const;

    // The owner hands its notifications from the list here: custom
    // drawing and double taps; handled false when it was not one of them.
    LRESULT OnNotify(NMHDR* header, bool& handled);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT CustomDraw(NMLVCUSTOMDRAW* draw) const;
    void SetRowHeight();

    HWND m_hOwner = nullptr;
    CSettingTable* m_pSettings = nullptr;
};
