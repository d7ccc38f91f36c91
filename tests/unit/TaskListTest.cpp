// The task list from tables of windows: the filter, walk after walk over a
// changing chain, the countdown, and the task page's layout.
#include "WindowTable.h"
#include "engine/TaskList.h"
#include "engine/TaskPage.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// The entries in list order: "order:name", "-" for a free one.
std::vector<std::wstring> Entries(const TaskListState& tasks)
{
    std::vector<std::wstring> out;
    for (const IconEntry& e : tasks.list.entries)
        out.push_back(e.nAppType == APP_RUNNING_TASK ? std::to_wstring(e.TaskOrder) + L":" + e.Name : L"-");
    return out;
}

}  // namespace

TEST(TaskList, WalksFollowTheChainListingOnlyTasksAndReusingFreedEntries)
{
    struct Step {
        const char* what;
        std::vector<CTableWindow> chain;
        bool changed;
        std::vector<std::wstring> entries;
    } steps[] = {
        {"two windows", {{10, L"A"}, {20, L"B"}}, true, {L"1:A", L"2:B"}},
        {"the same again", {{10, L"A"}, {20, L"B"}}, false, {L"1:A", L"2:B"}},
        {"swapped", {{20, L"B"}, {10, L"A"}}, true, {L"2:A", L"1:B"}},
        {"B closed", {{10, L"A"}}, true, {L"1:A", L"-"}},
        {"nothing more", {{10, L"A"}}, false, {L"1:A", L"-"}},
        {"and again: a free entry is no change", {{10, L"A"}}, false, {L"1:A", L"-"}},
        {"a new window takes B's entry", {{30, L"C"}, {10, L"A"}}, true, {L"2:A", L"1:C"}},
        {"a title changes", {{30, L"C2"}, {10, L"A"}}, true, {L"2:A", L"1:C2"}},
        {"no shell window, none excluded, hidden or untitled counts",
         {{1, L"", L"App"}, {2, L"X", L"Worker"}, {3, L"X", L"DesktopExplorerWindow"}, {4, L"DuraruZur"},
          {30, L"C2"}, {5, L"X", L"App", false}, {6, L"X", L"static"}, {10, L"A"}},
         false, {L"2:A", L"1:C2"}},
        {"classes and titles compare exactly", {{7, L"duraruzur", L"Static"}}, true, {L"-", L"-", L"1:duraruzur"}},
    };
    TaskListState tasks;
    CWindowTable windows;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        windows.chain = s.chain;
        tasks.TaskChanged = false;  // as TaskToIcon leaves it
        EXPECT_EQ(s.changed, RefreshTaskList(tasks, windows, {L"DuraruZur"}));
        EXPECT_EQ(s.entries, Entries(tasks));
        EXPECT_EQ(s.chain[0].handle, tasks.firstWindow);
    }
    // 200 windows in one walk; a title and a path too long are cut to the
    // buffers' 254 and 519 characters.
    windows.chain.clear();
    for (WindowHandle h = 1; h <= 200; ++h)
        windows.chain.push_back({h, std::wstring(h == 1 ? 300 : 5, L't') + std::to_wstring(h)});
    TaskListState many;
    RefreshTaskList(many, windows, {});
    ASSERT_EQ(200u, many.list.entries.size());
    EXPECT_EQ(200, many.list.entries.back().TaskOrder);
    EXPECT_EQ(254u, many.list.entries[0].Name.size());
    EXPECT_EQ(519u, many.list.entries[0].Path.size());
}

TEST(TaskList, TheCountdownWalksOncePerIntervalOfTicks)
{
    struct Case {
        int interval, ticks, walks;
    } cases[] = {
        {5, 50, 1}, {5, 51, 2}, {5, 500, 10},  // the first tick walks at once
        {0, 7, 7}, {-4, 3, 3},                 // no interval: every tick
        {INT_MAX, 1000, 1},                    // saturates instead of wrapping
    };
    for (const Case& c : cases) {
        TaskListState tasks;
        int walks = 0;
        for (int t = 0; t < c.ticks; ++t)
            walks += TaskWalkDue(tasks, c.interval) ? 1 : 0;
        EXPECT_EQ(c.walks, walks) << c.interval << " s, " << c.ticks << " ticks";
    }
}

// The layout on a sheet without scaling: a regular icon at (40, 40), task
// slots 40, 41, ... at x = 100, 200, ... on y 200, all 64 pixels, each
// framed 80 × 80.
TEST(TaskPage, BoundSlotsGatherInTheCornerShrinkWhenWideAndNeedAWidth)
{
    struct Case {
        int taskSlots, bound, width;
        std::vector<int> regular, first, last;  // slots' x, y, size; last: the last bound
        bool moved;
    } cases[] = {
        {4, 2, 480, {438, 177, 64}, {338, 259, 64}, {438, 259, 64}, true},
        {4, 3, 480, {438, 177, 64}, {238, 259, 64}, {438, 259, 64}, true},
        {1, 1, 640, {598, 177, 64}, {598, 259, 64}, {598, 259, 64}, true},
        {8, 8, 480, {438, 208, 64}, {24, 274, 39}, {455, 274, 39}, true},  // 780 into 480
        {2, 1, 0, {40, 40, 64}, {100, 200, 64}, {100, 200, 64}, false},    // no width yet
    };
    SheetFrame frame;
    frame.points = {{-40, -40}, {40, 40}};
    frame.minX = frame.minY = -40;
    frame.maxX = frame.maxY = 40;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.bound) + " of " + std::to_string(c.taskSlots) + " in " + std::to_string(c.width));
        SheetDef sheet;
        IconList page;
        IconEntry task;
        for (int i = 0; i <= c.taskSlots; ++i) {
            SheetSlot s;
            s.x = i ? 100 * i : 40;
            s.y = i ? 200 : 40;
            sheet.slots.push_back(s);
            IconEntry e;
            e.nAppType = static_cast<std::uint16_t>(i ? APP_TASK_FIRST + i - 1 : APP_PROGRAM);
            e.Link = i && i <= c.bound ? &task : nullptr;
            page.entries.push_back(e);
        }
        TaskPageLayout saved;
        auto slot = [&](int i) {
            const SheetSlot& s = sheet.slots[static_cast<size_t>(i)];
            return std::vector<int>{s.x, s.y, s.size};
        };
        EXPECT_EQ(c.moved, LayOutTaskPage(saved, page, sheet, {frame}, 64, {0, 0, c.width, 300}));
        EXPECT_EQ(c.regular, slot(0));
        EXPECT_EQ(c.first, slot(1));
        EXPECT_EQ(c.last, slot(c.bound));
        if (c.bound < c.taskSlots && c.width > 0) {
            EXPECT_EQ(-c.width, slot(c.taskSlots)[0]) << "an empty task slot goes out of sight";
        }
        // Laid out again unchanged: nothing to rebuild. On another sheet
        // (the other orientation's), this one gets its slots back.
        EXPECT_FALSE(LayOutTaskPage(saved, page, sheet, {frame}, 64, {0, 0, c.width, 300}));
        SheetDef other = sheet;
        LayOutTaskPage(saved, page, other, {frame}, 64, {0, 0, c.width, 300});
        EXPECT_EQ((std::vector<int>{100, 200, 64}), slot(1));
    }
}
