// The Apps tab and the icon editor under Wine, worked as a user works them:
// the buttons, the kind combo, double taps on the property rows and the
// value editors they open, the soft keys and the answers to messages.
#include "DlgSetApp.h"
#include "DlgSelFile.h"
#include "DlgTabApps.h"
#include "IconCompare.h"
#include "MenuBar_win.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"
#include "config/Folders.h"
#include "config/Page.h"
#include "settings/ResLang.h"
#include "ui/ListView.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const wchar_t kEditorCaption[] = L"Application";

HWND PropertyList(HWND editor) { return ::GetDlgItem(editor, IDC_SETAPP_LIST); }

// The editor's rows as "label=value", in list order.
std::vector<std::wstring> Rows(HWND editor) { return ListRows(PropertyList(editor), 1, L"="); }

std::wstring RowValue(HWND editor, int index)
{
    const int row = ListRowOfParam(PropertyList(editor), index);
    return row < 0 ? L"<hidden>" : ListCell(PropertyList(editor), row, 1);
}

// A double tap on the row of the definition (posted: the row's dialog runs
// on the test thread).
bool TapRow(HWND editor, int index)
{
    const int row = ListRowOfParam(PropertyList(editor), index);
    if (row >= 0)
        DoubleTapRow(PropertyList(editor), row);
    return row >= 0;
}

// Opens the row's value editor, types the text (or picks it from the
// choices) and taps OK; what the value editor offered, when it asks.
bool SetRow(HWND editor, int index, const std::wstring& text, std::vector<std::wstring>* offered = nullptr)
{
    HWND value = TapRow(editor, index) ? WaitForDialog(L"Setting", 5000) : nullptr;
    if (!value)
        return false;
    if (::IsWindowVisible(::GetDlgItem(value, IDC_EDIT_CHOICE))) {
        if (offered)
            *offered = ComboItems(value, IDC_EDIT_CHOICE);
        ChooseItem(value, IDC_EDIT_CHOICE, text);
    } else {
        TypeInto(value, IDC_EDIT_TEXT, text);
    }
    TapSoftKey(value, 0);
    WaitGone(value, 5000);
    return true;
}

// In the row's value editor, "..." and in the chooser the file (selected,
// then Select; none: Cancel); what the chooser offered as types.
std::vector<std::wstring> BrowseRow(HWND editor, int index, const std::wstring& file)
{
    std::vector<std::wstring> types;
    if (!TapRow(editor, index))
        return types;
    HWND value = WaitForDialog(L"Setting", 5000);
    PostCommand(value, IDC_EDIT_BROWSE);
    if (HWND chooser = WaitForDialog(L"Select File", 5000)) {
        types = ComboItems(chooser, IDC_SELFILE_TYPE);
        SelectListRow(ChooserList(chooser), ListRowOf(ChooserList(chooser), file));
        PostCommand(chooser, file.empty() ? ID_SELFILE_CANCEL : IDC_SELFILE_SELECT);
        WaitGone(chooser, 5000);
    }
    TapSoftKey(value, 0);
    WaitGone(value, 5000);
    return types;
}

// What a driver of the editor saw, for the test thread to check.
struct Seen {
    std::vector<std::wstring> rows, items;
    std::wstring message, name;
    std::vector<std::wstring> icon;
};

class SettingsApps : public ::testing::Test {
protected:
    void SetUp() override
    {
        CDlgSetApp::ForgetRun();
        session.Device().WriteFile(L"\\Program Files\\pad.exe", "M");
        ASSERT_TRUE(session.Open());
        session.SelectTab(TAB_APP);
    }
    void TearDown() override { CDlgSetApp::ForgetRun(); }

    CDlgTabApps& Tab() { return session.PageAs<CDlgTabApps>(TAB_APP); }
    HWND TabHwnd() { return Tab().Hwnd(); }
    HWND List() { return ::GetDlgItem(TabHwnd(), IDC_APPS_LIST); }
    CPageInfo& Page(const std::wstring& name) { return *session.Main().m_Launch.Pages()->FindPage(name); }

    void ShowPage(const std::wstring& name) { ChooseItem(TabHwnd(), IDC_APPS_PAGE, name); }
    // Taps the tab's button while the driver works what it opens.
    void Press(int id, const std::function<void()>& work = [] {})
    {
        CDriver driver(work);
        ClickButton(TabHwnd(), id);
        driver.Join();
    }
    // Add or Edit with the editor worked by the driver.
    void Run(int button, const std::function<void(HWND)>& work)
    {
        CDriver driver(kEditorCaption, work);
        ClickButton(TabHwnd(), button);
        driver.Join();
    }

    CSettingsSession session{kLargeScreen};
};

std::vector<std::wstring> Names(const CPageInfo& page)
{
    std::vector<std::wstring> names;
    for (const IconEntry& e : page.icons.entries)
        names.push_back(e.Name);
    return names;
}

}  // namespace

// Icons of each kind built in the editor, edited, moved and deleted, then
// saved: the files pass the lint and load back as they were built.
TEST_F(SettingsApps, IconsBuiltHereSaveAndLoadBack)
{
    EXPECT_EQ(Names(Page(L"Home")), ListRows(List())) << "the first page is shown";
    const size_t home = Page(L"Home").icons.entries.size();

    Seen seen;
    std::vector<std::wstring> kinds;
    Run(IDC_APPS_ADD, [&](HWND editor) {
        kinds = ComboItems(editor, IDC_SETAPP_KIND);
        ChooseItem(editor, IDC_SETAPP_KIND, L"Executable File(exe)");
        seen.items = BrowseRow(editor, ROW_PATH, L"pad.exe");
        seen.name = RowValue(editor, ROW_NAME);  // named after the file chosen
        SetRow(editor, ROW_ARGS, L"/a b.txt");
        seen.icon = BrowseRow(editor, ROW_ICON, L"");
        SetRow(editor, ROW_ICON, L"\\Program Files\\Orvane\\Icon\\Notes.png");
        SetRow(editor, ROW_REGMODE, L"NAME + REG");
        SetRow(editor, ROW_REGROOT, L"HKCU");
        SetRow(editor, ROW_REGKEY, L"Software\\Orvane\\Apps");
        SetRow(editor, ROW_REGVALUE, L"Count");
        seen.rows = Rows(editor);
        TapSoftKey(editor, 0);
    });
    EXPECT_EQ((std::vector<std::wstring>{L"Executable File(exe)", L"Shortcut File(lnk)", L"Favorites(url)", L"Resent",
                                         L"Task Manage", L"Page Link", L"Blank", L"Plugin"}),
              kinds);
    EXPECT_EQ(std::vector<std::wstring>{L"Executable File(*.exe)"}, seen.items);
    EXPECT_EQ(L"pad", seen.name);
    EXPECT_EQ((std::vector<std::wstring>{L"Image File(*.bmp;*.png;*.jpg;*.gif)", L"All Files(*.*)"}), seen.icon);
    EXPECT_EQ(9u, seen.rows.size()) << "every row but the slot count";
    ASSERT_EQ(home + 1, Page(L"Home").icons.entries.size());
    const IconEntry& added = Page(L"Home").icons.entries.back();
    EXPECT_EQ(L"1,pad,\\Program Files\\pad.exe,/a b.txt,\\Program Files\\Orvane\\Icon\\Notes.png,3,"
              L"HKCU;Software\\Orvane\\Apps;Count",
              FormatIconEntry(added, false));
    EXPECT_EQ(Tab().SelectedIcon(), static_cast<int>(home));

    // A page link: the page from the pages, the name and image follow.
    Run(IDC_APPS_ADD, [&](HWND editor) {
        ChooseItem(editor, IDC_SETAPP_KIND, L"Page Link");
        SetRow(editor, ROW_PATH, L"Clock", &seen.items);
        seen.rows = Rows(editor);
        TapSoftKey(editor, 0);
    });
    std::vector<std::wstring> pages;
    for (const PageOrderEntry& o : session.Main().m_Launch.Pages()->m_Order)
        pages.push_back(o.name);
    EXPECT_EQ(pages, seen.items);
    ASSERT_EQ(home + 2, Page(L"Home").icons.entries.size());
    EXPECT_EQ(L"6,Clock,Clock,," + InstallDir + L"Icon\\IconPage0.bmp,0,----;;",
              FormatIconEntry(Page(L"Home").icons.entries.back(), false));
    ASSERT_FALSE(seen.rows.empty());
    EXPECT_EQ(0u, seen.rows[1].find(L"Page=")) << "the target row is labelled Page";

    // A blank passes without a target; the next Add starts with the kind
    // chosen last.
    Run(IDC_APPS_ADD, [&](HWND editor) {
        seen.name = ControlText(::GetDlgItem(editor, IDC_SETAPP_KIND));
        ChooseItem(editor, IDC_SETAPP_KIND, L"Blank");
        seen.rows = Rows(editor);
        TapSoftKey(editor, 0);
    });
    EXPECT_EQ(L"Page Link", seen.name);
    EXPECT_EQ(std::vector<std::wstring>{L"Name=--------"}, seen.rows);
    EXPECT_EQ(5, Page(L"Home").icons.entries.back().nAppType);
    EXPECT_EQ(L"--------", Page(L"Home").icons.entries.back().Name);
    EXPECT_EQ(L"", Page(L"Home").icons.entries.back().Path);

    // Edit renames the first icon; Up at the top does nothing, Down moves it.
    SelectListRow(List(), 0);
    Run(IDC_APPS_EDIT, [&](HWND editor) {
        seen.name = RowValue(editor, ROW_NAME);
        SetRow(editor, ROW_NAME, L"Pad");
        TapSoftKey(editor, 0);
    });
    EXPECT_EQ(L"Notes", seen.name);
    EXPECT_EQ(L"Pad", Page(L"Home").icons.entries[0].Name);
    Press(IDC_APPS_UP);
    EXPECT_EQ(L"Pad", ListRows(List())[0]);
    Press(IDC_APPS_DOWN);
    EXPECT_EQ(L"Pad", Page(L"Home").icons.entries[1].Name);
    EXPECT_EQ(L"Pad", ListRows(List())[1]);
    EXPECT_EQ(1, Tab().SelectedIcon()) << "the row follows";

    // Delete asks; Cancel keeps the icon, OK removes it.
    Press(IDC_APPS_DEL, [&] { seen.message = AnswerDialog(L"Warning", IDCANCEL); });
    EXPECT_EQ(L"Delete selected item. OK?", seen.message);
    EXPECT_EQ(home + 3, Page(L"Home").icons.entries.size());
    SelectListRow(List(), 0);
    Press(IDC_APPS_DEL, [&] { AnswerDialog(L"Warning", IDOK); });
    ASSERT_EQ(home + 2, Page(L"Home").icons.entries.size());
    EXPECT_EQ(Names(Page(L"Home")), ListRows(List()));

    const std::deque<IconEntry> built = Page(L"Home").icons.entries;
    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    EXPECT_TRUE(InstallationPassesLint());
    CLaunch launch;
    launch.m_bEditor = true;
    ASSERT_TRUE(launch.InitLnch());
    const CPageInfo* reloaded = launch.Pages()->FindPage(L"Home");
    ASSERT_NE(nullptr, reloaded);
    ASSERT_EQ(built.size(), reloaded->icons.entries.size());
    for (size_t i = 0; i < built.size(); ++i)
        EXPECT_TRUE(SameStoredFields(built[i], reloaded->icons.entries[i]))
            << NarrowText(FormatIconEntry(built[i], false));
}

// Recent and task entries come as runs of the slots a page lacks; slots are
// not edited but can be deleted; the buttons want a selection.
TEST_F(SettingsApps, SlotRunsAndTheButtonsThatWantASelection)
{
    ShowPage(L"Tools");
    CPageInfo& tools = Page(L"Tools");
    IconEntry slot;
    slot.nAppType = 21;
    tools.icons.entries.push_back(slot);
    slot.nAppType = 44;
    tools.icons.entries.push_back(slot);
    const size_t before = tools.icons.entries.size();

    Seen seen;
    Run(IDC_APPS_ADD, [&](HWND editor) {
        ChooseItem(editor, IDC_SETAPP_KIND, L"Resent");
        seen.rows = Rows(editor);
        SetRow(editor, ROW_NUM, L"x 03", &seen.items);
        TapSoftKey(editor, 0);
    });
    EXPECT_EQ(std::vector<std::wstring>{L"Num=x 05"}, seen.rows);
    ASSERT_EQ(10u, seen.items.size());
    EXPECT_EQ(L"x 10", seen.items.back());
    std::vector<std::wstring> added;
    for (size_t i = before; i < tools.icons.entries.size(); ++i)
        added.push_back(std::to_wstring(tools.icons.entries[i].nAppType) + L" " + tools.icons.entries[i].Name);
    EXPECT_EQ((std::vector<std::wstring>{L"20 Recent-01", L"22 Recent-03"}), added);
    EXPECT_EQ(Names(tools), ListRows(List()));

    // A task slot: not edited, but deleted.
    SelectListRow(List(), static_cast<int>(before) - 1);
    Press(IDC_APPS_EDIT, [&] { seen.message = AnswerDialog(L"OrvaneSet"); });
    EXPECT_EQ(L"This item isn't Editable.", seen.message);
    EXPECT_EQ(0, CountDialogs(kEditorCaption));
    SelectListRow(List(), static_cast<int>(before) - 1);
    Press(IDC_APPS_DEL, [&] { AnswerDialog(L"Warning", IDOK); });
    EXPECT_EQ(before + 1, tools.icons.entries.size());

    for (int button : {IDC_APPS_EDIT, IDC_APPS_DEL, IDC_APPS_UP, IDC_APPS_DOWN}) {
        SelectListRow(List(), -1);
        Press(button, [&] { seen.message = AnswerDialog(L"OrvaneSet"); });
        EXPECT_EQ(L"Not Selected,\nPlease select a item on the list.", seen.message) << button;
    }
    EXPECT_EQ(before + 1, tools.icons.entries.size());
}

// OK refuses what the launcher cannot use and what the page file cannot
// give back, naming the field; the page stays as it was.
TEST_F(SettingsApps, RefusedIcons)
{
    struct Case {
        const wchar_t* kind;
        std::vector<std::pair<int, std::wstring>> rows;
        const wchar_t* caption;
        const wchar_t* message;
    } cases[] = {
        {L"Executable File(exe)", {{ROW_PATH, L"\\x.exe"}}, L"OrvaneSet", L"Not Set Name."},
        {L"Executable File(exe)", {{ROW_NAME, L"a,b"}}, L"OrvaneSet", L"[], is disable at name."},
        {L"Executable File(exe)", {{ROW_NAME, L"x"}}, L"Orvane(Error)", L"Path, No Selected"},
        {L"Page Link", {{ROW_NAME, L"x"}}, L"Orvane(Error)", L"Page, No Selected"},
        {L"Shortcut File(lnk)",
         {{ROW_NAME, L"x"}, {ROW_PATH, L"\\a.lnk"}, {ROW_ICON, L"\\Icon\\a,b.png"}},
         L"Orvane(Error)",
         L"Icon file cannot hold \",\"."},
        {L"Executable File(exe)",
         {{ROW_NAME, L"x"}, {ROW_PATH, L"\\a.exe"}, {ROW_REGKEY, L"Soft;ware"}},
         L"Orvane(Error)",
         L"Registry key cannot hold \";\"."},
        {L"Executable File(exe)",
         {{ROW_NAME, L"x"}, {ROW_PATH, L"\\a.exe"}, {ROW_REGVALUE, L"\\\\"}},
         L"Orvane(Error)",
         L"Value name cannot be just \"\\\\\":\nit would read back as empty."},
        {L"Executable File(exe)",
         {{ROW_NAME, L"x"}, {ROW_PATH, L"\\a.exe"}, {ROW_REGKEY, L"Software\\\u0101"}},
         L"Orvane(Error)",
         L"Registry key cannot hold characters that the device's code page lacks."},
    };
    const size_t before = Page(L"Home").icons.entries.size();
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowText(c.message));
        Seen seen;
        Run(IDC_APPS_ADD, [&](HWND editor) {
            ChooseItem(editor, IDC_SETAPP_KIND, c.kind);
            for (const auto& [row, text] : c.rows)
                SetRow(editor, row, text);
            TapSoftKey(editor, 0);
            seen.message = AnswerDialog(c.caption);
            // Refused: the editor is still open with what was typed.
            seen.rows = Rows(editor);
            TapSoftKey(editor, 1);
        });
        EXPECT_EQ(c.message, seen.message);
        EXPECT_FALSE(seen.rows.empty()) << "the editor stays open";
    }
    EXPECT_EQ(before, Page(L"Home").icons.entries.size());
}

// The registry row reads the value as the launcher does and shows it, or
// the system's error; it stores nothing.
TEST_F(SettingsApps, RegistryTestRow)
{
    const DWORD level = 42;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\OrvaneAppsTest", L"Level", REG_DWORD, &level, sizeof(level));
    const wchar_t state[] = L"charging";
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\OrvaneAppsTest", L"State", REG_SZ, state, sizeof(state));
    struct Case {
        const wchar_t *root, *value, *message;
    } cases[] = {
        {L"HKCU", L"Level", L"Success!!\n[42]"},
        {L"HKCU", L"State", L"Success!!\n[charging]"},
        {L"HKCU", L"Missing", L"Error! (2)"},
        {L"----", L"Level", L"Error! (6)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(NarrowText(std::wstring(c.root) + L"\\" + c.value));
        Seen seen;
        Run(IDC_APPS_ADD, [&](HWND editor) {
            SetRow(editor, ROW_REGROOT, c.root);
            SetRow(editor, ROW_REGKEY, L"Software\\OrvaneAppsTest");
            SetRow(editor, ROW_REGVALUE, c.value);
            TapRow(editor, ROW_REGTEST);
            seen.message = AnswerDialog(L"Orvane");
            seen.name = RowValue(editor, ROW_REGTEST);
            TapSoftKey(editor, 1);
        });
        EXPECT_EQ(c.message, seen.message);
        EXPECT_EQ(L"", seen.name) << "the test row stores nothing";
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrvaneAppsTest");
}

// Edits that change nothing the editor does not show: an icon keeps the
// fields that a short definition file has no rows for, and a panel keeps
// its own code.
TEST(SettingsAppsKeep, FieldsWithoutRowsAndPanelCodes)
{
    CDlgSetApp::ForgetRun();
    CSettingsSession session(kSmallScreen);
    std::filesystem::remove(CDeviceSandbox::Host(std::wstring(kInstallFolder) + L"\\AppSetInfoEng.ini"));
    ASSERT_TRUE(session.Open());
    CPageMng& pages = *session.Main().m_Launch.Pages();
    IconEntry& notes = pages.FindPage(L"Home")->icons.entries[0];
    const IconEntry original = notes;
    Seen seen;
    CDlgSetApp editor(notes, false, pages);
    EXPECT_EQ(IDOK, RunModal(editor, session.Hwnd(), kEditorCaption, [&](HWND dialog) {
                  seen.rows = Rows(dialog);
                  TapSoftKey(dialog, 0);
              }));
    EXPECT_TRUE(seen.rows.empty()) << "no definitions, no rows";
    EXPECT_TRUE(SameStoredFields(original, notes));
    CDlgSetApp::ForgetRun();
}

TEST_F(SettingsApps, PanelsKeepTheirCodes)
{
    ShowPage(L"Clock");
    Page(L"Clock").icons.entries[1].nAppType = 10003;
    SelectListRow(List(), 1);
    Seen seen;
    Run(IDC_APPS_EDIT, [&](HWND editor) {
        seen.name = ControlText(::GetDlgItem(editor, IDC_SETAPP_KIND));
        SetRow(editor, ROW_NAME, L"Month");
        TapSoftKey(editor, 0);
    });
    EXPECT_EQ(L"Plugin", seen.name);
    EXPECT_EQ(10003, Page(L"Clock").icons.entries[1].nAppType);
    EXPECT_EQ(L"Month", Page(L"Clock").icons.entries[1].Name);
}

// Close after edits on this tab writes nothing.
TEST_F(SettingsApps, CloseAfterEditsLeavesEveryFile)
{
    const auto before = FolderFiles(kInstallFolder);
    Run(IDC_APPS_ADD, [&](HWND editor) {
        ChooseItem(editor, IDC_SETAPP_KIND, L"Blank");
        TapSoftKey(editor, 0);
    });
    SelectListRow(List(), 0);
    Press(IDC_APPS_DOWN);
    ASSERT_TRUE(session.Ends(1, L"")) << "Close asks nothing";
    EXPECT_EQ(before, FolderFiles(kInstallFolder));
}

namespace {

struct LookCase {
    const char* name;
    SettingsScreen screen;
    const char* language;
    const wchar_t *add, *kind, *nameLabel;
};

const wchar_t kJapaneseProgram[] = L"\u5b9f\u884c\u30d5\u30a1\u30a4\u30eb(exe)";

const LookCase kLooks[] = {
    {"SmallEnglish", kSmallScreen, "2", L"Add", L"Executable File(exe)", L"Name"},
    {"LargeEnglish", kLargeScreen, "2", L"Add", L"Executable File(exe)", L"Name"},
    {"SmallJapanese", kSmallScreen, "1", L"\u8ffd\u52a0", kJapaneseProgram, L"\u540d\u524d"},
    {"LargeJapanese", kLargeScreen, "1", L"\u8ffd\u52a0", kJapaneseProgram, L"\u540d\u524d"},
};

class SettingsAppsLook : public ::testing::TestWithParam<LookCase> {};

}  // namespace

// The tab and the editor in each screen size and language: texts of that
// language, nothing outside its dialog, and pictures to look at.
TEST_P(SettingsAppsLook, TabAndEditorFitTheirScreen)
{
    const LookCase& c = GetParam();
    CDlgSetApp::ForgetRun();
    CSettingsSession session(c.screen, {{Set::LanguageMode, c.language}});
    ASSERT_TRUE(session.Open());
    session.SelectTab(TAB_APP);
    HWND tab = session.Page()->Hwnd();
    EXPECT_EQ(c.add, ControlText(::GetDlgItem(tab, IDC_APPS_ADD)));
    EXPECT_TRUE(ChildrenInside(session.Hwnd()));
    const std::wstring folder = TestOutputFolder(L"settings-shots");
    EXPECT_TRUE(SavePng(folder + L"\\apps.png", CaptureWindow(session.Hwnd())));

    Seen seen;
    bool inside = false, saved = false;
    CDriver driver(kEditorCaption, [&](HWND editor) {
        seen.name = ControlText(::GetDlgItem(editor, IDC_SETAPP_KIND));
        seen.rows = Rows(editor);
        inside = static_cast<bool>(ChildrenInside(editor));
        saved = SavePng(folder + L"\\editor.png", CaptureWindow(editor));
        TapSoftKey(editor, 1);
    });
    // The first icon of the first page, with its fields.
    SelectListRow(::GetDlgItem(tab, IDC_APPS_LIST), 0);
    ClickButton(tab, IDC_APPS_EDIT);
    driver.Join();
    EXPECT_EQ(c.kind, seen.name);
    ASSERT_EQ(9u, seen.rows.size());
    // The Japanese definitions are Shift-JIS: readable where that is the code page.
    if (std::string(c.language) == "2" || ::GetACP() == 932) {
        EXPECT_EQ(std::wstring(c.nameLabel) + L"=Notes", seen.rows[0]) << NarrowText(seen.rows[0]);
    }
    EXPECT_TRUE(inside);
    EXPECT_TRUE(saved);
    CDlgSetApp::ForgetRun();
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsAppsLook, ::testing::ValuesIn(kLooks),
                         [](const ::testing::TestParamInfo<LookCase>& info) { return info.param.name; });

// Every string with an English twin that the program has, it has in both
// languages (the twins of all tabs share one numbering).
TEST(SettingsStrings, EveryTwinHasBothTexts)
{
    auto text = [](unsigned id) {
        const wchar_t* p = nullptr;
        const int n = ::LoadStringW(ResourceInstance(), id, reinterpret_cast<LPWSTR>(&p), 0);
        return n > 0 ? std::wstring(p, static_cast<size_t>(n)) : std::wstring();
    };
    int twins = 0;
    for (unsigned id = 1; id < 1000; ++id) {
        const unsigned english = MapResId(ResKind::String, id, false);
        if (english == id)
            continue;
        // Some twins of the table name texts that no dialog here uses.
        if (text(id).empty() && text(english).empty())
            continue;
        ++twins;
        EXPECT_NE(L"", text(id)) << id;
        EXPECT_NE(L"", text(english)) << english;
        EXPECT_EQ(english, MapResId(ResKind::String, english, false)) << "an English id is no Japanese one";
    }
    EXPECT_GT(twins, 60);
}
