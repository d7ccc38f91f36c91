// Conversion between the device's ANSI code page and wide text.
//
// On Windows the conversions use the process's ANSI code page (CP_ACP). The
// native build stands in for it with iconv and one process-wide code page,
// 1252 unless a caller selects another (932 for Shift-JIS).
#pragma once

#include <string>
#include <string_view>

// Bytes in the ANSI code page -> wide text. Bytes that do not decode become
// replacement characters; nothing is dropped silently at the ends.
std::wstring AnsiToWide(std::string_view bytes);

// Wide text -> bytes in the ANSI code page. The buffer is sized from the real
// conversion, so a multi-byte code page can never overflow it. Characters the
// code page lacks become '?'.
std::string WideToAnsi(std::wstring_view text);

unsigned GetAnsiCodePage();

// Native build only: selects the code page of the conversions above and
// returns true. On Windows the ANSI code page belongs to the system and this
// returns false unless cp already is it.
bool SelectAnsiCodePage(unsigned cp);

// UTF-8, for host file names and for console output of the tools.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view bytes);
