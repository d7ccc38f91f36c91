// Slot backgrounds: behind every occupied slot of the current sheets, the
// slot's frame, outlined and filled (plain or with a vertical gradient) in
// the colours of the shown icon's background state.
#include "engine/Launch_win.h"

#include "base/Saturate.h"
#include "config/Setting.h"
#include "config/SettingIndex.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

namespace {

constexpr int kStates = 4;

// Settings of the four background states: 0 plain, 1 page link, 2 running
// task, 3 recent application. The colour table once gave states 1 to 3 the
// gradient colour of the state as their offset flag (25 + 4 × state) and
// state 3 the task outline (36); the settings file documents one block of
// five per state, which is what is read here.
struct StateSettings {
    int fill, gradientEnd, offsetFlag, outline;
};
constexpr StateSettings kStateSettings[kStates] = {
    {Set::IconBgColor, Set::IconBgGrad, Set::IconBgGradOfs, Set::FramePen},
    {Set::LinkBgColor, Set::LinkBgGrad, Set::LinkBgGradOfs, Set::LinkBgPen},
    {Set::TaskBgColor, Set::TaskBgGrad, Set::TaskBgGradOfs, Set::TaskBgPen},
    {Set::RecentBgColor, Set::RecentBgGrad, Set::RecentBgGradOfs, Set::RecentBgPen},
};

COLORREF Colour(const CSetting& s, int index) { return static_cast<COLORREF>(s.GetNum(index)); }

// Row y of a gradient of h rows from a to b, as RGB565.
std::uint16_t GradientRow(COLORREF a, COLORREF b, int y, int h)
{
    const double f = std::clamp(static_cast<double>(y) / h, 0.0, 1.0);
    auto channel = [f](unsigned from, unsigned to, double scale) {
        const double c = from + (static_cast<double>(to) - from) * f;
        return static_cast<unsigned>(c * scale / 255.0);
    };
    const unsigned r = channel(GetRValue(a), GetRValue(b), 31.0);
    const unsigned g = channel(GetGValue(a), GetGValue(b), 63.0);
    const unsigned bl = channel(GetBValue(a), GetBValue(b), 31.0);
    return static_cast<std::uint16_t>((r << 11) | (g << 5) | bl);
}

// A pattern brush of one column of h gradient rows; null when GDI fails.
HBRUSH CreateGradientBrush(COLORREF a, COLORREF b, int h)
{
    void* bits = nullptr;
    CBitmapObj column(CreateTopDownSection(1, h, 16, &bits));
    if (!column || !bits)
        return nullptr;
    const int stride = DibStride(1, 16);
    for (int y = 0; y < h; ++y)
        *reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(bits) + static_cast<std::ptrdiff_t>(y) * stride) =
            GradientRow(a, b, y, h);
    // The brush keeps a copy of the pattern.
    return ::CreatePatternBrush(column.Get());
}

}  // namespace

HBRUSH CLaunch::GradientBrush(int frame, int state, int height)
{
    const auto key = std::make_tuple(frame, state, (height + 7) / 8);
    const auto found = m_GradientBrushes.find(key);
    if (found != m_GradientBrushes.end())
        return found->second.Get();
    const StateSettings& c = kStateSettings[state];
    CBrushObj brush(CreateGradientBrush(Colour(*Setting(), c.fill), Colour(*Setting(), c.gradientEnd), height));
    if (!brush)
        return nullptr;  // tried again next time
    return m_GradientBrushes.emplace(key, std::move(brush)).first->second.Get();
}

void CLaunch::CreateBG(HDC dc)
{
    const CSheet* sheet = Sheet();
    const CSetting* setting = Setting();
    if (!dc || !sheet || !setting)
        return;
    const CSetting& s = *setting;
    CPenObj pens[kStates];
    CBrushObj brushes[kStates];
    for (int i = 0; i < kStates; ++i) {
        pens[i].Reset(::CreatePen(PS_SOLID, 0, Colour(s, kStateSettings[i].outline)));
        brushes[i].Reset(::CreateSolidBrush(Colour(s, kStateSettings[i].fill)));
    }
    // Both go back when this ends, before the pens and brushes are deleted.
    CSelectObj pen(dc, pens[0].Get());
    CSelectObj brush(dc, brushes[0].Get());
    POINT origin = {};
    ::GetBrushOrgEx(dc, &origin);

    const long long R = s.Scale(64);  // the reference icon size on this screen
    if (R == 0)
        return;
    const bool gradient = s.GetNum(Set::IconBgGrad) != 0;
    const std::vector<SheetFrame>& frames = sheet->Frames();
    std::vector<POINT> points;
    for (int layer = 0; layer < 2; ++layer) {
        const SheetLayer& l = sheet->m_Layers[layer];
        if (!l.sheet || !l.icons)
            continue;
        const int slots = std::min(l.SafeSlotCount(), l.SafeIconCount());
        for (int j = 0; j < slots; ++j) {
            const int icon = sheet->IconInSlot(layer, j);
            if (icon < 0)
                continue;
            const IconEntry& e = l.icons->entries[static_cast<size_t>(icon)];
            const SheetSlot& slot = l.sheet->slots[static_cast<size_t>(j)];
            const std::uint8_t state = BackgroundState(e.nAppType, s);
            ::SelectObject(dc, pens[state].Get());
            slot.bgState = state;
            if (e.nAppType == APP_NONE || e.nAppType == APP_BLANK)
                continue;
            if (slot.frame >= frames.size())
                continue;
            const SheetFrame& frame = frames[slot.frame];
            // One point has no shape; none has no bounds either.
            if (frame.points.size() < 2)
                continue;

            const long long size = slot.size;
            const long long cx = static_cast<long long>(slot.x) + l.ox, cy = static_cast<long long>(slot.y) + l.oy;
            points.clear();
            for (const FramePoint& p : frame.points)
                points.push_back({ClampInt(p.x * size / R + cx), ClampInt(p.y * size / R + cy)});

            HBRUSH fill = nullptr;
            const long long h = size * (static_cast<long long>(frame.maxY) - frame.minY) / R;
            // A flat band has no rows to make a pattern of: it is filled plain.
            if (gradient && h > 0 && h <= INT_MAX)
                fill = GradientBrush(slot.frame, state, static_cast<int>(h));
            if (fill) {
                long long y = frame.minY * size / R + cy;
                if (s.GetNum(kStateSettings[state].offsetFlag) != 0)
                    y += h * 45 / 100;
                ::SetBrushOrgEx(dc, 0, ClampInt(y), nullptr);
            } else {
                fill = brushes[state].Get();
            }
            ::SelectObject(dc, fill);

            if (points.size() == 2)
                ::RoundRect(dc, points[0].x, points[0].y, points[1].x, points[1].y, 4, 4);
            else
                ::Polygon(dc, points.data(), static_cast<int>(std::min<size_t>(points.size(), INT_MAX)));
        }
    }
    ::SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
}
