#include "LstSetting.h"

#include "DlgItemEdit.h"
#include "settings/ValueText.h"
#include "ui/ListView.h"


namespace {

enum : int { kItemColumn = 0, kValueColumn = 1 };

}  // namespace

bool CLstSetting::Init(HWND owner, int id, CSettingTable& settings)
{
    if (!Attach(owner, id))
        return false;
    m_hOwner = owner;
    m_pSettings = &settings;
    HWND list = Hwnd();
    ::SetWindowLongPtrW(list, GWL_STYLE,
                        (::GetWindowLongPtrW(list, GWL_STYLE) & ~LVS_TYPEMASK) | LVS_REPORT | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT,
                   LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    SetRowHeight();
    RECT rc;
    ::GetClientRect(list, &rc);
    AddListColumn(list, kItemColumn, L"Item", rc.right * 4 / 10);
    AddListColumn(list, kValueColumn, L"Value", rc.right);
    return true;
}

// Rows a fifth taller than the list's text, through an image list of
// that height (the list sizes its rows to fit its images).
void CLstSetting::SetRowHeight()
{
    HWND list = Hwnd();
    HDC dc = ::GetDC(list);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE text = {};
    ::GetTextExtentPoint32W(dc, L"A", 1, &text);
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    // The list owns its image lists and destroys them with itself.
    HIMAGELIST rows = ::ImageList_Create(1, text.cy * 12 / 10, ILC_COLOR, 1, 0);
    ::SendMessageW(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(rows));
}

void CLstSetting::Fill(int first, int last)
{
    ::SendMessageW(Hwnd(), LVM_DELETEALLITEMS, 0, 0);
    for (int index = first; index <= last; ++index) {
        const SettingDef* def = m_pSettings->Def(index);
        if (!def || def->flag || index >= m_pSettings->Count())
            continue;
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = RowCount();
        item.pszText = const_cast<wchar_t*>(def->label.c_str());
        item.lParam = index;
        ::SendMessageW(Hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ShowValue(index);
    }
}

void CLstSetting::ShowValue(int index)
{
    for (int row = 0; row < RowCount(); ++row) {
        const int rowIndex = IndexOfRow(row);
        if (index >= 0 && rowIndex != index)
            continue;
        SetListCell(Hwnd(), row, kValueColumn,
                    ListValueText(m_pSettings->Def(rowIndex), m_pSettings->m_Values[static_cast<size_t>(rowIndex)]));
    }
}

int CLstSetting::RowCount() const { return static_cast<int>(::SendMessageW(Hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

int CLstSetting::IndexOfRow(int row) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageW(Hwnd(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return -1;
    return static_cast<int>(item.lParam);
}

int CLstSetting::RowOfIndex(int index) const
{
    for (int row = 0; row < RowCount(); ++row)
        if (IndexOfRow(row) == index)
            return row;
    return -1;
}

std::wstring CLstSetting::CellText(int row, int column) const { return ListCell(Hwnd(), row, column); }

void CLstSetting::EditRow(int row)
{
    const int index = IndexOfRow(row);
    SettingDef* def = m_pSettings->Def(index);
    if (!def || index >= m_pSettings->Count())
        return;
    if (def->editor != EK_CST) {
        CDlgItemEdit editor(m_pSettings->m_Values[static_cast<size_t>(index)], *def);
        if (editor.DoModal(m_hOwner) == IDOK)
            ShowValue(index);
    } else if (::SendMessageW(m_hOwner, WM_EDITSETTING, static_cast<WPARAM>(index), 0) == 1) {
        ShowValue(index);
    }
}

LRESULT CLstSetting::OnNotify(NMHDR* header, bool& handled)
{
    handled = header->hwndFrom == Hwnd() && (header->code == NM_CUSTOMDRAW || header->code == NM_DBLCLK);
    if (!handled)
        return 0;
    if (header->code == NM_CUSTOMDRAW)
        return CustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    const int row = reinterpret_cast<NMITEMACTIVATE*>(header)->iItem;
    if (row >= 0)
        EditRow(row);
    return 0;
}

LRESULT CLstSetting::CustomDraw(NMLVCUSTOMDRAW* draw) const
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: break;
    default: return CDRF_DODEFAULT;
    }
    const int index = static_cast<int>(draw->nmcd.lItemlParam);
    const SettingDef* def = m_pSettings->Def(index);
    const bool colourCell = draw->iSubItem == kValueColumn && def && def->editor == EK_COLOR &&
                            !m_pSettings->IsText(index);
    if (!colourCell) {
        draw->clrText = ::GetSysColor(COLOR_WINDOWTEXT);
        draw->clrTextBk = CLR_DEFAULT;
        return CDRF_NEWFONT;
    }
    const auto colour = static_cast<std::uint32_t>(m_pSettings->GetNum(index)) & 0xFFFFFF;
    draw->clrTextBk = colour;
    draw->clrText = TextColourOn(colour);
    // The colour stays visible on the selected row too.
    draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
    return CDRF_NEWFONT;
}

LRESULT CLstSetting::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Enter opens the row's editor instead of reaching the dialog's default button.
    if (msg == WM_GETDLGCODE && lParam) {
        const MSG* key = reinterpret_cast<const MSG*>(lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            return DLGC_WANTALLKEYS;
    }
    if (msg == WM_KEYDOWN && wParam == VK_RETURN) {
        const auto row = static_cast<int>(
            ::SendMessageW(Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (row >= 0)
            EditRow(row);
        return 0;
    }
    return Default(msg, wParam, lParam);
}
