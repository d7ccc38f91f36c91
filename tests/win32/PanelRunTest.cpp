// Panels and registry captions of Orvane.dll in the Today emulator: the
// Clock page ticks with one paint a second, and captions follow values that
// another program changes, without paints while nothing changes.
#include "DisplayHarness.h"
#include "PluginRun.h"
#include "config/SettingIndex.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

constexpr int kTitleStrip = 26;
const wchar_t kItemName[] = L"OrvPanelTest";
const wchar_t kTestKey[] = L"Software\\Orvane\\PanelTest";

// The item's paints so far, from the emulator's count.
int Paints(CTodayHostRun& run)
{
    std::string answer;
    if (!CommandOk(run, "paints", &answer))
        return -1;
    const std::string prefix = "ok paints " + NarrowText(kItemName) + " ";
    return answer.compare(0, prefix.size(), prefix) == 0 ? std::stoi(answer.substr(prefix.size())) : -1;
}

// Another program sets the counter: the system's reg.exe, to its end.
bool SetCount(const std::wstring& key, int count)
{
    std::wstring line = L"reg.exe add \"HKCU\\" + key + L"\" /v Count /t REG_DWORD /d " + std::to_wstring(count) + L" /f";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return false;
    ::WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return code == 0;
}

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

// The pixels of a box of the screen, rows top-down.
std::vector<std::uint32_t> Box(const CShot& shot, int left, int top, int right, int bottom)
{
    std::vector<std::uint32_t> px;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            px.push_back(shot.At(x, y));
    return px;
}

class PanelsInEmulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Ready()) << "the sample and Orvane.dll on the test drive T: (run through ctest)";
        m_strDir = TestOutputFolder(L"panels");
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }

    std::unique_ptr<CTodayHostRun> Start()
    {
        m_key = std::make_unique<CTodayItemKey>(kItemName, m_install.Dll(), 1, 2);
        return std::make_unique<CTodayHostRun>(m_install.HostOptions(kItemName));
    }
    ::testing::AssertionResult Shot(CTodayHostRun& run, const wchar_t* name, CShot& shot)
    {
        return Screenshot(run, m_strDir + L"\\" + name, shot);
    }

    CPluginInstall m_install;
    std::unique_ptr<CTodayItemKey> m_key;
    std::wstring m_strDir;
};

}  // namespace

TEST_F(PanelsInEmulator, ClockPageTicksWithOnePaintASecond)
{
    // The Clock page keeps itself active: it runs without the selection.
    ASSERT_TRUE(m_install.Write(L"Orvane.ini", SettingsText({{Set::FirstPage, "Clock"}})));
    auto run = Start();
    ASSERT_TRUE(run->Started());
    ASSERT_TRUE(CommandOk(*run, "wait 3000"));  // the panels have come to rest

    const int before = Paints(*run);
    ASSERT_GE(before, 0);
    ASSERT_TRUE(CommandOk(*run, "wait 10000"));
    const int paints = Paints(*run) - before;
    std::printf("%d paints in 10 s on the Clock page\n", paints);
    // One a second, not one a task tick (100); loose at both ends for a
    // loaded machine.
    EXPECT_LE(paints, 13);
    EXPECT_GE(paints, 5);

    // Over a second and a half the clock's hands move; the calendars stay.
    CShot first, second;
    ASSERT_TRUE(Shot(*run, L"clock-1.png", first));
    ASSERT_TRUE(CommandOk(*run, "wait 1500"));
    ASSERT_TRUE(Shot(*run, L"clock-2.png", second));
    EXPECT_NE(Box(first, 13, kTitleStrip + 51, 147, kTitleStrip + 185),
              Box(second, 13, kTitleStrip + 51, 147, kTitleStrip + 185));
    EXPECT_EQ(Box(first, 170, kTitleStrip + 60, 470, kTitleStrip + 180),
              Box(second, 170, kTitleStrip + 60, 470, kTitleStrip + 180));
    EXPECT_EQ("ok quit", run->Command("quit"));
    EXPECT_EQ(0u, run->Finish());
}

TEST_F(PanelsInEmulator, CaptionsFollowRegistryValuesOfOtherPrograms)
{
    // A strip of five: a counter shown through its name, a value without a
    // root and one whose key does not exist yet.
    ASSERT_TRUE(m_install.Write(L"Orvane.ini", SettingsText({{Set::FirstPage, "Reg"}})));
    ASSERT_TRUE(m_install.Write(L"PageMng.ini", "1,Reg\r\n"));
    const std::string key = NarrowText(kTestKey);
    ASSERT_TRUE(m_install.Write(L"Page.ini", "[Reg]\r\nS_STRIP_P,0,0\r\nS_STRIP_L,0,0\r\n"
                                             "1,Count %d,\\Windows\\regedit.exe,,,4,HKCU;" + key + ";Count\r\n"
                                             "1,Never,\\Windows\\regedit.exe,,,1,----;" + key + "\\Never;V\r\n"
                                             "1,Made,\\Windows\\regedit.exe,,,1,HKCU;" + key + "\\Made;V\r\n"));
    ASSERT_TRUE(SetCount(kTestKey, 1));
    auto run = Start();
    ASSERT_TRUE(run->Started());
    ASSERT_TRUE(CommandOk(*run, "select " + NarrowText(kItemName)));
    CShot one, two;
    ASSERT_TRUE(SettledShot(*run, m_strDir + L"\\count-1.png", one));

    // Nothing changes: no paint, however many ticks pass.
    const int rest = Paints(*run);
    ASSERT_TRUE(CommandOk(*run, "wait 1500"));
    EXPECT_EQ(rest, Paints(*run)) << "an unchanged value repaints nothing";

    // Another program counts up: the next tick paints the new caption.
    ASSERT_TRUE(SetCount(kTestKey, 2));
    int waited = 0;
    while (Paints(*run) == rest && waited < 3000) {
        ASSERT_TRUE(CommandOk(*run, "wait 50"));
        waited += 50;
    }
    std::printf("the caption changed %d ms after the value\n", waited);
    EXPECT_LT(waited, 3000);
    ASSERT_TRUE(Shot(*run, L"count-2.png", two));
    // The first slot's caption, under its icon at (48, 150).
    EXPECT_NE(Box(one, 4, kTitleStrip + 170, 92, kTitleStrip + 198),
              Box(two, 4, kTitleStrip + 170, 92, kTitleStrip + 198));
    EXPECT_EQ("ok quit", run->Command("quit"));
    EXPECT_EQ(0u, run->Finish());

    EXPECT_FALSE(KeyExists(std::wstring(kTestKey) + L"\\Never")) << "no root: the registry is never touched";
    EXPECT_TRUE(KeyExists(std::wstring(kTestKey) + L"\\Made")) << "a configured key is made on the first refresh";
}
