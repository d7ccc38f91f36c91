// The settings program's main dialog under Wine: its pages on both screen
// sizes and in both languages, switching tabs, the Back key and the focus
// wrap, Save and Close.
#include "DialogWatcher.h"
#include "MemCards.h"
#include "MenuBar_win.h"
#include "DlgTabAbout.h"
#include "DlgTabEnv.h"
#include "DlgTabLstSetting.h"
#include "DlgTabPages.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"
#include "config/Folders.h"
#include "config/TextFile.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>

namespace {

struct LookCase {
    const char* name;
    SettingsScreen screen;
    const char* language;  // setting 2
    UINT mainTemplate, envTemplate, listTemplate;
    const wchar_t* title;
    const wchar_t* saveKey;
};

const LookCase kLooks[] = {
    {"SmallEnglish", kSmallScreen, "2", IDD_MAIN, IDD_ENV_ENG, IDD_LSTSETTING, L"OrvaneSetting", L"Save"},
    {"LargeEnglish", kLargeScreen, "2", IDD_MAIN_LARGE, IDD_ENV_ENG_LARGE, IDD_LSTSETTING_LARGE, L"OrvaneSetting",
     L"Save"},
    {"SmallJapanese", kSmallScreen, "1", IDD_MAIN, IDD_ENV, IDD_LSTSETTING, L"Orvane\u8a2d\u5b9a", L"\u8a2d\u5b9a"},
    {"LargeJapanese", kLargeScreen, "1", IDD_MAIN_LARGE, IDD_ENV_LARGE, IDD_LSTSETTING_LARGE, L"Orvane\u8a2d\u5b9a",
     L"\u8a2d\u5b9a"},
};

class SettingsLook : public ::testing::TestWithParam<LookCase> {};

}  // namespace

// Each page in each screen size and language: the templates of that size
// and language, nothing outside its dialog, and a picture to look at.
TEST_P(SettingsLook, EveryPageFitsItsScreen)
{
    const LookCase& c = GetParam();
    CSettingsSession session(c.screen, {{Set::LanguageMode, c.language}});
    ASSERT_TRUE(session.Open());
    CDlgMain& main = session.Main();
    EXPECT_EQ(c.mainTemplate, main.TemplateId());
    EXPECT_EQ(c.title, ControlText(session.Hwnd()));
    RECT window;
    ::GetWindowRect(session.Hwnd(), &window);
    EXPECT_EQ(c.screen.width, window.right - window.left) << "the device screen, not the PC's";
    EXPECT_EQ(c.screen.height, window.bottom - window.top);
    ASSERT_EQ(static_cast<size_t>(TAB_COUNT), main.PageCount());
    EXPECT_EQ(c.envTemplate, main.PageAt(TAB_ENV)->TemplateId());
    EXPECT_EQ(c.listTemplate, main.PageAt(TAB_COLOR)->TemplateId());
    // The labels are read in the program's language, whatever the system's.
    if (std::string(c.language) == "2") {
        EXPECT_EQ(L"Reference screen size (pixels)", main.Setting()->Def(Set::RefSize)->label);
    }

    const std::wstring folder = TestOutputFolder(L"settings-shots");
    // The page editor of the first page covers the screen too.
    const std::wstring editorCaption =
        std::string(c.language) == "2" ? L"Page Setting" : L"\u30da\u30fc\u30b8\u8a2d\u5b9a";
    bool editorInside = false;
    CDriver driver(editorCaption, [&](HWND editor) {
        editorInside = ChildrenInside(editor) && ControlText(::GetDlgItem(editor, IDC_SETPAGE_NAME)) == L"Home";
        SavePng(folder + L"\\editor.png", CaptureWindow(editor));
        TapSoftKey(editor, 1);
    });
    HWND pages = main.PageAt(TAB_PAGES)->Hwnd();
    SelectListRow(::GetDlgItem(pages, IDC_PAGES_LIST), 0);
    ClickButton(pages, IDC_PAGES_EDIT);
    driver.Join();
    EXPECT_TRUE(editorInside);
    for (int tab = 0; tab < TAB_COUNT; ++tab) {
        session.SelectTab(tab);
        ASSERT_EQ(main.PageAt(static_cast<size_t>(tab)), session.Page()) << tab;
        HWND page = session.Page()->Hwnd();
        EXPECT_TRUE(::IsWindowVisible(page)) << tab;
        EXPECT_TRUE(ChildrenInside(session.Hwnd())) << "tab " << tab;
        HWND bar = FindMenuBar(page);
        ASSERT_NE(nullptr, bar) << tab;
        EXPECT_EQ(c.saveKey, SoftKeyText(bar, 0));
        EXPECT_TRUE(SavePng(folder + L"\\tab" + std::to_wstring(tab) + L".png", CaptureWindow(session.Hwnd())));
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, SettingsLook, ::testing::ValuesIn(kLooks),
                         [](const ::testing::TestParamInfo<LookCase>& info) { return info.param.name; });

namespace {

const std::wstring kInstall = std::wstring(kInstallFolder) + L"\\";

using Stamps = std::map<std::wstring, std::filesystem::file_time_type>;

// The files' times; made an hour older first when asked, so that a write
// within the same second (times have seconds here) shows.
Stamps WriteTimes(const std::wstring& folder, bool age = false)
{
    namespace fs = std::filesystem;
    Stamps stamps;
    for (const auto& e : fs::recursive_directory_iterator(CDeviceSandbox::Host(folder))) {
        if (!e.is_regular_file())
            continue;
        if (age)
            fs::last_write_time(e.path(), e.last_write_time() - std::chrono::hours(1));
        stamps[fs::relative(e.path(), CDeviceSandbox::Host(folder)).wstring()] = fs::last_write_time(e.path());
    }
    return stamps;
}

// The files written (or made, or removed) since: by content or time.
std::vector<std::wstring> Written(const std::map<std::wstring, std::string>& before, const Stamps& stamps)
{
    const auto after = FolderFiles(kInstallFolder);
    const Stamps now = WriteTimes(kInstallFolder);
    std::vector<std::wstring> names;
    for (const auto& [name, bytes] : after)
        if (!stamps.count(name) || before.at(name) != bytes || stamps.at(name) != now.at(name))
            names.push_back(name);
    for (const auto& [name, bytes] : before)
        if (!after.count(name))
            names.push_back(name);
    return names;
}

}  // namespace

// Save writes the setting file, the page order and the own page file and
// nothing else; the start page "Last Viewed Page" is stored empty and an
// automatic screen size stays -1.
TEST(SettingsSession, SaveWritesItsThreeFiles)
{
    CSettingsSession session(kLargeScreen);
    const auto before = FolderFiles(kInstallFolder);
    const auto stamps = WriteTimes(kInstallFolder, true);
    ASSERT_TRUE(session.Open());
    CSetting& s = *session.Main().Setting();
    EXPECT_EQ(L"Last Viewed Page", s.GetStr(Set::FirstPage));
    EXPECT_EQ(-1, s.GetNum(Set::ScreenSize));
    s.SetNum(Set::CaptionColor, 0x0000FF);
    s.SetNum(Set::FrameBlend, 0);

    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    EXPECT_EQ((std::vector<std::wstring>{L"Orvane.ini", L"Page.ini", L"PageMng.ini"}), Written(before, stamps));
    // Icons nobody edited come back as the user wrote them, pictures
    // relative to the install folder included.
    const std::string pages = session.File(L"Page.ini");
    std::istringstream lines(before.at(L"Page.ini"));
    for (std::string line; std::getline(lines, line);) {
        if (line.find(",\\\\Icon\\") != std::string::npos) {
            EXPECT_NE(std::string::npos, pages.find(line + "\n")) << line;
        }
    }
    const std::string ini = session.File(L"Orvane.ini");
    for (const char* line : {"\r\nFirstPage=\r\n", "\r\nScreenSize=-1\r\n", "\r\nCaptionColor=255\r\n",
                             "\r\nFrameBlend=0\r\n", "\r\nExclusion=DuraruZur\r\n"})
        EXPECT_NE(std::string::npos, ini.find(line)) << line;
}

TEST(SettingsSession, CloseLeavesEveryFileAsItWas)
{
    CSettingsSession session(kSmallScreen);
    const auto before = FolderFiles(kInstallFolder);
    ASSERT_TRUE(session.Open());
    session.Main().Setting()->SetNum(Set::CaptionColor, 0x123456);
    session.SelectTab(TAB_ENV);
    session.Main().Setting()->SetNum(Set::LanguageMode, 2);
    ASSERT_TRUE(session.Ends(1, L"")) << "Close asks nothing";
    EXPECT_EQ(before, FolderFiles(kInstallFolder));
}

// A write that fails says so and keeps the dialog with its edits; once the
// obstacle is gone, Save succeeds.
TEST(SettingsSession, AFailedWriteKeepsTheDialogAndItsEdits)
{
    CSettingsSession session(kLargeScreen);
    ASSERT_TRUE(session.Open());
    const std::string oldIni = session.File(L"Orvane.ini");
    session.Device().MakeFolder(SaveTempPath(kInstall + L"Orvane.ini"));
    session.Main().Setting()->SetNum(Set::FrameBlend, 77);
    EXPECT_EQ(L"Failed to Save Setting.", TapAndRun(session.Main(), 0, 3000));
    ASSERT_NE(nullptr, session.Hwnd());
    EXPECT_EQ(77, session.Main().Setting()->GetNum(Set::FrameBlend));
    EXPECT_EQ(L"Last Viewed Page", session.Main().Setting()->GetStr(Set::FirstPage));
    EXPECT_EQ(oldIni, session.File(L"Orvane.ini"));

    ::RemoveDirectoryW(CDeviceSandbox::Host(SaveTempPath(kInstall + L"Orvane.ini")).c_str());
    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    EXPECT_NE(std::string::npos, session.File(L"Orvane.ini").find("\r\nFrameBlend=77\r\n"));
}

// The Back key deletes the character before the caret, once per press,
// without a message, and does not reach the dialog (whose Escape closes).
// The focus edit hands the focus on to the tabs.
TEST(SettingsSession, BackKeyAndFocusWrap)
{
    CSettingsSession session(kLargeScreen);
    ASSERT_TRUE(session.Open());
    session.SelectTab(TAB_BASIC);
    HWND page = session.Page()->Hwnd();
    HWND field = ::CreateWindowExW(0, L"EDIT", L"abc", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, page, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ::SetFocus(field);
    ::SendMessageW(field, EM_SETSEL, 3, 3);
    CDialogWatcher noMessage(L"OrvaneSet");
    for (int press = 0; press < 2; ++press) {
        ::PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageW(field, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0010001));
    }
    PumpMessagesUntil([] { return false; }, 500);
    EXPECT_FALSE(noMessage.Stop());
    wchar_t text[16] = L"";
    ::GetWindowTextW(field, text, 16);
    EXPECT_STREQ(L"a", text);
    EXPECT_NE(nullptr, session.Hwnd());
    ::DestroyWindow(field);

    ::SetFocus(::GetDlgItem(page, IDC_FOCUS_WRAP));
    EXPECT_EQ(session.Main().Item(IDC_TAB), ::GetFocus());
}

// The environments of main memory and of a card are offered, checked when
// in use; hidden and read-only folders, plain files and incomplete folders
// are not. Unchecking them all removes them from the setting file, but an
// environment of a card that is not in the device stays.
TEST(SettingsSession, EnvTabOffersTheEnvironmentsInUse)
{
    const std::wstring qvl = L"\\Program Files\\QVL\\", card = L"\\Storage Card\\Program Files\\QVL\\";
    std::map<int, std::string> settings{{Set::UseSiblingFiles, "1"}, {Set::LanguageMode, "2"}};
    CSettingsSession session(kSmallScreen, settings);
    CDeviceSandbox& dev = session.Device();
    DeclareMemCards({L"Storage Card"});
    for (const std::wstring& env : {qvl + L"QVLA", qvl + L"QVLHidden", qvl + L"QVLReadOnly", card + L"QVLB"})
        for (const wchar_t* file : {L"\\Motion.ini", L"\\Sheet.ini"})
            dev.WriteFile(env + file, "");
    dev.MakeFolder(qvl + L"QVLIncomplete");
    dev.WriteFile(qvl + L"QVLFile", "");
    dev.SetHidden(qvl + L"QVLHidden");
    dev.SetReadOnly(qvl + L"QVLReadOnly");
    const std::string away = "\\SD\\Program Files\\QVL\\QVLC\\";
    session.WriteFile(L"Orvane.ini", SettingsText(settings) + "QVL_ADDPATH=\\Program Files\\QVL\\QVLA\\\r\n" +
                                         "QVL_ADDPATH=\\Storage Card\\Program Files\\QVL\\QVLB\\\r\n" +
                                         "QVL_ADDPATH=" + away + "\r\n");
    ASSERT_TRUE(session.Open());
    session.SelectTab(TAB_ENV);
    HWND page = session.Page()->Hwnd();
    HWND list = ::GetDlgItem(page, IDC_ENV_LIST);
    EXPECT_EQ((std::vector<std::wstring>{L"QVLA [x]", L"QVLB  [MemCard] [x]"}), ListChecks(list, L" [x]", L" [ ]"));
    // No sibling installation: no check box, and the setting goes back to 0.
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page, IDC_ENV_SIBLING)));
    EXPECT_EQ(NarrowText(kInstall), NarrowText(session.Page()->ItemText(IDC_ENV_FOLDER)));

    for (int row = 0; row < 2; ++row)
        ListView_SetCheckState(list, static_cast<UINT>(row), FALSE);
    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    const std::string ini = session.File(L"Orvane.ini");
    EXPECT_EQ(std::string::npos, ini.find("QVLA")) << ini;
    EXPECT_EQ(std::string::npos, ini.find("QVLB")) << ini;
    EXPECT_NE(std::string::npos, ini.find("\r\nQVL_ADDPATH=" + away + "\r\n")) << ini;
    EXPECT_NE(std::string::npos, ini.find("\r\nUseTarliseFiles=0\r\n")) << ini;
}

// With the sibling launcher installed the check box offers its
// configuration and the folder shown follows it.
TEST(SettingsSession, EnvTabSiblingFolder)
{
    CSettingsSession session(kLargeScreen, {{Set::LanguageMode, "2"}});
    session.Device().MakeInstallation(kSiblingFolder);
    ASSERT_TRUE(session.Open());
    session.SelectTab(TAB_ENV);
    CDlgTab& page = *session.Page();
    EXPECT_TRUE(::IsWindowVisible(page.Item(IDC_ENV_SIBLING)));
    EXPECT_EQ(L"Load Tarlise Env", page.ItemText(IDC_ENV_SIBLING));
    EXPECT_FALSE(page.IsChecked(IDC_ENV_SIBLING));
    EXPECT_EQ(kInstall, page.ItemText(IDC_ENV_FOLDER));
    ::SendMessageW(page.Item(IDC_ENV_SIBLING), BM_CLICK, 0, 0);
    EXPECT_EQ(std::wstring(kSiblingFolder) + L"\\", page.ItemText(IDC_ENV_FOLDER));
    session.SelectTab(TAB_BASIC);
    EXPECT_EQ(1, session.Main().Setting()->GetNum(Set::UseSiblingFiles));
    EXPECT_EQ(2, session.Main().Setting()->GetNum(Set::LanguageMode));
}

// A page file whose reading stopped at a broken page: the program says
// where, and Save keeps the pages it could not read after the ones it writes.
TEST(SettingsSession, PageFileThatStoppedEarlyIsReportedAndKept)
{
    CSettingsSession session(kLargeScreen);
    const std::string rest = "[Broken]\r\nS_HOME_P,0,0\r\n[Later]\r\nS_HOME_P,0,0\r\nS_HOME_P,0,0\r\n";
    const std::string pages = session.File(L"Page.ini") + rest;
    session.WriteFile(L"Page.ini", pages);
    const int line = static_cast<int>(std::count(pages.begin(), pages.end() - static_cast<long>(rest.size()), '\n')) + 1;
    {
        CDialogWatcher told(L"Orvane");
        ASSERT_TRUE(session.Open());
        PumpMessagesUntil([] { return false; }, 1500);  // the report comes once the dialog is up
        ASSERT_TRUE(told.Wait());
        EXPECT_NE(std::wstring::npos, told.Text().find(L"Page.ini")) << NarrowText(told.Text());
        EXPECT_NE(std::wstring::npos, told.Text().find(L"line " + std::to_wstring(line))) << NarrowText(told.Text());
    }
    EXPECT_EQ(nullptr, session.Main().m_Launch.Pages()->FindPage(L"Later"));
    ASSERT_TRUE(session.Ends(0, L"Saved Setting."));
    const std::string written = session.File(L"Page.ini");
    ASSERT_GT(written.size(), rest.size());
    EXPECT_EQ(rest, written.substr(written.size() - rest.size()));
    const std::string comments = pages.substr(0, pages.find("[Home]\r\n"));
    EXPECT_EQ(0u, written.find(comments + "[Home]\r\n")) << "the comments, then the pages read";
}

// A setting file that cannot be read: the program says so and ends,
// writing nothing over it.
TEST(SettingsSession, UnreadableSettingFileEndsTheProgram)
{
    CSettingsSession session(kLargeScreen);
    ::DeleteFileW(CDeviceSandbox::Host(kInstall + L"Orvane.ini").c_str());
    session.Device().MakeFolder(kInstall + L"Orvane.ini");
    const auto before = FolderFiles(kInstallFolder);
    CDialogWatcher told(L"Orvane(Error)");
    EXPECT_FALSE(session.Open());
    ASSERT_TRUE(told.Wait());
    EXPECT_NE(std::wstring::npos, told.Text().find(L"\\Orvane.ini")) << NarrowText(told.Text());
    EXPECT_EQ(before, FolderFiles(kInstallFolder));
}
