#include "panels/Clock.h"

#include "base/Saturate.h"

#include <cmath>

const ClockTables& GetClockTables()
{
    static const ClockTables tables = [] {
        ClockTables t;
        for (int i = 0; i < 60; ++i) {
            // The device's constants, in its order of operations: 6 degrees a
            // position, starting a quarter turn back.
            const double a = i * 37.699104 * 0.002777777777777778 - 1.570796;
            t.SinTable[static_cast<size_t>(i)] = static_cast<std::int32_t>(std::sin(a) * 1000);
            t.CosTable[static_cast<size_t>(i)] = static_cast<std::int32_t>(std::cos(a) * 1000);
        }
        return t;
    }();
    return tables;
}

namespace {

ClockPoint HandEnd(int cx, int cy, int position, int length)
{
    const ClockTables& t = GetClockTables();
    const size_t p = static_cast<size_t>(position % 60);
    return {ClampInt(cx + static_cast<long long>(t.CosTable[p]) * length / 1000),
            ClampInt(cy + static_cast<long long>(t.SinTable[p]) * length / 1000)};
}

}  // namespace

ClockHands MakeClockHands(int cx, int cy, int size, const PanelTime& t)
{
    ClockHands h;
    h.radius = size * 70 / 100;
    if (t.status != TimeStatus::Valid)
        return h;
    h.hourPosition = (t.hour % 12) * 5 + t.minute / 12;
    h.hour = HandEnd(cx, cy, h.hourPosition, h.radius * 70 / 100);
    h.minute = HandEnd(cx, cy, t.minute, h.radius * 90 / 100);
    h.second = HandEnd(cx, cy, t.second, h.radius);
    return h;
}

int ClockPanelSide(int baseSize) { return 2 * (baseSize * 70 / 100); }

ClockFaceBox MakeClockFaceBox(int cx, int cy, int radius, int imageWidth, int imageHeight)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return {};
    const long long width = 2LL * radius;
    return {ClampInt(static_cast<long long>(cx) - radius), ClampInt(static_cast<long long>(cy) - radius),
            ClampInt(width), ClampInt(imageHeight * width / imageWidth)};
}
