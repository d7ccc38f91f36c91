// Orvane.dll as the device runs it: the sample installed with the built
// plug-in, its Today item in the real registry, the real emulator process
// loading it, and the screen read back from the emulator's screenshots.
#include "CeSetup_win.h"
#include "DialogWatcher.h"
#include "DisplayHarness.h"
#include "GdiCount.h"
#include "PluginRun.h"
#include "TodayItem_win.h"
#include "TodayReload_win.h"
#include "config/SettingIndex.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr int kTitleStrip = 26;
constexpr int kIconSize = 64;  // the sample's slots at the reference size
const wchar_t kItemName[] = L"OrvTestPlugin";

// An alpha icon of the sample's first page (sheet S_HOME_P) on its slot.
struct CSlotIcon {
    const wchar_t* file;
    int x, y;
};
const CSlotIcon kHomeIcons[] = {
    {L"Notes.png", 48, 50},  {L"Web.png", 144, 50},    {L"Files.png", 240, 50}, {L"Terminal.png", 336, 50},
    {L"Settings.png", 432, 50}, {L"Games.png", 48, 150}, {L"Tools.png", 48, 250}, {L"Recent.png", 144, 250},
    {L"Clock.png", 240, 250}, {L"Tasks.png", 336, 250},
};

std::string Items(int width, int height, const wchar_t* name = kItemName)
{
    return "ok items 1: " + NarrowText(name) + " 0," + std::to_string(kTitleStrip) + " " + std::to_string(width) +
           "x" + std::to_string(height);
}

// The rows of a shot from the item's top down.
std::vector<std::uint32_t> BelowStrip(const CShot& shot)
{
    return {shot.px.begin() + static_cast<std::ptrdiff_t>(kTitleStrip) * shot.width, shot.px.end()};
}

class PluginInEmulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Ready())
            << "the sample and Orvane.dll in \\Program Files\\Orvane of the test drive T: (run through ctest)";
        m_strDir = TestOutputFolder(L"plugin");
        m_nCaptionBand = CaptionBandHeight({90, L"Tahoma", true});  // the sample's caption font
        ASSERT_GT(m_nCaptionBand, 0);
    }

    std::wstring Shot(const wchar_t* name) const { return m_strDir + L"\\" + name; }

    std::unique_ptr<CTodayItemKey> Register(const wchar_t* name = kItemName) const
    {
        return std::make_unique<CTodayItemKey>(name, m_install.Dll(), 1, 2);
    }

    std::wstring Options(const wchar_t* name = kItemName) const
    {
        return m_install.HostOptions(name);
    }

    // Where the top-left corner of a 64-pixel icon of a slot lands on the
    // screen: centred on the slot, raised by half the caption band below it.
    POINT IconCorner(int x, int y) const
    {
        return {x - kIconSize / 2, kTitleStrip + y - m_nCaptionBand / 2 - kIconSize / 2};
    }

    CIconPicture Picture(const std::wstring& file) const
    {
        CIconPicture picture;
        EXPECT_TRUE(LoadIconPicture(m_install.File(L"Icon\\" + file), picture)) << NarrowText(file);
        return picture;
    }

    // The icon of the file stands on the slot, its opaque pixels unchanged.
    ::testing::AssertionResult IconOnSlot(const CShot& shot, const std::wstring& file, int x, int y) const
    {
        const CIconPicture picture = Picture(file);
        const POINT at = IconCorner(x, y);
        const CFound found = FindPicture(shot, picture, at.x, at.y, 4);
        if (found.match > 0.98 && std::abs(found.left - at.x) <= 2 && std::abs(found.top - at.y) <= 2)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << NarrowText(file) << " expected at " << at.x << "," << at.y
                                             << ", best " << found.left << "," << found.top << " matching "
                                             << found.match;
    }

    // Asks for the items until the answer comes (after a reload the screen
    // learns a new height at its next poll); the last answer.
    static std::string AwaitItems(CTodayHostRun& run, const std::string& wanted)
    {
        std::string answer;
        for (int i = 0; i < 40 && answer != wanted; ++i) {  // 10 s: only against a hang
            if (i > 0)
                run.Command("wait 250");
            answer = run.Command("items");
        }
        return answer;
    }

    CPluginInstall m_install;
    std::wstring m_strDir;
    int m_nCaptionBand = 0;
};

// The refresh-cache answers (0 or 1) in the emulator's log, oldest first.
std::vector<int> CacheAnswers(CTodayHostRun& run)
{
    std::vector<int> answers;
    for (const std::string& line : run.LogLines())
        if (line.find(" QUERYREFRESHCACHE ") != std::string::npos)
            answers.push_back(line.back() - '0');
    return answers;
}

// Waits for the screen's next 2-s poll of the item.
::testing::AssertionResult AwaitPoll(CTodayHostRun& run)
{
    const size_t before = CacheAnswers(run).size();
    for (int i = 0; i < 40; ++i) {  // 10 s: only against a hang
        if (CacheAnswers(run).size() > before)
            return ::testing::AssertionSuccess();
        if (auto waited = CommandOk(run, "wait 250"); !waited)
            return waited;
    }
    return ::testing::AssertionFailure() << "no poll";
}

}  // namespace

TEST_F(PluginInEmulator, SampleFliesInOntoItsSlotsWhenSelectedAndLeavesTheWallpaper)
{
    auto key = Register();
    CTodayHostRun run(Options());
    ASSERT_TRUE(run.Started());
    std::string items;
    ASSERT_TRUE(CommandOk(run, "items", &items));
    EXPECT_EQ(Items(480, 300), items) << "setting 19";

    CShot plain, first, selected, deselected;
    ASSERT_TRUE(SettledShot(run, Shot(L"plain.png"), plain));
    // Both lines at once: the first frame is taken before the test could lag.
    const std::wstring firstPath = Shot(L"first.png");
    EXPECT_EQ("ok select 0 " + NarrowText(kItemName),
              run.Command("select " + NarrowText(kItemName) + "\nscreenshot \"" + NarrowText(firstPath) + "\""));
    ASSERT_EQ("ok screenshot " + NarrowText(firstPath) + " 480x640", run.Next());
    ASSERT_TRUE(ReadPng(firstPath, first));
    ASSERT_TRUE(SettledShot(run, Shot(L"selected.png"), selected));
    ASSERT_TRUE(CommandOk(run, "deselect"));
    ASSERT_TRUE(SettledShot(run, Shot(L"deselected.png"), deselected));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());

    for (const CSlotIcon& icon : kHomeIcons) {
        SCOPED_TRACE(NarrowText(icon.file));
        const POINT at = IconCorner(icon.x, icon.y);
        EXPECT_LT(OpaqueMatch(first, Picture(icon.file), at.x, at.y), 0.5) << "not on its slot yet";
        EXPECT_TRUE(IconOnSlot(selected, icon.file, icon.x, icon.y));
    }

    // Unselected before and after: the wallpaper under the item, through
    // the item's 16-bit background, and nothing else.
    EXPECT_TRUE(BelowStrip(plain) == BelowStrip(deselected)) << "deselected as before the selection";
    CShot wallpaper;
    ASSERT_TRUE(ReadPng(m_install.File(L"Wallpaper.png"), wallpaper));
    int off = 0;
    for (int y = kTitleStrip; y < kTitleStrip + 300; ++y)
        for (int x = 0; x < 480; ++x)
            for (int shift : {0, 8, 16})
                off += std::abs(static_cast<int>((plain.At(x, y) >> shift) & 0xFF) -
                                static_cast<int>((wallpaper.At(x, y) >> shift) & 0xFF)) > 8;
    EXPECT_EQ(0, off) << "channels off the wallpaper by more than RGB565 rounds";
}

// The settings program's reload request, the emulator's own reload and the
// installer hooks' refresh all make the item read its installation again.
enum class ReloadBy { settingsProgram, emulatorCommand, iniChangeMessage };

class PluginReload : public PluginInEmulator, public ::testing::WithParamInterface<ReloadBy> {};

TEST_P(PluginReload, ShowsTheChangedInstallationAfterwards)
{
    auto key = Register();
    CTodayHostRun run(Options());
    ASSERT_TRUE(run.Started());
    ASSERT_EQ(Items(480, 300), run.Command("items"));

    // Another first page (a strip of five slots at y = 150) and another
    // height; with the sample's automatic screen size both heights would be
    // worked out from the screen again.
    ASSERT_TRUE(m_install.Write(L"Orvane.ini", SettingsText({{Set::ScreenSize, "480"},
                                                              {Set::FirstPage, "Tools"},
                                                              {Set::HeightPortrait, "240"}})));
    switch (GetParam()) {
    case ReloadBy::settingsProgram: ASSERT_TRUE(SendReloadSetting(PluginWindow())); break;
    case ReloadBy::emulatorCommand: ASSERT_EQ("ok reload 1 items", run.Command("reload")); break;
    case ReloadBy::iniChangeMessage: ASSERT_TRUE(SendTodayReload(10000)); break;
    }
    EXPECT_EQ(Items(480, 240), AwaitItems(run, Items(480, 240)));

    ASSERT_TRUE(CommandOk(run, "select " + NarrowText(kItemName)));
    CShot shot;
    ASSERT_TRUE(SettledShot(run, Shot(L"tools.png"), shot));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());
    // The Tools page's fifth icon, Console, on the strip's last slot; the
    // Home page's first icon nowhere near its slot.
    EXPECT_TRUE(IconOnSlot(shot, L"Terminal.png", 432, 150));
    const POINT home = IconCorner(48, 50);
    EXPECT_LT(FindPicture(shot, Picture(L"Notes.png"), home.x, home.y, 4).match, 0.5);
}

INSTANTIATE_TEST_SUITE_P(By, PluginReload,
                         ::testing::Values(ReloadBy::settingsProgram, ReloadBy::emulatorCommand,
                                           ReloadBy::iniChangeMessage),
                         [](const auto& info) {
                             switch (info.param) {
                             case ReloadBy::settingsProgram: return "ReloadSettingMessage";
                             case ReloadBy::emulatorCommand: return "ReloadCommand";
                             default: return "IniChangeMessage";
                             }
                         });

// Bexhook's hooks work on the item's own key, "Orvane".
TEST_F(PluginInEmulator, InstallerHooksFreeTheLibraryForTheCopyAndLoadItAgain)
{
    auto key = Register(L"Orvane");
    HMODULE hooks = ::LoadLibraryW(BuildFile(L"Bexhook.dll").c_str());
    ASSERT_NE(nullptr, hooks);
    // Through void(*)(): FARPROC matches no hook's type.
    const auto init = reinterpret_cast<decltype(&Install_Init)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(hooks, "Install_Init")));
    const auto exit = reinterpret_cast<decltype(&Install_Exit)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(hooks, "Install_Exit")));
    ASSERT_TRUE(init && exit);
    {
        CTodayHostRun run(Options(L"Orvane"));
        ASSERT_TRUE(run.Started());
        ASSERT_EQ(Items(480, 300, L"Orvane"), run.Command("items"));
        EXPECT_FALSE(::DeleteFileW(m_install.Dll().c_str())) << "the library is in use";

        CDialogWatcher noDialog(L"Error");
        EXPECT_EQ(codeINSTALL_INIT_CONTINUE, init(nullptr, TRUE, FALSE, L"\\Program Files\\Orvane"));
        EXPECT_EQ("ok items 0", run.Command("items"));
        // The installer's copy: the old file goes, the new one comes.
        EXPECT_TRUE(::DeleteFileW(m_install.Dll().c_str()));
        ASSERT_TRUE(::CopyFileW(BuildFile(L"Orvane.dll").c_str(), m_install.Dll().c_str(), FALSE));
        EXPECT_EQ(codeINSTALL_EXIT_DONE, exit(nullptr, L"\\Program Files\\Orvane", 0, 0, 0, 0, 0));
        EXPECT_FALSE(noDialog.Stop());

        EXPECT_EQ(Items(480, 300, L"Orvane"), run.Command("items"));
        ASSERT_TRUE(CommandOk(run, "select Orvane"));
        CShot shot;
        ASSERT_TRUE(SettledShot(run, Shot(L"reinstalled.png"), shot));
        EXPECT_TRUE(IconOnSlot(shot, L"Notes.png", 48, 50)) << "the new library draws";
        EXPECT_EQ("ok quit", run.Command("quit"));
        EXPECT_EQ(0u, run.Finish());
    }
    ::FreeLibrary(hooks);
}

// Settings 19 and 20 differ here, so each turn changes the height once. The
// screen size is fixed: the automatic one makes both heights 300.
TEST_F(PluginInEmulator, RefreshQueryAnswersOnceAfterEachTurn)
{
    ASSERT_TRUE(m_install.Write(L"Orvane.ini", SettingsText({{Set::ScreenSize, "480"},
                                                              {Set::HeightPortrait, "260"},
                                                              {Set::HeightLandscape, "180"}})));
    auto key = Register();
    CTodayHostRun run(Options() + L" --log");
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(Items(480, 260), run.Command("items"));
    ASSERT_TRUE(AwaitPoll(run));
    ASSERT_EQ("ok rotate 640x480", run.Command("rotate"));
    EXPECT_EQ(Items(640, 180), run.Command("items"));
    ASSERT_TRUE(AwaitPoll(run));
    ASSERT_TRUE(AwaitPoll(run));
    ASSERT_EQ("ok rotate 480x640", run.Command("rotate"));
    EXPECT_EQ(Items(480, 260), run.Command("items"));
    ASSERT_TRUE(AwaitPoll(run));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());

    // Loading, each turn: one 1, then the polls' 0s.
    std::vector<int> changes;
    for (int answer : CacheAnswers(run))
        if (changes.empty() || answer != 0 || changes.back() != 0)
            changes.push_back(answer);
    EXPECT_EQ((std::vector<int>{1, 0, 1, 0, 1, 0}), changes);
}

// Both reloads, the settings program's in the same library and the screen's
// with a fresh one, with the icons drawn in between.
TEST_F(PluginInEmulator, ManyReloadsLeaveTheScreenNoMoreGdiObjects)
{
    // Fast motions: every icon is drawn within a few frames of the selection.
    ASSERT_TRUE(m_install.Write(L"Orvane.ini", SettingsText({{Set::AnimSpeed, "300"}})));
    auto key = Register();
    CTodayHostRun run(Options());
    ASSERT_TRUE(run.Started());
    ASSERT_EQ(Items(480, 300), run.Command("items"));  // the item's window is there from here on
    const std::string select = "select " + NarrowText(kItemName);
    auto cycle = [&] {
        ASSERT_TRUE(SendReloadSetting(PluginWindow()));
        ASSERT_TRUE(CommandOk(run, select));
        ASSERT_TRUE(CommandOk(run, "wait 150"));
        ASSERT_TRUE(CommandOk(run, "deselect"));
        ASSERT_TRUE(CommandOk(run, "wait 150"));
        ASSERT_EQ("ok reload 1 items", run.Command("reload"));
    };
    // Counted with the item painted at rest, its surfaces made.
    const std::wstring path = Shot(L"rest.png");
    auto count = [&] {
        EXPECT_TRUE(CommandOk(run, "screenshot \"" + NarrowText(path) + "\""));
        return GdiObjectCount(run.Process());
    };
    for (int i = 0; i < 3; ++i) {  // what Wine and the shell make once
        cycle();
        if (HasFatalFailure())
            return;
    }
    const unsigned long before = count();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 50; ++i) {
        cycle();
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(before, count());
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());
}

namespace {

// What this thread holds of COM: "none", "mta" (joined the multithreaded
// apartment) or "sta".
std::string ComOfThisThread()
{
    const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (hr == RPC_E_CHANGED_MODE)
        return "mta";
    if (FAILED(hr))
        return "failed";
    ::CoUninitialize();
    return hr == S_OK ? "none" : "sta";
}

}  // namespace

// The item window takes COM on the thread that creates it and gives it back
// when it is destroyed: the module's unloading, under the loader lock, has
// none of it left to end. Unloaded and loaded again, the library starts over.
TEST_F(PluginInEmulator, ComIsGivenBackWithTheItemWindowBeforeTheLibraryIsUnloaded)
{
    std::thread([this] {
        for (int cycle = 0; cycle < 2; ++cycle) {
            ASSERT_EQ("none", ComOfThisThread());
            HMODULE library = ::LoadLibraryW(m_install.Dll().c_str());
            ASSERT_NE(nullptr, library);
            auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(
                reinterpret_cast<void (*)()>(::GetProcAddress(library, "InitializeCustomItem")));
            ASSERT_NE(nullptr, init);
            HWND parent = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 480, 300, nullptr, nullptr,
                                            nullptr, nullptr);
            HWND item = init(nullptr, parent);
            ASSERT_NE(nullptr, item);
            EXPECT_EQ("mta", ComOfThisThread()) << "cycle " << cycle;
            ::DestroyWindow(item);
            EXPECT_EQ("none", ComOfThisThread()) << "cycle " << cycle;
            ::DestroyWindow(parent);
            EXPECT_TRUE(::FreeLibrary(library));
            EXPECT_EQ(nullptr, ::GetModuleHandleW(m_install.Dll().c_str())) << "cycle " << cycle;
        }
    }).join();
}
