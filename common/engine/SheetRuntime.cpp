// The runtime of the current sheets: which slot each icon stands in, its
// placement along the motions, the press zoom, the focus, hit tests and the
// focus moves of the cursor keys.
#include "base/Saturate.h"
#include "config/IconEntry.h"
#include "config/Setting.h"
#include "config/SettingIndex.h"
#include "config/Sheet.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// zoomStep is a signed byte and a zoom-in counts in fours: more steps than
// 124, the largest multiple of 4 it holds, are cut to 124.
constexpr int kMaxZoomSteps = 124;

std::uint16_t ClampSize(long long size)
{
    return static_cast<std::uint16_t>(std::clamp<long long>(size, 0, UINT16_MAX));
}

std::int16_t ClampBox(long long extent)
{
    // -1 would mean "not yet laid out"; a box is never negative.
    return static_cast<std::int16_t>(std::clamp<long long>(extent, 0, INT16_MAX));
}

bool ValidLayer(int layer) { return layer == 0 || layer == 1; }

}  // namespace

int SheetLayer::SafeSlotCount() const
{
    if (!sheet)
        return 0;
    return std::clamp(slotCount, 0, static_cast<int>(std::min(sheet->slots.size(), kMaxSheetSlots)));
}

int SheetLayer::SafeIconCount() const
{
    if (!icons)
        return 0;
    return std::clamp(iconCount, 0, static_cast<int>(std::min<size_t>(icons->entries.size(), INT_MAX)));
}

std::uint8_t BackgroundState(unsigned appType, const CSetting& setting)
{
    if (appType == APP_PAGELINK)
        return setting.GetNum(Set::LinkBgUse) != 0 ? 1 : 0;
    if (IsRecentSlot(appType))
        return setting.GetNum(Set::RecentBgUse) != 0 ? 3 : 0;
    // Task slots 50 to 59 and 64, 65 keep the plain background.
    const bool task = (appType >= 40 && appType <= 49) || (appType >= 60 && appType <= 63) ||
                      (appType >= 66 && appType <= 71);
    if (task)
        return setting.GetNum(Set::TaskBgUse) != 0 ? 2 : 0;
    return 0;
}

IconEntry* CSheet::Icon(const IconRef& ref) const
{
    if (!ValidLayer(ref.layer) || ref.icon < 0)
        return nullptr;
    const SheetLayer& layer = m_Layers[ref.layer];
    if (ref.icon >= layer.SafeIconCount())
        return nullptr;
    return &layer.icons->entries[static_cast<size_t>(ref.icon)];
}

SlotMapping CSheet::MapIconToSlot(int layer, int icon, int margin) const
{
    SlotMapping mapping;
    if (!ValidLayer(layer))
        return mapping;
    const SheetLayer& l = m_Layers[layer];
    const long long slots = l.SafeSlotCount();
    if (icon < m_nStartSlot || !l.overflow) {
        mapping.slot = icon;
        mapping.visible = icon >= 0 && icon < slots;
        return mapping;
    }
    // From the start slot on the icons run round a ring; one position before
    // the start slot and one past the last slot come into view as margins.
    const long long s = m_nStartSlot, n = l.iconCount;
    long long j = static_cast<long long>(icon) - m_nScrollOffset;
    if (j < s - 1)
        j += n - s;
    if (j >= n - 1)
        j += s - n;
    mapping.slot = ClampInt(j);
    mapping.visible = s + std::min(margin, 0) <= j && j < slots + std::max(margin, 0);
    return mapping;
}

int CSheet::IconInSlot(int layer, int slot) const
{
    if (!ValidLayer(layer))
        return -1;
    const SheetLayer& l = m_Layers[layer];
    if (slot < 0 || slot >= l.SafeSlotCount())
        return -1;
    long long icon = slot;
    if (l.overflow && slot >= m_nStartSlot) {
        icon += m_nScrollOffset;
        if (icon >= l.iconCount)
            icon += static_cast<long long>(m_nStartSlot) - l.iconCount;
    }
    return icon >= 0 && icon < l.SafeIconCount() ? static_cast<int>(icon) : -1;
}

void CSheet::LayOutBox(IconEntry& e) const
{
    if (e.width != -1 || e.height != -1)
        return;
    if (IsPanel(e.nAppType)) {
        if (m_fnPanelBox)
            m_fnPanelBox(e);
        return;
    }
    e.width = ClampBox(e.baseSize + 1LL);
    e.height = ClampBox(e.baseSize + static_cast<long long>(m_nCaptionHeight) + 1);
}

bool CSheet::PlaceLayer(int layer, int direction, std::int32_t t)
{
    if (!ValidLayer(layer))
        return true;
    const SheetLayer& l = m_Layers[layer];
    const int slots = l.SafeSlotCount();
    if (slots == 0 || !l.icons)
        return true;
    const SheetSlot& last = l.sheet->slots[static_cast<size_t>(slots - 1)];
    bool done = true;
    const int count = l.SafeIconCount();
    for (int i = 0; i < count; ++i) {
        IconEntry& e = l.icons->entries[static_cast<size_t>(i)];
        const SlotMapping mapping = MapIconToSlot(layer, i, 0);
        if (!mapping.visible) {
            e.zoomState = 0;
            e.zoomStep = 0;
            e.size = e.baseSize = last.size;
            e.flags = static_cast<std::uint8_t>(e.flags & ~ICON_PLACED);
            continue;
        }
        const SheetSlot& slot = l.sheet->slots[static_cast<size_t>(mapping.slot)];
        e.flags |= ICON_PLACED;
        if (t <= 0) {
            e.zoomState = 0;
            e.zoomStep = 0;
            e.size = e.baseSize = slot.size;
        }
        LayOutBox(e);
        if (!m_Motions.EvaluateMotion(e, slot, direction, t, l.ox, l.oy, m_Area))
            done = false;
    }
    return done;
}

namespace {

// The sizes of one icon's press zoom, from its base size b: the overshoot G,
// the held size D, the overshoot's rise H in hundredths, and T steps.
struct ZoomSizes {
    long long b = 0, G = 0, D = 0, H = 0, T = 0;
};

// States 1 (growing to the overshoot) and 4 (growing back to held, after a
// release that came early): one step up the curve. True when at rest.
bool ZoomUp(IconEntry& e, const ZoomSizes& z)
{
    if (z.T == 0) {
        // No zoom animation: straight to the held size, or back to rest.
        const bool focused = e.zoomState == 1;
        e.size = ClampSize(focused ? z.D : z.b);
        e.zoomState = focused ? 3 : 0;
        e.zoomStep = 0;
        return true;
    }
    // Counted in int: zoomStep + 4 may not fit the byte, but only a step
    // below T (at most 124) is stored.
    const int step = (e.zoomStep & ~3) + 4;
    if (step < z.T) {
        const long long E = e.zoomState == 1 ? z.H : (z.D - z.b) * 100;
        // step < T, so step² × (E / T²) stays within E.
        e.size = ClampSize(z.b + static_cast<long long>(step) * step * (E / (z.T * z.T)) / 100);
        e.zoomStep = static_cast<std::int8_t>(step);
    } else {
        e.size = ClampSize(z.G);
        e.zoomStep = static_cast<std::int8_t>(z.T);
        e.zoomState = e.zoomState == 1 ? 2 : 5;
    }
    return false;
}

// State 5: one step back down to the base size.
bool ZoomDown(IconEntry& e, const ZoomSizes& z)
{
    // A step left from a longer zoom is cut to T, which keeps step² × (H / T²)
    // within H.
    const long long step = std::min<long long>(e.zoomStep - 1, z.T);
    if (step > 0) {
        e.size = ClampSize(z.b + step * step * (z.H / (z.T * z.T)) / 100);
        e.zoomStep = static_cast<std::int8_t>(step);
    } else {
        e.size = ClampSize(z.b);
        e.zoomState = 0;
        e.zoomStep = 0;
    }
    return false;
}

}  // namespace

bool CSheet::ZoomIcon(IconEntry& e, bool keep, bool release) const
{
    ZoomSizes z;
    z.T = std::clamp(m_nZoomSteps, 0, kMaxZoomSteps);
    z.b = e.baseSize;
    const long long Z = m_nZoomFactor;
    z.G = Z * z.b * 12 / 100;
    z.D = Z * z.b / 10;
    z.H = (z.G - z.b) * 100;
    // Without steps (T 0) a zoomed icon has zoomStep 0 too: release it by
    // its state.
    if (release && (e.zoomStep != 0 || (z.T == 0 && e.zoomState != 0)))
        e.zoomState = 5;
    if (!release && !keep) {
        e.size = ClampSize(z.b);
        e.zoomStep = 0;
    }
    switch (e.zoomState) {
    case 1:
    case 4: return ZoomUp(e, z);
    case 2:
        e.size = ClampSize((z.G + z.D) / 2);
        e.zoomState = 3;
        return false;  // D is still to come
    case 3:
        e.size = ClampSize(z.D);
        e.zoomStep = static_cast<std::int8_t>(z.T);
        return true;
    case 5: return ZoomDown(e, z);
    default:
        e.size = ClampSize(z.b);
        e.zoomStep = 0;
        return true;
    }
}

bool CSheet::ZoomLayer(int layer, bool keep, bool release)
{
    if (!ValidLayer(layer) || !m_Layers[layer].sheet)
        return true;
    const SheetLayer& l = m_Layers[layer];
    bool done = true;
    const int count = l.SafeIconCount();
    for (int i = 0; i < count; ++i)
        done = ZoomIcon(l.icons->entries[static_cast<size_t>(i)], keep, release) && done;
    return done;
}

bool CSheet::SetFocusIcon(int icon, int layer)
{
    if (icon == -1 || !ValidLayer(layer))
        return false;
    const SheetLayer& l = m_Layers[layer];
    bool changed = false;
    const int count = l.SafeIconCount();
    for (int i = 0; i < count; ++i) {
        IconEntry& e = l.icons->entries[static_cast<size_t>(i)];
        if (i == icon)
            continue;
        // The overshoot (2) is focused too: a key repeat can land on it.
        if (e.zoomState == 1 || e.zoomState == 2 || e.zoomState == 3) {
            e.zoomState = e.zoomState == 1 ? 4 : 5;
            changed = true;
        }
    }
    IconEntry* target = Icon({icon, layer});
    if (target && target->zoomState != 1 && target->zoomState != 2 && target->zoomState != 3 &&
        MapIconToSlot(layer, icon, 0).visible) {
        target->zoomState = 1;
        changed = true;
    }
    return changed;
}

IconRef CSheet::FindFocusIcon() const
{
    // A held (or overshooting) icon wins at once; else the lowest zooming-in
    // icon, of layer 0 before layer 1.
    IconRef zooming;
    for (int layer = 0; layer < 2; ++layer) {
        for (int i = m_Layers[layer].SafeIconCount() - 1; i >= 0; --i) {
            const IconEntry& e = m_Layers[layer].icons->entries[static_cast<size_t>(i)];
            if (e.zoomState == 2 || e.zoomState == 3)
                return {i, layer};
            if (e.zoomState == 1 && (!zooming.Valid() || zooming.layer == layer))
                zooming = {i, layer};
        }
    }
    return zooming;
}

IconRef CSheet::HitTest(std::int32_t x, std::int32_t y) const
{
    for (int layer = 0; layer < 2; ++layer) {
        // The later icon is drawn over the earlier one.
        for (int i = m_Layers[layer].SafeIconCount() - 1; i >= 0; --i) {
            const IconEntry& e = m_Layers[layer].icons->entries[static_cast<size_t>(i)];
            if (!(e.flags & ICON_PLACED) || e.nAppType == APP_BLANK)
                continue;
            const long long half = e.size / 2;
            if (x >= e.x - half && x <= e.x + half && y >= e.y - half && y <= e.y + half)
                return {i, layer};
        }
    }
    return {};
}

bool CSheet::IsSelectable(const IconEntry& icon)
{
    // Recent and task slots only once something fills them.
    return icon.nAppType != APP_BLANK && (icon.nAppType < APP_RECENT_FIRST || icon.Link != nullptr);
}

int CSheet::MoveFocusVertical(bool down, bool wrapAllowed)
{
    const IconRef focus = FindFocusIcon();
    const int layer = focus.Valid() ? focus.layer : 0;
    const SheetLayer& l = m_Layers[layer];
    const int slots = l.SafeSlotCount();
    if (slots == 0 || !l.icons)
        return -1;
    int slot = -1;
    if (focus.Valid()) {
        const SlotMapping mapping = MapIconToSlot(layer, focus.icon, 0);
        if (mapping.visible)
            slot = mapping.slot;
    }
    const int tries = std::min(slots, l.SafeIconCount());
    for (int n = 0; n < tries; ++n) {
        int next = 0;
        if (slot < 0) {
            next = down ? l.sheet->firstSlot : l.sheet->lastSlot;
        } else {
            const SheetSlot& from = l.sheet->slots[static_cast<size_t>(slot)];
            const std::uint8_t link = down ? from.linkDown : from.linkUp;
            if ((link & kLinkWrap) && !wrapAllowed)
                return -1;
            next = link & ~kLinkWrap;  // 127, no slot, fails the bound below
        }
        if (next >= slots)
            return -1;
        slot = next;
        const int icon = IconInSlot(layer, slot);
        if (icon >= 0 && IsSelectable(*Icon({icon, layer}))) {
            SetFocusIcon(icon, layer);
            return slot;
        }
    }
    return -1;
}

// Moves (layer a, slot n) one slot on in the linear order: within the
// layer's slots, round from its last slot to the other layer's first when
// crossing is allowed, or, at an end of an overflowing strip, by turning the
// strip one icon (scrolled). False when there is no slot that way.
bool CSheet::StepFocusSlot(bool forward, bool crossAllowed, int& a, int& n, bool& scrolled)
{
    const SheetLayer& l = m_Layers[a];
    const int slots = l.SafeSlotCount();
    const int s = m_nStartSlot;
    auto otherLayer = [&](int from) {
        const SheetLayer& o = m_Layers[1 - from];
        return o.SafeSlotCount() > 0 && o.icons ? 1 - from : from;
    };
    auto oneIconScroll = [&](int sign) {
        m_nScrollSpeed = sign;
        m_nScrollRemainder = sign;
        m_nScrollPhase = 4;
        scrolled = true;
        return true;
    };
    if (forward) {
        if (n == slots - 1 && a == 0 && l.overflow)
            return oneIconScroll(1);
        if (n == l.sheet->lastSlot) {
            if (!crossAllowed)
                return false;
            a = otherLayer(a);
            n = m_Layers[a].sheet->firstSlot;
        } else {
            n = n >= slots - 1 ? 0 : n + 1;
        }
        // Entering the strip from the fixed slots shows it from its start.
        if (a == 0 && n == s)
            m_nScrollOffset = 0;
    } else {
        if (n == s && a == 0 && l.overflow)
            return oneIconScroll(-1);
        if (n == l.sheet->firstSlot) {
            if (!crossAllowed)
                return false;
            a = otherLayer(a);
            n = m_Layers[a].sheet->lastSlot;
        } else {
            if (n <= 0) {
                // Round to the last slot: the strip shows its end.
                n = slots;
                if (a == 0)
                    m_nScrollOffset = std::max(l.SafeIconCount() - slots, 0);
            }
            --n;
        }
    }
    return n >= 0 && n < m_Layers[a].SafeSlotCount();
}

int CSheet::MoveFocusLinear(bool forward, bool crossAllowed)
{
    const IconRef focus = FindFocusIcon();
    int a = focus.Valid() ? focus.layer : 0;
    if (m_Layers[a].SafeSlotCount() == 0 || !m_Layers[a].icons)
        return -1;
    int n = -1;
    if (focus.Valid()) {
        const SlotMapping mapping = MapIconToSlot(a, focus.icon, 0);
        if (mapping.visible)
            n = mapping.slot;
    }
    if (n < 0) {
        // Nothing focused: the first slot, or backwards the last slot that
        // holds an icon.
        const SheetLayer& l = m_Layers[a];
        n = forward ? l.sheet->firstSlot : std::min(static_cast<int>(l.sheet->lastSlot), l.SafeIconCount() - 1);
        const int icon = IconInSlot(a, n);
        if (icon < 0)
            return -1;
        SetFocusIcon(icon, a);
        return n;
    }

    const int startSlot = n, startLayer = a, startOffset = m_nScrollOffset;
    // Each layer's slots are passed at most once, plus the way back.
    const int limit = 2 * static_cast<int>(kMaxSheetSlots + 2);
    for (int steps = 0; steps < limit; ++steps) {
        bool scrolled = false;
        if (!StepFocusSlot(forward, crossAllowed, a, n, scrolled)) {
            m_nScrollOffset = startOffset;  // a search that fails leaves the strip as it was
            return -1;
        }
        if (scrolled)
            break;
        const int icon = IconInSlot(a, n);
        if (icon >= 0 && IsSelectable(*Icon({icon, a})))
            break;
        if (n == startSlot && a == startLayer)
            break;
    }
    // The focus leaves the other layer when it crosses.
    if (a != startLayer)
        SetFocusIcon(-2, startLayer);
    const int icon = IconInSlot(a, n);
    if (icon >= 0)
        SetFocusIcon(icon, a);
    return n;
}
