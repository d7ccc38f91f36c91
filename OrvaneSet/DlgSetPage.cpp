#include "DlgSetPage.h"

#include "FieldMessage.h"
#include "OrvaneSet_rc.h"
#include "base/Format.h"
#include "config/Sheet.h"
#include "settings/EditorOptions.h"
#include "ui/Res.h"

#include <utility>

namespace {

constexpr int kMaxStartSlot = 127;
constexpr int kMargin = 4;

struct OrientationControls {
    int sheet, start, spin, always;
};
constexpr OrientationControls kOrientations[2] = {
    {IDC_SETPAGE_SHEET_P, IDC_SETPAGE_START_P, IDC_SETPAGE_SPIN_P, IDC_SETPAGE_ALWAYS_P},
    {IDC_SETPAGE_SHEET_L, IDC_SETPAGE_START_L, IDC_SETPAGE_SPIN_L, IDC_SETPAGE_ALWAYS_L},
};

}  // namespace

CDlgSetPage::CDlgSetPage(const std::wstring& name, CPageInfo& page, const CSheet& sheets, int index,
                         PageNameRules rules)
    : CDialog(ResDialog(IDD_SETPAGE)), m_strName(name), m_Page(page), m_Sheets(sheets), m_nIndex(index),
      m_Rules(std::move(rules))
{
}

BOOL CDlgSetPage::OnInitDialog()
{
    SetItemText(IDC_SETPAGE_NAME, m_strName);
    // A longer name would be cut where a page link or the start page
    // names it; a loaded one that is longer is refused at OK.
    SendItem(IDC_SETPAGE_NAME, EM_LIMITTEXT, kPageNameMax);
    const bool taskPage = m_strName == kTaskPageName;
    const UDACCEL accel[2] = {{0, 1}, {1, 5}};
    for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE}) {
        const OrientationControls& c = kOrientations[o];
        FillSheets(c.sheet, m_Page.sheetName[o], taskPage);
        SendItem(c.spin, UDM_SETRANGE32, 0, kMaxStartSlot);
        SendItem(c.spin, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel));
        SendItem(c.spin, UDM_SETPOS32, 0, m_Page.startSlot[o]);
        SetItemText(c.start, FormatW(L"%d", m_Page.startSlot[o]));
        SetCheck(c.always, m_Page.extra[o] != 0);
    }
    MakeMenuBar(Hwnd(), IDM_EDIT_BAR);
    CoverOwner();
    return TRUE;
}

void CDlgSetPage::FillSheets(int combo, const std::wstring& selected, bool taskSheets)
{
    const std::uint8_t kind = taskSheets ? SHEET_TASK : SHEET_NORMAL;
    LRESULT at = 0;
    for (const auto& [name, sheet] : m_Sheets.Sheets()) {
        if (sheet.type != kind)
            continue;
        const LRESULT added = SendItem(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (name == selected)
            at = added;
    }
    SendItem(combo, CB_SETCURSEL, static_cast<WPARAM>(at));
}

bool CDlgSetPage::OnCommand(int id, int, HWND)
{
    switch (id) {
    case ID_EDIT_OK: OnOK(); return true;
    case ID_EDIT_CANCEL: OnCancel(); return true;
    }
    return false;
}

bool CDlgSetPage::TakeStartSlot(int field, int& slot) const
{
    const std::optional<int> typed = ParseIntField(ItemText(field));
    if (typed && *typed >= 0 && *typed <= kMaxStartSlot) {
        slot = *typed;
        return true;
    }
    Message(RangeMessage({0, kMaxStartSlot, 1, 5}), kProgramName, MB_OK | MB_ICONERROR);
    ::SetFocus(Item(field));
    return false;
}

bool CDlgSetPage::NameRefused(const std::wstring& name, const std::wstring& portrait,
                              const std::wstring& landscape) const
{
    const auto taken = [this](const std::wstring& n) { return m_Rules.taken && m_Rules.taken(n); };
    const PageEditCheck check = CheckPageEdit(name, portrait, landscape, m_nIndex < 0, m_Rules.reserved, taken);
    std::wstring text;
    switch (check.fault) {
    case PageEditFault::None: return false;
    case PageEditFault::Missing: text = ResString(IDS_PAGE_NOT_SET); break;
    case PageEditFault::Brackets: text = ResString(IDS_PAGE_BRACKETS); break;
    case PageEditFault::Unstorable: text = FieldFaultMessage(check.field, IDS_FIELD_PAGE_NAME, kPageNameMax); break;
    case PageEditFault::Duplicate: text = ResString(IDS_PAGE_DUPLICATED); break;
    }
    Message(text, kProgramName, MB_OK | MB_ICONERROR);
    ::SetFocus(Item(IDC_SETPAGE_NAME));
    return true;
}

bool CDlgSetPage::LinksAllowed(const std::wstring& name) const
{
    // Links that lead to a page of this name that does not exist would
    // open this page from now on: only if the user wants that.
    const int links = name != m_strName && m_Rules.linksTo ? m_Rules.linksTo(name) : 0;
    return links == 0 ||
           Message(FormatW(ResString(IDS_LINKS_TO_NAME), links, name), kProgramName, MB_YESNO | MB_ICONQUESTION) ==
               IDYES;
}

void CDlgSetPage::OnOK()
{
    const std::wstring name = ItemText(IDC_SETPAGE_NAME);
    std::wstring sheet[2];
    for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE})
        sheet[o] = ItemText(kOrientations[o].sheet);
    if (NameRefused(name, sheet[ORIENT_PORTRAIT], sheet[ORIENT_LANDSCAPE]))
        return;
    int start[2] = {0, 0};
    for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE})
        if (!TakeStartSlot(kOrientations[o].start, start[o]))
            return;
    if (!LinksAllowed(name))
        return;
    for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE}) {
        m_Page.sheetName[o] = sheet[o];
        m_Page.startSlot[o] = static_cast<std::uint16_t>(start[o]);
        // A flag the file gave as another non-zero number stays as it was.
        if (!IsChecked(kOrientations[o].always))
            m_Page.extra[o] = 0;
        else if (m_Page.extra[o] == 0)
            m_Page.extra[o] = 1;
    }
    m_strName = name;
    EndDialog(IDOK);
}

// The texts and lists take the screen's width.
void CDlgSetPage::OnSize(int, int)
{
    for (int id : {IDC_SETPAGE_NAME, IDC_SETPAGE_GROUP_P, IDC_SETPAGE_GROUP_L})
        AlignRight(id, kMargin);
    for (int id : {IDC_SETPAGE_SHEET_P, IDC_SETPAGE_SHEET_L})
        AlignRight(id, 2 * kMargin);
}
