#include "panels/PanelState.h"

#include "config/Sheet.h"

#include <algorithm>

PanelKind PanelKindOf(const IconEntry& e)
{
    if (e.Path == L"CAL")
        return PanelKind::Calendar;
    if (e.Path == L"ACLOCK")
        return PanelKind::Clock;
    return PanelKind::DateText;
}

void ForEachVisibleIcon(const CSheet& sheet, const std::function<void(IconEntry&)>& fn)
{
    for (int layer = 0; layer < 2; ++layer) {
        const SheetLayer& l = sheet.m_Layers[layer];
        if (!l.sheet || !l.icons)
            continue;
        const int count = l.SafeIconCount();
        for (int i = 0; i < count; ++i)
            if (sheet.MapIconToSlot(layer, i, 0).visible)
                fn(l.icons->entries[static_cast<size_t>(i)]);
    }
}

bool AnyVisiblePanel(const CSheet& sheet)
{
    bool any = false;
    ForEachVisibleIcon(sheet, [&any](IconEntry& e) { any = any || IsPanel(e.nAppType); });
    return any;
}

bool PanelsDue(const PanelState& state)
{
    if (state.now.status != TimeStatus::Valid)
        return false;
    if (state.shown.status != TimeStatus::Valid)
        return true;
    const long long now = PanelSeconds(state.now), shown = PanelSeconds(state.shown);
    return now < shown || now - shown >= std::max(state.refreshInterval, 1);
}
