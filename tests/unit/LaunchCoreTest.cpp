// The engine core: loading and freeing, page switching, the redraw and task
// timers, the focus transitions and the recent ring, against a recording
// window.
#include "DeviceSandbox.h"
#include "FileSys.h"
#include "TestConfig.h"
#include "base/Format.h"
#include "base/Log.h"
#include "config/Folders.h"
#include "config/FontList.h"
#include "LaunchFixture.h"
#include "engine/LaunchCore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace {

const std::wstring kDir = std::wstring(kInstallFolder) + L"\\";

// 49 definitions "S<i>": numbers, but FirstPage and CaptionFont are text.
std::string Definitions(std::map<int, int> nums)
{
    const std::map<int, int> defaults = {
        {Set::RefSize, 480},      {Set::ScreenSize, 480},     {Set::FramePeriod, 30},  {Set::AnimSpeed, 10},
        {Set::CaptionMode, 1},    {Set::HeightPortrait, 300}, {Set::HeightLandscape, 200}, {Set::TaskInterval, 3},
        {Set::ZoomFactor, 12},    {Set::ZoomTime, 200},
    };
    for (const auto& [index, value] : defaults)
        nums.emplace(index, value);
    std::string text;
    for (int i = 0; i < Set::Count; ++i) {
        const std::string key = "S" + std::to_string(i);
        if (i == Set::FirstPage)
            text += key + "=1,,L,STR,,H\r\n";
        else if (i == Set::CaptionFont)
            text += key + "=1,90;Tahoma,L,FONT,,H\r\n";
        else
            text += key + "=0," + std::to_string(nums.count(i) ? nums[i] : 0) + ",L,INT,,H\r\n";
    }
    return text;
}

// Pages A to D, R with the ten recent slots, P with eleven programs and
// Live, which keeps itself active; all on the built-in sheet.
std::string PageFile()
{
    std::string text;
    auto page = [&](const std::string& name, int extra, const std::vector<std::string>& icons) {
        text += "[" + name + "]\r\nS_DEF,0," + std::to_string(extra) + "\r\nS_DEF,0," + std::to_string(extra) +
                "\r\n";
        for (const std::string& line : icons)
            text += line + "\r\n";
    };
    for (const char* name : {"A", "B", "C", "D"})
        page(name, 0, {std::string("1,") + name + "1,\\" + name + "1.exe,,,0,----;;",
                       std::string("1,") + name + "2,\\" + name + "2.exe,,,0,----;;"});
    std::vector<std::string> recent, programs;
    for (int t = 20; t <= 29; ++t)
        recent.push_back(std::to_string(t) + ",Recent-" + std::to_string(t - 19) + ",\\r.exe,,,0,----;;");
    for (char c = 'A'; c <= 'K'; ++c)
        programs.push_back(std::string("1,") + c + ",\\" + c + ".exe,,,0,----;;");
    page("R", 0, recent);
    page("P", 0, programs);
    page("Live", 1, {"1,L1,\\l1.exe,,,0,----;;"});
    return text;
}

class LaunchCoreTest : public ::testing::Test {
protected:
    void Install(const std::map<int, int>& nums = {}, const std::string& settingFile = "")
    {
        WriteDefinitions(dev, Definitions(nums));
        dev.WriteFile(kDir + L"Orvane.ini", settingFile);
        dev.WriteFile(kDir + L"PageMng.ini", "1,A\r\n1,B\r\n1,C\r\n1,D\r\n1,R\r\n1,P\r\n1,Live\r\n");
        dev.WriteFile(kDir + L"Page.ini", PageFile());
    }
    void Start()
    {
        ASSERT_EQ(1, engine.InitLnch());
        engine.ShowFirstPage(wnd);
    }
    // The window's frame loop: redraw ticks until the timer stays off.
    int RunFrames(int cap = 1000)
    {
        int frames = 0;
        while (wnd.Armed(TIMER_REDRAW) && frames < cap) {
            engine.OnRedrawTimer(wnd);
            engine.StepFrame();
            engine.AfterDisplay(wnd);
            ++frames;
        }
        return frames;
    }
    int PageIndex(const std::wstring& name) const { return engine.Pages()->OrderIndexOf(name); }
    const IconList* ShownIcons() const { return engine.Sheet()->m_Layers[0].icons; }

    CDeviceSandbox dev;
    CTestLaunch engine;
    CRecWindow wnd;
};

}  // namespace

TEST_F(LaunchCoreTest, InitLnchBuildsTheSampleInItsOrder)
{
    MountDeviceFolder(kInstallFolder, SampleFolder().wstring());
    CTrace trace;
    ASSERT_EQ(1, engine.InitLnch());
    const std::wstring p = L"CLaunch::InitLnch() ";
    const std::vector<std::wstring> expected = {p + L"Start",     p + L"Setting Load", p + L"Motion Load",
                                                p + L"Sheet Load", p + L"Page Load",    p + L"Init TaskList",
                                                p + L"Plugin",     p + L"Init Etc",     p + L"End"};
    EXPECT_EQ(expected, trace.Starting(p));
    // The page files are read in the page step.
    const std::vector<std::wstring> steps = trace.Starting(L"");
    const auto at = [&](const std::wstring& t) { return std::find(steps.begin(), steps.end(), t) - steps.begin(); };
    const auto pageFile = std::find_if(steps.begin(), steps.end(),
                                       [](const std::wstring& t) { return t.rfind(L"LoadTabInfo() Start", 0) == 0; });
    ASSERT_NE(steps.end(), pageFile);
    EXPECT_LT(at(p + L"Page Load"), pageFile - steps.begin());
    EXPECT_GT(at(p + L"Init TaskList"), pageFile - steps.begin());

    EXPECT_EQ(1, engine.m_bInit);
    ASSERT_NE(nullptr, engine.Pages());
    EXPECT_EQ(L"Home", engine.Pages()->m_Order[0].name);
    EXPECT_EQ(30, engine.m_nFramePeriod);
    EXPECT_EQ(10, engine.m_nAnimSpeed);
    EXPECT_EQ(3, engine.TaskInterval);
    EXPECT_EQ(1, engine.m_nTextShadow);
    EXPECT_EQ(1, engine.m_nTaskHoldAction);
    EXPECT_EQ(16777215u, engine.m_nCaptionColor);
    EXPECT_EQ(1, engine.m_nCaptionMode);
    EXPECT_EQ(90, engine.m_CaptionFont.sizeTenths);
    EXPECT_TRUE(engine.m_CaptionFont.clearType);
    EXPECT_EQ(kDir + L"Page.ini", engine.m_strPageFile);
    EXPECT_EQ(kDir + L"PageMng.ini", engine.m_strPageMngFile);
    // The plug-in keeps the values but not the definitions' texts.
    EXPECT_EQ(Set::Count, engine.Setting()->Count());
    EXPECT_TRUE(engine.Setting()->m_Defs.empty());
}

TEST_F(LaunchCoreTest, TheSettingsProgramKeepsDefinitionsAndHiddenPages)
{
    Install();
    dev.WriteFile(kDir + L"PageMng.ini", "1,A\r\n0,B\r\n");
    engine.m_bEditor = true;
    ASSERT_EQ(1, engine.InitLnch());
    EXPECT_EQ(static_cast<size_t>(Set::Count), engine.Setting()->m_Defs.size());
    ASSERT_GE(engine.Pages()->m_Order.size(), 2u);
    EXPECT_EQ(L"B", engine.Pages()->m_Order[1].name);
    EXPECT_EQ(0, engine.Pages()->m_Order[1].shown);
}

TEST_F(LaunchCoreTest, AnUnreadableSettingFileGetsTenAttemptsAndNothingElse)
{
    Install();
    std::filesystem::remove(CDeviceSandbox::Host(kDir + L"Orvane.ini"));
    dev.MakeFolder(kDir + L"Orvane.ini");  // exists, but cannot be opened as a file
    CTrace trace;
    EXPECT_EQ(0, engine.InitLnch());
    EXPECT_EQ(std::vector<unsigned>(10, 300), engine.sleeps);
    EXPECT_EQ(0, engine.m_bInit);
    EXPECT_NE(nullptr, engine.Setting());
    EXPECT_EQ(nullptr, engine.Motions());
    EXPECT_EQ(nullptr, engine.Sheet());
    EXPECT_EQ(nullptr, engine.Pages());
    const std::vector<std::wstring> traced = trace.Starting(L"CLaunch::InitLnch()");
    ASSERT_FALSE(traced.empty());
    EXPECT_EQ(L"CLaunch::InitLnch() Setting Load", traced.back());

    // An uninitialised engine ignores what the window sends it.
    engine.ShowFirstPage(wnd);
    engine.OnSelectionReceived(wnd);
    engine.StepTab(wnd, true);
    engine.StepFrame();
    engine.AfterDisplay(wnd);
    engine.RecentToIcon();
    EXPECT_EQ(1, engine.ExitLnch());
    EXPECT_EQ(nullptr, engine.Setting());
}

TEST_F(LaunchCoreTest, ASettingFileThatFreesUpIsRead)
{
    Install({}, "");
    const std::filesystem::path file = CDeviceSandbox::Host(kDir + L"Orvane.ini");
    std::filesystem::remove(file);
    dev.MakeFolder(kDir + L"Orvane.ini");
    engine.onSleep = [&] {
        if (engine.sleeps.size() == 3) {
            std::filesystem::remove(file);
            dev.WriteFile(kDir + L"Orvane.ini", "S5=45\r\n");
        }
    };
    ASSERT_EQ(1, engine.InitLnch());
    EXPECT_EQ(3u, engine.sleeps.size());
    EXPECT_EQ(45, engine.m_nFramePeriod);
}

TEST_F(LaunchCoreTest, DragThresholdIsSixteenReferencePixelsRoundedUp)
{
    struct Case {
        int ref, screen, threshold;
    } cases[] = {{240, 480, 32}, {480, 240, 8}, {3, 1, 6}, {480, 480, 16}, {0, 480, 16}, {-3, 480, 16}};
    for (const Case& c : cases) {
        Install({{Set::RefSize, c.ref}, {Set::ScreenSize, c.screen}});
        ASSERT_EQ(1, engine.InitLnch());
        EXPECT_EQ(c.threshold, engine.DragThreshold) << c.ref << " " << c.screen;
    }
}

TEST_F(LaunchCoreTest, CaptionFontSpecIsTakenFromSettingsEightAndTen)
{
    CNoFonts noFonts;
    struct Case {
        std::string value;
        int clearType;
        int size;
        std::wstring face;
    } cases[] = {
        {"90;Tahoma", 1, 90, L"Tahoma"},
        {"120", 0, 120, L""},  // no face part
        {"80;" + std::string(40, 'F'), 0, 80, std::wstring(31, L'F')},
        {"80;Two Words Face", 0, 80, L"Two Words Face"},
    };
    for (const Case& c : cases) {
        Install({{Set::ClearType, c.clearType}}, "S8=" + c.value + "\r\n");
        ASSERT_EQ(1, engine.InitLnch());
        EXPECT_EQ(c.size, engine.m_CaptionFont.sizeTenths) << c.value;
        EXPECT_EQ(c.face, engine.m_CaptionFont.face) << c.value;
        EXPECT_EQ(c.clearType != 0, engine.m_CaptionFont.clearType) << c.value;
    }
}

TEST_F(LaunchCoreTest, ExtraFoldersLoadBetweenTheMainFilesAndTheTaskFiles)
{
    for (int useSibling : {0, 1}) {  // no sibling installation: the main files stay in InstallDir
        CDeviceSandbox box;
        WriteDefinitions(box, Definitions({{Set::UseSiblingFiles, useSibling}}));
        std::string setting;
        for (int k = 1; k <= 3; ++k) {
            const std::wstring folder = FormatW(L"\\Q%d\\", k);
            setting += "QVL_ADDPATH=\\Q" + std::to_string(k) + "\\\r\n";
            box.WriteFile(folder + L"Motion.ini", "[M_ADD" + std::to_string(k) + "]\r\n+0,+0,END,0,0,0\r\n");
            box.WriteFile(folder + L"Page.ini", "[P" + std::to_string(k) + "]\r\nS_DEF,0,0\r\nS_DEF,0,0\r\n");
        }
        box.WriteFile(kDir + L"Orvane.ini", setting);
        box.WriteFile(kDir + L"Motion.ini", "[M_MAIN]\r\n+0,+0,END,0,0,0\r\n");
        box.WriteFile(kDir + L"TskMotion.ini", "[M_TSK]\r\n+0,+0,END,0,0,0\r\n");
        box.WriteFile(kDir + L"Page.ini", "[P0]\r\nS_DEF,0,0\r\nS_DEF,0,0\r\n");

        CTrace trace;
        CTestLaunch e;
        ASSERT_EQ(1, e.InitLnch());
        ASSERT_EQ(3u, AddPaths.size());
        const auto& names = e.Motions()->Names();
        std::vector<int> order;
        for (const wchar_t* m : {L"M_MAIN", L"M_ADD1", L"M_ADD2", L"M_ADD3", L"M_TSK"}) {
            ASSERT_TRUE(names.count(m)) << m;
            order.push_back(names.at(m));
        }
        EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << useSibling;
        EXPECT_EQ(5u, std::set<int>(order.begin(), order.end()).size());

        const std::vector<std::wstring> files = trace.Starting(L"LoadTabInfo() Start");
        const std::vector<std::wstring> expected = {
            L"LoadTabInfo() Start File:[\\Q1\\Page.ini]", L"LoadTabInfo() Start File:[\\Q2\\Page.ini]",
            L"LoadTabInfo() Start File:[\\Q3\\Page.ini]", L"LoadTabInfo() Start File:[" + kDir + L"Page.ini]"};
        EXPECT_EQ(expected, files);
        for (int k = 0; k <= 3; ++k) {
            const CPageInfo* page = e.Pages()->FindPage(FormatW(L"P%d", k));
            ASSERT_NE(nullptr, page) << k;
            EXPECT_EQ(k, page->group);
        }
    }
}

TEST_F(LaunchCoreTest, SetCurTabMinusOneAfterLoadingShowsPageZero)
{
    Install();
    ASSERT_EQ(1, engine.InitLnch());
    engine.SetCurTab(wnd, -1);
    EXPECT_EQ(0u, engine.m_nCurPage);
    EXPECT_EQ(&engine.Pages()->PageAt(0)->icons, ShownIcons());
    EXPECT_EQ(0, engine.m_nFrame);
    // Without focus the timers are left alone.
    EXPECT_FALSE(wnd.Armed(TIMER_REDRAW));
}

TEST_F(LaunchCoreTest, SetCurTabByNameEndsOnTheLastMatch)
{
    Install();
    ASSERT_EQ(1, engine.InitLnch());
    engine.Pages()->m_Order = {{L"A", 1}, {L"B", 1}, {L"A", 1}, {L"C", 1}};
    CTrace trace;
    engine.SetCurTab(wnd, std::wstring(L"A"));
    EXPECT_EQ(2u, engine.m_nCurPage);
    const std::vector<std::wstring> visits = {L"CLaunch::SetCurTab() Start Page:0",
                                              L"CLaunch::SetCurTab() Start Page:2"};
    EXPECT_EQ(visits, trace.Starting(L"CLaunch::SetCurTab() Start Page:"));

    trace.Clear();
    engine.SetCurTab(wnd, std::wstring(L"Nowhere"));
    EXPECT_EQ(2u, engine.m_nCurPage);
    EXPECT_TRUE(trace.Starting(L"CLaunch::SetCurTab() Start Page:").empty());
}

TEST_F(LaunchCoreTest, StepTabWrapsAndSkipsHiddenPages)
{
    Install();
    ASSERT_EQ(1, engine.InitLnch());
    engine.Pages()->m_Order = {{L"A", 1}, {L"B", 1}, {L"C", 0}, {L"D", 1}};
    struct Case {
        std::uint32_t from;
        bool forward;
        std::uint32_t to;
    } cases[] = {{0, true, 1}, {1, true, 3}, {3, true, 0}, {0, false, 3}, {3, false, 1}, {2, true, 3}, {2, false, 1}};
    for (const Case& c : cases) {
        engine.SetCurTab(wnd, static_cast<int>(c.from));
        engine.m_nFrame = 500;
        engine.StepTab(wnd, c.forward);
        EXPECT_EQ(c.to, engine.m_nCurPage) << c.from << (c.forward ? " forward" : " backward");
        EXPECT_EQ(0, engine.m_nFrame);  // a new page plays from the start
        EXPECT_EQ(&engine.Pages()->PageAt(c.to)->icons, ShownIcons());
    }
}

TEST_F(LaunchCoreTest, StepTabWithOneUsablePageOrNoneChangesNothing)
{
    Install();
    ASSERT_EQ(1, engine.InitLnch());
    const std::vector<std::vector<PageOrderEntry>> orders = {
        {{L"A", 1}},
        {{L"A", 0}, {L"B", 1}, {L"C", 0}},
        {},
    };
    for (const auto& order : orders) {
        engine.Pages()->m_Order = order;
        engine.m_nCurPage = order.size() == 3 ? 1 : 0;
        for (bool forward : {true, false}) {
            engine.m_nFrame = 500;
            CTrace trace;
            engine.StepTab(wnd, forward);
            EXPECT_EQ(500, engine.m_nFrame) << order.size();
            EXPECT_TRUE(trace.Starting(L"CLaunch::SetCurTab()").empty());
        }
    }
}

TEST_F(LaunchCoreTest, SetDrawTimerArmsKillsAndRestartsAsTold)
{
    Install({{Set::FramePeriod, 40}});
    ASSERT_EQ(1, engine.InitLnch());
    struct Case {
        const char* what;
        int framePeriod, drawTime;
        bool running;
        unsigned id;
        bool on, force;
        std::vector<std::string> events;
        bool runningAfter;
        int drawTimeAfter;
    } cases[] = {
        {"frame period less draw time", 40, 5, false, 100, true, false, {"set 100 35"}, true, 0},
        {"floor of 10 ms", 40, 35, false, 100, true, false, {"set 100 10"}, true, 0},
        {"draw time past the period", 40, 90, false, 100, true, false, {"set 100 10"}, true, 0},
        {"ceiling of one period", 40, -20, false, 100, true, false, {"set 100 40"}, true, 0},
        {"a period below the floor", 0, 0, false, 100, true, false, {"set 100 10"}, true, 0},
        {"a negative period", -30, 0, false, 100, true, false, {"set 100 10"}, true, 0},
        {"running: not restarted", 40, 5, true, 100, true, false, {}, true, 5},
        {"force restarts", 40, 5, true, 100, true, true, {"kill 100", "set 100 35"}, true, 0},
        {"off kills", 40, 5, true, 100, false, false, {"kill 100"}, false, 5},
        {"off when stopped", 40, 5, false, 100, false, true, {}, false, 5},
        {"task timer", 40, 5, false, 101, true, false, {"set 101 100"}, true, 5},
        {"task timer forced", 40, 5, true, 101, true, true, {"kill 101", "set 101 100"}, true, 5},
        {"task timer off", 40, 5, true, 101, false, false, {"kill 101"}, false, 5},
    };
    for (const Case& c : cases) {
        engine.m_nFramePeriod = c.framePeriod;
        engine.m_nDrawTime = c.drawTime;
        engine.m_bRedrawTimerOn = c.id == 100 && c.running;
        engine.m_bTaskTimerOn = c.id == 101 && c.running;
        wnd.events.clear();
        engine.SetDrawTimer(wnd, c.id, c.on, c.force);
        EXPECT_EQ(c.events, wnd.events) << c.what;
        EXPECT_EQ(c.runningAfter, (c.id == 100 ? engine.m_bRedrawTimerOn : engine.m_bTaskTimerOn) != 0) << c.what;
        EXPECT_EQ(c.drawTimeAfter, engine.m_nDrawTime) << c.what;
    }
}

TEST_F(LaunchCoreTest, TheRedrawTimerIsOneShotInEffect)
{
    Install();
    ASSERT_EQ(1, engine.InitLnch());
    engine.SetDrawTimer(wnd, TIMER_REDRAW, true, false);
    wnd.events.clear();
    engine.OnRedrawTimer(wnd);
    EXPECT_EQ((std::vector<std::string>{"kill 100", "invalidate", "update"}), wnd.events);
    EXPECT_EQ(0, engine.m_bRedrawTimerOn);

    struct Case {
        int motions, zoom, scroll, frame;
        int frameAfter;
        bool armed;
    } cases[] = {
        {0, 1, 1, 0, 30, true},    // the clock advances by speed x period / 10
        {0, 0, 0, 60, 90, true},
        {1, 0, 1, 60, 60, true},   // still zooming: the clock stands
        {1, 1, 0, 60, 60, true},   // still scrolling
        {1, 1, 1, 60, 60, false},  // at rest: no more frames
        {0, 1, 1, -2, -2, false},  // not animating
    };
    for (const Case& c : cases) {
        engine.m_bRedrawTimerOn = 0;
        wnd.armed.clear();
        engine.m_bMotionsDone = c.motions;
        engine.m_bZoomDone = c.zoom;
        engine.m_bScrollDone = c.scroll;
        engine.m_nFrame = c.frame;
        engine.AfterDisplay(wnd);
        EXPECT_EQ(c.frameAfter, engine.m_nFrame) << c.motions << c.zoom << c.scroll << " " << c.frame;
        EXPECT_EQ(c.armed, wnd.Armed(TIMER_REDRAW)) << c.motions << c.zoom << c.scroll << " " << c.frame;
    }
}

TEST_F(LaunchCoreTest, TheTaskTickAsksAllThreeSourcesAndRepaintsOnAnyChange)
{
    Install();
    ASSERT_EQ(1, engine.InitLnch());
    const int results[][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
    int ticks = 0;
    for (const auto& r : results) {
        std::copy(r, r + 3, engine.hookResults);
        wnd.events.clear();
        engine.OnTaskTimer(wnd);
        ++ticks;
        const std::vector<std::string> repaint = {"invalidate", "update"};
        EXPECT_EQ(r[0] || r[1] || r[2] ? repaint : std::vector<std::string>(), wnd.events);
        for (int calls : engine.hookCalls)
            EXPECT_EQ(ticks, calls);
    }
}

TEST_F(LaunchCoreTest, SelectionStartsAndStopsTheAnimation)
{
    Install();
    Start();
    EXPECT_EQ(0, engine.m_bFocus);
    EXPECT_EQ(-2, engine.m_nFrame);
    EXPECT_TRUE(wnd.armed.empty());

    engine.m_Tasks.TaskCountdown = 2500;
    engine.OnSelectionReceived(wnd);
    EXPECT_EQ(1, engine.m_bFocus);
    EXPECT_EQ(0, engine.m_Tasks.TaskCountdown);  // the next task tick walks the windows
    EXPECT_EQ(0, engine.m_nFrame);
    EXPECT_EQ(1, engine.m_bRebuild);
    EXPECT_TRUE(wnd.Armed(TIMER_REDRAW));
    EXPECT_EQ(100u, wnd.armed[TIMER_TASK]);
    EXPECT_EQ(480, engine.Sheet()->m_Area.width);
    EXPECT_EQ(300, engine.Sheet()->m_Area.height);

    EXPECT_GT(RunFrames(), 1);
    EXPECT_GT(engine.m_nFrame, 0);
    EXPECT_EQ(1, engine.m_bMotionsDone);

    // Selected again while focused: nothing restarts.
    const std::int32_t rested = engine.m_nFrame;
    wnd.events.clear();
    engine.OnSelectionReceived(wnd);
    EXPECT_EQ(rested, engine.m_nFrame);
    EXPECT_TRUE(wnd.events.empty());

    // Losing it plays the icons out from a fresh clock; the task timer stops.
    engine.OnSelectionLost(wnd);
    EXPECT_EQ(0, engine.m_bFocus);
    EXPECT_EQ(0, engine.m_nFrame);
    EXPECT_FALSE(wnd.Armed(TIMER_TASK));
    EXPECT_GT(RunFrames(), 1);
    EXPECT_GT(engine.m_nFrame, 0);
}

TEST_F(LaunchCoreTest, LosingTheSelectionAtRestDoesNotAnimate)
{
    Install();
    Start();
    engine.OnSelectionLost(wnd);
    EXPECT_EQ(-2, engine.m_nFrame);
    EXPECT_EQ(1, engine.m_bRebuild);
    EXPECT_EQ(1, RunFrames());  // one repaint, and the timer stays off
    EXPECT_EQ(-2, engine.m_nFrame);
}

TEST_F(LaunchCoreTest, APageThatKeepsActivePlaysWithoutSelection)
{
    Install({}, "S7=Live\r\n");
    Start();
    EXPECT_EQ(static_cast<std::uint32_t>(PageIndex(L"Live")), engine.m_nCurPage);
    EXPECT_EQ(1, engine.m_bPageKeepsActive);
    EXPECT_EQ(1, engine.m_bFocus);
    EXPECT_EQ(0, engine.m_nFrame);
    EXPECT_TRUE(wnd.Armed(TIMER_REDRAW));
    EXPECT_TRUE(wnd.Armed(TIMER_TASK));
    EXPECT_GT(RunFrames(), 1);
    const std::int32_t rested = engine.m_nFrame;

    // It never plays out: losing the selection only releases and repaints.
    wnd.events.clear();
    engine.OnSelectionLost(wnd);
    EXPECT_EQ(1, engine.m_bFocus);
    EXPECT_EQ(rested, engine.m_nFrame);
    EXPECT_TRUE(wnd.Armed(TIMER_TASK));
    EXPECT_EQ((std::vector<std::string>{"invalidate", "update"}), wnd.events);
    // Nor does showing the window reset it.
    engine.OnShown();
    EXPECT_EQ(rested, engine.m_nFrame);
}

TEST_F(LaunchCoreTest, FirstPageFallsBackToTheCurrentPage)
{
    // At start, and on selection after page D was shown.
    struct Case {
        std::string setting;
        std::wstring atStart, onSelection;
    } cases[] = {{"S7=C\r\n", L"C", L"C"}, {"S7=Nowhere\r\n", L"A", L"D"}, {"", L"A", L"D"}};
    for (const Case& c : cases) {
        Install({}, c.setting);
        Start();
        EXPECT_EQ(c.atStart, engine.Pages()->m_Order[engine.m_nCurPage].name) << c.setting;
        engine.SetCurTab(wnd, PageIndex(L"D"));
        engine.OnSelectionReceived(wnd);
        EXPECT_EQ(c.onSelection, engine.Pages()->m_Order[engine.m_nCurPage].name) << c.setting;
        engine.OnSelectionLost(wnd);
    }
}

TEST_F(LaunchCoreTest, ShowingTheWindowRewindsAnIdleItemOnce)
{
    Install();
    Start();
    engine.m_nFrame = 300;
    engine.OnShown();
    EXPECT_EQ(-2, engine.m_nFrame);
    EXPECT_EQ(1, engine.m_bShown);
    engine.m_nFrame = 300;
    engine.OnShown();  // already shown
    EXPECT_EQ(300, engine.m_nFrame);
    engine.OnHidden();
    EXPECT_EQ(0, engine.m_bShown);
}

TEST_F(LaunchCoreTest, ItemHeightAndPageFollowTheScreen)
{
    struct Case {
        int w, h;
        int height;
        std::uint8_t landscape;
    } cases[] = {{480, 640, 300, 0}, {640, 480, 200, 1}, {480, 480, 200, 1}};
    for (const Case& c : cases) {
        Install();
        engine.screenWidth = c.w;
        engine.screenHeight = c.h;
        Start();
        EXPECT_EQ(c.height, engine.ItemHeight());
        engine.OnSelectionReceived(wnd);
        EXPECT_EQ(c.landscape, engine.m_bLandscape);
        EXPECT_EQ(c.height, engine.Sheet()->m_Area.height);
        engine.OnSelectionLost(wnd);
    }
}

namespace {

// The names the recent slots 20 to 29 of page R show ("" when empty).
std::vector<std::wstring> RecentNames(const CLaunchCore& engine)
{
    std::vector<std::wstring> names;
    for (const IconEntry& e : engine.Pages()->FindPage(L"R")->icons.entries)
        names.push_back(e.Link ? e.Link->Name : e.Name);
    return names;
}

}  // namespace

TEST_F(LaunchCoreTest, RecentRingKeepsTheLastTenLaunchesNewestFirst)
{
    struct Case {
        std::wstring launches;
        std::vector<std::wstring> shown;  // types 20 to 29
    } cases[] = {
        {L"", {L"", L"", L"", L"", L"", L"", L"", L"", L"", L""}},
        {L"A", {L"A", L"", L"", L"", L"", L"", L"", L"", L"", L""}},
        {L"ABCA", {L"A", L"C", L"B", L"", L"", L"", L"", L"", L"", L""}},
        {L"AA", {L"A", L"", L"", L"", L"", L"", L"", L"", L"", L""}},
        {L"ABCDEFGHIJK", {L"K", L"J", L"I", L"H", L"G", L"F", L"E", L"D", L"C", L"B"}},
        {L"ABCDEFGHIJA", {L"A", L"J", L"I", L"H", L"G", L"F", L"E", L"D", L"C", L"B"}},  // the oldest again
        {L"ABCDEFGHIJE", {L"E", L"J", L"I", L"H", L"G", L"F", L"D", L"C", L"B", L"A"}},
        {L"ABCDEFGHIJKB", {L"B", L"K", L"J", L"I", L"H", L"G", L"F", L"E", L"D", L"C"}},
        {L"ABCB", {L"B", L"C", L"A", L"", L"", L"", L"", L"", L"", L""}},
    };
    Install();
    for (const Case& c : cases) {
        ASSERT_EQ(1, engine.InitLnch());
        EXPECT_TRUE(engine.RecentChanged);
        CPageInfo* programs = engine.Pages()->FindPage(L"P");
        for (wchar_t name : c.launches)
            engine.AddRecent(&programs->icons.entries[static_cast<size_t>(name - L'A')]);
        engine.RecentToIcon();
        EXPECT_FALSE(engine.RecentChanged);
        EXPECT_EQ(c.shown, RecentNames(engine)) << c.launches;
    }
    // After loading, an empty slot shows nothing: its own texts are gone too.
    const IconEntry& last = engine.Pages()->FindPage(L"R")->icons.entries.back();
    EXPECT_EQ(nullptr, last.Link);
    EXPECT_TRUE(last.Name.empty());
    EXPECT_TRUE(last.Path.empty());

    // The newest launched again: no change, nothing to redraw.
    const auto ring = engine.RecentRing;
    engine.AddRecent(ring[static_cast<size_t>(engine.m_nNewest)]);
    EXPECT_FALSE(engine.RecentChanged);
    EXPECT_EQ(ring, engine.RecentRing);
}

TEST_F(LaunchCoreTest, ExitLnchIsHarmlessBeforeAndTwice)
{
    EXPECT_EQ(1, engine.ExitLnch());
    Install();
    Start();
    EXPECT_EQ(1, engine.ExitLnch());
    EXPECT_EQ(1, engine.ExitLnch());
    EXPECT_EQ(0, engine.m_bInit);
    EXPECT_EQ(nullptr, engine.Setting());
    EXPECT_EQ(nullptr, engine.Motions());
    EXPECT_EQ(nullptr, engine.Sheet());
    EXPECT_EQ(nullptr, engine.Pages());
    // A timer tick after the engine was freed finds nothing to do.
    engine.OnRedrawTimer(wnd);
    engine.StepFrame();
    engine.AfterDisplay(wnd);
    engine.StepTab(wnd, true);
    engine.OnSelectionLost(wnd);
    engine.OnShown();
}

TEST_F(LaunchCoreTest, InitLnchOverALiveEngineFreesTheFirstConfiguration)
{
    Install();
    Start();
    engine.OnSelectionReceived(wnd);
    engine.AddRecent(&engine.Pages()->FindPage(L"P")->icons.entries[0]);
    const int surfaces = engine.deletedSurfaces;

    // Window creation runs Start again, without ExitLnch.
    ASSERT_EQ(1, engine.InitLnch());
    EXPECT_EQ(surfaces + 1, engine.deletedSurfaces);
    EXPECT_EQ(engine.RecentRing, (std::array<IconEntry*, kRecentSlots>{}));
    engine.ShowFirstPage(wnd);
    EXPECT_EQ(&engine.Pages()->PageAt(0)->icons, ShownIcons());
    engine.RecentToIcon();

    // A second start that cannot read its settings keeps nothing of the first.
    std::filesystem::remove(CDeviceSandbox::Host(kDir + L"Orvane.ini"));
    dev.MakeFolder(kDir + L"Orvane.ini");
    EXPECT_EQ(0, engine.InitLnch());
    EXPECT_EQ(nullptr, engine.Sheet());
    EXPECT_EQ(nullptr, engine.Pages());
    EXPECT_EQ(nullptr, engine.Motions());
    engine.OnRedrawTimer(wnd);
    engine.StepFrame();
    engine.RecentToIcon();
}

TEST_F(LaunchCoreTest, SettingsOfAnySizeNeverBreakTheLoop)
{
    const std::map<int, int> cases[] = {
        {{Set::FramePeriod, 0}},
        {{Set::FramePeriod, -30}},
        {{Set::AnimSpeed, 0}},
        {{Set::AnimSpeed, -10}},
        {{Set::FramePeriod, INT_MAX}, {Set::AnimSpeed, INT_MAX}},
        {{Set::RefSize, 0}, {Set::ScreenSize, 0}},
        {{Set::HeightPortrait, 0}, {Set::ZoomTime, 0}, {Set::ZoomFactor, 0}},
    };
    for (const auto& nums : cases) {
        Install(nums);
        Start();
        wnd.events.clear();
        // Both ways the icons come to rest, however slowly.
        engine.OnSelectionReceived(wnd);
        EXPECT_LT(RunFrames(5000), 5000);
        engine.OnSelectionLost(wnd);
        EXPECT_LT(RunFrames(5000), 5000);
        const int period = engine.m_nFramePeriod;
        for (const std::string& e : wnd.events) {
            if (e.rfind("set 100 ", 0) != 0)
                continue;
            const long long interval = std::stoll(e.substr(8));
            EXPECT_GE(interval, 10) << period;
            EXPECT_LE(interval, std::max(period, 10)) << period;
        }
        engine.ExitLnch();
    }
}
