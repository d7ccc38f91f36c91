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

// The strip's slot that holds the focus, or -1: the focus keeps its slot
// while the icons pass under it.
int CSheet::FocusedStripSlot() const
{
    const IconRef focus = FindFocusIcon();
    if (!focus.Valid() || focus.layer != 0)
        return -1;
    const SlotMapping mapping = MapIconToSlot(0, focus.icon, 0);
    return mapping.visible && mapping.slot >= m_nStartSlot ? mapping.slot : -1;
}

// Turns the ring of icons s to n - 1 by the whole steps in rem, keeping the
// part of a step in rem. True when the strip moved a whole step (or a snap
// overshot zero and so arrived).
bool CSheet::TurnStrip(long long& rem, int prev, int dir)
{
    const long long pitch = m_nPitch, s = m_nStartSlot, n = m_Layers[0].iconCount;
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
    if (offset < 0)
        offset = n - s - 1;
    else if (offset >= n - s)
        offset = 0;
    m_nScrollOffset = ClampInt(offset);
    m_nScrollRemainder = ClampInt(rem);
    return whole;
}

// Puts every strip icon rem pixels of the way from its slot towards the
// next one in direction dir (a slot missing at an end lies off the item's
// edge); sets rebuild when a slot's background no longer fits its icon.
void CSheet::PlaceStripIcons(int dir, long long rem, bool whole, int& rebuild)
{
    const SheetLayer& layer = m_Layers[0];
    const int slots = layer.SafeSlotCount();
    const long long s = m_nStartSlot, n = layer.iconCount, pitch = m_nPitch;
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
}

// The speed of the next frame by the phase, which it may move on: the
// pointer's speed becomes a glide or a snap, a glide slows down, snaps and
// single steps head for a whole step and rest there.
long long CSheet::NextScrollSpeed(long long speed, long long rem)
{
    const long long pitch = m_nPitch;
    // Snaps move by Scale(3); a tiny screen scales that to 0, yet a snap must
    // arrive.
    const long long snap = std::max(std::llabs(static_cast<long long>(m_Setting.Scale(3))), 1LL);
    switch (m_nScrollPhase) {
    case PHASE_POINTER:
        if (std::llabs(speed) > m_nFlingThreshold)
            m_nScrollPhase = PHASE_GLIDE;
        else
            m_nScrollPhase = PHASE_SNAP;
        return m_nScrollPhase == PHASE_GLIDE ? speed : 0;
    case PHASE_GLIDE:
        // A factor of 1000 (no frame period) would glide for ever.
        speed = speed * std::clamp(m_nGlideFactor, 0, 999) / 1000;
        if (speed == 0)
            m_nScrollPhase = PHASE_SNAP;
        return speed;
    case PHASE_SNAP:
    case PHASE_STEP:
        if (rem == 0) {
            m_nScrollPhase = PHASE_REST;
            return 0;
        }
        if (m_nScrollPhase == PHASE_STEP)
            return speed + (speed < 1 ? -snap : snap);
        {
            // Towards the nearer whole step.
            const bool farHalf = std::llabs(rem) >= pitch / 2;
            const bool back = (farHalf && rem <= 0) || (!farHalf && rem > 0);
            return speed + (back ? -snap : snap);
        }
    default:
        m_nScrollPhase = PHASE_REST;
        m_nScrollRemainder = 0;
        return 0;
    }
}

bool CSheet::ScrollStep(int& rebuild)
{
    SheetLayer& layer = m_Layers[0];
    const long long s = m_nStartSlot, n = layer.iconCount, pitch = m_nPitch;
    // Nothing to scroll, or no step to scroll by (setting 45 scaled to 0, or
    // slots on one x): rest at once rather than move for ever.
    if (layer.SafeSlotCount() == 0 || !layer.icons || !layer.overflow || n - s <= 0 || pitch <= 0) {
        m_nScrollSpeed = m_nScrollRemainder = 0;
        m_nScrollPhase = PHASE_REST;
        return true;
    }

    const int prev = Sign(m_nScrollRemainder);
    // At least a pixel a frame, or a pitch below 3 would never move.
    const long long limit = std::max(pitch / 3, 1LL);
    const long long speed = std::clamp<long long>(m_nScrollSpeed, -limit, limit);
    long long rem = static_cast<long long>(m_nScrollRemainder) + speed;
    const int dir = Sign(rem);
    const int focusSlot = FocusedStripSlot();

    const bool whole = TurnStrip(rem, prev, dir);
    PlaceStripIcons(dir, rem, whole, rebuild);
    m_nScrollSpeed = ClampInt(NextScrollSpeed(speed, rem));

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
