// The panels without drawing: the calendar's month and grid, the clock's
// hands, font specs and when panels are drawn again.
#include "SheetRuntimeFixture.h"
#include "config/FontList.h"
#include "panels/Calendar.h"
#include "panels/Clock.h"
#include "panels/FontSpec.h"
#include "panels/PanelState.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

PanelTime Day(int y, int m, int d, int h = 12, int mi = 0, int s = 0) { return MakePanelTime(y, m, d, h, mi, s); }

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// The marks of a grid as "column,row:colour" in drawing order.
std::string Marks(const CalendarGrid& g)
{
    std::string out;
    for (const CalendarMark& m : g.marks) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%d,%d:%06X ", m.column, m.row, m.colour);
        out += buffer;
    }
    return out;
}

}  // namespace

TEST(CalendarPanel, MonthsAndGrids)
{
    struct Case {
        PanelTime load, now;
        const wchar_t* args;
        const char* title;
        const char* row0;
        const char* lastRow;  // the last row that holds days
        int lastRowIndex;
    } cases[] = {
        // September 2024 starts on a Sunday: no spaces; June 2024 on a Saturday: 18.
        {Day(2024, 9, 10), Day(2024, 9, 10), L"", "2024/09", "01 02 03 04 05 06 07 ", "29 30 ", 4},
        {Day(2024, 6, 3), Day(2024, 6, 3), L"", "2024/06", "                  01 ", "30 ", 5},
        // A leap February: the day before March 1 is the 29th.
        {Day(2024, 2, 20), Day(2024, 2, 20), L"", "2024/02", "            01 02 03 ", "25 26 27 28 29 ", 4},
        {Day(2023, 2, 20), Day(2023, 2, 20), L"", "2023/02", "         01 02 03 04 ", "26 27 28 ", 4},
        // Months counted from the load date, whatever now says.
        {Day(2024, 6, 15), Day(2030, 1, 1), L"-1", "2024/05", "         01 02 03 04 ", "26 27 28 29 30 31 ", 4},
        {Day(2024, 6, 15), Day(2024, 6, 15), L"12", "2025/06", "01 02 03 04 05 06 07 ", "29 30 ", 4},
        {Day(2024, 1, 15), Day(2024, 1, 15), L"-13", "2022/12", "            01 02 03 ", "25 26 27 28 29 30 31 ", 4},
        {Day(2024, 1, 15), Day(2024, 1, 15), L" +2", "2024/03", "               01 02 ", "31 ", 5},
        {Day(2024, 1, 15), Day(2024, 1, 15), L"soon", "2024/01", "   01 02 03 04 05 06 ", "28 29 30 31 ", 4},
        // Offsets near the 32-bit limits stop a thousand years away.
        {Day(2024, 6, 15), Day(2024, 6, 15), L"2147483647", "3024/06", "      01 02 03 04 05 ", "27 28 29 30 ", 4},
        {Day(2024, 6, 15), Day(2024, 6, 15), L"-2147483647", "1024/06", "      01 02 03 04 05 ", "27 28 29 30 ", 4},
        {Day(2024, 6, 15), Day(2024, 6, 15), L"99999999999", "3024/06", "      01 02 03 04 05 ", "27 28 29 30 ", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const CalendarGrid g = MakeCalendar(c.load, c.now, MonthOffset(c.args));
        EXPECT_EQ(c.title, Narrow(g.title));
        EXPECT_EQ(c.row0, Narrow(g.rows[0]));
        EXPECT_EQ(c.lastRow, Narrow(g.rows[static_cast<size_t>(c.lastRowIndex)]));
        for (size_t k = static_cast<size_t>(c.lastRowIndex) + 1; k < g.rows.size(); ++k)
            EXPECT_TRUE(g.rows[k].empty()) << k;
    }
    EXPECT_TRUE(MakeCalendar(PanelTime(), Day(2024, 1, 1), 0).title.empty());  // never loaded: nothing
}

TEST(CalendarPanel, DayMarks)
{
    struct Case {
        PanelTime now;
        const char* marks;
    } cases[] = {
        // June 2024: Saturdays 1, 8, ...; Sundays 2, 9, ... Today on a weekday
        // adds its mark between them in day order.
        {Day(2024, 6, 12), "6,0:10C060 0,1:2030F0 6,1:10C060 0,2:2030F0 3,2:30A0DC 6,2:10C060 0,3:2030F0 "
                           "6,3:10C060 0,4:2030F0 6,4:10C060 0,5:2030F0 "},
        // Today on a Saturday and on a Sunday: today's colour wins.
        {Day(2024, 6, 8), "6,0:10C060 0,1:2030F0 6,1:30A0DC 0,2:2030F0 6,2:10C060 0,3:2030F0 6,3:10C060 "
                          "0,4:2030F0 6,4:10C060 0,5:2030F0 "},
        {Day(2024, 6, 30), "6,0:10C060 0,1:2030F0 6,1:10C060 0,2:2030F0 6,2:10C060 0,3:2030F0 6,3:10C060 "
                           "0,4:2030F0 6,4:10C060 0,5:30A0DC "},
        // Another month or year shows no today.
        {Day(2023, 6, 12), "6,0:10C060 0,1:2030F0 6,1:10C060 0,2:2030F0 6,2:10C060 0,3:2030F0 6,3:10C060 "
                           "0,4:2030F0 6,4:10C060 0,5:2030F0 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.marks, Marks(MakeCalendar(Day(2024, 6, 1), c.now, 0))) << c.now.day;
}

TEST(CalendarPanel, Geometry)
{
    // Cells of 21 × 15: half width (147 − 7) / 2 = 70.
    const PanelRect box = CalendarRect(200, 100, 21, 15);
    EXPECT_EQ(130, box.left);
    EXPECT_EQ(270, box.right);
    EXPECT_EQ(40, box.top);
    EXPECT_EQ(160, box.bottom);
    const PanelRect mark = CalendarMarkRect(box, 21, 15, 6, 5);  // the last cell
    EXPECT_EQ(130 + 126, mark.left);
    EXPECT_EQ(40 + 7 * 15 + 9, mark.top);
    EXPECT_EQ(14, mark.right - mark.left);
    EXPECT_EQ(6, mark.bottom - mark.top);

    // The header's names, one per column from Sunday.
    EXPECT_EQ((std::array<std::wstring, 7>{L"S", L"M", L"T", L"W", L"T", L"F", L"S"}), CalendarHeaderCells(false));
    EXPECT_EQ(L"日", CalendarHeaderCells(true)[0]);
    EXPECT_EQ(L"土", CalendarHeaderCells(true)[6]);
}

TEST(ClockPanel, TablesAndHands)
{
    const ClockTables& t = GetClockTables();
    const int positions[][3] = {{0, -999, 0}, {4, -913, 406}, {15, 0, 1000}, {30, 999, 0},
                                {45, 0, -999}, {52, -669, -743}, {59, -994, -104}};
    for (const auto& p : positions) {
        EXPECT_EQ(p[1], t.SinTable[static_cast<size_t>(p[0])]) << p[0];
        EXPECT_EQ(p[2], t.CosTable[static_cast<size_t>(p[0])]) << p[0];
    }

    // Centre (100, 100), size 100: radius 70; hands of 49, 63 and 70.
    struct Case {
        int h, m, s, hourPosition;
        ClockPoint hour, minute, second;
    } cases[] = {
        {3, 0, 0, 15, {149, 100}, {100, 38}, {100, 31}},   // hour right, the others up
        {15, 0, 0, 15, {149, 100}, {100, 38}, {100, 31}},  // the afternoon on the same dial
        {10, 30, 45, 52, {64, 68}, {100, 162}, {31, 100}},
        {12, 59, 0, 4, {119, 56}, {94, 38}, {100, 31}},
        {0, 59, 0, 4, {119, 56}, {94, 38}, {100, 31}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.h << ":" << c.m << ":" << c.s);
        const ClockHands hands = MakeClockHands(100, 100, 100, MakePanelTime(2024, 1, 1, c.h, c.m, c.s));
        EXPECT_EQ(70, hands.radius);
        EXPECT_EQ(c.hourPosition, hands.hourPosition);
        for (const auto& [got, want] : {std::pair{hands.hour, c.hour}, {hands.minute, c.minute},
                                        {hands.second, c.second}}) {
            EXPECT_EQ(want.x, got.x);
            EXPECT_EQ(want.y, got.y);
        }
    }
    EXPECT_EQ(88, ClockPanelSide(64));  // 2 × (64 × 70 / 100)
}

TEST(ClockPanel, FaceBox)
{
    struct Case {
        int width, height;
        ClockFaceBox box;
    } cases[] = {
        {128, 128, {30, 30, 140, 140}},
        {64, 128, {30, 30, 140, 280}},  // twice as high as wide: 2r by 4r from cy − r
        {128, 64, {30, 30, 140, 70}},
        {0, 64, {0, 0, 0, 0}},           // nothing to keep the shape of
    };
    for (const Case& c : cases) {
        const ClockFaceBox b = MakeClockFaceBox(100, 100, 70, c.width, c.height);
        EXPECT_EQ(c.box.left, b.left) << c.width << "x" << c.height;
        EXPECT_EQ(c.box.top, b.top);
        EXPECT_EQ(c.box.width, b.width);
        EXPECT_EQ(c.box.height, b.height);
    }
}

TEST(FontSpecText, Parse)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* face;
        int height;
        bool clearType;
    } cases[] = {
        {L"Tahoma(14)CT", L"Tahoma", 14, true},
        {L"Tahoma(14)ct", L"Tahoma", 14, true},
        {L"MS Gothic(20)", L"MS Gothic", 20, false},
        {L"Tahoma(14) CT", L"Tahoma", 14, false},  // the rest must be exactly the two letters
        {L"Tahoma(14)CTX", L"Tahoma", 14, false},
        {L"Tahoma", L"Tahoma", 0, false},
        {L"(14)CT", L"", 0, false},
        {L"Big(99999999)", L"Big", kFontSpecHeightMax, false},
        {L"Neg(-2147483648)", L"Neg", -kFontSpecHeightMax, false},
        {L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij(9)", L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", 9, false},
    };
    for (const Case& c : cases) {
        const FontSpec spec = ParseFontSpec(c.text);
        EXPECT_EQ(c.face, spec.face) << Narrow(c.text);
        EXPECT_EQ(c.height, spec.height) << Narrow(c.text);
        EXPECT_EQ(c.clearType, spec.clearType) << Narrow(c.text);
    }

    CFontList fonts;
    fonts.Fill({{L"Tahoma", 0x22}, {L"Courier New", 0x31}});
    EXPECT_EQ(L"Tahoma", ResolveFontFace(L"Tahoma", fonts));
    EXPECT_EQ(L"Courier New", ResolveFontFace(L"Helvetica", fonts));  // the default (fixed-pitch) face
    EXPECT_EQ(L"Courier New", ResolveFontFace(L"tahoma", fonts));     // face names are case-sensitive
}

TEST(PanelRefresh, DueByWholeSeconds)
{
    struct Case {
        PanelTime shown, now;
        int interval;
        bool due;
    } cases[] = {
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 0), 1, false},  // the same second
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 1), 1, true},
        {Day(2024, 1, 1, 23, 59, 59), Day(2024, 1, 2, 0, 0, 0), 1, true},
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 4), 5, false},
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 5), 5, true},
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 1), 0, true},   // no interval is one second
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 8, 0, 0), 60, true},  // the clock was put back
        {PanelTime(), Day(2024, 1, 1), 1, true},                          // never drawn
        {Day(2024, 1, 1), PanelTime(), 1, false},                          // no time to show
    };
    for (const Case& c : cases) {
        PanelState state;
        state.refreshInterval = c.interval;
        state.shown = c.shown;
        state.now = c.now;
        EXPECT_EQ(c.due, PanelsDue(state)) << c.now.hour << ":" << c.now.second << " / " << c.interval;
    }
}

class PanelVisibility : public SheetRuntimeFixture {
protected:
    void SetUp() override { UseSettings({}); }
};

TEST_F(PanelVisibility, OnlyIconsInVisibleSlots)
{
    // Three slots, five icons: the last two wait off the sheet.
    LoadSheet(Row({60, 160, 260}, 150, 40));
    IconList page = Page({APP_PROGRAM, APP_PROGRAM, APP_PROGRAM, APP_PANEL, APP_PANEL});
    sheets->SetCurSheet(L"S_T", &page, 0, false);
    std::vector<IconEntry*> seen;
    ForEachVisibleIcon(*sheets, [&](IconEntry& e) { seen.push_back(&e); });
    EXPECT_EQ((std::vector<IconEntry*>{&page.entries[0], &page.entries[1], &page.entries[2]}), seen);
    EXPECT_FALSE(AnyVisiblePanel(*sheets));

    // Scrolled by three, the panels stand in slots 0 and 1.
    sheets->m_nScrollOffset = 3;
    EXPECT_TRUE(AnyVisiblePanel(*sheets));

    const wchar_t* paths[] = {L"CAL", L"ACLOCK", L"%H:%M", L"cal", L""};
    const PanelKind kinds[] = {PanelKind::Calendar, PanelKind::Clock, PanelKind::DateText, PanelKind::DateText,
                               PanelKind::DateText};
    for (size_t i = 0; i < std::size(paths); ++i) {
        IconEntry e;
        e.Path = paths[i];
        EXPECT_EQ(kinds[i], PanelKindOf(e)) << i;
    }
}
