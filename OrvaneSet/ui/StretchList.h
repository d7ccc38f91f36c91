// The controls of a tab page that grow with it: each with its place in the
// template, stretched into the page's free client area (settings/Layout).
#pragma once

#include "settings/Layout.h"

#include <windows.h>

#include <vector>

class CStretchList {
public:
    // Records the control's rectangle as it is now, in dialog coordinates.
    void Add(HWND dialog, int id);
    bool Empty() const { return m_ids.empty(); }
    void Apply(HWND dialog, int clientWidth, int clientHeight) const;

private:
    std::vector<int> m_ids;
    std::vector<CtrlRect> m_initial;
};
