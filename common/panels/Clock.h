// The analog clock panel without drawing: the dial's tables, where the three
// hands end and where the face image goes.
#pragma once

#include "panels/PanelTime.h"

#include <array>
#include <cstdint>

// One entry per minute position on the dial, position 0 straight up; sine
// and cosine in thousandths, truncated toward zero.
struct ClockTables {
    std::array<std::int32_t, 60> SinTable{};
    std::array<std::int32_t, 60> CosTable{};
};
// Filled once, on first use.
const ClockTables& GetClockTables();

struct ClockPoint {
    int x = 0, y = 0;
};

struct ClockHands {
    int radius = 0;
    int hourPosition = 0;  // minute position of the hour hand
    ClockPoint hour, minute, second;
};

// The hands of a clock of icon size s centred on (cx, cy) at time t.
ClockHands MakeClockHands(int cx, int cy, int size, const PanelTime& t);
// The side of the square a clock takes in the layout.
int ClockPanelSide(int baseSize);

// The face image's box: 2r wide from (cx - r, cy - r), as high as the
// image's shape wants. Empty for an image without width.
struct ClockFaceBox {
    int left = 0, top = 0, width = 0, height = 0;
};
ClockFaceBox MakeClockFaceBox(int cx, int cy, int radius, int imageWidth, int imageHeight);
