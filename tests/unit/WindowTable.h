// The system's top-level windows as a table, in chain order, for the task
// list's tests; what is done to them is recorded.
#pragma once

#include "engine/TaskList.h"

#include <string>
#include <utility>
#include <vector>

struct CTableWindow {
    CTableWindow(WindowHandle h, std::wstring t, std::wstring c = L"App", std::wstring p = L"", bool v = true)
        : handle(h), title(std::move(t)), cls(std::move(c)), path(std::move(p)), visible(v)
    {
    }
    WindowHandle handle;
    std::wstring title;
    std::wstring cls;
    std::wstring path;  // empty: the process cannot be opened
    bool visible;
};

class CWindowTable final : public CWindowChain {
public:
    std::vector<CTableWindow> chain;
    std::vector<WindowHandle> activated, closed;

    WindowHandle FirstWindow() override { return chain.empty() ? 0 : chain.front().handle; }
    WindowHandle NextWindow(WindowHandle window) override
    {
        for (size_t i = 0; i + 1 < chain.size(); ++i)
            if (chain[i].handle == window)
                return chain[i + 1].handle;
        return 0;
    }
    bool IsWindow(WindowHandle window) override { return Find(window) != nullptr; }
    bool IsVisible(WindowHandle window) override { return Find(window) && Find(window)->visible; }
    std::wstring Title(WindowHandle window) override { return Find(window) ? Find(window)->title : L""; }
    std::wstring ClassName(WindowHandle window) override { return Find(window) ? Find(window)->cls : L""; }
    std::wstring ProcessPath(WindowHandle window) override { return Find(window) ? Find(window)->path : L""; }
    void Activate(WindowHandle window) override { activated.push_back(window); }
    void PostClose(WindowHandle window) override { closed.push_back(window); }

private:
    const CTableWindow* Find(WindowHandle window) const
    {
        for (const CTableWindow& w : chain)
            if (w.handle == window)
                return &w;
        return nullptr;
    }
};
