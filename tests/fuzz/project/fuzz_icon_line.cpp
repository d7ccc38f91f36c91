// Any icon entry line: parsing never crashes, every field stays within its
// limit, and what was parsed writes and reads back unchanged.
#include "config/IconEntry.h"

#include <cstdlib>
#include <string>

namespace {

bool SameStored(const IconEntry& a, const IconEntry& b)
{
    return a.nAppType == b.nAppType && a.RegMode == b.RegMode && a.RegRoot == b.RegRoot && a.Name == b.Name &&
           a.Path == b.Path && a.Args == b.Args && a.IconFile == b.IconFile && a.RegKey == b.RegKey &&
           a.RegValue == b.RegValue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Bytes as characters: the reader hands over whatever the code page gave.
    std::wstring line;
    for (std::size_t i = 0; i < size; ++i)
        line += static_cast<wchar_t>(data[i] == 0xFE ? 0x3042 : data[i]);

    IconEntry first;
    const int ok = ParseIconEntry(first, line);
    for (const std::wstring* s : {&first.Name, &first.Path, &first.Args, &first.IconFile, &first.RegKey,
                                  &first.RegValue})
        if (s->size() > kIconFieldMax)
            std::abort();
    if (first.RegRoot > REGROOT_HKU || (ok == 0 && !first.Path.empty()))
        std::abort();
    if (!ok)
        return 0;

    const std::wstring written = FormatIconEntry(first, false);
    IconEntry second;
    if (ParseIconEntry(second, written) != 1 || !SameStored(first, second))
        std::abort();
    if (FormatIconEntry(second, true) != written + L"\r\n")
        std::abort();
    return 0;
}
