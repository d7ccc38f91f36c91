// The icon editor's rules without a window: slot runs, rows per kind, the
// target's start folder and name, and the check that an edited icon reads
// back from its page file as it was written.
#include "CodePageScope.h"
#include "DeviceSandbox.h"
#include "IconCompare.h"
#include "config/TextFile.h"
#include "settings/AppEdit.h"
#include "settings/IconCheck.h"
#include "base/Format.h"

#include <gtest/gtest.h>

#include <set>

namespace {

IconList PageOf(std::initializer_list<unsigned> types)
{
    IconList page;
    for (unsigned t : types) {
        IconEntry e;
        e.nAppType = static_cast<std::uint16_t>(t);
        page.entries.push_back(e);
    }
    return page;
}

// The entry as the page file gives it back: written by the page writer's
// line, read by the page reader's line reader and parser (on the device of
// the caller's sandbox).
IconEntry ReadBack(const IconEntry& e)
{
    CTextFile out;
    EXPECT_TRUE(out.BeginSave(L"\\icon.txt"));
    out.WriteText(FormatIconEntry(e, true));
    EXPECT_TRUE(out.CommitSave());
    CTextFile in;
    EXPECT_TRUE(in.OpenRead(L"\\icon.txt"));
    std::wstring line;
    in.ReadLine(line);
    IconEntry back;
    ParseIconEntry(back, line);
    return back;
}

}  // namespace

TEST(IconEdit, SlotRunsAddOnlyTheMissingSlots)
{
    struct Case {
        std::initializer_list<unsigned> page;
        unsigned code;
        std::vector<std::pair<unsigned, std::wstring>> added;
    } cases[] = {
        {{1, 21}, 22, {{20, L"Recent-01"}, {22, L"Recent-03"}}},
        {{}, 41, {{40, L"Task-01"}, {41, L"Task-02"}}},
        {{20, 21, 22}, 22, {}},
        {{40}, 71, {}},  // filled below: 41 to 71
        {{20}, 1, {{1, L"Mine"}}},  // any other type: the entry itself
    };
    for (Case& c : cases) {
        if (c.code == 71)
            for (unsigned code = 41; code <= 71; ++code)
                c.added.push_back({code, FormatW(L"Task-%02d", code - 39)});
        IconEntry edited;
        edited.nAppType = static_cast<std::uint16_t>(c.code);
        edited.Name = L"Mine";
        edited.IconFile = L"\\x.png";
        std::vector<std::pair<unsigned, std::wstring>> got;
        for (const IconEntry& e : ExpandSlotRun(PageOf(c.page), edited)) {
            got.push_back({e.nAppType, e.Name});
            EXPECT_EQ(L"\\x.png", e.IconFile) << "a copy of the edited entry";
        }
        EXPECT_EQ(c.added, got) << c.code;
    }
}

// What the dialog tests do not reach: codes no combo entry offers, the
// rows of a favourite, the far end of the task run.
TEST(IconEdit, KindsRowsAndSlotCounts)
{
    for (const auto& [type, index] : {std::pair{29u, 3}, {71u, 4}, {72u, -1}, {0u, -1}, {10001u, 7}})
        EXPECT_EQ(index, AppKindIndex(type)) << type;
    std::set<int> shown;
    for (int row = -1; row <= ROW_COUNT; ++row)
        if (AppRowVisible(APP_FAVORITE, row))
            shown.insert(row);
    EXPECT_EQ((std::set<int>{0, 2, 4, 5, 6, 7, 8, 9}), shown);
    const std::wstring tasks = SlotCountOptions(40);
    EXPECT_EQ(0u, tasks.find(L"40:x 01;41:x 02;"));
    EXPECT_EQ(tasks.size() - 8, tasks.rfind(L";71:x 32"));
}

TEST(IconEdit, TargetFolderAndName)
{
    const std::wstring start = L"\\Windows\\Start Menu", favs = L"\\Windows\\Favorites";
    const std::wstring jaFavs = L"\\Windows\\\u304a\u6c17\u306b\u5165\u308a";
    struct Case {
        unsigned kind;
        std::set<std::wstring> existing;
        std::wstring folder;
    } cases[] = {
        {2, {start}, start},
        {3, {favs, jaFavs}, jaFavs},  // the last candidate that exists wins
        {3, {}, L"\\Program Files\\"},
        {1, {start, favs}, L"\\Program Files\\"},
        {10000, {}, L"\\Program Files\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.folder, TargetStartFolder(c.kind, [&](const std::wstring& f) { return c.existing.count(f) > 0; }))
            << c.kind;

    struct NameCase {
        const wchar_t *file, *name;
    } names[] = {{L"notepad.exe", L"notepad"}, {L"a.b.lnk", L"a.b"}, {L".profile", L".profile"},
                 {L"README", L"README"},       {L"x.", L"x"},         {L"..a", L"."}};
    for (const NameCase& n : names)
        EXPECT_EQ(n.name, NameFromFileName(n.file)) << n.file;

}

// Whatever the check lets through reads back field for field; whatever it
// refuses would not, but for two refusals marked "kept": a ";" in the
// value, which the text form reserves though this reader keeps it, and a
// control character other than a line break.
TEST(IconEdit, CheckedIconsReadBackAsWritten)
{
    CDeviceSandbox dev;
    for (unsigned cp : SelectableCodePages()) {
        CCodePageScope scope(cp);
        struct Case {
            IconField field;
            std::wstring text;
            FieldFault own;  // the fault of the text as such
            IconFault fault = own == FieldFault::None ? IconFault::None : IconFault::Text;
            bool kept = false;
        } cases[] = {
            {IconField::Name, L"Notes [x] (1)", FieldFault::None},
            {IconField::Path, L"\\Windows\\notepad.exe", FieldFault::None},
            {IconField::Args, L"/k ver; echo", FieldFault::None},
            {IconField::RegKey, L"Software\\A,B", FieldFault::None},
            {IconField::RegValue, L"Level", FieldFault::None},
            {IconField::Name, L"a,b", FieldFault::Separator},
            {IconField::Path, L"\\a,b.exe", FieldFault::Separator},
            {IconField::Args, L",", FieldFault::Separator},
            {IconField::IconFile, L"x,y.png", FieldFault::Separator},
            {IconField::RegKey, L"Soft;ware", FieldFault::Separator},
            {IconField::RegValue, L"a;b", FieldFault::Separator, IconFault::Text, true},
            {IconField::Name, L"two\r\nlines", FieldFault::Control},
            {IconField::Args, L"tab\there", FieldFault::Control, IconFault::Text, true},
            {IconField::Name, std::wstring(260, L'n'), FieldFault::TooLong},
            {IconField::Path, std::wstring(259, L'p'), FieldFault::None},
            {IconField::Name, L"\\\\", FieldFault::None, IconFault::Marker},
            {IconField::RegKey, L"\\\\", FieldFault::None, IconFault::Marker},
            // Western text stores in 1252, Japanese in 932, neither in the other.
            {IconField::Name, L"Caf\u00e9", cp == 1252 ? FieldFault::None : FieldFault::CodePage},
            {IconField::Name, L"\u30e1\u30e2", cp == 932 ? FieldFault::None : FieldFault::CodePage},
            {IconField::Name, L"\u00ff", FieldFault::CodePage},  // 0xFF in 1252 ends the line
            {IconField::Name, L"\u0101", FieldFault::CodePage},
        };
        for (const Case& c : cases) {
            IconEntry e;
            e.nAppType = APP_PROGRAM;
            e.RegMode = REGMODE_NAME_REG;
            e.RegRoot = REGROOT_HKCU;
            e.Name = L"N";
            e.Path = L"\\p.exe";
            e.RegKey = L"K";
            e.RegValue = L"V";
            std::wstring* fields[] = {&e.Name, &e.Path, &e.Args, &e.IconFile, &e.RegKey, &e.RegValue};
            *fields[static_cast<int>(c.field)] = c.text;
            const IconCheck check = CheckIconFields(e);
            EXPECT_EQ(c.fault, check.fault) << cp << " " << static_cast<int>(c.field) << " " << c.text.size();
            EXPECT_EQ(c.own, check.text.fault) << cp << " " << static_cast<int>(c.field) << " " << c.text.size();
            if (c.fault != IconFault::None) {
                EXPECT_EQ(c.field, check.field) << cp << " " << c.text.size();
            }
            if (!c.kept) {
                EXPECT_EQ(check.fault == IconFault::None, SameStoredFields(e, ReadBack(e)))
                    << cp << " " << static_cast<int>(c.field) << " " << c.text.size();
            }
        }

        // Fields within their limits that make too long a line together: the
        // longest one is named.
        IconEntry e;
        e.nAppType = APP_PROGRAM;
        e.Name = std::wstring(200, L'n');
        e.Path = std::wstring(250, L'p');
        e.Args = std::wstring(259, L'a');
        e.IconFile = std::wstring(250, L'i');
        e.RegKey = std::wstring(100, L'k');
        const IconCheck check = CheckIconFields(e);
        EXPECT_EQ(IconFault::LineTooLong, check.fault);
        EXPECT_EQ(IconField::Args, check.field);
        EXPECT_FALSE(SameStoredFields(e, ReadBack(e)));
        e.RegKey.clear();
        EXPECT_EQ(IconFault::None, CheckIconFields(e).fault);
        EXPECT_TRUE(SameStoredFields(e, ReadBack(e)));
    }
}
