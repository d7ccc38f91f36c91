// What the settings program decides without a window: which resource a
// language loads, the editors' option strings and checks, the value texts,
// the layout rules, the Env tab's folder list, and Save with a page file
// whose reading stopped early.
#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "config/ConfigLoad.h"
#include "config/Folders.h"
#include "config/TextFile.h"
#include "settings/EditorOptions.h"
#include "settings/EnvChoice.h"
#include "settings/Layout.h"
#include "settings/PageKeep.h"
#include "settings/PageRows.h"
#include "settings/ResLang.h"
#include "settings/SaveConfig.h"
#include "settings/ValueText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>

TEST(SettingsLanguage, EachKindOfResourceHasItsOwnTwins)
{
    struct Case {
        ResKind kind;
        unsigned ja, en;
    } cases[] = {
        {ResKind::Dialog, 119, 320}, {ResKind::Dialog, 120, 319}, {ResKind::Menu, 500, 136},
        {ResKind::String, 140, 171}, {ResKind::String, 233, 236},
        // "No page selected" has its English twin like every message.
        {ResKind::String, 239, 240},
        // Template 134 (the file chooser) has no twin, string 134 has one;
        // ids without a twin and other kinds' ids stay as they are.
        {ResKind::Dialog, 134, 134}, {ResKind::String, 134, 170}, {ResKind::String, 137, 137},
        {ResKind::Dialog, 500, 500}, {ResKind::Menu, 137, 137},
        // The chooser's soft keys have an English twin.
        {ResKind::Menu, 501, 502},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.en, MapResId(c.kind, c.ja, false)) << c.ja;
        EXPECT_EQ(c.ja, MapResId(c.kind, c.ja, true)) << c.ja;
    }
}

TEST(SettingsEditors, OptionStringsOfEveryKind)
{
    struct IntCase {
        const wchar_t* params;
        int min, max, step, fastStep;
    } ints[] = {
        {L"-1;1920;1;10", -1, 1920, 1, 10},
        {L"100;0;5;0", 0, 100, 5, 5},  // reversed, a step of 0
        {L"7;9", 7, 9, 1, 1},
        {L"", INT_MIN, INT_MAX, 1, 1},  // no bounds given: none imposed
        {L"x;1;1;1", INT_MIN, INT_MAX, 1, 1},
    };
    for (const IntCase& c : ints) {
        const IntOptions o = ParseIntOptions(c.params);
        EXPECT_EQ(c.min, o.min) << c.params;
        EXPECT_EQ(c.max, o.max) << c.params;
        EXPECT_EQ(c.step, o.step) << c.params;
        EXPECT_EQ(c.fastStep, o.fastStep) << c.params;
    }

    EXPECT_EQ(20, ParseTextLimit(L"20"));
    EXPECT_EQ(259, ParseTextLimit(L"0"));  // the control's default would outgrow the file's field
    EXPECT_EQ(259, ParseTextLimit(L"5000"));

    const auto choices = ParseChoices(L"0:Off;1:On;1:Again;x:Bad;2:");
    ASSERT_EQ(3u, choices.size());
    EXPECT_EQ(2, PreselectChoice(choices, 1));  // the last option with the number
    EXPECT_EQ(0, PreselectChoice(choices, 7));
    EXPECT_EQ(1, PreselectChoice(choices, L"On"));
    EXPECT_EQ(0, PreselectChoice(choices, L"on"));
    EXPECT_EQ(-1, PreselectChoice(std::vector<SettingChoice>{}, 0));

    const FileOptions file = ParseFileOptions(L"\\Windows:Programs:*.exe;*.lnk:Broken::All:*.*");
    EXPECT_EQ(L"\\Windows", file.startFolder);
    ASSERT_EQ(2u, file.filters.size());  // a label without patterns is left out
    EXPECT_EQ((std::vector<std::wstring>{L"*.exe", L"*.lnk"}), file.filters[0].patterns);

    struct FontCase {
        const wchar_t* params;
        FontPitch pitch;
        int min, max, minAt192;
    } fonts[] = {
        {L"P;60;240", FontPitch::Proportional, 60, 240, 30},
        {L"A;100;60", FontPitch::Any, 60, 100, 30},
        {L"P", FontPitch::Proportional, 0, INT_MAX, 0},
    };
    for (const FontCase& c : fonts) {
        const FontOptions o = ParseFontOptions(c.params);
        EXPECT_EQ(c.pitch, o.pitch) << c.params;
        EXPECT_EQ(c.min, FontSizeRange(o, 96).min) << c.params;
        EXPECT_EQ(c.max, FontSizeRange(o, 96).max) << c.params;
        EXPECT_EQ(c.minAt192, FontSizeRange(o, 192).min) << c.params;
    }
    EXPECT_EQ(L"90;MS UI Gothic", FormatFontValue(ParseFontValue(L"90;MS UI Gothic")));
}

TEST(SettingsEditors, NumberFieldsAndTheirRange)
{
    struct Case {
        const wchar_t* text;
        bool number;
        int value;
    } cases[] = {
        {L"0", true, 0},       {L" 100 ", true, 100},    {L"-1", true, -1},    {L"+7", true, 7},
        {L"101", true, 101},   {L"", false, 0},          {L"-", false, 0},     {L"12a", false, 0},
        {L"1 2", false, 0},    {L"2147483647", true, INT_MAX}, {L"-2147483648", true, INT_MIN},
        {L"2147483648", false, 0}, {L"99999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        const std::optional<int> v = ParseIntField(c.text);
        EXPECT_EQ(c.number, v.has_value()) << c.text;
        if (v) {
            EXPECT_EQ(c.value, *v) << c.text;
        }
    }
    EXPECT_EQ(L"Range 0 - 100", RangeMessage(ParseIntOptions(L"0;100;1;10")));
    EXPECT_EQ(L"0;3;1;1", LedRangeParams(3));
    const auto pages = StartPageChoices(L"Last Viewed Page", {L"Home", L"a;b:c"});
    ASSERT_EQ(3u, pages.size());
    EXPECT_EQ(L"Last Viewed Page", pages[0].caption);
    EXPECT_EQ(L"a;b:c", pages[2].caption);
}

TEST(SettingsValues, ListTextOfEachKind)
{
    const auto def = [](EditorKind kind, const wchar_t* params) {
        SettingDef d;
        d.editor = kind;
        d.params = params;
        return d;
    };
    const auto num = [](int n) {
        SettingValue v;
        v.num = n;
        return v;
    };
    SettingValue text;
    text.kind = SettingValue::Text;
    text.str = L"90;Tahoma";
    const SettingDef cmb = def(EK_CMB, L"0:Off;1:On"), color = def(EK_COLOR, L""), intDef = def(EK_INT, L"0;9;1;1");
    struct Case {
        const SettingDef* def;
        SettingValue value;
        const wchar_t* shown;
    } cases[] = {
        {&cmb, num(1), L"On"},
        {&cmb, num(5), L"5"},         // no option has it
        {&color, num(0x0000FF), L"0000FF"},  // red, stored with red in the low byte
        {&color, num(0xFFFFFF), L"FFFFFF"},
        {&color, num(0x123456), L"123456"},
        {&intDef, num(-1), L"-1"},
        {&intDef, text, L"90;Tahoma"},
        {nullptr, num(3), L"3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.shown, ListValueText(c.def, c.value));
}

TEST(SettingsValues, TextOnAColourAndTheColourField)
{
    struct Tone {
        std::uint32_t colour;
        bool white;
    } tones[] = {
        {0x0000FF, true},   // red
        {0xFFFFFF, false},  // white
        {0xE0E0E0, false},  // pale grey
        {0x800000, true},   // dark blue
        {0x00FF00, false},  // green: (4 × 255) / 7 = 145
        {0x000000, true},
    };
    for (const Tone& t : tones)
        EXPECT_EQ(t.white, WantsWhiteText(t.colour)) << std::hex << t.colour;

    EXPECT_EQ(L"FF0000", ColorFieldText(0x0000FF));  // the field shows red first
    struct Field {
        const wchar_t* text;
        bool ok;
        std::uint32_t colour;
    } fields[] = {
        {L"ff0000", true, 0x0000FF}, {L"FF8000", true, 0x0080FF}, {L"0000aB", true, 0xAB0000},
        {L"ff00000", false, 0},      {L"ff000", false, 0},        {L"", false, 0},
        {L"ff00 0", false, 0},       {L"+f0000", false, 0},       {L"gg0000", false, 0},
    };
    for (const Field& f : fields) {
        std::uint32_t colour = 0x123456;
        EXPECT_EQ(f.ok, ParseColorField(f.text, colour)) << f.text;
        EXPECT_EQ(f.ok ? f.colour : 0x123456u, colour) << f.text;
    }
}

TEST(SettingsLayout, LargeScreensAndStretching)
{
    struct Screen {
        int width, height, ppi;
        bool large;
    } screens[] = {
        {480, 640, 192, false}, {480, 640, 96, true},  {640, 480, 96, true},  {240, 320, 96, false},
        {440, 800, 96, true},   {439, 800, 96, false}, {480, 640, 0, true},   {-480, -640, 96, true},
        {800, 480, 131, true},  // 131 / 96 = 1
    };
    for (const Screen& s : screens)
        EXPECT_EQ(s.large, IsLargeScreen(s.width, s.height, s.ppi)) << s.width << "x" << s.height << "@" << s.ppi;

    // The focus edit, then a list: the list takes the room to the right and
    // below; the focus edit moves down by the same amount.
    const std::vector<CtrlRect> placed = StretchControls({{300, 180, 310, 190}, {4, 40, 300, 170}}, 400, 300);
    EXPECT_EQ((CtrlRect{300, 308, 408, 318}), placed[0]);
    EXPECT_EQ((CtrlRect{4, 40, 398, 298}), placed[1]);
    // Nothing to stretch: the focus edit goes just out of sight.
    EXPECT_EQ((CtrlRect{300, 304, 398, 314}), StretchControls({{300, 180, 310, 190}}, 400, 300)[0]);
    EXPECT_TRUE(StretchControls({}, 400, 300).empty());
}

TEST(SettingsEnv, CheckedRowsBecomeTheFolderList)
{
    const std::wstring a = L"\\Program Files\\QVL\\QVLA\\", b = L"\\Program Files\\QVL\\QVLB\\",
                       card = L"\\SD\\Program Files\\QVL\\QVLC\\";
    struct Case {
        std::vector<std::wstring> before;
        std::vector<EnvRow> rows;
        std::vector<std::wstring> after;
    } cases[] = {
        {{a, b}, {{a, false}, {b, false}}, {}},                // all unchecked: cleared
        {{}, {{a, true}, {b, true}}, {a, b}},                  // row order
        {{b}, {{a, true}, {b, true}}, {b, a}},                 // what was there keeps its place
        {{card, a}, {{a, false}, {b, false}}, {card}},         // a card that is not in the device
        {{card}, {}, {card}},                                  // no rows at all
        {{a, a}, {{a, true}}, {a}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, ApplyEnvRows(c.before, c.rows));
}

TEST(SettingsPageKeep, LinesAsTheReaderEndsThem)
{
    const std::string text = "one\r\ntwo\n\rthree\rfour\nfive\xFFsix";
    struct Case {
        int line;
        std::string rest;
    } cases[] = {
        {1, text}, {2, "two\n\rthree\rfour\nfive\xFFsix"}, {3, "three\rfour\nfive\xFFsix"}, {4, "four\nfive\xFFsix"},
        {5, "five\xFFsix"}, {6, "six"}, {7, ""}, {0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rest, BytesFromLine(text, c.line)) << c.line;
}

namespace {

class SettingsSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDefinitions(dev, NumberDefinitions({{Set::RefSize, 480}, {Set::ScreenSize, 480}}, 0));
        dev.WriteFile(kMain + L"Sheet.ini", "");
    }
    std::string Read(const std::wstring& name) { return dev.ReadFile(kMain + name); }
    void Write(const std::wstring& name, const std::string& bytes) { dev.WriteFile(kMain + name, bytes); }

    const std::wstring kMain = L"\\Program Files\\Orvane\\";
    CDeviceSandbox dev;
};

}  // namespace

TEST_F(SettingsSave, ReadingThatStoppedEarlyKeepsTheUnreadPages)
{
    const std::string good = "[A]\r\nS,0,0\r\nS,0,0\r\n\r\n";
    struct Case {
        std::string file;
        int stopLine;
        std::string kept;
    } cases[] = {
        {good + "[B]\r\nS,0,0\r\n[C]\r\nS,0,0\r\nS,0,0\r\n", 5, "[B]\r\nS,0,0\r\n[C]\r\nS,0,0\r\nS,0,0\r\n"},
        {"[B]\n[C]\nS,0,0\nS,0,0\n", 1, "[B]\n[C]\nS,0,0\nS,0,0\n"},
        {good + "[Z]\r\n", 5, "[Z]\r\n"},
        {good, 0, ""},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        Write(L"Page.ini", c.file);
        std::filesystem::remove(CDeviceSandbox::Host(kMain + L"PageMng.ini"));
        CConfiguration config(DEFS_FULL, nullptr, true);
        const std::vector<PageFileTarget> files = LoadedPageFiles(MainPageFilePath(config.setting), AddPaths);
        ASSERT_EQ(1u, files.size());
        EXPECT_EQ(c.stopLine, files[0].stopLine) << c.file;
        EXPECT_EQ(c.kept, files[0].keptTail) << c.file;
        ASSERT_TRUE(SaveConfiguration(config.setting, config.pages, PageMngFilePath(), files, L"-"));
        const std::string saved = Read(L"Page.ini");
        ASSERT_GE(saved.size(), c.kept.size());
        EXPECT_EQ(c.kept, saved.substr(saved.size() - c.kept.size())) << saved;
        if (c.stopLine > 1) {
            EXPECT_EQ(0u, saved.find("[A]\r\nS,0,0\r\nS,0,0\r\n\r\n")) << saved;
        }
        // Read again, it stops at the same section: nothing is lost, and
        // nothing of the tail is written twice on the next save.
        CConfiguration again(DEFS_FULL, nullptr, true);
        ASSERT_TRUE(SaveConfiguration(again.setting, again.pages, PageMngFilePath(),
                                      LoadedPageFiles(MainPageFilePath(again.setting), AddPaths), L"-"));
        EXPECT_EQ(saved, Read(L"Page.ini"));
    }
}

// The comments of a page file are the theme author's: a save keeps them
// where they stood (above the first page, above a page's header, between
// its lines, at its end), and a later save does not write them twice. (The
// task page a save adds comes after the pages read.)
TEST_F(SettingsSave, CommentsSurviveASave)
{
    const std::string page = "[A]\r\nS,0,0\r\nS,0,0\r\n\r\n";
    const std::string b = "[B]\r\nS,0,0\r\nS,0,0\r\n\r\n";
    struct Case {
        std::string file, saved;
    } cases[] = {
        {"; pages\r\n;\r\n\r\n" + page, "; pages\r\n;\r\n\r\n" + page},
        {"; lf\n  [A]\nS,0,0\nS,0,0\n", "; lf\n" + page},
        {"stray\r\n" + page, "stray\r\n" + page},
        {"; no pages, no end", "; no pages, no end\r\n"},
        // Its first section falls short: kept unread, after the comments.
        {"; short\r\n[B]\r\nS,0,0\r\n", "; short\r\n["},
        // Above a header: that page's; parted from it by a blank line: the
        // end of the page before.
        {"[A]\r\nS,0,0\r\nS,0,0\r\n; end of A\r\n\r\n; about B\r\n[B]\r\nS,0,0\r\nS,0,0\r\n",
         "[A]\r\nS,0,0\r\nS,0,0\r\n; end of A\r\n\r\n; about B\r\n" + b},
        {"[A]\n  ; portrait\nS,0,0\nS,0,0\n;icon\n1,,\\a.exe,,,0,----;;\n; last",
         "[A]\r\n  ; portrait\r\nS,0,0\r\nS,0,0\r\n;icon\r\n1,,\\a.exe,,,0,----;;\r\n; last\r\n\r\n"},
        // A nameless section's lines are not read; its comments join the next page's.
        {page + "[]\r\n; in nameless\r\nx\r\n[B]\r\nS,0,0\r\nS,0,0\r\n", page + "; in nameless\r\n" + b},
        // Above a section that falls short (kept unread): the end of the page before.
        {"[A]\r\nS,0,0\r\nS,0,0\r\n; above B\r\n[B]\r\nS,0,0\r\n",
         "[A]\r\nS,0,0\r\nS,0,0\r\n; above B\r\n\r\n"},
    };
    for (const Case& c : cases) {
        Write(L"Page.ini", c.file);
        std::filesystem::remove(CDeviceSandbox::Host(kMain + L"PageMng.ini"));
        for (int save = 0; save < 2; ++save) {
            CConfiguration config(DEFS_FULL, nullptr, true);
            ASSERT_TRUE(SaveConfiguration(config.setting, config.pages, PageMngFilePath(),
                                          LoadedPageFiles(MainPageFilePath(config.setting), AddPaths), L"-"));
            const std::string saved = Read(L"Page.ini");
            EXPECT_EQ(0u, saved.find(c.saved)) << c.file << ", save " << save << ": " << saved;
            EXPECT_EQ(std::string::npos, saved.find(c.saved, 1)) << "written twice: " << saved;
        }
    }
}

// A page moved and renamed in the settings program takes its comments along.
TEST_F(SettingsSave, CommentsFollowTheirPage)
{
    Write(L"Page.ini", "; top\r\n[A]\r\nS,0,0\r\nS,0,0\r\n; end of A\r\n\r\n; about B\r\n[B]\r\n; sheets\r\n"
                       "S,0,0\r\nS,0,0\r\n");
    std::filesystem::remove(CDeviceSandbox::Host(kMain + L"PageMng.ini"));
    CConfiguration config(DEFS_FULL, nullptr, true);
    const std::vector<PageFileTarget> files = LoadedPageFiles(MainPageFilePath(config.setting), AddPaths);
    CPageRows rows;
    rows.Load(config.pages);
    ASSERT_EQ(L"B", rows.At(1).name);
    ASSERT_TRUE(rows.Move(1, true));
    rows.At(0).name = L"B2";
    rows.Apply(config.pages);
    ASSERT_TRUE(SaveConfiguration(config.setting, config.pages, PageMngFilePath(), files, L"-"));
    EXPECT_EQ(0u, Read(L"Page.ini")
                      .find("; top\r\n; about B\r\n[B2]\r\n; sheets\r\nS,0,0\r\nS,0,0\r\n\r\n"
                            "[A]\r\nS,0,0\r\nS,0,0\r\n; end of A\r\n\r\n"))
        << Read(L"Page.ini");
}

TEST_F(SettingsSave, PageFilesStayWithTheirFolders)
{
    const std::wstring env = L"\\Program Files\\QVL\\QVLA\\", other = L"\\Program Files\\QVL\\QVLB\\";
    dev.WriteFile(env + L"Page.ini", "[EnvPage]\r\nS,0,0\r\nS,0,0\r\n\r\n");
    dev.WriteFile(other + L"Page.ini", "[OtherPage]\r\nS,0,0\r\nS,0,0\r\n\r\n");
    // The second folder's card is not in the device: nothing to write there.
    Write(L"Orvane.ini", "QVL_ADDPATH=\\Program Files\\QVL\\QVLA\\\r\nQVL_ADDPATH=\\SD\\Program Files\\QVL\\QVLC\\\r\n");
    Write(L"Page.ini", "[Home]\r\nS,0,0\r\nS,0,0\r\n\r\n");
    CConfiguration config(DEFS_FULL, nullptr, true);
    const std::vector<PageFileTarget> files = LoadedPageFiles(MainPageFilePath(config.setting), AddPaths);
    ASSERT_EQ(2u, files.size());

    // The user swaps the environments: the setting file follows, while each
    // page file keeps its own folder's pages.
    AddPaths = {other};
    namespace fs = std::filesystem;
    const auto before = fs::last_write_time(CDeviceSandbox::Host(other + L"Page.ini"));
    ASSERT_TRUE(SaveConfiguration(config.setting, config.pages, PageMngFilePath(), files, L"-"));
    EXPECT_NE(std::string::npos, Read(L"Orvane.ini").find("QVL_ADDPATH=\\Program Files\\QVL\\QVLB\\\r\n"));
    EXPECT_EQ(0u, dev.ReadFile(env + L"Page.ini").find("[EnvPage]"));
    EXPECT_EQ(before, fs::last_write_time(CDeviceSandbox::Host(other + L"Page.ini")));
    EXPECT_EQ(0u, Read(L"Page.ini").find("[Home]"));
}

TEST_F(SettingsSave, EveryWriteIsTriedAndAFailureKeepsThatFile)
{
    Write(L"Page.ini", "[Home]\r\nS,0,0\r\nS,0,0\r\n");
    Write(L"PageMng.ini", "1,Home\r\n");
    CConfiguration config(DEFS_FULL, nullptr, true);
    const std::string oldSetting = Read(L"Orvane.ini"), oldPages = Read(L"Page.ini");
    dev.MakeFolder(SaveTempPath(kMain + L"Orvane.ini"));
    dev.MakeFolder(SaveTempPath(kMain + L"Page.ini"));
    config.pages.m_Order[0].shown = 0;
    EXPECT_FALSE(SaveConfiguration(config.setting, config.pages, PageMngFilePath(),
                                   LoadedPageFiles(MainPageFilePath(config.setting), AddPaths), L"-"));
    EXPECT_EQ(oldSetting, Read(L"Orvane.ini"));
    EXPECT_EQ(oldPages, Read(L"Page.ini"));
    EXPECT_EQ(0u, Read(L"PageMng.ini").find("0,Home\r\n"));  // written all the same
}
