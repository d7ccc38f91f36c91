// The task list's view of the real top-level windows: the desktop's chain of
// children, each window's texts read into buffers of the task list's sizes,
// the module file of its process, and the two things done to a task.
#pragma once

#include "engine/TaskList.h"

class CDesktopWindows final : public CWindowChain {
public:
    WindowHandle FirstWindow() override;
    WindowHandle NextWindow(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
    bool IsVisible(WindowHandle window) override;
    std::wstring Title(WindowHandle window) override;
    std::wstring ClassName(WindowHandle window) override;
    std::wstring ProcessPath(WindowHandle window) override;
    void Activate(WindowHandle window) override;
    void PostClose(WindowHandle window) override;
};
