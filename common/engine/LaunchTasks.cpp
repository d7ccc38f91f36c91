// The engine's running tasks: the walk on the task timer, the binding to
// the task slots and the task page's layout, the hold gesture, the task
// menus and what switching to or closing a task does.
#include "engine/LaunchCore.h"

#include "base/Log.h"

#include <utility>

namespace {

class CNoWindows final : public CWindowChain {
public:
    WindowHandle FirstWindow() override { return 0; }
    WindowHandle NextWindow(WindowHandle) override { return 0; }
    bool IsWindow(WindowHandle) override { return false; }
    bool IsVisible(WindowHandle) override { return false; }
    std::wstring Title(WindowHandle) override { return {}; }
    std::wstring ClassName(WindowHandle) override { return {}; }
    std::wstring ProcessPath(WindowHandle) override { return {}; }
    void Activate(WindowHandle) override {}
    void PostClose(WindowHandle) override {}
};

}  // namespace

CWindowChain& CLaunchCore::Windows()
{
    static CNoWindows none;
    return none;
}

int CLaunchCore::UpdateTaskList()
{
    if (!m_bInit || !TaskWalkDue(m_Tasks, TaskInterval))
        return 0;
    std::lock_guard<std::recursive_mutex> lock(m_DisplayLock);
    return RefreshTaskList(m_Tasks, Windows(), m_pSetting->m_Exclusions) ? 1 : 0;
}

void CLaunchCore::TaskToIcon(const ScreenRect& client)
{
    // Without the page the tasks stay unbound and the change pending.
    CPageInfo* page = m_pPages ? m_pPages->PageAt(m_nCurPage) : nullptr;
    if (!page)
        return;
    BindTaskSlots(page->icons, m_Tasks.list);
    SheetDef* sheet = m_pSheet ? m_pSheet->CurSheetToEdit() : nullptr;
    if (sheet && m_pSetting && m_pPages->m_Order[m_nCurPage].name == kTaskPageName &&
        LayOutTaskPage(m_TaskLayout, page->icons, *sheet, m_pSheet->Frames(), m_pSetting->Scale(64), client))
        m_bRebuild = 1;
    m_Tasks.TaskChanged = false;
}

int CLaunchCore::HoldTaskIcon(CLaunchWindow& wnd, int x, int y)
{
    Log(LogFileName(), L"SHRecognizeGesture x:%d y:%d", x, y);
    if (!RecognizeHold(wnd, x, y))
        return 0;
    // The stylus is still down: its move and release belong to the gesture.
    m_bGestureTaken = 1;
    if (m_nTaskHoldAction == 2)
        return ExecIcon(wnd, true) ? 1 : 0;
    OpenTaskMenu(wnd, MENU_TASK_CLOSE, x, y);
    // The menu's loop may have used up the release: nothing is then left to
    // swallow, and the next touch must count.
    if (!StylusDown(wnd))
        m_bGestureTaken = 0;
    return 0;
}

void CLaunchCore::OpenTaskMenu(CLaunchWindow& wnd, unsigned menu, int x, int y)
{
    // The menu's command acts on the task it was opened for, even when a
    // walk while the menu is open gives the slot another task.
    const IconEntry* task = m_pTouched ? m_pTouched->Link : nullptr;
    m_MenuTask = task ? TaskTarget{task->TaskWindow, task->Name} : TaskTarget{};
    const ScreenRect at = wnd.WindowRect();
    PopupTaskMenu(wnd, menu, x + at.left, y + at.top);
}

int CLaunchCore::OnTaskCommand(CLaunchWindow& wnd, unsigned command)
{
    const TaskTarget target = std::exchange(m_MenuTask, {});
    switch (command) {
    case CMD_TASK_SWITCH:
    case CMD_TASK_CLOSE:
        if (target.window)
            return ExecTask(target, command == CMD_TASK_CLOSE);
        return ExecIcon(wnd, command == CMD_TASK_CLOSE);
    case CMD_TASK_CANCEL: m_bGestureTaken = 0; return 0;
    default: return 0;
    }
}

int CLaunchCore::ExecTask(const TaskTarget& target, bool close)
{
    if (!target.window)
        return 0;
    CWindowChain& windows = Windows();
    // The window may have gone since the walk, and its handle value may
    // name another window by now: only the same window with the same title
    // is acted on. Otherwise the list is walked again at the next tick.
    if (!windows.IsWindow(target.window) || TaskTitle(windows, target.window) != target.title) {
        m_Tasks.TaskCountdown = 0;
        return 0;
    }
    if (close) {
        windows.PostClose(target.window);
        m_Tasks.TaskCountdown = 0;  // the slot empties at the next tick
        return 1;
    }
    PulseOnTap(30, 2);
    windows.Activate(target.window);
    return 1;
}
