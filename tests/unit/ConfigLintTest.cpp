// The checks behind "orvcfg lint", and the shipped sample installation
// passing them.
#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "FileSys.h"
#include "config/ConfigLint.h"
#include "config/ConfigLoad.h"
#include "config/Folders.h"
#include "config/Setting.h"

#include <gtest/gtest.h>

TEST(ConfigLint, BrokenDefinitionsAreReported)
{
    struct Case {
        const char* line;
        const wchar_t* reason;  // part of the expected report; empty: none
    } cases[] = {
        {"Ok=0,5,Label,INT,0;9;1;1,Help", L""},
        {"Ok=1,abc,Label,STR,10", L""},                               // help may be left out
        {"Far=0,50,Label,INT,0;9;1;1,Help", L"default 50 outside 0..9"},
        {"Few=0,5,Label,INT,0;9,Help", L"INT needs parameters"},
        {"Kind=1,5,Label,INT,0;9;1;1,Help", L"needs a number value"},
        {"Pick=0,7,Label,CMB,0:Off;1:On,Help", L"default is none of the options"},
        {"Pick2=1,Big,Label,CMB2,0:Small;0:Large,Help", L"default is none of the options"},
        {"Font=1,90,Label,FONT,P;60;240,Help", L"size;face"},
        {"Col=1,x,Label,COLOR,\\\\,Help", L"needs a number value"},
        {"Word=0,5,Label,SLIDER,\\\\,Help", L"unknown editor word"},
        {"Short=0,5,Label", L"4 of 7 fields"},
        {"no equals sign", L"not a definition"},
    };
    CDeviceSandbox dev;
    for (const Case& c : cases) {
        dev.WriteFile(L"\\d.ini", std::string(c.line) + "\r\n");
        CDiagList diags;
        CSettingTable table;
        LintDefinitionFile(L"\\d.ini", 1, diags, table);
        const std::wstring reasons = Reasons(diags);
        // Every table here is one definition short of nothing: the count
        // report is expected only when the line is no definition at all.
        if (*c.reason == 0)
            EXPECT_EQ(L"", reasons) << c.line;
        else
            EXPECT_NE(std::wstring::npos, reasons.find(c.reason)) << c.line;
    }
}

TEST(ConfigLint, LanguageVariantsMustAgree)
{
    CDeviceSandbox dev;
    dev.WriteFile(L"\\ja.ini", "A=0,1,L,CMB,0:x;1:y,H\r\nB=0,5,L,INT,0;9;1;1,H\r\nC=1,t,L,STR,9,H\r\n");
    dev.WriteFile(L"\\en.ini", "A=0,1,L,CMB,1:x;2:y,H\r\nB=0,6,L,INT,0;9;1;1,H\r\nX=1,t,L,STR,9,H\r\n");
    CDiagList diags;
    CSettingTable ja, en;
    LintDefinitionFile(L"\\ja.ini", 3, diags, ja);
    LintDefinitionFile(L"\\en.ini", 3, diags, en);
    ASSERT_TRUE(diags.Empty()) << Reasons(diags);
    LintDefinitionPair(ja, L"\\ja.ini", en, L"\\en.ini", diags);
    ASSERT_EQ(3u, diags.Items().size());
    EXPECT_EQ(1, diags.Items()[0].line);
    EXPECT_NE(std::wstring::npos, diags.Items()[0].reason.find(L"option values differ"));
    EXPECT_NE(std::wstring::npos, diags.Items()[1].reason.find(L"default '6' differs from '5'"));
    EXPECT_NE(std::wstring::npos, diags.Items()[2].reason.find(L"key 'X' differs from 'C'"));
}

TEST(ConfigLint, ShippedSampleIsClean)
{
    CDeviceSandbox dev;
    MountDeviceFolder(kInstallFolder, SampleFolder().wstring());
    CDiagList diags;
    LintInstallation(diags);
    for (const Diagnostic& d : diags.Items())
        ADD_FAILURE() << d.file << ":" << d.line << ": " << d.reason;
    // And the plug-in's view of it: 49 settings with their keys.
    CSetting setting;
    ASSERT_EQ(1, setting.Load());
    EXPECT_EQ(Set::Count, setting.Count());
    EXPECT_EQ(480, setting.m_nSetting3);
}

TEST(ConfigLint, PagesThatCannotWorkAreReported)
{
    CDeviceSandbox dev;
    dev.MakeInstallation(kInstallFolder);
    const std::wstring dir = std::wstring(kInstallFolder) + L"\\";
    dev.WriteFile(dir + L"Icon\\There.png", "png");
    dev.WriteFile(dir + L"PageMng.ini", "1,Main\r\n0,Hidden\r\n1,Gone\r\n");
    dev.WriteFile(dir + L"Page.ini", "[Main]\r\nS_DEF,0,0\r\nS_NONE,0,0\r\n"
                                     "1,Here,\\x.exe,,\\\\Icon\\There.png,0,----;;\r\n"
                                     "1,Lost,\\x.exe,,\\\\Icon\\Missing.png,0,----;;\r\n"
                                     "6,To main,Main,,,0,----;;\r\n"
                                     "6,Away,Nowhere,,,0,----;;\r\n"
                                     "10000,Clock,CAL,,Tahoma(14)CT,0,----;;\r\n");  // a font, not a file
    CDiagList diags;
    LintInstallation(diags);
    std::vector<std::wstring> reasons;
    for (const Diagnostic& d : diags.Items())
        reasons.push_back(d.reason);
    ASSERT_EQ(5u, reasons.size()) << Reasons(diags);
    EXPECT_NE(std::wstring::npos, reasons[0].find(L"'Hidden' is listed but no page file defines it"));
    EXPECT_NE(std::wstring::npos, reasons[1].find(L"'Gone' is listed"));
    EXPECT_NE(std::wstring::npos, reasons[2].find(L"sheet 'S_NONE' is not defined"));
    EXPECT_NE(std::wstring::npos, reasons[3].find(L"Missing.png"));
    EXPECT_NE(std::wstring::npos, reasons[4].find(L"'Away' links to the page 'Nowhere'"));
}

// Lines that hold a user's entry in an unusual form are read as entries and
// not reported: the main files of the sibling (setting 1), a header that
// names nothing, short step and slot lines, a '[' inside an icon line, an
// empty key before a registry value, an empty exclusion.
TEST(ConfigLint, UnusualLinesThatHoldAnEntryAreReadAndNotReported)
{
    CDeviceSandbox dev;
    dev.MakeInstallation(kInstallFolder);
    dev.MakeInstallation(kSiblingFolder);
    const std::wstring own = std::wstring(kInstallFolder) + L"\\", sib = std::wstring(kSiblingFolder) + L"\\";
    dev.WriteFile(own + L"Orvane.ini", "UseTarliseFiles=1\r\nExclusion=\r\n");
    dev.WriteFile(sib + L"Motion.ini", "[M_END]\r\n+0,+0,END\r\n[]\r\n+0,:BOTTOMOUT,NORMAL,100\r\n");
    dev.WriteFile(sib + L"Sheet.ini", "[F_X]\r\n-4,-4\r\n4,4\r\n[]\r\n-8,-8\r\n8,8\r\n[SHEET_DEF]\r\n[S_SHORT]\r\n"
                                      "10,20\r\n30,40,5,6,M_END\r\n[]\r\n50,60,0,0,DMOV_IN,DMOV_OUT,F_X,32\r\n");
    dev.WriteFile(sib + L"own.png", "png");
    dev.WriteFile(sib + L"Page.ini", "[Home]\r\nS_SHORT,0,0\r\nS_SHORT,0,0\r\n"
                                     "1,Args,\\x.exe,[x],\\\\\\own.png,0,----;;\r\n"
                                     "1,Key,\\y.exe,,,1,HKCU;\\\\;Val\r\n");
    CDiagList diags;
    LintInstallation(diags);
    EXPECT_TRUE(diags.Empty()) << Reasons(diags);

    CConfiguration config;
    ASSERT_EQ(sib, SiblingDir);
    EXPECT_EQ(std::vector<std::wstring>{L""}, config.setting.m_Exclusions);  // no "DuraruZur"
    const Motion* end = config.motions.Get(config.motions.FindMotion(L"M_END", 0));
    ASSERT_TRUE(end && end->size() == 1);
    EXPECT_EQ(MOTION_END, (*end)[0].kind);
    const Motion* nameless = config.motions.Get(config.motions.FindMotion(L"", 0));
    ASSERT_TRUE(nameless && nameless->size() == 1);
    EXPECT_EQ(100, (*nameless)[0].duration);
    EXPECT_EQ(2u, config.sheet->Frames()[static_cast<size_t>(config.sheet->FrameIndex(L"F_X"))].points.size());
    EXPECT_GE(config.sheet->FrameIndex(L""), 0);

    const SheetDef* shortSheet = config.sheet->FindSheet(L"S_SHORT");
    ASSERT_TRUE(shortSheet && shortSheet->slots.size() == 2);
    const SheetSlot& bare = shortSheet->slots[0];
    EXPECT_EQ(0, bare.delayIn + bare.delayOut);
    EXPECT_EQ(0, bare.motionIn);  // the built-ins, not the motion of the empty name
    EXPECT_EQ(1, bare.motionOut);
    EXPECT_EQ(config.sheet->FrameIndex(L"F_DEF"), bare.frame);
    EXPECT_EQ(config.setting.Scale(64), bare.size);
    EXPECT_EQ(5, shortSheet->slots[1].delayIn);
    EXPECT_EQ(config.motions.FindMotion(L"M_END", 0), shortSheet->slots[1].motionIn);
    ASSERT_NE(nullptr, config.sheet->FindSheet(L""));

    const CPageInfo* home = config.pages.FindPage(L"Home");
    ASSERT_TRUE(home && home->icons.entries.size() == 2);
    EXPECT_EQ(sib, home->folder);
    EXPECT_EQ(L"[x]", home->icons.entries[0].Args);
    EXPECT_EQ(sib + L"own.png", home->icons.entries[0].IconFile);
    EXPECT_EQ(L"", home->icons.entries[1].RegKey);
    EXPECT_EQ(L"Val", home->icons.entries[1].RegValue);
}
