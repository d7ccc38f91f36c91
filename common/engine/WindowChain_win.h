// The task list's view of the real top-level windows: the desktop's chain of
// children, each window's texts read into buffers of the task list's sizes,
// the module file of its process, and the two things done to a task.
#pragma once

#include "engine/TaskList.h"

#include <map>
#include <string>
#include <vector>

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

private:
    // The chain as it stood when the walk began, in its order: one call to
    // the window system instead of one per window (under Wine each is a
    // round trip to its server), and no loop when windows move meanwhile.
    std::vector<WindowHandle> m_chain;
    size_t m_nNext = 0;
    // A window keeps its class for life: read once per window while it is
    // in the chain.
    std::map<WindowHandle, std::wstring> m_classes;
};
