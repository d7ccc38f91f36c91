// The settings program's main dialog under Wine: its pages on both screen
// sizes and in both languages, switching tabs, the Back key and the focus
// wrap, Save and Close.
#include "DialogWatcher.h"
#include "MenuBar_win.h"
#include "DlgTabAbout.h"
#include "DlgTabEnv.h"
#include "DlgTabLstSetting.h"
#include "OrvaneSet_rc.h"
#include "PluginRun.h"
#include "SettingsRun.h"
#include "config/Folders.h"

#include <gtest/gtest.h>

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

std::wstring WindowText(HWND hwnd)
{
    wchar_t text[256] = L"";
    ::GetWindowTextW(hwnd, text, 256);
    return text;
}

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
    EXPECT_EQ(c.title, WindowText(session.Hwnd()));
    RECT window;
    ::GetWindowRect(session.Hwnd(), &window);
    EXPECT_EQ(c.screen.width, window.right - window.left) << "the device screen, not the PC's";
    EXPECT_EQ(c.screen.height, window.bottom - window.top);
    ASSERT_EQ(static_cast<size_t>(TAB_COUNT), main.PageCount());
    EXPECT_EQ(c.envTemplate, main.PageAt(TAB_ENV)->TemplateId());
    EXPECT_EQ(c.listTemplate, main.PageAt(TAB_COLOR)->TemplateId());

    const std::wstring folder = TestOutputFolder(L"settings-shots");
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
