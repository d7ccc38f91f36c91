#include "GdiCount.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace {

// An entry of the GDI handle table (x64 layout, the same in Wine).
struct GdiTableEntry {
    std::uint64_t kernelObject;
    std::uint16_t processId;
    std::uint16_t count;
    std::uint16_t unique;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiTableEntry) == 24);

constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64
constexpr unsigned kGdiTableEntries = 0x10000;

}  // namespace

unsigned long GdiObjectCount()
{
    // Wine makes a few objects of its own the first time a DC is made; they
    // stay for good and are nobody's leak.
    static const bool warmedUp = [] {
        ::DeleteDC(::CreateCompatibleDC(nullptr));
        ::ReleaseDC(nullptr, ::GetDC(nullptr));
        return true;
    }();
    (void)warmedUp;
    return GdiObjectCount(::GetCurrentProcess());
}

namespace {

// The process's GDI handle table, read from its memory; empty when it
// cannot be read.
std::vector<GdiTableEntry> GdiTable(HANDLE process)
{
    PROCESS_BASIC_INFORMATION info = {};
    if (!NT_SUCCESS(::NtQueryInformationProcess(process, ProcessBasicInformation, &info, sizeof(info), nullptr)))
        return {};
    const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
    const void* table = nullptr;
    if (!::ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof(table), nullptr) || !table)
        return {};
    std::vector<GdiTableEntry> entries(kGdiTableEntries);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiTableEntry), nullptr))
        return {};
    return entries;
}

}  // namespace

unsigned long GdiObjectCount(HANDLE process)
{
    if (const DWORD n = ::GetGuiResources(process, GR_GDIOBJECTS))
        return n;
    unsigned long used = 0;
    for (const GdiTableEntry& entry : GdiTable(process))
        used += entry.type != 0;
    return used;
}

std::array<unsigned long, 256> GdiObjectTypes(HANDLE process)
{
    std::array<unsigned long, 256> counts = {};
    for (const GdiTableEntry& entry : GdiTable(process))
        counts[entry.type] += entry.type != 0;
    return counts;
}
