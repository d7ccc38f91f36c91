#include "ui/StretchList.h"

void CStretchList::Add(HWND dialog, int id)
{
    HWND item = ::GetDlgItem(dialog, id);
    if (!item)
        return;
    RECT rc;
    ::GetWindowRect(item, &rc);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    m_ids.push_back(id);
    m_initial.push_back({rc.left, rc.top, rc.right, rc.bottom});
}

void CStretchList::Apply(HWND dialog, int clientWidth, int clientHeight) const
{
    const std::vector<CtrlRect> placed = StretchControls(m_initial, clientWidth, clientHeight);
    for (size_t i = 0; i < placed.size(); ++i) {
        const CtrlRect& r = placed[i];
        ::SetWindowPos(::GetDlgItem(dialog, m_ids[i]), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
