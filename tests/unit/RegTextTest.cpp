// Registry-value captions: the value text of each mode, names used as
// formats (hostile ones included), reading a value that grows or lacks its
// terminator, and which entries reach the registry at all.
#include "SheetRuntimeFixture.h"
#include "panels/RegText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

RegValueData Text(const wchar_t* s)
{
    RegValueData v;
    v.kind = RegValueData::Kind::Text;
    v.text = s;
    return v;
}

RegValueData Number(std::int32_t n)
{
    RegValueData v;
    v.kind = RegValueData::Kind::Number;
    v.number = n;
    return v;
}

// A registry of values by key and name; it counts every read.
class CTableRegistry : public CRegistrySource {
public:
    bool ReadValue(std::uint8_t root, const std::wstring& key, const std::wstring& value,
                   RegValueData& out) override
    {
        ++reads;
        const auto it = values.find(std::to_wstring(root) + L"\\" + key + L"\\" + value);
        if (it == values.end())
            return false;
        out = it->second;
        return true;
    }
    std::map<std::wstring, RegValueData> values;
    int reads = 0;
};

IconEntry RegEntry(std::uint8_t mode, std::uint8_t root, const wchar_t* name)
{
    IconEntry e;
    e.nAppType = APP_PROGRAM;
    e.RegMode = mode;
    e.RegRoot = root;
    e.Name = name;
    e.RegKey = L"Software\\Test";
    e.RegValue = L"V";
    return e;
}

}  // namespace

TEST(RegText, ModesAndValueTypes)
{
    const RegValueData binary;  // any other type
    struct Case {
        std::uint8_t mode;
        const wchar_t* name;
        RegValueData value;
        const char* text;
    } cases[] = {
        {REGMODE_REG, L"Unread", Text(L"12"), "12"},
        {REGMODE_REG_NAME, L" mails", Text(L"12"), "12"},  // the caption adds the name
        {REGMODE_NAME_REG, L"Mails ", Number(-5), "-5"},
        {REGMODE_REG, L"", Number(static_cast<std::int32_t>(0xFFFFFFFFu)), "-1"},
        {REGMODE_REG, L"x", binary, ""},
        {REGMODE_FORMAT, L"Build %s", Text(L"22631"), "Build 22631"},
        {REGMODE_FORMAT, L"%d unread", Number(7), "7 unread"},
        {REGMODE_FORMAT, L"Count %s", Number(42), "Count 42"},  // a number's decimal text
        {REGMODE_FORMAT, L"[%5d|%-4x]", Number(255), "[  255|%-4x]"},  // one conversion takes the value
        {REGMODE_FORMAT, L"[%-4x|%04X|%#x]", Number(255), "[ff  |%04X|%#x]"},
        {REGMODE_FORMAT, L"%04X %+i", Number(255), "00FF %+i"},
        {REGMODE_FORMAT, L"%+i", Number(255), "+255"},
        {REGMODE_FORMAT, L"%u", Number(-1), "4294967295"},
        {REGMODE_FORMAT, L"%08.3d", Number(42), "     042"},
        {REGMODE_FORMAT, L"%ld%%", Number(99), "99%"},
        {REGMODE_FORMAT, L"<%-6.3s>", Text(L"abcdef"), "<abc   >"},
        {REGMODE_FORMAT, L"Battery", Number(80), "Battery"},  // no conversion: the name alone
        {REGMODE_FORMAT, L"%s", binary, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Narrow(RegValueText(c.mode, c.name, c.value))) << Narrow(c.name);
}

TEST(RegText, HostileNames)
{
    // Only the first conversion that fits the value takes it; the rest is
    // shown as written, and nothing reads past the one value.
    struct Case {
        const wchar_t* name;
        RegValueData value;
        const char* text;
    } cases[] = {
        {L"%s%s%s", Text(L"v"), "v%s%s"},
        {L"%n%s", Text(L"v"), "%nv"},
        {L"%p %s", Text(L"v"), "%p v"},
        {L"%d", Text(L"v"), "%d"},  // a number's conversion for a text
        {L"%c%x%s", Number(65), "%c41%s"},
        {L"%f %e %ls", Number(1), "%f %e 1"},
        {L"%5$s", Text(L"v"), "%5$s"},
        {L"%9999999999s|%300d", Text(L"v"), "%9999999999s|%300d"},  // widths beyond the text's room
        {L"%.9999999999s", Text(L"v"), "%.9999999999s"},
        {L"100%", Number(1), "100%"},
        {L"%", Text(L"v"), "%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Narrow(RegValueText(REGMODE_FORMAT, c.name, c.value))) << Narrow(c.name);

    // However the name and the value are made, the text stays within bounds.
    std::wstring wide(kIconFieldMax, L'x');
    wide.replace(0, 5, L"%255s");
    EXPECT_EQ(kRegTextMax, RegValueText(REGMODE_FORMAT, wide, Text(std::wstring(300, L'y').c_str())).size());
    EXPECT_EQ(kRegTextMax, RegValueText(REGMODE_REG, L"", Text(std::wstring(300, L'y').c_str())).size());
}

TEST(RegText, ValueBytes)
{
    const std::uint8_t unterminated[] = {'4', 0, '2', 0};
    const std::uint8_t embedded[] = {'a', 0, 0, 0, 'b', 0};
    const std::uint8_t odd[] = {'a', 0, 'b'};
    const std::uint8_t number[] = {0x2A, 0, 0, 0};
    const std::uint8_t shortNumber[] = {0x2A, 0, 0};
    struct Case {
        std::uint32_t type;
        const std::uint8_t* data;
        size_t size;
        RegValueData::Kind kind;
        const char* text;
    } cases[] = {
        {REGTYPE_SZ, unterminated, sizeof unterminated, RegValueData::Kind::Text, "42"},
        {REGTYPE_SZ, embedded, sizeof embedded, RegValueData::Kind::Text, "a"},
        {REGTYPE_EXPAND_SZ, odd, sizeof odd, RegValueData::Kind::Text, "a"},
        {REGTYPE_SZ, nullptr, 0, RegValueData::Kind::Text, ""},
        {REGTYPE_DWORD, number, sizeof number, RegValueData::Kind::Number, "42"},
        {REGTYPE_DWORD, shortNumber, sizeof shortNumber, RegValueData::Kind::Other, ""},
        {3 /* binary */, number, sizeof number, RegValueData::Kind::Other, ""},
    };
    for (const Case& c : cases) {
        const RegValueData v = RegValueFromBytes(c.type, c.data, c.size);
        EXPECT_EQ(c.kind, v.kind) << c.text;
        EXPECT_EQ(c.text, Narrow(RegValueText(REGMODE_REG, L"", v)));
    }
    std::vector<std::uint8_t> big(2 * 400, 'z');  // 400 characters, no terminator
    for (size_t i = 1; i < big.size(); i += 2)
        big[i] = 0;
    EXPECT_EQ(kRegTextMax, RegValueFromBytes(REGTYPE_SZ, big.data(), big.size()).text.size());
}

TEST(RegText, ValueThatGrowsWhileRead)
{
    // Each query answers with the value's size at that moment.
    struct Case {
        std::vector<std::uint32_t> sizes;  // the value's size at each query
        bool ok;
        int queries;
    } cases[] = {
        {{8}, true, 1},
        {{300, 300}, true, 2},            // larger than the first buffer
        {{300, 600, 600}, true, 3},       // grew between the size query and the read
        {{300, 600, 900, 1200, 1500}, false, 4},  // grows for ever: a few attempts
        {{kRegValueMaxBytes + 2}, false, 1},      // too large to read
    };
    for (const Case& c : cases) {
        int queries = 0;
        RegValueData out;
        const bool ok = ReadGrowingValue(
            [&](std::uint8_t* buffer, std::uint32_t& size, std::uint32_t& type) {
                const std::uint32_t need = c.sizes[std::min<size_t>(static_cast<size_t>(queries), c.sizes.size() - 1)];
                ++queries;
                if (need > size) {
                    size = need;
                    return RegQuery::MoreData;
                }
                std::memset(buffer, 'q', need);  // no terminator anywhere
                size = need;
                type = REGTYPE_SZ;
                return RegQuery::Ok;
            },
            out);
        EXPECT_EQ(c.ok, ok) << c.sizes.size();
        EXPECT_EQ(c.queries, queries);
        if (ok) {
            EXPECT_EQ(std::min<size_t>(c.sizes.back() / 2, kRegTextMax), out.text.size());
        }
    }
    RegValueData out;
    EXPECT_FALSE(ReadGrowingValue([](std::uint8_t*, std::uint32_t&, std::uint32_t&) { return RegQuery::Failed; }, out));
}

TEST(RegText, RefreshItem)
{
    CTableRegistry registry;
    registry.values[L"2\\Software\\Test\\V"] = Number(3);
    struct Case {
        std::uint8_t mode, root;
        const wchar_t* before;
        int changed;
        const char* after;
        int reads;
    } cases[] = {
        {REGMODE_REG, REGROOT_HKCU, L"", 1, "3", 1},
        {REGMODE_FORMAT, REGROOT_HKCU, L"", 1, "#3", 1},
        {REGMODE_REG, REGROOT_HKCU, L"3", 0, "3", 1},  // unchanged: no repaint
        {REGMODE_REG, REGROOT_HKLM, L"old", 0, "old", 1},  // no such value: kept
        {REGMODE_NAME, REGROOT_HKCU, L"", 0, "", 0},   // the name alone: no read
        {REGMODE_REG, REGROOT_NONE, L"", 0, "", 0},    // no root: never read
        {9, REGROOT_HKCU, L"", 0, "", 0},               // no mode that shows a value
        {REGMODE_REG, 7, L"", 0, "", 0},
    };
    for (const Case& c : cases) {
        registry.reads = 0;
        IconEntry e = RegEntry(c.mode, c.root, L"#%d");
        e.RegText = c.before;
        e.flags = ICON_CAPTION_VALID;
        EXPECT_EQ(c.changed, RefreshRegistryItem(e, registry)) << int(c.mode) << "/" << int(c.root);
        EXPECT_EQ(c.after, Narrow(e.RegText));
        EXPECT_EQ(c.changed ? 0 : ICON_CAPTION_VALID, e.flags & ICON_CAPTION_VALID);
        EXPECT_EQ(c.reads, registry.reads);
    }
}

class RegTextOnSheet : public SheetRuntimeFixture {
protected:
    void SetUp() override { UseSettings({}); }
};

TEST_F(RegTextOnSheet, VisibleIconsAndTheEntriesTheyShow)
{
    LoadSheet(Row({60, 160}, 150, 40));
    CTableRegistry registry;
    registry.values[L"2\\Software\\Test\\V"] = Text(L"on");
    IconList launched;
    launched.entries.push_back(RegEntry(REGMODE_REG, REGROOT_HKCU, L"L"));
    IconList page;
    page.entries.push_back(RegEntry(REGMODE_REG, REGROOT_HKCU, L"A"));
    IconEntry& recent = page.entries.emplace_back();
    recent.nAppType = APP_RECENT_FIRST;
    recent.Link = &launched.entries[0];
    page.entries.push_back(RegEntry(REGMODE_REG, REGROOT_HKCU, L"C"));  // no slot left for it
    sheets->SetCurSheet(L"S_T", &page, 0, false);

    EXPECT_EQ(1, RefreshRegistryItems(*sheets, registry));
    EXPECT_EQ(L"on", page.entries[0].RegText);
    EXPECT_EQ(L"on", launched.entries[0].RegText);  // the recent slot's caption comes from it
    EXPECT_EQ(L"", page.entries[2].RegText);
    EXPECT_EQ(2, registry.reads);
    EXPECT_EQ(0, RefreshRegistryItems(*sheets, registry));
}
