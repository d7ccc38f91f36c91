// Slot backgrounds drawn by CreateBG into a real RGB565 section under Wine:
// the colours of the four states, the gradient rows and where they start,
// the shared gradient brushes, and frames that have no shape.
#include "DisplayHarness.h"
#include "GdiCount.h"
#include "config/SettingIndex.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

namespace {

constexpr int kWidth = 480, kHeight = 300;

// A zeroed RGB565 surface to draw on.
class CCanvas {
public:
    CCanvas() : m_bitmap(CreateTopDownSection(kWidth, kHeight, 16, &m_bits)), m_dc(nullptr)
    {
        m_select.emplace(m_dc.Get(), m_bitmap.Get());
    }
    HDC DC() const { return m_dc.Get(); }
    std::uint16_t At(int x, int y) const
    {
        ::GdiFlush();
        const auto* row = static_cast<const std::uint8_t*>(m_bits) + static_cast<size_t>(y) * DibStride(kWidth, 16);
        return reinterpret_cast<const std::uint16_t*>(row)[x];
    }
    bool Blank() const
    {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (At(x, y) != 0)
                    return false;
        return true;
    }

private:
    void* m_bits = nullptr;
    CBitmapObj m_bitmap;
    CMemDC m_dc;
    std::optional<CSelectObj> m_select;
};

// Row y of h gradient rows from a to b, as the colour table describes it.
std::uint16_t Row(COLORREF a, COLORREF b, int y, int h)
{
    const double f = std::min(1.0, std::max(0.0, static_cast<double>(y) / h));
    auto mix = [f](int from, int to, int bits) {
        const double c = from + (to - from) * f;
        return static_cast<unsigned>(std::trunc(c * ((1 << bits) - 1) / 255.0));
    };
    return static_cast<std::uint16_t>((mix(GetRValue(a), GetRValue(b), 5) << 11) |
                                      (mix(GetGValue(a), GetGValue(b), 6) << 5) | mix(GetBValue(a), GetBValue(b), 5));
}

std::string Num(long long v) { return std::to_string(v); }

// A one-page installation: the sheet's frames and slots, and the page's icon
// lines.
std::string OnePage(const std::string& icons) { return "[P]\r\nS,0,0\r\nS,0,0\r\n" + icons; }

// The slot frame used unless a test says otherwise: 80 × 92 around (100, 150).
const char kBoxSheet[] =
    "[F_BOX]\r\n-40,-46\r\n40,46\r\n[SHEET_DEF]\r\n[S]\r\n100,150,0,0,DMOV_IN,DMOV_OUT,F_BOX,64\r\n";
constexpr int kTop = 104, kBottom = 196, kBand = 92;

class BackgroundWin32 : public ::testing::Test {
protected:
    void TearDown() override { engine.ExitLnch(); }

    void Start(std::map<int, std::string> settings, const std::string& sheets, const std::string& icons)
    {
        settings.emplace(Set::RefSize, "480");
        settings.emplace(Set::ScreenSize, "480");
        WriteInstallation(dev, settings, sheets, OnePage(icons), "1,P\r\n");
        ASSERT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(item.Port());
        ASSERT_NE(nullptr, engine.Sheet()->m_Layers[0].sheet);
    }
    const SheetSlot& Slot(int i) const { return engine.Sheet()->m_Layers[0].sheet->slots[static_cast<size_t>(i)]; }

    CDeviceSandbox dev;
    CTestLaunch engine;
    CTodayParent parent{kWidth, kHeight};
    CDisplayItem item{engine, parent.Hwnd(), 0, 0, kWidth, kHeight};
};

const COLORREF kFill[4] = {RGB(250, 10, 30), RGB(20, 200, 40), RGB(60, 70, 220), RGB(200, 180, 20)};
const COLORREF kEnd[4] = {RGB(10, 240, 200), RGB(120, 20, 90), RGB(230, 230, 230), RGB(30, 40, 50)};
const COLORREF kOutline[4] = {RGB(248, 248, 0), RGB(0, 248, 248), RGB(248, 0, 248), RGB(128, 128, 248)};

// Every colour of the four states, gradients on, no offsets.
std::map<int, std::string> StateColours()
{
    std::map<int, std::string> s;
    for (int state = 0; state < 4; ++state) {
        s[Set::IconBgColor + 5 * state] = Num(kFill[state]);
        s[Set::IconBgGrad + 5 * state] = Num(kEnd[state]);
        s[Set::IconBgGradOfs + 5 * state] = "0";
        s[Set::FramePen + 5 * state] = Num(kOutline[state]);
    }
    s[Set::LinkBgUse] = s[Set::TaskBgUse] = s[Set::RecentBgUse] = "1";
    return s;
}

const char* const kStateIcon[4] = {"1,App,\\Apps\\app.exe,,,0,----;;\r\n", "6,Other,Other,,,0,----;;\r\n",
                                   "40,Task-01,,,,0,----;;\r\n", "20,Recent-01,,,,0,----;;\r\n"};

}  // namespace

TEST_F(BackgroundWin32, GradientRowsRunFromFillToEnd)
{
    Start(StateColours(), kBoxSheet, kStateIcon[0]);
    CCanvas canvas;
    engine.CreateBG(canvas.DC());
    // RoundRect outlines the band's first and last rows; the rows inside
    // are the pattern's from its origin at the band's top.
    EXPECT_EQ(To565(kOutline[0]), canvas.At(100, kTop));
    EXPECT_EQ(Row(kFill[0], kEnd[0], 1, kBand), canvas.At(100, kTop + 1));
    EXPECT_EQ(Row(kFill[0], kEnd[0], 46, kBand), canvas.At(100, kTop + 46));
    EXPECT_EQ(Row(kFill[0], kEnd[0], kBand - 2, kBand), canvas.At(100, kBottom - 2));
    EXPECT_EQ(To565(kOutline[0]), canvas.At(100, kBottom - 1));
    EXPECT_EQ(0, canvas.At(100, kBottom));
    // The row's colour spans the band's width.
    EXPECT_EQ(canvas.At(100, kTop + 46), canvas.At(61, kTop + 46));
    EXPECT_EQ(canvas.At(100, kTop + 46), canvas.At(138, kTop + 46));

    // Without a gradient end colour the band is filled plain.
    engine.ExitLnch();
    std::map<int, std::string> plain = StateColours();
    plain[Set::IconBgGrad] = "0";
    Start(plain, kBoxSheet, kStateIcon[0]);
    CCanvas flat;
    engine.CreateBG(flat.DC());
    EXPECT_EQ(To565(kFill[0]), flat.At(100, kTop + 1));
    EXPECT_EQ(To565(kFill[0]), flat.At(100, kBottom - 2));
    EXPECT_EQ(0u, engine.GradientBrushCount());
}

TEST_F(BackgroundWin32, EachStateHasItsOwnBlockOfSettings)
{
    // The offset flag of state s is setting 25 + 5 s and its outline 26 + 5 s.
    // The old table read 25 + 4 s (a colour or a use flag, never 0 here) and
    // gave state 3 the task outline; with the flag off that would still
    // offset.
    for (int state = 0; state < 4; ++state) {
        for (const bool offset : {false, true}) {
            SCOPED_TRACE(testing::Message() << "state " << state << (offset ? " offset" : ""));
            std::map<int, std::string> settings = StateColours();
            settings[Set::IconBgGradOfs + 5 * state] = offset ? "1" : "0";
            Start(settings, kBoxSheet, kStateIcon[state]);
            CCanvas canvas;
            engine.CreateBG(canvas.DC());
            EXPECT_EQ(state, Slot(0).bgState);
            EXPECT_EQ(To565(kOutline[state]), canvas.At(60, 150));
            // With the offset the pattern starts 45 % down the band; above
            // that its last rows repeat.
            const int start = offset ? kBand * 45 / 100 : 0;
            EXPECT_EQ(Row(kFill[state], kEnd[state], (1 - start + kBand) % kBand, kBand), canvas.At(100, kTop + 1));
            EXPECT_EQ(Row(kFill[state], kEnd[state], 1, kBand), canvas.At(100, kTop + start + 1));
            engine.ExitLnch();
        }
    }
}

TEST_F(BackgroundWin32, TaskSlotWithItsTaskTakesTheTaskColours)
{
    IconEntry task;
    task.nAppType = APP_RUNNING_TASK;
    task.Name = L"Notepad";
    for (const bool use : {true, false}) {
        SCOPED_TRACE(use);
        std::map<int, std::string> settings = StateColours();
        settings[Set::IconBgGrad] = "0";  // plain fills: every state's solid colour
        settings[Set::TaskBgUse] = use ? "1" : "0";
        Start(settings, kBoxSheet, kStateIcon[2]);
        engine.Sheet()->m_Layers[0].icons->entries[0].Link = &task;
        CCanvas canvas;
        engine.CreateBG(canvas.DC());
        const int state = use ? 2 : 0;
        EXPECT_EQ(state, Slot(0).bgState);
        EXPECT_EQ(To565(kFill[state]), canvas.At(100, 150));
        EXPECT_EQ(To565(kOutline[state]), canvas.At(60, 150));
        engine.ExitLnch();
    }
}

TEST_F(BackgroundWin32, BandsWithinEightRowsShareOneBrush)
{
    // One 64-high frame on slots of 57, 63, 64 and 72 pixels: bands of those
    // heights, the first three in the same eighth.
    const std::string sheets =
        "[F_SQ]\r\n-32,-32\r\n32,32\r\n[SHEET_DEF]\r\n[S]\r\n"
        "50,100,0,0,DMOV_IN,DMOV_OUT,F_SQ,57\r\n150,100,0,0,DMOV_IN,DMOV_OUT,F_SQ,63\r\n"
        "250,100,0,0,DMOV_IN,DMOV_OUT,F_SQ,64\r\n350,100,0,0,DMOV_IN,DMOV_OUT,F_SQ,72\r\n";
    std::string icons;
    for (int i = 0; i < 4; ++i)
        icons += kStateIcon[0];
    Start(StateColours(), sheets, icons);
    CCanvas canvas;
    const unsigned long before = GdiObjectCount();
    engine.CreateBG(canvas.DC());
    EXPECT_EQ(2u, engine.GradientBrushCount());
    EXPECT_EQ(before + 2, GdiObjectCount());
    // The 63-high band runs on the 57-high pattern.
    EXPECT_EQ(Row(kFill[0], kEnd[0], 1, 57), canvas.At(150, 100 - 63 / 2 + 1));
    EXPECT_EQ(Row(kFill[0], kEnd[0], 58 - 57, 57), canvas.At(150, 100 - 63 / 2 + 58));

    // Drawn again, nothing new is made; ExitLnch frees them.
    engine.CreateBG(canvas.DC());
    EXPECT_EQ(2u, engine.GradientBrushCount());
    EXPECT_EQ(before + 2, GdiObjectCount());
    engine.ExitLnch();
    EXPECT_EQ(0u, engine.GradientBrushCount());
    EXPECT_EQ(before, GdiObjectCount());
}

TEST_F(BackgroundWin32, FramesWithoutShapeDrawNothing)
{
    struct Case {
        const char* name;
        std::string frame;
        bool blank;  // nothing at all is drawn
        void (*spoil)(CSheet&);
    } cases[] = {
        {"one point", "0,0\r\n", true, nullptr},
        {"flat rectangle", "-40,0\r\n40,0\r\n", false, nullptr},
        {"flat polygon", "-40,5\r\n0,5\r\n40,5\r\n", false, nullptr},
        {"no points", "-40,-40\r\n40,40\r\n", true,
         [](CSheet& s) { const_cast<SheetFrame&>(s.Frames().back()).points.clear(); }},
        {"no such frame", "-40,-40\r\n40,40\r\n", true,
         [](CSheet& s) { const_cast<SheetSlot&>(s.m_Layers[0].sheet->slots[0]).frame = 200; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string sheets = "[F_X]\r\n" + c.frame +
                                   "[SHEET_DEF]\r\n[S]\r\n100,150,0,0,DMOV_IN,DMOV_OUT,F_X,64\r\n";
        Start(StateColours(), sheets, kStateIcon[0]);
        if (c.spoil)
            c.spoil(*engine.Sheet());
        CCanvas canvas;
        engine.CreateBG(canvas.DC());
        EXPECT_EQ(0u, engine.GradientBrushCount());
        if (c.blank) {
            EXPECT_TRUE(canvas.Blank());
        }
        engine.ExitLnch();
    }

    // A screen of no size scales every frame to nothing.
    std::map<int, std::string> settings = StateColours();
    settings[Set::ScreenSize] = "0";
    Start(settings, kBoxSheet, kStateIcon[0]);
    CCanvas canvas;
    engine.CreateBG(canvas.DC());
    EXPECT_TRUE(canvas.Blank());
}

TEST_F(BackgroundWin32, PlaceholdersDrawNoFrameButRecordTheirState)
{
    const std::string sheets =
        "[F_BOX]\r\n-40,-46\r\n40,46\r\n[SHEET_DEF]\r\n[S]\r\n"
        "100,150,0,0,DMOV_IN,DMOV_OUT,F_BOX,64\r\n300,150,0,0,DMOV_IN,DMOV_OUT,F_BOX,64\r\n";
    Start(StateColours(), sheets, "5,Blank,-,,,0,----;;\r\n0,Unset,-,,,0,----;;\r\n");
    const_cast<SheetSlot&>(Slot(0)).bgState = 3;
    CCanvas canvas;
    engine.CreateBG(canvas.DC());
    EXPECT_TRUE(canvas.Blank());
    EXPECT_EQ(0, Slot(0).bgState);
}
