// The date-text panel's formatter: the entry's Path as a time format in the
// conventions of the C library's strftime, done here rather than handed to
// the library (whose invalid-parameter handler ends the process on a code it
// does not know). Known codes, "%#" forms and the E and O modifiers
// included, are replaced; anything else is shown as written.
#pragma once

#include "panels/PanelTime.h"

#include <array>
#include <string>
#include <string_view>

// The names and patterns of one language, as the system's locale gives
// them. The three patterns are the system's date and time pictures
// ("M/d/yyyy", "dddd, MMMM d, yyyy", "h:mm:ss tt").
struct DateNames {
    std::array<std::wstring, 7> shortDays, longDays;  // from Sunday
    std::array<std::wstring, 12> shortMonths, longMonths;
    std::wstring am, pm;
    std::wstring shortDate, longDate, time;
    std::wstring zoneName;  // %Z
    int zoneBias = 0;       // minutes east of UTC, for %z
};
// The C library's own "C" locale: English names, "MM/dd/yy" and "HH:mm:ss".
const DateNames& CLocaleDateNames();

// Longer texts are cut here.
inline constexpr size_t kDateTextMax = 255;
inline constexpr wchar_t kInvalidDateText[] = L"Invalid DateTime";

// The time formatted with the pattern: empty for a time never set,
// "Invalid DateTime" for one that makes no date.
std::wstring FormatDateText(std::wstring_view pattern, const PanelTime& t, const DateNames& names);
// A system date or time picture ("yyyy/MM/dd", "H:mm:ss", quotes for
// literal text) applied to the time.
std::wstring FormatDatePicture(std::wstring_view picture, const PanelTime& t, const DateNames& names);
