// Small wide-string helpers shared by every loader.
#pragma once

#include <string>
#include <string_view>

bool IsSpaceW(wchar_t c);
std::wstring TrimW(std::wstring_view s);
// A view into s, past its leading white space.
std::wstring_view TrimLeftW(std::wstring_view s);
// Every occurrence of from replaced by to, in one left-to-right pass.
std::wstring ReplaceAllW(std::wstring_view s, std::wstring_view from, std::wstring_view to);
// Puts marker between every two neighbouring commas, so that each empty
// comma field holds something (the scanner's %[^,] cannot match nothing).
std::wstring FillEmptyFieldsW(std::wstring_view s, std::wstring_view marker);
bool StartsWithW(std::wstring_view s, std::wstring_view prefix);
bool StartsWithNoCaseW(std::wstring_view s, std::wstring_view prefix);
std::wstring ToUpperW(std::wstring_view s);
// _wtol: leading white space, an optional sign, digits; stops at the first
// other character; 0 when there are no digits; saturates at the 32-bit range.
int Wtol(std::wstring_view s);
// Appends a backslash unless s already ends in one.
std::wstring WithBackslash(std::wstring_view s);
