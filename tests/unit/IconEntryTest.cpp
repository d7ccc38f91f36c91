// Icon entry lines, the image-path rule of icon lists, slot clearing and
// caption composition.
#include "DeviceSandbox.h"
#include "config/Folders.h"
#include "config/IconEntry.h"
#include "config/TextFile.h"

#include <gtest/gtest.h>

namespace {

// A proportional stand-in for the caption font: 6 pixels a character.
int SixPerChar(const std::wstring& s) { return static_cast<int>(s.size()) * 6; }

}  // namespace

TEST(IconEntry, ParseLines)
{
    IconEntry e;
    ASSERT_EQ(1, ParseIconEntry(e, L"2,Mail,\\tmail.exe,-s,\\\\mail.png,3,HKLM;Software\\Mail;Unread"));
    EXPECT_EQ(2, e.nAppType);
    EXPECT_EQ(L"Mail", e.Name);
    EXPECT_EQ(L"\\tmail.exe", e.Path);
    EXPECT_EQ(L"-s", e.Args);
    EXPECT_EQ(L"\\\\mail.png", e.IconFile);  // normalised only when added to a list
    EXPECT_EQ(REGMODE_NAME_REG, e.RegMode);
    EXPECT_EQ(REGROOT_HKLM, e.RegRoot);
    EXPECT_EQ(L"Software\\Mail", e.RegKey);
    EXPECT_EQ(L"Unread", e.RegValue);

    // The rest by the line each entry writes, which shows every field.
    const wchar_t* unset = L"0,,,,,0,----;;";
    struct Case {
        const wchar_t* line;
        int ok;
        const wchar_t* written;
    } cases[] = {
        {L"1,,\\a.exe,,,0,----;;", 1, L"1,,\\a.exe,,,0,----;;"},  // empty fields, no root
        {L"2,\\\\,\\b.lnk,\\\\,x,0,HKCU;k;\\\\", 1, L"2,,\\b.lnk,,x,0,HKCU;k;"},  // "\\" is empty
        // A line that ends before its path is an unset slot...
        {L"3,Site,", 0, unset},
        {L"3,Site", 0, unset},
        {L"x,Name,\\p", 0, unset},
        {L"", 0, unset},
        // ...but an empty path between commas is not: recent and task slots
        // and blanks have none.
        {L"3,Site,,,,0,----;;", 1, L"3,Site,,,,0,----;;"},
        {L"20,Recent-01,,,,0,----;;", 1, L"20,Recent-01,,,,0,----;;"},
        {L"5,--------,,,,0,----;;", 1, L"5,--------,,,,0,----;;"},
        // Root names are exact.
        {L"1,n,p,,,1,hklm;k;v", 1, L"1,n,p,,,1,----;k;v"},
        {L"1,n,p,,,1,HKU;k;v", 1, L"1,n,p,,,1,HKU;k;v"},
        {L"1,n,p,,,1,HKCR;k;v", 1, L"1,n,p,,,1,HKCR;k;v"},
        {L"1,n,p,,,1,HKLM ;k;v", 1, L"1,n,p,,,1,----;k;v"},
        // Scanning stops at the first field that does not match.
        {L"1,n,p", 1, L"1,n,p,,,0,----;;"},
        {L"1,n,p,a,i,x,HKLM;k;v", 1, L"1,n,p,a,i,0,----;;"},
        {L"1,n,p,,,2,HKLM;;v", 1, L"1,n,p,,,2,HKLM;;"},  // an empty key loses the value
        {L"1,n,p,,,2,HKLM;k;a;b,,c", 1, L"1,n,p,,,2,HKLM;k;a;b,\\\\,c"},  // the value takes the rest
        // Numbers keep the record's width.
        {L"65537,n,p,,,257,----;;", 1, L"1,n,p,,,1,----;;"},
        {L"10000,Cal,CAL,,90;Tahoma,0,----;;", 1, L"10000,Cal,CAL,,90;Tahoma,0,----;;"},
    };
    for (const Case& c : cases) {
        e.Caption = L"stale";
        e.flags = ICON_CAPTION_VALID;
        e.Link = &e;
        EXPECT_EQ(c.ok, ParseIconEntry(e, c.line)) << c.line;
        EXPECT_EQ(c.written, FormatIconEntry(e, false)) << c.line;
        EXPECT_EQ(0, e.flags) << c.line;  // reset first: the caption is composed again
        EXPECT_EQ(nullptr, e.Link) << c.line;
    }
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
    e.Name = e.Path = L"Games";
    e.RegMode = REGMODE_NAME_REG;
    e.RegRoot = REGROOT_HKCU;
    e.RegKey = L"Software\\X";
    EXPECT_EQ(L"6,Games,Games,,,3,HKCU;Software\\X;\r\n", FormatIconEntry(e, true));
    e.RegRoot = 9;  // outside the table: no root
    EXPECT_EQ(L"6,Games,Games,,,3,----;Software\\X;", FormatIconEntry(e, false));

    // Lines as the settings program writes them read back to the same line.
    const wchar_t* lines[] = {
        L"0,,,,,0,----;;",
        L"44,Task-05,,,,0,----;;",
        L"2,Bat %d%%,\\b.lnk,-x -y,\\\\\\i.bmp,4,HKU;K\\L;V",
        L"3,\u65e5\u672c,\\c.url,,,1,HKLM;k;",
        L"65535,n,p,a,i,255,HKCR;k;v w",
        L"1,n,\\p,,,2,HKLM;\\\\;v",  // an empty key before a value is the marker
    };
    for (const wchar_t* line : lines) {
        ASSERT_EQ(1, ParseIconEntry(e, line)) << line;
        EXPECT_EQ(line, FormatIconEntry(e, false));
    }
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
    IconList appended;  // the loaders' way: parsed in place, then resolved
    appended.base = list.base;
    for (const Case& c : cases) {
        IconEntry e;
        e.IconFile = c.image;
        EXPECT_EQ(1, AddIcon(list, e, -1));
        EXPECT_EQ(c.want, list.entries.back().IconFile) << c.image;
        EXPECT_EQ(c.image, e.IconFile);  // the caller's entry is a copy source only
        appended.entries.emplace_back().IconFile = c.image;
        ResolveIconFile(appended, appended.entries.back());
        EXPECT_EQ(c.want, appended.entries.back().IconFile) << c.image;
    }
    EXPECT_EQ(std::size(cases), list.entries.size());
    EXPECT_EQ(std::size(cases), appended.entries.size());
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

TEST(IconEntry, CaptionCompositionAndShortening)
{
    // Base 40: wider than 64 px (over 10 characters) shortens to 56 px (9
    // characters) and adds "..."; base 64: over 102 px, down to 89 px.
    struct Case {
        std::uint16_t base;
        std::uint8_t mode;
        const wchar_t *name, *reg;
        const wchar_t* want;
    } cases[] = {
        {64, REGMODE_NAME, L"Mail", L"7", L"Mail"},
        {64, REGMODE_REG, L"Mail", L"7", L"7"},
        {64, REGMODE_REG_NAME, L"Mail", L"7", L"7Mail"},
        {64, REGMODE_NAME_REG, L"Mail", L"7", L"Mail7"},
        {64, REGMODE_FORMAT, L"%d new", L"7 new", L"7 new"},
        {64, 9, L"Mail", L"7", L"Mail"},
        {40, REGMODE_NAME, L"0123456789", L"", L"0123456789"},  // 60 px: fits
        {40, REGMODE_NAME, L"0123456789A", L"", L"012345678..."},
        {64, REGMODE_NAME, L"Seventeen letters", L"", L"Seventeen letters"},  // 102 px
        {64, REGMODE_NAME, L"Eighteen letters!!", L"", L"Eighteen lette..."},
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
        EXPECT_TRUE(e.flags & ICON_CAPTION_VALID);
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
