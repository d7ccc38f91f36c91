// The month calendar panel without drawing: which month it shows, its grid
// of day numbers, the marks under the days and where everything goes.
#pragma once

#include "panels/PanelTime.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// An Args offset is clamped to this many months either way (a thousand
// years): the year arithmetic stays far from any limit.
inline constexpr int kMonthOffsetMax = 12000;

// Mark colours (COLORREF, 0x00BBGGRR).
inline constexpr std::uint32_t kTodayMark = 0x30A0DC;
inline constexpr std::uint32_t kSundayMark = 0x2030F0;
inline constexpr std::uint32_t kSaturdayMark = 0x10C060;

inline constexpr wchar_t kCalendarHeader[] = L"S  M  T  W  T  F  S";
inline constexpr wchar_t kCalendarHeaderJapanese[] = L"日 月 火 水 木 金 土";
// One cell of the grid: two digits and a space.
inline constexpr wchar_t kCalendarCell[] = L"00 ";
inline constexpr int kCalendarRows = 6;

struct CalendarMark {
    int column = 0, row = 0;
    std::uint32_t colour = 0;
};

struct CalendarGrid {
    long long year = 0;
    int month = 0;  // 0: nothing to show (no load date)
    std::wstring title;  // "YYYY/MM"
    std::array<std::wstring, kCalendarRows> rows;
    std::vector<CalendarMark> marks;
};

// The decimal month offset of an entry's Args (0 when it has none), clamped.
int MonthOffset(const std::wstring& args);
// The month of the load date moved by offset months, marked against now.
CalendarGrid MakeCalendar(const PanelTime& loadDate, const PanelTime& now, int offset);

// The header's seven day names from Sunday, one per column.
std::array<std::wstring, 7> CalendarHeaderCells(bool japanese);

struct PanelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
// The calendar's rectangle around its centre for a cell of cw × ch.
PanelRect CalendarRect(int cx, int cy, int cw, int ch);
// The mark of a day cell inside that rectangle.
PanelRect CalendarMarkRect(const PanelRect& box, int cw, int ch, int column, int row);
