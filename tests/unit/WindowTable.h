// The system's top-level windows as a table in chain order, for the task
// list's tests; switches and closes are recorded.
#pragma once

#include "engine/TaskList.h"

#include <string>
#include <vector>

struct CTableWindow {
    WindowHandle handle;
    std::wstring title;
    std::wstring cls = L"App";
    bool visible = true;
};

class CWindowTable final : public CWindowChain {
public:
    std::vector<CTableWindow> chain;
    std::vector<WindowHandle> activated, closed;

    WindowHandle FirstWindow() override { return chain.empty() ? 0 : chain[0].handle; }
    WindowHandle NextWindow(WindowHandle w) override
    {
        const size_t i = Index(w) + 1;
        return i < chain.size() ? chain[i].handle : 0;
    }
    bool IsWindow(WindowHandle w) override { return Index(w) < chain.size(); }
    bool IsVisible(WindowHandle w) override { return IsWindow(w) && chain[Index(w)].visible; }
    std::wstring Title(WindowHandle w) override { return IsWindow(w) ? chain[Index(w)].title : L""; }
    std::wstring ClassName(WindowHandle w) override { return IsWindow(w) ? chain[Index(w)].cls : L""; }
    // The path is the title's, a hundred times over: long enough to be cut.
    std::wstring ProcessPath(WindowHandle w) override
    {
        std::wstring path;
        for (int i = 0; i < 100 && IsWindow(w); ++i)
            path += Title(w);
        return path;
    }
    void Activate(WindowHandle w) override { activated.push_back(w); }
    void PostClose(WindowHandle w) override { closed.push_back(w); }

private:
    size_t Index(WindowHandle w) const
    {
        size_t i = 0;
        while (i < chain.size() && chain[i].handle != w)
            ++i;
        return i;
    }
};
