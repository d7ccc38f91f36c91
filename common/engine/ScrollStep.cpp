// One frame of the horizontal scroll of an overflowing layer 0: the strip
// follows the pointer, glides after a fling and snaps to a whole icon step.
#include "base/Saturate.h"
#include "config/IconEntry.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

enum : std::uint8_t { PHASE_REST = 0, PHASE_POINTER = 1, PHASE_GLIDE = 2, PHASE_SNAP = 3, PHASE_STEP = 4 };

struct Point {
    long long x = 0, y = 0;
};

int Sign(long long v) { return (v > 0) - (v < 0); }

// p + (q - p) × part / whole, truncated as written, for 0 ≤ part < whole:
// split so that no product leaves 64 bits however far apart p and q lie.
long long Between(long long p, long long q, long long part, long long whole)
{
    const long long d = q - p;
    return p + d / whole * part + d % whole * part / whole;
}

// The point just outside the item's nearest edge from p, where an icon
// entering or leaving the strip stands.
Point OffItem(Point p, const IconEntry& icon, const MotionArea& area)
{
    const long long W = area.width, H = area.height, w = icon.width, h = icon.height;
    const long long toRight = std::llabs(p.x - W), toBottom = std::llabs(p.y - H);
    if (toBottom < std::min({toRight, p.y, p.x}))
        return {p.x, H + h / 2};
    if (toRight < std::min(p.y, p.x))
        return {W + w / 2, p.y};
    if (p.y < p.x)
        return {p.x, -h / 2};
    return {-w / 2, p.y};
}

}  // namespace

bool CSheet::ScrollStep(int& rebuild)
{
    SheetLayer& layer = m_Layers[0];
    const int slots = layer.SafeSlotCount();
    const long long s = m_nStartSlot, n = layer.iconCount;
    const long long pitch = m_nPitch;
    // Nothing to scroll, or no step to scroll by (setting 45 scaled to 0, or
    // slots on one x): rest at once rather than move for ever.
    if (slots == 0 || !layer.icons || !layer.overflow || n - s <= 0 || pitch <= 0) {
        m_nScrollSpeed = m_nScrollRemainder = 0;
        m_nScrollPhase = PHASE_REST;
        return true;
    }

    const int prev = Sign(m_nScrollRemainder);
    // At least a pixel a frame, or a pitch below 3 would never move.
    const long long limit = std::max(pitch / 3, 1LL);
    long long speed = std::clamp<long long>(m_nScrollSpeed, -limit, limit);
    long long rem = static_cast<long long>(m_nScrollRemainder) + speed;
    const int dir = Sign(rem);

    // The focus keeps its slot while the icons pass under it.
    int focusSlot = -1;
    const IconRef focus = FindFocusIcon();
    if (focus.Valid() && focus.layer == 0) {
        const SlotMapping mapping = MapIconToSlot(0, focus.icon, 0);
        if (mapping.visible && mapping.slot >= s)
            focusSlot = mapping.slot;
    }

    // A snap that overshoots zero has arrived.
    const bool crossed = prev != 0 && prev != dir;
    const bool whole = std::llabs(rem) >= pitch || (crossed && m_nScrollPhase == PHASE_SNAP);
    long long offset = m_nScrollOffset;
    if (whole) {
        if (crossed)
            rem = 0;
        offset += rem / pitch;
        if (m_nScrollPhase == PHASE_SNAP || m_nScrollPhase == PHASE_STEP)
            rem = 0;
    }
    rem %= pitch;
    // The ring of the strip: icons s to n - 1.
    if (offset < 0)
        offset = n - s - 1;
    else if (offset >= n - s)
        offset = 0;
    m_nScrollOffset = ClampInt(offset);
    m_nScrollRemainder = ClampInt(rem);

    auto slotAt = [&](long long t) -> const SheetSlot* {
        return t >= s && t < slots ? &layer.sheet->slots[static_cast<size_t>(t)] : nullptr;
    };
    auto centre = [&](const SheetSlot& slot) {
        return Point{static_cast<long long>(slot.x) + layer.ox, static_cast<long long>(slot.y) + layer.oy};
    };
    for (long long i = s; i < n; ++i) {
        IconEntry* e = Icon({static_cast<int>(i), 0});
        if (!e)
            break;
        const SlotMapping mapping = MapIconToSlot(0, static_cast<int>(i), dir);
        const SheetSlot* a = mapping.visible ? slotAt(mapping.slot) : nullptr;
        const SheetSlot* b = mapping.visible ? slotAt(static_cast<long long>(mapping.slot) - dir) : nullptr;
        if (!a && !b) {
            e->flags = static_cast<std::uint8_t>(e->flags & ~ICON_PLACED);
            continue;
        }
        e->flags |= ICON_PLACED;
        if (whole)
            e->baseSize = (a ? a : b)->size;
        // An icon coming into view for the first time needs its box to
        // start from just outside the edge.
        LayOutBox(*e);
        // From slot A towards slot B, the missing one off the item's edge.
        const Point p = a ? centre(*a) : OffItem(centre(*b), *e, m_Area);
        const Point q = b ? centre(*b) : OffItem(centre(*a), *e, m_Area);
        e->x = ClampInt(Between(p.x, q.x, dir * rem, pitch));
        e->y = ClampInt(Between(p.y, q.y, dir * rem, pitch));
        if (a && BackgroundState(e->nAppType, m_Setting) != a->bgState)
            rebuild = 1;
    }

    // Snaps move by Scale(3); a tiny screen scales that to 0, yet a snap must
    // arrive.
    const long long snap = std::max(std::llabs(static_cast<long long>(m_Setting.Scale(3))), 1LL);
    switch (m_nScrollPhase) {
    case PHASE_POINTER:
        if (std::llabs(speed) > m_nFlingThreshold) {
            m_nScrollPhase = PHASE_GLIDE;
        } else {
            m_nScrollPhase = PHASE_SNAP;
            speed = 0;
        }
        break;
    case PHASE_GLIDE:
        // A factor of 1000 (no frame period) would glide for ever.
        speed = speed * std::clamp(m_nGlideFactor, 0, 999) / 1000;
        if (speed == 0)
            m_nScrollPhase = PHASE_SNAP;
        break;
    case PHASE_SNAP:
        if (rem == 0) {
            m_nScrollPhase = PHASE_REST;
            speed = 0;
        } else {
            // Towards the nearer whole step.
            const bool farHalf = std::llabs(rem) >= pitch / 2;
            const bool back = (farHalf && rem <= 0) || (!farHalf && rem > 0);
            speed += back ? -snap : snap;
        }
        break;
    case PHASE_STEP:
        if (rem == 0) {
            m_nScrollPhase = PHASE_REST;
            speed = 0;
        } else {
            speed += speed < 1 ? -snap : snap;
        }
        break;
    default:
        m_nScrollPhase = PHASE_REST;
        m_nScrollRemainder = 0;
        speed = 0;
        break;
    }
    m_nScrollSpeed = ClampInt(speed);

    // At rest every shown icon stands on its slot. One that came into view
    // on this last step has had no motion to finish, which is what lets a
    // caption be drawn: without this it would stay bare until the next page.
    if (m_nScrollPhase == PHASE_REST) {
        for (long long i = s; i < n; ++i)
            if (IconEntry* e = Icon({static_cast<int>(i), 0}); e && (e->flags & ICON_PLACED))
                e->flags |= ICON_CAPTION;
    }

    if (focusSlot >= 0) {
        const int icon = IconInSlot(0, focusSlot);
        if (icon >= 0)
            SetFocusIcon(icon, 0);
    }
    return m_nScrollPhase == PHASE_REST;
}
