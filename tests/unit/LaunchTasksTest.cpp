// The engine's running tasks on the sample installation, with a table of
// windows for the system's: the task page, taps and holds on task slots by
// setting 18, the menus' commands and tasks whose window went away.
#include "DeviceSandbox.h"
#include "LaunchFixture.h"
#include "WindowTable.h"
#include "config/Folders.h"
#include "engine/LaunchCore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::wstring kDir = std::wstring(kInstallFolder) + L"\\";

class CTaskLaunch : public CTestLaunch {
public:
    struct Menu {
        unsigned id;
        int x, y;
    };
    CWindowTable windows;
    bool holds = false;       // the stylus is held on the next gesture
    bool stylusDown = true;   // after a menu
    int gestures = 0;
    std::vector<Menu> menus;
    std::function<void()> whileMenuOpen;

    int UpdateTaskList() override { return CLaunchCore::UpdateTaskList(); }

protected:
    CWindowChain& Windows() override { return windows; }
    bool RecognizeHold(CLaunchWindow&, int, int) override { return ++gestures, holds; }
    bool StylusDown(CLaunchWindow&) override { return stylusDown; }
    void PopupTaskMenu(CLaunchWindow&, unsigned id, int x, int y) override
    {
        menus.push_back({id, x, y});
        if (whileMenuOpen)
            whileMenuOpen();
    }
};

class LaunchTasksTest : public ::testing::Test {
protected:
    // The sample on a screen as wide as its reference, with a page "Work" of
    // four task slots on the built-in sheet; selected, on the task page, the
    // windows A and B walked.
    void SetUp() override
    {
        const std::filesystem::path folder = CDeviceSandbox::Host(kInstallFolder);
        std::filesystem::create_directories(folder);
        std::filesystem::copy(SampleFolder(), folder, std::filesystem::copy_options::recursive);
        std::string settings = dev.ReadFile(kDir + L"Orvane.ini");
        settings.replace(settings.find("ScreenSize=-1"), 13, "ScreenSize=480");
        dev.WriteFile(kDir + L"Orvane.ini", settings);
        dev.WriteFile(kDir + L"Page.ini", dev.ReadFile(kDir + L"Page.ini") +
                                              "\r\n[Work]\r\nS_DEF,0,0\r\nS_DEF,0,0\r\n40,Task-01,,,,0,----;;\r\n"
                                              "41,Task-02,,,,0,----;;\r\n42,Task-03,,,,0,----;;\r\n43,Task-04,,,,0,----;;\r\n");
        dev.WriteFile(kDir + L"PageMng.ini", dev.ReadFile(kDir + L"PageMng.ini") + "1,Work\r\n");

        engine.windows.chain = {{10, L"A", L"App", L"\\A.exe"}, {20, L"B", L"App", L"\\B.exe"}};
        ASSERT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(wnd);
        engine.OnSelectionReceived(wnd);
        TurnTo(L"TRLS_PAGE");
        Tick();
    }
    void Frame()
    {
        engine.OnRedrawTimer(wnd);
        if (engine.m_Tasks.TaskChanged)
            engine.TaskToIcon({0, 0, wnd.width, wnd.height});
        engine.StepFrame();
        engine.AfterDisplay(wnd);
        engine.tick += 30;
    }
    void RunFrames()
    {
        for (int frames = 0; wnd.Armed(TIMER_REDRAW) && frames < 2000; ++frames)
            Frame();
        ASSERT_FALSE(wnd.Armed(TIMER_REDRAW));
    }
    void TurnTo(const std::wstring& page)
    {
        engine.SetCurTab(wnd, page);
        Frame();
        RunFrames();
    }
    // A task tick that walks: a repaint draws a frame.
    void Tick()
    {
        engine.m_Tasks.TaskCountdown = 0;
        wnd.events.clear();
        engine.OnTaskTimer(wnd);
        if (!wnd.events.empty())
            Frame();
        RunFrames();
    }
    IconEntry& Slot(int type)
    {
        for (IconEntry& e : engine.Sheet()->m_Layers[0].icons->entries)
            if (e.nAppType == type)
                return e;
        ADD_FAILURE() << "no slot " << type;
        static IconEntry none;
        return none;
    }
    std::wstring Bound(int type) { return Slot(type).Link ? Slot(type).Link->Name : L""; }
    int Tap(const IconEntry& e)
    {
        const int x = e.x, y = e.y;
        engine.TrackPointer(wnd, x, y, true);
        return engine.ReleasePointer(wnd, x, y);
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
    EXPECT_EQ(L"", Bound(42));
    // The sample's hexagons (±34 × ±39 at 48 pixels) end 2 pixels from the
    // item's right edge and 1 from its bottom; the icons stand on them.
    EXPECT_EQ(444, Slot(40).x);
    EXPECT_EQ(260, Slot(40).y);
    EXPECT_EQ(372, Slot(41).x);
    EXPECT_EQ(-480, Slot(42).x) << "an empty task slot is out of sight";
    EXPECT_TRUE(Slot(40).flags & ICON_PLACED);

    // A walk that finds the same windows repaints nothing.
    Tick();
    EXPECT_TRUE(wnd.events.empty());

    // B's window closes: its slot empties and moves away.
    engine.windows.chain.pop_back();
    Tick();
    EXPECT_EQ((std::vector<std::string>{"invalidate", "update"}), std::vector<std::string>(wnd.events.begin(), wnd.events.begin() + 2));
    EXPECT_EQ(L"", Bound(41));
    EXPECT_EQ(-480, Slot(41).x);
    EXPECT_EQ(444, Slot(40).x);
}

TEST_F(LaunchTasksTest, OtherPagesBindTasksButNeverMoveTheirSlots)
{
    TurnTo(L"Work");
    const SheetDef& sheet = *engine.Sheet()->CurSheet();
    std::vector<int> before;
    for (const SheetSlot& s : sheet.slots)
        before.insert(before.end(), {s.x, s.y, s.size});
    engine.windows.chain.push_back({30, L"C", L"App", L""});
    Tick();
    EXPECT_EQ(L"A", Bound(40));
    EXPECT_EQ(L"C", Bound(42));
    EXPECT_EQ(L"", Bound(43));
    std::vector<int> after;
    for (const SheetSlot& s : sheet.slots)
        after.insert(after.end(), {s.x, s.y, s.size});
    EXPECT_EQ(before, after);
}

// Setting 18 on a bound slot: a tap, or a hold when the stylus stays.
TEST_F(LaunchTasksTest, TapsAndHoldsActBySetting18)
{
    struct Case {
        int action;
        bool hold;
        std::vector<unsigned> menus;
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
    wnd.left = 5;  // the item's place on the screen: the menus are centred on screen points
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
        const int down = engine.TrackPointer(wnd, slot.x, slot.y, true);
        EXPECT_EQ(c.closed.empty() ? 0 : 1, down);
        engine.ReleasePointer(wnd, slot.x, slot.y);
        std::vector<unsigned> ids;
        for (const CTaskLaunch::Menu& m : engine.menus) {
            ids.push_back(m.id);
            EXPECT_EQ(slot.x + 5, m.x);
            EXPECT_EQ(slot.y + wnd.top, m.y);
        }
        EXPECT_EQ(c.menus, ids);
        EXPECT_EQ(c.activated, engine.windows.activated);
        EXPECT_EQ(c.closed, engine.windows.closed);
        EXPECT_EQ(c.gestures, engine.gestures);
        EXPECT_EQ(c.closed.empty() ? 3000 : 0, engine.m_Tasks.TaskCountdown) << "a close walks at the next tick";
        EXPECT_EQ(0, engine.m_bGestureTaken) << "the release after a hold is swallowed, and clears it";
    }
    // An unbound task slot opens nothing and starts nothing.
    engine.m_nTaskHoldAction = 0;
    engine.menus.clear();
    EXPECT_EQ(0, Tap(Slot(43)));
    EXPECT_TRUE(engine.menus.empty());
    EXPECT_TRUE(engine.windows.activated.empty());
}

TEST_F(LaunchTasksTest, MenuCommandsActOnTheTaskTheMenuWasOpenedFor)
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
    EXPECT_EQ(1, engine.m_bGestureTaken);
    EXPECT_EQ(1, engine.OnTaskCommand(wnd, CMD_TASK_CLOSE));
    EXPECT_EQ(std::vector<WindowHandle>{10}, engine.windows.closed) << "A, not B";
    EXPECT_EQ(1, engine.m_bGestureTaken) << "the release is still to come";
    EXPECT_EQ(0, engine.ReleasePointer(wnd, slot.x, slot.y));
    EXPECT_EQ(0, engine.m_bGestureTaken);

    // Cancel does nothing to the task and lets the next move count.
    engine.whileMenuOpen = nullptr;
    engine.TrackPointer(wnd, slot.x, slot.y, true);
    EXPECT_EQ(0, engine.OnTaskCommand(wnd, CMD_TASK_CANCEL));
    EXPECT_EQ(0, engine.m_bGestureTaken);
    EXPECT_EQ(1u, engine.windows.closed.size());
    EXPECT_TRUE(engine.windows.activated.empty());

    // A menu whose loop took the release leaves nothing to swallow.
    engine.stylusDown = false;
    engine.TrackPointer(wnd, slot.x, slot.y, true);
    EXPECT_EQ(0, engine.m_bGestureTaken);
    EXPECT_EQ(1, engine.OnTaskCommand(wnd, CMD_TASK_SWITCH));
    EXPECT_EQ(std::vector<WindowHandle>{20}, engine.windows.activated);
}

TEST_F(LaunchTasksTest, ATaskWhoseWindowWentAwayIsLeftAloneAndWalkedAgain)
{
    struct Case {
        const char* what;
        std::vector<CTableWindow> chain;  // by the time of the tap
        bool acts;
    } cases[] = {
        {"still there", {{10, L"A"}, {20, L"B"}}, true},
        {"closed", {{20, L"B"}}, false},
        {"its handle reused by another window", {{10, L"Other"}, {20, L"B"}}, false},
    };
    engine.m_nTaskHoldAction = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        engine.windows.chain = c.chain;
        engine.windows.activated.clear();
        engine.m_Tasks.TaskCountdown = 3000;
        EXPECT_EQ(c.acts ? 1 : 0, Tap(Slot(40)));
        EXPECT_EQ(c.acts ? std::vector<WindowHandle>{10} : std::vector<WindowHandle>{}, engine.windows.activated);
        EXPECT_EQ(c.acts ? 3000 : 0, engine.m_Tasks.TaskCountdown);
        engine.m_pTouched = &Slot(40);
        EXPECT_EQ(c.acts ? 1 : 0, engine.ExecIcon(wnd, true));
    }
    EXPECT_EQ(std::vector<WindowHandle>{10}, engine.windows.closed);
}
