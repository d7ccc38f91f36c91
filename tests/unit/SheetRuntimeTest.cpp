// The sheet runtime: icon to slot, placing, the press zoom, focus, hit tests
// and the focus moves of the cursor keys.
#include "SheetRuntimeFixture.h"

#include <climits>
#include <iterator>
#include <string>
#include <vector>

namespace {

class SheetRuntimeTest : public SheetRuntimeFixture {
protected:
    void SetUp() override { UseSettings({}); }

    // The page on a sheet in layer 0, every icon placed at rest.
    void ShowPlaced(IconList& page, const wchar_t* sheet = L"S_DEF", int start = 0, int offset = 0)
    {
        sheets->SetCurSheet(sheet, &page, start, false);
        sheets->m_nScrollOffset = offset;
        sheets->PlaceLayer(0, 0, 0);
    }
    void SetStates(int layer, const std::vector<int>& states)
    {
        for (size_t i = 0; i < states.size(); ++i)
            Entry(layer, static_cast<int>(i)).zoomState = static_cast<std::uint8_t>(states[i]);
    }
    std::string Focus() const
    {
        const IconRef ref = sheets->FindFocusIcon();
        return std::to_string(ref.icon) + "/" + std::to_string(ref.layer);
    }
};

// Three rows of two slots: 0 1 / 2 3 / 4 5.
const char kThreeRows[] = "50,50,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n150,50,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n;CR\r\n"
                          "50,150,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n150,150,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n;CR\r\n"
                          "50,250,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n150,250,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n";

// Slot 0 alone on a lower row, slots 1 to 3 on the top row: the first slot
// is 1, the last slot 0.
const char kFirstSlotOne[] = "50,150,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n;CR\r\n"
                             "50,50,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n150,50,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n"
                             "250,50,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n";

}  // namespace

TEST_F(SheetRuntimeTest, ZoomStatesAndTheirSizes)
{
    // T = 5 (200 ms in 40 ms frames). Factor 13, base 64: G 99, D 83, H 3500;
    // factor 20, base 48: G 115, D 96, H 6700.
    const int factors[] = {13, 20}, bases[] = {64, 48};
    struct Case {
        int state, step;
        bool keep, release;
        int newState, newStep, size[2];
        bool zooming;
    } cases[] = {
        {1, 0, true, false, 1, 4, {86, 90}, true},   // b + 16 × (H / 25) / 100
        {1, 3, true, false, 1, 4, {86, 90}, true},   // rounded down to 0 first
        {1, 4, true, false, 2, 5, {99, 115}, true},  // 8 ≥ T: G
        {4, 0, true, false, 4, 4, {76, 78}, true},   // b + 16 × ((D − b) × 100 / 25) / 100
        {4, 4, true, false, 5, 5, {99, 115}, true},
        {2, 5, true, false, 3, 5, {91, 105}, true},  // (G + D) / 2, D still to come
        {3, 5, true, false, 3, 5, {83, 96}, false},  // D
        {3, 5, false, true, 5, 4, {86, 90}, true},   // released: shrinking
        {5, 2, true, false, 5, 1, {65, 50}, true},   // b + 1 × (H / 25) / 100
        {5, 1, true, false, 0, 0, {64, 48}, true},   // arrived at b
        {0, 0, true, false, 0, 0, {64, 48}, false},
        {6, 3, true, false, 6, 0, {64, 48}, false},  // any other state rests at b
        {1, 4, false, false, 1, 4, {86, 90}, true},  // neither kept nor released: starts over
        {1, 0, false, true, 1, 4, {86, 90}, true},   // nothing to release at step 0
    };
    IconList page = Programs(1);
    ShowPlaced(page);
    IconEntry& e = Entry(0, 0);
    for (int p = 0; p < 2; ++p) {
        sheets->m_nZoomFactor = factors[p];
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "factor " << factors[p] << " state " << c.state << " step " << c.step);
            e.baseSize = static_cast<std::uint16_t>(bases[p]);
            e.zoomState = static_cast<std::uint8_t>(c.state);
            e.zoomStep = static_cast<std::int8_t>(c.step);
            EXPECT_EQ(!c.zooming, sheets->ZoomLayer(0, c.keep, c.release));
            EXPECT_EQ(c.newState, e.zoomState);
            EXPECT_EQ(c.newStep, e.zoomStep);
            EXPECT_EQ(c.size[p], e.size);
        }
    }
}

TEST_F(SheetRuntimeTest, HeldFocusOvershootsSettlesAndShrinksBackOverTheSteps)
{
    IconList page = Programs(3);
    ShowPlaced(page);
    ASSERT_TRUE(sheets->SetFocusIcon(1, 0));
    struct Tick {
        int state, size;
        bool done;
    };
    auto run = [&](const std::vector<Tick>& ticks) {
        for (size_t i = 0; i < ticks.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "tick " << i);
            EXPECT_EQ(ticks[i].done, sheets->ZoomLayer(0, true, false));
            EXPECT_EQ(ticks[i].state, Entry(0, 1).zoomState);
            EXPECT_EQ(ticks[i].size, Entry(0, 1).size);
            EXPECT_EQ(64, Entry(0, 0).size);
        }
    };
    // Step 4, then G, (G + D) / 2 and D held.
    run({{1, 86, false}, {2, 99, false}, {3, 91, false}, {3, 83, true}, {3, 83, true}});
    ASSERT_TRUE(sheets->SetFocusIcon(-2, 0));
    // Steps 4 to 0 (T of them): b + step² × (3500 / 25) / 100.
    run({{5, 86, false}, {5, 76, false}, {5, 69, false}, {5, 65, false}, {0, 64, false}, {0, 64, true}});
}

TEST_F(SheetRuntimeTest, WithoutZoomStepsIconsTakeTheirSizeAtOnce)
{
    // No steps from a zoom time of 0 or from no frame period; under the
    // sanitizer a division by T² would stop the test.
    for (const std::map<int, int>& values : std::vector<std::map<int, int>>{
             {{Set::ZoomTime, 0}}, {{Set::FramePeriod, 0}}, {{Set::FramePeriod, -40}}}) {
        UseSettings(values);
        ASSERT_EQ(0, sheets->m_nZoomSteps);
        IconList page = Programs(2);
        ShowPlaced(page);
        IconEntry& e = Entry(0, 1);
        ASSERT_TRUE(sheets->SetFocusIcon(1, 0));
        EXPECT_TRUE(sheets->ZoomLayer(0, true, false));
        EXPECT_EQ(3, e.zoomState);
        EXPECT_EQ(83, e.size);  // D at once, no overshoot
        // Released by the pointer although its zoomStep is 0.
        EXPECT_FALSE(sheets->ZoomLayer(0, false, true));
        EXPECT_EQ(0, e.zoomState);
        EXPECT_EQ(64, e.size);

        // States left from a configuration with steps.
        struct Case {
            int state, step, newState, size;
        } leftovers[] = {{4, 0, 0, 64}, {5, 3, 0, 64}, {1, -8, 3, 83}, {4, -8, 0, 64}, {2, 5, 3, 91}};
        for (const Case& c : leftovers) {
            e.zoomState = static_cast<std::uint8_t>(c.state);
            e.zoomStep = static_cast<std::int8_t>(c.step);
            sheets->ZoomLayer(0, true, false);
            EXPECT_EQ(c.newState, e.zoomState) << c.state << " " << c.step;
            EXPECT_EQ(c.size, e.size) << c.state << " " << c.step;
        }
    }
}

TEST_F(SheetRuntimeTest, LongZoomTimesAreCutToWhatTheStepByteHolds)
{
    // 10 s in 40 ms frames is 250 steps.
    for (const int steps : {250, INT_MAX}) {
        sheets->m_nZoomSteps = steps;
        IconList page = Programs(1);
        ShowPlaced(page);
        IconEntry& e = Entry(0, 0);
        ASSERT_TRUE(sheets->SetFocusIcon(0, 0));
        int ticks = 0, lastStep = 0;
        for (; e.zoomState == 1 && ticks < 1000; ++ticks) {
            sheets->ZoomLayer(0, true, false);
            ASSERT_GT(e.zoomStep, lastStep) << ticks;
            lastStep = e.zoomStep;
        }
        EXPECT_EQ(31, ticks);  // 4, 8, ..., 120, then 124
        EXPECT_EQ(124, e.zoomStep);
        EXPECT_EQ(99, e.size);

        // Out of a state that ended on the byte's top: no wrap to negative.
        e.zoomState = 4;
        e.zoomStep = 127;
        sheets->ZoomLayer(0, true, false);
        EXPECT_EQ(124, e.zoomStep);
        for (ticks = 0; e.zoomState == 5 && ticks < 1000; ++ticks) {
            sheets->ZoomLayer(0, true, false);
            ASSERT_GE(e.zoomStep, 0);
        }
        EXPECT_EQ(124, ticks);
        EXPECT_EQ(64, e.size);
    }

    // A huge factor, and a step left from a longer zoom under a short one:
    // sizes are cut to their 16 bits, nothing overflows on the way.
    IconList page = Programs(1);
    ShowPlaced(page);
    IconEntry& e = Entry(0, 0);
    sheets->m_nZoomFactor = INT_MAX;
    sheets->m_nZoomSteps = 1;
    e.baseSize = UINT16_MAX;
    e.zoomState = 5;
    e.zoomStep = 120;
    sheets->ZoomLayer(0, true, false);
    EXPECT_EQ(1, e.zoomStep);
    EXPECT_EQ(UINT16_MAX, e.size);
    sheets->ZoomLayer(0, true, false);
    EXPECT_EQ(0, e.zoomState);
}

TEST_F(SheetRuntimeTest, HitTestEdgesOverlapsLayersAndPlaceholders)
{
    IconList now = Page({APP_PROGRAM, APP_PROGRAM, APP_BLANK, APP_PROGRAM}), old = Programs(3);
    sheets->SetCurSheet(L"S_DEF", &now, 0, false);
    ShowOld(L"S_DEF", old);
    struct Box {
        int layer, icon, x, y, size;
        bool placed;
    } boxes[] = {
        {0, 0, 100, 100, 40, true}, {0, 1, 130, 100, 40, true}, {0, 2, 300, 100, 40, true},
        {0, 3, 400, 100, 40, false}, {1, 0, 100, 200, 40, true}, {1, 1, 120, 100, 40, true},
        {1, 2, 200, 200, 41, true},  // an odd size: half is 20
    };
    for (const Box& b : boxes) {
        IconEntry& e = Entry(b.layer, b.icon);
        e.x = b.x;
        e.y = b.y;
        e.size = static_cast<std::uint16_t>(b.size);
        e.flags = static_cast<std::uint8_t>(b.placed ? ICON_PLACED : 0);
    }
    struct Case {
        int x, y, icon, layer;
    } cases[] = {
        {80, 80, 0, 0},  {80, 120, 0, 0},  // corners: bounds included
        {79, 100, -1, -1}, {100, 79, -1, -1}, {109, 100, 0, 0},
        {110, 100, 1, 0},  // both: the later icon
        {150, 120, 1, 0},  {151, 100, -1, -1},
        {135, 100, 1, 0},  // layer 1's icon 1 is under it too: layer 0 first
        {120, 200, 0, 1},  {121, 200, -1, -1},
        {300, 100, -1, -1},  // a placeholder
        {400, 100, -1, -1},  // not placed
        {220, 200, 2, 1},  {221, 200, -1, -1},
    };
    for (const Case& c : cases) {
        const IconRef hit = sheets->HitTest(c.x, c.y);
        EXPECT_EQ(c.icon, hit.icon) << c.x << "," << c.y;
        EXPECT_EQ(c.layer, hit.layer) << c.x << "," << c.y;
    }
    EXPECT_FALSE(CSheet(*setting, motions).HitTest(100, 100).Valid());
}

TEST_F(SheetRuntimeTest, MapIconToSlot)
{
    struct Case {
        int icons, start, offset, icon, margin, slot;
        bool visible;
    } cases[] = {
        // Fewer icons than slots: the slot of the same number, whatever the offset.
        {7, 0, 0, 0, 0, 0, true}, {7, 0, 0, 6, 1, 6, true}, {7, 3, 4, 5, 0, 5, true},
        // 12 icons on 10 slots from slot 2, turned by 3: slots 2 to 9 show
        // icons 5 to 11 and 2; icon 3 waits right of the last slot, icon 4
        // left of the start slot.
        {12, 2, 3, 1, 0, 1, true}, {12, 2, 3, 5, 0, 2, true}, {12, 2, 3, 11, 0, 8, true},
        {12, 2, 3, 2, 0, 9, true}, {12, 2, 3, 3, 0, 10, false}, {12, 2, 3, 3, 1, 10, true},
        {12, 2, 3, 4, 0, 1, false}, {12, 2, 3, 4, -1, 1, true}, {12, 2, 3, 4, 1, 1, false},
        // Unturned from slot 0: icon 11 stands before slot 0.
        {12, 0, 0, 10, 0, 10, false}, {12, 0, 0, 11, 0, -1, false}, {12, 0, 0, 11, -1, -1, true},
    };
    for (const Case& c : cases) {
        IconList page = Programs(c.icons);
        sheets->SetCurSheet(L"S_DEF", &page, c.start, false);
        sheets->m_nScrollOffset = c.offset;
        const SlotMapping m = sheets->MapIconToSlot(0, c.icon, c.margin);
        SCOPED_TRACE(testing::Message() << c.icons << " icons from " << c.start << " turned " << c.offset
                                        << ": icon " << c.icon << " margin " << c.margin);
        EXPECT_EQ(c.slot, m.slot);
        EXPECT_EQ(c.visible, m.visible);
    }
}

TEST_F(SheetRuntimeTest, IconInSlotUndoesMapIconToSlot)
{
    for (const int icons : {3, 12, 25}) {
        IconList page = Programs(icons);
        for (int start = 0; start <= 10; ++start) {
            sheets->SetCurSheet(L"S_DEF", &page, start, false);
            const int turns = sheets->m_Layers[0].overflow ? icons - start : 1;
            for (int offset = 0; offset < turns; ++offset) {
                sheets->m_nScrollOffset = offset;
                std::vector<int> shown(10, -1);
                for (int i = 0; i < icons; ++i) {
                    const SlotMapping m = sheets->MapIconToSlot(0, i, 0);
                    if (m.visible) {
                        ASSERT_EQ(-1, shown[static_cast<size_t>(m.slot)]) << "two icons in slot " << m.slot;
                        shown[static_cast<size_t>(m.slot)] = i;
                    }
                }
                for (int slot = 0; slot < 10; ++slot)
                    ASSERT_EQ(shown[static_cast<size_t>(slot)], sheets->IconInSlot(0, slot))
                        << icons << " icons from " << start << " turned " << offset << " slot " << slot;
            }
        }
    }
}

TEST_F(SheetRuntimeTest, PlaceLayer)
{
    // Four slots; six icons, so icons 4 and 5 wait off the strip.
    LoadSheet(Row({60, 160, 260}, 150, 40) + Row({360}, 150, 60));
    IconList page = Page({APP_PROGRAM, APP_PANEL + 1, APP_SHORTCUT, APP_PROGRAM, APP_PROGRAM, APP_PROGRAM});
    page.entries[2].width = 30;
    page.entries[2].height = 20;
    page.entries[0].zoomState = 3;
    int panelCalls = 0;
    sheets->m_fnPanelBox = [&](IconEntry& e) {
        ++panelCalls;
        e.width = 100;
        e.height = 80;
    };
    sheets->m_nCaptionHeight = 12;
    sheets->SetCurSheet(L"S_T", &page, 0, false);

    EXPECT_FALSE(sheets->PlaceLayer(0, 0, 0));
    const IconEntry& first = page.entries[0];
    EXPECT_EQ(0, first.zoomState);  // the clock's start clears the zoom
    EXPECT_EQ(40, first.size);
    EXPECT_EQ(40, first.baseSize);
    EXPECT_EQ(41, first.width);
    EXPECT_EQ(40 + 12 + 1, first.height);
    EXPECT_EQ(100, page.entries[1].width);  // the panel's own box
    EXPECT_EQ(30, page.entries[2].width);   // laid out before: kept
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(i < 4, (page.entries[i].flags & ICON_PLACED) != 0) << i;
        if (i >= 4) {
            EXPECT_EQ(60, page.entries[i].baseSize) << i;  // the last slot's size
        }
    }

    // Past the motions' end every icon rests on its slot; a running clock
    // leaves the zoom alone.
    page.entries[0].zoomState = 3;
    EXPECT_TRUE(sheets->PlaceLayer(0, 0, 10000));
    EXPECT_EQ(3, page.entries[0].zoomState);
    EXPECT_EQ(1, panelCalls);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(60 + 100 * static_cast<int>(i), page.entries[i].x) << i;
        EXPECT_EQ(150, page.entries[i].y) << i;
    }

    // A layer without a sheet is done; a list that shrank under the layer's
    // count is not read past its end.
    EXPECT_TRUE(sheets->PlaceLayer(1, 0, 100));
    page.entries.resize(2);
    page.entries[0].zoomState = 0;
    EXPECT_TRUE(sheets->PlaceLayer(0, 1, 100000));
    EXPECT_TRUE(sheets->ZoomLayer(0, true, false));
    EXPECT_FALSE(sheets->SetFocusIcon(3, 0));
}

TEST_F(SheetRuntimeTest, SetFocusIconAndFindFocusIcon)
{
    struct Case {
        int icon;
        std::vector<int> before, after;
        bool changed;
    } cases[] = {
        {0, {0, 1, 3, 0, 5, 2}, {1, 4, 5, 0, 5, 5}, true},
        {1, {0, 1, 0, 0, 0, 0}, {0, 1, 0, 0, 0, 0}, false},  // already zooming in
        {2, {0, 0, 3, 0, 0, 0}, {0, 0, 3, 0, 0, 0}, false},  // already held
        {4, {0, 0, 0, 0, 5, 0}, {0, 0, 0, 0, 1, 0}, true},   // shrinking: zooms in again
        {-1, {1, 0, 3, 0, 0, 0}, {1, 0, 3, 0, 0, 0}, false},
        {-2, {1, 3, 0, 4, 5, 2}, {4, 5, 0, 4, 5, 5}, true},
        {5, {0, 0, 0, 0, 0, 2}, {0, 0, 0, 0, 0, 2}, false},  // overshooting on its way to held
        {-2, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, false},
        {6, {1, 0, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 0}, true},   // no such icon
    };
    IconList page = Programs(6), old = Programs(2);
    ShowPlaced(page);
    ShowOld(L"S_DEF", old);
    for (const Case& c : cases) {
        SetStates(0, c.before);
        SetStates(1, {1, 3});
        EXPECT_EQ(c.changed, sheets->SetFocusIcon(c.icon, 0)) << c.icon;
        EXPECT_EQ(c.after, ZoomStates(0)) << c.icon;
        EXPECT_EQ((std::vector<int>{1, 3}), ZoomStates(1)) << "the other layer is left alone";
    }

    struct Found {
        std::vector<int> now, old;
        const char* focus;
    } found[] = {
        {{0, 1, 0, 1}, {}, "1/0"},   // the lowest zooming in
        {{1, 0, 3, 0}, {}, "2/0"},   // held wins
        {{3, 0, 3}, {}, "2/0"},      // from the last icon down
        {{1, 0}, {3, 0}, "0/1"},     // held, even on the old page
        {{0, 0, 1}, {1}, "2/0"},     // layer 0 first
        {{4, 5, 0}, {4}, "-1/-1"},
        {{1, 0, 2}, {}, "2/0"},      // the overshoot of a held icon: still the focus
    };
    for (const Found& f : found) {
        IconList now = Programs(static_cast<int>(f.now.size())), before = Programs(static_cast<int>(f.old.size()));
        ShowPlaced(now);
        ShowOld(L"S_DEF", before);
        SetStates(0, f.now);
        SetStates(1, f.old);
        EXPECT_EQ(f.focus, Focus()) << testing::PrintToString(f.now) << testing::PrintToString(f.old);
    }

    // An icon scrolled out of view takes no focus.
    IconList strip = Programs(12);
    ShowPlaced(strip);
    EXPECT_FALSE(sheets->SetFocusIcon(10, 0));
    EXPECT_EQ(0, strip.entries[10].zoomState);
}

TEST_F(SheetRuntimeTest, MoveFocusVertical)
{
    LoadSheet(kThreeRows);
    const std::vector<int> ten(10, APP_PROGRAM);
    struct Case {
        const wchar_t* sheet;
        std::vector<int> types;
        int focusLayer, focus, offset;
        bool down, wrap;
        const char* after;
    } cases[] = {
        // "S_DEF": down from 6 wraps to 1, up from 1 wraps to 6.
        {L"S_DEF", ten, 0, 6, 0, true, true, "1/0"},
        {L"S_DEF", ten, 0, 6, 0, true, false, "6/0"},
        {L"S_DEF", ten, 0, 1, 0, false, true, "6/0"},
        {L"S_DEF", ten, 0, 1, 0, false, false, "1/0"},
        {L"S_DEF", ten, 0, 1, 0, true, false, "6/0"},
        // Nothing focused: the first slot down, the last slot up.
        {L"S_DEF", ten, 0, -1, 0, true, false, "0/0"},
        {L"S_DEF", ten, 0, -1, 0, false, false, "9/0"},
        // Placeholders and empty recent slots are passed over; a wrap on the
        // way needs leave.
        {L"S_T", {1, 1, 5, 1, 1, 1}, 0, 0, 0, true, false, "4/0"},
        {L"S_T", {1, 1, 5, 1, 5, 1}, 0, 0, 0, true, false, "0/0"},
        {L"S_T", {1, 20, 1, 1, 1, 1}, 0, 3, 0, false, true, "5/0"},
        // The old page's focus moves on the old page.
        {L"S_DEF", ten, 1, 6, 0, true, true, "1/1"},
        // On a turned strip slot 6 shows icon 6 + 2.
        {L"S_DEF", std::vector<int>(12, 1), 0, 3, 2, true, false, "8/0"},
        // Fewer icons than slots: below icon 4 is the empty slot 9.
        {L"S_DEF", std::vector<int>(7, 1), 0, 4, 0, true, true, "4/0"},
    };
    for (const Case& c : cases) {
        IconList page = Page(c.types), old = Programs(10);
        ShowPlaced(page, c.sheet, 0, c.offset);
        ShowOld(L"S_DEF", old);
        sheets->PlaceLayer(1, 0, 0);
        if (c.focus >= 0)
            Entry(c.focusLayer, c.focus).zoomState = 3;
        sheets->MoveFocusVertical(c.down, c.wrap);
        EXPECT_EQ(c.after, Focus()) << "from " << c.focus << (c.down ? " down" : " up") << (c.wrap ? " wrapping" : "")
                                    << " on " << c.types.size();
    }
}

TEST_F(SheetRuntimeTest, MoveFocusLinearAcrossLayers)
{
    LoadSheet(Row({100, 200}, 250, 64));
    struct Case {
        int focusLayer, focus;
        bool forward, cross;
        int result;
        const char* after;
    } cases[] = {
        {0, 3, true, false, 5, "5/0"},    // icon 4 is a placeholder
        {0, 5, false, false, 3, "3/0"},
        {0, 9, true, false, -1, "9/0"},   // the last slot, no crossing
        {0, 9, true, true, 0, "0/1"},     // on to the old page's first slot
        {0, 0, false, false, -1, "0/0"},
        {0, 0, false, true, 1, "1/1"},    // back to the old page's last slot
        {1, 1, true, true, 0, "0/0"},
        {1, 0, false, true, 9, "9/0"},
        {0, -1, true, false, 0, "0/0"},   // nothing focused: the first slot
        {0, -1, false, false, 9, "9/0"},  // or the last one
    };
    for (const Case& c : cases) {
        IconList page = Page({1, 1, 1, 1, 5, 1, 1, 1, 1, 1}), old = Programs(2);
        ShowPlaced(page);
        ShowOld(L"S_T", old);
        sheets->PlaceLayer(1, 0, 0);
        if (c.focus >= 0)
            Entry(c.focusLayer, c.focus).zoomState = 3;
        SCOPED_TRACE(testing::Message() << "from " << c.focus << "/" << c.focusLayer
                                        << (c.forward ? " forward" : " backward") << (c.cross ? " crossing" : ""));
        EXPECT_EQ(c.result, sheets->MoveFocusLinear(c.forward, c.cross));
        EXPECT_EQ(c.after, Focus());
        int focused = 0;  // the crossing releases the page it leaves
        for (int layer = 0; layer < 2; ++layer)
            for (int state : ZoomStates(layer))
                focused += state == 1 || state == 3;
        EXPECT_EQ(1, focused);
    }

    // With one selectable icon the search comes back to it.
    IconList lone = Page({5, 5, 5, 1, 5, 5, 5, 5, 5, 5});
    ShowPlaced(lone);
    sheets->m_Layers[1] = SheetLayer();
    lone.entries[3].zoomState = 3;
    EXPECT_EQ(3, sheets->MoveFocusLinear(true, true));
    EXPECT_EQ(3, lone.entries[3].zoomState);
}

TEST_F(SheetRuntimeTest, MoveFocusLinearOnAStrip)
{
    LoadSheet(kFirstSlotOne);
    ASSERT_EQ(1, sheets->FindSheet(L"S_T")->firstSlot);
    struct Case {
        const wchar_t* sheet;
        int icons, start, offset, focus;
        bool forward;
        int result, icon, offsetAfter, speed, remainder, phase;
    } cases[] = {
        // At the ends of an overflowing strip a one-icon scroll starts and
        // the focus stays.
        {L"S_DEF", 12, 0, 0, 9, true, 9, 9, 0, 1, 1, 4},
        {L"S_DEF", 12, 0, 2, 11, true, 9, 11, 2, 1, 1, 4},  // turned by 2: icon 11 in slot 9
        {L"S_DEF", 12, 0, 0, 0, false, 0, 0, 0, -1, -1, 4},
        {L"S_DEF", 12, 2, 3, 5, false, 2, 5, 3, -1, -1, 4},
        // From a fixed slot into the strip: the strip from its start.
        {L"S_DEF", 12, 2, 3, 1, true, 2, 2, 0, 0, 0, 0},
        {L"S_DEF", 12, 2, 3, 5, true, 3, 6, 3, 0, 0, 0},
        // Slot 3 is the last index but not the last slot: round to slot 0.
        {L"S_T", 4, 0, 0, 3, true, 0, 0, 0, 0, 0, 0},
        {L"S_T", 4, 0, 0, 0, false, 3, 3, 0, 0, 0, 0},
        // Back round from slot 0 the strip shows its end: slot 3, icon 5.
        {L"S_T", 6, 1, 0, 0, false, 3, 5, 2, 0, 0, 0},
    };
    for (size_t k = 0; k < std::size(cases); ++k) {
        const Case& c = cases[k];
        IconList page = Programs(c.icons);
        ShowPlaced(page, c.sheet, c.start, c.offset);
        page.entries[static_cast<size_t>(c.focus)].zoomState = 3;
        SCOPED_TRACE(testing::Message() << "case " << k);
        EXPECT_EQ(c.result, sheets->MoveFocusLinear(c.forward, false));
        EXPECT_EQ(c.icon, sheets->FindFocusIcon().icon);
        EXPECT_EQ(c.offsetAfter, sheets->m_nScrollOffset);
        EXPECT_EQ(c.speed, sheets->m_nScrollSpeed);
        EXPECT_EQ(c.remainder, sheets->m_nScrollRemainder);
        EXPECT_EQ(c.phase, sheets->m_nScrollPhase);
    }
}
