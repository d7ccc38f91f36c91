// Input and launching as a user meets them: the sample installation with
// pages of its own, the built plug-in in the real emulator, taps, drags and
// keys played by the emulator's script, and what follows seen from outside:
// the programs that started (copies of RecordArgs.exe, which record their
// command lines), the screenshots, the emulator's selection and the trace of
// the LED that serves as the vibrator.
#include "DisplayHarness.h"
#include "PluginRun.h"
#include "config/SettingIndex.h"
#include "engine/Gdi_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kTitleStrip = 26;
constexpr int kIconSize = 64;
constexpr int kEdge = 30;  // the sample's edge zones in portrait
constexpr int kItemWidth = 480;
// 16 reference pixels; the sample's reference side is the emulator's short side.
constexpr int kDragThreshold = 16;
constexpr int kPitch = 96;  // the strip's slots, and its scroll step
const wchar_t kItemName[] = L"OrvInput";
const wchar_t kNextItem[] = L"OrvInputNext";
constexpr DWORD kDeadlineMs = 20000;  // only against a hang

struct CSlot {
    int x, y;
};
// S_HOME_P: three rows of five.
constexpr CSlot HomeSlot(int i) { return {48 + 96 * (i % 5), 50 + 100 * (i / 5)}; }
// S_STRIP_P: five slots in a row.
constexpr CSlot StripSlot(int i) { return {48 + kPitch * i, 150}; }
// S_LINKS_P's first slot.
constexpr CSlot kThirdFirstSlot = {48, 115};
// S_RECENT_P: the top row, then two rows of 48-pixel slots for recent 20 to 29.
constexpr CSlot RecentTopSlot(int i) { return {48 + 96 * i, 50}; }
constexpr CSlot RecentSlot(int n) { return {48 + 96 * (n % 5), 148 + 96 * (n / 5)}; }
constexpr int kRecentSize = 48;

// The pictures on Home's slots; slots 5 and 9 (the middle row's ends, under
// the edge zones) are blank, 13 and 14 empty.
const std::map<int, const wchar_t*> kHomePictures = {
    {0, L"Notes.png"},   {1, L"Web.png"},   {2, L"Files.png"},     {3, L"Games.png"},
    {4, L"Recent.png"},  {6, L"Tools.png"}, {7, L"Settings.png"},  {8, L"Tasks.png"},
    {10, L"Terminal.png"}, {11, L"Clock.png"}, {12, L"Home.png"},
};
// The strip's eleven icons, each with a picture of its own, so that a
// screenshot tells how far the strip turned.
const wchar_t* const kStripPictures[] = {L"Notes.png",    L"Web.png",  L"Files.png", L"Games.png",
                                         L"Recent.png",   L"Tools.png", L"Settings.png", L"Tasks.png",
                                         L"Terminal.png", L"Clock.png", L"Home.png"};
constexpr int kStripIcons = static_cast<int>(std::size(kStripPictures));

// Every program icon starts a copy of RecordArgs.exe named after it.
const wchar_t* const kPrograms[] = {L"A.exe", L"B.exe", L"C.exe", L"D.exe", L"E.exe",
                                    L"F.exe", L"S.exe", L"Url.exe"};

std::string PageFile()
{
    std::string text = R"(; Pages of the input tests.
[Home]
S_HOME_P,0,0
S_HOME_L,0,0
1,A,\Program Files\Orvane\A.exe,alpha "two words",\\Icon\Notes.png,0,----;;
1,B,\Program Files\Orvane\B.exe,-b,\\Icon\Web.png,0,----;;
1,C,\Program Files\Orvane\C.exe,,\\Icon\Files.png,0,----;;
3,Favourite,\Program Files\Orvane\Favorites\Test.url,,\\Icon\Games.png,0,----;;
6,Recent,Recent,,\\Icon\Recent.png,0,----;;
5,,,,,0,----;;
6,Strip,Strip,,\\Icon\Tools.png,0,----;;
1,D,\Program Files\Orvane\D.exe,,\\Icon\Settings.png,0,----;;
6,Third,Third,,\\Icon\Tasks.png,0,----;;
5,,,,,0,----;;
1,E,\Program Files\Orvane\E.exe,,\\Icon\Terminal.png,0,----;;
1,F,\Program Files\Orvane\F.exe,,\\Icon\Clock.png,0,----;;
6,Home,Home,,\\Icon\Home.png,0,----;;

[Strip]
S_STRIP_P,0,0
S_STRIP_L,0,0
)";
    for (int i = 0; i < kStripIcons; ++i) {
        std::string picture;
        for (const wchar_t* c = kStripPictures[i]; *c; ++c)
            picture += static_cast<char>(*c);
        text += "1,S" + std::to_string(i) + ",\\Program Files\\Orvane\\S.exe," + std::to_string(i) + ",\\\\Icon\\" +
                picture + ",0,----;;\n";
    }
    text += R"(
[Recent]
S_RECENT_P,0,0
S_RECENT_L,0,0
6,Home,Home,,\\Icon\Home.png,0,----;;
3,Favourite,\Program Files\Orvane\Favorites\Test.url,,\\Icon\Games.png,0,----;;
5,,,,,0,----;;
5,,,,,0,----;;
5,,,,,0,----;;
)";
    for (int n = 0; n < 10; ++n)
        text += std::to_string(20 + n) + ",Recent-" + std::to_string(n + 1) + ",,,,0,----;;\n";
    text += R"(
[Third]
S_LINKS_P,0,0
S_LINKS_L,0,0
6,Home,Home,,\\Icon\Home.png,0,----;;
6,Strip,Strip,,\\Icon\Tools.png,0,----;;
6,Recent,Recent,,\\Icon\Recent.png,0,----;;
)";
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
}

// The task page always takes part; placed here, one step back from Home is Third.
const char kPageOrder[] = "1,Home\r\n1,Strip\r\n1,Recent\r\n1,TRLS_PAGE\r\n1,Third\r\n";

// An environment variable set for the test's lifetime; the emulator and the
// programs it starts inherit it.
class CEnvironment {
public:
    CEnvironment(const wchar_t* name, const std::wstring& value) : m_strName(name)
    {
        ::SetEnvironmentVariableW(name, value.c_str());
    }
    ~CEnvironment() { ::SetEnvironmentVariableW(m_strName.c_str(), nullptr); }
    CEnvironment(const CEnvironment&) = delete;
    CEnvironment& operator=(const CEnvironment&) = delete;

private:
    std::wstring m_strName;
};

// A URL scheme whose addresses the shell opens with a program; removed
// again at the end. In HKLM\Software\Classes: Wine's shell looks schemes up
// in HKEY_CLASSES_ROOT, which does not show HKCU\Software\Classes.
class CUrlScheme {
public:
    CUrlScheme(const wchar_t* scheme, const std::wstring& program) : m_strKey(std::wstring(L"Software\\Classes\\") + scheme)
    {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKey.c_str());
        SetText(m_strKey, nullptr, L"URL:Orvane test");
        SetText(m_strKey, L"URL Protocol", L"");
        SetText(m_strKey + L"\\shell\\open\\command", nullptr, L"\"" + program + L"\" \"%1\"");
    }
    ~CUrlScheme() { ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_strKey.c_str()); }
    CUrlScheme(const CUrlScheme&) = delete;
    CUrlScheme& operator=(const CUrlScheme&) = delete;

private:
    static void SetText(const std::wstring& key, const wchar_t* value, const std::wstring& data)
    {
        ::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), value, REG_SZ, data.c_str(),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    std::wstring m_strKey;
};

// The picture as the item draws it on a slot of another size: stretched by
// AlphaBlend into a transparent bitmap. Its opaque pixels are the ones the
// screen must show unchanged.
CIconPicture Stretched(const CIconPicture& picture, int size)
{
    CIconPicture out;
    void* srcBits = nullptr;
    void* dstBits = nullptr;
    CBitmapObj src(CreateTopDownSection(picture.width, picture.height, 32, &srcBits));
    CBitmapObj dst(CreateTopDownSection(size, size, 32, &dstBits));
    CMemDC srcDC(nullptr), dstDC(nullptr);
    if (!src || !dst || !srcDC || !dstDC)
        return out;
    std::copy(picture.argb.begin(), picture.argb.end(), static_cast<std::uint32_t*>(srcBits));
    std::fill_n(static_cast<std::uint32_t*>(dstBits), static_cast<size_t>(size) * static_cast<size_t>(size), 0u);
    {
        CSelectObj selectSrc(srcDC.Get(), src.Get());
        CSelectObj selectDst(dstDC.Get(), dst.Get());
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(dstDC.Get(), 0, 0, size, size, srcDC.Get(), 0, 0, picture.width, picture.height, blend);
        ::GdiFlush();
    }
    out.width = out.height = size;
    const auto* px = static_cast<const std::uint32_t*>(dstBits);
    out.argb.assign(px, px + static_cast<size_t>(size) * static_cast<size_t>(size));
    return out;
}

class InputInEmulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_install.Ready())
            << "the sample and Orvane.dll in \\Program Files\\Orvane of the test drive T: (run through ctest)";
        m_strDir = TestOutputFolder(L"input");
        m_strRecord = m_strDir + L"\\launched.txt";
        m_strLeds = m_strDir + L"\\leds.txt";
        ::DeleteFileW(m_strRecord.c_str());
        ::DeleteFileW(m_strLeds.c_str());
        m_record = std::make_unique<CEnvironment>(L"ORVTEST_RECORD", m_strRecord);
        m_leds = std::make_unique<CEnvironment>(L"ORVANE_LED_TRACE", m_strLeds);

        for (const wchar_t* program : kPrograms)
            ASSERT_TRUE(::CopyFileW(BuildFile(L"RecordArgs.exe").c_str(), m_install.File(program).c_str(), FALSE))
                << NarrowText(program);
        ASSERT_TRUE(m_install.Write(L"Page.ini", PageFile()));
        ASSERT_TRUE(m_install.Write(L"PageMng.ini", kPageOrder));
        ASSERT_TRUE(m_install.Write(L"Favorites\\Test.url", "[InternetShortcut]\r\nURL=orvtest:hello\r\n"));
        m_nCaptionBand = CaptionBandHeight({90, L"Tahoma", true});  // the sample's caption font
        ASSERT_GT(m_nCaptionBand, 0);
    }

    // Orvane.ini: the sample's settings on a screen as wide as its reference
    // side, with some changed.
    ::testing::AssertionResult Settings(std::map<int, std::string> values) const
    {
        values.emplace(Set::ScreenSize, "480");
        if (m_install.Write(L"Orvane.ini", SettingsText(values)))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "cannot write Orvane.ini";
    }

    // The plug-in's Today item, and the emulator showing it (with a test
    // item below it when next is set).
    std::unique_ptr<CTodayHostRun> Start(bool next = false)
    {
        m_key = std::make_unique<CTodayItemKey>(kItemName, m_install.Dll(), 1, 2);
        std::wstring only = kItemName;
        if (next) {
            m_nextKey = std::make_unique<CTodayItemKey>(kNextItem, BuildFile(L"TestItem.dll"), 2, 2);
            only += std::wstring(L",") + kNextItem;
        }
        return std::make_unique<CTodayHostRun>(m_install.HostOptions(only));
    }

    static std::string Select() { return "select " + NarrowText(kItemName); }
    // A pointer command at a point of the item.
    static std::string At(const char* command, int x, int y)
    {
        return std::string(command) + " " + std::to_string(x) + " " + std::to_string(kTitleStrip + y);
    }
    static ::testing::AssertionResult Tap(CTodayHostRun& run, int x, int y) { return CommandOk(run, At("tap", x, y)); }
    static ::testing::AssertionResult Tap(CTodayHostRun& run, CSlot slot) { return Tap(run, slot.x, slot.y); }

    // The item at rest, screenshot named after the step.
    CShot Rest(CTodayHostRun& run, const std::string& name)
    {
        CShot shot;
        EXPECT_TRUE(SettledShot(run, m_strDir + L"\\" + std::wstring(name.begin(), name.end()) + L".png", shot)) << name;
        return shot;
    }

    // A picture of the installation as it shows on a slot of the given size.
    const CIconPicture& Picture(const std::wstring& file, int size = kIconSize) const
    {
        const auto key = std::make_pair(file, size);
        if (const auto found = m_pictures.find(key); found != m_pictures.end())
            return found->second;
        CIconPicture picture;
        EXPECT_TRUE(LoadIconPicture(m_install.File(L"Icon\\" + file), picture)) << NarrowText(file);
        if (picture.width != size || picture.height != size)
            picture = Stretched(picture, size);
        return m_pictures.emplace(key, std::move(picture)).first->second;
    }

    // The top-left corner of a picture of the given size at rest on a slot:
    // centred on it, raised by half the caption band below it.
    POINT Corner(CSlot slot, int size = kIconSize) const
    {
        return {slot.x - size / 2, kTitleStrip + slot.y - m_nCaptionBand / 2 - size / 2};
    }

    // The picture stands on the slot at its own size, its opaque pixels
    // unchanged: exactly there, not a pixel off.
    bool OnSlot(const CShot& shot, const std::wstring& file, CSlot slot, int size = kIconSize) const
    {
        const POINT at = Corner(slot, size);
        return OpaqueMatch(shot, Picture(file, size), at.x, at.y) > 0.98;
    }
    ::testing::AssertionResult ShowsOnSlot(const CShot& shot, const std::wstring& file, CSlot slot,
                                           int size = kIconSize) const
    {
        if (OnSlot(shot, file, slot, size))
            return ::testing::AssertionSuccess();
        const POINT at = Corner(slot, size);
        const CFound found = FindPicture(shot, Picture(file, size), at.x, at.y, 8);
        return ::testing::AssertionFailure() << NarrowText(file) << " not at " << at.x << "," << at.y << "; best "
                                             << found.left << "," << found.top << " matching " << found.match;
    }

    // The size, larger than the slot's, at which the picture stands on the
    // slot, zoomed as a focused icon is; 0 when it does not.
    int ZoomedSize(const CShot& shot, const std::wstring& file, CSlot slot, int size = kIconSize) const
    {
        for (int zoomed = size + 1; zoomed <= size * 3 / 2; ++zoomed)
            if (OnSlot(shot, file, slot, zoomed))
                return zoomed;
        return 0;
    }

    bool ShowsHome(const CShot& shot) const
    {
        return OnSlot(shot, L"Notes.png", HomeSlot(0)) && OnSlot(shot, L"Home.png", HomeSlot(12));
    }
    bool ShowsThird(const CShot& shot) const { return OnSlot(shot, L"Home.png", kThirdFirstSlot); }

    // Home's slots whose icon is zoomed: the focused one. A slot whose icon
    // is neither at rest nor zoomed counts as 100 + slot.
    std::vector<int> ZoomedOnHome(const CShot& shot) const
    {
        std::vector<int> zoomed;
        for (const auto& [slot, file] : kHomePictures)
            if (!OnSlot(shot, file, HomeSlot(slot)))
                zoomed.push_back(ZoomedSize(shot, file, HomeSlot(slot)) ? slot : 100 + slot);
        return zoomed;
    }

    // Which strip icon stands on the first slot, with every slot's icon
    // exactly on its centre; -1 when the strip is not at rest on whole steps.
    int StripTurn(const CShot& shot) const
    {
        for (int first = 0; first < kStripIcons; ++first) {
            if (!OnSlot(shot, kStripPictures[first], StripSlot(0)))
                continue;
            for (int slot = 1; slot < 5; ++slot)
                if (!OnSlot(shot, kStripPictures[(first + slot) % kStripIcons], StripSlot(slot)))
                    return -1;
            return first;
        }
        return -1;
    }

    std::vector<std::string> Launched() const { return ReadLines(m_strRecord); }
    // Waits until that many programs recorded their start.
    ::testing::AssertionResult AwaitLaunches(size_t count) const
    {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kDeadlineMs; ::Sleep(50))
            if (Launched().size() >= count)
                return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << Launched().size() << " of " << count << " programs started";
    }

    std::vector<std::string> LedLines() const { return ReadLines(m_strLeds); }
    // How often the vibrator's LED went on, once the last pulse is over:
    // waits until at least count pulses are there and the LED is off.
    int VibratorPulses(size_t count) const
    {
        auto ons = [](const std::vector<std::string>& lines) {
            return static_cast<size_t>(std::count(lines.begin(), lines.end(), "LED 1 on"));
        };
        std::vector<std::string> lines = LedLines();
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < kDeadlineMs; ::Sleep(50)) {
            lines = LedLines();
            if (ons(lines) >= count && !lines.empty() && lines.back() == "LED 1 off")
                break;
        }
        for (const std::string& line : lines)
            EXPECT_TRUE(line == "LED 1 on" || line == "LED 1 off") << line;
        return static_cast<int>(ons(lines));
    }

    static std::string Quit(CTodayHostRun& run)
    {
        const std::string answer = run.Command("quit");
        return answer + (run.Finish() == 0 ? "" : " (exit code not 0)");
    }

    CPluginInstall m_install;
    std::wstring m_strDir;
    std::wstring m_strRecord, m_strLeds;
    std::unique_ptr<CEnvironment> m_record, m_leds;
    std::unique_ptr<CTodayItemKey> m_key, m_nextKey;
    int m_nCaptionBand = 0;
    mutable std::map<std::pair<std::wstring, int>, CIconPicture> m_pictures;
};

// The ring is circular: how many steps forward from one icon to another.
int StepsForward(int from, int to) { return ((to - from) % kStripIcons + kStripIcons) % kStripIcons; }

}  // namespace

TEST_F(InputInEmulator, TapsStartProgramsOpenFavouritesTurnPagesAndFillTheRecentSlots)
{
    ASSERT_TRUE(Settings({}));
    CUrlScheme scheme(L"orvtest", m_install.File(L"Url.exe"));
    auto run = Start();
    ASSERT_TRUE(run->Started());
    ASSERT_TRUE(CommandOk(*run, Select()));
    ASSERT_TRUE(ShowsHome(Rest(*run, "home")));

    // A, B, C and A again, each once the one before has started.
    const CSlot a = HomeSlot(0), b = HomeSlot(1), c = HomeSlot(2);
    size_t launches = 0;
    for (CSlot slot : {a, b, c, a}) {
        ASSERT_TRUE(Tap(*run, slot));
        ASSERT_TRUE(AwaitLaunches(++launches));
    }
    // The page link; the recent slots newest first.
    ASSERT_TRUE(Tap(*run, HomeSlot(4)));
    const CShot recent = Rest(*run, "recent");
    EXPECT_TRUE(ShowsOnSlot(recent, L"Home.png", RecentTopSlot(0))) << "the Recent page";
    EXPECT_FALSE(OnSlot(recent, L"Notes.png", HomeSlot(0)));
    // The recent slots show their programs' pictures at the slots' size.
    EXPECT_TRUE(ShowsOnSlot(recent, L"Notes.png", RecentSlot(0), kRecentSize)) << "A, newest";
    EXPECT_TRUE(ShowsOnSlot(recent, L"Files.png", RecentSlot(1), kRecentSize)) << "C";
    EXPECT_TRUE(ShowsOnSlot(recent, L"Web.png", RecentSlot(2), kRecentSize)) << "B, oldest";
    for (const wchar_t* file : {L"Notes.png", L"Files.png", L"Web.png"})
        EXPECT_FALSE(OnSlot(recent, file, RecentSlot(3), kRecentSize)) << "three entries only";

    // A recent slot starts its program, which becomes the newest; the
    // tapped slot keeps the focus.
    ASSERT_TRUE(Tap(*run, RecentSlot(1)));
    ASSERT_TRUE(AwaitLaunches(++launches));
    const CShot again = Rest(*run, "recent-again");
    EXPECT_TRUE(ShowsOnSlot(again, L"Files.png", RecentSlot(0), kRecentSize)) << "C, newest";
    EXPECT_GT(ZoomedSize(again, L"Notes.png", RecentSlot(1), kRecentSize), 0) << "A";
    EXPECT_TRUE(ShowsOnSlot(again, L"Web.png", RecentSlot(2), kRecentSize)) << "B";

    // The favourite's address goes to the program of its scheme.
    ASSERT_TRUE(Tap(*run, RecentTopSlot(1)));
    ASSERT_TRUE(AwaitLaunches(++launches));

    // Each launch and the page link pulsed the vibrator twice.
    EXPECT_EQ(2 * 7, VibratorPulses(2 * 7));
    EXPECT_EQ("ok quit", Quit(*run));
    EXPECT_EQ((std::vector<std::string>{"A.exe\talpha \"two words\"", "B.exe\t-b", "C.exe\t", "A.exe\talpha \"two words\"",
                                        "C.exe\t", "Url.exe\t\"orvtest:hello\""}),
              Launched());
}

// The edge zones: x < e and x > width - e of the item turn pages, whether
// the item is selected or not; an icon tap on an unselected item only
// selects it.
TEST_F(InputInEmulator, EdgeZonesTurnPagesAndAnUnselectedItemOnlyPages)
{
    ASSERT_TRUE(Settings({}));
    auto run = Start();
    ASSERT_TRUE(run->Started());
    Rest(*run, "unselected");

    // The tap takes the selection, after the item ignored it.
    ASSERT_TRUE(Tap(*run, HomeSlot(0)));
    EXPECT_EQ("ok items 1: " + NarrowText(kItemName) + " 0," + std::to_string(kTitleStrip) + " 480x300 selected",
              run->Command("items"));
    EXPECT_TRUE(ShowsHome(Rest(*run, "selected-by-tap")));

    // The middle row's ends are blank: no icon under these points.
    const int y = HomeSlot(5).y;
    // Third is one page back from Home; had the tap at e turned a page as
    // well, the two taps would have gone two pages back.
    ASSERT_TRUE(Tap(*run, kEdge, y));
    ASSERT_TRUE(Tap(*run, kEdge - 1, y));
    const CShot back = Rest(*run, "back");
    EXPECT_TRUE(ShowsThird(back));
    EXPECT_FALSE(ShowsHome(back));
    ASSERT_TRUE(Tap(*run, kItemWidth - kEdge, y));
    ASSERT_TRUE(Tap(*run, kItemWidth - kEdge + 1, y));
    EXPECT_TRUE(ShowsHome(Rest(*run, "forward")));

    ASSERT_TRUE(CommandOk(*run, "deselect"));
    Rest(*run, "deselected");
    ASSERT_TRUE(Tap(*run, kItemWidth - kEdge + 1, y));
    const CShot strip = Rest(*run, "forward-unselected");
    EXPECT_EQ(0, StripTurn(strip)) << "the Strip page, one after Home";

    // Three page steps, each one 40-ms pulse; the icon tap none.
    EXPECT_EQ(3, VibratorPulses(3));
    EXPECT_EQ("ok quit", Quit(*run));
    EXPECT_TRUE(Launched().empty());
}

// The strip follows the stylus only beyond the drag threshold; a release
// after a fast drag glides on and snaps to a whole icon step, after a slow
// one it snaps at once. A glide factor that stops within half the ring
// keeps the direction visible.
TEST_F(InputInEmulator, StripDragsBeyondTheThresholdFlingsGlideAndSnapsEndOnWholeSteps)
{
    ASSERT_TRUE(Settings({{Set::FirstPage, "Strip"}, {Set::GlideFactor, "600"}}));
    auto run = Start();
    ASSERT_TRUE(run->Started());
    ASSERT_TRUE(CommandOk(*run, Select()));
    ASSERT_EQ(0, StripTurn(Rest(*run, "strip")));

    // In the left edge zone, below the strip's icons, one pixel each 10 ms.
    const int y = StripSlot(0).y + 60;
    auto edgeDrag = [&](int distance) {
        return CommandOk(*run, At("press", 2, y)) &&
               CommandOk(*run, At("move", 2 + distance, y) + " " + std::to_string(distance) + " " +
                                   std::to_string(10 * distance)) &&
               CommandOk(*run, At("release", 2 + distance, y));
    };
    ASSERT_TRUE(edgeDrag(kDragThreshold + 1));
    const int dragged = StripTurn(Rest(*run, "beyond-threshold"));
    EXPECT_EQ(0, dragged) << "a drag, not a tap; too short to leave the first step";

    // Fast: 120 px (1.25 steps) to the left in four moves 10 ms apart,
    // released at once.
    ASSERT_TRUE(CommandOk(*run, At("press", 400, y)));
    const std::string fast = At("move", 280, y) + " 4 40\n" + At("release", 280, y);
    ASSERT_EQ("ok ", run->Command(fast).substr(0, 3));
    ASSERT_EQ("ok ", run->Next().substr(0, 3));
    const int glided = StripTurn(Rest(*run, "fast"));
    ASSERT_GE(glided, 0) << "at rest on whole steps";
    EXPECT_GE(StepsForward(0, glided), 2) << "glides on further than the stylus went, the same way";
    EXPECT_LE(StepsForward(0, glided), kStripIcons / 2);

    // Slow: 40 px in 2-px moves 30 ms apart, held before the release.
    ASSERT_TRUE(CommandOk(*run, At("press", 400, y)));
    ASSERT_TRUE(CommandOk(*run, At("move", 360, y) + " 20 600"));
    ASSERT_TRUE(CommandOk(*run, "wait 300"));
    ASSERT_TRUE(CommandOk(*run, At("release", 360, y)));
    EXPECT_EQ(glided, StripTurn(Rest(*run, "slow"))) << "less than half a step: back where it was";

    // The threshold itself is still a tap: the page before.
    ASSERT_TRUE(edgeDrag(kDragThreshold));
    EXPECT_TRUE(ShowsHome(Rest(*run, "threshold")));

    EXPECT_EQ(1, VibratorPulses(1)) << "the edge tap only";
    EXPECT_EQ("ok quit", Quit(*run));
    EXPECT_TRUE(Launched().empty());
}

// The cursor keys in each navigation mode: 2 moves by rows and along them,
// 0 steps through the icons in order, 1 does that too and turns pages with
// left and right. A key past the last icon moves the emulator's selection
// on to the next item; keys while icons fly are used up.
TEST_F(InputInEmulator, CursorKeysMoveTheFocusInEachNavigationMode)
{
    ASSERT_TRUE(Settings({}));
    auto run = Start(true);
    ASSERT_TRUE(run->Started());
    const std::string ownSelected = "ok items 2: " + NarrowText(kItemName) + " 0," + std::to_string(kTitleStrip) +
                                    " 480x300 selected; " + NarrowText(kNextItem) + " 0,326 480x80";
    const std::string nextSelected = "ok items 2: " + NarrowText(kItemName) + " 0," + std::to_string(kTitleStrip) +
                                     " 480x300; " + NarrowText(kNextItem) + " 0,326 480x80 selected";
    auto key = [&](const char* name) { return CommandOk(*run, std::string("key ") + name); };
    auto focused = [&](const std::string& step) { return ZoomedOnHome(Rest(*run, step)); };

    // Mode 2, the sample's. Four downs would leave Home from any slot.
    ASSERT_TRUE(CommandOk(*run, Select() + "\nkey DOWN\nkey DOWN\nkey DOWN\nkey DOWN"));
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ("ok key DOWN", run->Next());
    EXPECT_EQ(ownSelected, run->Command("items")) << "keys while the icons fly in are used up";
    EXPECT_EQ(std::vector<int>{}, focused("mode2-flown-in"));
    ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(std::vector<int>{0}, focused("mode2-down"));
    ASSERT_TRUE(key("RIGHT"));
    EXPECT_EQ(std::vector<int>{1}, focused("mode2-right"));
    ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(std::vector<int>{6}, focused("mode2-down-down"));
    ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(std::vector<int>{11}, focused("mode2-last-row"));
    EXPECT_EQ(ownSelected, run->Command("items"));
    ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(nextSelected, run->Command("items")) << "down from the last row";

    // Mode 0: down steps through the icons in order, skipping blanks; right
    // is used up and moves nothing. The keys come back to back, as a held
    // key repeats: most land while the focus before them still zooms.
    ASSERT_TRUE(Settings({{Set::KeyNavMode, "0"}}));
    ASSERT_TRUE(CommandOk(*run, "deselect"));
    ASSERT_TRUE(SendReloadSetting(PluginWindow()));
    ASSERT_TRUE(CommandOk(*run, Select()));
    Rest(*run, "mode0");
    ASSERT_TRUE(key("DOWN"));
    ASSERT_TRUE(key("DOWN"));
    ASSERT_TRUE(key("RIGHT"));
    EXPECT_EQ(std::vector<int>{1}, focused("mode0-down-down-right"));
    for (int i = 0; i < 9; ++i)  // 2, 3, 4, 6, 7, 8, 10, 11, 12
        ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(std::vector<int>{12}, focused("mode0-last"));
    EXPECT_EQ(ownSelected, run->Command("items"));
    ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(nextSelected, run->Command("items")) << "down from the last icon";

    // Mode 1: left and right turn pages; down steps as in mode 0.
    ASSERT_TRUE(Settings({{Set::KeyNavMode, "1"}}));
    ASSERT_TRUE(CommandOk(*run, "deselect"));
    ASSERT_TRUE(SendReloadSetting(PluginWindow()));
    ASSERT_TRUE(CommandOk(*run, Select()));
    Rest(*run, "mode1");
    ASSERT_TRUE(key("RIGHT"));
    EXPECT_EQ(0, StripTurn(Rest(*run, "mode1-right"))) << "the Strip page";
    ASSERT_TRUE(key("LEFT"));
    EXPECT_EQ(std::vector<int>{}, focused("mode1-left"));
    ASSERT_TRUE(key("DOWN"));
    ASSERT_TRUE(key("DOWN"));
    EXPECT_EQ(std::vector<int>{1}, focused("mode1-down-down"));
    EXPECT_EQ(ownSelected, run->Command("items"));

    EXPECT_EQ("ok quit", Quit(*run));
    EXPECT_TRUE(Launched().empty());
}
