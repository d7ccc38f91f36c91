// A safe subset of swscanf for the line formats of the configuration files.
//
// Supported: %d (optional sign and digits after white space, saturating at
// the 32-bit range), %s (a run of non-white characters), %[set] and %[^set]
// (with ranges a-z; an empty match fails), %% and literal characters; white
// space in the pattern matches any run of white space. Strings are unbounded
// std::wstring outputs, so no input can overflow them; callers apply the
// formats' field limits themselves and report what they cut.
//
// Returns the number of conversions assigned before the first mismatch, as
// swscanf does (0 rather than EOF for empty input).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

class CScanOut {
public:
    CScanOut(int* p) : m_pInt(p) {}
    CScanOut(std::wstring* p) : m_pStr(p) {}
    // A part of the scanned text itself, valid as long as that text is.
    CScanOut(std::wstring_view* p) : m_pView(p) {}
    int* m_pInt = nullptr;
    std::wstring* m_pStr = nullptr;
    std::wstring_view* m_pView = nullptr;
};

int ScanW(std::wstring_view text, std::wstring_view pattern, std::initializer_list<CScanOut> outs);
