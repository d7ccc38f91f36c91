#include "engine/TaskPage.h"

#include "base/Saturate.h"

#include <algorithm>
#include <climits>

namespace {

enum class SlotKind { Left, Regular, BoundTask, EmptyTask };

SlotKind KindOf(const IconEntry& e)
{
    if (e.nAppType == APP_NONE || e.nAppType == APP_BLANK)
        return SlotKind::Left;
    if (IsTaskSlot(e.nAppType))
        return e.Link ? SlotKind::BoundTask : SlotKind::EmptyTask;
    return SlotKind::Regular;
}

// A bounding box that starts empty (left above right) and measures its
// width and height in wrapping 32-bit arithmetic: empty, it is 1 by 1.
struct Box {
    std::int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;

    void Extend(long long l, long long t, long long r, long long b)
    {
        left = std::min(left, ClampInt(l));
        top = std::min(top, ClampInt(t));
        right = std::max(right, ClampInt(r));
        bottom = std::max(bottom, ClampInt(b));
    }
    static std::int32_t Span(std::int32_t low, std::int32_t high)
    {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(high) - static_cast<std::uint32_t>(low));
    }
    std::int32_t Width() const { return Span(left, right); }
    std::int32_t Height() const { return Span(top, bottom); }
};

struct Boxes {
    Box regular, tasks;
};

// The boxes of the regular entries and the bound task slots: each slot's
// frame (drawn for a 64-pixel icon) scaled to the slot's saved size, around
// its saved centre.
Boxes MeasureBoxes(const TaskPageLayout& saved, const IconList& page, const SheetDef& sheet,
                   const std::vector<SheetFrame>& frames, size_t n, long long s64)
{
    Boxes boxes;
    for (size_t i = 0; i < n && !frames.empty(); ++i) {
        const SlotKind kind = KindOf(page.entries[i]);
        if (kind == SlotKind::Left || kind == SlotKind::EmptyTask)
            continue;
        const std::uint8_t index = sheet.slots[i].frame;
        const SheetFrame& f = index < frames.size() ? frames[index] : frames.front();
        if (f.points.empty())
            continue;
        const long long x = saved.savedPositions[i].first, y = saved.savedPositions[i].second;
        const long long s = saved.savedSizes[i];
        Box& box = kind == SlotKind::BoundTask ? boxes.tasks : boxes.regular;
        box.Extend(x + f.minX * s / s64, y + f.minY * s / s64, x + f.maxX * s / s64, y + f.maxY * s / s64);
    }
    return boxes;
}

void Capture(TaskPageLayout& saved, SheetDef& sheet)
{
    saved.sheet = &sheet;
    saved.savedPositions.clear();
    saved.savedSizes.clear();
    for (const SheetSlot& slot : sheet.slots) {
        saved.savedPositions.emplace_back(slot.x, slot.y);
        saved.savedSizes.push_back(slot.size);
    }
}

// A task slot of a new size: its icon follows at once, not only from the
// next page change; a pressed icon keeps its zoom.
void Resize(IconEntry& e, std::uint8_t size)
{
    e.baseSize = size;
    if (e.zoomState == 0)
        e.size = size;
    e.width = e.height = -1;
}

}  // namespace

void ForgetTaskSheet(TaskPageLayout& saved) { saved = TaskPageLayout(); }

void RestoreTaskSheet(TaskPageLayout& saved)
{
    if (saved.sheet) {
        std::vector<SheetSlot>& slots = saved.sheet->slots;
        const size_t n = std::min({slots.size(), saved.savedPositions.size(), saved.savedSizes.size()});
        for (size_t i = 0; i < n; ++i) {
            slots[i].x = saved.savedPositions[i].first;
            slots[i].y = saved.savedPositions[i].second;
            slots[i].size = static_cast<std::uint8_t>(std::clamp(saved.savedSizes[i], 0, 255));
        }
    }
    ForgetTaskSheet(saved);
}

bool LayOutTaskPage(TaskPageLayout& saved, IconList& page, SheetDef& sheet, const std::vector<SheetFrame>& frames,
                    int s64, const ScreenRect& client)
{
    // Without a width the block has nothing to fit into (and the scale
    // would divide by zero); the first frame with one lays it out.
    const long long cw = client.Width(), ch = client.Height();
    if (cw <= 0 || s64 <= 0)
        return false;
    if (saved.sheet != &sheet) {
        RestoreTaskSheet(saved);
        Capture(saved, sheet);
    }
    const size_t n = std::min({page.entries.size(), sheet.slots.size(), saved.savedSizes.size()});
    const Boxes boxes = MeasureBoxes(saved, page, sheet, frames, n, s64);
    const Box& t = boxes.tasks;
    const Box& r = boxes.regular;
    const std::int32_t wT = t.Width(), hT = t.Height(), wR = r.Width(), hR = r.Height();
    saved.lastWidth = wT;

    const long long d = std::max<long long>(wT, cw);
    const long long p = cw * hT / d;
    const long long offXT = std::max<long long>(client.left + cw - std::min<long long>(wT, cw) - 2, 0);
    const long long offYT = client.top + ch - p - 1;
    const long long offXR = std::max<long long>(client.left + cw - wR - 2, 0);
    const long long offYR = offYT - hR - 2 - r.top;
    bool moved = false;
    for (size_t i = 0; i < n; ++i) {
        IconEntry& e = page.entries[i];
        SheetSlot& slot = sheet.slots[i];
        SheetSlot placed = slot;
        const long long x = saved.savedPositions[i].first, y = saved.savedPositions[i].second;
        switch (KindOf(e)) {
        case SlotKind::Regular:
            placed.x = ClampInt(x + offXR - r.left);
            placed.y = ClampInt(y + offYR);
            break;
        case SlotKind::BoundTask:
            placed.x = ClampInt(offXT + cw * (x - t.left) / d);
            placed.y = ClampInt(cw * (y - t.top) / d + offYT);
            placed.size = static_cast<std::uint8_t>(std::clamp<long long>(cw * saved.savedSizes[i] / d, 0, 255));
            Resize(e, placed.size);
            break;
        case SlotKind::EmptyTask: placed.x = ClampInt(-cw); break;
        case SlotKind::Left: continue;
        }
        if (placed.x != slot.x || placed.y != slot.y || placed.size != slot.size) {
            slot = placed;
            moved = true;
        }
        if (KindOf(e) != SlotKind::EmptyTask)
            e.flags = static_cast<std::uint8_t>(e.flags & ~ICON_CAPTION_VALID);
    }
    return moved;
}
