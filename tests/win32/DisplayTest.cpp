// Display on real windows and real GDI under Wine: the watermark asked of
// the parent, the page frame blended into it, icons and captions on the
// frame surface, the timing line, the surfaces' life, and what happens when
// GDI gives nothing.
#include "DisplayHarness.h"
#include "GdiCount.h"
#include "config/Folders.h"
#include "config/SettingIndex.h"
#include "engine/IconImage_win.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kItemTop = 40;  // where the item sits in the parent
constexpr int kWidth = 480, kHeight = 300;

// Two 80 × 80 frames at (100, 150) and (300, 150).
const char kSheets[] =
    "[F_BOX]\r\n-40,-40\r\n40,40\r\n"
    "[SHEET_DEF]\r\n"
    "[S]\r\n100,150,0,0,DMOV_IN,DMOV_OUT,F_BOX,64\r\n300,150,0,0,DMOV_IN,DMOV_OUT,F_BOX,64\r\n";
const char kPageOrder[] = "1,P\r\n";

std::string Pages(const std::string& image)
{
    return "[P]\r\nS,0,0\r\nS,0,0\r\n"
           "1,Alpha,\\Apps\\alpha.exe,," + image + ",0,----;;\r\n"
           "1,Beta,\\Apps\\beta.exe,," + image + ",0,----;;\r\n";
}

std::string Num(long long v) { return std::to_string(v); }

// Settings every drawing test starts from: the reference screen is the
// screen, gradients off, no timing line.
std::map<int, std::string> BaseSettings()
{
    return {{Set::RefSize, "480"},  {Set::ScreenSize, "480"}, {Set::IconBgGrad, "0"},
            {Set::ShowTiming, "0"}, {Set::FirstPage, ""},     {Set::HeightPortrait, "300"}};
}

// One RGB565 channel blend as the frame's: b kept m percent.
std::uint16_t Blend(std::uint16_t b, std::uint16_t o, int m)
{
    unsigned out = 0;
    for (unsigned mask : {0xF800u, 0x07E0u, 0x001Fu})
        out |= (((b & mask) * static_cast<unsigned>(m) + (o & mask) * static_cast<unsigned>(100 - m)) / 100) & mask;
    return static_cast<std::uint16_t>(out);
}

class DisplayWin32 : public ::testing::Test {
protected:
    void SetUp() override { m_com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override
    {
        engine.ExitLnch();
        if (SUCCEEDED(m_com))
            ::CoUninitialize();
    }

    void Install(std::map<int, std::string> settings, const std::string& image = "")
    {
        for (const auto& [k, v] : BaseSettings())
            settings.emplace(k, v);
        WriteInstallation(dev, settings, kSheets, Pages(image), kPageOrder);
    }

    void Start()
    {
        ASSERT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(item.Port());
    }

    // The background surface's pixel at an item point.
    std::uint16_t Background(int x, int y) const
    {
        const int stride = DibStride(engine.BitmapHeader().bmiHeader.biWidth, 16) / 2;
        return engine.BackgroundBits()[static_cast<size_t>(y) * static_cast<size_t>(stride) + static_cast<size_t>(x)];
    }
    std::uint16_t Watermark(int x, int y) const { return To565(parent.WatermarkAt(x, y + kItemTop)); }

    HRESULT m_com = E_FAIL;
    CDeviceSandbox dev;
    CTestLaunch engine;
    CTodayParent parent{kWidth, kHeight + 2 * kItemTop};
    CDisplayItem item{engine, parent.Hwnd(), 0, kItemTop, kWidth, kHeight};
};

// The pixel is green at half alpha blended over back, each channel within
// rounding.
::testing::AssertionResult HalfGreenOver(std::uint32_t back, std::uint32_t mixed)
{
    const int expected[3] = {static_cast<int>((back >> 16) & 0xFF) * 127 / 255,
                             128 + static_cast<int>((back >> 8) & 0xFF) * 127 / 255,
                             static_cast<int>(back & 0xFF) * 127 / 255};
    for (int c = 0; c < 3; ++c)
        if (std::abs(expected[c] - static_cast<int>((mixed >> (16 - 8 * c)) & 0xFF)) > 3)
            return ::testing::AssertionFailure() << std::hex << mixed << " is not half green over " << back;
    return ::testing::AssertionSuccess();
}

// A PNG of the given size: opaque red in its upper half, green at half alpha
// in its lower half.
std::string RedOverHalfGreenPng(int width, int height)
{
    std::vector<std::uint32_t> argb(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (size_t i = 0; i < argb.size(); ++i)
        argb[i] = i < argb.size() / 2 ? 0xFFFF0000u : 0x8000FF00u;
    return EncodePng(width, height, argb);
}

// Colours GDI stores in RGB565 without loss of their top bits.
const COLORREF kLight = RGB(200, 100, 40), kDark = RGB(16, 48, 96), kFill = RGB(40, 200, 120),
               kPen = RGB(248, 248, 0);

}  // namespace

TEST_F(DisplayWin32, FocusedBackgroundBlendsTheFrameIntoTheWatermark)
{
    parent.SetWatermark(kLight, kDark);
    struct Case {
        int setting, m;
    } cases[] = {{0, 0}, {50, 50}, {100, 100}, {150, 100}, {-20, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        Install({{Set::FrameBlend, Num(c.setting)}, {Set::IconBgColor, Num(kFill)}, {Set::FramePen, Num(kPen)}});
        Start();
        engine.m_bFocus = 1;
        const int requests = parent.Requests();
        item.Paint();
        ASSERT_EQ(requests + 1, parent.Requests());
        ASSERT_NE(nullptr, engine.BackgroundBits());

        // Inside a frame, on its outline, and off it (the watermark as the
        // parent has it under the item).
        for (const POINT p : {POINT{100, 150}, POINT{110, 120}, POINT{300, 170}})
            EXPECT_EQ(Blend(Watermark(p.x, p.y), To565(kFill), c.m), Background(p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(Blend(Watermark(60, 150), To565(kPen), c.m), Background(60, 150));
        for (const POINT p : {POINT{5, 5}, POINT{13, 290}, POINT{200, 150}, POINT{479, 299}})
            EXPECT_EQ(Watermark(p.x, p.y), Background(p.x, p.y)) << p.x << "," << p.y;
        engine.ExitLnch();
    }

    // Halfway, worked out by hand: red 25 and 5, green 25 and 50, blue 5 and 15.
    EXPECT_EQ((15 << 11) | (37 << 5) | 10, Blend(To565(kLight), To565(kFill), 50));
}

TEST_F(DisplayWin32, BlackFrameDrawingLeavesTheWatermark)
{
    parent.SetWatermark(kLight, kDark);
    Install({{Set::FrameBlend, "0"}, {Set::IconBgColor, "0"}, {Set::FramePen, Num(kPen)}});
    Start();
    engine.m_bFocus = 1;
    item.Paint();
    ASSERT_NE(nullptr, engine.BackgroundBits());
    // The black fill is not blended even when the frame is opaque; the
    // outline is.
    EXPECT_EQ(Watermark(100, 150), Background(100, 150));
    EXPECT_EQ(Watermark(300, 150), Background(300, 150));
    EXPECT_EQ(To565(kPen), Background(60, 150));

    // Not focused: no frame at all.
    engine.m_bFocus = 0;
    engine.m_bRebuild = 1;
    item.Paint();
    EXPECT_EQ(Watermark(60, 150), Background(60, 150));
}

TEST_F(DisplayWin32, AlphaIconIsBlendedOverTheBackground)
{
    const std::string png = RedOverHalfGreenPng(64, 64);
    ASSERT_FALSE(png.empty());
    dev.WriteFile(L"\\Icons\\half.png", png);

    parent.SetWatermark(kDark);
    Install({{Set::IconBgColor, "0"}, {Set::FramePen, "0"}, {Set::CaptionMode, "1"}}, "\\Icons\\half.png");
    Start();
    ASSERT_TRUE(SettleFocused(engine, item));
    const IconEntry& e = engine.Sheet()->m_Layers[0].icons->entries[0];
    ASSERT_TRUE(e.flags & ICON_ALPHA);
    ASSERT_TRUE(e.flags & ICON_PLACED);
    const int top = e.y + engine.Sheet()->m_nCaptionOffset - 32;
    const CPixels frame = ReadPixels(engine.FrameDC(), kWidth, kHeight);
    const std::uint32_t back = ReadPixels(engine.BackgroundDC(), kWidth, kHeight).At(e.x, top + 56);

    EXPECT_EQ(0xFF0000u, frame.At(e.x, top + 8));
    EXPECT_TRUE(HalfGreenOver(back, frame.At(e.x, top + 56)));
    // Beside the image the background shows.
    EXPECT_EQ(back, frame.At(e.x - 40, top + 8));
}

// A recent slot has no picture of its own: once the ring is fed it shows
// the launched entry's, in that entry's proportions and with its alpha,
// exactly as the entry's own slot shows it.
TEST_F(DisplayWin32, RecentSlotDrawsTheImageOfItsEntry)
{
    const std::string png = RedOverHalfGreenPng(32, 48);
    ASSERT_FALSE(png.empty());
    dev.WriteFile(L"\\Icons\\tall.png", png);

    parent.SetWatermark(kDark);
    // The watermark alone behind both slots, and no captions.
    std::map<int, std::string> settings = {{Set::FrameBlend, "100"}, {Set::CaptionMode, "0"}};
    for (const auto& [k, v] : BaseSettings())
        settings.emplace(k, v);
    WriteInstallation(dev, settings, kSheets,
                      "[P]\r\nS,0,0\r\nS,0,0\r\n"
                      "1,Alpha,\\Apps\\alpha.exe,,\\Icons\\tall.png,0,----;;\r\n"
                      "20,Recent-01,,,,0,----;;\r\n",
                      kPageOrder);
    Start();
    ASSERT_TRUE(SettleFocused(engine, item));
    auto& entries = engine.Sheet()->m_Layers[0].icons->entries;
    ASSERT_EQ(2u, entries.size());
    IconEntry& program = entries[0];
    IconEntry& recent = entries[1];
    ASSERT_TRUE((program.flags & ICON_PLACED) && (recent.flags & ICON_PLACED));
    ASSERT_EQ(program.y, recent.y);

    // The box around a slot: wide enough for the icon, high enough for a
    // picture half as high again as wide.
    auto box = [&](const CPixels& frame, const IconEntry& e) {
        std::vector<std::uint32_t> px;
        for (int y = e.y - 70; y < e.y + 70; ++y)
            for (int x = e.x - 40; x < e.x + 40; ++x)
                px.push_back(frame.At(x, y));
        return px;
    };
    const CPixels background = ReadPixels(engine.BackgroundDC(), kWidth, kHeight);
    const CPixels empty = ReadPixels(engine.FrameDC(), kWidth, kHeight);
    EXPECT_TRUE(box(background, recent) == box(empty, recent)) << "an empty ring leaves the slot bare";
    ASSERT_FALSE(box(background, program) == box(empty, program)) << "the program's own slot is drawn";

    engine.AddRecent(&program);
    item.Paint();
    ASSERT_EQ(&program, recent.Link);
    const CPixels frame = ReadPixels(engine.FrameDC(), kWidth, kHeight);
    EXPECT_TRUE(box(frame, program) == box(frame, recent)) << "the recent slot looks like the program's";

    // 64 wide and 96 high: red, then green blended over the watermark.
    ASSERT_EQ(64, recent.size);
    const int top = recent.y + engine.Sheet()->m_nCaptionOffset - 32;
    EXPECT_EQ(0xFF0000u, frame.At(recent.x, top + 40));
    EXPECT_EQ(0xFF0000u, frame.At(recent.x + 31, top + 2));
    EXPECT_TRUE(HalfGreenOver(background.At(recent.x, top + 80), frame.At(recent.x, top + 80)));
    EXPECT_EQ(background.At(recent.x, top + 98), frame.At(recent.x, top + 98));
    EXPECT_EQ(background.At(recent.x + 34, top + 2), frame.At(recent.x + 34, top + 2));
}

TEST_F(DisplayWin32, NegativeFrameValuesShowTheBackgroundOnly)
{
    parent.SetWatermark(kLight, kDark);
    Install({{Set::IconBgColor, Num(kFill)}, {Set::FramePen, Num(kPen)}});
    Start();
    ASSERT_TRUE(SettleFocused(engine, item));
    const CPixels background = ReadPixels(engine.BackgroundDC(), kWidth, kHeight);
    ASSERT_NE(background.rgb, ReadPixels(engine.FrameDC(), kWidth, kHeight).rgb) << "the icons are drawn";

    engine.m_nFrame = -2;
    engine.Display(item.Hwnd());
    EXPECT_EQ(-2, engine.m_nFrame);
    EXPECT_EQ(background.rgb, ReadPixels(engine.FrameDC(), kWidth, kHeight).rgb);

    engine.m_nFrame = -1;
    engine.Display(item.Hwnd());
    EXPECT_EQ(0, engine.m_nFrame);
    EXPECT_EQ(background.rgb, ReadPixels(engine.FrameDC(), kWidth, kHeight).rgb);
}

TEST_F(DisplayWin32, TimingLineFromTheSecondFrameOn)
{
    parent.SetWatermark(kDark);
    Install({{Set::ShowTiming, "1"}, {Set::TextShadow, "1"}});
    Start();
    ASSERT_EQ(0, engine.m_nCount);
    item.Paint();
    EXPECT_EQ(1, engine.m_nCount);
    auto topLeft = [&] {
        const CPixels frame = ReadPixels(engine.FrameDC(), kWidth, kHeight);
        const CPixels background = ReadPixels(engine.BackgroundDC(), kWidth, kHeight);
        int differ = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 200; ++x)
                differ += frame.At(x, y) != background.At(x, y);
        return differ;
    };
    EXPECT_EQ(0, topLeft());
    item.Paint();
    EXPECT_EQ(2, engine.m_nCount);
    EXPECT_GT(topLeft(), 50);
}

TEST_F(DisplayWin32, SurfacesFollowTheClientSize)
{
    parent.SetWatermark(kDark);
    Install({});
    Start();
    auto size = [](HBITMAP bitmap) {
        BITMAP bm = {};
        ::GetObjectW(bitmap, sizeof bm, &bm);
        return std::make_pair(bm.bmWidth, bm.bmHeight);
    };
    item.Paint();
    ASSERT_EQ(1, engine.SurfacesMade());
    EXPECT_EQ(std::make_pair(480L, 300L), size(engine.FrameBitmap()));
    EXPECT_EQ(std::make_pair(480L, 300L), size(engine.BackgroundBitmap()));
    const int requests = parent.Requests();

    item.Resize(400, 200);
    item.Paint();
    EXPECT_EQ(std::make_pair(400L, 200L), size(engine.FrameBitmap()));
    EXPECT_EQ(std::make_pair(400L, 200L), size(engine.BackgroundBitmap()));
    const BITMAPINFOHEADER& h = engine.BitmapHeader().bmiHeader;
    EXPECT_EQ(400, h.biWidth);
    EXPECT_EQ(-200, h.biHeight);
    EXPECT_EQ(16, h.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_BITFIELDS), h.biCompression);
    EXPECT_EQ(requests + 1, parent.Requests());
    EXPECT_EQ(Watermark(399, 199), Background(399, 199));

    // The same size again: nothing is remade.
    item.Paint();
    EXPECT_EQ(requests + 1, parent.Requests());

    // No client area: no surfaces, and drawing goes on.
    item.Resize(0, 0);
    engine.Display(item.Hwnd());
    EXPECT_EQ(0, engine.SurfacesMade());
    EXPECT_EQ(nullptr, engine.FrameDC());
    EXPECT_EQ(nullptr, engine.BackgroundBits());
    item.Resize(480, 300);
    item.Paint();
    EXPECT_EQ(1, engine.SurfacesMade());
    EXPECT_EQ(std::make_pair(480L, 300L), size(engine.FrameBitmap()));
}

TEST_F(DisplayWin32, FailedBitmapsDrawNothingAndBreakNothing)
{
    parent.SetWatermark(kLight, kDark);
    Install({{Set::IconBgColor, Num(kFill)}, {Set::ShowTiming, "1"}});
    struct Case {
        bool frame, section;
    } cases[] = {{true, false}, {false, true}, {true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frame << c.section);
        engine.failFrameBitmap = c.frame;
        engine.failSection = c.section;
        Start();
        ASSERT_TRUE(SettleFocused(engine, item));
        EXPECT_EQ(1, engine.SurfacesMade());
        EXPECT_EQ(c.frame, engine.FrameBitmap() == nullptr);
        EXPECT_EQ(c.section, engine.BackgroundBits() == nullptr);
        if (!c.section) {
            EXPECT_EQ(Blend(Watermark(100, 150), To565(kFill), 40), Background(100, 150));
        }
        engine.ExitLnch();
    }
}

TEST_F(DisplayWin32, ImageWithoutWidthIsNotDrawn)
{
    parent.SetWatermark(kDark);
    Install({});
    Start();
    ASSERT_TRUE(SettleFocused(engine, item));
    IconEntry& e = engine.Sheet()->m_Layers[0].icons->entries[0];
    ASSERT_TRUE(e.image);
    e.flags &= static_cast<std::uint8_t>(~ICON_CAPTION);
    auto drawn = [&] {
        const RECT all = {0, 0, kWidth, kHeight};
        ::FillRect(engine.FrameDC(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        engine.DrawIcon(e);
        const CPixels frame = ReadPixels(engine.FrameDC(), kWidth, kHeight);
        return std::count_if(frame.rgb.begin(), frame.rgb.end(), [](std::uint32_t p) { return p != 0; });
    };
    EXPECT_GT(drawn(), 100);
    const std::uint16_t width = e.imageWidth;
    e.imageWidth = 0;
    EXPECT_EQ(0, drawn());
    e.imageWidth = width;
}

TEST_F(DisplayWin32, ShadowIsBlackUnderLightTextAndWhiteUnderDark)
{
    parent.SetWatermark(kDark);
    Install({});
    Start();
    item.Paint();
    HDC dc = engine.FrameDC();
    ASSERT_NE(nullptr, dc);
    LOGFONTW lf = {};
    lf.lfHeight = -30;
    lf.lfWeight = FW_BOLD;
    lf.lfQuality = NONANTIALIASED_QUALITY;
    CFontObj font(::CreateFontIndirectW(&lf));
    CSelectObj select(dc, font.Get());
    engine.m_nTextShadow = 3;
    // (2 r + 4 g + b) / 7 against 127.
    struct Case {
        COLORREF text, shadow;
    } cases[] = {{RGB(255, 255, 255), RGB(0, 0, 0)},       {RGB(0, 0, 255), RGB(255, 255, 255)},
                 {RGB(128, 128, 128), RGB(0, 0, 0)},       {RGB(127, 127, 127), RGB(255, 255, 255)},
                 {RGB(255, 255, 0), RGB(0, 0, 0)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.text);
        const RECT all = {0, 0, kWidth, kHeight};
        CBrushObj green(::CreateSolidBrush(RGB(0, 128, 0)));
        ::FillRect(dc, &all, green.Get());
        const RECT box = {10, 10, 200, 60};
        engine.DrawShadowText(20, 20, box, L"WM", c.text);
        const CPixels frame = ReadPixels(dc, kWidth, kHeight);
        // Black and white as read back, 0x00RRGGBB.
        const std::uint32_t wanted = c.shadow ? 0xFFFFFFu : 0u, unwanted = c.shadow ? 0u : 0xFFFFFFu;
        const bool textIsUnwanted = c.text == RGB(255, 255, 255);
        int shadow = 0, other = 0, outside = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 300; ++x) {
                const std::uint32_t p = frame.At(x, y);
                const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
                shadow += p == wanted;
                other += !textIsUnwanted && p == unwanted;
                outside += !inBox && p != 0x008000u;
            }
        }
        EXPECT_GT(shadow, 20);
        EXPECT_EQ(0, other);
        EXPECT_EQ(0, outside) << "clipped to the box";
    }
}

TEST_F(DisplayWin32, ManyCyclesLeaveNoGdiObjects)
{
    parent.SetWatermark(kLight, kDark);
    WriteSampleInstallation(dev, {{Set::ScreenSize, "480"}});
    auto cycle = [&] {
        ASSERT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(item.Port());
        // Focused and at rest: frames, gradients, icons and captions.
        engine.m_bFocus = 1;
        engine.m_nFrame = 100000;
        item.Paint();
        item.Paint();
        ASSERT_GT(engine.GradientBrushCount(), 0u);
        engine.ExitLnch();
    };
    for (int i = 0; i < 3; ++i)
        cycle();
    const unsigned long objects = GdiObjectCount();
    for (int i = 0; i < 50; ++i)
        cycle();
    EXPECT_EQ(objects, GdiObjectCount());
}

TEST_F(DisplayWin32, SampleFirstPageLooksRight)
{
    WriteSampleInstallation(dev, {{Set::ScreenSize, "480"}});
    ASSERT_TRUE(parent.SetWallpaper(std::wstring(kInstallFolder) + L"\\Wallpaper.png"));
    Start();
    item.Paint();
    const CPixels plain = ReadPixels(engine.BackgroundDC(), kWidth, kHeight);
    const std::wstring folder = ShotFolder();
    EXPECT_TRUE(SavePng(folder + L"\\sample-first-page-at-rest.png", ReadPixels(engine.FrameDC(), kWidth, kHeight)));

    ASSERT_TRUE(SettleFocused(engine, item));
    const CPixels framed = ReadPixels(engine.BackgroundDC(), kWidth, kHeight);
    const CPixels selected = ReadPixels(engine.FrameDC(), kWidth, kHeight);
    EXPECT_TRUE(SavePng(folder + L"\\sample-first-page-selected.png", selected));
    std::printf("pictures in %ls\n", folder.c_str());

    // Every placed icon stands on its blended frame, with its caption in
    // the caption colour below it.
    const SheetLayer& layer = engine.Sheet()->m_Layers[0];
    int icons = 0;
    for (int i = 0; i < layer.iconCount; ++i) {
        const IconEntry& e = layer.icons->entries[static_cast<size_t>(i)];
        if (!(e.flags & ICON_PLACED))
            continue;
        ++icons;
        // Laid out with the caption band measured, though placed before.
        EXPECT_EQ(e.baseSize + (engine.m_nCaptionHeight + 1) + 1, e.height) << i;
        const int cy = e.y + engine.Sheet()->m_nCaptionOffset;
        EXPECT_NE(plain.At(e.x, e.y - 40), framed.At(e.x, e.y - 40)) << i << ": frame over the wallpaper";
        const IconEntry& q = e.Link ? *e.Link : e;
        ASSERT_FALSE(q.Caption.empty()) << i;
        const int captionTop = cy + 32;
        int white = 0;
        for (int y = captionTop; y < captionTop + engine.m_nCaptionHeight; ++y)
            for (int x = e.x - q.captionWidth / 2; x < e.x + q.captionWidth / 2; ++x)
                white += (selected.At(x, y) & 0xE0E0E0u) == 0xE0E0E0u;
        EXPECT_GT(white, 5) << i << ": caption";
    }
    EXPECT_EQ(15, icons);

    // Deselected: the icons and their captions leave the item entirely and
    // the frames go.
    engine.OnSelectionLost(item.Port());
    ASSERT_TRUE(PumpMessagesUntil([&] { return !engine.m_bRedrawTimerOn; }, 60000));
    EXPECT_EQ(plain.rgb, ReadPixels(engine.BackgroundDC(), kWidth, kHeight).rgb);
    const CPixels deselected = ReadPixels(engine.FrameDC(), kWidth, kHeight);
    EXPECT_TRUE(SavePng(folder + L"\\sample-first-page-deselected.png", deselected));
    EXPECT_EQ(plain.rgb, deselected.rgb);
}
