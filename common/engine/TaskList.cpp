#include "engine/TaskList.h"

#include <algorithm>
#include <climits>

const wchar_t* const ExcludedClasses[9] = {
    L"Explore", L"HHTaskBar", L"SipWndClass", L"menu_worker", L"Worker",
    L"MSPOutlook", L"MS_SIPBUTTON", L"static", L"DesktopExplorerWindow",
};

namespace {

std::wstring Cut(std::wstring text, size_t buffer)
{
    if (text.size() > buffer - 1)
        text.resize(buffer - 1);
    return text;
}

IconEntry* FindTask(IconList& tasks, WindowHandle window)
{
    for (IconEntry& e : tasks.entries)
        if (e.nAppType == APP_RUNNING_TASK && e.TaskWindow == window)
            return &e;
    return nullptr;
}

// A window not listed before: into the first freed entry, else a new one.
void AddTask(IconList& tasks, CWindowChain& windows, WindowHandle window, const std::wstring& title,
             std::int32_t order)
{
    int index = -1;
    for (size_t i = 0; i < tasks.entries.size() && index < 0; ++i)
        if (tasks.entries[i].nAppType == APP_NONE)
            index = static_cast<int>(i);
    IconEntry fresh;
    IconEntry& e = index >= 0 ? tasks.entries[static_cast<size_t>(index)] : fresh;
    ResetIconEntry(e);
    e.nAppType = APP_RUNNING_TASK;
    e.Name = title;
    e.TaskWindow = window;
    e.TaskOrder = order;
    e.Path = Cut(windows.ProcessPath(window), kModulePathBuffer);
    AddIcon(tasks, e, index);
}

}  // namespace

std::wstring TaskTitle(CWindowChain& windows, WindowHandle window)
{
    return Cut(windows.Title(window), kWindowTextBuffer);
}

std::wstring TaskClassName(CWindowChain& windows, WindowHandle window)
{
    return Cut(windows.ClassName(window), kWindowTextBuffer);
}

bool IsTaskWindow(CWindowChain& windows, WindowHandle window, const std::vector<std::wstring>& exclusions,
                  std::wstring& title)
{
    if (!windows.IsVisible(window))
        return false;
    title = TaskTitle(windows, window);
    if (title.empty())
        return false;
    const std::wstring cls = TaskClassName(windows, window);
    for (const wchar_t* excluded : ExcludedClasses)
        if (cls == excluded)
            return false;
    return std::find(exclusions.begin(), exclusions.end(), title) == exclusions.end();
}

void ResetTaskList(TaskListState& tasks)
{
    for (size_t i = tasks.list.entries.size(); i-- > 0;)
        ClearIconSlot(tasks.list, i, true);
    tasks.TaskChanged = true;
    tasks.firstWindow = 0;
}

bool TaskWalkDue(TaskListState& tasks, int intervalSeconds)
{
    tasks.TaskCountdown = static_cast<std::int32_t>(std::max<long long>(tasks.TaskCountdown - 100LL, INT_MIN));
    if (tasks.TaskCountdown > 0)
        return false;
    // An interval of any size waits its longest rather than wrap.
    const long long ms = static_cast<long long>(intervalSeconds) * 1000;
    tasks.TaskCountdown = static_cast<std::int32_t>(std::clamp<long long>(ms, INT_MIN, INT_MAX));
    return true;
}

void EnumWindowsProc(TaskListState& tasks, CWindowChain& windows, const std::vector<std::wstring>& exclusions)
{
    WindowHandle window = windows.FirstWindow();
    tasks.firstWindow = window;
    std::int32_t order = 1;
    std::wstring title;
    for (int walked = 0; window != 0 && walked < kMaxWalkedWindows; ++walked, window = windows.NextWindow(window)) {
        if (!IsTaskWindow(windows, window, exclusions, title))
            continue;
        if (IconEntry* e = FindTask(tasks.list, window)) {
            // Marked entries hold minus their last order.
            if (e->TaskOrder != -order || e->Name != title)
                tasks.TaskChanged = true;
            e->TaskOrder = order;
            e->Name = title;
            e->flags = static_cast<std::uint8_t>(e->flags & ~ICON_CAPTION_VALID);
        } else {
            AddTask(tasks.list, windows, window, title, order);
            tasks.TaskChanged = true;
        }
        ++order;
    }
}

bool RefreshTaskList(TaskListState& tasks, CWindowChain& windows, const std::vector<std::wstring>& exclusions)
{
    // Only entries in use are marked and swept: a freed entry stays free
    // instead of counting as a task that went away on every other walk.
    for (IconEntry& e : tasks.list.entries)
        if (e.nAppType == APP_RUNNING_TASK && e.TaskOrder != 0)
            e.TaskOrder = -e.TaskOrder;
    EnumWindowsProc(tasks, windows, exclusions);
    for (size_t i = 0; i < tasks.list.entries.size(); ++i) {
        const IconEntry& e = tasks.list.entries[i];
        if (e.nAppType == APP_RUNNING_TASK && e.TaskOrder <= 0) {
            ClearIconSlot(tasks.list, i, false);
            tasks.TaskChanged = true;
        }
    }
    return tasks.TaskChanged;
}

void BindTaskSlots(IconList& page, IconList& tasks)
{
    for (IconEntry& e : page.entries) {
        if (!IsTaskSlot(e.nAppType))
            continue;
        e.Link = nullptr;
        e.Name.clear();
        e.Path.clear();
    }
    for (IconEntry& task : tasks.entries) {
        if (task.nAppType == APP_NONE)
            continue;
        const long long type = static_cast<long long>(task.TaskOrder) + APP_TASK_FIRST - 1;
        if (type < APP_TASK_FIRST || type > APP_TASK_LAST)
            continue;  // beyond the 32nd: not shown
        for (IconEntry& e : page.entries) {
            if (e.nAppType == type) {
                e.Link = &task;
                break;
            }
        }
    }
}

unsigned TaskMenuResource(unsigned menu, bool japanese)
{
    if (japanese)
        return menu;
    switch (menu) {
    case MENU_TASK_FULL: return MENU_TASK_FULL_ENGLISH;
    case MENU_TASK_CLOSE: return MENU_TASK_CLOSE_ENGLISH;
    default: return menu;
    }
}
