// Running programs as a user meets them: real programs (TaskWindowsA.exe
// with red icons, TaskWindowsB.exe with green ones) with titled windows,
// the sample's task page in the real emulator, taps, holds and the task
// menus played by its script, and what follows seen from outside: the
// foreground window, windows that closed, the screenshots.
#include "DisplayHarness.h"
#include "PluginRun.h"
#include "config/SettingIndex.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kTitleStrip = 26;
const wchar_t kItemName[] = L"OrvTasks";
constexpr DWORD kDeadlineMs = 20000;  // only against a hang
constexpr std::uint32_t kRed = 0xE02828, kGreen = 0x28C83C;
constexpr int kTaskIcon = 48;  // the sample's task slots
// Where the sample's task page puts its first two task slots on a 480 ×
// 300 item: the block in the bottom-right corner.
struct CSlot {
    int x, y;
};
constexpr CSlot kFirstTask = {444, 260}, kSecondTask = {372, 260};

// A fixture program with windows of the given titles; ended at the end.
class CTaskProgram {
public:
    CTaskProgram(const wchar_t* exe, const std::wstring& args)
    {
        std::wstring line = L"\"" + BuildFile(exe) + L"\" " + args;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            m_pi = {};
        else
            ::WaitForInputIdle(m_pi.hProcess, kDeadlineMs);  // its windows are made
    }
    ~CTaskProgram()
    {
        if (!m_pi.hProcess)
            return;
        ::TerminateProcess(m_pi.hProcess, 0);
        ::WaitForSingleObject(m_pi.hProcess, kDeadlineMs);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    CTaskProgram(const CTaskProgram&) = delete;
    CTaskProgram& operator=(const CTaskProgram&) = delete;

    bool Started() const { return m_pi.hProcess != nullptr; }
    // Its top-level window of that title, or null.
    HWND Window(const std::wstring& title) const
    {
        for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            wchar_t text[256] = {};
            ::GetWindowTextW(w, text, 256);
            if (pid == m_pi.dwProcessId && title == text)
                return w;
        }
        return nullptr;
    }

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

// The title of the foreground window, for failure messages.
std::string Foreground()
{
    wchar_t text[256] = {};
    ::GetWindowTextW(::GetForegroundWindow(), text, 256);
    return NarrowText(text);
}

// Polls until the condition holds; false at the deadline.
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
        ASSERT_TRUE(m_install.Ready())
            << "the sample and Orvane.dll in \\Program Files\\Orvane of the test drive T: (run through ctest)";
        m_strDir = TestOutputFolder(L"tasks");
        m_nCaptionBand = CaptionBandHeight({90, L"Tahoma", true});
        ASSERT_GT(m_nCaptionBand, 0);
    }

    // The sample starting on its task page, walking each second.
    ::testing::AssertionResult Settings(std::map<int, std::string> values) const
    {
        values.emplace(Set::ScreenSize, "480");
        values.emplace(Set::FirstPage, "TRLS_PAGE");
        values.emplace(Set::TaskInterval, "1");
        if (m_install.Write(L"Orvane.ini", SettingsText(values)))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "cannot write Orvane.ini";
    }
    // Settings changed under a running emulator: reloaded and selected again.
    ::testing::AssertionResult Reload(CTodayHostRun& run, std::map<int, std::string> values) const
    {
        if (auto written = Settings(std::move(values)); !written)
            return written;
        if (auto deselected = CommandOk(run, "deselect"); !deselected)
            return deselected;
        if (!SendReloadSetting(PluginWindow()))
            return ::testing::AssertionFailure() << "no reload";
        return CommandOk(run, Select());
    }
    std::unique_ptr<CTodayHostRun> Start()
    {
        m_key = std::make_unique<CTodayItemKey>(kItemName, m_install.Dll(), 1, 2);
        return std::make_unique<CTodayHostRun>(L"--only " + std::wstring(kItemName) + L" --wallpaper \"" +
                                               m_install.File(L"Wallpaper.png") + L"\"");
    }
    static std::string Select() { return "select " + NarrowText(kItemName); }
    // A pointer command on a task slot's icon, which stands half the caption
    // band above the slot's centre.
    std::string At(const std::string& command, CSlot slot) const
    {
        return command + " " + std::to_string(slot.x) + " " +
               std::to_string(kTitleStrip + slot.y - m_nCaptionBand / 2);
    }
    CShot Rest(CTodayHostRun& run, const std::string& name)
    {
        CShot shot;
        EXPECT_TRUE(SettledShot(run, m_strDir + L"\\" + std::wstring(name.begin(), name.end()) + L".png", shot))
            << name;
        return shot;
    }
    // The colour in the middle of a task slot's icon.
    std::uint32_t IconColour(const CShot& shot, CSlot slot) const
    {
        return shot.width ? shot.At(slot.x, kTitleStrip + slot.y - m_nCaptionBand / 2) : 0;
    }
    // Icons of the colour in the item: its pixels, by those of an icon at
    // rest (a focused one, zoomed, has fewer than two icons' worth).
    static int Icons(const CShot& shot, std::uint32_t colour)
    {
        int n = 0;
        for (int y = kTitleStrip; y < kTitleStrip + 300 && y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x)
                n += Near(shot.At(x, y), colour) ? 1 : 0;
        return n / (kTaskIcon * kTaskIcon * 95 / 100);
    }
    // Screenshots until the item shows icons of these colours this often.
    ::testing::AssertionResult AwaitIcons(CTodayHostRun& run, const std::string& name, int red, int green)
    {
        CShot shot;
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kDeadlineMs;) {
            shot = Rest(run, name);
            if (Icons(shot, kRed) == red && Icons(shot, kGreen) == green)
                return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << name << ": " << Icons(shot, kRed) << " red and " << Icons(shot, kGreen)
                                             << " green icons";
    }
    static std::string Quit(CTodayHostRun& run)
    {
        const std::string answer = run.Command("quit");
        return answer + (run.Finish() == 0 ? "" : " (exit code not 0)");
    }

    CPluginInstall m_install;
    std::wstring m_strDir;
    int m_nCaptionBand = 0;
    std::unique_ptr<CTodayItemKey> m_key;
};

// Which of the two windows comes first in the desktop's chain.
bool FirstInChain(HWND a, HWND b)
{
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (w == a)
            return true;
        if (w == b)
            return false;
    }
    return false;
}

}  // namespace

// The programs' windows in walk order with their own icons, the excluded
// ones never; a tap switches (setting 1), a hold opens the close menu, and
// with setting 0 a tap opens the full menu. (Which window a switch puts
// first in the chain is the window system's business: Wine's activation
// leaves the order as it was.)
TEST_F(TasksInEmulator, RunningProgramsShowInWalkOrderAndTapsSwitchOrOpenMenus)
{
    ASSERT_TRUE(Settings({{Set::TaskHoldAction, "1"}}));
    CTaskProgram alpha(L"TaskWindowsA.exe", L"Alpha \"\" DuraruZur");
    CTaskProgram worker(L"TaskWindowsA.exe", L"--class Worker \"A worker\"");
    CTaskProgram beta(L"TaskWindowsB.exe", L"Beta");
    ASSERT_TRUE(alpha.Started() && worker.Started() && beta.Started());
    HWND a = alpha.Window(L"Alpha"), b = beta.Window(L"Beta");
    ASSERT_TRUE(a && b && alpha.Window(L"DuraruZur") && alpha.Window(L"") && worker.Window(L"A worker"));

    auto run = Start();
    ASSERT_TRUE(run->Started());
    ASSERT_TRUE(CommandOk(*run, Select()));
    // One red and one green icon: the untitled, excluded and worker windows
    // (red too) stay out.
    ASSERT_TRUE(AwaitIcons(*run, "two-tasks", 1, 1));
    const bool alphaFirst = FirstInChain(a, b);
    const CShot shot = Rest(*run, "walk-order");
    EXPECT_TRUE(Near(alphaFirst ? kRed : kGreen, IconColour(shot, kFirstTask)));
    EXPECT_TRUE(Near(alphaFirst ? kGreen : kRed, IconColour(shot, kSecondTask)));

    // The window whose icon a slot shows.
    auto shownAt = [&](CSlot slot, const std::string& step) {
        const std::uint32_t colour = IconColour(Rest(*run, step), slot);
        return Near(colour, kRed) ? a : Near(colour, kGreen) ? b : nullptr;
    };
    // A tap on the second switches to its program.
    HWND second = shownAt(kSecondTask, "before-switch");
    ASSERT_TRUE(CommandOk(*run, At("tap", kSecondTask)));
    EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == second; })) << Foreground();

    // A hold opens the close menu (English: 129); Cancel closes nothing, and
    // the next tap counts again.
    std::string answer;
    ASSERT_TRUE(CommandOk(*run, At("hold", kFirstTask) + " 1500"));
    ASSERT_TRUE(CommandOk(*run, "menu 2", &answer));
    EXPECT_EQ("ok menu Close App|Cancel -> 2", answer);
    EXPECT_TRUE(::IsWindow(a) && ::IsWindow(b));
    HWND first = shownAt(kFirstTask, "after-cancel");
    ASSERT_TRUE(CommandOk(*run, At("tap", kFirstTask)));
    EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == first; })) << Foreground();

    // Setting 0: a tap opens the full menu (English: 130); its first item
    // switches.
    ASSERT_TRUE(Reload(*run, {{Set::TaskHoldAction, "0"}}));
    ASSERT_TRUE(AwaitIcons(*run, "menu-mode", 1, 1));
    second = shownAt(kSecondTask, "menu-mode-second");
    ASSERT_NE(second, ::GetForegroundWindow());
    ASSERT_TRUE(CommandOk(*run, At("tap", kSecondTask)));
    ASSERT_TRUE(CommandOk(*run, "menu 1", &answer));
    EXPECT_EQ("ok menu Switch Task|Close App|Cancel -> 1", answer);
    EXPECT_TRUE(Eventually([&] { return ::GetForegroundWindow() == second; })) << Foreground();

    EXPECT_EQ("ok quit", Quit(*run));
    EXPECT_TRUE(::IsWindow(a) && ::IsWindow(b)) << "nothing was closed";
}

// Setting 2 closes at once on a hold; with setting 1 the (Japanese) close
// menu's first item does. Each slot empties at the next walk.
TEST_F(TasksInEmulator, HoldsCloseTasksAndTheirSlotsEmpty)
{
    ASSERT_TRUE(Settings({{Set::TaskHoldAction, "2"}}));
    CTaskProgram alpha(L"TaskWindowsA.exe", L"Alpha");
    CTaskProgram beta(L"TaskWindowsB.exe", L"Beta");
    ASSERT_TRUE(alpha.Started() && beta.Started());
    HWND a = alpha.Window(L"Alpha"), b = beta.Window(L"Beta");
    ASSERT_TRUE(a && b);

    auto run = Start();
    ASSERT_TRUE(run->Started());
    ASSERT_TRUE(CommandOk(*run, Select()));
    ASSERT_TRUE(AwaitIcons(*run, "two-tasks", 1, 1));
    HWND first = FirstInChain(a, b) ? a : b;
    HWND second = first == a ? b : a;
    ASSERT_TRUE(CommandOk(*run, At("hold", kFirstTask) + " 1500"));
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(first); }));
    EXPECT_TRUE(::IsWindow(second));
    ASSERT_TRUE(AwaitIcons(*run, "one-closed", second == a ? 1 : 0, second == b ? 1 : 0));
    EXPECT_TRUE(Near(second == a ? kRed : kGreen, IconColour(Rest(*run, "one-left"), kFirstTask)));

    ASSERT_TRUE(Reload(*run, {{Set::TaskHoldAction, "1"}, {Set::LanguageMode, "1"}}));
    ASSERT_TRUE(AwaitIcons(*run, "japanese", second == a ? 1 : 0, second == b ? 1 : 0));
    std::string answer;
    ASSERT_TRUE(CommandOk(*run, At("hold", kFirstTask) + " 1500"));
    ASSERT_TRUE(CommandOk(*run, "menu 1", &answer));
    EXPECT_EQ("ok menu \xe3\x82\xa2\xe3\x83\x97\xe3\x83\xaa\xe7\xb5\x82\xe4\xba\x86|"
              "\xe3\x82\xad\xe3\x83\xa3\xe3\x83\xb3\xe3\x82\xbb\xe3\x83\xab -> 1",
              answer);  // アプリ終了|キャンセル: menu 102
    EXPECT_TRUE(Eventually([&] { return !::IsWindow(second); }));
    EXPECT_TRUE(AwaitIcons(*run, "none-left", 0, 0));
    EXPECT_EQ("ok quit", Quit(*run));
}
