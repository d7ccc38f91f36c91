// Running programs as a user meets them: programs with titled windows
// (TaskWindowsA.exe with red icons, TaskWindowsB.exe with green ones), the
// sample's task page in the real emulator, taps, holds and menus played by
// its script, and what follows seen from outside: the foreground window,
// windows that closed, the screenshots.
#include "DisplayHarness.h"
#include "PluginRun.h"
#include "config/SettingIndex.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int kTitleStrip = 26;
const wchar_t kItemName[] = L"OrvTasks";
constexpr DWORD kDeadlineMs = 20000;  // only against a hang
constexpr std::uint32_t kRed = 0xE02828, kGreen = 0x28C83C;
// The first two task slots on a 480 × 300 item: the block in the corner.
constexpr POINT kFirst = {444, 260}, kSecond = {372, 260};

// A program with windows of the given titles; ended with the test.
class CTaskProgram {
public:
    CTaskProgram(const wchar_t* exe, const std::wstring& args)
    {
        std::wstring line = L"\"" + BuildFile(exe) + L"\" " + args;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            ::WaitForInputIdle(m_pi.hProcess, kDeadlineMs);  // its windows are there
    }
    ~CTaskProgram()
    {
        ::TerminateProcess(m_pi.hProcess, 0);
        ::WaitForSingleObject(m_pi.hProcess, kDeadlineMs);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    CTaskProgram(const CTaskProgram&) = delete;
    CTaskProgram& operator=(const CTaskProgram&) = delete;

private:
    PROCESS_INFORMATION m_pi = {};
};

bool Near(std::uint32_t a, std::uint32_t b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 8)
            return false;
    return true;
}

template <class F>
bool Eventually(F condition)
{
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kDeadlineMs; ::Sleep(50))
        if (condition())
            return true;
    return false;
}

class TasksInEmulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Ready()) << "the sample and Orvane.dll on the test drive T: (run through ctest)";
        m_strDir = TestOutputFolder(L"tasks");
        m_nRaise = CaptionBandHeight({90, L"Tahoma", true}) / 2;  // icons stand above their captions
    }
    // The sample starting on its task page, walking each second, reloaded
    // and selected (again).
    ::testing::AssertionResult Settings(CTodayHostRun* run, std::map<int, std::string> values) const
    {
        values.insert({{Set::ScreenSize, "480"}, {Set::FirstPage, "TRLS_PAGE"}, {Set::TaskInterval, "1"}});
        if (!m_install.Write(L"Orvane.ini", SettingsText(values)))
            return ::testing::AssertionFailure() << "cannot write Orvane.ini";
        if (!run)
            return ::testing::AssertionSuccess();
        if (auto deselected = CommandOk(*run, "deselect"); !deselected || !SendReloadSetting(PluginWindow()))
            return ::testing::AssertionFailure() << "no reload";
        return CommandOk(*run, "select " + NarrowText(kItemName));
    }
    std::string At(const char* command, POINT slot) const
    {
        return std::string(command) + " " + std::to_string(slot.x) + " " +
               std::to_string(kTitleStrip + slot.y - m_nRaise);
    }
    // Screenshots at rest until the item shows that many red and green
    // icons (a focused one is zoomed: less than two icons' pixels).
    ::testing::AssertionResult AwaitIcons(CTodayHostRun& run, const std::string& name, int red, int green)
    {
        int icons[2] = {-1, -1};
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kDeadlineMs;) {
            if (auto rest = SettledShot(run, m_strDir + L"\\" + std::wstring(name.begin(), name.end()) + L".png", m_shot);
                !rest)
                return rest;
            for (int c = 0; c < 2; ++c) {
                int n = 0;
                for (int y = kTitleStrip; y < kTitleStrip + 300; ++y)
                    for (int x = 0; x < m_shot.width; ++x)
                        n += Near(m_shot.At(x, y), c ? kGreen : kRed) ? 1 : 0;
                icons[c] = n / (48 * 48 * 95 / 100);
            }
            if (icons[0] == red && icons[1] == green)
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << name << ": " << icons[0] << " red, " << icons[1] << " green icons";
    }
    // The window whose icon the slot shows in the last shot.
    HWND ShownAt(POINT slot, HWND red, HWND green) const
    {
        const std::uint32_t colour = m_shot.At(slot.x, kTitleStrip + slot.y - m_nRaise);
        return Near(colour, kRed) ? red : Near(colour, kGreen) ? green : nullptr;
    }

    CPluginInstall m_install;
    std::wstring m_strDir;
    int m_nRaise = 0;
    CShot m_shot;
};

}  // namespace

// The programs' windows in walk order with their own icons, the untitled,
// excluded and shell-class ones never; then each value of setting 18 with a
// tap or a hold, the menus in English and Japanese. (Which window a switch
// puts first in the chain is the window system's business: Wine leaves the
// order as it was.)
TEST_F(TasksInEmulator, ProgramsShowInWalkOrderSwitchOpenMenusAndClose)
{
    ASSERT_TRUE(Settings(nullptr, {{Set::TaskHoldAction, "1"}}));
    CTaskProgram alpha(L"TaskWindowsA.exe", L"Alpha \"\" DuraruZur");
    CTaskProgram worker(L"TaskWindowsA.exe", L"--class Worker Shell");
    CTaskProgram beta(L"TaskWindowsB.exe", L"Beta");
    HWND a = ::FindWindowW(L"OrvTaskWindow", L"Alpha"), b = ::FindWindowW(L"OrvTaskWindow", L"Beta");
    ASSERT_TRUE(a && b && ::FindWindowW(L"OrvTaskWindow", L"DuraruZur") && ::FindWindowW(L"OrvTaskWindow", L"") &&
                ::FindWindowW(L"Worker", L"Shell"));
    CTodayItemKey key(kItemName, m_install.Dll(), 1, 2);
    CTodayHostRun run(m_install.HostOptions(kItemName));
    ASSERT_TRUE(CommandOk(run, "select " + NarrowText(kItemName)));
    ASSERT_TRUE(AwaitIcons(run, "two-tasks", 1, 1));
    HWND first = nullptr;
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w && !first; w = ::GetWindow(w, GW_HWNDNEXT))
        first = w == a || w == b ? w : nullptr;
    EXPECT_EQ(first, ShownAt(kFirst, a, b)) << "the first window of the chain in the first slot";
    HWND second = first == a ? b : a;
    EXPECT_EQ(second, ShownAt(kSecond, a, b));
    auto foreground = [](HWND w) { return Eventually([w] { return ::GetForegroundWindow() == w; }); };
    std::string answer;

    // 1: a tap switches; a hold opens the close menu (English 129), whose
    // Cancel closes nothing and leaves the next tap to count.
    ASSERT_TRUE(CommandOk(run, At("tap", kSecond)));
    EXPECT_TRUE(foreground(second));
    ASSERT_TRUE(CommandOk(run, At("hold", kFirst) + " 1500"));
    ASSERT_TRUE(CommandOk(run, "menu 2", &answer));
    EXPECT_EQ("ok menu Close App|Cancel -> 2", answer);
    ASSERT_TRUE(AwaitIcons(run, "cancelled", 1, 1));
    const HWND shown = ShownAt(kFirst, a, b);
    ASSERT_TRUE(CommandOk(run, At("tap", kFirst)));
    EXPECT_TRUE(foreground(shown));

    // 0: a tap opens the full menu (English 130), whose first item switches.
    ASSERT_TRUE(Settings(&run, {{Set::TaskHoldAction, "0"}}));
    ASSERT_TRUE(AwaitIcons(run, "menu-mode", 1, 1));
    ASSERT_TRUE(CommandOk(run, At("tap", kSecond)));
    ASSERT_TRUE(CommandOk(run, "menu 1", &answer));
    EXPECT_EQ("ok menu Switch Task|Close App|Cancel -> 1", answer);
    EXPECT_TRUE(foreground(ShownAt(kSecond, a, b)));

    // 2: a hold closes at once; the slot empties at the next walk.
    ASSERT_TRUE(Settings(&run, {{Set::TaskHoldAction, "2"}}));
    ASSERT_TRUE(AwaitIcons(run, "close-mode", 1, 1));
    HWND closing = ShownAt(kFirst, a, b), left = closing == a ? b : a;
    ASSERT_TRUE(CommandOk(run, At("hold", kFirst) + " 1500"));
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(closing); }));
    ASSERT_TRUE(AwaitIcons(run, "one-left", left == a, left == b));

    // 0 in Japanese: the full menu 101, whose Cancel closes nothing.
    ASSERT_TRUE(Settings(&run, {{Set::TaskHoldAction, "0"}, {Set::LanguageMode, "1"}}));
    ASSERT_TRUE(AwaitIcons(run, "japanese-menu", left == a, left == b));
    ASSERT_TRUE(CommandOk(run, At("tap", kFirst)));
    ASSERT_TRUE(CommandOk(run, "menu 3", &answer));
    EXPECT_EQ("ok menu \xe3\x82\xbf\xe3\x82\xb9\xe3\x82\xaf\xe5\x88\x87\xe6\x9b\xbf|"
              "\xe3\x82\xa2\xe3\x83\x97\xe3\x83\xaa\xe7\xb5\x82\xe4\xba\x86|"
              "\xe3\x82\xad\xe3\x83\xa3\xe3\x83\xb3\xe3\x82\xbb\xe3\x83\xab -> 3",
              answer);  // タスク切替|アプリ終了|キャンセル
    ASSERT_TRUE(AwaitIcons(run, "japanese-cancelled", left == a, left == b));
    EXPECT_TRUE(::IsWindow(left));

    // 1 in Japanese: the close menu 102's first item closes the last one.
    ASSERT_TRUE(Settings(&run, {{Set::TaskHoldAction, "1"}, {Set::LanguageMode, "1"}}));
    ASSERT_TRUE(AwaitIcons(run, "japanese", left == a, left == b));
    ASSERT_TRUE(CommandOk(run, At("hold", kFirst) + " 1500"));
    ASSERT_TRUE(CommandOk(run, "menu 1", &answer));
    EXPECT_EQ("ok menu \xe3\x82\xa2\xe3\x83\x97\xe3\x83\xaa\xe7\xb5\x82\xe4\xba\x86|"
              "\xe3\x82\xad\xe3\x83\xa3\xe3\x83\xb3\xe3\x82\xbb\xe3\x83\xab -> 1",
              answer);  // アプリ終了|キャンセル
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(left); }));
    EXPECT_TRUE(AwaitIcons(run, "none-left", 0, 0));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());
}
