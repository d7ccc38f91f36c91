#include "panels/Calendar.h"

#include "base/Format.h"
#include "base/Scan.h"

#include <algorithm>

int MonthOffset(const std::wstring& args)
{
    int offset = 0;
    ScanW(args, L"%d", {&offset});
    return std::clamp(offset, -kMonthOffsetMax, kMonthOffsetMax);
}

CalendarGrid MakeCalendar(const PanelTime& loadDate, const PanelTime& now, int offset)
{
    CalendarGrid grid;
    if (loadDate.status != TimeStatus::Valid)
        return grid;
    offset = std::clamp(offset, -kMonthOffsetMax, kMonthOffsetMax);
    // Months counted from year 0, so that one floor division brings the
    // month back into 1 to 12 whatever the sign.
    const long long months = loadDate.year * 12LL + (loadDate.month - 1) + offset;
    grid.year = months >= 0 ? months / 12 : (months - 11) / 12;
    grid.month = static_cast<int>(months - grid.year * 12) + 1;
    grid.title = FormatW(L"%04d/%02d", grid.year, grid.month);

    const int days = DaysInMonth(grid.year, grid.month);
    int column = WeekdayOf(grid.year, grid.month, 1);
    int row = 0;
    grid.rows[0].assign(static_cast<size_t>(column) * 3, L' ');
    const bool thisMonth =
        now.status == TimeStatus::Valid && now.year == grid.year && now.month == grid.month;
    for (int d = 1; d <= days; ++d) {
        grid.rows[static_cast<size_t>(row)] += FormatW(L"%02d ", d);
        if (thisMonth && now.day == d)
            grid.marks.push_back({column, row, kTodayMark});
        else if (column == 0)
            grid.marks.push_back({column, row, kSundayMark});
        else if (column == 6)
            grid.marks.push_back({column, row, kSaturdayMark});
        if (++column == 7) {
            column = 0;
            ++row;
        }
    }
    return grid;
}

std::array<std::wstring, 7> CalendarHeaderCells(bool japanese)
{
    std::array<std::wstring, 7> cells;
    size_t n = 0;
    for (const wchar_t* c = japanese ? kCalendarHeaderJapanese : kCalendarHeader; *c && n < cells.size(); ++c)
        if (*c != L' ')
            cells[n++] = std::wstring(1, *c);
    return cells;
}

PanelRect CalendarRect(int cx, int cy, int cw, int ch)
{
    const int half = (7 * cw - cw / 3) / 2;
    return {cx - half, cy - 4 * ch, cx + half, cy + 4 * ch};
}

PanelRect CalendarMarkRect(const PanelRect& box, int cw, int ch, int column, int row)
{
    const int left = box.left + column * cw;
    const int top = box.top + (2 + row) * ch + ch * 3 / 5;
    return {left, top, left + 2 * cw / 3, top + 2 * ch / 5};
}
