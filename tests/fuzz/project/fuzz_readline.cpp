// Any bytes read as lines: no overrun, every line within its limit.
#include "FuzzDevice.h"
#include "config/TextFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteFuzzFile(L"\\f.txt", data, size);
    CDiagList diags;
    CTextFile file(&diags);
    if (!file.OpenRead(L"\\f.txt"))
        return 0;
    std::wstring line;
    int lines = 0;
    while (file.ReadLine(line)) {
        if (line.size() > CTextFile::kMaxLineBytes)
            std::abort();
        ++lines;
    }
    if (lines > static_cast<int>(size) + 1)
        std::abort();  // every line but the last needs at least one byte
    return 0;
}
