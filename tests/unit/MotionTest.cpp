// Motion files, the built-in motions and the evaluation of a motion.
#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "config/IconEntry.h"
#include "config/Motion.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

const wchar_t kFile[] = L"\\Motion.ini";

class MotionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setting.m_nSetting3 = 480;  // no scaling unless a test asks for it
        setting.m_nShortSide = 480;
        table.InitDefaultMotions();
    }
    int Load(const std::string& text)
    {
        dev.WriteFile(kFile, text);
        return table.LoadMotionFile(kFile, setting, &diags);
    }
    const Motion& Named(const std::wstring& name)
    {
        static const Motion none;
        const Motion* m = table.Get(table.FindMotion(name, 255));
        return m && table.Names().count(name) ? *m : none;
    }

    CDeviceSandbox dev;
    CSetting setting;
    CMotionTable table;
    CDiagList diags;
};


}  // namespace

TEST(MotionSpecTest, SignAnchorAndNumber)
{
    struct Case {
        const wchar_t* spec;
        std::uint8_t mode, anchor;
        std::int32_t number;
    } cases[] = {
        {L"+10", SPEC_ADD, ANCHOR_NONE, 10},
        {L"-10", SPEC_SUBTRACT, ANCHOR_NONE, 10},
        {L":-5", SPEC_ABSOLUTE, ANCHOR_NONE, -5},
        {L"12abc", SPEC_ADD, ANCHOR_NONE, 12},
        {L"", SPEC_ADD, ANCHOR_NONE, 0},
        {L":BOTTOMOUT", SPEC_ABSOLUTE, ANCHOR_BOTTOMOUT, 0},
        {L"-leftin", SPEC_SUBTRACT, ANCHOR_LEFTIN, 0},
        {L"vcenter", SPEC_ADD, ANCHOR_VCENTER, 0},  // not read as CENTER
        {L":Center", SPEC_ABSOLUTE, ANCHOR_CENTER, 0},
        {L"+RIGHTOUTSIDE", SPEC_ADD, ANCHOR_RIGHTOUT, 0},  // a prefix is enough
        {L" :TOPIN", SPEC_ADD, ANCHOR_NONE, 0},  // the sign must come first
    };
    for (const Case& c : cases) {
        std::int32_t number = -1;
        std::uint8_t mode = 99, anchor = 99;
        ParseMotionSpec(c.spec, number, mode, anchor);
        EXPECT_EQ(c.mode, mode) << c.spec;
        EXPECT_EQ(c.anchor, anchor) << c.spec;
        EXPECT_EQ(c.number, number) << c.spec;
    }
}

TEST_F(MotionTest, MissingFileReadsNothingAndReportsNothing)
{
    EXPECT_EQ(0, table.LoadMotionFile(L"\\none.ini", setting, &diags));
    dev.MakeFolder(L"\\Folder.ini");
    EXPECT_EQ(0, table.LoadMotionFile(L"\\Folder.ini", setting, &diags));
    EXPECT_TRUE(diags.Empty());
    EXPECT_EQ(2u, table.Count());
}

TEST_F(MotionTest, FileLines)
{
    ASSERT_EQ(1, Load("+1,+2,NORMAL,10,0,0\r\n"          // 1: before any header
                      "[FIRST]\r\n"                       // 2
                      "   ; comment\r\n"                  // 3
                      "\r\n"                              // 4
                      "  -leftout,:vcenter,ACCEL,20,5,6  \r\n"  // 5: leading white space removed
                      "+0,+0,normal,10,0,0\r\n"           // 6: kind words are case-sensitive
                      "+0,+0,NORMAL,10\r\n"               // 7: numbers left out are 0
                      "x[NOT_A_NAME]\r\n"                 // 8: a header whose name does not scan
                      "[]\r\n"                            // 9: another one, with nothing before it
                      "+0,+0,END\r\n"                     // 10: belongs to no FIRST
                      "[EMPTY]\r\n"                       // 11: no steps: not stored
                      "[SECOND]\r\n"
                      "+3,+4,NO_MOV,7,0,0\r\n"));
    ASSERT_EQ(6u, table.Count()) << Reasons(diags);

    // The steps before the first header, under the empty name until the
    // nameless header's motion took the name over.
    ASSERT_EQ(1u, table.Get(2)->size());
    EXPECT_EQ(2, table.Get(2)->at(0).y);
    const Motion& nameless = Named(L"");
    ASSERT_EQ(1u, nameless.size());
    EXPECT_EQ(MOTION_END, nameless[0].kind);

    const Motion& first = Named(L"FIRST");
    ASSERT_EQ(2u, first.size());
    EXPECT_EQ(SPEC_SUBTRACT, first[0].modeX);
    EXPECT_EQ(ANCHOR_LEFTOUT, first[0].anchorX);
    EXPECT_EQ(SPEC_ABSOLUTE, first[0].modeY);
    EXPECT_EQ(ANCHOR_VCENTER, first[0].anchorY);
    EXPECT_EQ(MOTION_ACCEL, first[0].kind);
    EXPECT_EQ(20, first[0].duration);
    EXPECT_EQ(6, first[0].vy);
    EXPECT_EQ(MOTION_NORMAL, first[1].kind);
    EXPECT_EQ(10, first[1].duration);
    EXPECT_EQ(0, first[1].vx + first[1].vy);

    EXPECT_EQ(MOTION_NO_MOV, Named(L"SECOND").at(0).kind);
    EXPECT_EQ(0u, table.Names().count(L"EMPTY"));

    // Only the dropped line is reported.
    ASSERT_EQ(1u, diags.Items().size()) << Reasons(diags);
    EXPECT_EQ(6, diags.Items()[0].line);
    EXPECT_NE(std::wstring::npos, diags.Items()[0].reason.find(L"normal"));
    EXPECT_NE(std::wstring::npos, diags.Items()[0].file.find(L"Motion.ini"));
    diags.Clear();
    ASSERT_EQ(1, Load("+0,+0\r\n,+0,END\r\n"));
    EXPECT_EQ(2u, diags.Items().size());  // no kind word, no X spec: dropped
}

TEST_F(MotionTest, RedefinedNameTakesOverButIndexesKeepTheirSteps)
{
    ASSERT_EQ(1, Load("[DMOV_IN]\r\n+0,+0,END,0,0,0\r\n[M]\r\n+1,+0,END,0,0,0\r\n[M]\r\n+2,+0,END,0,0,0\r\n"));
    ASSERT_EQ(5u, table.Count());
    EXPECT_EQ(2, table.FindMotion(L"DMOV_IN", 0));
    EXPECT_EQ(2, table.FindMotion(L"no such motion", table.FindMotion(L"DMOV_IN", 0)));
    EXPECT_EQ(3u, table.Get(0)->size());  // a slot holding index 0 keeps the built-in steps
    EXPECT_EQ(2, Named(L"M").at(0).x);
    EXPECT_EQ(1, table.Get(3)->at(0).x);
}

TEST_F(MotionTest, NumbersAreScaledButDurationsAreNot)
{
    setting.m_nSetting3 = 240;
    setting.m_nShortSide = 480;
    ASSERT_EQ(1, Load("[S]\r\n:-5,+7,ACCEL,300,-100,3\r\n"));
    const MotionStep& s = Named(L"S").at(0);
    EXPECT_EQ(-10, s.x);
    EXPECT_EQ(14, s.y);
    EXPECT_EQ(300, s.duration);
    EXPECT_EQ(-200, s.vx);
    EXPECT_EQ(6, s.vy);
}

TEST_F(MotionTest, OverlongFieldsAreCutAndReported)
{
    const std::string longAnchor = ":VCENTER" + std::string(200, 'X');
    const std::string longKind = "END" + std::string(200, ' ');
    ASSERT_EQ(1, Load("[CUT]\r\n" + longAnchor + ",+" + std::string(150, '1') + ",NORMAL,5,0,0\r\n" +
                      "+0,+0," + longKind + ",5,0,0\r\n"));
    const Motion& cut = Named(L"CUT");
    ASSERT_EQ(1u, cut.size());
    EXPECT_EQ(ANCHOR_VCENTER, cut[0].anchorX);
    EXPECT_EQ(INT_MAX, cut[0].y);  // 126 digits saturate
    // X spec cut, Y spec cut, then the kind word cut and still unknown.
    ASSERT_EQ(4u, diags.Items().size()) << Reasons(diags);
    EXPECT_EQ(2, diags.Items()[0].line);
    EXPECT_NE(std::wstring::npos, diags.Items()[0].reason.find(L"X spec"));
    EXPECT_NE(std::wstring::npos, diags.Items()[1].reason.find(L"Y spec"));
    EXPECT_NE(std::wstring::npos, diags.Items()[2].reason.find(L"kind"));
    EXPECT_EQ(3, diags.Items()[3].line);
}

TEST_F(MotionTest, MotionPast256IsIgnoredNotWrappedOntoIndexZero)
{
    std::string text;
    for (int i = 0; i < 255; ++i)
        text += "[M" + std::to_string(i) + "]\r\n+0,+" + std::to_string(i) + ",END,0,0,0\r\n";
    ASSERT_EQ(1, Load(text));
    EXPECT_EQ(kMaxMotions, table.Count());
    EXPECT_EQ(255, table.FindMotion(L"M253", 0));
    EXPECT_EQ(7, table.FindMotion(L"M254", 7));  // the 257th
    EXPECT_EQ(0, table.FindMotion(L"DMOV_IN", 7));
    EXPECT_EQ(3u, table.Get(0)->size());
    ASSERT_EQ(1u, diags.Items().size());
    EXPECT_NE(std::wstring::npos, diags.Items()[0].reason.find(L"more than 256 motions"));
    EXPECT_EQ(510, diags.Items()[0].line);  // stored at the end of the file

    // A later file cannot add more either.
    diags.Clear();
    ASSERT_EQ(1, Load("[MORE]\r\n+0,+0,END,0,0,0\r\n[AGAIN]\r\n+0,+0,END,0,0,0\r\n"));
    EXPECT_EQ(kMaxMotions, table.Count());
    EXPECT_EQ(2u, diags.Items().size());
    EXPECT_EQ(3, diags.Items()[0].line);
}

TEST_F(MotionTest, BuiltInMotionsOverTime)
{
    // Slot at (100, 200); icon box 64: s / 2 = 32; item 480 × 300.
    const MotionArea area{480, 300};
    struct Case {
        const char* what;
        int direction;
        std::int32_t t;
        std::uint16_t delay;
        std::int32_t x, y;
        bool result, finished;
    } cases[] = {
        {"before the start", 0, -1, 0, kOffScreen, kOffScreen, false, true},
        {"waiting: step 0's point", 0, 50, 100, 100, 332, false, false},
        {"start below the item", 0, 0, 0, 100, 332, false, false},
        {"rising", 0, 250, 0, 100, 271, false, false},
        {"10 below the slot", 0, 500, 0, 100, 210, false, false},
        {"settling", 0, 550, 0, 100, 205, false, false},
        {"delay counts", 0, 650, 100, 100, 205, false, false},
        {"on the slot", 0, 600, 0, 100, 200, false, false},
        {"at rest", 0, 601, 0, 100, 200, true, true},
        {"long after", 0, INT_MAX, 0, 100, 200, true, true},
        {"out: sinking", 1, 250, 0, 100, 266, false, false},
        {"out: below the item", 1, 501, 0, 100, 332, true, true},
    };
    for (const Case& c : cases) {
        SheetSlot slot;
        slot.x = 100;
        slot.y = 200;
        slot.delayIn = slot.delayOut = c.delay;
        IconEntry icon;
        icon.width = icon.height = 64;
        // Start from the opposite state; waiting leaves the flag as it was.
        const bool waiting = c.t >= 0 && c.t < c.delay;
        icon.flags = waiting || c.finished ? 0 : ICON_CAPTION;
        EXPECT_EQ(c.result, table.EvaluateMotion(icon, slot, c.direction, c.t, 0, 0, area)) << c.what;
        EXPECT_EQ(c.x, icon.x) << c.what;
        EXPECT_EQ(c.y, icon.y) << c.what;
        EXPECT_EQ(c.finished, (icon.flags & ICON_CAPTION) != 0) << c.what;
    }
}

TEST_F(MotionTest, FileMotionsOverTime)
{
    ASSERT_EQ(1, Load("[DOWN]\r\n:0,:700,NORMAL,500,0,0\r\n:0,:300,END,0,0,0\r\n"
                      "[NOEND]\r\n+0,+0,NORMAL,100,0,0\r\n+5,+5,NO_MOV,100,0,0\r\n"
                      "[ACC]\r\n+0,+0,ACCEL,300,-700,250\r\n+40,-90,END,0,0,0\r\n"
                      "[ZERO]\r\n+0,+0,NORMAL,0,0,0\r\n+10,+20,END,0,0,0\r\n"
                      "[ZEROA]\r\n+0,+0,ACCEL,0,5,5\r\n+30,+40,END,0,0,0\r\n"
                      "[NEG]\r\n+0,+0,NORMAL,-50,0,0\r\n+1,+1,NORMAL,100,0,0\r\n+2,+2,END,0,0,0\r\n"
                      "[LONG]\r\n:0,:0,ACCEL,2000000000,1000,0\r\n:1000,:0,END,0,0,0\r\n"
                      "[ABS]\r\n:100,:50,NO_MOV,10,0,0\r\n"));
    const MotionArea area{480, 300};
    struct Case {
        const wchar_t* motion;
        int direction;
        std::int32_t t;
        std::int32_t x, y;
        bool result, finished;
    } cases[] = {
        {L"DOWN", 0, 250, 7, 500, false, false},  // absolute numbers add the origin offset (7, 0)
        {L"DOWN", 0, 501, 7, 300, true, true},
        // Running past the last step: in ends at (0, 0), out off-screen.
        {L"NOEND", 0, 150, 15, 25, false, false},
        {L"NOEND", 0, 201, 0, 0, true, true},
        {L"NOEND", 1, 201, kOffScreen, kOffScreen, true, true},
        // ACCEL starts with its speed and ends exactly on Q.
        {L"ACC", 0, 0, 10, 20, false, false},
        {L"ACC", 0, 100, 10 - 70 + (40 + 210) / 9, 20 + 25 + (-90 - 75) / 9, false, false},
        {L"ACC", 0, 300, 50, -70, false, false},
        // A step of no length has arrived at once (no division by zero).
        {L"ZERO", 0, 0, 20, 40, false, false},
        {L"ZEROA", 0, 0, 40, 60, false, false},
        {L"NEG", 0, 10, 11, 21, false, false},  // never stops on a negative step
        // A long ACCEL step: t² × (Q − P) outgrows 64 bits.
        {L"LONG", 0, 1000000000, 7 + 500000250, 0, false, false},
        {L"LONG", 0, 2000000000, 1007, 0, false, false},
        {L"ABS", 0, 5, 107, 50, false, false},
    };
    for (const Case& c : cases) {
        SheetSlot slot;
        slot.x = 10;
        slot.y = 20;
        slot.motionIn = slot.motionOut = table.FindMotion(c.motion, 0);
        ASSERT_NE(0, slot.motionIn) << c.motion;
        IconEntry icon;
        icon.width = icon.height = 64;
        icon.flags = c.finished ? 0 : ICON_CAPTION;
        EXPECT_EQ(c.result, table.EvaluateMotion(icon, slot, c.direction, c.t, 7, 0, area)) << c.motion << c.t;
        EXPECT_EQ(c.x, icon.x) << c.motion << " " << c.t;
        EXPECT_EQ(c.y, icon.y) << c.motion << " " << c.t;
        EXPECT_EQ(c.finished, (icon.flags & ICON_CAPTION) != 0) << c.motion << c.t;
    }
}

TEST_F(MotionTest, AnchorsMeasureTheItemAndTheIcon)
{
    // Item 480 × 300, icon box 60 × 40 (unsigned 16-bit, halved by a shift).
    const MotionArea area{480, 300};
    struct Case {
        const char* spec;
        std::int32_t x, y;
    } cases[] = {
        {":VCENTER", 150, 150}, {":CENTER", 240, 240},    {":TOPIN", 30, 20},      {":TOPOUT", -30, -20},
        {":BOTTOMIN", 270, 280}, {":BOTTOMOUT", 330, 320}, {":LEFTIN", 30, 20},    {":LEFTOUT", -30, -20},
        {":RIGHTIN", 450, 460}, {":RIGHTOUT", 510, 500},  {":WIDTH", 480, 480},    {":HEIGHT", 300, 300},
        {"-WIDTH", 1000 - 480, 2000 - 480},  // relative to the slot
        {"+LEFTOUT", 1000 - 30, 2000 - 20},
        {":5", 5 + 3, 5 + 4},  // plain absolute numbers add the origin offsets
        {"-5", 1000 - 5, 2000 - 5},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(1, Load("[A]\r\n" + std::string(c.spec) + "," + c.spec + ",NO_MOV,10,0,0\r\n"));
        SheetSlot slot;
        slot.x = 1000;
        slot.y = 2000;
        slot.motionIn = table.FindMotion(L"A", 0);
        IconEntry icon;
        icon.width = 60;
        icon.height = 40;
        table.EvaluateMotion(icon, slot, 0, 1, 3, 4, area);
        EXPECT_EQ(c.x, icon.x) << c.spec;
        EXPECT_EQ(c.y, icon.y) << c.spec;
    }
    // A box not yet laid out (-1) reads as 65535.
    ASSERT_EQ(1, Load("[A]\r\n:LEFTOUT,:0,NO_MOV,10,0,0\r\n"));
    SheetSlot slot;
    slot.motionIn = table.FindMotion(L"A", 0);
    IconEntry icon;
    table.EvaluateMotion(icon, slot, 0, 1, 0, 0, area);
    EXPECT_EQ(-32767, icon.x);
}
