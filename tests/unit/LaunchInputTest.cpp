// Pointer and key input on the sample installation: what a tap launches,
// page links, favourites, the edge zones, drags and flings of the Tools
// strip, the cursor keys and the vibrator's pulses, against a recording
// window and a recording shell.
#include "DeviceSandbox.h"
#include "LaunchFixture.h"
#include "Led.h"
#include "config/Folders.h"
#include "config/SettingIndex.h"
#include "engine/LaunchCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

const std::wstring kDir = std::wstring(kInstallFolder) + L"\\";
constexpr int kEdge = 30;      // the sample's edge zones, both orientations
constexpr int kPitch = 96;     // the Tools strip's slots, and its scroll pitch
constexpr int kStripY = 150;

struct Point {
    int x, y;
};
// Home's slots: three rows of five.
constexpr Point HomeSlot(int i) { return {48 + 96 * (i % 5), 50 + 100 * (i / 5)}; }

class LaunchInputTest : public ::testing::Test {
protected:
    // The sample with some settings changed ("Key=value" lines of Orvane.ini),
    // on a screen as wide as its reference: file values are screen pixels.
    void Install(std::map<std::string, int> changes = {})
    {
        changes.emplace("ScreenSize", 480);
        const std::filesystem::path folder = CDeviceSandbox::Host(kInstallFolder);
        std::filesystem::create_directories(folder);
        std::filesystem::copy(SampleFolder(), folder,
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        std::string text = dev.ReadFile(kDir + L"Orvane.ini");
        for (const auto& [key, value] : changes) {
            const size_t at = text.find("\n" + key + "=");
            ASSERT_NE(std::string::npos, at) << key;
            const size_t end = text.find('\n', at + 1);
            text.replace(at + 1, end - at - 1, key + "=" + std::to_string(value) + "\r");
        }
        dev.WriteFile(kDir + L"Orvane.ini", text);
    }
    // Loaded, selected and at rest on the first page (Home).
    void StartFocused(std::map<std::string, int> changes = {})
    {
        Install(std::move(changes));
        ASSERT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(wnd);
        engine.OnSelectionReceived(wnd);
        RunFrames();
        ASSERT_EQ(L"Home", PageName());
    }
    void RunFrames(int cap = 2000)
    {
        for (int frames = 0; wnd.Armed(TIMER_REDRAW) && frames < cap; ++frames)
            Frame();
        ASSERT_FALSE(wnd.Armed(TIMER_REDRAW)) << "the item never came to rest";
    }
    // One frame as the window plays it; the recent slots follow the ring
    // before drawing, as Display has them.
    void Frame()
    {
        engine.OnRedrawTimer(wnd);
        if (engine.RecentChanged)
            engine.RecentToIcon();
        engine.StepFrame();
        engine.AfterDisplay(wnd);
        engine.tick += static_cast<std::uint32_t>(engine.m_nFramePeriod);
    }
    void TurnTo(const std::wstring& page)
    {
        engine.SetCurTab(wnd, page);
        RunFrames();
        ASSERT_EQ(page, PageName());
    }
    std::wstring PageName() const { return engine.Pages()->m_Order[engine.m_nCurPage].name; }
    // Down and up at one point, a frame period apart.
    int Tap(int x, int y)
    {
        engine.TrackPointer(wnd, x, y, true);
        engine.tick += 30;
        return engine.ReleasePointer(wnd, x, y);
    }
    IconEntry& HomeIcon(const std::wstring& name)
    {
        for (IconEntry& e : engine.Pages()->FindPage(L"Home")->icons.entries)
            if (e.Name == name)
                return e;
        ADD_FAILURE() << "no icon " << std::string(name.begin(), name.end());
        static IconEntry none;
        return none;
    }
    // The slot of the given recent type on the current page.
    const IconEntry& RecentSlot(int type) const
    {
        for (const IconEntry& e : engine.Sheet()->m_Layers[0].icons->entries)
            if (e.nAppType == type)
                return e;
        ADD_FAILURE() << "no recent slot " << type;
        static IconEntry none;
        return none;
    }
    const IconEntry* Focused() const { return engine.Sheet()->Icon(engine.Sheet()->FindFocusIcon()); }
    std::wstring FocusedName() const { return Focused() ? Focused()->Name : L"(none)"; }
    // Every icon standing in a slot shows its caption.
    void ExpectCaptionsOnPlacedIcons() const
    {
        for (const IconEntry& e : engine.Sheet()->m_Layers[0].icons->entries) {
            if (e.flags & ICON_PLACED) {
                EXPECT_TRUE(e.flags & ICON_CAPTION) << std::string(e.Name.begin(), e.Name.end()) << " has no caption";
            }
        }
    }
    // The strip's turn in whole icon steps, and what is left over in pixels.
    int ScrollOffset() const { return engine.Sheet()->m_nScrollOffset; }
    int ScrollRemainder() const { return engine.Sheet()->m_nScrollRemainder; }

    CDeviceSandbox dev;
    CTestLaunch engine;
    CRecWindow wnd;
};

}  // namespace

TEST_F(LaunchInputTest, ATapStartsTheProgramPulsesAndRecordsItAsRecent)
{
    StartFocused();
    const Point console = HomeSlot(3);
    EXPECT_EQ(1, Tap(console.x, console.y));
    ASSERT_EQ(1u, engine.opened.size());
    EXPECT_EQ(L"\\Windows\\system32\\cmd.exe", engine.opened[0].first);
    EXPECT_EQ(L"/k ver", engine.opened[0].second);
    ASSERT_EQ(1u, engine.pulses.size());
    EXPECT_EQ(30, engine.pulses[0].lengthMs);
    EXPECT_EQ(2, engine.pulses[0].count);
    EXPECT_EQ(1, engine.pulses[0].led);  // the sample allows LED 1; the stand-in has two
    EXPECT_EQ(&HomeIcon(L"Console"), engine.RecentRing[static_cast<size_t>(engine.m_nNewest)]);
    // The touched icon keeps the press feedback: it is the focus now.
    EXPECT_EQ(L"Console", FocusedName());

    // Its recent slot launches the same entry again.
    TurnTo(L"Recent");
    engine.opened.clear();
    const IconEntry& first = RecentSlot(APP_RECENT_FIRST);
    ASSERT_EQ(&HomeIcon(L"Console"), first.Link);
    EXPECT_EQ(1, Tap(first.x, first.y));
    ASSERT_EQ(1u, engine.opened.size());
    EXPECT_EQ(L"/k ver", engine.opened[0].second);

    // An empty recent slot does nothing.
    const IconEntry& second = RecentSlot(APP_RECENT_FIRST + 1);
    ASSERT_EQ(nullptr, second.Link);
    engine.m_pTouched = const_cast<IconEntry*>(&second);
    EXPECT_EQ(0, engine.ExecIcon(wnd, false));
    EXPECT_EQ(1u, engine.opened.size());
}

TEST_F(LaunchInputTest, PageLinksTurnToTheirPageAndAMissingPageOnlyPulses)
{
    StartFocused();
    const Point tools = HomeSlot(10);
    ASSERT_EQ(L"Tools", HomeIcon(L"Tools").Path);
    EXPECT_EQ(0, Tap(tools.x, tools.y));  // a page turn starts nothing
    EXPECT_EQ(L"Tools", PageName());
    EXPECT_TRUE(engine.opened.empty());
    EXPECT_EQ(1u, engine.pulses.size());

    // A link whose page was removed: the tap is felt, the page stays.
    TurnTo(L"Home");
    engine.pulses.clear();
    HomeIcon(L"Tools").Path = L"NoSuchPage";
    EXPECT_EQ(0, Tap(tools.x, tools.y));
    EXPECT_EQ(L"Home", PageName());
    EXPECT_EQ(1u, engine.pulses.size());
}

TEST_F(LaunchInputTest, AFavouriteOpensItsAddressAndABrokenOneNothing)
{
    StartFocused();
    IconEntry& favourite = HomeIcon(L"Example");
    ASSERT_EQ(APP_FAVORITE, favourite.nAppType);
    const std::string longLine = "URL=http://example.org/" + std::string(1100, 'a') + "\r\n";
    const std::wstring sample = favourite.Path;
    struct Case {
        const char* what;
        std::string file;  // written to a file of its own; empty: the path as given
        std::wstring path;
        std::wstring address;
    } cases[] = {
        {"the sample", "", sample, L"http://www.example.com/"},
        {"lower-case key after other lines", "[InternetShortcut]\r\nIconIndex=0\r\nurl=orvtest:one\r\nURL=orvtest:two\r\n",
         L"", L"orvtest:one"},
        {"no URL line", "[InternetShortcut]\r\nIconIndex=0\r\nURLX=orvtest:x\r\n", L"", L""},
        {"an empty address", "URL=\r\n", L"", L""},
        {"an address longer than a line", longLine, L"", L""},
        {"no file", "", kDir + L"Favorites\\Missing.url", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        engine.opened.clear();
        engine.RecentRing.fill(nullptr);
        favourite.Path = c.file.empty() ? c.path : kDir + L"Favorites\\Test.url";
        if (!c.file.empty())
            dev.WriteFile(favourite.Path, c.file);
        engine.m_pTouched = &favourite;
        const int started = engine.ExecIcon(wnd, false);
        if (c.address.empty()) {
            EXPECT_EQ(0, started);
            EXPECT_TRUE(engine.opened.empty());
            EXPECT_EQ(nullptr, engine.RecentRing[static_cast<size_t>(engine.m_nNewest)]);
        } else {
            EXPECT_EQ(1, started);
            ASSERT_EQ(1u, engine.opened.size());
            EXPECT_EQ(c.address, engine.opened[0].first);
            EXPECT_EQ(L"", engine.opened[0].second);
            EXPECT_EQ(&favourite, engine.RecentRing[static_cast<size_t>(engine.m_nNewest)]);
        }
    }
}

TEST_F(LaunchInputTest, EdgeZonesTurnPagesByTheItemsOwnCoordinates)
{
    StartFocused();
    // The item stands away from the screen's left edge: the zones follow it.
    wnd.left = 100;
    const int y = 100;  // between the rows of Home and above the Tools strip: no icon there
    struct Case {
        int x;
        int step;  // -1 backward, 0 none, 1 forward
    } cases[] = {
        {kEdge - 1, -1}, {kEdge, 0}, {0, -1}, {480 - kEdge, 0}, {480 - kEdge + 1, 1}, {479, 1}, {240, 0},
    };
    for (const Case& c : cases) {
        engine.SetCurTab(wnd, L"Tools");
        RunFrames();
        const std::uint32_t before = engine.m_nCurPage;
        engine.pulses.clear();
        EXPECT_EQ(0, Tap(c.x, y)) << c.x;
        const std::wstring expected =
            c.step == 0 ? L"Tools" : (c.step < 0 ? L"Home" : engine.Pages()->m_Order[before + 1].name);
        EXPECT_EQ(expected, PageName()) << c.x;
        EXPECT_EQ(c.step == 0 ? 0u : 1u, engine.pulses.size()) << c.x;
        if (!engine.pulses.empty()) {
            EXPECT_EQ(40, engine.pulses[0].lengthMs);
            EXPECT_EQ(1, engine.pulses[0].count);
        }
    }
}

TEST_F(LaunchInputTest, AnUnfocusedItemIgnoresIconTapsButPagesWithItsEdges)
{
    StartFocused();
    engine.OnSelectionLost(wnd);
    RunFrames();
    ASSERT_EQ(0, engine.m_bFocus);
    const Point console = HomeSlot(3);
    EXPECT_EQ(0, Tap(console.x, console.y));
    EXPECT_TRUE(engine.opened.empty());
    Tap(480 - 5, 100);
    EXPECT_NE(L"Home", PageName());
    EXPECT_TRUE(engine.opened.empty());
}

TEST_F(LaunchInputTest, ADragOfTheThresholdIsStillATapOneMoreIsNot)
{
    StartFocused();
    ASSERT_GT(engine.DragThreshold, 0);
    TurnTo(L"Tools");
    ASSERT_TRUE(engine.Sheet()->m_Layers[0].overflow);
    // Press in the left edge zone, where no icon is, and drag right by d in
    // single pixels, one each 10 ms; the release stays in the zone.
    for (int d : {engine.DragThreshold, engine.DragThreshold + 1}) {
        ASSERT_LT(2 + d, kEdge);
        TurnTo(L"Tools");
        const int y = kStripY + 60;  // below the strip's icons
        engine.TrackPointer(wnd, 2, y, true);
        ASSERT_EQ(2, engine.m_nDragMode);
        for (int x = 3; x <= 2 + d; ++x) {
            engine.tick += 10;
            engine.TrackPointer(wnd, x, y, false);
        }
        engine.tick += 10;
        engine.ReleasePointer(wnd, 2 + d, y);
        RunFrames();
        EXPECT_EQ(d == engine.DragThreshold ? L"Home" : L"Tools", PageName()) << d;
    }
}

TEST_F(LaunchInputTest, AFastFlingGlidesToAWholeStepAndASlowOneSnapsAtOnce)
{
    StartFocused();
    TurnTo(L"Tools");
    ASSERT_TRUE(engine.Sheet()->m_Layers[0].overflow);
    const int y = kStripY + 60;
    // Fast: 120 px to the left in four 10 ms moves, released at once.
    engine.TrackPointer(wnd, 300, y, true);
    for (int i = 1; i <= 4; ++i) {
        engine.tick += 10;
        engine.TrackPointer(wnd, 300 - 30 * i, y, false);
    }
    engine.tick += 10;
    engine.ReleasePointer(wnd, 170, y);
    EXPECT_GT(engine.Sheet()->m_nScrollSpeed, 0);  // opposite to the finger
    RunFrames();
    EXPECT_EQ(0, ScrollRemainder());
    EXPECT_GE(ScrollOffset(), 2) << "a fast fling glides further than the finger went (1.25 steps)";
    ExpectCaptionsOnPlacedIcons();
    EXPECT_TRUE(engine.opened.empty());

    // Slow: 40 px in 2 px moves 30 ms apart, then held still before release.
    const int before = ScrollOffset();
    engine.TrackPointer(wnd, 300, y, true);
    for (int x = 298; x >= 260; x -= 2) {
        engine.tick += 30;
        engine.TrackPointer(wnd, x, y, false);
        Frame();
    }
    engine.tick += 300;
    engine.ReleasePointer(wnd, 260, y);
    RunFrames();
    EXPECT_EQ(0, ScrollRemainder());
    EXPECT_EQ(before, ScrollOffset()) << "less than half a step: the strip snaps back";
}

TEST_F(LaunchInputTest, IconsThatScrollIntoViewShowTheirCaptions)
{
    StartFocused();
    TurnTo(L"Tools");
    // One icon step at a time, as the cursor keys scroll the strip.
    for (int step = 0; step < 12; ++step) {
        engine.Sheet()->m_nScrollSpeed = 1;
        engine.Sheet()->m_nScrollPhase = 4;
        engine.SetDrawTimer(wnd, TIMER_REDRAW, true, true);
        RunFrames();
        ExpectCaptionsOnPlacedIcons();
    }
}

TEST_F(LaunchInputTest, AFlingSlowerThanTheStripKeepsItsSpeed)
{
    StartFocused();
    TurnTo(L"Tools");
    const int y = kStripY + 60;
    // 20 px in 10 ms at a 30 ms frame period: 60 px a frame.
    for (int strip : {500, -500, 20}) {
        engine.TrackPointer(wnd, 300, y, true);
        engine.tick += 10;
        engine.TrackPointer(wnd, 280, y, false);
        engine.Sheet()->m_nScrollSpeed = strip;  // the strip still glides from before
        engine.tick += 10;
        engine.ReleasePointer(wnd, 260, y);
        EXPECT_EQ(std::abs(strip) > 60 ? strip : 60, engine.Sheet()->m_nScrollSpeed) << strip;
        EXPECT_EQ(1, engine.Sheet()->m_nScrollPhase);
        RunFrames();
    }
}

TEST_F(LaunchInputTest, DragVelocityNeverDividesByASameMillisecondSample)
{
    StartFocused();
    engine.m_nDragTime = 0;
    engine.m_nDragDistance = 0;
    EXPECT_EQ(0, engine.DragVelocity(100, 10));  // the first sample has no speed
    EXPECT_EQ(0, engine.DragVelocity(140, 10));  // same tick: none either, and no division
    EXPECT_EQ(0, engine.m_nDragDistance);
    engine.tick += 10;
    // 30 px right in 10 ms at a 30 ms frame period: 90 px a frame, leftwards.
    EXPECT_EQ(-90, engine.DragVelocity(170, 10));
    EXPECT_EQ(30, engine.m_nDragDistance);
    // Across the wrap of the tick count.
    engine.tick = 0xFFFFFFF0u;
    engine.DragVelocity(170, 10);
    engine.tick = 0x0Eu;  // 30 ms later
    EXPECT_EQ(60, engine.DragVelocity(110, 10));
    // The distance stops growing once it is past 1000.
    for (int i = 0; i < 40; ++i) {
        engine.tick += 1;
        engine.DragVelocity(i % 2 ? 110 : 1110, 10);
    }
    EXPECT_GE(engine.m_nDragDistance, kDragDistanceCap);
    EXPECT_LE(engine.m_nDragDistance, kDragDistanceCap + 1000);
}

TEST_F(LaunchInputTest, CursorKeysMoveTheFocusInEachMode)
{
    // Mode 0: up and down walk the icons; left and right do nothing.
    StartFocused({{"KeyNavMode", 0}});
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_DOWN));
    EXPECT_EQ(L"Notes", FocusedName());
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_DOWN));
    EXPECT_EQ(L"Web", FocusedName());
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_RIGHT));
    EXPECT_EQ(L"Web", FocusedName());
    EXPECT_EQ(L"Home", PageName());
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_UP));
    EXPECT_EQ(L"Notes", FocusedName());
    EXPECT_EQ(1, engine.NavigateKey(wnd, NAVKEY_UP)) << "before the first icon the Today screen moves on";

    // The action key starts the focused icon.
    engine.opened.clear();
    EXPECT_EQ(1, engine.ActOnFocusIcon(wnd));
    ASSERT_EQ(1u, engine.opened.size());
    EXPECT_EQ(L"\\Windows\\notepad.exe", engine.opened[0].first);
}

TEST_F(LaunchInputTest, CursorKeysInModeOneTurnPagesSideways)
{
    StartFocused({{"KeyNavMode", 1}});
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_RIGHT));
    EXPECT_EQ(engine.Pages()->m_Order[1].name, PageName());
    RunFrames();
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_LEFT));
    EXPECT_EQ(L"Home", PageName());
    RunFrames();
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_DOWN));
    EXPECT_EQ(L"Notes", FocusedName());
    EXPECT_EQ(0, engine.NavigateKey(wnd, 0x0D)) << "other keys are not the item's";
}

TEST_F(LaunchInputTest, CursorKeysInModeTwoMoveOnTheGrid)
{
    StartFocused({{"KeyNavMode", 2}});
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_RIGHT));
    const std::wstring first = FocusedName();
    EXPECT_EQ(L"Notes", first);
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_RIGHT));
    EXPECT_EQ(L"Web", FocusedName());
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_DOWN));
    EXPECT_EQ(L"Task Mgr", FocusedName()) << "the slot below Web";
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_UP));
    EXPECT_EQ(L"Web", FocusedName());
    EXPECT_EQ(1, engine.NavigateKey(wnd, NAVKEY_UP)) << "nothing above the top row: out of the item";
    EXPECT_EQ(L"Web", FocusedName());

    // Another value of the setting: keys are not the item's.
    StartFocused({{"KeyNavMode", 7}});
    EXPECT_EQ(0, engine.NavigateKey(wnd, NAVKEY_DOWN));
    EXPECT_EQ(nullptr, Focused());
}

TEST_F(LaunchInputTest, KeysAreSwallowedWhileIconsMove)
{
    StartFocused({{"KeyNavMode", 1}});
    engine.SetCurTab(wnd, L"Tools");
    Frame();
    ASSERT_EQ(0, engine.m_bMotionsDone) << "the new page is still flying in";
    for (unsigned key : {NAVKEY_LEFT, NAVKEY_RIGHT, NAVKEY_UP, NAVKEY_DOWN})
        EXPECT_EQ(0, engine.NavigateKey(wnd, key));
    EXPECT_EQ(L"Tools", PageName());
    EXPECT_EQ(nullptr, Focused());
}

TEST_F(LaunchInputTest, AHoldGestureSwallowsTheNextRelease)
{
    StartFocused();
    engine.m_bGestureTaken = 1;
    const Point console = HomeSlot(3);
    EXPECT_EQ(0, engine.TrackPointer(wnd, console.x, console.y, true));
    EXPECT_EQ(0, engine.ReleasePointer(wnd, console.x, console.y));
    EXPECT_EQ(0, engine.m_bGestureTaken);
    EXPECT_TRUE(engine.opened.empty());
    EXPECT_EQ(1, Tap(console.x, console.y));
}

TEST_F(LaunchInputTest, InputWithoutAConfigurationDoesNothing)
{
    CTestLaunch idle;
    EXPECT_EQ(0, idle.TrackPointer(wnd, 10, 10, true));
    EXPECT_EQ(0, idle.TrackPointer(wnd, 20, 10, false));
    EXPECT_EQ(0, idle.ReleasePointer(wnd, 20, 10));
    EXPECT_EQ(0, idle.NavigateKey(wnd, NAVKEY_DOWN));
    EXPECT_EQ(0, idle.ActOnFocusIcon(wnd));
    EXPECT_TRUE(idle.opened.empty());

    // A reload forgets the touched icon with the pages it lived in.
    StartFocused();
    const Point console = HomeSlot(3);
    engine.TrackPointer(wnd, console.x, console.y, true);
    ASSERT_NE(nullptr, engine.m_pTouched);
    engine.ExitLnch();
    EXPECT_EQ(nullptr, engine.m_pTouched);
    EXPECT_EQ(0, engine.ExecIcon(wnd, false));
}

// The vibrator's LED: the highest the driver has, not past setting 13; the
// pulses leave it off.
TEST(Vibrator, PulsesTheAllowedLedAndLeaveItOff)
{
    const char* saved = std::getenv("ORVANE_LEDS");
    const std::string restore = saved ? saved : "";
    auto setLeds = [](const char* value) {
#ifdef _WIN32
        _putenv_s("ORVANE_LEDS", value);
#else
        if (*value)
            setenv("ORVANE_LEDS", value, 1);
        else
            unsetenv("ORVANE_LEDS");
#endif
    };
    setLeds("");
    EXPECT_EQ(1, VibratorLed(1));
    EXPECT_EQ(1, VibratorLed(9)) << "two LEDs: numbers 0 and 1";
    EXPECT_EQ(0, VibratorLed(0));
    setLeds("5");
    EXPECT_EQ(4, VibratorLed(9));
    EXPECT_EQ(2, VibratorLed(2));
    setLeds("0");
    EXPECT_EQ(-1, VibratorLed(1)) << "no LED: nothing to pulse";
    setLeds("");

    const LedRecord before = LedState(1);
    std::vector<unsigned> sleeps;
    PlayLedPulses({1, 30, 2}, [&](unsigned ms) {
        sleeps.push_back(ms);
        EXPECT_EQ(sleeps.size() % 2 == 1, LedState(1).on) << "on for a pulse, off for a pause";
    });
    EXPECT_EQ((std::vector<unsigned>{30, 30, 30}), sleeps);
    EXPECT_EQ(before.timesOn + 2, LedState(1).timesOn);
    EXPECT_FALSE(LedState(1).on);

    // A number the driver does not have switches nothing.
    PlayLedPulses({-1, 30, 2}, [](unsigned) {});
    EXPECT_FALSE(SwitchLed(7, true));
    EXPECT_EQ(0, LedState(7).timesOn);
    setLeds(restore.c_str());
}

// Taps from many threads while patterns play: one player at a time, and
// every pattern that found room is played once.
TEST(Vibrator, QueuedPatternsPlayOneAtATime)
{
    CPulseQueue queue;
    std::atomic<int> players{0}, most{0};
    std::mutex lock;
    std::vector<int> played;
    auto play = [&] {
        const int now = ++players;
        most = std::max(most.load(), now);
        LedPulses next;
        while (queue.Next(next)) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            std::lock_guard<std::mutex> guard(lock);
            played.push_back(next.count);
        }
        --players;
    };
    constexpr int kTaps = 6;
    std::vector<std::thread> tappers;
    for (int round = 0; round < 40; ++round) {
        for (int t = 0; t < kTaps; ++t)
            tappers.emplace_back([&, t] {
                if (queue.Add({1, 1, t + 1}))
                    play();
            });
        for (std::thread& tapper : tappers)
            tapper.join();
        tappers.clear();
        ASSERT_EQ(static_cast<size_t>(kTaps * (round + 1)), played.size()) << "round " << round;
        LedPulses none;
        EXPECT_FALSE(queue.Next(none));
    }
    EXPECT_EQ(1, most.load());

    // More than the queue holds while one plays: the rest add nothing; a
    // player that could not start leaves the queue free for the next tap.
    ASSERT_TRUE(queue.Add({1, 1, 1}));
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(queue.Add({1, 1, 2}));
    LedPulses next;
    int waiting = 0;
    while (queue.Next(next))
        ++waiting;
    EXPECT_EQ(static_cast<int>(CPulseQueue::kMaxWaiting), waiting);
    ASSERT_TRUE(queue.Add({1, 1, 3}));
    queue.Abandon();
    EXPECT_FALSE(queue.Next(next));
    EXPECT_TRUE(queue.Add({1, 1, 4}));
}
