#include "Selection.h"

namespace {

// Selection changes repaint the item whatever its Selectability.
void Repaint(CLoadedItem& item) { ::InvalidateRect(item.Hwnd(), nullptr, TRUE); }

}  // namespace

bool CSelection::Selectable(int index) const
{
    return index >= 0 && index < Count() && Item(index).Selectable();
}

bool CSelection::Offer(int index, WPARAM key)
{
    CLoadedItem& item = Item(index);
    m_nCurrent = index;
    Repaint(item);
    if (item.Selectability() == kTodaySelectionMessages &&
        !m_channel.Send(item, WM_TODAYCUSTOM_RECEIVEDSELECTION, key, 0)) {
        if (m_nCurrent == index)
            m_nCurrent = -1;
        return false;
    }
    return true;
}

bool CSelection::Select(int index, WPARAM key)
{
    if (!Selectable(index))
        return false;
    if (index == m_nCurrent)
        return true;
    Deselect();
    return Offer(index, key);
}

void CSelection::Deselect()
{
    if (m_nCurrent < 0)
        return;
    CLoadedItem& item = Item(m_nCurrent);
    m_nCurrent = -1;
    if (item.Selectability() == kTodaySelectionMessages)
        m_channel.Send(item, WM_TODAYCUSTOM_LOSTSELECTION, 0, 0);
    Repaint(item);
}

void CSelection::Took(HWND window)
{
    for (int i = 0; i < Count(); ++i)
        if (Item(i).Hwnd() == window) {
            Select(i, 0);
            return;
        }
}

void CSelection::Key(UINT vk)
{
    if (vk == VK_RETURN) {
        Action();
        return;
    }
    if (m_nCurrent >= 0 && Item(m_nCurrent).Selectability() == kTodaySelectionMessages &&
        m_channel.Send(Item(m_nCurrent), WM_TODAYCUSTOM_USERNAVIGATION, vk, 0))
        return;  // the item used the key inside itself
    if (vk == VK_UP)
        Move(-1, vk);
    else if (vk == VK_DOWN)
        Move(1, vk);
}

void CSelection::Move(int step, UINT vk)
{
    int i = m_nCurrent >= 0 ? m_nCurrent : (step > 0 ? -1 : Count());
    do
        i += step;
    while (i >= 0 && i < Count() && !Selectable(i));
    if (i < 0 || i >= Count())
        return;  // nothing further that way: the selection stays
    Deselect();
    for (; i >= 0 && i < Count(); i += step)
        if (Selectable(i) && Offer(i, vk))
            return;
}

void CSelection::Action()
{
    if (m_nCurrent < 0)
        return;
    CLoadedItem& item = Item(m_nCurrent);
    if (item.Selectability() == kTodaySelectionMessages) {
        m_channel.Send(item, WM_TODAYCUSTOM_ACTION, VK_RETURN, 0);
        return;
    }
    m_channel.Send(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    m_channel.Send(item, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}
