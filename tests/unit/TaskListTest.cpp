// The task list from tables of windows: the filter, walks that keep the
// entries in step with the chain, the countdown, the binding to task slots,
// the menus' language, and the task page's layout.
#include "WindowTable.h"
#include "engine/TaskList.h"
#include "engine/TaskPage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CTableWindow App(WindowHandle handle, const std::wstring& title) { return {handle, title, L"App", L"\\" + title}; }

// Names of the entries in use by TaskOrder; "-" for a free entry, in list order.
std::vector<std::wstring> Entries(const TaskListState& tasks)
{
    std::vector<std::wstring> out;
    for (const IconEntry& e : tasks.list.entries)
        out.push_back(e.nAppType == APP_RUNNING_TASK ? std::to_wstring(e.TaskOrder) + L":" + e.Name : L"-");
    return out;
}

const std::vector<std::wstring> kDefaultExclusions = {L"DuraruZur"};

}  // namespace

TEST(TaskList, TheFilterListsVisibleTitledWindowsOfNoShellClass)
{
    const std::wstring longTitle(300, L'x');
    struct Case {
        CTableWindow window;
        bool listed;
    } cases[] = {
        {{1, L"Notes"}, true},
        {{1, L"Notes", L"App", L"", false}, false},            // hidden
        {{1, L""}, false},                                      // no title, whatever the class
        {{1, L"", L"Worker"}, false},
        {{1, L"DuraruZur"}, false},                             // the default exclusion
        {{1, L"duraruzur"}, true},                              // titles compare exactly
        {{1, L"Notes", L"static"}, false},
        {{1, L"Notes", L"Static"}, true},                       // so do classes
        {{1, L"Notes", L"DesktopExplorerWindow"}, false},
        {{1, L"Notes", L"HHTaskBar"}, false},
        {{1, L"Notes", L"menu_worker"}, false},
        {{1, longTitle}, true},
    };
    for (const Case& c : cases) {
        CWindowTable windows;
        windows.chain = {c.window};
        std::wstring title;
        EXPECT_EQ(c.listed, IsTaskWindow(windows, 1, kDefaultExclusions, title))
            << std::string(c.window.title.begin(), c.window.title.begin() + std::min<size_t>(20, c.window.title.size()))
            << " / " << std::string(c.window.cls.begin(), c.window.cls.end());
        if (c.listed) {
            EXPECT_EQ(std::min<size_t>(c.window.title.size(), 254), title.size()) << "a buffer of 255";
        }
    }
    // Every shell class is left out.
    for (const wchar_t* cls : ExcludedClasses) {
        CWindowTable windows;
        windows.chain = {{1, L"Shell", cls}};
        std::wstring title;
        EXPECT_FALSE(IsTaskWindow(windows, 1, {}, title)) << std::wstring(cls).size();
    }
}

// Walk after walk over a changing chain: what changed, and the entries.
TEST(TaskList, WalksFollowTheChainAndReuseFreedEntries)
{
    struct Step {
        const char* what;
        std::vector<CTableWindow> chain;
        bool changed;
        std::vector<std::wstring> entries;
    } steps[] = {
        {"two windows", {App(10, L"A"), App(20, L"B")}, true, {L"1:A", L"2:B"}},
        {"the same again", {App(10, L"A"), App(20, L"B")}, false, {L"1:A", L"2:B"}},
        {"swapped", {App(20, L"B"), App(10, L"A")}, true, {L"2:A", L"1:B"}},
        {"B closed", {App(10, L"A")}, true, {L"1:A", L"-"}},
        {"nothing more", {App(10, L"A")}, false, {L"1:A", L"-"}},
        {"and again: a free entry is no change", {App(10, L"A")}, false, {L"1:A", L"-"}},
        {"a new window takes B's entry", {App(30, L"C"), App(10, L"A")}, true, {L"2:A", L"1:C"}},
        {"a title changes", {App(30, L"C2"), App(10, L"A")}, true, {L"2:A", L"1:C2"}},
        {"windows that fail the filter do not count", {{5, L""}, App(30, L"C2"), {6, L"DuraruZur"}, App(10, L"A")},
         false, {L"2:A", L"1:C2"}},
        {"all gone", {}, true, {L"-", L"-"}},
    };
    TaskListState tasks;
    CWindowTable windows;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        windows.chain = s.chain;
        tasks.TaskChanged = false;  // as TaskToIcon leaves it
        EXPECT_EQ(s.changed, RefreshTaskList(tasks, windows, kDefaultExclusions));
        EXPECT_EQ(s.entries, Entries(tasks));
        EXPECT_EQ(s.chain.empty() ? 0 : s.chain.front().handle, tasks.firstWindow);
    }
    // A reused entry is the new window's own: its path, no leftovers.
    windows.chain = {App(40, L"D")};
    RefreshTaskList(tasks, windows, kDefaultExclusions);
    EXPECT_EQ(L"\\D", tasks.list.entries[0].Path);
    EXPECT_EQ(40u, tasks.list.entries[0].TaskWindow);
    EXPECT_EQ(2u, tasks.list.entries.size()) << "the list never shrinks";
}

TEST(TaskList, LongTextsAreCutAndManyWindowsAllListed)
{
    CWindowTable windows;
    for (WindowHandle h = 1; h <= 200; ++h)
        windows.chain.push_back({h, L"W" + std::to_wstring(h), L"App", std::wstring(600, L'p')});
    windows.chain[0].title = std::wstring(400, L't');
    windows.chain[1].path.clear();  // a process that cannot be opened
    TaskListState tasks;
    EXPECT_TRUE(RefreshTaskList(tasks, windows, {}));
    ASSERT_EQ(200u, tasks.list.entries.size());
    for (size_t i = 0; i < tasks.list.entries.size(); ++i)
        EXPECT_EQ(static_cast<std::int32_t>(i + 1), tasks.list.entries[i].TaskOrder);
    EXPECT_EQ(254u, tasks.list.entries[0].Name.size());
    EXPECT_EQ(519u, tasks.list.entries[0].Path.size());
    EXPECT_EQ(L"", tasks.list.entries[1].Path);
    // The same long title next time is no change.
    tasks.TaskChanged = false;
    EXPECT_FALSE(RefreshTaskList(tasks, windows, {}));

    // A chain that leads back into itself ends.
    class CLoop final : public CWindowChain {
    public:
        WindowHandle FirstWindow() override { return 1; }
        WindowHandle NextWindow(WindowHandle w) override { return w == 1 ? 2 : 1; }
        bool IsWindow(WindowHandle) override { return true; }
        bool IsVisible(WindowHandle) override { return true; }
        std::wstring Title(WindowHandle w) override { return std::to_wstring(w); }
        std::wstring ClassName(WindowHandle) override { return L"App"; }
        std::wstring ProcessPath(WindowHandle) override { return L""; }
        void Activate(WindowHandle) override {}
        void PostClose(WindowHandle) override {}
    } loop;
    TaskListState looped;
    RefreshTaskList(looped, loop, {});
    EXPECT_EQ(2u, looped.list.entries.size());
}

TEST(TaskList, TheCountdownWalksEveryIntervalOfTicks)
{
    struct Case {
        int interval;
        int ticks;
        int walks;
    } cases[] = {
        {5, 50, 1},     // the first tick walks at once, the next after 50 ticks
        {5, 51, 2},
        {5, 500, 10},
        {3, 61, 3},
        {0, 7, 7},      // no interval: every tick
        {-4, 3, 3},
        {INT_MAX, 1000, 1},  // saturates instead of wrapping
    };
    for (const Case& c : cases) {
        TaskListState tasks;
        int walks = 0;
        for (int t = 0; t < c.ticks; ++t)
            walks += TaskWalkDue(tasks, c.interval) ? 1 : 0;
        EXPECT_EQ(c.walks, walks) << c.interval << " s, " << c.ticks << " ticks";
    }
}

TEST(TaskList, TasksBindToTheirSlotsUpToTheThirtySecond)
{
    struct Case {
        std::vector<std::uint16_t> slots;
        WindowHandle running;
        std::vector<std::wstring> bound;  // per slot: the task's name, "" for none
    } cases[] = {
        {{40, 41, 42, 43}, 2, {L"T1", L"T2", L"", L""}},
        {{43, 1, 40, 40}, 2, {L"", L"", L"T1", L""}},  // the first slot of a type only
        {{71, 70}, 33, {L"T32", L"T31"}},              // the 33rd has no slot
    };
    for (const Case& c : cases) {
        CWindowTable windows;
        for (WindowHandle h = 1; h <= c.running; ++h)
            windows.chain.push_back(App(h, L"T" + std::to_wstring(h)));
        TaskListState tasks;
        RefreshTaskList(tasks, windows, {});
        IconList page;
        for (std::uint16_t type : c.slots) {
            IconEntry e;
            e.nAppType = type;
            e.Name = L"Task-xx";
            e.Path = L"stale";
            page.entries.push_back(e);
        }
        BindTaskSlots(page, tasks.list);
        for (size_t i = 0; i < c.slots.size(); ++i) {
            const IconEntry& e = page.entries[i];
            EXPECT_EQ(c.bound[i], e.Link ? e.Link->Name : L"") << "slot " << i << " of type " << c.slots[i];
            if (IsTaskSlot(e.nAppType)) {
                EXPECT_TRUE(e.Name.empty() && e.Path.empty());
            }
        }
    }
}

TEST(TaskList, MenusOfTheLanguage)
{
    EXPECT_EQ(101u, TaskMenuResource(MENU_TASK_FULL, true));
    EXPECT_EQ(102u, TaskMenuResource(MENU_TASK_CLOSE, true));
    EXPECT_EQ(130u, TaskMenuResource(MENU_TASK_FULL, false));
    EXPECT_EQ(129u, TaskMenuResource(MENU_TASK_CLOSE, false));
}

// ---------------------------------------------------------------------------
// The task page's layout, on a sheet without scaling (64 pixels are 64).

namespace {

struct LayoutFixture {
    // A regular icon at (40, 40), then task slots 40, 41, ... at x = 100,
    // 200, ... on y 200; all 64 pixels; frame 80 × 80 around the centre.
    explicit LayoutFixture(int taskSlots)
    {
        SheetFrame frame;
        frame.points = {{-40, -40}, {40, 40}};
        frame.minX = frame.minY = -40;
        frame.maxX = frame.maxY = 40;
        frames = {frame};
        sheet.slots.push_back(Slot(40, 40));
        page.entries.push_back(Entry(APP_PROGRAM));
        for (int i = 0; i < taskSlots; ++i) {
            sheet.slots.push_back(Slot(100 + 100 * i, 200));
            page.entries.push_back(Entry(static_cast<std::uint16_t>(APP_TASK_FIRST + i)));
        }
    }
    static SheetSlot Slot(int x, int y)
    {
        SheetSlot s;
        s.x = x;
        s.y = y;
        s.size = 64;
        return s;
    }
    static IconEntry Entry(std::uint16_t type)
    {
        IconEntry e;
        e.nAppType = type;
        return e;
    }
    void Bind(int tasks)
    {
        for (int i = 0; i < tasks; ++i)
            page.entries[static_cast<size_t>(1 + i)].Link = &task;
    }
    bool LayOut(int width, int height = 300) { return LayOutTaskPage(saved, page, sheet, frames, 64, {0, 0, width, height}); }
    std::vector<int> Slot(size_t i) const { return {sheet.slots[i].x, sheet.slots[i].y, sheet.slots[i].size}; }

    SheetDef sheet;
    std::vector<SheetFrame> frames;
    IconList page;
    IconEntry task;
    TaskPageLayout saved;
};

}  // namespace

TEST(TaskPage, TheBoundSlotsGatherInTheCornerAndTheRestAboveThem)
{
    LayoutFixture f(4);
    f.Bind(2);
    EXPECT_TRUE(f.LayOut(480));
    // The block (frames 60..240 × 160..240) ends 2 pixels from the right
    // and 1 from the bottom; no narrower than the item: sizes stay.
    EXPECT_EQ((std::vector<int>{338, 259, 64}), f.Slot(1));
    EXPECT_EQ((std::vector<int>{438, 259, 64}), f.Slot(2));
    // The empty task slots go out of sight.
    EXPECT_EQ(-480, f.Slot(3)[0]);
    EXPECT_EQ(-480, f.Slot(4)[0]);
    // The regular icon right-aligned, its frame 2 pixels above the block.
    EXPECT_EQ((std::vector<int>{438, 177, 64}), f.Slot(0));
    EXPECT_EQ(64, f.page.entries[1].baseSize);

    // Nothing changed: nothing to rebuild. Every layout starts from the
    // slots first seen, so a third task moves the first two back left.
    EXPECT_FALSE(f.LayOut(480));
    f.Bind(3);
    EXPECT_TRUE(f.LayOut(480));
    EXPECT_EQ((std::vector<int>{238, 259, 64}), f.Slot(1));
    EXPECT_EQ((std::vector<int>{438, 259, 64}), f.Slot(3));
}

TEST(TaskPage, ABlockWiderThanTheItemShrinksByItsWidth)
{
    LayoutFixture f(8);
    f.Bind(8);
    EXPECT_TRUE(f.LayOut(480));
    // 780 pixels of frames into 480: positions and sizes by 480 / 780.
    EXPECT_EQ((std::vector<int>{24, 274, 39}), f.Slot(1));
    EXPECT_EQ((std::vector<int>{455, 274, 39}), f.Slot(8));
    EXPECT_EQ(39, f.page.entries[8].size) << "the icon follows its slot";
}

TEST(TaskPage, NoWidthNoLayoutAndAnotherSheetGetsItsSlotsBack)
{
    LayoutFixture f(2);
    f.Bind(1);
    const std::vector<int> before = f.Slot(1);
    EXPECT_FALSE(f.LayOut(0)) << "an item without width lays nothing out";
    EXPECT_EQ(before, f.Slot(1));
    EXPECT_EQ(-1, f.saved.lastWidth);

    EXPECT_TRUE(f.LayOut(480));
    EXPECT_NE(before, f.Slot(1));
    // A wider item (the other orientation) lays the block out again.
    EXPECT_TRUE(f.LayOut(640));
    EXPECT_EQ(598, f.Slot(1)[0]);
    // The other orientation's sheet: this one gets its slots back.
    LayoutFixture other(2);
    other.Bind(1);
    EXPECT_TRUE(LayOutTaskPage(f.saved, other.page, other.sheet, other.frames, 64, {0, 0, 640, 200}));
    EXPECT_EQ(before, f.Slot(1));
    EXPECT_EQ(&other.sheet, f.saved.sheet);
}
