#include "DlgTabPages.h"

#include "DlgMain.h"
#include "DlgSetPage.h"
#include "OrvaneSet_rc.h"
#include "base/Format.h"
#include "config/Folders.h"
#include "ui/ListView.h"
#include "ui/Res.h"

#include <algorithm>

namespace {

struct ButtonLabel {
    int id;
    unsigned text;
};
constexpr ButtonLabel kButtons[] = {
    {IDC_PAGES_ADD, IDS_BUTTON_ADD}, {IDC_PAGES_EDIT, IDS_BUTTON_EDIT}, {IDC_PAGES_DEL, IDS_BUTTON_DEL},
    {IDC_PAGES_UP, IDS_BUTTON_UP},   {IDC_PAGES_DOWN, IDS_BUTTON_DOWN}, {IDC_PAGES_COPY, IDS_BUTTON_COPY},
    {IDC_PAGES_PASTE, IDS_BUTTON_PASTE},
};

}  // namespace

CDlgTabPages::CDlgTabPages(CDlgMain& main) : CDlgTab2(main, IDD_PAGES, IDD_PAGES_LARGE) {}

BOOL CDlgTabPages::OnInitDialog()
{
    CDlgTab2::OnInitDialog();
    // One template serves both languages: the buttons say it in the program's.
    for (const ButtonLabel& b : kButtons)
        SetItemText(b.id, ResString(b.text));
    HWND list = Item(IDC_PAGES_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                   LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT rc;
    ::GetClientRect(list, &rc);
    const int w = rc.right;
    AddListColumn(list, 0, L"PageName", (4 * w + 9) / 10);
    AddListColumn(list, 1, L"Sheet1", 3 * (w + 3) / 10);
    AddListColumn(list, 2, L"Sheet2", 3 * (w + 3) / 10);
    EnableItem(IDC_PAGES_PASTE, false);
    return TRUE;
}

void CDlgTabPages::AddResizeCtrls() { AddResizeCtrl(IDC_PAGES_LIST); }

void CDlgTabPages::OnSize(int width, int height)
{
    CDlgTab2::OnSize(width, height);
    SpreadRow({IDC_PAGES_ADD, IDC_PAGES_EDIT, IDC_PAGES_DEL}, IDC_PAGES_LIST, 4);
    SpreadRow({IDC_PAGES_UP, IDC_PAGES_DOWN, IDC_PAGES_COPY, IDC_PAGES_PASTE}, IDC_PAGES_LIST, 4);
}

void CDlgTabPages::RefreshTab()
{
    if (!Launch().Pages())
        return;
    m_Rows.Load(*Launch().Pages());
    m_bLoaded = true;
    ShowRows(-1);
}

BOOL CDlgTabPages::ApplyTab()
{
    if (!m_bLoaded || !Launch().Pages())
        return TRUE;
    ReadChecks();
    m_Rows.Apply(*Launch().Pages());
    return TRUE;
}

bool CDlgTabPages::OnCommand(int id, int code, HWND control)
{
    if (code == BN_CLICKED && m_bLoaded) {
        switch (id) {
        case IDC_PAGES_ADD: AddPage(); return true;
        case IDC_PAGES_EDIT: EditPage(); return true;
        case IDC_PAGES_DEL: DeletePage(); return true;
        case IDC_PAGES_UP: MovePage(true); return true;
        case IDC_PAGES_DOWN: MovePage(false); return true;
        case IDC_PAGES_COPY: CopyPage(); return true;
        case IDC_PAGES_PASTE: PastePage(); return true;
        }
    }
    return CDlgTab2::OnCommand(id, code, control);
}

LRESULT CDlgTabPages::OnNotify(NMHDR* header, bool& handled)
{
    // A double tap on a row edits its page.
    handled = header->idFrom == IDC_PAGES_LIST && header->code == NM_DBLCLK && m_bLoaded;
    if (handled && Selection(false) >= 0)
        EditPage();
    return 0;
}

int CDlgTabPages::Selection(bool need) const
{
    const auto row = static_cast<int>(SendItem(IDC_PAGES_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row >= 0 && static_cast<size_t>(row) < m_Rows.Count())
        return row;
    if (need)
        Message(ResString(IDS_NOT_SELECTED), kProgramName);
    return -1;
}

void CDlgTabPages::ShowRows(int select)
{
    HWND list = Item(IDC_PAGES_LIST);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < m_Rows.Count(); ++i) {
        const PageRow& r = m_Rows.At(i);
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(r.name.c_str());
        item.lParam = reinterpret_cast<LPARAM>(r.page);
        const auto row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        SetListCell(list, row, 1, r.page->sheetName[ORIENT_PORTRAIT]);
        SetListCell(list, row, 2, r.page->sheetName[ORIENT_LANDSCAPE]);
        ListView_SetCheckState(list, row, r.shown != 0);
    }
    if (select >= 0) {
        ListView_SetItemState(list, select, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(list, select, FALSE);
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void CDlgTabPages::ReadChecks()
{
    HWND list = Item(IDC_PAGES_LIST);
    if (static_cast<size_t>(ListView_GetItemCount(list)) != m_Rows.Count())
        return;
    for (size_t i = 0; i < m_Rows.Count(); ++i) {
        int& shown = m_Rows.At(i).shown;
        // A flag the file gave as another number stays while checked.
        if (!ListView_GetCheckState(list, static_cast<UINT>(i)))
            shown = 0;
        else if (shown == 0)
            shown = 1;
    }
}

bool CDlgTabPages::NameFree(const std::wstring& name) const
{
    return !m_Rows.NameTaken(name) && CountPageLinks(m_Rows.Pages(), name) == 0;
}

std::unique_ptr<CPageInfo> CDlgTabPages::EmptyPage() const
{
    auto page = std::make_unique<CPageInfo>();
    page->folder = page->icons.base = MainFolder(Setting().GetNum(Set::UseSiblingFiles));
    return page;
}

bool CDlgTabPages::RunEditor(std::wstring& name, CPageInfo& page, int row)
{
    PageNameRules rules;
    rules.taken = [this, row](const std::wstring& n) { return m_Rows.NameTaken(n, row); };
    rules.linksTo = [this](const std::wstring& n) { return CountPageLinks(m_Rows.Pages(), n); };
    rules.reserved = Main().LastViewedText();
    CDlgSetPage editor(name, page, *Launch().Sheet(), row, std::move(rules));
    if (editor.DoModal(Main().Hwnd()) != IDOK)
        return false;
    name = editor.Name();
    return true;
}

void CDlgTabPages::AddPage()
{
    ApplyTab();
    const int sel = Selection(false);
    std::unique_ptr<CPageInfo> page;
    std::wstring name;
    if (sel >= 0 && SendItem(IDC_PAGES_LIST, LVM_GETSELECTEDCOUNT) == 1 &&
        m_Rows.At(static_cast<size_t>(sel)).name != kTaskPageName) {
        const PageRow& row = m_Rows.At(static_cast<size_t>(sel));
        if (Message(FormatW(ResString(IDS_DUPLICATE_PAGE), row.name), kMessageCaption, MB_YESNO | MB_ICONQUESTION) ==
            IDYES) {
            page = std::make_unique<CPageInfo>(*row.page);
            name = UniquePageName(row.name, [this](const std::wstring& n) { return !NameFree(n); });
        }
    }
    if (!page)
        page = EmptyPage();
    if (!RunEditor(name, *page, -1))
        return;
    const size_t at = m_Rows.Insert(sel >= 0 ? static_cast<size_t>(sel) : m_Rows.Count(), name, std::move(page));
    ShowRows(static_cast<int>(at));
}

void CDlgTabPages::EditPage()
{
    const int sel = Selection(true);
    if (sel < 0)
        return;
    ApplyTab();
    CPageInfo* page = m_Rows.At(static_cast<size_t>(sel)).page;
    const std::wstring old = m_Rows.At(static_cast<size_t>(sel)).name;
    std::wstring name = old;
    if (RunEditor(name, *page, sel) && name != old) {
        // Links to the old name follow it; the clipboard's copy too, so that
        // a paste does not bring back links to a name that is gone.
        std::vector<CPageInfo*> pages = m_Rows.Pages();
        if (m_pClip)
            pages.push_back(m_pClip.get());
        RenamePageLinks(pages, old, name);
        for (size_t i = 0; i < m_Rows.Count(); ++i)
            if (m_Rows.At(i).name == old && m_Rows.At(i).page == page)
                m_Rows.At(i).name = name;
        if (Setting().IsText(Set::FirstPage) && Setting().GetStr(Set::FirstPage) == old)
            Setting().SetStr(Set::FirstPage, name);
    }
    ShowRows(sel);
}

void CDlgTabPages::DeletePage()
{
    const int sel = Selection(true);
    if (sel < 0)
        return;
    ReadChecks();
    if (Message(ResString(IDS_DELETE_PAGE), L"Warning", MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    m_Rows.Remove(static_cast<size_t>(sel));
    ShowRows(std::min(sel, static_cast<int>(m_Rows.Count()) - 1));
}

void CDlgTabPages::MovePage(bool up)
{
    const int sel = Selection(true);
    if (sel < 0)
        return;
    ReadChecks();
    if (m_Rows.Move(static_cast<size_t>(sel), up))
        ShowRows(up ? sel - 1 : sel + 1);
}

void CDlgTabPages::CopyPage()
{
    const int sel = Selection(true);
    if (sel < 0)
        return;
    const PageRow& row = m_Rows.At(static_cast<size_t>(sel));
    if (row.name == kTaskPageName) {
        Message(ResString(IDS_PAGE_NO_COPY), kProgramName);
        return;
    }
    m_pClip = std::make_unique<CPageInfo>(*row.page);
    m_strClipName = row.name;
    EnableItem(IDC_PAGES_PASTE, true);
}

void CDlgTabPages::PastePage()
{
    if (!m_pClip)
        return;
    ReadChecks();
    const int sel = Selection(false);
    // Unique among the rows (pages added or pasted since the tab was last
    // applied included), and the next paste goes on counting from here.
    m_strClipName = UniquePageName(m_strClipName, [this](const std::wstring& n) { return !NameFree(n); });
    const size_t at = m_Rows.Insert(sel >= 0 ? static_cast<size_t>(sel) : m_Rows.Count(), m_strClipName,
                                    std::make_unique<CPageInfo>(*m_pClip));
    ShowRows(static_cast<int>(at));
}
