// The engine's running tasks on the sample, with a table of windows for the
// system's: the task page, taps and holds by setting 18, the menus'
// commands and tasks whose window went away.
#include "DeviceSandbox.h"
#include "LaunchFixture.h"
#include "WindowTable.h"
#include "config/Folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class CTaskLaunch : public CTestLaunch {
public:
    CWindowTable windows;
    bool holds = false;      // the stylus stays on the next gesture
    bool stylusDown = true;  // after a menu
    int gestures = 0;
    std::vector<std::vector<int>> menus;  // id, x, y
    std::function<void()> whileMenuOpen;

    int UpdateTaskList() override { return CLaunchCore::UpdateTaskList(); }

protected:
    CWindowChain& Windows() override { return windows; }
    bool RecognizeHold(CLaunchWindow&, int, int) override { return ++gestures, holds; }
    bool StylusDown(CLaunchWindow&) override { return stylusDown; }
    void PopupTaskMenu(CLaunchWindow&, unsigned id, int x, int y) override
    {
        menus.push_back({static_cast<int>(id), x, y});
        if (whileMenuOpen)
            whileMenuOpen();
    }
};

// The sample, selected, on its task page with windows A and B walked.
class LaunchTasksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring dir = std::wstring(kInstallFolder) + L"\\";
        std::filesystem::create_directories(CDeviceSandbox::Host(kInstallFolder));
        std::filesystem::copy(SampleFolder(), CDeviceSandbox::Host(kInstallFolder),
                              std::filesystem::copy_options::recursive);
        std::string settings = dev.ReadFile(dir + L"Orvane.ini");
        settings.replace(settings.find("ScreenSize=-1"), 13, "ScreenSize=480");
        dev.WriteFile(dir + L"Orvane.ini", settings);
        engine.windows.chain = {{10, L"A"}, {20, L"B"}};
        ASSERT_EQ(1, engine.InitLnch());
        engine.OnSelectionReceived(wnd);
        TurnTo(L"TRLS_PAGE");
        Tick();
    }
    // The frames a paint starts, as Display runs them.
    void RunFrames()
    {
        engine.SetDrawTimer(wnd, TIMER_REDRAW, true, false);
        for (int frames = 0; wnd.Armed(TIMER_REDRAW) && frames < 2000; ++frames) {
            engine.OnRedrawTimer(wnd);
            if (engine.m_Tasks.TaskChanged)
                engine.TaskToIcon({0, 0, wnd.width, wnd.height});
            engine.StepFrame();
            engine.AfterDisplay(wnd);
        }
    }
    void TurnTo(const std::wstring& page)
    {
        engine.SetCurTab(wnd, page);
        RunFrames();
    }
    // A task tick that walks, and the frames of its repaint.
    void Tick()
    {
        engine.m_Tasks.TaskCountdown = 0;
        wnd.events.clear();
        engine.OnTaskTimer(wnd);
        if (!wnd.events.empty())
            RunFrames();
    }
    IconEntry& Slot(int type)
    {
        for (IconEntry& e : engine.Sheet()->m_Layers[0].icons->entries)
            if (e.nAppType == type)
                return e;
        throw std::runtime_error("no slot");
    }
    std::wstring Bound(int type) { return Slot(type).Link ? Slot(type).Link->Name : L"(none)"; }
    int Tap(int type)
    {
        const IconEntry& e = Slot(type);
        engine.TrackPointer(wnd, e.x, e.y, true);
        return engine.ReleasePointer(wnd, e.x, e.y);
    }

    CDeviceSandbox dev;
    CTaskLaunch engine;
    CRecWindow wnd;
};

}  // namespace

TEST_F(LaunchTasksTest, TheTaskPageShowsTheWindowsInItsCornerUntilTheyClose)
{
    EXPECT_EQ(L"A", Bound(40));
    EXPECT_EQ(L"B", Bound(41));
    EXPECT_EQ(L"(none)", Bound(42));
    // The sample's hexagons (±34 × ±39 at 48 pixels) end 2 pixels from the
    // item's right edge and 1 from its bottom; empty slots are out of sight.
    EXPECT_EQ((std::vector<int>{444, 260, 372, -480}), (std::vector<int>{Slot(40).x, Slot(40).y, Slot(41).x, Slot(42).x}));
    Tick();
    EXPECT_TRUE(wnd.events.empty()) << "a walk that finds the same windows repaints nothing";

    engine.windows.chain.pop_back();
    Tick();
    EXPECT_FALSE(wnd.events.empty());
    EXPECT_EQ(L"(none)", Bound(41));
    EXPECT_EQ(-480, Slot(41).x);

    // Other pages are never laid out: Home's slots stay three rows of five.
    TurnTo(L"Home");
    engine.windows.chain.push_back({30, L"C"});
    Tick();
    const std::vector<SheetSlot>& home = engine.Sheet()->CurSheet()->slots;
    for (size_t i = 0; i < home.size(); ++i)
        EXPECT_EQ((std::vector<int>{48 + 96 * static_cast<int>(i % 5), 50 + 100 * static_cast<int>(i / 5)}),
                  (std::vector<int>{home[i].x, home[i].y}));
}

TEST_F(LaunchTasksTest, TapsAndHoldsActBySetting18)
{
    struct Case {
        int action;
        bool hold;
        std::vector<int> menus;
        std::vector<WindowHandle> activated, closed;
        int gestures;  // times the shell was asked for the gesture
    } cases[] = {
        {0, false, {101}, {}, {}, 0},
        {0, true, {101}, {}, {}, 0},  // no hold recognition: the release opens the menu
        {1, false, {}, {10}, {}, 1},
        {1, true, {102}, {}, {}, 1},
        {2, false, {}, {10}, {}, 1},
        {2, true, {}, {}, {10}, 1},
    };
    wnd.left = 5;  // menus are centred on the point of the screen
    for (const Case& c : cases) {
        SCOPED_TRACE("action " + std::to_string(c.action) + (c.hold ? " hold" : " tap"));
        engine.m_nTaskHoldAction = static_cast<std::uint8_t>(c.action);
        engine.holds = c.hold;
        engine.menus.clear();
        engine.windows.activated.clear();
        engine.windows.closed.clear();
        engine.gestures = 0;
        engine.m_Tasks.TaskCountdown = 3000;
        const IconEntry& slot = Slot(40);
        EXPECT_EQ(c.closed.empty() ? 0 : 1, engine.TrackPointer(wnd, slot.x, slot.y, true));
        engine.ReleasePointer(wnd, slot.x, slot.y);
        std::vector<int> ids;
        for (const std::vector<int>& m : engine.menus) {
            ids.push_back(m[0]);
            EXPECT_EQ((std::vector<int>{slot.x + 5, slot.y + wnd.top}), std::vector<int>(m.begin() + 1, m.end()));
        }
        EXPECT_EQ(c.menus, ids);
        EXPECT_EQ(c.activated, engine.windows.activated);
        EXPECT_EQ(c.closed, engine.windows.closed);
        EXPECT_EQ(c.gestures, engine.gestures);
        EXPECT_EQ(c.closed.empty() ? 3000 : 0, engine.m_Tasks.TaskCountdown) << "a close walks at the next tick";
        EXPECT_EQ(0, engine.m_bGestureTaken) << "the release after a hold is swallowed, and clears it";
    }
    engine.m_nTaskHoldAction = 0;
    engine.menus.clear();
    EXPECT_EQ(0, Tap(43));
    EXPECT_TRUE(engine.menus.empty()) << "an empty task slot opens nothing";
}

TEST_F(LaunchTasksTest, CommandsActOnlyOnTheWindowTheMenuWasOpenedFor)
{
    engine.m_nTaskHoldAction = 1;
    engine.holds = true;
    // While the menu is open a walk finds B in front: slot 40 shows B now.
    engine.whileMenuOpen = [this] {
        std::swap(engine.windows.chain[0], engine.windows.chain[1]);
        Tick();
    };
    const IconEntry& slot = Slot(40);
    engine.TrackPointer(wnd, slot.x, slot.y, true);
    ASSERT_EQ(L"B", Bound(40));
    EXPECT_EQ(1, engine.OnTaskCommand(wnd, CMD_TASK_CLOSE));
    EXPECT_EQ(std::vector<WindowHandle>{10}, engine.windows.closed) << "A, not B";
    EXPECT_EQ(1, engine.m_bGestureTaken) << "the release is still to come";
    engine.ReleasePointer(wnd, slot.x, slot.y);

    // Cancel acts on nothing; a menu whose loop took the release leaves
    // nothing to swallow.
    engine.whileMenuOpen = nullptr;
    engine.stylusDown = false;
    engine.TrackPointer(wnd, slot.x, slot.y, true);
    EXPECT_EQ(0, engine.m_bGestureTaken);
    EXPECT_EQ(0, engine.OnTaskCommand(wnd, CMD_TASK_CANCEL));
    EXPECT_TRUE(engine.windows.activated.empty());

    // B's window gone, or its handle now another window's: nothing is done
    // and the next tick walks again.
    engine.holds = false;
    for (const std::vector<CTableWindow>& chain : {std::vector<CTableWindow>{{10, L"A"}},
                                                    std::vector<CTableWindow>{{20, L"Other"}, {10, L"A"}}}) {
        engine.windows.chain = chain;
        engine.m_Tasks.TaskCountdown = 3000;
        EXPECT_EQ(0, Tap(40));
        engine.m_pTouched = &Slot(40);
        EXPECT_EQ(0, engine.ExecIcon(wnd, true));
        EXPECT_EQ(0, engine.m_Tasks.TaskCountdown);
    }
    EXPECT_TRUE(engine.windows.activated.empty());
    EXPECT_EQ(1u, engine.windows.closed.size());
}
