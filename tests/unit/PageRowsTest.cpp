// The Pages tab's rules without a window: which page names the files keep,
// the page editor's checks, the names of duplicated and pasted pages, the
// rows handed back to the page manager, and what a rename does to links.
#include "CodePageScope.h"
#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "config/Folders.h"
#include "config/Motion.h"
#include "config/Setting.h"
#include "config/Sheet.h"
#include "settings/FieldCheck.h"
#include "settings/PageRows.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const std::wstring kMain = L"\\Program Files\\Orvane\\";

IconEntry Link(const std::wstring& caption, const std::wstring& target, std::uint16_t type = APP_PAGELINK)
{
    IconEntry e;
    e.nAppType = type;
    e.Name = caption;
    e.Path = target;
    return e;
}

std::unique_ptr<CPageInfo> NewPage(const std::wstring& sheet = L"S_DEF")
{
    auto page = std::make_unique<CPageInfo>();
    page->sheetName[ORIENT_PORTRAIT] = page->sheetName[ORIENT_LANDSCAPE] = sheet;
    return page;
}

// Writes a page of that name and a page "From" with a link to it, reads
// both files back with the loaders: true when the name and the link's
// target came back as they were.
bool NameComesBack(const std::wstring& name)
{
    CDeviceSandbox dev;
    WriteDefinitions(dev, NumberDefinitions({{Set::RefSize, 480}, {Set::ScreenSize, 480}}, 0));
    CSetting setting;
    setting.Load();
    CMotionTable motions;
    motions.InitDefaultMotions();
    CSheet sheets(setting, motions);

    CPageMng out;
    out.m_Pages[name] = NewPage();
    out.m_Pages[L"From"] = NewPage();
    out.m_Pages[L"From"]->icons.entries.push_back(Link(L"Go", name));
    out.m_Order = {{name, 1}, {L"From", 1}};
    if (!out.WriteMng(kMain + kPageMngFileName) || !out.WritePages(kMain + kPageFileName, 0))
        return false;

    CPageMng in;
    in.LoadMng(kMain + kPageMngFileName, true);
    in.LoadTabInfo(kMain, kMain + kPageFileName, 0, sheets, true);
    in.FinishPageOrder();
    const CPageInfo* from = in.FindPage(L"From");
    return in.FindPage(name) && !in.m_Order.empty() && in.m_Order[0].name == name && from &&
           !from->icons.entries.empty() && from->icons.entries[0].Path == name;
}

}  // namespace

// Every page name that is accepted comes back from the files, and every
// refusal but that of control characters is one the files need: the test
// writes each case and reads it back, in each code page.
TEST(PageNames, AcceptedNamesComeBackFromTheFiles)
{
    struct Case {
        std::wstring name;
        FieldFault in1252, in932;
    };
    const std::wstring longest(kPageNameMax, L'p');
    const Case cases[] = {
        {L"Home", FieldFault::None, FieldFault::None},
        {L" Spaced out ", FieldFault::None, FieldFault::None},
        {L"A;B=C(1)", FieldFault::None, FieldFault::None},
        {longest, FieldFault::None, FieldFault::None},
        {longest + L"p", FieldFault::TooLong, FieldFault::TooLong},
        {L"Two,Words", FieldFault::Separator, FieldFault::Separator},
        {L"Tab\there", FieldFault::Control, FieldFault::Control},
        {L"Line\r\nend", FieldFault::Control, FieldFault::Control},
        {L"\u0085Next", FieldFault::Control, FieldFault::Control},
        {L"Caf\u00e9", FieldFault::None, FieldFault::CodePage},
        {L"\u65e5\u672c", FieldFault::CodePage, FieldFault::None},
        {L"Na\u00efve\u00ff", FieldFault::CodePage, FieldFault::CodePage},  // 0xFF ends a line in 1252
        {L"\u0100lpha", FieldFault::CodePage, FieldFault::CodePage},       // no such character: a look-alike
    };
    for (unsigned cp : SelectableCodePages()) {
        CCodePageScope scope(cp);
        for (const Case& c : cases) {
            const FieldFault expected = cp == 932 ? c.in932 : c.in1252;
            const FieldCheck check = CheckFieldText(c.name, kPageNameMax, kPageNameSeparators);
            EXPECT_EQ(expected, check.fault) << cp << " " << WideToUtf8(c.name);
            // Control characters are refused even where a file would keep
            // one (a tab); every other refusal is one the files need.
            if (check.fault != FieldFault::Control) {
                EXPECT_EQ(check.Ok(), NameComesBack(c.name)) << cp << " " << WideToUtf8(c.name);
            }
        }
    }
    EXPECT_EQ(L',', CheckFieldText(L"a,b", 10, L",").separator);
}

TEST(PageNames, EditorChecksInTheirOrder)
{
    const std::set<std::wstring> others = {L"Home", L"TRLS_PAGE"};
    auto taken = [&](const std::wstring& n) { return others.count(n) > 0; };
    struct Case {
        const wchar_t *name, *portrait, *landscape;
        bool isNew;
        PageEditFault fault;
    } cases[] = {
        {L"New", L"S_DEF", L"S_DEF", true, PageEditFault::None},
        {L"New", L"S_DEF", L"", false, PageEditFault::Missing},
        {L"[A", L"", L"S_DEF", false, PageEditFault::Missing},  // the first failure wins
        {L"Home]", L"S_DEF", L"S_DEF", true, PageEditFault::Brackets},
        {L"A,B]", L"S_DEF", L"S_DEF", false, PageEditFault::Brackets},
        {L"home", L"S_DEF", L"S_DEF", true, PageEditFault::None},  // names are case-sensitive
        {L"TRLS_PAGE", L"S_TASK", L"S_TASK", true, PageEditFault::Duplicate},
        {L"Last Viewed Page", L"S_DEF", L"S_DEF", false, PageEditFault::Duplicate},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.fault, CheckPageEdit(c.name, c.portrait, c.landscape, c.isNew, L"Last Viewed Page", taken).fault)
            << WideToUtf8(c.name);
    // The task page edited as itself is no duplicate.
    EXPECT_EQ(PageEditFault::None,
              CheckPageEdit(L"TRLS_PAGE", L"S_TASK", L"S_TASK", false, L"", [](const std::wstring&) { return false; })
                  .fault);
}

TEST(PageNames, DuplicatesAndPastesGetTheNextFreeNumber)
{
    struct Case {
        std::wstring name;
        std::set<std::wstring> taken;
        std::wstring expected;
    } cases[] = {
        {L"Home", {L"Home"}, L"Home(1)"},
        {L"Home", {L"Home", L"Home(1)"}, L"Home(2)"},
        {L"Home(1)", {L"Home", L"Home(1)", L"Home(2)"}, L"Home(3)"},  // never Home(1)(1)
        {L"Home(5)", {}, L"Home(6)"},
        {L"Home(x)", {}, L"Home(1)"},
        {L"A(b)(2)", {}, L"A(b)(3)"},
        {L"Odd)(", {}, L"Odd)((1)"},
        {L"Big(2147483647)", {}, L"Big(2147483648)"},
        {L"Neg(-4)", {}, L"Neg(1)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, UniquePageName(c.name, [&](const std::wstring& n) { return c.taken.count(n) > 0; }))
            << WideToUtf8(c.name);
    const std::wstring longest(kPageNameMax, L'x');
    const std::wstring unique = UniquePageName(longest, [](const std::wstring&) { return false; });
    EXPECT_EQ(kPageNameMax, unique.size());
    EXPECT_EQ(L"x(1)", unique.substr(unique.size() - 4));
}

TEST(PageRowsTest, RowsBackIntoThePageManager)
{
    CPageMng mng;
    for (const wchar_t* name : {L"Home", L"Tools", L"Games", L"Unlisted"})
        mng.m_Pages[name] = NewPage();
    // A name listed twice stays listed twice; a page the order misses stays.
    mng.m_Order = {{L"Home", 1}, {L"Tools", 0}, {L"Home", 2}, {L"Games", 1}};
    CPageInfo* home = mng.FindPage(L"Home");
    CPageInfo* tools = mng.FindPage(L"Tools");
    CPageRows rows;
    rows.Load(mng);
    ASSERT_EQ(5u, rows.Count());
    EXPECT_EQ(rows.At(0).page, rows.At(2).page);
    EXPECT_EQ(L"Unlisted", rows.At(4).name);
    EXPECT_EQ(0, rows.At(4).shown);
    EXPECT_FALSE(rows.NameTaken(L"Home", 0)) << "its twin shares the page";
    EXPECT_TRUE(rows.NameTaken(L"Home", 1));
    EXPECT_FALSE(rows.NameTaken(L"Nobody"));

    EXPECT_FALSE(rows.Move(0, true));
    EXPECT_FALSE(rows.Move(4, false));
    EXPECT_TRUE(rows.Move(1, false));  // Tools below the second Home
    rows.Remove(3);                    // Games
    auto fresh = NewPage(L"S_WIDE");
    CPageInfo* pasted = fresh.get();
    EXPECT_EQ(1u, rows.Insert(1, L"Pasted", std::move(fresh)));
    EXPECT_EQ(5u, rows.Insert(99, L"Last", NewPage()));
    rows.At(3).name = L"Renamed";  // Tools, renamed

    rows.Apply(mng);
    std::vector<std::pair<std::wstring, int>> order;
    for (const PageOrderEntry& o : mng.m_Order)
        order.emplace_back(o.name, o.shown);
    EXPECT_EQ((std::vector<std::pair<std::wstring, int>>{
                  {L"Home", 1}, {L"Pasted", 1}, {L"Home", 2}, {L"Renamed", 0}, {L"Unlisted", 0}, {L"Last", 1}}),
              order);
    EXPECT_EQ(nullptr, mng.FindPage(L"Games"));
    EXPECT_EQ(home, mng.FindPage(L"Home")) << "no copies of pages that stay";
    EXPECT_EQ(pasted, mng.FindPage(L"Pasted"));
    EXPECT_EQ(tools, mng.FindPage(L"Renamed")) << "the rows keep their pages";
    EXPECT_EQ(5u, mng.m_Pages.size());

    // A page shared by rows of two names: the second gets its own copy.
    rows.At(2).name = L"Away";
    rows.Apply(mng);
    ASSERT_NE(nullptr, mng.FindPage(L"Away"));
    EXPECT_NE(mng.FindPage(L"Home"), mng.FindPage(L"Away"));
    EXPECT_EQ(rows.At(2).page, mng.FindPage(L"Away"));
}

TEST(PageRowsTest, RenameFollowsLinksOfTheOldNameOnly)
{
    auto a = NewPage(), b = NewPage();
    a->icons.entries = {Link(L"Tools", L"Tools"), Link(L"My tools", L"Tools"), Link(L"Games", L"Games"),
                        Link(L"Tools", L"Tools", APP_PROGRAM)};
    b->icons.entries = {Link(L"Back", L"Tools"), Link(L"Old", L"Apps")};
    const std::vector<CPageInfo*> pages = {a.get(), b.get()};
    EXPECT_EQ(3, CountPageLinks(pages, L"Tools"));
    EXPECT_EQ(1, CountPageLinks(pages, L"Apps"));

    EXPECT_EQ(3, RenamePageLinks(pages, L"Tools", L"Apps"));
    EXPECT_EQ(L"Apps", a->icons.entries[0].Name);
    EXPECT_EQ(L"Apps", a->icons.entries[0].Path);
    EXPECT_EQ(L"My tools", a->icons.entries[1].Name) << "the user's own caption stays";
    EXPECT_EQ(L"Apps", a->icons.entries[1].Path);
    EXPECT_EQ(L"Games", a->icons.entries[2].Path);
    EXPECT_EQ(L"Tools", a->icons.entries[3].Path) << "a program is no link";
    EXPECT_EQ(L"Apps", b->icons.entries[0].Path);
    EXPECT_EQ(L"Old", b->icons.entries[1].Name);
    EXPECT_EQ(4, CountPageLinks(pages, L"Apps"));
}
