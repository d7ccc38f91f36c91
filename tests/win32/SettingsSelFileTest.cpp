// The file chooser under Wine over a folder tree of the test device, worked
// as a user works it: taps on entries and column headers, the type and path
// combos, the "Path" menu, Select, the soft keys; and the value editor's
// "..." that opens it.
#include "DlgItemEdit.h"
#include "DlgSelFile.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::wstring kTool = L"\\Program Files\\Tool\\";

// The chooser's entries, by name, or as "name|text" with a column's text.
std::vector<std::wstring> Entries(HWND chooser, int column = -1) { return ListRows(ChooserList(chooser), column); }

void TapHeader(HWND chooser, int column)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageW(ChooserList(chooser), LVM_GETHEADER, 0, 0));
    RECT rc = {};
    ::SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&rc));
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(header, WM_LBUTTONUP, 0, at);
}

class SettingsSelFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDeviceSandbox& dev = session.Device();
        dev.WriteFile(kTool + L"tool.exe", "M");
        dev.WriteFile(kTool + L"big.exe", std::string(2048, 'x'));
        dev.WriteFile(kTool + L"pic.bmp", std::string(1025, 'x'));
        dev.WriteFile(kTool + L"empty.txt", "");
        dev.MakeFolder(kTool + L"Data");
        dev.MakeFolder(kTool + L"Plugins");
        ASSERT_TRUE(session.Open());
        CDlgSelFile::SetCurrentFolder(kTool);
    }

    // Runs the chooser; the driver works it meanwhile. The dialog's result.
    INT_PTR Run(CDlgSelFile& chooser, const wchar_t* title, const std::function<void(HWND)>& work)
    {
        return RunModal(chooser, session.Hwnd(), title, work);
    }

    CSettingsSession session{kLargeScreen};
};

}  // namespace

// Entering and leaving folders by taps, the combos, the menu, sorting, and
// a double tap on a file that ends the choice.
TEST_F(SettingsSelFile, WalkingTheTreeAndChoosingAFile)
{
    struct Seen {
        std::vector<std::wstring> first, sizes, types, paths, data, back, all, root, sorted, menu;
        std::wstring edit, dataEdit;
        LRESULT pathSel = -1;
    } s;
    CDlgSelFile chooser({{L"Executable File", {L"*.exe"}}, {L"All Files", {L"*.*"}}});
    const INT_PTR result = Run(chooser, L"Select File", [&](HWND d) {
        s.first = Entries(d);
        s.sizes = Entries(d, 2);
        s.edit = ControlText(::GetDlgItem(d, IDC_SELFILE_NAME));
        s.types = ComboItems(d, IDC_SELFILE_TYPE);
        s.paths = ComboItems(d, IDC_SELFILE_PATH);
        s.pathSel = ::SendMessageW(::GetDlgItem(d, IDC_SELFILE_PATH), CB_GETCURSEL, 0, 0);
        TapEntry(d, L"Data");
        s.data = Entries(d);
        s.dataEdit = ControlText(::GetDlgItem(d, IDC_SELFILE_NAME));
        TapEntry(d, L"..");
        s.back = Entries(d);
        ChooseItem(d, IDC_SELFILE_TYPE, L"All Files(*.*)");
        s.all = Entries(d, 2);
        // The "Path" menu's first entry is the root.
        ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(ID_SELFILE_PATH0, 0), 0);
        s.root = Entries(d);
        // Down to "Tool" through the combo, a level at a time.
        ChooseItem(d, IDC_SELFILE_PATH, L"+-Program Files\\");
        ChooseItem(d, IDC_SELFILE_PATH, L"  +-Tool\\");
        TapHeader(d, 2);                   // the first tap sorts descending
        s.sorted = Entries(d);
        if (HWND bar = FindMenuBar(d))
            s.menu = {SoftKeyText(bar, 0), SoftKeyText(bar, 1)};
        TapEntry(d, L"tool.exe", true);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"..", L"Data", L"Plugins", L"big.exe", L"tool.exe"}), s.first);
    EXPECT_EQ((std::vector<std::wstring>{L"..|", L"Data|", L"Plugins|", L"big.exe|2 KB", L"tool.exe|1 KB"}), s.sizes);
    EXPECT_EQ(L"big.exe", s.edit) << "the first file is chosen at once";
    EXPECT_EQ((std::vector<std::wstring>{L"Executable File(*.exe)", L"All Files(*.*)"}), s.types);
    EXPECT_EQ((std::vector<std::wstring>{L"\\", L"+-Program Files\\", L"  +-Tool\\", L"    +-Data\\",
                                         L"    +-Plugins\\"}),
              s.paths);
    EXPECT_EQ(2, s.pathSel);
    EXPECT_EQ(std::vector<std::wstring>{L".."}, s.data);
    EXPECT_EQ(L"", s.dataEdit);
    EXPECT_EQ(s.first, s.back);
    EXPECT_EQ((std::vector<std::wstring>{L"..|", L"Data|", L"Plugins|", L"big.exe|2 KB", L"empty.txt|0 KB",
                                         L"pic.bmp|1 KB", L"tool.exe|1 KB"}),
              s.all);
    ASSERT_FALSE(s.root.empty());
    EXPECT_NE(L"..", s.root[0]) << "no way above the root";
    EXPECT_EQ((std::vector<std::wstring>{L"..", L"big.exe", L"pic.bmp", L"tool.exe", L"empty.txt", L"Data",
                                         L"Plugins"}),
              s.sorted);
    EXPECT_EQ((std::vector<std::wstring>{L"Path", L"Cancel"}), s.menu);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(L"tool.exe", chooser.Chosen());
    EXPECT_EQ(kTool + L"tool.exe", chooser.ChosenPath());
    EXPECT_EQ(kTool, CDlgSelFile::CurrentFolder()) << "kept for the next use";
}

// Select without a file, Cancel, the folders-only mode and a start folder
// that points out of the device.
TEST_F(SettingsSelFile, SelectCancelAndFolders)
{
    std::wstring message, typeShown = L"?";
    LONG_PTR views[2] = {};
    CDlgSelFile files;
    EXPECT_EQ(IDCANCEL, Run(files, L"Select File", [&](HWND d) {
        // "View" turns the report into a list and back.
        for (LONG_PTR& view : views) {
            ClickButton(d, IDC_SELFILE_VIEW);
            view = ::GetWindowLongPtrW(ChooserList(d), GWL_STYLE) & LVS_TYPEMASK;
        }
        TapEntry(d, L"Plugins");
        TapEntry(d, L"..");
        SelectListRow(ChooserList(d), ListRowOf(ChooserList(d), L"Data"));
        PostCommand(d, IDC_SELFILE_SELECT);
        message = AnswerDialog(L"Orvane", IDOK, 20000);
        TapSoftKey(d, 1);
    }));
    EXPECT_EQ(L"No File Selected.", message);
    EXPECT_EQ(LVS_LIST, views[0]);
    EXPECT_EQ(LVS_REPORT, views[1]);
    EXPECT_EQ(kTool, CDlgSelFile::CurrentFolder());

    CDlgSelFile folders({}, SELFILE_FOLDERS_ONLY);
    std::vector<std::wstring> rows;
    EXPECT_EQ(IDOK, Run(folders, L"Select Directory", [&](HWND d) {
        typeShown = ::IsWindowVisible(::GetDlgItem(d, IDC_SELFILE_TYPE)) ? L"shown" : L"hidden";
        rows = Entries(d);
        TapEntry(d, L"Data");  // one tap only selects
        PostCommand(d, IDC_SELFILE_SELECT);
    }));
    EXPECT_EQ(L"hidden", typeShown);
    EXPECT_EQ((std::vector<std::wstring>{L"..", L"Data", L"Plugins"}), rows);
    EXPECT_EQ(L"Data", folders.Chosen());
    EXPECT_EQ(kTool + L"Data\\", folders.ChosenPath());

    // A start folder above the root, or on a drive, shows the root.
    for (const wchar_t* start : {L"\\..\\..\\..\\", L"Z:\\etc\\"}) {
        CDlgSelFile::SetCurrentFolder(start);
        CDlgSelFile root({}, SELFILE_FOLDERS_ONLY);
        std::vector<std::wstring> paths;
        Run(root, L"Select Directory", [&](HWND d) {
            rows = Entries(d);
            paths = ComboItems(d, IDC_SELFILE_PATH);
            TapSoftKey(d, 1);
        });
        EXPECT_EQ((std::vector<std::wstring>{L"Program Files"}), rows) << NarrowText(start);
        EXPECT_EQ((std::vector<std::wstring>{L"\\", L"+-Program Files\\"}), paths);
    }
}

// "..." of a file setting opens the chooser at the setting's folder with its
// filters and puts the chosen path into the field; of a folder setting, the
// folder chooser.
TEST_F(SettingsSelFile, BrowseButtonOfPathSettings)
{
    struct Case {
        EditorKind kind;
        const wchar_t* params;
        const wchar_t* title;
        const wchar_t* tap;
        std::wstring stored, chosen;
        std::vector<std::wstring> types;
    } cases[] = {
        {EK_FILE_PATH, L"\\Program Files\\Tool:Image File:*.bmp", L"Select File", L"pic.bmp", kTool + L"pic.bmp",
         L"pic.bmp", {L"Image File(*.bmp)"}},
        {EK_DIR_PATH, L"", L"Select Directory", L"Plugins", kTool + L"Plugins\\", L"Plugins", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowText(c.title));
        CDlgSelFile::SetCurrentFolder(L"\\");
        const SettingDef def = MakeDef(c.kind, L"Path", c.params);
        SettingValue value{SettingValue::Text, 0, c.kind == EK_DIR_PATH ? kTool : L""};
        std::vector<std::wstring> types;
        std::wstring field;
        CDlgItemEdit editor(value, def);
        EXPECT_EQ(IDOK, RunModal(editor, session.Hwnd(), L"Setting", [&](HWND dialog) {
            PostCommand(dialog, IDC_EDIT_BROWSE);
            if (HWND chooser = WaitForDialog(c.title)) {
                types = ComboItems(chooser, IDC_SELFILE_TYPE);
                TapEntry(chooser, c.tap);
                if (c.kind == EK_DIR_PATH)
                    PostCommand(chooser, IDC_SELFILE_SELECT);
                else
                    TapEntry(chooser, c.tap, true);
            }
            field = WaitForText(::GetDlgItem(dialog, IDC_EDIT_TEXT), c.stored);
            TapSoftKey(dialog, 0);
        }));
        if (c.kind == EK_FILE_PATH) {
            EXPECT_EQ(c.types, types);
        }
        EXPECT_EQ(c.stored, field);
        EXPECT_EQ(c.stored, value.str);
        EXPECT_EQ(c.chosen, editor.ChosenName());
    }
}

namespace {

struct Look {
    SettingsScreen screen;
    const char* language;  // the language setting
    const wchar_t* title;
    const wchar_t* name;
};

void PrintTo(const Look& look, std::ostream* out) { *out << NarrowText(look.name); }

class SettingsSelFileLook : public ::testing::TestWithParam<Look> {};

}  // namespace

// Both screens and both languages: every control inside the chooser, the
// texts of the language, and a picture of each.
TEST_P(SettingsSelFileLook, FitsItsScreen)
{
    const Look look = GetParam();
    CSettingsSession session(look.screen, {{Set::LanguageMode, look.language}});
    session.Device().WriteFile(kTool + L"tool.exe", std::string(40000, 'x'));
    session.Device().WriteFile(kTool + L"readme.txt", "text");
    session.Device().MakeFolder(kTool + L"Data");
    ASSERT_TRUE(session.Open());
    CDlgSelFile::SetCurrentFolder(kTool);
    ::testing::AssertionResult inside = ::testing::AssertionSuccess();
    std::wstring selectText;
    CDlgSelFile chooser({{L"Executable File", {L"*.exe"}}, {L"All Files", {L"*.*"}}});
    RunModal(chooser, session.Hwnd(), look.title, [&](HWND d) {
        inside = ChildrenInside(d);
        selectText = ControlText(::GetDlgItem(d, IDC_SELFILE_SELECT));
        SavePng(TestOutputFolder(L"settings-shots") + L"\\selfile-" + look.name + L".png", CaptureWindow(d));
        TapSoftKey(d, 1);
    });
    EXPECT_TRUE(inside);
    EXPECT_EQ(std::string(look.language) == "1" ? L"選択" : L"Select", selectText);
}

INSTANTIATE_TEST_SUITE_P(Screens, SettingsSelFileLook,
                         ::testing::Values(Look{kSmallScreen, "2", L"Select File", L"small-en"},
                                           Look{kLargeScreen, "2", L"Select File", L"large-en"},
                                           Look{kSmallScreen, "1", L"ファイル選択", L"small-ja"},
                                           Look{kLargeScreen, "1", L"ファイル選択", L"large-ja"}),
                         [](const ::testing::TestParamInfo<Look>& info) {
                             std::string name = NarrowText(info.param.name);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });
