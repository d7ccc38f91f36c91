#include "DlgSetApp.h"

#include "DlgItemEdit.h"
#include "DlgSelFile.h"
#include "FieldMessage.h"
#include "FileSys.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "config/Folders.h"
#include "config/Page.h"
#include "config/TextFile.h"
#include "panels/Registry_win.h"
#include "settings/IconCheck.h"
#include "ui/Res.h"

#include <utility>

namespace {

constexpr int kMargin = 4;

// What the editor keeps for the rest of the run.
struct AppEditorRun {
    CSettingTable rows;  // the row definitions, read once
    bool loaded = false;
    int lastKind = -1;   // the combo entry chosen last
};

AppEditorRun& Run()
{
    static AppEditorRun run;
    return run;
}

bool FolderExists(const std::wstring& folder)
{
    std::wstring path = folder;
    if (path.size() > 1 && path.back() == L'\\')
        path.pop_back();
    return FileExists(path);
}

std::wstring FieldMessage(const IconCheck& check, const std::wstring& label)
{
    switch (check.fault) {
    case IconFault::Text: return FieldFaultMessage(check.text, label, kIconFieldMax);
    case IconFault::Marker: return FormatW(ResString(IDS_FIELD_MARKER), label, L"\"\\\\\"");
    case IconFault::LineTooLong: return FormatW(ResString(IDS_ICON_LINE_TOO_LONG), CTextFile::kMaxLineBytes, label);
    case IconFault::None: break;
    }
    return {};
}

// A number field of the record: what does not fit reads as 0.
std::uint8_t SmallNumber(int value, int max)
{
    return static_cast<std::uint8_t>(value >= 0 && value <= max ? value : 0);
}

}  // namespace

CDlgSetApp::CDlgSetApp(IconEntry& entry, bool fresh, const CPageMng& pages)
    : CDialog(IDD_SETAPP), m_Entry(entry), m_bFresh(fresh), m_Pages(pages)
{
}

void CDlgSetApp::ForgetRun() { Run() = AppEditorRun{}; }

BOOL CDlgSetApp::OnInitDialog()
{
    MakeMenuBar(Hwnd(), IDM_EDIT_BAR);
    for (const AppKind& kind : kAppKinds) {
        const std::wstring label = ResString(kind.label);
        const LRESULT at = SendItem(IDC_SETAPP_KIND, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        SendItem(IDC_SETAPP_KIND, CB_SETITEMDATA, static_cast<WPARAM>(at), kind.code);
    }
    int selected = m_bFresh ? Run().lastKind : AppKindIndex(m_Entry.nAppType);
    if (selected < 0 || selected >= kAppKindCount)
        selected = 0;
    SendItem(IDC_SETAPP_KIND, CB_SETCURSEL, static_cast<WPARAM>(selected));

    LoadRows();
    if (!m_bFresh) {
        for (const AppTextRow& t : kAppTextRows)
            SetRowText(t.row, m_Entry.*t.field);
        SetRowNum(ROW_REGMODE, m_Entry.RegMode);
        SetRowNum(ROW_REGROOT, m_Entry.RegRoot);
        SetRowText(ROW_REGTEST, L"");
    }
    // The list takes its columns from its size: the editor covers its owner first.
    CoverOwner();
    m_List.Init(Hwnd(), IDC_SETAPP_LIST, m_Rows);
    ApplyKind();
    return TRUE;
}

void CDlgSetApp::LoadRows()
{
    AppEditorRun& run = Run();
    if (!run.loaded) {
        const wchar_t* file = ProgramIsJapanese() ? L"AppSetInfo.ini" : L"AppSetInfoEng.ini";
        run.rows.LoadDefinitions(InstallDir + file, DEFS_FULL, ROW_COUNT, nullptr);
        run.loaded = true;
    }
    m_Rows = run.rows;
}

unsigned CDlgSetApp::KindCode() const
{
    const LRESULT sel = SendItem(IDC_SETAPP_KIND, CB_GETCURSEL);
    if (sel == CB_ERR)
        return kAppKinds[0].code;
    return static_cast<unsigned>(SendItem(IDC_SETAPP_KIND, CB_GETITEMDATA, static_cast<WPARAM>(sel)));
}

void CDlgSetApp::ApplyKind()
{
    const unsigned kind = KindCode();
    SettingDef* path = m_Rows.Def(ROW_PATH);
    if (path)
        path->label = ResString(IDS_PATH);
    if (kind == APP_FAVORITE && RowText(ROW_ICON).empty())
        SetRowText(ROW_ICON, InstallDir + kFavoriteImage);
    if (kind == APP_BLANK)
        SetRowText(ROW_NAME, kBlankName);
    if (kind == APP_PAGELINK) {
        if (path)
            path->label = ResString(IDS_PAGE);
        if (RowText(ROW_ICON).empty())
            SetRowText(ROW_ICON, InstallDir + kPageLinkImage);
    }
    if (SettingDef* num = m_Rows.Def(ROW_NUM); num && IsSlotRunKind(kind)) {
        num->editor = EK_CMB;
        num->label = ResString(IDS_NUM);
        num->params = SlotCountOptions(kind);
        SetRowNum(ROW_NUM, DefaultSlotCount(kind));
    }
    for (int row = 0; row < ROW_COUNT; ++row)
        if (SettingDef* def = m_Rows.Def(row))
            def->flag = AppRowVisible(kind, row) ? 0 : 1;
    m_List.Fill(0, ROW_COUNT - 1);
}

bool CDlgSetApp::OnCommand(int id, int code, HWND)
{
    switch (id) {
    case ID_EDIT_OK: OnOK(); return true;
    case ID_EDIT_CANCEL: OnCancel(); return true;
    case IDC_SETAPP_KIND:
        if (code == CBN_SELCHANGE)
            ApplyKind();
        return true;
    }
    return false;
}

LRESULT CDlgSetApp::OnNotify(NMHDR* header, bool& handled) { return m_List.OnNotify(header, handled); }

INT_PTR CDlgSetApp::OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled)
{
    handled = msg == WM_EDITSETTING;
    return handled ? EditRow(static_cast<int>(wParam)) : 0;
}

int CDlgSetApp::EditRow(int row)
{
    // The chooser opens where it was left; the first time in the program files.
    std::wstring folder = CDlgSelFile::CurrentFolder();
    if (folder.empty())
        folder = L"\\Program Files\\";
    const std::wstring all = ResString(IDS_FILTER_ALL);
    switch (row) {
    case ROW_PATH: return EditTarget();
    case ROW_ARGS: return EditFile(row, FileOptionString(folder, {{all, L"*.*"}}));
    case ROW_ICON:
        return EditFile(row, FileOptionString(folder, {{ResString(IDS_FILTER_IMAGE), L"*.bmp;*.png;*.jpg;*.gif"},
                                                       {all, L"*.*"}}));
    case ROW_REGTEST: TestRegistry(); return 2;
    }
    return 2;
}

int CDlgSetApp::EditFile(int row, const std::wstring& options, std::wstring* chosen)
{
    const SettingDef* def = m_Rows.Def(row);
    if (!def || row >= m_Rows.Count())
        return 2;
    SettingDef edited = *def;
    edited.editor = EK_FILE_PATH;
    edited.params = options;
    CDlgItemEdit editor(m_Rows.m_Values[static_cast<size_t>(row)], edited);
    if (editor.DoModal(Hwnd()) != IDOK)
        return 2;
    if (chosen)
        *chosen = editor.ChosenName();
    return 1;
}

int CDlgSetApp::EditTarget()
{
    const SettingDef* def = m_Rows.Def(ROW_PATH);
    if (!def || ROW_PATH >= m_Rows.Count())
        return 2;
    const unsigned kind = KindCode();
    if (kind == APP_PAGELINK) {
        SettingDef edited = *def;
        edited.editor = EK_CMB2;
        std::vector<SettingChoice> pages;
        for (const PageOrderEntry& o : m_Pages.m_Order)
            pages.push_back({0, o.name});
        CDlgItemEdit editor(m_Rows.m_Values[ROW_PATH], edited, pages);
        if (editor.DoModal(Hwnd()) != IDOK)
            return 2;
        SetRowText(ROW_NAME, RowText(ROW_PATH));
        m_List.ShowValue(ROW_NAME);
        return 1;
    }
    const TargetFilter filter = TargetFilterOf(kind);
    std::wstring chosen;
    if (EditFile(ROW_PATH,
                 FileOptionString(TargetStartFolder(kind, FolderExists), {{ResString(filter.label), filter.pattern}}),
                 &chosen) != 1)
        return 2;
    // A file picked in the chooser names the icon; a typed path does not.
    if (!chosen.empty()) {
        SetRowText(ROW_NAME, NameFromFileName(chosen));
        m_List.ShowValue(ROW_NAME);
    }
    return 1;
}

void CDlgSetApp::TestRegistry() const
{
    CRegistryReader reader;
    RegValueData data;
    const std::uint8_t root = SmallNumber(RowNum(ROW_REGROOT), REGROOT_HKU);
    if (reader.ReadValue(root, RowText(ROW_REGKEY), RowText(ROW_REGVALUE), data))
        Message(FormatW(L"Success!!\n[%s]", RegValueText(REGMODE_REG, RowText(ROW_NAME), data)), kMessageCaption);
    else
        Message(FormatW(L"Error! (%d)", reader.LastError()), kMessageCaption);
}

IconEntry CDlgSetApp::Edited(unsigned kind) const
{
    IconEntry e(m_Entry);
    if (IsSlotRunKind(kind)) {
        // The slot count row holds the run's last code; anything else there
        // (a short definition file) makes a run of one.
        const int last = RowNum(ROW_NUM);
        const bool ofRun = last > 0 && AppKindIndex(static_cast<unsigned>(last)) == AppKindIndex(kind);
        e.nAppType = static_cast<std::uint16_t>(ofRun ? static_cast<unsigned>(last) : kind);
    } else if (!(kind == APP_PANEL && !m_bFresh && IsPanel(m_Entry.nAppType))) {
        // A panel keeps its own code: the combo has one entry for them all.
        e.nAppType = static_cast<std::uint16_t>(kind);
    }
    // Fields without a row (a short definition file) stay as they were.
    for (const AppTextRow& t : kAppTextRows)
        if (t.row < m_Rows.Count())
            e.*t.field = RowText(t.row);
    if (ROW_REGMODE < m_Rows.Count())
        e.RegMode = SmallNumber(RowNum(ROW_REGMODE), 255);
    if (ROW_REGROOT < m_Rows.Count())
        e.RegRoot = SmallNumber(RowNum(ROW_REGROOT), REGROOT_HKU);
    return e;
}

bool CDlgSetApp::Validate(const IconEntry& e, unsigned kind) const
{
    if (kind < APP_RECENT_FIRST || kind > APP_RUNNING_TASK) {
        if (e.Name.empty()) {
            Message(ResString(IDS_NAME_EMPTY), kProgramName);
            return false;
        }
        if (e.Name.find_first_of(L"[],") != std::wstring::npos) {
            Message(ResString(IDS_NAME_SEPARATOR), kProgramName);
            return false;
        }
        if (e.Path.empty() && kind != APP_BLANK) {
            Message(FormatW(ResString(IDS_NOT_CHOSEN), RowLabel(ROW_PATH)), kErrorCaption);
            return false;
        }
    }
    const IconCheck check = CheckIconFields(e);
    if (check.fault == IconFault::None)
        return true;
    const int row = kAppTextRows[static_cast<int>(check.field)].row;
    Message(FieldMessage(check, RowLabel(row)), kErrorCaption, MB_OK | MB_ICONERROR);
    return false;
}

void CDlgSetApp::OnOK()
{
    const unsigned kind = KindCode();
    Run().lastKind = AppKindIndex(kind);
    const IconEntry edited = Edited(kind);
    if (!Validate(edited, kind))
        return;
    m_Entry = edited;
    EndDialog(IDOK);
}

std::wstring CDlgSetApp::RowText(int row) const { return m_Rows.GetText(row); }

int CDlgSetApp::RowNum(int row) const { return m_Rows.IsText(row) ? Wtol(m_Rows.GetStr(row)) : m_Rows.GetNum(row); }

void CDlgSetApp::SetRowText(int row, const std::wstring& text)
{
    if (m_Rows.IsText(row))
        m_Rows.SetStr(row, text);
    else
        m_Rows.SetNum(row, Wtol(text));
}

void CDlgSetApp::SetRowNum(int row, int number)
{
    if (m_Rows.IsText(row))
        m_Rows.SetStr(row, FormatW(L"%d", number));
    else
        m_Rows.SetNum(row, number);
}

std::wstring CDlgSetApp::RowLabel(int row) const
{
    const SettingDef* def = m_Rows.Def(row);
    return def && !def->label.empty() ? def->label : std::wstring(def ? def->key : L"");
}

void CDlgSetApp::OnSize(int width, int height)
{
    AlignRight(IDC_SETAPP_KIND, kMargin);
    const RECT list = ItemRect(IDC_SETAPP_LIST);
    const int bottom = height - MenuBarHeight(Hwnd()) - kMargin;
    ::SetWindowPos(Item(IDC_SETAPP_LIST), nullptr, 0, 0, width - kMargin - list.left,
                   bottom > list.top ? bottom - list.top : 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
