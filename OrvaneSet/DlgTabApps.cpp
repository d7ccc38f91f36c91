#include "DlgTabApps.h"

#include "DlgMain.h"
#include "DlgSetApp.h"
#include "OrvaneSet_rc.h"
#include "config/Page.h"
#include "settings/AppEdit.h"
#include "ui/ListView.h"
#include "ui/Res.h"

#include <utility>

CDlgTabApps::CDlgTabApps(CDlgMain& main) : CDlgTab2(main, IDD_APPS, IDD_APPS_LARGE) {}

void CDlgTabApps::AddResizeCtrls()
{
    AddResizeCtrl(IDC_APPS_PAGE);
    AddResizeCtrl(IDC_APPS_LIST);
}

void CDlgTabApps::OnSize(int width, int height)
{
    CDlgTab2::OnSize(width, height);
    SpreadRow({IDC_APPS_ADD, IDC_APPS_EDIT, IDC_APPS_DEL, IDC_APPS_UP, IDC_APPS_DOWN}, IDC_APPS_LIST, 2);
}

BOOL CDlgTabApps::OnInitDialog()
{
    CDlgTab2::OnInitDialog();
    const std::pair<int, unsigned> buttons[] = {{IDC_APPS_ADD, IDS_BUTTON_ADD},
                                                {IDC_APPS_EDIT, IDS_BUTTON_EDIT},
                                                {IDC_APPS_DEL, IDS_BUTTON_DEL},
                                                {IDC_APPS_UP, IDS_BUTTON_UP},
                                                {IDC_APPS_DOWN, IDS_BUTTON_DOWN}};
    for (const auto& [id, text] : buttons)
        SetItemText(id, ResString(text));
    HWND list = Item(IDC_APPS_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT rc;
    ::GetClientRect(list, &rc);
    const int w = rc.right;
    AddListColumn(list, 0, L"Name", 3 * w / 10);
    AddListColumn(list, 1, L"Path", 6 * w / 10);
    AddListColumn(list, 2, L"Option", 6 * w / 10);
    return TRUE;
}

void CDlgTabApps::RefreshTab()
{
    // The page definitions may have been replaced on the Pages tab: the
    // combo is filled anew every time.
    SendItem(IDC_APPS_PAGE, CB_RESETCONTENT);
    const CPageMng& pages = *Launch().Pages();
    for (const PageOrderEntry& o : pages.m_Order) {
        CPageInfo* page = pages.FindPage(o.name);
        if (!page)
            continue;
        const LRESULT at = SendItem(IDC_APPS_PAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(o.name.c_str()));
        SendItem(IDC_APPS_PAGE, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(page));
    }
    SendItem(IDC_APPS_PAGE, CB_SETCURSEL, 0);
    ListIcons(-1);
}

CPageInfo* CDlgTabApps::CurrentPage() const
{
    const LRESULT sel = SendItem(IDC_APPS_PAGE, CB_GETCURSEL);
    if (sel == CB_ERR)
        return nullptr;
    return reinterpret_cast<CPageInfo*>(SendItem(IDC_APPS_PAGE, CB_GETITEMDATA, static_cast<WPARAM>(sel)));
}

int CDlgTabApps::SelectedIcon() const
{
    const auto row = static_cast<int>(SendItem(IDC_APPS_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0)
        return -1;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendItem(IDC_APPS_LIST, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void CDlgTabApps::ListIcons(int select)
{
    HWND list = Item(IDC_APPS_LIST);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    const CPageInfo* page = CurrentPage();
    if (!page)
        return;
    int row = 0;
    for (const IconEntry& e : page->icons.entries) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(e.Name.c_str());
        item.lParam = row;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        SetListCell(list, row, 1, e.Path);
        SetListCell(list, row, 2, e.Args);
        ++row;
    }
    if (select < 0 || select >= row)
        return;
    LVITEMW state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(select), reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(select), FALSE);
}

bool CDlgTabApps::OnCommand(int id, int code, HWND control)
{
    switch (id) {
    case IDC_APPS_PAGE:
        if (code == CBN_SELCHANGE)
            ListIcons(-1);
        return true;
    case IDC_APPS_ADD: Add(); return true;
    case IDC_APPS_EDIT: Edit(); return true;
    case IDC_APPS_DEL: Del(); return true;
    case IDC_APPS_UP: Move(-1); return true;
    case IDC_APPS_DOWN: Move(1); return true;
    }
    return CDlgTab2::OnCommand(id, code, control);
}

int CDlgTabApps::NeedSelection() const
{
    const CPageInfo* page = CurrentPage();
    const int pos = SelectedIcon();
    if (page && pos >= 0 && static_cast<size_t>(pos) < page->icons.entries.size())
        return pos;
    Message(ResString(IDS_NOT_SELECTED), kProgramName);
    return -1;
}

void CDlgTabApps::Add()
{
    CPageInfo* page = CurrentPage();
    if (!page) {
        Message(ResString(IDS_NO_PAGE), kProgramName);
        return;
    }
    IconEntry entry;
    CDlgSetApp editor(entry, true, *Launch().Pages());
    if (editor.DoModal(Hwnd()) != IDOK)
        return;
    // A recent or task entry becomes the slots of its run that the page lacks.
    const std::vector<IconEntry> added = ExpandSlotRun(page->icons, entry);
    for (const IconEntry& e : added)
        AddIcon(page->icons, e, -1);
    ListIcons(added.empty() ? -1 : static_cast<int>(page->icons.entries.size()) - 1);
}

void CDlgTabApps::Edit()
{
    const int pos = NeedSelection();
    if (pos < 0)
        return;
    IconList& icons = CurrentPage()->icons;
    if (!IsEditableType(icons.entries[static_cast<size_t>(pos)].nAppType)) {
        Message(ResString(IDS_NOT_EDITABLE), kProgramName);
        return;
    }
    IconEntry copy = icons.entries[static_cast<size_t>(pos)];
    CDlgSetApp editor(copy, false, *Launch().Pages());
    if (editor.DoModal(Hwnd()) != IDOK)
        return;
    icons.entries[static_cast<size_t>(pos)] = std::move(copy);
    AddIcon(icons, icons.entries[static_cast<size_t>(pos)], pos);
    ListIcons(pos);
}

void CDlgTabApps::Del()
{
    const int pos = NeedSelection();
    if (pos < 0 || Message(ResString(IDS_DELETE_ICON), L"Warning", MB_OKCANCEL) != IDOK)
        return;
    ClearIconSlot(CurrentPage()->icons, static_cast<size_t>(pos), true);
    ListIcons(-1);
}

void CDlgTabApps::Move(int step)
{
    const int pos = NeedSelection();
    if (pos < 0)
        return;
    auto& entries = CurrentPage()->icons.entries;
    const int to = pos + step;
    if (to < 0 || static_cast<size_t>(to) >= entries.size())
        return;
    std::swap(entries[static_cast<size_t>(pos)], entries[static_cast<size_t>(to)]);
    ListIcons(to);
}
