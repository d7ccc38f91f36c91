// The sample's Clock page drawn under Wine at pinned times: the hands point
// where the time says, today's mark sits on its day, the date texts stand
// whole on their slots, panels are sized when laid out, and fonts go with a
// reload.
#include "DisplayHarness.h"
#include "GdiCount.h"
#include "config/SettingIndex.h"
#include "panels/Calendar.h"
#include "panels/Clock.h"
#include "panels/DateText.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 480, kHeight = 300;
// The sample's portrait Clock page: the clock, this month, next month, the
// digital clock and the weekday line.
constexpr POINT kClock = {80, 118};
constexpr int kClockSize = 96;
constexpr POINT kThisMonth = {240, 118}, kNextMonth = {400, 118}, kDigital = {126, 262};

class CPinnedLaunch : public CTestLaunch {
public:
    PanelTime now;

protected:
    PanelTime PanelNow() const override { return now; }
};

bool White(std::uint32_t rgb) { return (rgb & 0xE0E0E0u) == 0xE0E0E0u; }

// A white pixel within one pixel of the point.
bool WhiteNear(const CPixels& px, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (White(px.At(x + dx, y + dy)))
                return true;
    return false;
}

// The point at a distance from the clock's centre towards a minute position.
POINT Towards(int position, int distance)
{
    const double a = position * 3.14159265358979 / 30;
    return {kClock.x + static_cast<int>(std::lround(distance * std::sin(a))),
            kClock.y - static_cast<int>(std::lround(distance * std::cos(a)))};
}

// The cell and line height of a panel font, as the calendar measures them.
SIZE Measure(const wchar_t* spec, const std::wstring& text)
{
    CMemDC dc(nullptr);
    CFontObj font(CreatePanelFont(spec));
    CSelectObj select(dc.Get(), font.Get());
    SIZE size = {};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

class PanelDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        WriteSampleInstallation(dev, {{Set::ScreenSize, "480"}, {Set::FirstPage, "Clock"}});
    }
    void TearDown() override
    {
        engine.ExitLnch();
        if (SUCCEEDED(m_com))
            ::CoUninitialize();
    }

    // The Clock page loaded at the time and drawn at rest.
    CPixels ShowAt(const PanelTime& t)
    {
        engine.now = t;
        EXPECT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(item.Port());
        EXPECT_TRUE(SettleFocused(engine, item));
        return ReadPixels(engine.FrameDC(), kWidth, kHeight);
    }
    IconEntry& Panel(size_t i) { return engine.Sheet()->m_Layers[0].icons->entries[i]; }

    HRESULT m_com = E_FAIL;
    CDeviceSandbox dev;
    CPinnedLaunch engine;
    CTodayParent parent{kWidth, kHeight + 80};
    CDisplayItem item{engine, parent.Hwnd(), 0, 40, kWidth, kHeight};
};

}  // namespace

TEST_F(PanelDraw, HandsPointWhereTheTimeSays)
{
    // Inside the dial's tick ring only the hands are white.
    constexpr int kNear = 20;
    struct Case {
        int h, m, s;
        std::vector<int> hands;  // minute positions with a hand
        std::vector<int> bare;   // and without
    } cases[] = {
        {3, 0, 0, {15, 0}, {30, 45}},           // hour right, minute and second up
        {9, 30, 45, {47, 30, 45}, {0, 15}},     // hour left, minute down, second left
        {12, 59, 20, {4, 59, 20}, {30, 45}},    // the hour hand just past twelve
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.h << ":" << c.m << ":" << c.s);
        const CPixels frame = ShowAt(MakePanelTime(2024, 6, 12, c.h, c.m, c.s));
        for (int p : c.hands) {
            const POINT at = Towards(p, kNear);
            EXPECT_TRUE(WhiteNear(frame, at.x, at.y)) << "hand towards " << p;
        }
        for (int p : c.bare) {
            const POINT at = Towards(p, kNear);
            EXPECT_FALSE(WhiteNear(frame, at.x, at.y)) << "no hand towards " << p;
        }
            // Laid out as a square of twice the radius.
        EXPECT_EQ(ClockPanelSide(kClockSize), Panel(0).width);
        engine.ExitLnch();
    }
}

// Saturday 8 June 2024: this month's cell (6, 1) is today's, Sunday the
// 2nd is (0, 1); July (Args 1) has no today and Saturday the 6th at (6, 0).
TEST_F(PanelDraw, SaturdayOnTheClockPage)
{
    const CPixels frame = ShowAt(MakePanelTime(2024, 6, 8, 23, 58, 17));
    EXPECT_TRUE(SavePng(ShotFolder() + L"\\clock-page-" + (::GetACP() == 932 ? L"932" : L"1252") + L".png", frame));
    const SIZE cell = Measure(L"Tahoma(14)CT", kCalendarCell);
    const int cw = static_cast<int>(cell.cx), ch = static_cast<int>(cell.cy);
    // The share of a day's mark in the colour, in percent.
    auto share = [&](POINT centre, int column, int row, std::uint32_t colour) {
        const PanelRect m = CalendarMarkRect(CalendarRect(centre.x, centre.y, cw, ch), cw, ch, column, row);
        const std::uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
        int hits = 0, all = 0;
        for (int y = m.top; y < m.bottom; ++y)
            for (int x = m.left; x < m.right; ++x, ++all)
                hits += frame.At(x, y) == rgb;
        return all ? hits * 100 / all : 0;
    };
    EXPECT_GT(share(kThisMonth, 6, 1, kTodayMark), 30);
    EXPECT_GT(share(kThisMonth, 0, 1, kSundayMark), 30);
    EXPECT_EQ(0, share(kThisMonth, 3, 1, kSundayMark) + share(kThisMonth, 3, 1, kTodayMark));  // a Wednesday
    EXPECT_GT(share(kNextMonth, 6, 0, kSaturdayMark), 30);
    EXPECT_EQ(0, share(kNextMonth, 1, 1, kTodayMark));  // Monday the 8th of July is not today
    const SIZE digit = Measure(L"Tahoma(14)CT", L"0");
    EXPECT_EQ(20 * digit.cx + 1, Panel(1).width);  // 20 digits by 8 lines
    EXPECT_EQ(8 * digit.cy + 1, Panel(1).height);

    // The digital clock, measured when laid out, stands whole and centred.
    const SIZE text = Measure(L"Tahoma(26)CT", L"23:58:17");
    EXPECT_EQ(text.cx + 1, Panel(3).width);
    int first = kWidth, last = -1;
    for (int y = kDigital.y - text.cy / 2; y < kDigital.y + text.cy / 2; ++y)
        for (int x = kDigital.x - 110; x < kDigital.x + 110; ++x)
            if (White(frame.At(x, y))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    EXPECT_NEAR(kDigital.x - text.cx / 2, first, 3);
    EXPECT_NEAR(kDigital.x - text.cx / 2 + text.cx - 1, last, 3);

    // The weekday in the system's language, in glyphs the font really has.
    const std::wstring weekday = FormatDateText(L"%A", engine.Panels().now, engine.PanelPainter().Names());
    EXPECT_EQ(::GetACP() == 932 ? L"土曜日" : L"Saturday", weekday);
    auto glyph = [](const wchar_t* c) {
        CMemDC dc(nullptr);
        void* bits = nullptr;
        CBitmapObj bitmap(CreateTopDownSection(32, 32, 32, &bits));
        CFontObj font(CreatePanelFont(L"Tahoma(20)CT"));
        CSelectObj sb(dc.Get(), bitmap.Get()), sf(dc.Get(), font.Get());
        ::ExtTextOutW(dc.Get(), 2, 2, 0, nullptr, c, 1, nullptr);
        ::GdiFlush();
        const auto* p = static_cast<const std::uint32_t*>(bits);
        return std::vector<std::uint32_t>(p, p + 32 * 32);
    };
    EXPECT_NE(glyph(L"土"), glyph(L"曜")) << "two kanji drawn alike: boxes for glyphs the font lacks";
}

TEST_F(PanelDraw, FontsGoWithEachLoad)
{
    ShowAt(MakePanelTime(2024, 6, 8, 10, 0, 0));
    // Three specs on the page: 14, 26 and 20 pixels.
    EXPECT_EQ(3u, engine.PanelPainter().FontCount());
    auto cycle = [&] {
        ASSERT_EQ(1, engine.InitLnch());
        EXPECT_EQ(0u, engine.PanelPainter().FontCount());
        engine.ShowFirstPage(item.Port());
        engine.m_nFrame = 100000;
        item.Paint();
        EXPECT_EQ(3u, engine.PanelPainter().FontCount());
    };
    for (int i = 0; i < 3; ++i)
        cycle();
    const unsigned long objects = GdiObjectCount();
    for (int i = 0; i < 20; ++i)
        cycle();
    EXPECT_EQ(objects, GdiObjectCount());
}
