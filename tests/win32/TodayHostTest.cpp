// The Today emulator as a real process: items from the real registry, the
// test item DLL loaded into it, messages read back from the item's log and
// pixels from the emulator's screenshots.
#include "TodayHostRun.h"
#include "TodayReload_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr COLORREF kRed = RGB(220, 40, 40);
constexpr COLORREF kGreen = RGB(40, 200, 60);
constexpr COLORREF kBlue = RGB(40, 80, 220);

std::uint32_t Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class TodayHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        wchar_t cwd[MAX_PATH];
        ::GetCurrentDirectoryW(MAX_PATH, cwd);
        ::CreateDirectoryW((std::wstring(cwd) + L"\\todayhost").c_str(), nullptr);
        m_strDir = std::wstring(cwd) + L"\\todayhost\\" + std::wstring(info->name(), info->name() + std::strlen(info->name()));
        for (wchar_t& c : m_strDir)
            if (c == L'/')
                c = L'_';
        ::CreateDirectoryW(m_strDir.c_str(), nullptr);
        ::DeleteFileW(LogPath().c_str());
    }

    std::wstring LogPath() const { return m_strDir + L"\\items.log"; }
    std::wstring File(const wchar_t* name) const { return m_strDir + L"\\" + name; }

    // A test item logging to this test's file.
    std::unique_ptr<CTodayItemKey> Item(const wchar_t* name, int order, int selectability, DWORD height,
                                        COLORREF colour = kRed, const std::wstring& dll = BuildFile(L"TestItem.dll"))
    {
        auto key = std::make_unique<CTodayItemKey>(name, dll, order, selectability);
        key->Set(L"TestHeight", height);
        key->Set(L"TestColor", colour);
        key->Set(L"TestLog", LogPath());
        return key;
    }

    static std::wstring OnlyOption(const std::vector<const CTodayItemKey*>& keys)
    {
        std::wstring list;
        for (const CTodayItemKey* key : keys)
            list += (list.empty() ? L"" : L",") + key->Name();
        return L"--only " + list;
    }

    std::wstring m_strDir;
};

}  // namespace

TEST_F(TodayHost, LoadsEnabledCustomItemsInOrderAndStacksThemByHeight)
{
    auto second = Item(L"OrvTestSecond", 2, 2, 80, kRed);
    auto first = Item(L"OrvTestFirst", 1, 2, 120, kGreen);
    auto last = Item(L"OrvTestNoOrder", -1, 2, 40, kBlue);
    auto off = Item(L"OrvTestOff", 0, 2, 50);
    off->Set(L"Enabled", 0);
    auto builtIn = Item(L"OrvTestOwner", 0, 2, 50);
    builtIn->Set(L"Type", 0);
    const std::wstring png = File(L"stack.png");
    DWORD code = 0;
    const Lines out = RunScript(m_strDir, "items\nscreenshot \"" + Narrow(png) + "\"\n",
                                OnlyOption({second.get(), first.get(), last.get(), off.get(), builtIn.get()}), &code);
    EXPECT_EQ(0u, code);
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ("ok items 3: OrvTestFirst 0,26 480x120; OrvTestSecond 0,146 480x80; OrvTestNoOrder 0,226 480x40", out[0]);

    // Each loaded item got a filled record; the others were never called.
    EXPECT_EQ((Lines{"OrvTestFirst INIT 1 1", "OrvTestSecond INIT 1 1", "OrvTestNoOrder INIT 1 1"}),
              Only(ReadLines(LogPath()), {"INIT"}));

    CShot shot;
    ASSERT_TRUE(ReadPng(png, shot));
    ASSERT_EQ(480, shot.width);
    ASSERT_EQ(640, shot.height);
    EXPECT_EQ(Rgb(kGreen), shot.At(400, 26));
    EXPECT_EQ(Rgb(kGreen), shot.At(400, 145));
    EXPECT_EQ(Rgb(kRed), shot.At(400, 146));
    EXPECT_EQ(Rgb(kRed), shot.At(400, 225));
    EXPECT_EQ(Rgb(kBlue), shot.At(479, 226));
    EXPECT_EQ(Rgb(kBlue), shot.At(240, 265));
    EXPECT_NE(Rgb(kBlue), shot.At(240, 266));
}

// The wallpaper's pixels encode their own position, so the watermark shows
// whether the right part of it was painted.
TEST_F(TodayHost, TheWatermarkIsTheWallpaperUnderTheItem)
{
    const std::wstring wallpaper = File(L"position.bmp");
    ASSERT_TRUE(WritePositionBmp(wallpaper, 480, 640));
    auto above = Item(L"OrvTestAbove", 1, 2, 60, kBlue);
    auto item = Item(L"OrvTestMark", 2, 2, 100, kGreen);
    const std::wstring png = File(L"mark.png");
    const Lines out = RunScript(m_strDir, "screenshot \"" + Narrow(png) + "\"\n",
                                L"--wallpaper \"" + wallpaper + L"\" " + OnlyOption({above.get(), item.get()}));
    ASSERT_EQ(Lines{"ok screenshot " + Narrow(png) + " 480x640"}, out);
    EXPECT_EQ((Lines{"OrvTestAbove DRAWWATERMARK 1", "OrvTestMark DRAWWATERMARK 1"}),
              Only(ReadLines(LogPath()), {"DRAWWATERMARK"}));

    CShot shot;
    ASSERT_TRUE(ReadPng(png, shot));
    for (int y : {86, 120, 185})  // the second item: 86 to 185
        for (int x : {0, 100, 239}) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            EXPECT_EQ(PositionColour(x, y), shot.At(x, y)) << "watermark half";
            EXPECT_EQ(Rgb(kGreen), shot.At(x + 240, y)) << "painted half";
        }
    EXPECT_EQ(PositionColour(30, 40), shot.At(30, 40)) << "the first item's watermark";
    EXPECT_EQ(PositionColour(300, 400), shot.At(300, 400)) << "the screen below the items";
    EXPECT_NE(PositionColour(300, 5), shot.At(300, 5)) << "the title strip";
}

// A: uses one key itself; B: not selectable; C: refuses; D: accepts.
TEST_F(TodayHost, KeysMoveTheSelectionOnlyWhenTheItemLetsThemPass)
{
    auto a = Item(L"OrvTestA", 1, 2, 40);
    a->Set(L"TestKeepKeys", 1);
    auto b = Item(L"OrvTestB", 2, 0, 40);
    auto c = Item(L"OrvTestC", 3, 2, 40);
    c->Set(L"TestRefuse", 1);
    auto d = Item(L"OrvTestD", 4, 2, 40);
    const Lines out = RunScript(m_strDir, "key down\nkey down\nkey down\nkey enter\nkey up\nkey up\nitems\ndeselect\n",
                                OnlyOption({a.get(), b.get(), c.get(), d.get()}));
    ASSERT_EQ(8u, out.size());
    EXPECT_EQ("ok items 4: OrvTestA 0,26 480x40 selected; OrvTestB 0,66 480x40; OrvTestC 0,106 480x40; "
              "OrvTestD 0,146 480x40",
              out[6]);
    const Lines expected = {
        "OrvTestA RECEIVEDSELECTION 40",          // down: nothing was selected
        "OrvTestA USERNAVIGATION 40 1",           // down: A keeps it
        "OrvTestA USERNAVIGATION 40 0",           // down: A lets it pass
        "OrvTestA LOSTSELECTION",                 //   B is skipped, C refuses
        "OrvTestC RECEIVEDSELECTION 40 refused",  //
        "OrvTestD RECEIVEDSELECTION 40",          //
        "OrvTestD ACTION 13",                     // enter
        "OrvTestD USERNAVIGATION 38 0",           // up
        "OrvTestD LOSTSELECTION",                 //
        "OrvTestC RECEIVEDSELECTION 38 refused",  //
        "OrvTestA RECEIVEDSELECTION 38",          //
        "OrvTestA USERNAVIGATION 38 0",           // up: nothing above A, it stays
        "OrvTestA LOSTSELECTION",                 // deselect
    };
    EXPECT_EQ(expected, Only(ReadLines(LogPath()),
                             {"RECEIVEDSELECTION", "LOSTSELECTION", "USERNAVIGATION", "ACTION", "LBUTTONDOWN"}));
}

// Selectability 1: the screen selects the item without telling it, and Enter
// becomes a tap at (1, 1).
TEST_F(TodayHost, AnItemTheScreenSelectsGetsNoSelectionMessagesAndEnterTapsIt)
{
    auto item = Item(L"OrvTestPlain", 1, 1, 40);
    const Lines out = RunScript(m_strDir, "key down\nitems\nkey enter\n", OnlyOption({item.get()}));
    ASSERT_EQ(3u, out.size());
    EXPECT_EQ("ok items 1: OrvTestPlain 0,26 480x40 selected", out[1]);
    EXPECT_EQ((Lines{"OrvTestPlain LBUTTONDOWN 1 1", "OrvTestPlain LBUTTONUP 1 1"}),
              Only(ReadLines(LogPath()),
                   {"RECEIVEDSELECTION", "LOSTSELECTION", "USERNAVIGATION", "ACTION", "LBUTTONDOWN", "LBUTTONUP"}));
}

TEST_F(TodayHost, PointerStrokesReachTheItemUnderThePointAndTapsTakeTheSelection)
{
    auto top = Item(L"OrvTestTop", 1, 2, 100);
    auto bottom = Item(L"OrvTestBottom", 2, 2, 100);  // 126 to 225
    const Lines out = RunScript(m_strDir,
                                "select 0\n"
                                "tap 100 170\n"
                                "press 10 140\nmove 50 160 2 0\nrelease 50 160\n"
                                "hold 20 40 30\n",
                                OnlyOption({top.get(), bottom.get()}));
    EXPECT_EQ((Lines{"ok select 0 OrvTestTop", "ok tap 100 170 OrvTestBottom 100,44",
                     "ok press 10 140 OrvTestBottom 10,14", "ok move 50 160 OrvTestBottom 50,34",
                     "ok release 50 160 OrvTestBottom 50,34", "ok hold 20 40 30 OrvTestTop 20,14"}),
              out);
    const Lines expected = {
        "OrvTestTop RECEIVEDSELECTION 0",
        "OrvTestBottom LBUTTONDOWN 100 44 held",
        "OrvTestBottom LBUTTONUP 100 44",
        "OrvTestTop LOSTSELECTION",  // the tap took the selection
        "OrvTestBottom RECEIVEDSELECTION 0",
        "OrvTestBottom LBUTTONDOWN 10 14 held",
        "OrvTestBottom MOUSEMOVE 30 24 held",
        "OrvTestBottom MOUSEMOVE 50 34 held",
        "OrvTestBottom LBUTTONUP 50 34",  // already selected: nothing more
        "OrvTestTop LBUTTONDOWN 20 14 held",
        "OrvTestTop LBUTTONUP 20 14",
        "OrvTestBottom LOSTSELECTION",
        "OrvTestTop RECEIVEDSELECTION 0",
    };
    EXPECT_EQ(expected, Only(ReadLines(LogPath()), {"RECEIVEDSELECTION", "LOSTSELECTION", "LBUTTONDOWN", "LBUTTONUP",
                                                    "MOUSEMOVE"}));
}

TEST_F(TodayHost, RotateSwapsTheScreenAndAsksForTheHeightsAgain)
{
    auto item = Item(L"OrvTestTurn", 1, 2, 100);
    item->Set(L"TestHeightLandscape", 60);
    const std::wstring png = File(L"landscape.png");
    const Lines out = RunScript(m_strDir, "items\nrotate\nitems\nscreenshot \"" + Narrow(png) + "\"\nrotate\nitems\n",
                                OnlyOption({item.get()}));
    EXPECT_EQ((Lines{"ok items 1: OrvTestTurn 0,26 480x100", "ok rotate 640x480", "ok items 1: OrvTestTurn 0,26 640x60",
                     "ok screenshot " + Narrow(png) + " 640x480", "ok rotate 480x640",
                     "ok items 1: OrvTestTurn 0,26 480x100"}),
              out);
    // Only the answers that changed the height: the 2-s polls answer "0".
    Lines changes;
    for (const std::string& line : Only(ReadLines(LogPath()), {"QUERYREFRESHCACHE"}))
        if (line.find("CACHE 1 ") != std::string::npos)
            changes.push_back(line);
    EXPECT_EQ((Lines{"OrvTestTurn QUERYREFRESHCACHE 1 100", "OrvTestTurn QUERYREFRESHCACHE 1 60",
                     "OrvTestTurn QUERYREFRESHCACHE 1 100"}),
              changes);
    CShot shot;
    ASSERT_TRUE(ReadPng(png, shot));
    EXPECT_EQ(640, shot.width);
    EXPECT_EQ(480, shot.height);
    EXPECT_EQ(Rgb(kRed), shot.At(639, 26 + 59));
}

// Reloading lets go of the library: its file can be deleted and replaced
// while the emulator runs, as the installer hooks need.
class TodayHostReload : public TodayHost, public ::testing::WithParamInterface<bool> {};

TEST_P(TodayHostReload, ReleasesTheLibrarySoItsFileCanBeReplaced)
{
    const bool fromOtherProcess = GetParam();
    const std::wstring dll = File(L"Copy.dll");
    ASSERT_TRUE(::CopyFileW(BuildFile(L"TestItem.dll").c_str(), dll.c_str(), FALSE));
    auto item = Item(L"OrvTestSwap", 1, 2, 50, kRed, dll);
    CTodayHostRun run(OnlyOption({item.get()}));
    ASSERT_TRUE(run.Started());
    ASSERT_EQ("ok items 1: OrvTestSwap 0,26 480x50", run.Command("items"));
    EXPECT_FALSE(::DeleteFileW(dll.c_str())) << "the library is in use";

    item->Set(L"Enabled", 0);
    if (fromOtherProcess)
        ASSERT_TRUE(SendTodayReload(10000));  // WM_WININICHANGE 0xF2, as the hooks send it
    else
        ASSERT_EQ("ok reload 0 items", run.Command("reload"));
    ASSERT_EQ("ok items 0", run.Command("items"));
    EXPECT_TRUE(::DeleteFileW(dll.c_str()));

    ASSERT_TRUE(::CopyFileW(BuildFile(L"TestItem.dll").c_str(), dll.c_str(), FALSE));
    item->Set(L"Enabled", 1);
    ASSERT_EQ("ok reload 1 items", run.Command("reload"));
    EXPECT_EQ("ok quit", run.Command("quit"));
    EXPECT_EQ(0u, run.Finish());
    EXPECT_EQ((Lines{"OrvTestSwap INIT 1 1", "OrvTestSwap CLEARCACHE", "OrvTestSwap DESTROY", "OrvTestSwap INIT 1 1",
                     "OrvTestSwap CLEARCACHE", "OrvTestSwap DESTROY"}),
              Only(ReadLines(LogPath()), {"INIT", "CLEARCACHE", "DESTROY"}));
    EXPECT_TRUE(::DeleteFileW(dll.c_str())) << "freed at the end too";
}

INSTANTIATE_TEST_SUITE_P(By, TodayHostReload, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "IniChangeMessage" : "ReloadCommand"; });

TEST_F(TodayHost, CaptureWritesNumberedFramesAndBadCommandsFailTheRun)
{
    const std::wstring frames = File(L"frames");
    DWORD code = 0;
    const Lines out = RunScript(m_strDir,
                                "# comment\n\ncapture \"" + Narrow(frames) + "\" 20 60\n"
                                "jump 1 2\ntap 1\nkey nokey\nwait soon\nselect 0\n",
                                L"--only OrvTestNone", &code);
    ASSERT_EQ(6u, out.size());
    EXPECT_EQ("ok capture " + Narrow(frames) + " 3 frames", out[0]);
    EXPECT_EQ("error line 4 'jump 1 2': unknown command", out[1]);
    EXPECT_EQ("error line 5 'tap 1': wrong number of arguments", out[2]);
    EXPECT_EQ("error line 6 'key nokey': unknown key", out[3]);
    EXPECT_EQ("error line 7 'wait soon': wait MS", out[4]);
    EXPECT_EQ("error line 8 'select 0': no such item", out[5]);
    EXPECT_EQ(1u, code);
    for (const wchar_t* name : {L"frame_0000.png", L"frame_0001.png", L"frame_0002.png"}) {
        CShot shot;
        EXPECT_TRUE(ReadPng(frames + L"\\" + name, shot)) << Narrow(name);
        EXPECT_EQ(480, shot.width);
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((frames + L"\\frame_0003.png").c_str()));
}
