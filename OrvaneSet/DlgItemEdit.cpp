#include "DlgItemEdit.h"

#include "DlgSelFile.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "ui/Res.h"

#include <utility>

namespace {

constexpr int kMargin = 4;

void SetSpin(HWND spin, HWND buddy, const IntOptions& range, int value)
{
    UDACCEL accel[2] = {{0, static_cast<UINT>(range.step)}, {1, static_cast<UINT>(range.fastStep)}};
    ::SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    ::SendMessageW(spin, UDM_SETRANGE32, static_cast<WPARAM>(range.min), range.max);
    ::SendMessageW(spin, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel));
    ::SendMessageW(spin, UDM_SETPOS32, 0, value);
}

}  // namespace

CDlgItemEdit::CDlgItemEdit(SettingValue& value, const SettingDef& def, std::vector<SettingChoice> choices)
    : CDialog(IDD_ITEMEDIT), m_Value(value), m_Def(def), m_Choices(std::move(choices))
{
    if (m_Choices.empty())
        m_Choices = ParseChoices(m_Def.params);
}

BOOL CDlgItemEdit::OnInitDialog()
{
    SetItemText(IDC_EDIT_LABEL, m_Def.label);
    SetItemText(IDC_EDIT_HELP, ReplaceAllW(m_Def.help, L"\n", L"\r\n"));
    switch (m_Def.editor) {
    case EK_INT: ShowNumber(); break;
    case EK_STR: ShowText(false); break;
    case EK_CMB:
    case EK_CMB2: ShowChoices(); break;
    case EK_FILE_PATH:
    case EK_DIR_PATH: ShowText(true); break;
    case EK_COLOR:
        m_Color.Attach(Hwnd(), IDC_EDIT_COLOR);
        m_Color.SetColor(static_cast<std::uint32_t>(m_Value.num));
        ShowItem(IDC_EDIT_COLOR, true);
        break;
    case EK_FONT: ShowFont(); break;
    }
    MakeMenuBar(Hwnd(), IDM_EDIT_BAR);
    CoverOwner();
    return TRUE;
}

void CDlgItemEdit::ShowNumber()
{
    m_Range = ParseIntOptions(m_Def.params);
    const int number = m_Value.kind == SettingValue::Text ? Wtol(m_Value.str) : m_Value.num;
    SetSpin(Item(IDC_EDIT_INT_SPIN), Item(IDC_EDIT_INT), m_Range, number);
    SetItemText(IDC_EDIT_INT, FormatW(L"%d", number));
    ShowItem(IDC_EDIT_INT, true);
    ShowItem(IDC_EDIT_INT_SPIN, true);
}

void CDlgItemEdit::ShowText(bool path)
{
    SendItem(IDC_EDIT_TEXT, EM_LIMITTEXT, static_cast<WPARAM>(ParseTextLimit(path ? L"" : m_Def.params)));
    SetItemText(IDC_EDIT_TEXT, m_Value.kind == SettingValue::Text ? m_Value.str : FormatW(L"%d", m_Value.num));
    ShowItem(IDC_EDIT_TEXT, true);
    ShowItem(IDC_EDIT_BROWSE, path);
}

void CDlgItemEdit::Browse()
{
    if (m_Def.editor == EK_FILE_PATH) {
        const FileOptions options = ParseFileOptions(m_Def.params);
        if (!options.startFolder.empty())
            CDlgSelFile::SetCurrentFolder(options.startFolder);
        CDlgSelFile chooser(options.filters);
        if (chooser.DoModal(Hwnd()) != IDOK || chooser.ChosenPath().empty())
            return;
        m_strChosen = chooser.Chosen();
        SetItemText(IDC_EDIT_TEXT, chooser.ChosenPath());
    } else if (m_Def.editor == EK_DIR_PATH) {
        // A folder setting starts from the folder it holds.
        if (const std::wstring folder = ItemText(IDC_EDIT_TEXT); !folder.empty())
            CDlgSelFile::SetCurrentFolder(folder);
        CDlgSelFile chooser({}, SELFILE_FOLDERS_ONLY);
        if (chooser.DoModal(Hwnd()) != IDOK)
            return;
        m_strChosen = chooser.Chosen();
        SetItemText(IDC_EDIT_TEXT, chooser.ChosenPath());
    }
}

void CDlgItemEdit::ShowChoices()
{
    for (const SettingChoice& c : m_Choices) {
        const LRESULT at = SendItem(IDC_EDIT_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.caption.c_str()));
        SendItem(IDC_EDIT_CHOICE, CB_SETITEMDATA, static_cast<WPARAM>(at), c.value);
    }
    const bool byLabel = m_Def.editor == EK_CMB2;
    const int selected = byLabel ? PreselectChoice(m_Choices, m_Value.str) : PreselectChoice(m_Choices, m_Value.num);
    SendItem(IDC_EDIT_CHOICE, CB_SETCURSEL, static_cast<WPARAM>(selected));
    ShowItem(IDC_EDIT_CHOICE, true);
}

void CDlgItemEdit::ShowFont()
{
    const FontOptions options = ParseFontOptions(m_Def.params);
    int ppi = 96;
    if (HDC dc = ::GetDC(Hwnd())) {
        ppi = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(Hwnd(), dc);
    }
    m_Range = FontSizeRange(options, ppi);
    const FontValue font = ParseFontValue(m_Value.str);
    m_Faces.Attach(Hwnd(), IDC_EDIT_FACE);
    m_Faces.Fill(options.pitch);
    m_Faces.Select(font.face);
    SetSpin(Item(IDC_EDIT_SIZE_SPIN), Item(IDC_EDIT_SIZE), m_Range, font.size);
    SetItemText(IDC_EDIT_SIZE, FormatW(L"%d", font.size));
    for (int id : {IDC_EDIT_FACE, IDC_EDIT_SIZE, IDC_EDIT_SIZE_SPIN})
        ShowItem(id, true);
}

bool CDlgItemEdit::OnCommand(int id, int, HWND)
{
    switch (id) {
    case ID_EDIT_OK: OnOK(); return true;
    case ID_EDIT_CANCEL: OnCancel(); return true;
    case IDC_EDIT_BROWSE: Browse(); return true;
    }
    return false;
}

bool CDlgItemEdit::TakeNumber(int field, const IntOptions& range, int& number) const
{
    const std::optional<int> typed = ParseIntField(ItemText(field));
    if (typed && *typed >= range.min && *typed <= range.max) {
        number = *typed;
        return true;
    }
    Message(RangeMessage(range), kErrorCaption, MB_OK | MB_ICONERROR);
    ::SetFocus(Item(field));
    return false;
}

bool CDlgItemEdit::TakeFont()
{
    FontValue font = ParseFontValue(m_Value.str);
    if (!TakeNumber(IDC_EDIT_SIZE, m_Range, font.size))
        return false;
    // A face the list does not offer stays as it was.
    if (std::wstring face = m_Faces.Face(); !face.empty())
        font.face = face;
    StoreText(FormatFontValue(font));
    return true;
}

void CDlgItemEdit::TakeChoice()
{
    const LRESULT sel = SendItem(IDC_EDIT_CHOICE, CB_GETCURSEL);
    if (sel == CB_ERR)
        return;
    if (m_Def.editor == EK_CMB2)
        StoreText(m_Choices[static_cast<size_t>(sel)].caption);
    else
        StoreNumber(static_cast<int>(SendItem(IDC_EDIT_CHOICE, CB_GETITEMDATA, static_cast<WPARAM>(sel))));
}

void CDlgItemEdit::OnOK()
{
    int number = 0;
    switch (m_Def.editor) {
    case EK_INT:
        if (!TakeNumber(IDC_EDIT_INT, m_Range, number))
            return;
        StoreNumber(number);
        break;
    case EK_STR:
    case EK_FILE_PATH:
    case EK_DIR_PATH: StoreText(ItemText(IDC_EDIT_TEXT)); break;
    case EK_CMB:
    case EK_CMB2: TakeChoice(); break;
    case EK_COLOR:
        m_Color.Parse();
        StoreNumber(static_cast<int>(m_Color.Color()));
        break;
    case EK_FONT:
        if (!TakeFont())
            return;
        break;
    }
    EndDialog(IDOK);
}

void CDlgItemEdit::StoreNumber(int number)
{
    if (m_Value.kind == SettingValue::Text)
        m_Value.str = FormatW(L"%d", number);
    else
        m_Value.num = number;
}

void CDlgItemEdit::StoreText(const std::wstring& text)
{
    if (m_Value.kind == SettingValue::Text)
        m_Value.str = text;
    else
        m_Value.num = Wtol(text);
}

// Texts and lists take the screen's width, the help text the room left
// below the controls.
void CDlgItemEdit::OnSize(int width, int height)
{
    AlignRight(IDC_EDIT_LABEL, kMargin);
    AlignRight(IDC_EDIT_CHOICE, kMargin);
    AlignRight(IDC_EDIT_BROWSE, kMargin, true);
    const RECT browse = ItemRect(IDC_EDIT_BROWSE);
    AlignRight(IDC_EDIT_TEXT, width - browse.left + kMargin);
    const RECT help = ItemRect(IDC_EDIT_HELP);
    const int bottom = height - MenuBarHeight(Hwnd()) - kMargin;
    ::SetWindowPos(Item(IDC_EDIT_HELP), nullptr, 0, 0, width - kMargin - help.left,
                   bottom > help.top ? bottom - help.top : 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HBRUSH CDlgItemEdit::OnCtlColor(HDC dc, HWND control)
{
    return control == m_Color.Hwnd() && control ? m_Color.CtlColor(dc) : nullptr;
}
