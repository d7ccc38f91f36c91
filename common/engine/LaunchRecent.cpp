// The recent ring: the last ten launched entries, newest first.
#include "engine/LaunchCore.h"

#include <algorithm>

void CLaunchCore::AddRecent(IconEntry* entry)
{
    if (!entry)
        return;
    const auto found = std::find(RecentRing.begin(), RecentRing.end(), entry);
    const int i = found == RecentRing.end() ? -1 : static_cast<int>(found - RecentRing.begin());
    if (i == m_nNewest)
        return;
    const int n = m_nNewest + 1 < kRecentSlots ? m_nNewest + 1 : 0;
    m_nNewest = n;
    // Slot n held the oldest entry. A repeated entry leaves a gap that the
    // older ones close, each moving one step newer.
    if (i >= 0 && i != n) {
        for (int j = i; j != n; j = j > 0 ? j - 1 : kRecentSlots - 1)
            RecentRing[static_cast<size_t>(j)] = RecentRing[static_cast<size_t>(j > 0 ? j - 1 : kRecentSlots - 1)];
    }
    RecentRing[static_cast<size_t>(n)] = entry;
    RecentChanged = true;
}

void CLaunchCore::RecentToIcon()
{
    if (m_pPages) {
        for (size_t p = 0; p < m_pPages->m_Order.size(); ++p) {
            CPageInfo* page = m_pPages->PageAt(p);
            if (!page)
                continue;
            for (IconEntry& e : page->icons.entries) {
                if (!IsRecentSlot(e.nAppType))
                    continue;
                int slot = m_nNewest - (e.nAppType - APP_RECENT_FIRST);
                if (slot < 0)
                    slot += kRecentSlots;
                e.Link = RecentRing[static_cast<size_t>(slot)];
                if (!e.Link) {
                    e.Name.clear();
                    e.Path.clear();
                }
            }
        }
    }
    RecentChanged = false;
}
