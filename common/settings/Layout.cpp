#include "settings/Layout.h"

#include <algorithm>
#include <cstdlib>

bool IsLargeScreen(int width, int height, int pixelsPerInch)
{
    const int scale = std::max(1, pixelsPerInch / 96);
    return std::min(std::abs(width), std::abs(height)) / scale >= 440;
}

std::vector<CtrlRect> StretchControls(const std::vector<CtrlRect>& initial, int clientWidth, int clientHeight)
{
    if (initial.empty())
        return {};
    const CtrlRect& last = initial.back();
    const int extraX = clientWidth - last.right;
    // A page with nothing to stretch puts its focus edit out of sight below.
    const int extraY = initial.size() == 1 ? clientHeight - last.top + 4 : clientHeight - last.bottom - 2;
    std::vector<CtrlRect> placed;
    for (size_t i = 0; i < initial.size(); ++i) {
        CtrlRect r = initial[i];
        if (i == 0)
            r.top += extraY;
        r.right += extraX - 2;
        r.bottom += extraY;
        placed.push_back(r);
    }
    return placed;
}
