// The Today screen's one selected item (or none), moved by the cursor keys
// and by items that take it, as the platform documents:
// - "Selectability" 0 (or missing): never selected, skipped by the keys;
// - 1: the screen selects it without telling it; Enter becomes a tap at (1, 1);
// - 2: it is told (received, lost), sees every key first as
//   WM_TODAYCUSTOM_USERNAVIGATION and refuses the selection by answering
//   FALSE, which passes it on to the next item in the key's direction.
// Up and Down move to the neighbour only when the selected item answered the
// key with FALSE. The old item loses the selection before the new one gets it.
#pragma once

#include "LoadedItem.h"

#include <memory>
#include <vector>

using CItemList = std::vector<std::unique_ptr<CLoadedItem>>;

// How the selection reaches an item: the screen sends (and logs) it.
class IItemChannel {
public:
    virtual LRESULT Send(CLoadedItem& item, UINT msg, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~IItemChannel() = default;
};

class CSelection {
public:
    CSelection(const CItemList& items, IItemChannel& channel) : m_items(items), m_channel(channel) {}
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

    int Current() const { return m_nCurrent; }
    // The items are about to go: no message.
    void Forget() { m_nCurrent = -1; }

    // key: what moved the selection, or 0. False when the item cannot be
    // selected or refused (then nothing is selected).
    bool Select(int index, WPARAM key);
    void Deselect();
    // TODAYM_TOOKSELECTION from an item window.
    void Took(HWND window);
    // A key pressed on the Today screen.
    void Key(UINT vk);

private:
    bool Offer(int index, WPARAM key);
    void Move(int step, UINT vk);
    void Action();
    bool Selectable(int index) const;
    CLoadedItem& Item(int index) const { return *m_items[static_cast<size_t>(index)]; }
    int Count() const { return static_cast<int>(m_items.size()); }

    const CItemList& m_items;
    IItemChannel& m_channel;
    int m_nCurrent = -1;
};
