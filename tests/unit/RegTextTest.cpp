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

RegValueData Text(const std::wstring& s) { return {RegValueData::Kind::Text, s, 0}; }
RegValueData Number(std::int32_t n) { return {RegValueData::Kind::Number, L"", n}; }

// Values by "root\key\value"; it counts every read.
class CTableRegistry : public CRegistrySource {
public:
    bool ReadValue(std::uint8_t root, const std::wstring& key, const std::wstring& value,
                   RegValueData& out) override
    {
        ++reads;
        const auto it = values.find(std::to_wstring(root) + L"\\" + key + L"\\" + value);
        if (it != values.end())
            out = it->second;
        return it != values.end();
    }
    std::map<std::wstring, RegValueData> values;
    int reads = 0;
};

IconEntry RegEntry(std::uint8_t mode, std::uint8_t root)
{
    IconEntry e;
    e.nAppType = APP_PROGRAM;
    e.RegMode = mode;
    e.RegRoot = root;
    e.Name = L"#%d";
    e.RegKey = L"Software\\Test";
    e.RegValue = L"V";
    return e;
}

}  // namespace

TEST(RegText, ModesAndNamesAsFormats)
{
    // In mode 4 only the first conversion that fits the value takes it; every
    // other one is shown as written, and nothing reads past the one value.
    struct Case {
        std::uint8_t mode;
        const wchar_t* name;
        RegValueData value;
        const char* text;
    } cases[] = {
        {REGMODE_REG, L"Unread", Text(L"12"), "12"},
        {REGMODE_NAME_REG, L"Mails ", Number(-1), "-1"},
        {REGMODE_REG_NAME, L"x", RegValueData(), ""},  // a binary value
        {REGMODE_FORMAT, L"Build %s", Text(L"22631"), "Build 22631"},
        {REGMODE_FORMAT, L"%d unread", Number(7), "7 unread"},
        {REGMODE_FORMAT, L"Count %s", Number(42), "Count 42"},  // a number's decimal text
        {REGMODE_FORMAT, L"[%5d|%-4x]", Number(255), "[  255|%-4x]"},
        {REGMODE_FORMAT, L"%#x %04X", Number(255), "0xff %04X"},
        {REGMODE_FORMAT, L"%u %ld%%", Number(-1), "4294967295 %ld%"},
        {REGMODE_FORMAT, L"<%-6.3s>", Text(L"abcdef"), "<abc   >"},
        {REGMODE_FORMAT, L"Battery", Number(80), "Battery"},
        {REGMODE_FORMAT, L"%s%s%s", Text(L"v"), "v%s%s"},
        {REGMODE_FORMAT, L"%n%p%s", Text(L"v"), "%n%pv"},
        {REGMODE_FORMAT, L"%d", Text(L"v"), "%d"},
        {REGMODE_FORMAT, L"%c%f%5$s%s", Number(65), "%c%f%5$s65"},
        {REGMODE_FORMAT, L"%9999999999s|%.300s|%", Text(L"v"), "%9999999999s|%.300s|%"},  // beyond the text's room
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Narrow(RegValueText(c.mode, c.name, c.value))) << Narrow(c.name);

    // However name and value are made, the text stays within bounds.
    const std::wstring wide = L"%255s" + std::wstring(kIconFieldMax - 5, L'x');
    EXPECT_EQ(kRegTextMax, RegValueText(REGMODE_FORMAT, wide, Text(std::wstring(300, L'y'))).size());
}

TEST(RegText, ValueThatGrowsWhileRead)
{
    struct Case {
        std::vector<std::uint32_t> sizes;  // the value's size at each query
        bool ok;
        int queries;
    } cases[] = {
        {{8}, true, 1},                           // no terminator: the text ends with the data
        {{300, 300}, true, 2},                    // larger than the first buffer
        {{300, 600, 600}, true, 3},               // grew between the size query and the read
        {{300, 600, 900, 1200, 1500}, false, 4},  // grows for ever: a few attempts
        {{kRegValueMaxBytes + 2}, false, 1},      // too large to read
    };
    for (const Case& c : cases) {
        int queries = 0;
        RegValueData out;
        const bool ok = ReadGrowingValue(
            [&](std::uint8_t* buffer, std::uint32_t& size, std::uint32_t& type) {
                const std::uint32_t need = c.sizes[std::min<size_t>(static_cast<size_t>(queries++), c.sizes.size() - 1)];
                const bool fits = need <= size;
                if (fits)
                    std::memset(buffer, 'q', need);  // no terminator anywhere
                size = need;
                type = REGTYPE_SZ;
                return fits ? RegQuery::Ok : RegQuery::MoreData;
            },
            out);
        EXPECT_EQ(c.ok, ok) << c.sizes.size();
        EXPECT_EQ(c.queries, queries);
        EXPECT_EQ(ok ? std::min<size_t>(c.sizes.back() / 2, kRegTextMax) : 0u, out.text.size());
    }
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
        {REGMODE_REG, REGROOT_HKCU, L"3", 0, "3", 1},      // unchanged: no repaint
        {REGMODE_REG, REGROOT_HKLM, L"old", 0, "old", 1},  // no such value: kept
        {REGMODE_NAME, REGROOT_HKCU, L"", 0, "", 0},       // the name alone: no read
        {REGMODE_REG, REGROOT_NONE, L"", 0, "", 0},        // no root: never read
        {9, REGROOT_HKCU, L"", 0, "", 0},                  // no mode that shows a value
    };
    for (const Case& c : cases) {
        registry.reads = 0;
        IconEntry e = RegEntry(c.mode, c.root);
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
    launched.entries.push_back(RegEntry(REGMODE_REG, REGROOT_HKCU));
    IconList page;
    page.entries.push_back(RegEntry(REGMODE_REG, REGROOT_HKCU));
    IconEntry& recent = page.entries.emplace_back();
    recent.nAppType = APP_RECENT_FIRST;
    recent.Link = &launched.entries[0];
    page.entries.push_back(RegEntry(REGMODE_REG, REGROOT_HKCU));  // no slot left for it
    sheets->SetCurSheet(L"S_T", &page, 0, false);

    EXPECT_EQ(1, RefreshRegistryItems(*sheets, registry));
    EXPECT_EQ(L"on", page.entries[0].RegText);
    EXPECT_EQ(L"on", launched.entries[0].RegText);  // the recent slot's caption comes from it
    EXPECT_EQ(L"", page.entries[2].RegText);
    EXPECT_EQ(2, registry.reads);
    EXPECT_EQ(0, RefreshRegistryItems(*sheets, registry));
}
