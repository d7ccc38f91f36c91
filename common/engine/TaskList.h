// The running tasks: a walk over the system's top-level windows keeps an
// icon list of them (one entry per listed window, freed entries reused), and
// the binding of those tasks to a page's task slots. The windows come
// through a small interface, so that the plug-in walks the real chain, the
// settings program lists running windows with the same code, and tests walk
// tables of windows.
#pragma once

#include "config/IconEntry.h"

#include <cstdint>
#include <string>
#include <vector>

using WindowHandle = std::uintptr_t;

// The texts of a window are read into buffers of these sizes, terminator
// included: a title or class name keeps at most 254 characters, a module
// path 519.
inline constexpr size_t kWindowTextBuffer = 255;
inline constexpr size_t kModulePathBuffer = 520;
// Window classes of the shell that are never tasks.
extern const wchar_t* const ExcludedClasses[9];
// A chain longer than this is taken for a loop (windows that reorder while
// they are walked) and ends the walk.
inline constexpr int kMaxWalkedWindows = 4096;

// What the task list needs of the system's windows.
class CWindowChain {
public:
    // The desktop's first child and the next one in the chain; 0 at the end.
    virtual WindowHandle FirstWindow() = 0;
    virtual WindowHandle NextWindow(WindowHandle window) = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
    virtual bool IsVisible(WindowHandle window) = 0;
    virtual std::wstring Title(WindowHandle window) = 0;
    virtual std::wstring ClassName(WindowHandle window) = 0;
    // The module file of the window's process; empty when the process
    // cannot be opened.
    virtual std::wstring ProcessPath(WindowHandle window) = 0;
    // Brings the window to the foreground; asks it to close (WM_CLOSE, posted).
    virtual void Activate(WindowHandle window) = 0;
    virtual void PostClose(WindowHandle window) = 0;

protected:
    ~CWindowChain() = default;
};

// A window's title and class as the walk reads them: cut to the buffers.
std::wstring TaskTitle(CWindowChain& windows, WindowHandle window);
std::wstring TaskClassName(CWindowChain& windows, WindowHandle window);

// The filter of the walk: visible, with a title, of no shell class and with
// a title that is no exclusion. The title read is left in title.
bool IsTaskWindow(CWindowChain& windows, WindowHandle window, const std::vector<std::wstring>& exclusions,
                  std::wstring& title);

struct TaskListState {
    IconList list;
    std::int32_t TaskCountdown = 0;  // ms until the next window walk
    bool TaskChanged = true;
    WindowHandle firstWindow = 0;    // where the last walk started
};

// Empties the list and marks it changed; the countdown stays.
void ResetTaskList(TaskListState& tasks);
// One task-timer tick (100 ms) of the countdown: true when the windows are
// to be walked now; the countdown then starts again from interval seconds.
bool TaskWalkDue(TaskListState& tasks, int intervalSeconds);
// Mark, walk, sweep: the entries follow the listed windows in walk order
// (TaskOrder from 1), windows no longer listed free their entries. Returns
// TaskChanged: set when a window came or went, moved in the walk or changed
// its title.
bool RefreshTaskList(TaskListState& tasks, CWindowChain& windows, const std::vector<std::wstring>& exclusions);
// The walk alone (the middle of RefreshTaskList).
void EnumWindowsProc(TaskListState& tasks, CWindowChain& windows, const std::vector<std::wstring>& exclusions);

// Binds the tasks to the page's task slots: the task walked n-th to the
// first entry of type 39 + n; every task slot loses its link, name and path
// first.
void BindTaskSlots(IconList& page, IconList& tasks);

// The two task menus: the full one (switch, close, cancel) and the close
// menu; their English counterparts.
enum : unsigned {
    MENU_TASK_FULL = 101,
    MENU_TASK_CLOSE = 102,
    MENU_TASK_CLOSE_ENGLISH = 129,
    MENU_TASK_FULL_ENGLISH = 130,
};
// The menu resource that stands for a task menu in the language.
unsigned TaskMenuResource(unsigned menu, bool japanese);
