#include "DlgTabEnv.h"

#include "DlgMain.h"
#include "OrvaneSet_rc.h"
#include "settings/EnvChoice.h"
#include "ui/Res.h"

namespace {

// The language choices: the setting's code, the label's string.
struct LanguageChoice {
    int code;
    unsigned label;
};
constexpr LanguageChoice kLanguages[] = {{0, IDS_LANG_AUTO}, {1, IDS_LANG_JAPANESE}, {2, IDS_LANG_ENGLISH}};

}  // namespace

CDlgTabEnv::CDlgTabEnv(CDlgMain& main) : CDlgTab2(main, IDD_ENV, IDD_ENV_LARGE) {}

BOOL CDlgTabEnv::OnInitDialog()
{
    CDlgTab2::OnInitDialog();
    const bool sibling = !SiblingDir.empty();
    if (sibling)
        SetItemText(IDC_ENV_SIBLING, ResString(IDS_LOAD_SIBLING_ENV));
    ShowItem(IDC_ENV_SIBLING, sibling);

    HWND list = Item(IDC_ENV_LIST);
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                   LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT rc;
    ::GetClientRect(list, &rc);
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<wchar_t*>(L"EnvName");
    col.cx = rc.right - 4;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
    BuildEnvList();

    for (const LanguageChoice& l : kLanguages)
        SendItem(IDC_ENV_LANGUAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ResString(l.label).c_str()));
    RefreshTab();
    return TRUE;
}

void CDlgTabEnv::AddResizeCtrls() { AddResizeCtrl(IDC_ENV_LIST); }

bool CDlgTabEnv::RowChecked(int row) const
{
    const auto state = static_cast<UINT>(SendItem(IDC_ENV_LIST, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                                                  LVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void CDlgTabEnv::CheckRow(int row, bool checked)
{
    LVITEMW item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendItem(IDC_ENV_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void CDlgTabEnv::BuildEnvList()
{
    // Rebuilt rows keep the checks they had.
    std::vector<std::wstring> checked;
    for (int row = 0; row < static_cast<int>(m_Envs.size()); ++row)
        if (RowChecked(row))
            checked.push_back(m_Envs[static_cast<size_t>(row)].folder);
    SendItem(IDC_ENV_LIST, LVM_DELETEALLITEMS);
    m_Envs = EnumEnvironments(Setting().MemCards);
    for (size_t i = 0; i < m_Envs.size(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(m_Envs[i].name.c_str());
        item.lParam = static_cast<LPARAM>(i);
        SendItem(IDC_ENV_LIST, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        CheckRow(static_cast<int>(i), IsEnvInUse(checked, m_Envs[i].folder));
    }
    ShowFolder();
}

void CDlgTabEnv::ShowFolder()
{
    const bool sibling = !SiblingDir.empty() && IsChecked(IDC_ENV_SIBLING);
    SetItemText(IDC_ENV_FOLDER, sibling ? SiblingDir : InstallDir);
}

void CDlgTabEnv::RefreshTab()
{
    for (size_t i = 0; i < m_Envs.size(); ++i)
        CheckRow(static_cast<int>(i), IsEnvInUse(AddPaths, m_Envs[i].folder));
    SetCheck(IDC_ENV_SIBLING, Setting().GetNum(Set::UseSiblingFiles) != 0);
    int selected = 0;
    for (size_t i = 0; i < std::size(kLanguages); ++i)
        if (kLanguages[i].code == Setting().GetNum(Set::LanguageMode))
            selected = static_cast<int>(i);
    SendItem(IDC_ENV_LANGUAGE, CB_SETCURSEL, static_cast<WPARAM>(selected));
    ShowFolder();
}

BOOL CDlgTabEnv::ApplyTab()
{
    std::vector<EnvRow> rows;
    for (size_t i = 0; i < m_Envs.size(); ++i)
        rows.push_back({m_Envs[i].folder, RowChecked(static_cast<int>(i))});
    AddPaths = ApplyEnvRows(AddPaths, rows);
    Setting().SetNum(Set::UseSiblingFiles, !SiblingDir.empty() && IsChecked(IDC_ENV_SIBLING) ? 1 : 0);
    const LRESULT language = SendItem(IDC_ENV_LANGUAGE, CB_GETCURSEL);
    if (language >= 0 && language < static_cast<LRESULT>(std::size(kLanguages)))
        Setting().SetNum(Set::LanguageMode, kLanguages[language].code);
    return TRUE;
}

bool CDlgTabEnv::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_ENV_SIBLING && code == BN_CLICKED) {
        BuildEnvList();
        return true;
    }
    return CDlgTab2::OnCommand(id, code, control);
}
