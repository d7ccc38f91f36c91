// The words of a script line: blanks separate them, "..." keeps a path with
// blanks together, "#" ends the line. Numbers are decimal or 0x hex.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

std::vector<std::wstring> Tokens(const std::wstring& line);
std::optional<long> Number(const std::wstring& text, long min, long max);
std::optional<POINT> Point(const std::wstring& x, const std::wstring& y);
// A key by name (up, down, left, right, enter, escape, …) or virtual-key code.
std::optional<UINT> KeyCode(const std::wstring& text);
