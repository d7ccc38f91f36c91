// Any sheet file over the built-in frames and sheets: loading never
// crashes, every sheet keeps to 127 slots with links, first and last slot
// inside it, indexes of frames and motions stay valid, and SetCurSheet
// works on every sheet with any number of icons.
#include "FuzzDevice.h"
#include "config/IconEntry.h"
#include "config/Motion.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kScales[][2] = {{480, 480}, {240, 480}, {480, 240}, {1, 2000000000}};

const char kMotions[] = "[A]\r\n+0,+0,END,0,0,0\r\n[B]\r\n-LEFTOUT,+0,ACCEL,300,-500,0\r\n+0,+0,END,0,0,0\r\n";

// A setting object whose 49 settings are plain numbers.
CSetting& Setting()
{
    static CSetting* setting = [] {
        std::string defs;
        for (int i = 0; i < Set::Count; ++i)
            defs += "S" + std::to_string(i) + "=0,0,L,INT,0;9;1;1,H\r\n";
        WriteFuzzFile(L"\\Program Files\\Orvane\\OrvaneSetInfoEng.ini",
                      reinterpret_cast<const std::uint8_t*>(defs.data()), defs.size());
        WriteFuzzFile(L"\\Program Files\\Orvane\\OrvaneSetInfo.ini",
                      reinterpret_cast<const std::uint8_t*>(defs.data()), defs.size());
        return new CSetting();
    }();
    return *setting;
}

const CMotionTable& Motions()
{
    static CMotionTable* motions = [] {
        auto* table = new CMotionTable();
        table->InitDefaultMotions();
        WriteFuzzFile(L"\\Motion.ini", reinterpret_cast<const std::uint8_t*>(kMotions), sizeof(kMotions) - 1);
        table->LoadMotionFile(L"\\Motion.ini", Setting());
        return table;
    }();
    return *motions;
}

bool LinkInside(std::uint8_t link, size_t count)
{
    return link == kNoLink || static_cast<size_t>(link & ~kLinkWrap) < count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CSetting& setting = Setting();
    const CMotionTable& motions = Motions();
    FuzzedDataProvider in(data, size);
    const auto& scale = kScales[in.ConsumeIntegralInRange<int>(0, 3)];
    setting.m_nSetting3 = scale[0];
    setting.m_nShortSide = scale[1];
    for (const int index : {Set::FramePeriod, Set::ZoomTime, Set::ScrollPitch, Set::GlideFactor})
        setting.SetNum(index, in.ConsumeIntegral<std::int32_t>());
    const size_t iconCount = in.ConsumeIntegralInRange<size_t>(0, 300);
    const int firstSlot = in.ConsumeIntegralInRange<int>(-2, 200);
    const std::vector<std::uint8_t> file = in.ConsumeRemainingBytes<std::uint8_t>();
    WriteFuzzFile(L"\\Sheet.ini", file.data(), file.size());

    CSheet sheets(setting, motions);
    if (sheets.m_nGlideFactor < 0 || sheets.m_nGlideFactor > 1000 || sheets.m_nZoomSteps < 0)
        std::abort();
    CDiagList diags;
    // Twice, as a normal and as a task sheet file: names are taken over,
    // frames pile up towards their limit.
    sheets.LoadSheetFile(L"\\Sheet.ini", SHEET_NORMAL, &diags);
    sheets.LoadSheetFile(L"\\Sheet.ini", SHEET_TASK, &diags);

    const size_t frames = sheets.Frames().size();
    if (frames > kMaxFrames || frames < 1)
        std::abort();
    for (const auto& [name, index] : sheets.FrameNames())
        if (index >= frames)
            std::abort();
    for (const auto& [name, def] : sheets.Sheets()) {
        const size_t n = def.slots.size();
        if (n < 1 || n > kMaxSheetSlots || def.firstSlot >= n || def.lastSlot >= n)
            std::abort();
        for (const SheetSlot& s : def.slots) {
            if (!LinkInside(s.linkUp, n) || !LinkInside(s.linkDown, n))
                std::abort();
            if (s.frame >= frames || s.motionIn >= motions.Count() || s.motionOut >= motions.Count())
                std::abort();
        }
    }

    IconList icons;
    icons.entries.resize(iconCount);
    std::vector<std::wstring> names{L"no such sheet"};
    for (const auto& [name, def] : sheets.Sheets())
        names.push_back(name);
    for (const std::wstring& name : names) {
        for (const bool task : {false, true}) {
            sheets.SetCurSheet(name, &icons, firstSlot, task);
            const SheetLayer& layer = sheets.m_Layers[0];
            if (!layer.sheet || layer.slotCount != static_cast<int>(layer.sheet->slots.size()))
                std::abort();
            if (sheets.m_nStartSlot < 0 || sheets.m_nStartSlot > layer.slotCount)
                std::abort();
            if (layer.overflow != (layer.slotCount < static_cast<int>(iconCount)))
                std::abort();
        }
    }
    return 0;
}
