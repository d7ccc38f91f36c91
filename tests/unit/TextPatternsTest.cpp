// The scanf and printf subsets behind every line format.
#include "base/Format.h"
#include "base/Scan.h"
#include "base/Strings.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwctype>

TEST(Scan, FieldsAndEmptyFieldsFollowSwscanf)
{
    struct Case {
        const wchar_t* text;
        int assigned;
        const wchar_t* key;
        int num;
        const wchar_t* rest;
    } cases[] = {
        {L"Key=12,abc,", 3, L"Key", 12, L"abc"},
        {L"Key=-7,x", 3, L"Key", -7, L"x"},
        {L"Key= +5,x", 3, L"Key", 5, L"x"},     // %d skips white space
        {L"Key=,x", 1, L"Key", 0, L""},         // no digits: stops after the key
        {L"Key=3,,x", 2, L"Key", 3, L""},       // %[^,] cannot match an empty field
        {L"=3,x", 0, L"", 0, L""},              // nor can an empty key
        {L"", 0, L"", 0, L""},
        {L"Key=99999999999,x", 3, L"Key", INT_MAX, L"x"},
    };
    for (const Case& c : cases) {
        std::wstring key, rest;
        int num = 0;
        EXPECT_EQ(c.assigned, ScanW(c.text, L"%[^=]=%d,%[^,],", {&key, &num, &rest})) << c.text;
        EXPECT_EQ(c.key, key) << c.text;
        EXPECT_EQ(c.num, num) << c.text;
        EXPECT_EQ(c.rest, rest) << c.text;
    }
}

TEST(Scan, SetsRangesAndLiterals)
{
    std::wstring name, tail;
    EXPECT_EQ(1, ScanW(L"[Page One]rest", L"[%[^]]", {&name}));
    EXPECT_EQ(L"Page One", name);
    EXPECT_EQ(0, ScanW(L" [x]", L"[%[^]]", {&name}));  // the header must start the line
    EXPECT_EQ(2, ScanW(L"abc123def", L"%[a-z]%[0-9]", {&name, &tail}));
    EXPECT_EQ(L"abc", name);
    EXPECT_EQ(L"123", tail);
    int a = 0, b = 0, c = 0;
    EXPECT_EQ(3, ScanW(L"255;0; 9", L"%d;%d;%d", {&a, &b, &c}));
    EXPECT_EQ(9, c);
    name.clear();
    EXPECT_EQ(1, ScanW(L"90;", L"%d;%[^\n]", {&a, &name}));  // the face part may be missing
    EXPECT_EQ(L"", name);
}

TEST(Scan, SetMembersAsSwscanfReadsThem)
{
    struct Case {
        const wchar_t* pattern;
        const wchar_t* text;
        const wchar_t* want;  // what the one %[ ] takes; empty: no match
    } cases[] = {
        {L"%[]a]", L"a]a]b", L"a]a]"},     // a ']' right after '[' is a member
        {L"%[^]]", L"x]y", L"x"},
        {L"%[a-]", L"-a-b", L"-a-"},       // a '-' before ']' is a member
        {L"%[a-c-]", L"b-cd", L"b-c"},
        {L"%[x0-9y]", L"y0x9z", L"y0x9"},  // singles around a range
        {L"%[^0-9,]", L"ab,1", L"ab"},
        {L"%[^0-9,]", L"7ab", L""},
        {L"%[^,]", L",a", L""},            // cannot match nothing
        {L"%[^;]", L"a,b;c", L"a,b"},
        {L"%s", L" a\u3000b\vc", L"a\u3000b"},  // %s stops only at the six C blanks
        {L"%s", L"a\fb", L"a"},
    };
    for (const Case& c : cases) {
        std::wstring text;
        std::wstring_view view;
        const int want = *c.want ? 1 : 0;
        EXPECT_EQ(want, ScanW(c.text, c.pattern, {&text})) << c.pattern << L" " << c.text;
        EXPECT_EQ(c.want, text) << c.pattern << L" " << c.text;
        // A view output takes the same part of the text itself.
        const std::wstring source = c.text;
        EXPECT_EQ(want, ScanW(source, c.pattern, {&view})) << c.pattern;
        EXPECT_EQ(std::wstring_view(c.want), view) << c.pattern;
        if (want) {
            EXPECT_TRUE(view.data() >= source.data() && view.data() < source.data() + source.size());
        }
    }
}

TEST(Strings, FillEmptyFieldsLikeReplacingTwice)
{
    struct Case {
        const wchar_t* line;
        const wchar_t* want;
    } cases[] = {
        {L"", L""},           {L",", L","},         {L",,", L",#,"},    {L",,,", L",#,#,"},
        {L",,,,", L",#,#,#,"}, {L"a,,b,c", L"a,#,b,c"}, {L"a,b", L"a,b"},   {L"a,,", L"a,#,"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.want, FillEmptyFieldsW(c.line, L"#")) << c.line;
        EXPECT_EQ(ReplaceAllW(ReplaceAllW(c.line, L",,", L",#,"), L",,", L",#,"), FillEmptyFieldsW(c.line, L"#"));
    }
}

TEST(Strings, SpaceTestAgreesWithTheLibraryOnAscii)
{
    for (wchar_t c = 0; c < 0x80; ++c)
        EXPECT_EQ(std::iswspace(static_cast<std::wint_t>(c)) != 0, IsSpaceW(c)) << static_cast<int>(c);
    EXPECT_EQ(std::iswspace(0x3000) != 0, IsSpaceW(L'\u3000'));
}

TEST(Strings, WtolAndTrim)
{
    EXPECT_EQ(42, Wtol(L"  42abc"));
    EXPECT_EQ(-3, Wtol(L"-3"));
    EXPECT_EQ(0, Wtol(L""));
    EXPECT_EQ(0, Wtol(L"x1"));
    EXPECT_EQ(INT_MIN, Wtol(L"-99999999999"));
    EXPECT_EQ(L"a b", TrimW(L" \t a b \r\n"));
    EXPECT_EQ(L"a b  ", TrimLeftW(L"  a b  "));
    EXPECT_EQ(L"x,\\\\,\\\\,y", ReplaceAllW(ReplaceAllW(L"x,,,y", L",,", L",\\\\,"), L",,", L",\\\\,"));
    EXPECT_EQ(L"\\a\\", WithBackslash(L"\\a"));
    EXPECT_EQ(L"\\a\\", WithBackslash(L"\\a\\"));
}

TEST(Format, ConversionsUsedByTheWriters)
{
    EXPECT_EQ(L"Key=-1\r\n", FormatW(L"%s=%d\r\n", std::wstring(L"Key"), -1));
    EXPECT_EQ(L"Task-01", FormatW(L"Task-%02d", 1));
    EXPECT_EQ(L"048,052", FormatW(L"%03d,%03d", 48, 52));
    EXPECT_EQ(L"0000FF", FormatW(L"%06X", 255));
    EXPECT_EQ(L"ffffffff", FormatW(L"%x", -1));
    EXPECT_EQ(L"[ab   ]", FormatW(L"[%-5s]", L"ab"));
    EXPECT_EQ(L"[   ab]", FormatW(L"[%5s]", L"ab"));
    EXPECT_EQ(L"100%", FormatW(L"%d%%", 100));
    EXPECT_EQ(L"a  [MemCard]", FormatW(L"%s  [MemCard]", L"a"));
    EXPECT_EQ(L"-05", FormatW(L"%03d", -5));
    // Missing or mistyped arguments print nothing instead of reading garbage.
    EXPECT_EQ(L"x= y=", FormatW(L"x=%d y=%s"));
    EXPECT_EQ(L"n=", FormatW(L"n=%d", L"text"));
}
