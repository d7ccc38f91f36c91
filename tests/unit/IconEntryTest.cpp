// Icon entry lines, the image-path rule of icon lists, slot clearing and
// caption composition.
#include "DeviceSandbox.h"
#include "config/Folders.h"
#include "config/IconEntry.h"
#include "config/TextFile.h"

#include <gtest/gtest.h>

namespace {

struct Fields {
    int ok;
    std::uint16_t type;
    std::wstring name, path, args, image;
    std::uint8_t mode, root;
    std::wstring key, value;
};

Fields Parse(const std::wstring& line)
{
    IconEntry e;
    e.Caption = L"stale";
    const int ok = ParseIconEntry(e, line);
    return {ok, e.nAppType, e.Name, e.Path, e.Args, e.IconFile, e.RegMode, e.RegRoot, e.RegKey, e.RegValue};
}

void ExpectFields(const Fields& want, const Fields& got, const std::wstring& line)
{
    EXPECT_EQ(want.ok, got.ok) << line;
    EXPECT_EQ(want.type, got.type) << line;
    EXPECT_EQ(want.name, got.name) << line;
    EXPECT_EQ(want.path, got.path) << line;
    EXPECT_EQ(want.args, got.args) << line;
    EXPECT_EQ(want.image, got.image) << line;
    EXPECT_EQ(want.mode, got.mode) << line;
    EXPECT_EQ(want.root, got.root) << line;
    EXPECT_EQ(want.key, got.key) << line;
    EXPECT_EQ(want.value, got.value) << line;
}

// A proportional stand-in for the caption font: 6 pixels a character.
int SixPerChar(const std::wstring& s) { return static_cast<int>(s.size()) * 6; }

}  // namespace

TEST(IconEntry, ParseLines)
{
    struct Case {
        std::wstring line;
        Fields want;
    } cases[] = {
        {L"1,Mail,\\Windows\\tmail.exe,-s,\\\\mail.png,3,HKLM;Software\\Mail;Unread",
         {1, 1, L"Mail", L"\\Windows\\tmail.exe", L"-s", L"\\\\mail.png", 3, REGROOT_HKLM, L"Software\\Mail",
          L"Unread"}},
        // Empty name, arguments and image; "----" and two empty registry fields.
        {L"1,,\\a.exe,,,0,----;;", {1, 1, L"", L"\\a.exe", L"", L"", 0, 0, L"", L""}},
        // A field of exactly two backslashes is the empty marker.
        {L"2,\\\\,\\b.lnk,\\\\,x,0,HKCU;k;\\\\", {1, 2, L"", L"\\b.lnk", L"", L"x", 0, REGROOT_HKCU, L"k", L""}},
        // A line that ends before its path: an unset slot.
        {L"3,Site,", {0, 0, L"", L"", L"", L"", 0, 0, L"", L""}},
        {L"3,Site", {0, 0, L"", L"", L"", L"", 0, 0, L"", L""}},
        // An empty path between commas is a path all the same: recent and
        // task slots and blanks have none.
        {L"3,Site,,,,0,----;;", {1, 3, L"Site", L"", L"", L"", 0, 0, L"", L""}},
        {L"20,Recent-01,,,,0,----;;", {1, 20, L"Recent-01", L"", L"", L"", 0, 0, L"", L""}},
        {L"5,--------,,,,0,----;;", {1, 5, L"--------", L"", L"", L"", 0, 0, L"", L""}},
        {L"0,,,,,0,----;;", {1, 0, L"", L"", L"", L"", 0, 0, L"", L""}},
        {L"x,Name,\\p", {0, 0, L"", L"", L"", L"", 0, 0, L"", L""}},  // no leading number
        {L"", {0, 0, L"", L"", L"", L"", 0, 0, L"", L""}},
        // Root names are exact.
        {L"1,n,p,,,1,hklm;k;v", {1, 1, L"n", L"p", L"", L"", 1, 0, L"k", L"v"}},
        {L"1,n,p,,,1,HKU;k;v", {1, 1, L"n", L"p", L"", L"", 1, REGROOT_HKU, L"k", L"v"}},
        {L"1,n,p,,,1,HKCR;k;v", {1, 1, L"n", L"p", L"", L"", 1, REGROOT_HKCR, L"k", L"v"}},
        // Scanning stops at the first field that does not match.
        {L"1,n,p", {1, 1, L"n", L"p", L"", L"", 0, 0, L"", L""}},
        {L"1,n,p,a,i,x,HKLM;k;v", {1, 1, L"n", L"p", L"a", L"i", 0, 0, L"", L""}},
        {L"1,n,p,,,2,HKLM;;v", {1, 1, L"n", L"p", L"", L"", 2, REGROOT_HKLM, L"", L""}},  // empty key loses value
        // The value takes the rest of the line, separators included.
        {L"1,n,p,,,2,HKLM;k;a;b,c", {1, 1, L"n", L"p", L"", L"", 2, REGROOT_HKLM, L"k", L"a;b,c"}},
        // Numbers keep the record's width.
        {L"65537,n,p,,,257,----;;", {1, 1, L"n", L"p", L"", L"", 1, 0, L"", L""}},
        {L"10000,Cal,CAL,,90;Tahoma,0,----;;", {1, 10000, L"Cal", L"CAL", L"", L"90;Tahoma", 0, 0, L"", L""}},
    };
    for (const Case& c : cases)
        ExpectFields(c.want, Parse(c.line), c.line);
}

TEST(IconEntry, ParseResetsTheEntryFirst)
{
    IconEntry e;
    ParseIconEntry(e, L"1,Old,\\old.exe,a,i,1,HKLM;k;v");
    e.Caption = L"kept";
    e.flags = ICON_CAPTION_VALID | ICON_PLACED;
    e.Link = &e;
    e.TaskOrder = 4;
    EXPECT_EQ(0, ParseIconEntry(e, L"1,New,"));
    EXPECT_EQ(0, e.nAppType);
    EXPECT_EQ(L"", e.Name);
    EXPECT_EQ(L"", e.RegKey);
    EXPECT_EQ(0, e.flags);  // the caption is rebuilt before use
    EXPECT_EQ(nullptr, e.Link);
    EXPECT_EQ(-1, e.TaskOrder);
}

TEST(IconEntry, OverlongFieldsAreCutAndReported)
{
    // The device read each field into a buffer of the limit's size: longer
    // fields are cut, and each cut is reported with the file and the line.
    CDeviceSandbox dev;
    const std::string big(270, 'N'), root(140, 'R'), exact(259, 'V');
    dev.WriteFile(L"\\p.ini", "skip\r\n"
                               "1," + big + ",\\" + big + "," + big + ",i,1,HKLM;k;v\r\n"
                               "1,n,\\p,a," + big + ",1," + root + ";" + big + ";" + exact + "\r\n");
    CDiagList diags;
    CTextFile file(&diags);
    ASSERT_TRUE(file.OpenRead(L"\\p.ini"));
    std::wstring line;
    file.ReadLine(line);
    IconEntry e;
    ASSERT_TRUE(file.ReadLine(line));
    ASSERT_EQ(1, ParseIconEntry(e, line, &file));
    for (const std::wstring* s : {&e.Name, &e.Path, &e.Args})
        EXPECT_EQ(kIconFieldMax, s->size());
    EXPECT_EQ(L"\\NN", e.Path.substr(0, 3));
    EXPECT_EQ(REGROOT_HKLM, e.RegRoot);  // fields after a cut one are read as usual
    EXPECT_EQ(L"v", e.RegValue);
    ASSERT_TRUE(file.ReadLine(line));
    ASSERT_EQ(1, ParseIconEntry(e, line, &file));
    EXPECT_EQ(kIconFieldMax, e.IconFile.size());
    EXPECT_EQ(kIconFieldMax, e.RegKey.size());
    EXPECT_EQ(kIconFieldMax, e.RegValue.size());  // exactly at the limit: kept whole, not reported
    EXPECT_EQ(0, e.RegRoot);                      // a cut root name is no root name
    const int wantLines[] = {2, 2, 2, 3, 3, 3};   // name, path, args; image, root, key
    ASSERT_EQ(std::size(wantLines), diags.Items().size());
    for (size_t i = 0; i < std::size(wantLines); ++i) {
        EXPECT_EQ(wantLines[i], diags.Items()[i].line);
        EXPECT_NE(std::wstring::npos, diags.Items()[i].file.find(L"p.ini"));
    }
    // Without a reader the fields are cut all the same.
    ASSERT_EQ(1, ParseIconEntry(e, line));
    EXPECT_EQ(kIconFieldMax, e.RegKey.size());
    // A line without a path is not reported, however long its name.
    diags.Clear();
    EXPECT_EQ(0, ParseIconEntry(e, L"1," + std::wstring(300, L'n') + L",", &file));
    EXPECT_TRUE(diags.Empty());
}

TEST(IconEntry, FormatAndReadBack)
{
    IconEntry e;
    e.nAppType = 6;
    e.Name = L"Games";
    e.Path = L"Games";
    e.IconFile = L"\\Icons\\g.png";
    e.RegMode = REGMODE_NAME_REG;
    e.RegRoot = REGROOT_HKCU;
    e.RegKey = L"Software\\X";
    e.RegValue = L"Count";
    EXPECT_EQ(L"6,Games,Games,,\\Icons\\g.png,3,HKCU;Software\\X;Count", FormatIconEntry(e, false));
    EXPECT_EQ(L"6,Games,Games,,\\Icons\\g.png,3,HKCU;Software\\X;Count\r\n", FormatIconEntry(e, true));

    struct Case {
        std::uint16_t type;
        std::uint8_t mode, root;
        const wchar_t *name, *path, *args, *image, *key, *value;
    } cases[] = {
        {1, 0, 0, L"", L"\\a.exe", L"", L"", L"", L""},
        {0, 0, 0, L"", L"", L"", L"", L"", L""},
        {44, 0, 0, L"Task-05", L"", L"", L"", L"", L""},
        {2, 4, REGROOT_HKU, L"Bat %d%%", L"\\b.lnk", L"-x -y", L"\\\\\\i.bmp", L"K\\L", L"V"},
        {3, 1, REGROOT_HKLM, L"\u65e5\u672c", L"\\c.url", L"", L"", L"k", L""},
        {20, 0, REGROOT_HKCR, L"Recent-01", L"x", L"", L"", L"", L""},
        {65535, 255, 0, L"n", L"p", L"a", L"i", L"", L""},
    };
    for (const Case& c : cases) {
        IconEntry in;
        in.nAppType = c.type;
        in.RegMode = c.mode;
        in.RegRoot = c.root;
        in.Name = c.name;
        in.Path = c.path;
        in.Args = c.args;
        in.IconFile = c.image;
        in.RegKey = c.key;
        in.RegValue = c.value;
        const std::wstring line = FormatIconEntry(in, false);
        IconEntry out;
        ASSERT_EQ(1, ParseIconEntry(out, line)) << line;
        ExpectFields({1, in.nAppType, in.Name, in.Path, in.Args, in.IconFile, in.RegMode, in.RegRoot, in.RegKey,
                      in.RegValue},
                     {1, out.nAppType, out.Name, out.Path, out.Args, out.IconFile, out.RegMode, out.RegRoot,
                      out.RegKey, out.RegValue},
                     line);
    }
    // A root outside the table writes the "none" name.
    e.RegRoot = 9;
    EXPECT_NE(std::wstring::npos, FormatIconEntry(e, false).find(L",3,----;"));
}

TEST(IconEntry, AddIconNormalisesTheImagePath)
{
    const std::wstring oldInstall = InstallDir;
    InstallDir = L"\\Program Files\\Orvane\\";
    IconList list;
    list.base = L"\\Storage Card\\QVL\\";
    struct Case {
        const wchar_t* image;
        const wchar_t* want;
    } cases[] = {
        {L"\\\\Icon\\a.bmp", L"\\Program Files\\Orvane\\Icon\\a.bmp"},
        {L"\\\\\\b.png", L"\\Storage Card\\QVL\\b.png"},
        {L"\\\\\\\\c.png", L"\\Storage Card\\QVL\\\\c.png"},  // only the first three go
        {L"\\Windows\\d.png", L"\\Windows\\d.png"},
        {L"e.png", L"e.png"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        IconEntry e;
        e.IconFile = c.image;
        EXPECT_EQ(1, AddIcon(list, e, -1));
        EXPECT_EQ(c.want, list.entries.back().IconFile) << c.image;
        EXPECT_EQ(c.image, e.IconFile);  // the caller's entry is a copy source only
    }
    EXPECT_EQ(std::size(cases), list.entries.size());
    // In place: only the entry at the index changes.
    list.entries[1].IconFile = L"\\\\f.png";
    EXPECT_EQ(1, AddIcon(list, list.entries[1], 1));
    EXPECT_EQ(L"\\Program Files\\Orvane\\f.png", list.entries[1].IconFile);
    EXPECT_EQ(1, AddIcon(list, list.entries[0], 99));  // no such slot: no change, no growth
    EXPECT_EQ(std::size(cases), list.entries.size());
    InstallDir = oldInstall;
}

namespace {

class CCountedImage final : public CIconImage {
public:
    explicit CCountedImage(int& alive) : m_alive(alive) { ++m_alive; }
    ~CCountedImage() override { --m_alive; }

private:
    int& m_alive;
};

}  // namespace

TEST(IconEntry, CopiesStartWithoutImageAndScratch)
{
    int alive = 0;
    IconEntry a;
    a.Name = L"A";
    a.image = std::make_unique<CCountedImage>(alive);
    a.scratch.assign(16, 1);
    a.flags = ICON_ALPHA;
    a.x = 12;
    IconEntry b(a);
    EXPECT_EQ(L"A", b.Name);
    EXPECT_EQ(12, b.x);
    EXPECT_EQ(ICON_ALPHA, b.flags);
    EXPECT_EQ(nullptr, b.image);
    EXPECT_TRUE(b.scratch.empty());
    IconEntry c;
    c.image = std::make_unique<CCountedImage>(alive);
    c = a;  // the target's own image goes
    EXPECT_EQ(1, alive);
    EXPECT_EQ(nullptr, c.image);
    c = std::move(a);
    EXPECT_NE(nullptr, c.image);
    EXPECT_EQ(16u, c.scratch.size());
    EXPECT_EQ(1, alive);
}

TEST(IconEntry, ClearIconSlot)
{
    int alive = 0;
    IconList list;
    for (int type : {1, 20, 45, 10000}) {
        IconEntry e;
        e.nAppType = static_cast<std::uint16_t>(type);
        e.Name = L"T" + std::to_wstring(type);
        AddIcon(list, e, -1);
        list.entries.back().image = std::make_unique<CCountedImage>(alive);
        list.entries.back().scratch.assign(8, 0);
    }
    ASSERT_EQ(4, alive);

    // In place: the slot becomes an unset one, images of a recent or task
    // slot are not theirs to release, yet no image outlives the reset.
    ClearIconSlot(list, 0, false);
    ASSERT_EQ(4u, list.entries.size());
    EXPECT_EQ(0, list.entries[0].nAppType);
    EXPECT_EQ(L"", list.entries[0].Name);
    EXPECT_EQ(nullptr, list.entries[0].image);
    EXPECT_TRUE(list.entries[0].scratch.empty());
    EXPECT_EQ(3, alive);

    // Removal: later entries move up.
    ClearIconSlot(list, 1, true);
    ASSERT_EQ(3u, list.entries.size());
    EXPECT_EQ(L"T45", list.entries[1].Name);
    EXPECT_EQ(L"T10000", list.entries[2].Name);
    EXPECT_EQ(2, alive);

    ClearIconSlot(list, 3, true);  // out of range
    ClearIconSlot(list, static_cast<size_t>(-1), false);
    EXPECT_EQ(3u, list.entries.size());
    list.entries.clear();
    EXPECT_EQ(0, alive);
}

TEST(IconEntry, CaptionComposition)
{
    struct Case {
        std::uint8_t mode;
        const wchar_t *name, *reg;
        const wchar_t* want;
    } cases[] = {
        {REGMODE_NAME, L"Mail", L"7", L"Mail"},
        {REGMODE_REG, L"Mail", L"7", L"7"},
        {REGMODE_REG_NAME, L"Mail", L"7", L"7Mail"},
        {REGMODE_NAME_REG, L"Mail", L"7", L"Mail7"},
        {REGMODE_FORMAT, L"%d new", L"7 new", L"7 new"},
        {9, L"Mail", L"7", L"Mail"},
    };
    for (const Case& c : cases) {
        IconEntry e;
        e.baseSize = 64;
        e.RegMode = c.mode;
        e.Name = c.name;
        e.RegText = c.reg;
        UpdateCaption(e, SixPerChar);
        EXPECT_EQ(c.want, e.Caption) << c.name;
        EXPECT_EQ(SixPerChar(c.want), e.captionWidth);
        EXPECT_TRUE(e.flags & ICON_CAPTION_VALID);
    }
}

TEST(IconEntry, CaptionShortening)
{
    // Base 40: wider than 64 px (over 10 characters) shortens to 56 px
    // (9 characters) and adds "...".
    struct Case {
        std::uint16_t base;
        std::uint8_t mode;
        const wchar_t *name, *reg;
        const wchar_t* want;
    } cases[] = {
        {40, REGMODE_NAME, L"0123456789", L"", L"0123456789"},          // 60 px: fits
        {40, REGMODE_NAME, L"0123456789A", L"", L"012345678..."},       // 66 px
        {40, REGMODE_NAME, L"A very long caption text", L"", L"A very lo..."},
        {64, REGMODE_NAME, L"Seventeen letters", L"", L"Seventeen letters"},  // 102 <= 102
        {64, REGMODE_NAME, L"Eighteen letters!!", L"", L"Eighteen lette..."},  // down to 89 px
        {40, REGMODE_REG_NAME, L"Mail", L"1234567890", L"123456789..."},
        // A name of one character stops the loop before any character goes.
        {40, REGMODE_REG, L"M", L"0123456789AB", L"0123456789AB..."},
        {40, REGMODE_REG, L"", L"0123456789AB", L"0123456789AB..."},
        {0, REGMODE_NAME, L"ab", L"", L"..."},  // no room at all
        {0, REGMODE_NAME, L"", L"", L""},
    };
    for (const Case& c : cases) {
        IconEntry e;
        e.baseSize = c.base;
        e.RegMode = c.mode;
        e.Name = c.name;
        e.RegText = c.reg;
        UpdateCaption(e, SixPerChar);
        EXPECT_EQ(c.want, e.Caption) << c.name << " / " << c.reg << " base " << c.base;
        EXPECT_EQ(SixPerChar(c.want), e.captionWidth) << c.name;
    }
}

TEST(IconEntry, CaptionOfRecentAndTaskSlotsComesFromTheLink)
{
    IconEntry task;  // a task list entry: never placed, no slot size of its own
    task.nAppType = APP_RUNNING_TASK;
    task.Name = L"Pocket Word document";
    task.baseSize = 0;
    for (std::uint16_t type : {APP_RECENT_FIRST, APP_TASK_LAST}) {
        IconEntry slot;
        slot.nAppType = type;
        slot.Name = L"Task-01";
        slot.baseSize = 48;  // shortens to 67 px: 11 characters
        slot.Link = &task;
        task.flags = 0;
        EXPECT_EQ(&task, &CaptionSource(slot));
        UpdateCaption(slot, SixPerChar);
        EXPECT_EQ(L"Pocket Word...", task.Caption);
        EXPECT_TRUE(task.flags & ICON_CAPTION_VALID);
        EXPECT_EQ(L"", slot.Caption);
        EXPECT_FALSE(slot.flags & ICON_CAPTION_VALID);
        slot.Link = nullptr;  // an empty slot shows its own name
        EXPECT_EQ(&slot, &CaptionSource(slot));
    }
    IconEntry page;  // other types never follow a link
    page.nAppType = APP_PAGELINK;
    page.Link = &task;
    EXPECT_EQ(&page, &CaptionSource(page));
}

TEST(IconEntry, CaptionSurvivesAWidthFunctionThatMakesNoSense)
{
    const TextWidthFn widths[] = {
        [](const std::wstring&) { return -5; },
        [](const std::wstring&) { return 1 << 30; },  // never fits
        TextWidthFn(),
    };
    for (const TextWidthFn& w : widths) {
        IconEntry e;
        e.baseSize = 64;
        e.Name = L"Calendar";
        UpdateCaption(e, w);
        EXPECT_TRUE(e.flags & ICON_CAPTION_VALID);
        EXPECT_LE(e.Caption.size(), 11u);
    }
}
