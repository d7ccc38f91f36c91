// The kept key-colour blit draws what TransparentBlt draws, pixel for pixel,
// at every size and position, and never shows pixels the image has lost.
#include "GdiCount.h"
#include "engine/IconImage_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kSide = 96;  // the destination: a frame-like compatible bitmap
constexpr COLORREF kKey = RGB(255, 0, 255);

// A destination with a pattern of its own, so that "left alone" shows.
struct CDest {
    CScreenDC screen{nullptr};
    CMemDC dc{screen.Get()};
    CBitmapObj bitmap{::CreateCompatibleBitmap(screen.Get(), kSide, kSide)};
    CSelectObj select{dc.Get(), bitmap.Get()};

    CDest()
    {
        for (int y = 0; y < kSide; y += 8)
            for (int x = 0; x < kSide; x += 8) {
                const RECT r = {x, y, x + 8, y + 8};
                CBrushObj brush(::CreateSolidBrush(RGB(x * 2, y * 2, (x + y) % 256)));
                ::FillRect(dc.Get(), &r, brush.Get());
            }
    }
    std::vector<std::uint32_t> Pixels() const
    {
        std::vector<std::uint32_t> px(kSide * kSide);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = kSide;
        info.bmiHeader.biHeight = -kSide;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        ::GetDIBits(dc.Get(), bitmap.Get(), 0, kSide, px.data(), &info, DIB_RGB_COLORS);
        return px;
    }
};

// A 24-bit icon of w × h: a key-coloured ring around coloured cells.
std::unique_ptr<CIconBitmap> MakeImage(int w, int h, int shade)
{
    auto image = CIconBitmap::Make(w, h, 24);
    for (int y = 0; image && y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool key = x < 2 || y < 3 || x >= w - 2 || (x + y) % 7 == 0;
            std::uint8_t* p = image->Row(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(key ? 255 : x * 5 + shade);
            p[1] = static_cast<std::uint8_t>(key ? 0 : y * 7);
            p[2] = static_cast<std::uint8_t>(key ? 255 : 40 + shade);
        }
    return image;
}

}  // namespace

TEST(KeyedBlit, SameAsTransparentBltAtEverySizeAndPlace)
{
    struct Case {
        const char* what;
        int x, y, w, h;
    } cases[] = {
        {"its own size", 10, 10, 32, 24},  {"stretched", 4, 6, 64, 50},   {"shrunk", 20, 20, 13, 9},
        {"half off the left and top", -16, -10, 32, 24}, {"off the right and bottom", 80, 85, 32, 24},
        {"one pixel", 40, 40, 1, 1},
    };
    const auto image = MakeImage(32, 24, 0);
    ASSERT_TRUE(image);
    for (const Case& c : cases) {
        CDest want, got;
        ::TransparentBlt(want.dc.Get(), c.x, c.y, c.w, c.h, image->DC(), 0, 0, 32, 24, kKey);
        // Twice: made, then drawn from what was kept.
        for (int pass = 0; pass < 2; ++pass) {
            CDest drawn;
            EXPECT_TRUE(image->DrawKeyed(drawn.dc.Get(), c.x, c.y, c.w, c.h, kKey)) << c.what;
            EXPECT_EQ(want.Pixels(), drawn.Pixels()) << c.what << ", pass " << pass;
        }
    }
    CDest untouched, drawn;
    EXPECT_FALSE(image->DrawKeyed(drawn.dc.Get(), 5, 5, 0, 10, kKey));  // nothing to draw
    EXPECT_EQ(untouched.Pixels(), drawn.Pixels());
}

TEST(KeyedBlit, ChangedPixelsOrKeyAreDrawnAnewAndNothingLeaks)
{
    const auto drawAnew = [] {
        auto image = MakeImage(32, 24, 0);
        ASSERT_TRUE(image);
        CDest first;
        image->DrawKeyed(first.dc.Get(), 8, 8, 40, 30, kKey);
        // The same image object with other pixels, then another key.
        const auto other = MakeImage(32, 24, 90);
        for (int y = 0; y < 24; ++y)
            std::memcpy(image->Row(y), other->Row(y), 32 * 3);
        for (const COLORREF key : {kKey, RGB(0, 0, 0)}) {
            CDest want, drawn;
            ::TransparentBlt(want.dc.Get(), 8, 8, 40, 30, image->DC(), 0, 0, 32, 24, key);
            image->DrawKeyed(drawn.dc.Get(), 8, 8, 40, 30, key);
            EXPECT_EQ(want.Pixels(), drawn.Pixels());
        }
    };
    // The first round may leave what the system keeps for the process (its
    // stretch and blend caches); the rounds after it must leave nothing.
    drawAnew();
    const unsigned long before = GdiObjectCount();
    for (int round = 0; round < 3; ++round)
        drawAnew();
    EXPECT_EQ(before, GdiObjectCount()) << "the kept pair goes with its image";
}
