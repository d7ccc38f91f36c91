// Any motion file over the built-in motions: loading never crashes, the
// table never outgrows its 8-bit indexes, index 0 keeps the built-in
// "DMOV_IN", and every motion evaluates for any time, delay, icon box, item
// size and origin without overflow.
#include "FuzzDevice.h"
#include "config/IconEntry.h"
#include "config/Motion.h"
#include "config/Setting.h"
#include "config/Sheet.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

namespace {

// Reference and screen sizes: none, doubling, halving, and one that
// saturates every number.
const int kScales[][2] = {{480, 480}, {240, 480}, {480, 240}, {1, 2000000000}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    // The parameters come from the end of the input, the file from the rest.
    const auto& scale = kScales[in.ConsumeIntegralInRange<int>(0, 3)];
    const MotionArea area{in.ConsumeIntegral<std::int32_t>(), in.ConsumeIntegral<std::int32_t>()};
    const std::int16_t width = in.ConsumeIntegral<std::int16_t>(), height = in.ConsumeIntegral<std::int16_t>();
    const std::int32_t ox = in.ConsumeIntegral<std::int32_t>(), oy = in.ConsumeIntegral<std::int32_t>();
    SheetSlot slot;
    slot.x = in.ConsumeIntegral<std::int32_t>();
    slot.y = in.ConsumeIntegral<std::int32_t>();
    slot.delayIn = in.ConsumeIntegral<std::uint16_t>();
    slot.delayOut = in.ConsumeIntegral<std::uint16_t>();
    std::vector<std::int32_t> times = {-1, 0, 1, 100, 500, 600, 65535, 2147483647};
    for (int i = 0; i < 4; ++i)
        times.push_back(in.ConsumeIntegral<std::int32_t>());
    const std::vector<std::uint8_t> file = in.ConsumeRemainingBytes<std::uint8_t>();
    WriteFuzzFile(L"\\Motion.ini", file.data(), file.size());

    static CSetting* setting = new CSetting();  // no definitions: Scale needs only the two sizes
    setting->m_nSetting3 = scale[0];
    setting->m_nShortSide = scale[1];
    CMotionTable table;
    table.InitDefaultMotions();
    CDiagList diags;
    // Twice, so that a file of many motions reaches the limit.
    table.LoadMotionFile(L"\\Motion.ini", *setting, &diags);
    table.LoadMotionFile(L"\\Motion.ini", *setting, &diags);
    if (table.Count() > kMaxMotions || table.Count() < 2)
        std::abort();
    if (table.Get(0)->size() != 3 || table.Get(0)->at(1).y != 10)
        std::abort();
    for (const auto& [name, index] : table.Names())
        if (index >= table.Count())
            std::abort();

    IconEntry icon;
    icon.width = width;
    icon.height = height;
    for (size_t m = 0; m < table.Count(); ++m) {
        slot.motionIn = slot.motionOut = static_cast<std::uint8_t>(m);
        for (const std::int32_t t : times) {
            for (int direction = 0; direction < 2; ++direction) {
                table.EvaluateMotion(icon, slot, direction, t, ox, oy, area);
                if (t < 0 && (icon.x != kOffScreen || icon.y != kOffScreen || !(icon.flags & ICON_CAPTION)))
                    std::abort();
            }
        }
    }
    return 0;
}
