// Layout rules of the settings program's dialogs, free of any window.
#pragma once

#include <vector>

// A large screen takes the large templates: the short side, in pixels at
// 96 per inch (pixels per inch / 96, integer division), is at least 440.
bool IsLargeScreen(int width, int height, int pixelsPerInch);

struct CtrlRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const CtrlRect&) const = default;
};

// Where a tab page's stretchable controls go in a client area of the given
// size. initial[0] is the page's focus edit, the rest the page's own
// controls, each at its place in the template; the last one decides how
// much room there is to share out. Left and top edges stay; right and
// bottom edges move by the room left beside and below the last control.
std::vector<CtrlRect> StretchControls(const std::vector<CtrlRect>& initial, int clientWidth, int clientHeight);
