// Report-view list controls: columns and cell texts.
#pragma once

#include <windows.h>

#include <string>

void AddListColumn(HWND list, int index, const wchar_t* title, int width);
void SetListCell(HWND list, int row, int column, const std::wstring& text);
std::wstring ListCell(HWND list, int row, int column);
