// Page files and the page order: sections, the task page, the display order
// the engine and the settings program get, and writing both files back.
#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "base/Log.h"
#include "config/Folders.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"
#include "config/TextFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

const std::wstring kMain = L"\\Program Files\\Orvane\\";
const std::wstring kAdd1 = L"\\Storage Card\\QVL\\QVLA\\";
const std::wstring kAdd2 = L"\\Storage Card\\QVL\\QVLB\\";

using Order = std::vector<std::pair<std::wstring, int>>;

class PageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // RefSize and ScreenSize 480 make Scale the identity.
        WriteDefinitions(dev, NumberDefinitions({{Set::RefSize, 480}, {Set::ScreenSize, 480}, {Set::FramePeriod, 50}}, 0));
        setting = std::make_unique<CSetting>();
        setting->Load();
        motions.InitDefaultMotions();
        sheets = std::make_unique<CSheet>(*setting, motions);
    }

    void WriteMain(const std::string& bytes) { dev.WriteFile(kMain + kPageFileName, bytes); }
    void WriteMng(const std::string& bytes) { dev.WriteFile(kMain + kPageMngFileName, bytes); }

    // The engine's order: PageMng.ini, each extra folder, the main file.
    void LoadAll(CPageMng& mng, const std::vector<std::wstring>& extra = {}, bool keepHidden = false,
                 CDiagSink* sink = nullptr)
    {
        ASSERT_EQ(1, mng.LoadMng(kMain + kPageMngFileName, keepHidden, sink));
        const bool listed = !mng.m_Order.empty();
        std::uint16_t group = 1;
        for (const std::wstring& folder : extra)
            mng.LoadTabInfo(folder, folder + kPageFileName, group++, *sheets, listed, sink);
        mng.LoadTabInfo(kMain, kMain + kPageFileName, 0, *sheets, listed, sink);
        mng.FinishPageOrder();
    }

    static Order OrderOf(const CPageMng& mng)
    {
        Order out;
        for (const PageOrderEntry& o : mng.m_Order)
            out.emplace_back(o.name, o.shown);
        return out;
    }

    CDeviceSandbox dev;
    std::unique_ptr<CSetting> setting;
    CMotionTable motions;
    std::unique_ptr<CSheet> sheets;
};

// A section with its two sheet lines and the given icon lines.
std::string Section(const std::string& name, const std::string& sheet = "S_DEF",
                    const std::vector<std::string>& icons = {})
{
    std::string s = "[" + name + "]\r\n" + sheet + ",0,0\r\n" + sheet + ",0,0\r\n";
    for (const std::string& icon : icons)
        s += icon + "\r\n";
    return s;
}

}  // namespace

TEST_F(PageTest, SectionLines)
{
    InstallDir = kMain;
    WriteMain("; comment before the first page\r\n"
              "\r\n"
              "   [Home]\r\n"
              "S_DEF,2,1\r\n"
              "  ; a comment between the sheet lines\r\n"
              "S_WIDE,3,0\r\n"
              "1,Mail,\\tmail.exe,,\\\\\\mail.png,0,----;;\r\n"
              "\r\n"
              "3,Site,\r\n"                              // no path: an unset slot that takes its place
              "  2,Notes,\\n.lnk,,\\\\Icon\\n.bmp,0,----;;\r\n"
              "[Games]trailing text\r\n"
              "S_DEF,0,0\r\n"
              "S_DEF,0,0\r\n");
    CDiagList diags;
    CPageMng mng;
    LoadAll(mng, {}, false, &diags);
    EXPECT_TRUE(diags.Empty());
    EXPECT_EQ((Order{{L"Home", 1}, {L"Games", 1}, {L"TRLS_PAGE", 1}}), OrderOf(mng));

    const CPageInfo* home = mng.FindPage(L"Home");
    ASSERT_NE(nullptr, home);
    EXPECT_EQ(kMain, home->folder);
    EXPECT_EQ(kMain, home->icons.base);
    EXPECT_EQ(0, home->group);
    EXPECT_EQ(L"S_DEF", home->sheetName[ORIENT_PORTRAIT]);
    EXPECT_EQ(L"S_WIDE", home->sheetName[ORIENT_LANDSCAPE]);
    EXPECT_EQ(2, home->startSlot[ORIENT_PORTRAIT]);
    EXPECT_EQ(3, home->startSlot[ORIENT_LANDSCAPE]);
    EXPECT_EQ(1, home->extra[ORIENT_PORTRAIT]);
    EXPECT_EQ(0, home->extra[ORIENT_LANDSCAPE]);
    ASSERT_EQ(3u, home->icons.entries.size());
    EXPECT_EQ(kMain + L"mail.png", home->icons.entries[0].IconFile);
    EXPECT_EQ(0, home->icons.entries[1].nAppType);
    EXPECT_EQ(L"", home->icons.entries[1].Name);
    EXPECT_EQ(kMain + L"Icon\\n.bmp", home->icons.entries[2].IconFile);
    ASSERT_NE(nullptr, mng.FindPage(L"Games"));
    EXPECT_TRUE(mng.FindPage(L"Games")->icons.entries.empty());
}

TEST_F(PageTest, SheetLinesOutsideTheirLimitsAreMendedAndReported)
{
    struct Case {
        std::string line;
        std::wstring sheet;
        int start, extra;
    } cases[] = {
        {"S_DEF,127,1", L"S_DEF", 127, 1},
        {std::string(64, 'S') + ",0,0", std::wstring(63, L'S'), 0, 0},  // reported
        {"S_DEF,-1,0", L"S_DEF", 0, 0},                                // reported
        {"S_DEF,128,0", L"S_DEF", 127, 0},                             // reported
        {"S_DEF,0,258", L"S_DEF", 0, 2},                               // the low byte
        {"S_DEF,0,256", L"S_DEF", 0, 0},
        {"S_DEF", L"S_DEF", 0, 0},                                     // reported as incomplete
    };
    const size_t reports[] = {0, 1, 1, 1, 0, 0, 1};
    for (size_t i = 0; i < std::size(cases); ++i) {
        WriteMain("[P]\r\n" + cases[i].line + "\r\n" + cases[i].line + "\r\n");
        CDiagList diags;
        CPageMng mng;
        LoadAll(mng, {}, false, &diags);
        const CPageInfo* p = mng.FindPage(L"P");
        ASSERT_NE(nullptr, p) << cases[i].line;
        for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE}) {
            EXPECT_EQ(cases[i].sheet, p->sheetName[o]) << cases[i].line;
            EXPECT_EQ(cases[i].start, p->startSlot[o]) << cases[i].line;
            EXPECT_EQ(cases[i].extra, p->extra[o]) << cases[i].line;
        }
        EXPECT_EQ(2 * reports[i], diags.Items().size()) << cases[i].line;
        for (const Diagnostic& d : diags.Items())
            EXPECT_NE(1, d.line);
    }
}

TEST_F(PageTest, BrokenSectionsAndHeaders)
{
    struct Case {
        std::string file;
        std::vector<std::wstring> pages;  // besides the task page
        size_t reports;
    } cases[] = {
        // Fewer than two sheet lines end the file.
        {Section("A") + "[B]\r\nS_DEF,0,0\r\n" + Section("C"), {L"A"}, 1},
        {Section("A") + "[B]\r\n", {L"A"}, 1},
        // A header without a name is left out with its section (one report),
        // also when it ends another page's.
        {"[]\r\nS_DEF,0,0\r\nS_DEF,0,0\r\n" + Section("C"), {L"C"}, 1},
        {Section("A") + "  []\r\n1,lost,\\x.exe,,,0,----;;\r\n" + Section("C"), {L"A", L"C"}, 1},
        {"lost line\r\n" + Section("C"), {L"C"}, 1},
        // Only a line that begins with "[" is a header: one inside an icon
        // line is that icon's.
        {Section("A", "S_DEF", {"1,a,\\a.exe,,,0,----;;", "1,x[1],\\x.exe,[y],,0,----;;", "1,b,\\b.exe,,,0,----;;"}),
         {L"A"},
         0},
        // An unclosed header still names its page.
        {"[Open\r\nS_DEF,0,0\r\nS_DEF,0,0\r\n", {L"Open"}, 0},
        {"", {}, 0},
    };
    for (const Case& c : cases) {
        WriteMain(c.file);
        CDiagList diags;
        CPageMng mng;
        LoadAll(mng, {}, false, &diags);
        std::vector<std::wstring> pages;
        for (const auto& [name, page] : mng.m_Pages)
            if (name != kTaskPageName)
                pages.push_back(name);
        EXPECT_EQ(c.pages, pages) << c.file;
        EXPECT_EQ(c.reports, diags.Items().size()) << c.file;
    }
    const CPageInfo* a = nullptr;
    WriteMain(cases[5].file);
    CPageMng mng;
    LoadAll(mng);
    ASSERT_NE(nullptr, a = mng.FindPage(L"A"));
    ASSERT_EQ(3u, a->icons.entries.size());
    EXPECT_EQ(L"x[1]", a->icons.entries[1].Name);
    EXPECT_EQ(L"[y]", a->icons.entries[1].Args);
    EXPECT_EQ(L"b", a->icons.entries[2].Name);
}

TEST_F(PageTest, TaskPageOnTheTaskSheet)
{
    // Row 0 of S_TASK has 8 slots, row 1 has 10.
    WriteMain(Section("TRLS_PAGE", "S_TASK",
                      {"1,A,\\a.exe,,,0,----;;", "45,T,\\t,,,0,----;;", "72,R,\\r,,,0,----;;", "39,B,\\b,,,0,----;;",
                       "73,C,\\c,,,0,----;;", "40,D,\\d,,,0,----;;", "1,E,\\e,,,0,----;;", "71,F,\\f,,,0,----;;",
                       "1,G,\\g.exe,,\\\\g.png,0,----;;"}));
    CPageMng mng;
    LoadAll(mng);
    const CPageInfo* task = mng.FindPage(kTaskPageName);
    ASSERT_NE(nullptr, task);
    ASSERT_EQ(18u, task->icons.entries.size());
    struct Want {
        int type;
        const wchar_t* name;
    } row0[] = {{1, L"A"}, {5, L"T"}, {5, L"R"}, {39, L"B"}, {73, L"C"}, {5, L"D"}, {1, L"E"}, {5, L"F"}};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(row0[i].type, task->icons.entries[i].nAppType) << i;
        EXPECT_EQ(row0[i].name, task->icons.entries[i].Name) << i;
    }
    for (size_t i = 8; i < 18; ++i) {
        const IconEntry& e = task->icons.entries[i];
        const int number = static_cast<int>(18 - i);  // 10 at the left, 1 at the right
        EXPECT_EQ(39 + number, e.nAppType) << i;
        EXPECT_EQ(FormatW(L"Task-%02d", number), e.Name) << i;
        EXPECT_EQ(L"", e.Path) << i;
        EXPECT_EQ(L"", e.IconFile) << i;  // the user icon that stood there is gone
    }
    EXPECT_EQ(L"Task-10", task->icons.entries[8].Name);
    EXPECT_EQ(L"Task-01", task->icons.entries[17].Name);
}

TEST_F(PageTest, TaskPageSheetAndSize)
{
    struct Case {
        std::string file;
        std::wstring sheet;
        size_t icons, userIcons;
    } cases[] = {
        {"", L"S_TASK", 18, 0},                                              // created
        {Section("TRLS_PAGE", "S_NOWHERE"), L"S_TASK", 18, 0},               // unknown sheet
        {Section("TRLS_PAGE", "S_DEF", std::vector<std::string>(14, "1,x,\\x.exe,,,0,----;;")), L"S_DEF", 10, 5},
        {Section("TRLS_PAGE", "S_DEF", {"1,x,\\x.exe,,,0,----;;"}), L"S_DEF", 10, 1},
    };
    for (const Case& c : cases) {
        WriteMain(c.file);
        CPageMng mng;
        LoadAll(mng);
        const CPageInfo* task = mng.FindPage(kTaskPageName);
        ASSERT_NE(nullptr, task) << c.file;
        EXPECT_EQ(c.sheet, task->sheetName[ORIENT_PORTRAIT]) << c.file;
        EXPECT_EQ(c.sheet, task->sheetName[ORIENT_LANDSCAPE]) << c.file;
        ASSERT_EQ(c.icons, task->icons.entries.size()) << c.file;
        size_t user = 0, placeholders = 0, taskSlots = 0;
        for (const IconEntry& e : task->icons.entries) {
            user += e.nAppType == APP_PROGRAM;
            placeholders += e.nAppType == APP_BLANK && e.Name == L"--------";
            taskSlots += IsTaskSlot(e.nAppType);
        }
        EXPECT_EQ(c.userIcons, user) << c.file;
        EXPECT_EQ(c.icons - taskSlots - user, placeholders) << c.file;
    }
}

TEST_F(PageTest, DisplayOrder)
{
    // Folder A defines D and Both, folder B defines E, the main file A, B,
    // C and Both.
    dev.WriteFile(kAdd1 + kPageFileName, Section("D") + Section("Both", "S_ADD"));
    dev.WriteFile(kAdd2 + kPageFileName, Section("E"));
    const std::string main = Section("A") + Section("B") + Section("C") + Section("Both", "S_MAIN");
    struct Case {
        const char* mng;  // nullptr: no PageMng.ini
        std::string main;
        bool keepHidden;
        Order want;
    } cases[] = {
        {nullptr, main, false,
         {{L"D", 1}, {L"Both", 1}, {L"E", 1}, {L"A", 1}, {L"B", 1}, {L"C", 1}, {L"TRLS_PAGE", 1}}},
        {"", main, false, {{L"D", 1}, {L"Both", 1}, {L"E", 1}, {L"A", 1}, {L"B", 1}, {L"C", 1}, {L"TRLS_PAGE", 1}}},
        // Listed: exactly the listed pages that exist, the created task page shown at the end.
        {"1,B\r\n1,Missing\r\n1,E\r\n1,A\r\n", main, false, {{L"B", 1}, {L"E", 1}, {L"A", 1}, {L"TRLS_PAGE", 1}}},
        // A task page defined in a file but not listed is kept, hidden.
        {"1,B\r\n", main + Section("TRLS_PAGE", "S_TASK"), false, {{L"B", 1}, {L"TRLS_PAGE", 0}}},
        // A listed task page stays where the list puts it, once.
        {"1,TRLS_PAGE\r\n1,A\r\n", main, false, {{L"TRLS_PAGE", 1}, {L"A", 1}}},
        // The engine leaves hidden entries out, so their pages are not loaded.
        {"1,B\r\n0,A\r\n", main, false, {{L"B", 1}, {L"TRLS_PAGE", 1}}},
        // Hidden entries only: nothing listed, every page shown.
        {"0,B\r\n", main, false,
         {{L"D", 1}, {L"Both", 1}, {L"E", 1}, {L"A", 1}, {L"B", 1}, {L"C", 1}, {L"TRLS_PAGE", 1}}},
        // The settings program keeps hidden entries and their pages, and the
        // pages the list leaves out as hidden ones (a Save keeps them all).
        {"1,B\r\n0,A\r\n0,TRLS_PAGE\r\n", main, true,
         {{L"B", 1}, {L"A", 0}, {L"TRLS_PAGE", 0}, {L"D", 0}, {L"Both", 0}, {L"E", 0}, {L"C", 0}}},
        // ... with the flag as written, to be written back so.
        {"5,B\r\n0,A\r\n", main, true,
         {{L"B", 5}, {L"A", 0}, {L"D", 0}, {L"Both", 0}, {L"E", 0}, {L"C", 0}, {L"TRLS_PAGE", 1}}},
        // Lines that are not FLAG,NAME are skipped; a name listed twice is
        // listed twice.
        {"1,B\r\nB\r\n,A\r\n1,B\r\n1,C\r\n", main, false, {{L"B", 1}, {L"B", 1}, {L"C", 1}, {L"TRLS_PAGE", 1}}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(CDeviceSandbox::Host(kMain + kPageMngFileName));
        if (c.mng)
            WriteMng(c.mng);
        WriteMain(c.main);
        CPageMng mng;
        LoadAll(mng, {kAdd1, kAdd2}, c.keepHidden);
        EXPECT_EQ(c.want, OrderOf(mng)) << (c.mng ? c.mng : "(none)");
        for (size_t i = 0; i < mng.m_Order.size(); ++i)
            EXPECT_EQ(mng.FindPage(mng.m_Order[i].name), mng.PageAt(i));
    }
}

TEST_F(PageTest, MainFileDefinitionWinsOverAnExtraFolder)
{
    dev.WriteFile(kAdd1 + kPageFileName, Section("Both", "S_ADD", {"1,a,\\a.exe,,\\\\\\a.png,0,----;;"}));
    WriteMain(Section("Both", "S_MAIN", {"1,m,\\m.exe,,\\\\\\m.png,0,----;;", "1,n,\\n.exe,,,0,----;;"}));
    CPageMng mng;
    LoadAll(mng, {kAdd1});
    const CPageInfo* both = mng.FindPage(L"Both");
    ASSERT_NE(nullptr, both);
    EXPECT_EQ(0, both->group);
    EXPECT_EQ(kMain, both->folder);
    EXPECT_EQ(L"S_MAIN", both->sheetName[ORIENT_PORTRAIT]);
    ASSERT_EQ(2u, both->icons.entries.size());
    EXPECT_EQ(kMain + L"m.png", both->icons.entries[0].IconFile);

    // Without the main file's definition the folder's stays, with its group
    // and its own base for "\\\" images.
    WriteMain("");
    CPageMng extraOnly;
    LoadAll(extraOnly, {kAdd1});
    both = extraOnly.FindPage(L"Both");
    ASSERT_NE(nullptr, both);
    EXPECT_EQ(1, both->group);
    EXPECT_EQ(kAdd1 + L"a.png", both->icons.entries[0].IconFile);
}

TEST_F(PageTest, LookupsAndResults)
{
    WriteMng("1,A\r\n1,B\r\n");
    WriteMain(Section("A") + Section("B"));
    CPageMng mng;
    ASSERT_EQ(1, mng.LoadMng(kMain + kPageMngFileName));
    ASSERT_EQ(1, mng.LoadTabInfo(kMain, kMain + kPageFileName, 0, *sheets, true));
    mng.FinishPageOrder();
    mng.m_Order[1].shown = 0;
    EXPECT_EQ(1, mng.OrderIndexOf(L"B"));
    EXPECT_EQ(-1, mng.OrderIndexOf(L"B", true));
    EXPECT_EQ(-1, mng.OrderIndexOf(L"b"));  // names are case-sensitive
    EXPECT_EQ(nullptr, mng.FindPage(L"a"));
    EXPECT_EQ(nullptr, mng.PageAt(mng.m_Order.size()));

    // A missing page file reads nothing; the task page is still set up.
    std::vector<std::wstring> trace;
    SetLogHook([&trace](const std::wstring& file, const std::wstring& text) {
        if (file == LogFileName())
            trace.push_back(text);
    });
    CPageMng none;
    EXPECT_EQ(0, none.LoadTabInfo(kMain, kMain + L"Nowhere.ini", 0, *sheets, false));
    SetLogHook({});
    EXPECT_NE(nullptr, none.FindPage(kTaskPageName));
    const std::vector<std::wstring> wantTrace = {L"LoadTabInfo() Start File:[" + kMain + L"Nowhere.ini]",
                                                 L"LoadTabInfo() End"};
    EXPECT_EQ(wantTrace, trace);
    // One that cannot be opened is reported.
    dev.MakeFolder(kAdd1 + kPageFileName);
    CDiagList diags;
    EXPECT_EQ(0, none.LoadTabInfo(kAdd1, kAdd1 + kPageFileName, 1, *sheets, false, &diags));
    EXPECT_EQ(1u, diags.Items().size());
    // An order file that exists but cannot be opened fails.
    dev.MakeFolder(kAdd2 + kPageMngFileName);
    EXPECT_EQ(0, none.LoadMng(kAdd2 + kPageMngFileName));
    EXPECT_EQ(1, none.LoadMng(kAdd2 + L"Nowhere.ini"));
    none.FreePages();
    EXPECT_TRUE(none.m_Pages.empty());
    EXPECT_TRUE(none.m_Order.empty());
}

TEST_F(PageTest, WrittenFilesReadBackTheSame)
{
    InstallDir = kMain;
    dev.WriteFile(kAdd1 + kPageFileName,
                  "[Extra]\r\nS_DEF,1,0\r\nS_DEF,2,1\r\n2,Notes,\\n.lnk,-x,\\\\\\n.png,3,HKCU;Software\\N;Count\r\n");
    WriteMain("[Home]\r\nS_DEF,0,1\r\nS_WIDE,5,0\r\n"
              "1,Mail,\\tmail.exe,,,0,----;;\r\n"
              "1,Pic,\\p.exe,,\\\\Icon\\p.png,0,----;;\r\n"
              "1,Abs,\\a.exe,,\\Program Files\\Orvane\\Icon\\a.png,0,----;;\r\n"
              "1,Odd,\\o.exe,,\\Program Files\\Orvane\\\\o.png,0,----;;\r\n"
              "3,Site,\r\n"
              "5,--------,,,,0,----;;\r\n"
              "6,Games,Games,,,0,----;;\r\n" +
              Section("Games") + Section("Hidden") + Section("TRLS_PAGE", "S_TASK", {"1,T,\\t.exe,,,0,----;;"}));
    WriteMng("1,Games\r\n0,Hidden\r\n1,Home\r\n1,Extra\r\n");
    CPageMng first;
    LoadAll(first, {kAdd1}, true);
    ASSERT_EQ((Order{{L"Games", 1}, {L"Hidden", 0}, {L"Home", 1}, {L"Extra", 1}, {L"TRLS_PAGE", 0}}),
              OrderOf(first));

    ASSERT_EQ(1, first.WriteMng(kMain + kPageMngFileName));
    ASSERT_EQ(1, first.WritePages(kMain + kPageFileName, 0));
    ASSERT_EQ(1, first.WritePages(kAdd1 + kPageFileName, 1));
    EXPECT_EQ("1,Games\r\n0,Hidden\r\n1,Home\r\n1,Extra\r\n0,TRLS_PAGE\r\n", dev.ReadFile(kMain + kPageMngFileName));
    // Pictures are written as a page file stores them, relative to its own
    // folder or the install folder where they lie below one.
    EXPECT_EQ("[Extra]\r\nS_DEF,1,0\r\nS_DEF,2,1\r\n"
              "2,Notes,\\n.lnk,-x,\\\\\\n.png,3,HKCU;Software\\N;Count\r\n\r\n",
              dev.ReadFile(kAdd1 + kPageFileName));
    const std::string main = dev.ReadFile(kMain + kPageFileName);
    for (const char* line : {"\r\n1,Pic,\\p.exe,,\\\\Icon\\p.png,0,----;;\r\n",
                             "\r\n1,Abs,\\a.exe,,\\\\Icon\\a.png,0,----;;\r\n",
                             "\r\n1,Odd,\\o.exe,,\\Program Files\\Orvane\\\\o.png,0,----;;\r\n"})
        EXPECT_NE(std::string::npos, main.find(line)) << line << main;
    EXPECT_EQ(0u, dev.ReadFile(kMain + kPageFileName).find("[Games]\r\nS_DEF,0,0\r\nS_DEF,0,0\r\n\r\n[Hidden]\r\n"));

    CPageMng second;
    LoadAll(second, {kAdd1}, true);
    EXPECT_EQ(OrderOf(first), OrderOf(second));
    ASSERT_EQ(first.m_Pages.size(), second.m_Pages.size());
    for (const auto& [name, a] : first.m_Pages) {
        const CPageInfo* b = second.FindPage(name);
        ASSERT_NE(nullptr, b) << name;
        EXPECT_EQ(a->group, b->group) << name;
        EXPECT_EQ(a->folder, b->folder) << name;
        for (int o : {ORIENT_PORTRAIT, ORIENT_LANDSCAPE}) {
            EXPECT_EQ(a->sheetName[o], b->sheetName[o]) << name;
            EXPECT_EQ(a->startSlot[o], b->startSlot[o]) << name;
            EXPECT_EQ(a->extra[o], b->extra[o]) << name;
        }
        ASSERT_EQ(a->icons.entries.size(), b->icons.entries.size()) << name;
        for (size_t i = 0; i < a->icons.entries.size(); ++i)
            EXPECT_EQ(FormatIconEntry(a->icons.entries[i], false), FormatIconEntry(b->icons.entries[i], false))
                << name << " " << i;
    }
}

TEST_F(PageTest, FailedSaveKeepsTheOldFile)
{
    WriteMain(Section("A"));
    WriteMng("1,A\r\n");
    CPageMng mng;
    LoadAll(mng);
    const std::string oldPages = dev.ReadFile(kMain + kPageFileName);
    const std::string oldMng = dev.ReadFile(kMain + kPageMngFileName);
    // The save's temporary file cannot be made: a folder stands in its way.
    dev.MakeFolder(SaveTempPath(kMain + kPageFileName));
    dev.MakeFolder(SaveTempPath(kMain + kPageMngFileName));
    mng.FindPage(L"A")->sheetName[0] = L"S_OTHER";
    EXPECT_EQ(0, mng.WritePages(kMain + kPageFileName, 0));
    EXPECT_EQ(0, mng.WriteMng(kMain + kPageMngFileName));
    EXPECT_EQ(oldPages, dev.ReadFile(kMain + kPageFileName));
    EXPECT_EQ(oldMng, dev.ReadFile(kMain + kPageMngFileName));
    // A folder that does not exist.
    EXPECT_EQ(0, mng.WritePages(L"\\No Such Folder\\Page.ini", 0));
    EXPECT_EQ(0, mng.WriteMng(L"\\No Such Folder\\PageMng.ini"));
    EXPECT_FALSE(std::filesystem::exists(CDeviceSandbox::Host(L"\\No Such Folder")));
}
