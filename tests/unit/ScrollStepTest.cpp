// The scroll step of an overflowing strip: fling, glide, snap and one-icon
// steps, the ring of the offset, placement between slots, rebuilds and the
// focus that keeps its slot.
#include "SheetRuntimeFixture.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Frames after which a scroll that has not come to rest is a fault.
constexpr int kFrameLimit = 1000;

struct Frame {
    int speed, remainder, phase;
};

class ScrollStepTest : public SheetRuntimeFixture {
protected:
    // Frames of 100 ms: the glide keeps 500/1000 of the speed per frame.
    std::map<int, int> Defaults() const override
    {
        std::map<int, int> values = SheetRuntimeFixture::Defaults();
        values[Set::FramePeriod] = 100;
        values[Set::FlingSpeed] = 10;
        values[Set::GlideFactor] = 500;
        return values;
    }
    void SetUp() override { UseStrip({}); }
    // One row of four slots 100 pixels apart: the pitch is 100.
    void UseStrip(const std::map<int, int>& values)
    {
        UseSettings(values);
        LoadSheet(Row({60, 160, 260, 360}, 150, 64));
    }
    // The page on the strip, placed at rest.
    void Show(IconList& page, int start = 0)
    {
        sheets->SetCurSheet(L"S_T", &page, start, false);
        sheets->PlaceLayer(0, 0, 0);
        ASSERT_EQ(100, sheets->m_nPitch);
    }
    void Scroll(int speed, int remainder, int phase)
    {
        sheets->m_nScrollSpeed = speed;
        sheets->m_nScrollRemainder = remainder;
        sheets->m_nScrollPhase = static_cast<std::uint8_t>(phase);
    }
    // Each frame's speed, remainder and phase; at rest only after the last
    // one, and only when it ends the scroll.
    void ExpectFrames(const std::vector<Frame>& frames, bool endsAtRest = true)
    {
        int rebuild = 0;
        for (size_t f = 0; f < frames.size(); ++f) {
            SCOPED_TRACE(testing::Message() << "frame " << f);
            EXPECT_EQ(endsAtRest && f + 1 == frames.size(), sheets->ScrollStep(rebuild));
            EXPECT_EQ(frames[f].speed, sheets->m_nScrollSpeed);
            EXPECT_EQ(frames[f].remainder, sheets->m_nScrollRemainder);
            EXPECT_EQ(frames[f].phase, sheets->m_nScrollPhase);
        }
    }
    // Steps until rest; the number of frames it took.
    int RunToRest()
    {
        int frames = 0, rebuild = 0;
        while (++frames < kFrameLimit && !sheets->ScrollStep(rebuild)) {
        }
        return frames;
    }
    // Every icon shown stands on its slot with the slot's size; one just out
    // of view may stand off the item's edge.
    void ExpectAtRest(const IconList& page)
    {
        const SheetDef& strip = *sheets->m_Layers[0].sheet;
        for (size_t i = static_cast<size_t>(sheets->m_nStartSlot); i < page.entries.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "icon " << i);
            const SlotMapping m = sheets->MapIconToSlot(0, static_cast<int>(i), 0);
            const IconEntry& e = page.entries[i];
            if (m.visible) {
                EXPECT_TRUE(e.flags & ICON_PLACED);
                EXPECT_EQ(strip.slots[static_cast<size_t>(m.slot)].x, e.x);
                EXPECT_EQ(150, e.y);
                EXPECT_EQ(64, e.baseSize);
            } else if (e.flags & ICON_PLACED) {
                EXPECT_TRUE(e.x - e.width / 2 >= 480 || e.x + e.width / 2 <= 0 || e.y + e.height / 2 <= 0);
            }
        }
    }
};

}  // namespace

TEST_F(ScrollStepTest, FlingGlidesSlowsDownAndSnapsToAWholeStep)
{
    IconList page = Programs(8);
    Show(page);
    Scroll(40, 0, 1);  // released above the fling threshold of 10
    // The speed is held to pitch / 3, halves each frame, then the snap
    // accelerates by 3 to the next whole step.
    ExpectFrames({{33, 33, 2}, {16, 66, 2}, {8, 82, 2}, {4, 90, 2}, {2, 94, 2}, {1, 96, 2}, {0, 97, 3}, {3, 97, 3},
                  {0, 0, 0}});
    EXPECT_EQ(1, sheets->m_nScrollOffset);
    ExpectAtRest(page);
    EXPECT_EQ(60, page.entries[1].x);  // icon 1 in slot 0
}

TEST_F(ScrollStepTest, SlowReleaseSnapsAtOnce)
{
    struct Case {
        int speed, remainder;
        std::vector<Frame> frames;
        int offset;
    } cases[] = {
        // Near the start: back to it, arriving when the remainder crosses 0.
        {5, 0, {{0, 5, 3}, {-3, 5, 3}, {-6, 2, 3}, {0, 0, 0}}, 0},
        // Past half a pitch: on to the next step.
        {5, 60, {{0, 65, 3}, {3, 65, 3}, {6, 68, 3}, {9, 74, 3}, {12, 83, 3}, {15, 95, 3}, {0, 0, 0}}, 1},
        // At the threshold: no glide; -7 + 6 stops short of 0, -1 + 9 crosses it.
        {-10, 0, {{0, -10, 3}, {3, -10, 3}, {6, -7, 3}, {9, -1, 3}, {0, 0, 0}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "released at " << c.speed << " from " << c.remainder);
        IconList page = Programs(8);
        Show(page);
        Scroll(c.speed, c.remainder, 1);
        ExpectFrames(c.frames);
        EXPECT_EQ(c.offset, sheets->m_nScrollOffset);
        ExpectAtRest(page);
    }
}

TEST_F(ScrollStepTest, OneIconStepLandsOnTheNextSlot)
{
    IconList page = Programs(8);
    Show(page);
    page.entries[3].zoomState = 3;  // focus in the last slot
    ASSERT_EQ(3, sheets->MoveFocusLinear(true, false));
    // Accelerating by 3 from 1 pixel: 2, 6, 13, 23, 36, 52, ...
    ExpectFrames({{4, 2, 4}, {7, 6, 4}, {10, 13, 4}, {13, 23, 4}, {16, 36, 4}, {19, 52, 4}, {22, 71, 4}}, false);
    // 71/100 of the way to the left neighbour; icon 0 leaves by the left
    // edge (-65 / 2), icon 4 comes in from the right (480 + 65 / 2).
    struct Where {
        int icon, x;
        bool placed;
    } where[] = {{0, 60 + (-32 - 60) * 71 / 100, true}, {1, 160 - 71, true}, {3, 360 - 71, true},
                 {4, 512 + (360 - 512) * 71 / 100, true}, {5, 0, false}, {7, 0, false}};
    for (const Where& w : where) {
        const IconEntry& e = page.entries[static_cast<size_t>(w.icon)];
        EXPECT_EQ(w.placed, (e.flags & ICON_PLACED) != 0) << w.icon;
        if (w.placed) {
            EXPECT_EQ(w.x, e.x) << w.icon;
            EXPECT_EQ(150, e.y) << w.icon;
        }
    }
    EXPECT_EQ(3, page.entries[3].zoomState);  // no whole step yet: still icon 3

    EXPECT_EQ(2, RunToRest());  // 93, then 118: one step
    EXPECT_EQ(1, sheets->m_nScrollOffset);
    EXPECT_EQ(0, sheets->m_nScrollRemainder);
    ExpectAtRest(page);
    EXPECT_EQ(360, page.entries[4].x);
    EXPECT_EQ(4, sheets->FindFocusIcon().icon);  // the focus kept slot 3
    EXPECT_EQ(5, page.entries[3].zoomState);

    // Back from slot 0 twice: round the ring to offset 7.
    for (const int offset : {0, 7}) {
        sheets->SetFocusIcon(sheets->IconInSlot(0, 0), 0);
        ASSERT_EQ(0, sheets->MoveFocusLinear(false, false));
        ASSERT_EQ(-1, sheets->m_nScrollSpeed);
        EXPECT_LT(RunToRest(), kFrameLimit);
        EXPECT_EQ(offset, sheets->m_nScrollOffset);
        ExpectAtRest(page);
        EXPECT_EQ(sheets->IconInSlot(0, 0), sheets->FindFocusIcon().icon);
    }
}

TEST_F(ScrollStepTest, TheOffsetRunsRoundTheRing)
{
    // 8 icons from start slot s: offsets 0 to 7 - s.
    struct Case {
        int start, offset, remainder, after;
    } cases[] = {
        {0, 0, -103, 7},  // below 0: n - s - 1
        {0, 7, 103, 0},   // n - s: back to 0
        {0, 3, 103, 4},  {0, 3, -103, 2}, {1, 0, -103, 6},
        {1, 6, 103, 0},  {2, 5, 103, 0},  {2, 0, -103, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "from " << c.start << " turned " << c.offset << " by " << c.remainder);
        IconList page = Programs(8);
        Show(page, c.start);
        sheets->m_nScrollOffset = c.offset;
        Scroll(c.remainder > 0 ? 5 : -5, c.remainder > 0 ? c.remainder - 5 : c.remainder + 5, 4);
        int rebuild = 0;
        EXPECT_TRUE(sheets->ScrollStep(rebuild));
        EXPECT_EQ(c.after, sheets->m_nScrollOffset);
        ExpectAtRest(page);
        for (int i = 0; i < c.start; ++i)  // the fixed slots never move
            EXPECT_EQ(60 + 100 * i, page.entries[static_cast<size_t>(i)].x);
    }
}

TEST_F(ScrollStepTest, RebuildWhenAnIconOfAnotherBackgroundEntersASlot)
{
    // Icon 4, a page link with its own background, waits right of the strip
    // until the one-icon step brings it into slot 3.
    UseStrip({{Set::LinkBgUse, 1}});
    IconList page = Page({1, 1, 1, 1, APP_PAGELINK, 1, 1, 1});
    Show(page);
    Scroll(1, 1, 4);
    int rebuild = 0, frames = 0;
    while (!sheets->ScrollStep(rebuild) && ++frames < kFrameLimit)
        ASSERT_EQ(0, rebuild) << "frame " << frames;
    EXPECT_EQ(1, rebuild);

    // Against the state each slot was drawn with.
    struct Case {
        int type, linkUse, taskUse, recentUse, drawn, rebuild;
    } cases[] = {
        {APP_PAGELINK, 1, 0, 0, 1, 0}, {APP_PAGELINK, 0, 0, 0, 1, 1}, {25, 0, 0, 1, 3, 0},
        {25, 0, 0, 1, 0, 1},           {45, 0, 1, 0, 2, 0},           {55, 0, 1, 0, 0, 0},
        {64, 0, 1, 0, 2, 1},           {66, 0, 1, 0, 2, 0},           {APP_PROGRAM, 1, 1, 1, 3, 1},
    };
    for (const Case& c : cases) {
        UseStrip({{Set::LinkBgUse, c.linkUse}, {Set::TaskBgUse, c.taskUse}, {Set::RecentBgUse, c.recentUse}});
        IconList same = Page(std::vector<int>(8, c.type));
        Show(same);
        SheetDef drawn = *sheets->m_Layers[0].sheet;
        for (SheetSlot& slot : drawn.slots)
            slot.bgState = static_cast<std::uint8_t>(c.drawn);
        sheets->m_Layers[0].sheet = &drawn;
        Scroll(10, 0, 1);
        int flag = 0;
        sheets->ScrollStep(flag);
        EXPECT_EQ(c.rebuild, flag) << c.type << " drawn as " << c.drawn;
    }
}

TEST_F(ScrollStepTest, FocusKeepsItsSlotWhileIconsPassUnderIt)
{
    struct Case {
        int focus, speed, offset, focusAfter;
    } cases[] = {
        {2, 40, 1, 3},   // slot 2 shows icon 3 after one step forward
        {2, -40, 6, 1},  // and icon 1 after one step back round the ring
        {0, 40, 1, 0},   // a fixed slot keeps its icon
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "focus " << c.focus << " speed " << c.speed);
        IconList page = Programs(8);
        Show(page, 1);
        page.entries[static_cast<size_t>(c.focus)].zoomState = 3;
        Scroll(c.speed, 0, 1);
        int rebuild = 0, frames = 0;
        while (!sheets->ScrollStep(rebuild) && ++frames < kFrameLimit) {
            if (sheets->m_nScrollOffset == 0) {
                ASSERT_EQ(3, page.entries[static_cast<size_t>(c.focus)].zoomState) << "frame " << frames;
            }
        }
        EXPECT_EQ(c.offset, sheets->m_nScrollOffset);
        EXPECT_EQ(c.focusAfter, sheets->FindFocusIcon().icon);
        if (c.focusAfter != c.focus) {
            EXPECT_EQ(5, page.entries[static_cast<size_t>(c.focus)].zoomState);
        }
    }
}

TEST_F(ScrollStepTest, WithoutAPitchNothingMoves)
{
    struct Case {
        const char* what;
        std::string slots;
        int pitch;  // forced after SetCurSheet, or 0 to keep the computed one
    } cases[] = {
        {"slots on one x", Row({160, 160, 160, 160}, 150, 64), 0},
        {"no pair in a row, setting 45 is 0", Row({60}, 50, 64) + ";CR\r\n" + Row({160}, 150, 64), 0},
        {"negative pitch", Row({60, 160, 260, 360}, 150, 64), -5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadSheet(c.slots);
        IconList page = Programs(8);
        sheets->SetCurSheet(L"S_T", &page, 0, false);
        sheets->PlaceLayer(0, 0, 10000);
        if (c.pitch != 0)
            sheets->m_nPitch = c.pitch;
        ASSERT_LE(sheets->m_nPitch, 0);
        const std::int32_t x = page.entries[1].x;
        for (const int phase : {1, 2, 3, 4}) {
            Scroll(20, 5, phase);
            sheets->m_nScrollOffset = 2;
            int rebuild = 0;
            EXPECT_TRUE(sheets->ScrollStep(rebuild)) << "phase " << phase;
            EXPECT_EQ(0, sheets->m_nScrollPhase + sheets->m_nScrollSpeed + sheets->m_nScrollRemainder);
            EXPECT_EQ(2, sheets->m_nScrollOffset);
            EXPECT_EQ(x, page.entries[1].x);
        }
    }

    // Nor without a strip: no overflow, or no icons.
    IconList few = Programs(3);
    for (IconList* icons : {&few, static_cast<IconList*>(nullptr)}) {
        sheets->SetCurSheet(L"S_T", icons, 0, false);
        sheets->m_nPitch = 100;
        Scroll(20, 5, 1);
        int rebuild = 0;
        EXPECT_TRUE(sheets->ScrollStep(rebuild));
        EXPECT_EQ(0, sheets->m_nScrollPhase);
    }
}

TEST_F(ScrollStepTest, EveryScrollComesToRest)
{
    // Small screens scale the snap's 3 pixels to 0 (or below), pitches below
    // 3 make pitch / 3 zero, a glide factor of 1000 keeps all speed.
    struct Case {
        int shortSide, pitch, glide, speed, remainder, phase;
    } cases[] = {
        {0, 100, 500, 40, 0, 1},    {0, 100, 500, 0, 70, 3}, {0, 100, 500, -1, -1, 4},
        {-480, 100, 500, 0, 30, 3}, {480, 1, 500, 1, 1, 4},  {480, 2, 500, 1, 1, 4},
        {480, 2, 500, 0, 1, 3},     {480, 100, 1000, -40, 0, 1}, {480, 100, 500, 500, 0, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "screen " << c.shortSide << " pitch " << c.pitch << " glide " << c.glide
                                        << " speed " << c.speed << " rem " << c.remainder << " phase " << c.phase);
        IconList page = Programs(8);
        Show(page);
        setting->m_nShortSide = c.shortSide;
        sheets->m_nPitch = c.pitch;
        sheets->m_nGlideFactor = c.glide;
        Scroll(c.speed, c.remainder, c.phase);
        EXPECT_LT(RunToRest(), kFrameLimit);
        EXPECT_EQ(0, sheets->m_nScrollRemainder);
        EXPECT_EQ(0, sheets->m_nScrollPhase);
        EXPECT_GE(sheets->m_nScrollOffset, 0);
        EXPECT_LT(sheets->m_nScrollOffset, 8);
    }
}

TEST_F(ScrollStepTest, FarApartSlotsAndOffsetsDoNotOverflow)
{
    // Under the sanitizer an overflow stops the test.
    LoadSheet(Row({-2000000000, 2000000000, -2000000000, 2000000000}, 0, 64));
    IconList page = Programs(8);
    sheets->SetCurSheet(L"S_T", &page, 0, false);
    ASSERT_EQ(INT_MAX, sheets->m_nPitch);
    sheets->m_Layers[0].ox = INT_MIN;
    sheets->m_Area = {INT_MAX, INT_MAX};
    sheets->PlaceLayer(0, 0, 0);
    for (const int speed : {INT_MAX, INT_MIN}) {
        Scroll(speed, speed / 2, 1);
        int rebuild = 0;
        for (int frame = 0; frame < 50; ++frame) {
            sheets->ScrollStep(rebuild);
            ASSERT_LT(std::abs(sheets->m_nScrollRemainder), INT_MAX);
        }
    }
}
