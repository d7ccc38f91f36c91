// Line reading and checked saving of the configuration files.
#include "CodePageScope.h"
#include "DeviceSandbox.h"
#include "config/TextFile.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> ReadAll(const CDeviceSandbox& dev, const std::string& bytes, CDiagSink* sink = nullptr)
{
    dev.WriteFile(L"\\t.txt", bytes);
    CTextFile file(sink);
    EXPECT_TRUE(file.OpenRead(L"\\t.txt"));
    std::vector<std::wstring> lines;
    std::wstring line;
    while (file.ReadLine(line))
        lines.push_back(line);
    return lines;
}

using Lines = std::vector<std::wstring>;

}  // namespace

TEST(TextFile, LineEnds)
{
    CDeviceSandbox dev;
    struct Case {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"abc", {L"abc"}},                       // no line end after the last line
        {"a\r\n\r\nb", {L"a", L"", L"b"}},
        {"a\n\rb", {L"a", L"b"}},                // LF CR is one line end
        {"a\r\rb", {L"a", L"", L"b"}},
        {"a\n\nb\n", {L"a", L"", L"b"}},
        {"a\xFF" "b", {L"a", L"b"}},             // 0xFF ends a line
        {"\r\n", {L""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.lines, ReadAll(dev, c.bytes)) << "bytes: " << c.bytes.size();
}

TEST(TextFile, LineEndAcrossTheBlockBoundary)
{
    CDeviceSandbox dev;
    // CR as the last byte of the first block, LF as the first of the next.
    std::string first(1023, 'x');
    Lines lines = ReadAll(dev, first + "\r\nnext\r\n");
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(1023u, lines[0].size());
    EXPECT_EQ(L"next", lines[1]);
    // A line that ends exactly at the block's end, with nothing after it.
    lines = ReadAll(dev, std::string(1024, 'y'));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(1024u, lines[0].size());
}

TEST(TextFile, OverlongLineIsCutAndReported)
{
    CDeviceSandbox dev;
    CDiagList diags;
    Lines lines = ReadAll(dev, std::string(3000, 'z') + "\r\nafter\r\n", &diags);
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(1024u, lines[0].size());
    EXPECT_EQ(L"after", lines[1]);
    ASSERT_EQ(1u, diags.Items().size());
    EXPECT_EQ(1, diags.Items()[0].line);
}

TEST(TextFile, ShiftJisAndWesternTextRoundTrip)
{
    CDeviceSandbox dev;
    for (unsigned cp : SelectableCodePages()) {
        CCodePageScope scope(cp);
        const std::wstring text = cp == 932 ? L"前回表示したページ,ｶﾅ,表" : L"Caf\u00e9 \u00bd,\u20ac\u0081\u008d";  // and two of 1252's gaps
        CTextFile out;
        ASSERT_TRUE(out.BeginSave(L"\\rt.ini"));
        EXPECT_TRUE(out.WriteText(text + L"\r\n"));
        ASSERT_TRUE(out.CommitSave());
        const std::string bytes = dev.ReadFile(L"\\rt.ini");
        if (cp == 932)  // 前 in Shift-JIS, then the CR LF the writer was given
            EXPECT_EQ("\x91\x4F", bytes.substr(0, 2));
        else
            EXPECT_EQ("Caf\xE9 \xBD,\x80\x81\x8D\r\n", bytes);
        EXPECT_EQ(Lines{text}, ReadAll(dev, bytes)) << cp;
    }
}

TEST(TextFile, SaveReplacesOnlyAfterCommit)
{
    CDeviceSandbox dev;
    dev.WriteFile(L"\\s.ini", "old\r\n");
    {
        CTextFile out;
        ASSERT_TRUE(out.BeginSave(L"\\s.ini"));
        out.WriteText(L"new\r\n");
        EXPECT_EQ("old\r\n", dev.ReadFile(L"\\s.ini"));
        // Abandoned (no commit): the old file stays and no temporary remains.
    }
    EXPECT_EQ("old\r\n", dev.ReadFile(L"\\s.ini"));
    EXPECT_FALSE(std::filesystem::exists(CDeviceSandbox::Host(SaveTempPath(L"\\s.ini"))));

    CTextFile out;
    ASSERT_TRUE(out.BeginSave(L"\\s.ini"));
    out.WriteText(L"new\r\n");
    ASSERT_TRUE(out.CommitSave());
    EXPECT_EQ("new\r\n", dev.ReadFile(L"\\s.ini"));
    EXPECT_FALSE(std::filesystem::exists(CDeviceSandbox::Host(SaveTempPath(L"\\s.ini"))));
}

TEST(TextFile, SaveIntoMissingFolderFailsCleanly)
{
    CDeviceSandbox dev;
    CTextFile out;
    EXPECT_FALSE(out.BeginSave(L"\\no such folder\\s.ini"));
    EXPECT_FALSE(out.WriteText(L"x"));
    EXPECT_FALSE(out.CommitSave());
}
