// Any date-text pattern, date picture and caption format, over any time and
// any registry value: formatting never crashes, never reads past its input
// and never gives more than its cap.
#include "panels/DateText.h"
#include "panels/RegText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring Text(FuzzedDataProvider& in, size_t max)
{
    std::wstring out;
    for (size_t n = in.ConsumeIntegralInRange<size_t>(0, max); n > 0 && in.remaining_bytes() > 0; --n)
        out += static_cast<wchar_t>(in.ConsumeIntegralInRange<unsigned>(1, 0x7F) == 0x7F
                                        ? 0x3042
                                        : in.ConsumeIntegralInRange<unsigned>(1, 0x7E));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const PanelTime t = MakePanelTime(in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(),
                                      in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>());
    DateNames names = CLocaleDateNames();
    names.shortDate = Text(in, 16);
    names.zoneBias = in.ConsumeIntegral<int>();
    const std::wstring pattern = Text(in, 300);
    if (FormatDateText(pattern, t, names).size() > kDateTextMax)
        std::abort();
    if (FormatDatePicture(pattern, t, names).size() > kDateTextMax)
        std::abort();

    RegValueData value;
    value.kind = static_cast<RegValueData::Kind>(in.ConsumeIntegralInRange<int>(0, 2));
    value.number = in.ConsumeIntegral<std::int32_t>();
    value.text = Text(in, 300);
    const std::uint8_t mode = in.ConsumeIntegralInRange<std::uint8_t>(0, 5);
    if (RegValueText(mode, Text(in, 300), value).size() > kRegTextMax)
        std::abort();
    return 0;
}
