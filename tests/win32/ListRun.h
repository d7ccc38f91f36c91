// List views and the file chooser's list, worked and read as a user's taps
// and eyes would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// List views. The rows' first cells, in list order, each followed by sep and
// the cell of the column when one is given ("label=value", "name|size").
std::vector<std::wstring> ListRows(HWND list, int column = -1, const wchar_t* sep = L"|");
// The rows' first cells, each followed by the mark of its check box.
std::vector<std::wstring> ListChecks(HWND list, const wchar_t* checked, const wchar_t* unchecked);
// The row whose first cell has the text, or whose item data is param; -1 without one.
int ListRowOf(HWND list, const std::wstring& text);
int ListRowOfParam(HWND list, LPARAM param);
// Selects and focuses the row alone; -1 clears the selection.
void SelectListRow(HWND list, int row);
// The point, in the list's client coordinates, where a tap on the row lands.
LPARAM RowPoint(HWND list, int row);
// A double tap on the row: posted (what it opens runs in the list's own
// thread), or sent (it runs before the call returns).
void DoubleTapRow(HWND list, int row, bool sent = false);

// The file chooser's list; a tap on its entry with the name (twice: a
// double tap), posted as the pen makes it, returning once the chooser has
// handled it.
HWND ChooserList(HWND chooser);
void TapEntry(HWND chooser, const std::wstring& name, bool twice = false);
