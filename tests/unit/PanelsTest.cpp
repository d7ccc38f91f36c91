// The panels without drawing: the calendar's month and grid, the clock's
// hands, font specs and when panels are drawn again. The day marks' colours
// are checked on the drawn calendar (PanelDrawTest).
#include "config/FontList.h"
#include "panels/Calendar.h"
#include "panels/Clock.h"
#include "panels/FontSpec.h"
#include "panels/PanelState.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

PanelTime Day(int y, int m, int d, int h = 12, int mi = 0, int s = 0) { return MakePanelTime(y, m, d, h, mi, s); }

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

}  // namespace

TEST(CalendarPanel, MonthsAndGrids)
{
    struct Case {
        PanelTime load;
        const wchar_t* args;
        const char *title, *row0, *row4, *row5;
    } cases[] = {
        // September 2024 starts on a Sunday: no spaces; June 2024 on a Saturday: 18.
        {Day(2024, 9, 10), L"", "2024/09", "01 02 03 04 05 06 07 ", "29 30 ", ""},
        {Day(2024, 6, 3), L"", "2024/06", "                  01 ", "23 24 25 26 27 28 29 ", "30 "},
        // A leap February: the day before March 1 is the 29th.
        {Day(2024, 2, 20), L"", "2024/02", "            01 02 03 ", "25 26 27 28 29 ", ""},
        // Months counted from the load date.
        {Day(2024, 6, 15), L"-1", "2024/05", "         01 02 03 04 ", "26 27 28 29 30 31 ", ""},
        {Day(2024, 6, 15), L"12", "2025/06", "01 02 03 04 05 06 07 ", "29 30 ", ""},
        {Day(2024, 1, 15), L"-13", "2022/12", "            01 02 03 ", "25 26 27 28 29 30 31 ", ""},
        // Offsets near the 32-bit limits stop a thousand years away.
        {Day(2024, 6, 15), L"2147483647", "3024/06", "      01 02 03 04 05 ", "27 28 29 30 ", ""},
        {Day(2024, 6, 15), L"-2147483647", "1024/06", "      01 02 03 04 05 ", "27 28 29 30 ", ""},
    };
    for (const Case& c : cases) {
        const CalendarGrid g = MakeCalendar(c.load, c.load, MonthOffset(c.args));
        EXPECT_EQ(c.title, Narrow(g.title)) << Narrow(c.args);
        EXPECT_EQ(c.row0, Narrow(g.rows[0])) << c.title;
        EXPECT_EQ(c.row4, Narrow(g.rows[4])) << c.title;
        EXPECT_EQ(c.row5, Narrow(g.rows[5])) << c.title;
    }
    EXPECT_TRUE(MakeCalendar(PanelTime(), Day(2024, 1, 1), 0).title.empty());  // never loaded: nothing
}

TEST(ClockPanel, TablesAndHands)
{
    const ClockTables& t = GetClockTables();
    EXPECT_EQ(std::pair(-999, 0), std::pair(t.SinTable[0], t.CosTable[0]));  // straight up
    EXPECT_EQ(std::pair(0, 1000), std::pair(t.SinTable[15], t.CosTable[15]));
    EXPECT_EQ(std::pair(-669, -743), std::pair(t.SinTable[52], t.CosTable[52]));

    // Centre (100, 100), size 100: radius 70; hands of 49, 63 and 70.
    struct Case {
        int h, m, s, hourPosition;
        ClockPoint hour, minute, second;
    } cases[] = {
        {3, 0, 0, 15, {149, 100}, {100, 38}, {100, 31}},  // hour right, the others up
        {10, 30, 45, 52, {64, 68}, {100, 162}, {31, 100}},
        {12, 59, 0, 4, {119, 56}, {94, 38}, {100, 31}},
        {0, 59, 0, 4, {119, 56}, {94, 38}, {100, 31}},
    };
    for (const Case& c : cases) {
        const ClockHands h = MakeClockHands(100, 100, 100, MakePanelTime(2024, 1, 1, c.h, c.m, c.s));
        EXPECT_EQ(c.hourPosition, h.hourPosition) << c.h << ":" << c.m;
        for (const auto& [got, want] : {std::pair{h.hour, c.hour}, {h.minute, c.minute}, {h.second, c.second}})
            EXPECT_TRUE(got.x == want.x && got.y == want.y) << c.h << ":" << c.m << " " << got.x << "," << got.y;
    }
    // A face twice as high as wide: 2r by 4r from cy - r; one without width is not drawn.
    const ClockFaceBox tall = MakeClockFaceBox(100, 100, 70, 64, 128);
    EXPECT_TRUE(tall.left == 30 && tall.top == 30 && tall.width == 140 && tall.height == 280);
    EXPECT_EQ(0, MakeClockFaceBox(100, 100, 70, 0, 64).width);
}

TEST(FontSpecText, Parse)
{
    struct Case {
        const wchar_t *text, *face;
        int height;
        bool clearType;
    } cases[] = {
        {L"Tahoma(14)CT", L"Tahoma", 14, true},
        {L"MS Gothic(20)ct", L"MS Gothic", 20, true},
        {L"Tahoma(14) CT", L"Tahoma", 14, false},  // the rest must be exactly the two letters
        {L"(14)CT", L"", 0, false},
        {L"Big(99999999)", L"Big", kFontSpecHeightMax, false},
        {L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij(9)", L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", 9, false},
    };
    for (const Case& c : cases) {
        const FontSpec spec = ParseFontSpec(c.text);
        EXPECT_TRUE(spec.face == c.face && spec.height == c.height && spec.clearType == c.clearType) << Narrow(c.text);
    }
    CFontList fonts;
    fonts.Fill({{L"Tahoma", 0x22}, {L"Courier New", 0x31}});
    EXPECT_EQ(L"Tahoma", ResolveFontFace(L"Tahoma", fonts));
    EXPECT_EQ(L"Courier New", ResolveFontFace(L"Helvetica", fonts));  // the default (fixed-pitch) face
}

TEST(PanelRefresh, DueByWholeSeconds)
{
    struct Case {
        PanelTime shown, now;
        int interval;
        bool due;
    } cases[] = {
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 0), 1, false},  // every tick of the same second
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 1), 1, true},   // the next second at once
        {Day(2024, 1, 1, 23, 59, 59), Day(2024, 1, 2, 0, 0, 0), 1, true},
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 9, 0, 4), 5, false},
        {Day(2024, 1, 1, 9, 0, 0), Day(2024, 1, 1, 8, 0, 0), 60, true},  // the clock was put back
        {PanelTime(), Day(2024, 1, 1), 1, true},                          // never drawn
    };
    for (const Case& c : cases) {
        PanelState state;
        state.refreshInterval = c.interval;
        state.shown = c.shown;
        state.now = c.now;
        EXPECT_EQ(c.due, PanelsDue(state)) << c.now.hour << ":" << c.now.second << " / " << c.interval;
    }
}
