// Sheet files, the built-in frames and sheets, slot links and SetCurSheet.
#include "DeviceSandbox.h"
#include "TestConfig.h"
#include "base/Log.h"
#include "config/IconEntry.h"
#include "config/Motion.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t kFile[] = L"\\Sheet.ini";

// A definition file of 49 numbers: index i defaults to values[i], or 0.
class SheetTest : public ::testing::Test {
protected:
    void SetUp() override { UseSettings({}); }

    // Settings 3 and 4 are 480 unless given.
    void UseSettings(std::map<int, int> values)
    {
        values.emplace(Set::RefSize, 480);
        values.emplace(Set::ScreenSize, 480);
        WriteDefinitions(dev, NumberDefinitions(values, 0));
        sheets.reset();
        setting = std::make_unique<CSetting>();
        setting->Load();
        motions.InitDefaultMotions();
        dev.WriteFile(L"\\Motion.ini", "[MOVE_A]\r\n+0,+0,END,0,0,0\r\n[" + std::string(63, 'M') +
                                           "]\r\n+0,+0,END,0,0,0\r\n");
        motions.LoadMotionFile(L"\\Motion.ini", *setting);
        sheets = std::make_unique<CSheet>(*setting, motions);
    }
    int Load(const std::string& text, std::uint8_t type = SHEET_NORMAL)
    {
        dev.WriteFile(kFile, text);
        return sheets->LoadSheetFile(kFile, type, &diags);
    }
    const SheetDef& Sheet(const std::wstring& name)
    {
        static const SheetDef none;
        const SheetDef* def = sheets->FindSheet(name);
        return def ? *def : none;
    }

    CDeviceSandbox dev;
    std::unique_ptr<CSetting> setting;
    CMotionTable motions;
    std::unique_ptr<CSheet> sheets;
    CDiagList diags;
};


// A slot list from (x, y) per row, columns counted per row.
SheetDef Rows(const std::vector<std::vector<std::pair<int, int>>>& rows)
{
    SheetDef def;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            SheetSlot s;
            s.x = rows[r][c].first;
            s.y = rows[r][c].second;
            s.row = static_cast<std::uint8_t>(r);
            s.column = static_cast<std::uint8_t>(c);
            def.slots.push_back(s);
        }
    }
    return def;
}

constexpr int W = kLinkWrap;

}  // namespace

TEST_F(SheetTest, BuiltInsAreScaledLikeFileValues)
{
    struct Case {
        int ref, screen, factor;
    } cases[] = {{480, 480, 1}, {240, 480, 2}};
    for (const Case& c : cases) {
        UseSettings({{Set::RefSize, c.ref}, {Set::ScreenSize, c.screen}});
        ASSERT_EQ(1u, sheets->Frames().size());
        const SheetFrame& f = sheets->Frames()[0];
        EXPECT_EQ(0, sheets->FrameIndex(L"F_DEF"));
        ASSERT_EQ(2u, f.points.size());
        EXPECT_EQ(-48 * c.factor, f.minX);
        EXPECT_EQ(-52 * c.factor, f.minY);
        EXPECT_EQ(48 * c.factor, f.maxX);
        EXPECT_EQ(52 * c.factor, f.maxY);

        const SheetDef& def = Sheet(L"S_DEF");
        ASSERT_EQ(10u, def.slots.size());
        EXPECT_EQ(SHEET_NORMAL, def.type);
        const SheetSlot& s6 = def.slots[6];
        EXPECT_EQ(144 * c.factor, s6.x);
        EXPECT_EQ(158 * c.factor, s6.y);
        EXPECT_EQ(1, s6.row);
        EXPECT_EQ(1, s6.column);  // columns restart per row
        EXPECT_EQ(64 * c.factor, s6.size);
        EXPECT_EQ(0, s6.motionIn);
        EXPECT_EQ(1, s6.motionOut);
        EXPECT_EQ(0, s6.frame);
        EXPECT_EQ(0, def.firstSlot);
        EXPECT_EQ(9, def.lastSlot);

        const SheetDef& task = Sheet(L"S_TASK");
        ASSERT_EQ(18u, task.slots.size());
        EXPECT_EQ(SHEET_TASK, task.type);
        EXPECT_EQ(552 * c.factor, task.slots[7].x);
        EXPECT_EQ(48 * c.factor, task.slots[7].size);
        EXPECT_EQ(1, task.slots[8].row);
        EXPECT_EQ(8, task.slots[8].column);  // the column counter runs on
        EXPECT_EQ(17, task.slots[17].column);
        EXPECT_EQ(912 * c.factor, task.slots[17].x);
        EXPECT_EQ(250 * c.factor, task.slots[17].y);
        EXPECT_EQ(72 * c.factor, task.slots[17].size);
    }
}

TEST_F(SheetTest, DefaultSheetLinksWrapBetweenItsRows)
{
    const SheetDef& def = Sheet(L"S_DEF");
    // Up from row 0 and down from row 1 run against the slot order.
    const int up[] = {5 | W, 6 | W, 7 | W, 8 | W, 9 | W, 0, 1, 2, 3, 4};
    const int down[] = {5, 6, 7, 8, 9, 0 | W, 1 | W, 2 | W, 3 | W, 4 | W};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(up[i], def.slots[static_cast<size_t>(i)].linkUp) << i;
        EXPECT_EQ(down[i], def.slots[static_cast<size_t>(i)].linkDown) << i;
    }
}

TEST(SheetLinkTest, NearestSlotOfTheNextRow)
{
    struct Case {
        const char* what;
        SheetDef def;
        int first, last;
        std::vector<int> up, down;
    } cases[] = {
        {"a single row leads to itself", Rows({{{0, 0}, {100, 0}, {200, 0}}}), 0, 2, {0, 1, 2}, {0, 1, 2}},
        // Slot 4 lies 100 from slots 0 and 2, one column from each: the
        // later one wins.
        {"exact tie: the later slot",
         Rows({{{0, 0}, {500, 0}, {200, 0}}, {{900, 100}, {100, 100}}}),
         0, 4, {4 | W, 4 | W, 4 | W, 1, 2}, {4, 4, 4, 1 | W, 2 | W}},
        // 50 and 51 away count as equal; then the nearer column wins.
        {"within a pixel: by column",
         Rows({{{0, 0}, {101, 0}}, {{1000, 100}, {50, 100}}}),
         0, 3, {3 | W, 3 | W, 1, 1}, {3, 3, 1 | W, 1 | W}},
        // Slot 1 itself picks slot 5 going down (a tie, later wins), but
        // slot 3, tied and linked later, takes the way back.
        {"the way back is filled by the slot linked last",
         Rows({{{500, 0}, {0, 0}, {60, 0}}, {{-50, 100}, {700, 100}, {50, 100}}}),
         0, 5, {4 | W, 3 | W, 5 | W, 1, 0, 2}, {4, 3, 5, 1 | W, 0 | W, 2 | W}},
        // The upper row comes second in the file: it starts the order.
        {"first slot is the top-most row start",
         Rows({{{0, 200}, {100, 200}}, {{0, 100}, {100, 100}}}),
         2, 1, {2, 3, 0 | W, 1 | W}, {2 | W, 3 | W, 0, 1}},
        {"rows of different length",
         Rows({{{0, 0}, {100, 0}, {200, 0}, {300, 0}}, {{150, 100}}, {{0, 200}, {300, 200}}}),
         0, 6, {5 | W, 5 | W, 6 | W, 6 | W, 1, 4, 4}, {4, 4, 4, 4, 5, 0 | W, 3 | W}},
    };
    for (Case& c : cases) {
        LinkSheetSlots(c.def);
        EXPECT_EQ(c.first, c.def.firstSlot) << c.what;
        EXPECT_EQ(c.last, c.def.lastSlot) << c.what;
        ASSERT_EQ(c.up.size(), c.def.slots.size()) << c.what;
        for (size_t i = 0; i < c.def.slots.size(); ++i) {
            EXPECT_EQ(c.up[i], c.def.slots[i].linkUp) << c.what << ", up from " << i;
            EXPECT_EQ(c.down[i], c.def.slots[i].linkDown) << c.what << ", down from " << i;
        }
    }
    SheetDef empty;
    LinkSheetSlots(empty);
    EXPECT_EQ(0, empty.firstSlot);
    EXPECT_EQ(0, empty.lastSlot);
}

TEST_F(SheetTest, FileLines)
{
    ASSERT_EQ(1, Load("; frames\r\n"                                       // 1
                      "[F_A]\r\n"                                          // 2
                      "  -10,-20\r\n"                                      // 3
                      "30,5\r\n"                                           // 4
                      "[F_EMPTY]\r\n"                                      // 5: no points, not stored
                      "[F_B]\r\n"                                          // 6
                      "1,1\r\n"                                            // 7
                      "one point\r\n"                                      // 8: reported
                      "[SHEET_DEF]\r\n"                                    // 9
                      "[S_ONE]\r\n"                                        // 10
                      "48,52,0,0,MOVE_A,NOPE,F_B,0\r\n"                    // 11
                      ";CR\r\n"                                            // 12
                      ";CR\r\n"                                            // 13: no empty row
                      "144,52,70000,5,DMOV_IN,DMOV_OUT,NOFRAME,32\r\n"     // 14
                      "; comment\r\n"                                      // 15
                      "   \r\n"                                            // 16: a break too
                      "240,52,0,0,DMOV_IN,DMOV_OUT,F_A\r\n"                // 17: no size: 64
                      "240,52,0,0,DMOV_IN,DMOV_OUT,F_A,64\r\n"             // 18
                      "x[S_BAD]\r\n"                                       // 19: ends S_ONE
                      "[S_TWO]\r\n"                                        // 20
                      "10,10,0,0,A,B,C,64\r\n"                             // 21
                      "[S_EMPTY]\r\n",                                     // 22
                      SHEET_TASK));
    ASSERT_EQ(3u, sheets->Frames().size());
    const int a = sheets->FrameIndex(L"F_A"), b = sheets->FrameIndex(L"F_B");
    ASSERT_EQ(1, a);
    ASSERT_EQ(2, b);
    EXPECT_EQ(-1, sheets->FrameIndex(L"F_EMPTY"));
    const SheetFrame& fa = sheets->Frames()[1];
    EXPECT_EQ((std::vector<int>{-10, -20, 30, 5}), (std::vector<int>{fa.minX, fa.minY, fa.maxX, fa.maxY}));

    const SheetDef& one = Sheet(L"S_ONE");
    ASSERT_EQ(4u, one.slots.size()) << Reasons(diags);
    EXPECT_EQ(SHEET_TASK, one.type);
    EXPECT_EQ(64, one.slots[0].size);  // 0 means 64
    EXPECT_EQ(motions.FindMotion(L"MOVE_A", 0), one.slots[0].motionIn);
    EXPECT_EQ(1, one.slots[0].motionOut);  // unknown: DMOV_OUT
    EXPECT_EQ(b, one.slots[0].frame);
    EXPECT_EQ(1, one.slots[1].row);
    EXPECT_EQ(0, one.slots[1].column);
    EXPECT_EQ(70000 - 65536, one.slots[1].delayIn);  // 16 bits
    EXPECT_EQ(5, one.slots[1].delayOut);
    EXPECT_EQ(0, one.slots[1].frame);  // unknown: F_DEF
    EXPECT_EQ(32, one.slots[1].size);
    EXPECT_EQ(2, one.slots[2].row);
    EXPECT_EQ(a, one.slots[2].frame);
    EXPECT_EQ(64, one.slots[2].size);
    EXPECT_EQ(2, one.slots[3].row);
    ASSERT_EQ(1u, Sheet(L"S_TWO").slots.size());
    EXPECT_EQ(nullptr, sheets->FindSheet(L"S_EMPTY"));
    EXPECT_EQ(4u, sheets->Sheets().size());

    // Skipped lines, and each name that fell back to a built-in.
    std::vector<int> lines;
    for (const Diagnostic& d : diags.Items())
        lines.push_back(d.line);
    EXPECT_EQ((std::vector<int>{8, 11, 14, 21, 21, 21}), lines) << Reasons(diags);

    // Short slot lines: a position is a slot, anything less is dropped.
    diags.Clear();
    ASSERT_EQ(1, Load("[SHEET_DEF]\r\n[S_SHORT]\r\n10,20\r\n30,40,1\r\n50\r\n,60\r\n", SHEET_NORMAL));
    const SheetDef& shortSheet = Sheet(L"S_SHORT");
    ASSERT_EQ(2u, shortSheet.slots.size());
    EXPECT_EQ(1, shortSheet.slots[1].delayIn);
    EXPECT_EQ(0, shortSheet.slots[1].delayOut);
    EXPECT_EQ(2u, diags.Items().size()) << Reasons(diags);
}

TEST_F(SheetTest, LaterDefinitionsTakeTheNameOver)
{
    ASSERT_EQ(1, Load("[F_A]\r\n1,1\r\n[F_A]\r\n2,2\r\n[SHEET_DEF]\r\n"
                      "0,0,0,0,DMOV_IN,DMOV_OUT,F_A,64\r\n"  // before any header: the sheet with no name
                      "[S_DEF]\r\n5,5,0,0,DMOV_IN,DMOV_OUT,F_A,64\r\n"));
    EXPECT_EQ(3u, sheets->Frames().size());
    EXPECT_EQ(2, sheets->FrameIndex(L"F_A"));
    EXPECT_EQ(2, Sheet(L"").slots.at(0).frame);
    ASSERT_EQ(1u, Sheet(L"S_DEF").slots.size());
    EXPECT_EQ(5, Sheet(L"S_DEF").slots[0].x);
    EXPECT_TRUE(diags.Empty()) << Reasons(diags);
}

TEST_F(SheetTest, FileWithoutSheetDefDefinesFramesOnly)
{
    ASSERT_EQ(1, Load("[F_A]\r\n1,1\r\n[S_X]\r\n0,0,0,0,DMOV_IN,DMOV_OUT,F_A,64\r\n"));
    EXPECT_EQ(2u, sheets->Sheets().size());
    EXPECT_EQ(nullptr, sheets->FindSheet(L"S_X"));
    EXPECT_EQ(2, sheets->FrameIndex(L"S_X"));  // "[S_X]" was a frame, its slot line a point
}

TEST_F(SheetTest, MissingFileReadsNothingAndReportsNothing)
{
    EXPECT_EQ(0, sheets->LoadSheetFile(L"\\none.ini", SHEET_NORMAL, &diags));
    dev.MakeFolder(L"\\Folder.ini");
    EXPECT_EQ(0, sheets->LoadSheetFile(L"\\Folder.ini", SHEET_NORMAL, &diags));
    EXPECT_TRUE(diags.Empty());
}

TEST_F(SheetTest, SlotPast127IsIgnored)
{
    std::string text = "[SHEET_DEF]\r\n[BIG]\r\n";
    for (int i = 0; i < 129; ++i)
        text += std::to_string(i) + ",0,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n";
    text += "[NEXT]\r\n1,1,0,0,DMOV_IN,DMOV_OUT,F_DEF,64\r\n";
    ASSERT_EQ(1, Load(text));
    const SheetDef& big = Sheet(L"BIG");
    ASSERT_EQ(kMaxSheetSlots, big.slots.size());
    EXPECT_EQ(126, big.slots.back().x);
    for (const SheetSlot& s : big.slots) {
        EXPECT_EQ(s.linkUp, s.linkDown);  // one row: each slot leads to itself
        EXPECT_LT(s.linkUp & ~W, 127);
    }
    EXPECT_EQ(1u, Sheet(L"NEXT").slots.size());
    ASSERT_EQ(2u, diags.Items().size()) << Reasons(diags);
    EXPECT_EQ(2 + 128, diags.Items()[0].line);
    EXPECT_EQ(2 + 129, diags.Items()[1].line);
}

TEST_F(SheetTest, FramePast256IsIgnored)
{
    std::string text;
    for (int i = 0; i < 256; ++i)
        text += "[F" + std::to_string(i) + "]\r\n" + std::to_string(i) + ",0\r\n";
    text += "[SHEET_DEF]\r\n[S]\r\n0,0,0,0,DMOV_IN,DMOV_OUT,F255,64\r\n";
    ASSERT_EQ(1, Load(text));
    EXPECT_EQ(kMaxFrames, sheets->Frames().size());
    EXPECT_EQ(255, sheets->FrameIndex(L"F254"));
    EXPECT_EQ(-1, sheets->FrameIndex(L"F255"));
    EXPECT_EQ(0, sheets->FrameIndex(L"F_DEF"));
    EXPECT_EQ(0, Sheet(L"S").slots.at(0).frame);  // the lost frame falls back to F_DEF
    ASSERT_EQ(2u, diags.Items().size()) << Reasons(diags);
    EXPECT_NE(std::wstring::npos, diags.Items()[0].reason.find(L"more than 256 frames"));
    EXPECT_EQ(513, diags.Items()[0].line);  // stored when the frames part ends
    EXPECT_NE(std::wstring::npos, diags.Items()[1].reason.find(L"frame 'F255' is not defined"));
}

TEST_F(SheetTest, OverlongNamesAndSizesAreCutAndReported)
{
    UseSettings({{Set::RefSize, 240}, {Set::ScreenSize, 480}});
    const std::string motion63(63, 'M');
    ASSERT_EQ(1, Load("[SHEET_DEF]\r\n[S]\r\n"
                      "0,0,0,0," + motion63 + "XYZ,DMOV_OUT," + std::string(70, 'F') + ",200\r\n"
                      "0,0,0,0,DMOV_IN,DMOV_OUT,F_DEF,-5\r\n"
                      "0,0,0,0,DMOV_IN,DMOV_OUT,F_DEF,127\r\n"));
    const SheetDef& s = Sheet(L"S");
    ASSERT_EQ(3u, s.slots.size());
    EXPECT_EQ(motions.FindMotion(std::wstring(63, L'M'), 0), s.slots[0].motionIn);  // the cut name matches
    EXPECT_NE(0, s.slots[0].motionIn);
    EXPECT_EQ(0, s.slots[0].frame);
    EXPECT_EQ(255, s.slots[0].size);  // 400 does not fit 8 bits
    EXPECT_EQ(0, s.slots[1].size);
    EXPECT_EQ(254, s.slots[2].size);
    ASSERT_EQ(5u, diags.Items().size()) << Reasons(diags);
    EXPECT_EQ(3, diags.Items()[0].line);  // motion name
    EXPECT_EQ(3, diags.Items()[1].line);  // frame name
    EXPECT_EQ(3, diags.Items()[2].line);  // size
    EXPECT_EQ(3, diags.Items()[3].line);  // the cut frame name names no frame
    EXPECT_EQ(4, diags.Items()[4].line);
}

TEST_F(SheetTest, SetCurSheet)
{
    UseSettings({{Set::RefSize, 240}, {Set::ScreenSize, 480}, {Set::ScrollPitch, 30}});
    std::vector<std::wstring> trace;
    SetLogHook([&](const std::wstring&, const std::wstring& text) { trace.push_back(text); });
    struct Case {
        const wchar_t* name;
        int icons, first;
        bool task;
        const wchar_t* sheet;
        bool overflow;
        int start, pitch;
    } cases[] = {
        {L"S_DEF", 12, 0, false, L"S_DEF", true, 0, 192},
        {L"S_DEF", 10, 0, false, L"S_DEF", false, 0, -1},  // no overflow: pitch untouched
        {L"S_DEF", 12, 3, false, L"S_DEF", true, 3, 192},
        {L"S_DEF", 12, 50, false, L"S_DEF", true, 10, 60},  // no pair after the start: Scale(setting 45)
        {L"S_DEF", 12, -4, false, L"S_DEF", true, 0, 192},
        {L"S_TASK", 19, 0, false, L"S_TASK", true, 0, (7 * 144 + 9 * 192) / 16},
        {L"MISSING", 0, 0, false, L"S_DEF", false, 0, -1},
        {L"MISSING", 20, 9, true, L"S_TASK", true, 9, 192},
        {L"S_DEF", -1, 0, false, L"S_DEF", false, 0, -1},  // no icon list
    };
    for (const Case& c : cases) {
        IconList icons;
        icons.entries.resize(static_cast<size_t>(std::max(c.icons, 0)));
        sheets->m_nPitch = -1;
        sheets->m_nScrollSpeed = sheets->m_nScrollOffset = sheets->m_nScrollRemainder = 3;
        sheets->m_nScrollPhase = 4;
        trace.clear();
        sheets->SetCurSheet(c.name, c.icons < 0 ? nullptr : &icons, c.first, c.task);
        const SheetLayer& layer = sheets->m_Layers[0];
        ASSERT_EQ(sheets->FindSheet(c.sheet), layer.sheet) << c.name << " " << c.icons;
        EXPECT_EQ(c.icons < 0 ? nullptr : &icons, layer.icons);
        EXPECT_EQ(static_cast<int>(layer.sheet->slots.size()), layer.slotCount);
        EXPECT_EQ(std::max(c.icons, 0), layer.iconCount);
        EXPECT_EQ(c.overflow, layer.overflow) << c.name << " " << c.icons;
        EXPECT_EQ(c.start, sheets->m_nStartSlot) << c.name << " " << c.first;
        EXPECT_EQ(c.pitch, sheets->m_nPitch) << c.name << " " << c.icons << " " << c.first;
        EXPECT_EQ(0, sheets->m_nScrollSpeed + sheets->m_nScrollOffset + sheets->m_nScrollRemainder +
                         sheets->m_nScrollPhase);
        if (std::wstring(c.name) == L"MISSING")
            EXPECT_EQ(std::vector<std::wstring>{L"CSheet::SetCurSheet() NoHit:MISSING"}, trace);
        else
            EXPECT_TRUE(trace.empty());
    }
    SetLogHook({});
    EXPECT_EQ(nullptr, sheets->m_Layers[1].sheet);  // layer 1 is the engine's
}

TEST_F(SheetTest, ValuesTakenFromSettings)
{
    struct Case {
        int period, zoomTime, glide;
        int zoomSteps, glideFactor;
    } cases[] = {
        {40, 200, 500, 5, 757},    // 1000 × 0.5^0.4
        {40, 201, 500, 6, 757},    // rounded up
        {100, 300, 800, 3, 800},
        {0, 300, 800, 0, 1000},    // no period: no zoom; 0.8^0
        {-100, 300, 500, 0, 1000}, // 0.5^-1 would speed the glide up
        {40, 200, 1500, 5, 999},   // at most 0.999 kept
        {40, 200, -5, 5, 0},       // a negative base has no power
        {-100, 200, 0, 0, 1000},   // 0^-1
    };
    for (const Case& c : cases) {
        UseSettings({{Set::FramePeriod, c.period},
                     {Set::ZoomFactor, 13},
                     {Set::ZoomTime, c.zoomTime},
                     {Set::ScrollPitch, 30},
                     {Set::FlingSpeed, 7},
                     {Set::GlideFactor, c.glide},
                     {Set::RefSize, 240}});
        EXPECT_EQ(c.period, sheets->m_nFramePeriod);
        EXPECT_EQ(13, sheets->m_nZoomFactor);
        EXPECT_EQ(c.zoomSteps, sheets->m_nZoomSteps) << c.period << " " << c.zoomTime;
        EXPECT_EQ(60, sheets->m_nDefaultPitch);
        EXPECT_EQ(7, sheets->m_nFlingThreshold);
        EXPECT_EQ(c.glideFactor, sheets->m_nGlideFactor) << c.period << " " << c.glide;
    }
}
