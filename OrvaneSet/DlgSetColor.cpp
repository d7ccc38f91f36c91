#include "DlgSetColor.h"

#include "OrvaneSet_rc.h"
#include "settings/EditorOptions.h"
#include "ui/Res.h"

#include <algorithm>

namespace {

struct Channel {
    int field, spin, slider;
};
constexpr Channel kChannels[3] = {
    {IDC_COLOR_R, IDC_COLOR_R_SPIN, IDC_COLOR_R_SLIDER},
    {IDC_COLOR_G, IDC_COLOR_G_SPIN, IDC_COLOR_G_SLIDER},
    {IDC_COLOR_B, IDC_COLOR_B_SPIN, IDC_COLOR_B_SLIDER},
};
constexpr IntOptions kChannelRange = {0, 255, 1, 5};
constexpr int kMargin = 4;

}  // namespace

CDlgSetColor::CDlgSetColor(std::uint32_t colour)
    : CDialog(IDD_SETCOLOR), m_nOld(colour & 0xFFFFFF), m_nColor(colour & 0xFFFFFF)
{
    m_OldBrush.Reset(::CreateSolidBrush(m_nOld));
}

BOOL CDlgSetColor::OnInitDialog()
{
    MakeMenuBar(Hwnd(), IDM_EDIT_BAR);
    UDACCEL accel[2] = {{0, static_cast<UINT>(kChannelRange.step)}, {1, static_cast<UINT>(kChannelRange.fastStep)}};
    for (const Channel& c : kChannels) {
        SendItem(c.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(c.field)));
        SendItem(c.spin, UDM_SETRANGE32, 0, 255);
        SendItem(c.spin, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel));
        SendItem(c.slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
    }
    SetChannels(m_nOld);
    CoverOwner();
    return TRUE;
}

// The sliders take the screen's width.
void CDlgSetColor::OnSize(int, int)
{
    for (const Channel& c : kChannels)
        AlignRight(c.slider, kMargin);
}

void CDlgSetColor::SetChannels(std::uint32_t colour)
{
    for (int i = 0; i < 3; ++i) {
        m_nValue[i] = static_cast<int>((colour >> (8 * i)) & 0xFF);
        SendItem(kChannels[i].slider, TBM_SETPOS, TRUE, m_nValue[i]);
    }
    FillFields();
}

void CDlgSetColor::FillFields()
{
    m_bFilling = true;
    for (int i = 0; i < 3; ++i)
        SetItemText(kChannels[i].field, std::to_wstring(m_nValue[i]));
    m_bFilling = false;
    ShowNewColour();
}

// Typing in a field moves its slider and the new colour with it; a number
// outside 0 to 255 shows as the nearest end until OK refuses it.
void CDlgSetColor::TakeField(int channel)
{
    const std::optional<int> typed = ParseIntField(ItemText(kChannels[channel].field));
    m_nValue[channel] = std::clamp(typed.value_or(0), 0, 255);
    SendItem(kChannels[channel].slider, TBM_SETPOS, TRUE, m_nValue[channel]);
    ShowNewColour();
}

std::uint32_t CDlgSetColor::Channels() const
{
    return static_cast<std::uint32_t>(m_nValue[0] + 256 * m_nValue[1] + 65536 * m_nValue[2]);
}

void CDlgSetColor::ShowNewColour()
{
    m_NewBrush.Reset(::CreateSolidBrush(Channels()));
    ::InvalidateRect(Item(IDC_COLOR_NEW), nullptr, TRUE);
}

bool CDlgSetColor::OnCommand(int id, int code, HWND)
{
    for (int i = 0; i < 3; ++i)
        if (id == kChannels[i].field && code == EN_CHANGE) {
            if (!m_bFilling)
                TakeField(i);
            return true;
        }
    switch (id) {
    case IDC_COLOR_OLD:
        if (code == STN_CLICKED)
            SetChannels(m_nOld);
        return true;
    case ID_EDIT_OK: OnOK(); return true;
    case ID_EDIT_CANCEL: OnCancel(); return true;
    }
    return false;
}

void CDlgSetColor::OnOK()
{
    for (const Channel& c : kChannels) {
        const std::optional<int> v = ParseIntField(ItemText(c.field));
        if (!v || *v < kChannelRange.min || *v > kChannelRange.max) {
            Message(RangeMessage(kChannelRange), kErrorCaption, MB_OK | MB_ICONERROR);
            ::SetFocus(Item(c.field));
            return;
        }
    }
    m_nColor = Channels();
    EndDialog(IDOK);
}

HBRUSH CDlgSetColor::OnCtlColor(HDC, HWND control)
{
    if (control == Item(IDC_COLOR_OLD))
        return m_OldBrush.Get();
    if (control == Item(IDC_COLOR_NEW))
        return m_NewBrush.Get();
    return nullptr;
}

INT_PTR CDlgSetColor::OnMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled)
{
    handled = false;
    if (msg != WM_HSCROLL)
        return 0;
    for (int i = 0; i < 3; ++i) {
        if (reinterpret_cast<HWND>(lParam) != Item(kChannels[i].slider))
            continue;
        handled = true;
        const int position = static_cast<int>(SendItem(kChannels[i].slider, TBM_GETPOS));
        if (position != m_nValue[i]) {
            m_nValue[i] = position;
            FillFields();
        }
    }
    return 0;
}
