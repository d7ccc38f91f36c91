// The file chooser as a user's taps work it, for the tests that open it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

HWND ChooserList(HWND chooser);
std::wstring ChooserCell(HWND chooser, int row, int column);
// The rows' names, or "name|text" with the text of the column when asked.
std::vector<std::wstring> ChooserRows(HWND chooser, int column = 0);
// The row of the entry with the name; -1 without one.
int ChooserRowOf(HWND chooser, const std::wstring& name);
// A tap on the entry (twice: a double tap), posted as the pen makes it;
// returns once the chooser has handled it.
void TapEntry(HWND chooser, const std::wstring& name, bool twice = false);
