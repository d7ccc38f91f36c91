// The setting lists and the value editors under Wine, worked as a user
// works them: a double tap on a row, typing, the soft keys, the answers to
// their messages; the colour field and the colour editor.
#include "DlgItemEdit.h"
#include "DlgTabLstSetting.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"
#include "config/FontList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

// What a driver saw, read by the test once the editor is closed.
struct Seen {
    std::wstring error;           // the text of an "Orvane(Error)" message
    std::vector<std::wstring> items;
    bool visible = false;
};

// Taps OK; an error message that comes is answered and the editor
// cancelled. The error's text.
std::wstring TapOk(HWND editor) { return TapOkAndAnswer(editor, L"Orvane(Error)"); }

class SettingsEditor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.Open()); }

    CLstSetting& List(int tab)
    {
        session.SelectTab(tab);
        return session.PageAs<CDlgTabLstSetting>(tab).List();
    }
    CSetting& Setting() { return *session.Main().Setting(); }
    // Opens the row of the setting with a double tap; the driver works the
    // editor meanwhile.
    void EditSetting(int tab, int index, const std::function<void(HWND)>& work)
    {
        CLstSetting& list = List(tab);
        const int row = list.RowOfIndex(index);
        ASSERT_GE(row, 0) << index;
        CDriver driver(L"Setting", work);
        DoubleTapRow(list.Hwnd(), row, true);
        driver.Join();
    }
    std::wstring Shown(int tab, int index)
    {
        CLstSetting& list = List(tab);
        return list.CellText(list.RowOfIndex(index), 1);
    }

    CSettingsSession session{kLargeScreen, {{Set::FirstPage, ""}}};
};

}  // namespace

TEST_F(SettingsEditor, NumbersOutsideTheirRangeAreRefused)
{
    struct Case {
        int tab, index;
        const wchar_t* typed;
        const wchar_t* error;  // empty: taken
        int stored;
    } cases[] = {
        {TAB_COLOR, Set::FrameBlend, L"0", L"", 0},
        {TAB_COLOR, Set::FrameBlend, L"100", L"", 100},
        {TAB_COLOR, Set::FrameBlend, L"101", L"Range 0 - 100", 100},
        {TAB_COLOR, Set::FrameBlend, L"-1", L"Range 0 - 100", 100},
        {TAB_COLOR, Set::FrameBlend, L"5x", L"Range 0 - 100", 100},
        {TAB_BASIC, Set::ScreenSize, L"-1", L"", -1},  // automatic stays allowed
        // The vibrator LED: up to the LED count the device reports (two here).
        {TAB_BASIC, Set::VibrateLed, L"2", L"", 2},
        {TAB_BASIC, Set::VibrateLed, L"3", L"Range 0 - 2", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowText(c.typed));
        Seen seen;
        EditSetting(c.tab, c.index, [&](HWND editor) {
            seen.visible = ::IsWindowVisible(::GetDlgItem(editor, IDC_EDIT_INT)) != FALSE;
            TypeInto(editor, IDC_EDIT_INT, c.typed);
            seen.error = TapOk(editor);
        });
        EXPECT_TRUE(seen.visible);
        EXPECT_EQ(c.error, seen.error);
        EXPECT_EQ(c.stored, Setting().GetNum(c.index));
        EXPECT_EQ(std::to_wstring(c.stored), Shown(c.tab, c.index));
    }
}

TEST_F(SettingsEditor, ChoicesFontsAndTheStartPage)
{
    // A number no option has is listed bare; its editor offers the first.
    Setting().SetNum(Set::ClearType, 5);
    List(TAB_BASIC).ShowValue(-1);
    EXPECT_EQ(L"5", Shown(TAB_BASIC, Set::ClearType));
    Seen seen;
    EditSetting(TAB_BASIC, Set::ClearType, [&](HWND editor) {
        seen.items = {ControlText(::GetDlgItem(editor, IDC_EDIT_CHOICE))};
        ChooseItem(editor, IDC_EDIT_CHOICE, L"On");
        seen.error = TapOk(editor);
    });
    EXPECT_EQ(std::vector<std::wstring>{L"Off"}, seen.items);
    EXPECT_EQ(1, Setting().GetNum(Set::ClearType));
    EXPECT_EQ(L"On", Shown(TAB_BASIC, Set::ClearType));

    // The start page: the last viewed page first, then every page.
    EXPECT_EQ(L"Last Viewed Page", Shown(TAB_BASIC, Set::FirstPage));
    EditSetting(TAB_BASIC, Set::FirstPage, [&](HWND editor) {
        seen.items = ComboItems(editor, IDC_EDIT_CHOICE);
        seen.visible = ControlText(::GetDlgItem(editor, IDC_EDIT_CHOICE)) == L"Last Viewed Page";
        ChooseItem(editor, IDC_EDIT_CHOICE, L"Tools");
        seen.error = TapOk(editor);
    });
    ASSERT_FALSE(seen.items.empty());
    EXPECT_EQ(L"Last Viewed Page", seen.items[0]);
    EXPECT_TRUE(seen.visible);
    EXPECT_EQ(PageNames(*session.Main().m_Launch.Pages()),
              std::vector<std::wstring>(seen.items.begin() + 1, seen.items.end()));
    EXPECT_EQ(L"Tools", Setting().GetStr(Set::FirstPage));
    EXPECT_EQ(L"Tools", Shown(TAB_BASIC, Set::FirstPage));

    // The caption font: proportional faces only, the size within 60 to 240.
    FontList().Ensure();
    EditSetting(TAB_BASIC, Set::CaptionFont, [&](HWND editor) {
        seen.items = ComboItems(editor, IDC_EDIT_FACE);
        TypeInto(editor, IDC_EDIT_SIZE, L"50");
        seen.error = TapOk(editor);
    });
    EXPECT_EQ(L"Range 60 - 240", seen.error);
    for (const FontListEntry& f : FontList().Entries()) {
        const bool offered = std::find(seen.items.begin(), seen.items.end(), f.face) != seen.items.end();
        EXPECT_EQ(f.kind != 1, offered) << NarrowText(f.face);
    }
    const auto other = std::find_if(seen.items.begin(), seen.items.end(), [](const auto& f) { return f != L"Tahoma"; });
    ASSERT_NE(seen.items.end(), other);
    const std::wstring face = *other;
    seen = {};
    EditSetting(TAB_BASIC, Set::CaptionFont, [&](HWND editor) {
        ChooseItem(editor, IDC_EDIT_FACE, face);
        TypeInto(editor, IDC_EDIT_SIZE, L"120");
        seen.error = TapOk(editor);
    });
    EXPECT_EQ(L"", seen.error);
    EXPECT_EQ(L"120;" + face, Setting().GetStr(Set::CaptionFont));
}

// The kinds the sample's definitions do not use, on the editor alone.
TEST_F(SettingsEditor, TextAndPathKinds)
{
    struct Case {
        EditorKind kind;
        const wchar_t* params;
        const wchar_t* typed;
        const wchar_t* stored;
        bool browse;
    } cases[] = {
        {EK_STR, L"5", L"abcdefgh", L"abcde", false},  // the length limit holds
        {EK_STR, L"0", L"free text", L"free text", false},
        {EK_FILE_PATH, L"\\Windows:Programs:*.exe", L"\\Windows\\notes.exe", L"\\Windows\\notes.exe", true},
        {EK_DIR_PATH, L"", L"\\My Documents", L"\\My Documents", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowText(c.typed));
        const SettingDef def = MakeDef(c.kind, L"Label", c.params, L"First line\nSecond line");
        SettingValue value{SettingValue::Text, 0, L""};
        Seen seen;
        std::wstring help;
        CDlgItemEdit editor(value, def);
        EXPECT_EQ(IDOK, RunModal(editor, session.Hwnd(), L"Setting", [&](HWND dialog) {
                      seen.visible = ::IsWindowVisible(::GetDlgItem(dialog, IDC_EDIT_BROWSE)) != FALSE;
                      help = ControlText(::GetDlgItem(dialog, IDC_EDIT_HELP));
                      // Typed key by key, as the length limit applies to typing.
                      HWND edit = ::GetDlgItem(dialog, IDC_EDIT_TEXT);
                      for (const wchar_t* p = c.typed; *p; ++p)
                          ::SendMessageW(edit, WM_CHAR, static_cast<WPARAM>(*p), 0);
                      seen.error = TapOk(dialog);
                  }));
        EXPECT_EQ(c.stored, value.str);
        EXPECT_EQ(c.browse, seen.visible);
        EXPECT_EQ(L"First line\r\nSecond line", help);
    }
}

TEST_F(SettingsEditor, HiddenDefinitionsHaveNoRow)
{
    CLstSetting& list = List(TAB_PORT_LAND);
    ASSERT_EQ(4, list.RowCount());
    Setting().Def(Set::EdgePortrait)->flag = 1;
    list.Fill(Set::HeightPortrait, Set::EdgeLandscape);
    EXPECT_EQ(3, list.RowCount());
    EXPECT_EQ(-1, list.RowOfIndex(Set::EdgePortrait));
    EXPECT_EQ(Set::EdgeLandscape, list.IndexOfRow(2));
}

// Colour cells: the colour as background, the text white or black as it
// reads best; the colour field and the colour editor.
TEST_F(SettingsEditor, ColourCellsFieldAndEditor)
{
    Setting().SetNum(Set::IconBgColor, 0x0000FF);   // red
    Setting().SetNum(Set::IconBgGrad, 0xFFFFFF);    // white
    CLstSetting& list = List(TAB_COLOR);
    list.ShowValue(-1);
    EXPECT_EQ(L"0000FF", Shown(TAB_COLOR, Set::IconBgColor));
    EXPECT_EQ(L"FFFFFF", Shown(TAB_COLOR, Set::IconBgGrad));
    HWND listWnd = list.Hwnd();
    const CPixels shot = CaptureWindow(listWnd);
    RECT frame;
    ::GetWindowRect(listWnd, &frame);
    POINT origin = {0, 0};
    ::ClientToScreen(listWnd, &origin);
    for (auto [index, back, text] : {std::tuple{Set::IconBgColor, 0xFF0000u, 0xFFFFFFu},
                                     std::tuple{Set::IconBgGrad, 0xFFFFFFu, 0x000000u}}) {
        RECT cell = {LVIR_BOUNDS, 1, 0, 0};  // the flags, and the column
        ::SendMessageW(listWnd, LVM_GETSUBITEMRECT, static_cast<WPARAM>(list.RowOfIndex(index)),
                       reinterpret_cast<LPARAM>(&cell));
        int backs = 0, texts = 0;
        for (int y = cell.top + 1; y < cell.bottom - 1; ++y)
            for (int x = cell.left + 2; x < cell.left + 60; ++x) {
                const std::uint32_t px = shot.At(x + origin.x - frame.left, y + origin.y - frame.top);
                backs += px == back;
                texts += px == text;
            }
        EXPECT_GT(backs, 100) << index;
        EXPECT_GT(texts, 10) << index << ": the text drawn in " << std::hex << text;
    }

    // The field: seven characters are refused, six hexadecimal digits and
    // Enter give the colour; a tap opens the colour editor (once). There a
    // number outside 0 to 255 moves its slider to the end and is refused
    // by OK; the old colour brings the start back; a slider moves its field
    // and the new colour's preview; OK hands the colour to the field.
    struct FieldSeen {
        std::wstring afterSeven, afterEnter, refused, green, final;
        int editors = 0;
        std::uint32_t blueSlider = 0, redField = 0, preview = 0;
    } f;
    EditSetting(TAB_COLOR, Set::CaptionColor, [&](HWND editor) {
        HWND field = ::GetDlgItem(editor, IDC_EDIT_COLOR);
        TypeInto(editor, IDC_EDIT_COLOR, L"ff00000");
        ::PostMessageW(field, WM_KILLFOCUS, 0, 0);
        f.afterSeven = WaitForText(field, L"FFFFFF");
        TypeInto(editor, IDC_EDIT_COLOR, L"ff0000");
        ::PostMessageW(field, WM_KEYDOWN, VK_RETURN, 0);
        f.afterEnter = WaitForText(field, L"FF0000");
        ::PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        ::PostMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        HWND colour = WaitForDialog(L"Color Edit");
        if (!colour)
            return;
        ::PostMessageW(field, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        ::Sleep(300);
        f.editors = CountDialogs(L"Color Edit");
        TypeInto(colour, IDC_COLOR_R, L"64");
        TypeInto(colour, IDC_COLOR_B, L"300");
        f.blueSlider = static_cast<std::uint32_t>(
            ::SendMessageW(::GetDlgItem(colour, IDC_COLOR_B_SLIDER), TBM_GETPOS, 0, 0));
        TapSoftKey(colour, 0);
        f.refused = AnswerDialog(L"Orvane(Error)", IDOK, 20000);
        HWND old = ::GetDlgItem(colour, IDC_COLOR_OLD);
        ::SendMessageW(colour, WM_COMMAND, MAKEWPARAM(IDC_COLOR_OLD, STN_CLICKED), reinterpret_cast<LPARAM>(old));
        f.redField = static_cast<std::uint32_t>(std::stoul(ControlText(::GetDlgItem(colour, IDC_COLOR_R))));
        HWND green = ::GetDlgItem(colour, IDC_COLOR_G_SLIDER);
        ::SendMessageW(green, TBM_SETPOS, TRUE, 200);
        ::SendMessageW(colour, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 200), reinterpret_cast<LPARAM>(green));
        f.green = ControlText(::GetDlgItem(colour, IDC_COLOR_G));
        const CPixels shot = CaptureWindow(colour);
        RECT frame, preview;
        ::GetWindowRect(colour, &frame);
        ::GetWindowRect(::GetDlgItem(colour, IDC_COLOR_NEW), &preview);
        f.preview = shot.At((preview.left + preview.right) / 2 - frame.left,
                            (preview.top + preview.bottom) / 2 - frame.top);
        TapSoftKey(colour, 0);
        f.final = WaitForText(field, L"FFC800");
        TapOk(editor);
    });
    EXPECT_EQ(L"FFFFFF", f.afterSeven);
    EXPECT_EQ(L"FF0000", f.afterEnter);
    EXPECT_EQ(1, f.editors);
    EXPECT_EQ(255u, f.blueSlider);
    EXPECT_EQ(L"Range 0 - 255", f.refused);
    EXPECT_EQ(255u, f.redField) << "the old colour, red, is back";
    EXPECT_EQ(L"200", f.green);
    EXPECT_EQ(0xFFC800u, f.preview) << "the new colour's preview, 0xRRGGBB";
    EXPECT_EQ(L"FFC800", f.final);
    EXPECT_EQ(0x00C8FF, Setting().GetNum(Set::CaptionColor));
    EXPECT_EQ(L"00C8FF", Shown(TAB_COLOR, Set::CaptionColor));
}

namespace {

class SettingsEditorLook : public ::testing::TestWithParam<SettingsScreen> {};

}  // namespace

// Every editor kind, and the colour editor, on both screen sizes: nothing
// outside the dialog, and a picture of each.
TEST_P(SettingsEditorLook, EveryKindFitsItsScreen)
{
    CSettingsSession session(GetParam());
    ASSERT_TRUE(session.Open());
    const std::wstring folder = TestOutputFolder(L"settings-shots");
    struct Kind {
        EditorKind kind;
        const wchar_t* name;
        const wchar_t* params;
        const wchar_t* text;
        int num;
    } kinds[] = {
        {EK_INT, L"int", L"0;100;1;10", L"", 40},
        {EK_STR, L"str", L"20", L"text", 0},
        {EK_CMB, L"cmb", L"0:Off;1:On", L"", 1},
        {EK_FILE_PATH, L"file", L"\\Windows:Programs:*.exe", L"\\Windows\\x.exe", 0},
        {EK_COLOR, L"color", L"", L"", 0x2A6FD0},
        {EK_FONT, L"font", L"P;60;240", L"90;Tahoma", 0},
    };
    for (const Kind& k : kinds) {
        const SettingDef def = MakeDef(k.kind, std::wstring(L"A setting of kind ") + EditorKindWord(k.kind), k.params,
                                       L"What the setting does, in a line or two.\nAnd a second paragraph.");
        SettingValue value{*k.text ? SettingValue::Text : SettingValue::Number, k.num, k.text};
        SCOPED_TRACE(NarrowText(k.name));
        ::testing::AssertionResult inside = ::testing::AssertionSuccess();
        CDlgItemEdit edit(value, def);
        EXPECT_EQ(IDCANCEL, RunModal(edit, session.Hwnd(), L"Setting", [&](HWND dialog) {
            inside = ChildrenInside(dialog);
            SavePng(folder + L"\\edit-" + k.name + L".png", CaptureWindow(dialog));
            if (k.kind == EK_COLOR) {
                HWND field = ::GetDlgItem(dialog, IDC_EDIT_COLOR);
                ::PostMessageW(field, WM_LBUTTONUP, 0, 0);
                if (HWND colour = WaitForDialog(L"Color Edit")) {
                    if (inside)
                        inside = ChildrenInside(colour);
                    SavePng(folder + L"\\color-editor.png", CaptureWindow(colour));
                    TapSoftKey(colour, 1);
                }
            }
            TapSoftKey(dialog, 1);
        }));
        EXPECT_TRUE(inside);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsEditorLook, ::testing::Values(kSmallScreen, kLargeScreen),
                         [](const ::testing::TestParamInfo<SettingsScreen>& info) {
                             return info.param.width == kSmallScreen.width ? "Small" : "Large";
                         });
