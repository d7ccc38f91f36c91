// The definition files and the setting file "Orvane.ini".
#include "CodePageScope.h"
#include "DeviceSandbox.h"
#include "FileSizeLimit.h"
#include "System.h"
#include "base/Format.h"
#include "config/Folders.h"
#include "config/FontList.h"
#include "config/Setting.h"
#include "config/TextFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

// Definition lines for all 49 settings: the few the code interprets with
// their real kinds, the rest plain numbers "S<n>".
std::string DefinitionLines()
{
    std::string text = "; test definitions\r\n";
    for (int i = 0; i < Set::Count; ++i) {
        std::string line;
        switch (i) {
        case Set::RefSize: line = "RefSize=0,480,Ref,INT,1;2000;1;10,Reference size"; break;
        case Set::ScreenSize: line = "ScreenSize=0,-1,Screen,INT,-1;2000;1;10,-1 automatic"; break;
        case Set::FirstPage: line = "FirstPage=1,,Start page,CST,,"; break;
        case Set::CaptionFont: line = "CaptionFont=1,90;Tahoma,Font,FONT,P;60;240,Caption font"; break;
        case Set::HeightPortrait: line = "HeightP=0,300,Height,INT,50;1000;1;10,\\\\"; break;
        case Set::IconBgColor: line = "BgColor=0,255;0;0,Colour,COLOR,,A\\nB"; break;
        case Set::IconBgGrad: line = "BgGrad=0,0;0;255,Colour,COLOR,,"; break;
        default: line = "S" + std::to_string(i) + "=0," + std::to_string(i) + ",Label " + std::to_string(i) +
                        ",INT,0;100;1;5,Help";
        }
        text += "  " + line + "  \r\n";  // white space around a line is trimmed
    }
    return text;
}

class SettingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Both languages: a Japanese process reads the Japanese file.
        dev.WriteFile(L"\\Program Files\\Orvane\\OrvaneSetInfoEng.ini", DefinitionLines());
        dev.WriteFile(L"\\Program Files\\Orvane\\OrvaneSetInfo.ini", DefinitionLines());
        FontList().Fill({{L"Tahoma", 0x22}, {L"Fixed One", 0x31}, {L"Fixed Two", 0x31}});
        ScreenRect screen{0, 0, 480, 640};
        SetStandInDesktop(&screen);
    }
    void TearDown() override { SetStandInDesktop(nullptr); }

    // The automatic short side: the stand-in's 480 natively, the real
    // desktop's under Wine.
    static int AutoSide()
    {
        ScreenRect desktop;
        return GetDesktopRect(desktop) ? std::min(std::abs(desktop.Width()), std::abs(desktop.Height())) : 480;
    }
    void WriteSettingFile(const std::string& bytes) { dev.WriteFile(L"\\Program Files\\Orvane\\Orvane.ini", bytes); }
    std::string SettingFileBytes() { return dev.ReadFile(L"\\Program Files\\Orvane\\Orvane.ini"); }

    CDeviceSandbox dev;
};

}  // namespace

TEST_F(SettingTest, DefinitionsGiveKeysKindsAndDefaults)
{
    CSetting keys(DEFS_KEYS);
    ASSERT_EQ(Set::Count, keys.Count());
    EXPECT_EQ(L"RefSize", keys.Def(Set::RefSize)->key);
    EXPECT_EQ(480, keys.GetNum(Set::RefSize));
    EXPECT_EQ(-1, keys.GetNum(Set::ScreenSize));
    EXPECT_TRUE(keys.IsText(Set::FirstPage));
    EXPECT_EQ(L"", keys.GetStr(Set::FirstPage));  // the empty-field marker
    EXPECT_EQ(L"90;Tahoma", keys.GetStr(Set::CaptionFont));
    EXPECT_EQ(255, keys.GetNum(Set::IconBgColor));            // red
    EXPECT_EQ(255 << 16, keys.GetNum(Set::IconBgGrad));       // blue
    EXPECT_EQ(L"", keys.Def(Set::CaptionFont)->label);        // the plug-in keeps keys only

    CSetting full(DEFS_FULL);
    const SettingDef* font = full.Def(Set::CaptionFont);
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(EK_FONT, font->editor);
    EXPECT_EQ(L"P;60;240", font->params);
    EXPECT_EQ(L"Caption font", font->help);
    EXPECT_EQ(EK_CST, full.Def(Set::FirstPage)->editor);
    EXPECT_EQ(L"", full.Def(Set::FirstPage)->params);
    EXPECT_EQ(L"", full.Def(Set::HeightPortrait)->help);
    EXPECT_EQ(L"A\nB", full.Def(Set::IconBgColor)->help);
    // Out of range reads nothing and writes nothing.
    EXPECT_EQ(0, full.GetNum(Set::Count));
    EXPECT_EQ(L"", full.GetStr(-1));
    EXPECT_FALSE(full.SetNum(99, 1));
}

TEST_F(SettingTest, OverlongDefinitionFieldsAreCutWithoutShiftingIndexes)
{
    std::string defs = DefinitionLines();
    const std::string longKey(30, 'K'), longDefault(40, '7');
    defs.replace(defs.find("S5=0,5,"), 7, longKey + "=0," + longDefault + ",");
    dev.WriteFile(L"\\Program Files\\Orvane\\OrvaneSetInfoEng.ini", defs);
    dev.WriteFile(L"\\Program Files\\Orvane\\OrvaneSetInfo.ini", defs);
    CDiagList diags;
    CSetting s(DEFS_FULL, &diags);
    ASSERT_EQ(Set::Count, s.Count());
    EXPECT_EQ(std::wstring(17, L'K'), s.Def(5)->key);
    EXPECT_EQ(L"S6", s.Def(6)->key);
    EXPECT_EQ(2u, diags.Items().size());
}

TEST_F(SettingTest, DefinitionModesKeepValuesOrAppend)
{
    dev.WriteFile(L"\\app.ini", "A=1,one,L,STR,10,H\r\nB=0,2,L,INT,0;9;1;1,H\r\nC=0,3,L,INT,0;9;1;1,H\r\n");
    CSettingTable t;
    ASSERT_EQ(1, t.LoadDefinitions(L"\\app.ini", DEFS_FULL, 2, nullptr));  // stops after 2
    ASSERT_EQ(2, t.Count());
    t.SetNum(1, 8);
    ASSERT_EQ(1, t.LoadDefinitions(L"\\app.ini", DEFS_FULL | DEFS_KEEP_VALUES, 2, nullptr));
    EXPECT_EQ(8, t.GetNum(1));
    EXPECT_EQ(2u, t.m_Defs.size());
    ASSERT_EQ(1, t.LoadDefinitions(L"\\app.ini", DEFS_FULL | DEFS_APPEND, 3, nullptr));
    EXPECT_EQ(5, t.Count());
    EXPECT_EQ(L"one", t.GetStr(2));
    EXPECT_EQ(0, t.LoadDefinitions(L"\\missing.ini", DEFS_FULL, 10, nullptr));
}

TEST_F(SettingTest, MissingSettingFileLeavesDefaults)
{
    CSetting s;
    EXPECT_EQ(1, s.Load());
    EXPECT_EQ(std::vector<std::wstring>{L"DuraruZur"}, s.m_Exclusions);
    EXPECT_EQ(5, s.GetNum(5));
    EXPECT_EQ(AutoSide(), s.m_nShortSide);
    EXPECT_EQ(480, s.m_nSetting3);
}

TEST_F(SettingTest, SettingFileLines)
{
    WriteSettingFile("S5=12abc\r\n"
                     "S6=\r\n"
                     "FirstPage=\r\n"
                     "S9 has no equals sign\r\n"
                     "Unknown=1\r\n"
                     "Exclusion=Clock\r\n"
                     "Exclusion=Notes\r\n"
                     "QVL_ADDPATH=\\Program Files\\QVL\\QVLA\\\r\n"
                     "S5=13\r\n" +                                         // the later line wins
                     std::string("S10=") + std::string(300, '9') + "\r\n" +   // a number of 300 digits
                     std::string(60, 'k') + "=1\r\n" +
                     "Exclusion=\r\n"          // an exclusion all the same
                     "QVL_ADDPATH=\r\n");      // no folder: the current one would be written to
    CDiagList diags;
    CSetting s(DEFS_KEYS, &diags);
    s.SetStr(Set::FirstPage, L"Home");
    ASSERT_EQ(1, s.Load());
    EXPECT_EQ(13, s.GetNum(5));
    EXPECT_EQ(0, s.GetNum(6));
    EXPECT_EQ(L"", s.GetStr(Set::FirstPage));
    EXPECT_EQ(INT_MAX, s.GetNum(10));
    EXPECT_EQ((std::vector<std::wstring>{L"Clock", L"Notes", L""}), s.m_Exclusions);  // no default added
    EXPECT_EQ(std::vector<std::wstring>{L"\\Program Files\\QVL\\QVLA\\"}, AddPaths);
    // Reported: no '=', unknown key, value cut to 259, key over 49
    // characters, the empty folder.
    ASSERT_EQ(5u, diags.Items().size());
    EXPECT_EQ(4, diags.Items()[0].line);
    EXPECT_EQ(5, diags.Items()[1].line);
    EXPECT_EQ(10, diags.Items()[2].line);
    EXPECT_EQ(11, diags.Items()[3].line);
    EXPECT_EQ(13, diags.Items()[4].line);
}

TEST_F(SettingTest, UnopenableSettingFileFailsAndKeepsValues)
{
    dev.MakeFolder(L"\\Program Files\\Orvane\\Orvane.ini");  // exists, cannot be opened as a file
    CSetting s;
    EXPECT_EQ(0, s.Load());
    EXPECT_EQ(5, s.GetNum(5));
    EXPECT_EQ(std::vector<std::wstring>{L"DuraruZur"}, s.m_Exclusions);
}

TEST_F(SettingTest, RetriedLoadKeepsOnlyTheFilesExclusions)
{
    dev.MakeFolder(L"\\Program Files\\Orvane\\Orvane.ini");
    CSetting s;
    ASSERT_EQ(0, s.Load());  // the failed attempt falls back to the default exclusion
    std::filesystem::remove(CDeviceSandbox::Host(L"\\Program Files\\Orvane\\Orvane.ini"));
    WriteSettingFile("Exclusion=Clock\r\n");
    ASSERT_EQ(1, s.Load());
    EXPECT_EQ(std::vector<std::wstring>{L"Clock"}, s.m_Exclusions);
}

TEST_F(SettingTest, FontThatIsNotInstalledFallsBackToTheDefaultFace)
{
    struct Case {
        const char* value;
        const wchar_t* expected;
    } cases[] = {
        {"90;Tahoma", L"90;Tahoma"},
        {"120;No Such Face", L"120;Fixed One"},  // the first fixed-pitch face
        {"100;", L"100;Fixed One"},               // no face part at all
        {"90;tahoma", L"90;Fixed One"},           // faces compare exactly
    };
    for (const Case& c : cases) {
        WriteSettingFile(std::string("CaptionFont=") + c.value + "\r\n");
        CSetting s;
        s.Load();
        EXPECT_EQ(c.expected, s.GetStr(Set::CaptionFont)) << c.value;
    }
    FontList().Fill({{L"Tahoma", 0x22}});  // no fixed-pitch face: the first face
    WriteSettingFile("CaptionFont=80;Gone\r\n");
    CSetting s;
    s.Load();
    EXPECT_EQ(L"80;Tahoma", s.GetStr(Set::CaptionFont));
}

TEST_F(SettingTest, AutomaticScreenSizeAndItemHeights)
{
    struct Case {
        int width, height, side, item;
    } cases[] = {{480, 640, 480, 300}, {640, 480, 480, 300}, {240, 320, 240, 150}};
    for (const Case& c : cases) {
        ScreenRect screen{0, 0, c.width, c.height};
        SetStandInDesktop(&screen);
        ScreenRect actual;
        ASSERT_TRUE(GetDesktopRect(actual));
        const int side = std::min(actual.Width(), actual.Height());  // Windows: the real desktop
        CSetting s;
        s.Load();
        EXPECT_EQ(side, s.GetNum(Set::ScreenSize));
        EXPECT_EQ(side * 300 / 480, s.GetNum(Set::HeightPortrait));
        EXPECT_EQ(side * 300 / 480, s.GetNum(Set::HeightLandscape));
        EXPECT_EQ(side, s.m_nShortSide);
    }
    WriteSettingFile("ScreenSize=320\r\n");  // a fixed size is left alone
    CSetting fixed;
    fixed.Load();
    EXPECT_EQ(320, fixed.GetNum(Set::ScreenSize));
    EXPECT_EQ(300, fixed.GetNum(Set::HeightPortrait));
}

TEST_F(SettingTest, WriterBytes)
{
    CSetting s;
    s.Load();
    s.SetStr(Set::FirstPage, L"Home");
    AddPaths = {L"\\Program Files\\QVL\\QVLA\\"};
    ASSERT_EQ(1, s.Write());
    const std::string bytes = SettingFileBytes();
    EXPECT_NE(std::string::npos, bytes.find("S0=0\r\nS1=1\r\nS2=2\r\nRefSize=480\r\nScreenSize=" +
                                            std::to_string(AutoSide()) + "\r\n"));
    EXPECT_NE(std::string::npos, bytes.find("\r\nFirstPage=Home\r\nCaptionFont=90;Tahoma\r\n"));
    const std::string tail = "S48=48\r\nExclusion=DuraruZur\r\nQVL_ADDPATH=\\Program Files\\QVL\\QVLA\\\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(tail, bytes.substr(bytes.size() - tail.size()));
}

TEST_F(SettingTest, WrittenFileReadsBackEqualInEveryCodePage)
{
    for (unsigned cp : SelectableCodePages()) {
        CCodePageScope scope(cp);
        CSetting s;
        s.Load();
        const std::wstring page = cp == 932 ? L"ホーム画面" : L"H\u00f4me";
        s.SetStr(Set::FirstPage, page);
        s.SetNum(Set::IconBgColor, 0x00ABCDEF);
        s.SetNum(12, -42);
        s.m_Exclusions = {cp == 932 ? L"メモ帳" : L"Bloc-notes \u00e9", L"Clock"};
        AddPaths = {L"\\Program Files\\QVL\\QVLA\\", L"\\SD Card\\Program Files\\QVL\\QVLB\\"};
        ASSERT_EQ(1, s.Write()) << cp;

        const std::vector<std::wstring> writtenPaths = AddPaths;
        CSetting back;
        ASSERT_EQ(1, back.Load()) << cp;
        for (int i = 0; i < Set::Count; ++i)
            EXPECT_EQ(s.GetText(i), back.GetText(i)) << "setting " << i << " cp " << cp;
        EXPECT_EQ(s.m_Exclusions, back.m_Exclusions);
        EXPECT_EQ(writtenPaths, AddPaths);
    }
}

TEST_F(SettingTest, FullCardLeavesTheOldFileByteForByte)
{
    WriteSettingFile("S5=77\r\nExclusion=Old\r\n");
    const std::string before = SettingFileBytes();
    CSetting s;
    s.Load();
    for (int i = 0; i < 400; ++i)  // far more than the card can take
        s.AddExclusion(FormatW(L"A window title that takes room %d", i));
    CFileSizeLimit card(4096);
    if (!card.Active())
        GTEST_SKIP() << "this build cannot fill a card by itself; its full-card run does";
    EXPECT_EQ(0, s.Write());
    EXPECT_EQ(before, SettingFileBytes());
    EXPECT_FALSE(std::filesystem::exists(CDeviceSandbox::Host(SaveTempPath(s.SettingFilePath()))));
}

TEST_F(SettingTest, ScaleRoundsAwayFromZero)
{
    CSetting s;
    struct Case {
        int ref, side, value, expected;
    } cases[] = {
        {240, 480, 1, 2},   {240, 480, -1, -2}, {480, 240, 3, 2},  {480, 240, -3, -2},
        {480, 240, 0, 0},   {480, 480, 48, 48}, {3, 1, 16, 6},     {480, 240, 1, 1},
        {0, 480, 17, 17},   {-5, 480, 17, 17},  // no reference size: no scaling, no crash
        {1, 2000000000, 2000000000, INT_MAX},     // saturates instead of overflowing
    };
    for (const Case& c : cases) {
        s.m_nSetting3 = c.ref;
        s.m_nShortSide = c.side;
        EXPECT_EQ(c.expected, s.Scale(c.value)) << c.ref << " " << c.side << " " << c.value;
    }
}

TEST_F(SettingTest, AddExclusionRefusesDuplicates)
{
    CSetting s;
    s.Load();
    EXPECT_EQ(1, s.AddExclusion(L"Clock"));
    EXPECT_EQ(0, s.AddExclusion(L"Clock"));
    EXPECT_EQ(1, s.AddExclusion(L"clock"));  // exact comparison
    EXPECT_EQ((std::vector<std::wstring>{L"DuraruZur", L"Clock", L"clock"}), s.m_Exclusions);
}
