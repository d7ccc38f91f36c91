// An hour of use without growth.
//
// The sample in the real Today emulator, the item selected: an edge tap
// turns the page every second (so the Clock page's panels tick and the
// task page walks the windows, every second), the Tools strip is flung each
// time it shows, and programs with titled windows come and go. Twelve times
// in the run (every five minutes of an hour) it prints the emulator
// process's GDI objects, handles and private bytes; it passes when none of
// them ends the run above its first sample (private bytes: by more than
// 64 KiB).
// Under Wine 8, whose GetGuiResources, GetProcessHandleCount and
// GetProcessMemoryInfo answer 0, they are the used entries of the process's
// GDI handle table, its entries in the system's handle table, and its
// committed private regions (which the emulator adds up for itself). The
// resident anonymous memory the host counts (RssAnon: Wine's own
// allocations and page-level fragmentation too) and the bytes the heaps'
// busy blocks hold (what the program keeps, without the free space a peak
// leaves committed) are printed beside them.
//
//   orv_soak [MINUTES]    (2 by default; run on the test drive, as ctest does)
#include "GdiCount.h"
#include "PluginRun.h"

#include <windows.h>
#include <winternl.h>

#include <psapi.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSamples = 12;
const wchar_t kItemName[] = L"OrvSoak";
// Screen points: the item starts below the 26-pixel title strip; x 470 is
// in its right edge zone, y 126 between the icons of every page.
const char kEdgeTap[] = "tap 470 126";
const char* const kFling[] = {"press 400 236", "move 280 236 4 40", "release 280 236"};
constexpr int kPages = 6;  // the sample's page order, walked by edge taps
constexpr int kToolsPage = 1;
constexpr int kSettleMs = 2500;  // more than a walk of the windows (every second here) and its redraw

struct Sample {
    unsigned long gdi = 0;
    unsigned long handles = 0;
    unsigned long long privateBytes = 0;
    unsigned long long resident = 0;
    unsigned long long heap = 0;
    std::array<unsigned long, 256> gdiTypes = {};
};

// The system's handle table (SystemHandleInformation), as Wine keeps it.
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
};
struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

// The process's kernel handles: GetProcessHandleCount answers 0 under Wine 8,
// the system's handle table does not.
unsigned long HandleCount(HANDLE process)
{
    DWORD count = 0;
    if (::GetProcessHandleCount(process, &count) && count)
        return count;
    const DWORD pid = ::GetProcessId(process);
    std::vector<std::uint8_t> buffer(1 << 16);
    for (int tries = 0; tries < 12; ++tries) {
        ULONG needed = 0;
        const NTSTATUS status = ::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleInformation),
                                                           buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kInfoLengthMismatch) {
            buffer.resize(std::max<size_t>(buffer.size() * 2, needed));
            continue;
        }
        if (status < 0)
            return 0;
        const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
        const size_t fit = (buffer.size() - offsetof(HandleTable, entries)) / sizeof(HandleEntry);
        unsigned long n = 0;
        for (size_t i = 0; i < std::min<size_t>(table->count, fit); ++i)
            n += table->entries[i].ownerPid == pid ? 1 : 0;
        return n;
    }
    return 0;
}

// The emulator answers for its memory itself (see its "usage"): "ok usage
// private N resident M heap K".
void ReadUsage(CTodayHostRun& run, Sample& s)
{
    const std::string answer = run.Command("usage");
    unsigned long long privateBytes = 0, resident = 0, heap = 0;
    if (std::sscanf(answer.c_str(), "ok usage private %llu resident %llu heap %llu", &privateBytes, &resident,
                    &heap) == 3) {
        s.privateBytes = privateBytes;
        s.resident = resident;
        s.heap = heap;
    }
}

Sample Measure(CTodayHostRun& run)
{
    // The emulator's own read first: the first one opens a file on a drive
    // it has not used, which leaves the system's objects for that drive.
    Sample s;
    ReadUsage(run, s);
    s.gdi = GdiObjectCount(run.Process());
    s.gdiTypes = GdiObjectTypes(run.Process());
    s.handles = HandleCount(run.Process());
    return s;
}

// A program with titled windows, ended when it is replaced.
class CWindowsProgram {
public:
    explicit CWindowsProgram(int generation)
    {
        std::wstring line = L"\"" + BuildFile(L"TaskWindowsA.exe") + L"\"";
        for (int i = 0; i < 3; ++i)
            line += L" \"Soak " + std::to_wstring(generation) + L"-" + std::to_wstring(i) + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            ::WaitForInputIdle(m_pi.hProcess, 10000);
    }
    ~CWindowsProgram()
    {
        if (!m_pi.hProcess)
            return;
        ::TerminateProcess(m_pi.hProcess, 0);
        ::WaitForSingleObject(m_pi.hProcess, 10000);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
    }
    CWindowsProgram(const CWindowsProgram&) = delete;
    CWindowsProgram& operator=(const CWindowsProgram&) = delete;

private:
    PROCESS_INFORMATION m_pi = {};
};

// The sample's settings for a 480-pixel screen, walking the windows every second.
std::string SoakSettings(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream out;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("ScreenSize=", 0) == 0)
            line = "ScreenSize=480\r";
        else if (line.rfind("TaskInterval=", 0) == 0)
            line = "TaskInterval=1\r";
        out << line << '\n';
    }
    return out.str();
}

bool Send(CTodayHostRun& run, const std::string& command)
{
    const std::string answer = run.Command(command);
    if (answer.rfind("ok", 0) == 0)
        return true;
    std::fprintf(stderr, "soak: '%s' answered '%s'\n", command.c_str(), answer.c_str());
    return false;
}

// The GDI object types whose count differs between two samples: "type
// 5 (bitmap) 40 -> 42".
std::string GdiTypeChanges(const Sample& a, const Sample& b)
{
    std::string text;
    for (size_t t = 0; t < a.gdiTypes.size(); ++t)
        if (a.gdiTypes[t] != b.gdiTypes[t])
            text += " type " + std::to_string(t) + " " + std::to_string(a.gdiTypes[t]) + " -> " +
                    std::to_string(b.gdiTypes[t]) + ";";
    return text;
}

template <class T>
bool Grew(const std::vector<Sample>& samples, T Sample::*field, T slack = 0)
{
    return samples.size() > 1 && samples.back().*field > samples.front().*field + slack;
}

// Private memory moves by whole pages when the heap commits more: sixteen
// pages of it are not growth (a leak of a hundred bytes a page
// turn is ten times that in an hour).
constexpr unsigned long long kPrivateSlack = 64 * 1024;

}  // namespace

int main(int argc, char** argv)
{
    const double minutes = argc > 1 ? std::atof(argv[1]) : 2.0;
    if (!(minutes > 0) || minutes > 24 * 60) {
        std::fprintf(stderr, "usage: orv_soak [MINUTES]\n");
        return 2;
    }
    // The first sample ends the warm-up: the first interval, and in a short
    // run at least a minute (ten rounds of the pages and the windows, fewer
    // on a loaded machine), in which every page has drawn and cached its
    // pictures and the heap has grown to its working size. The rest follow
    // evenly.
    const double totalMs = minutes * 60000;
    const double warmMs = std::max(totalMs / kSamples, std::min(60000.0, totalMs / 2));
    std::vector<DWORD> dueMs;
    for (int k = 0; k < kSamples; ++k)
        dueMs.push_back(static_cast<DWORD>(warmMs + (totalMs - warmMs) * k / (kSamples - 1)));

    CPluginInstall install;
    if (!install.Ready() || !install.Write(L"Orvane.ini", SoakSettings(install.File(L"Orvane.ini")))) {
        std::fprintf(stderr, "soak: cannot install the sample on the test drive T:\n");
        return 1;
    }
    CTodayItemKey key(kItemName, install.Dll(), 1, 2);
    CTodayHostRun run(install.HostOptions(kItemName));
    if (!run.Started() || !Send(run, "wait 600") || !Send(run, "select " + NarrowText(kItemName)))
        return 1;
    // One measurement before the samples, its figures dropped: the first read
    // of the emulator's GDI table makes those pages resident in it (1.5 MB
    // of the resident column, seen right after the first sample).
    Measure(run);

    std::printf("soak: %.1f minutes, the first sample after %.1f s, then every %.1f s\n", minutes, warmMs / 1000,
                (totalMs - warmMs) / (kSamples - 1) / 1000);
    std::printf("%8s %12s %10s %14s %14s %14s\n", "minute", "GDI objects", "handles", "private bytes", "(resident)",
                "(heap in use)");
    std::fflush(stdout);
    std::vector<Sample> samples;
    std::unique_ptr<CWindowsProgram> windows;
    const DWORD start = ::GetTickCount();
    bool ok = true;
    for (int second = 0; ok && samples.size() < static_cast<size_t>(kSamples); ++second) {
        // Windows come and go: a new program each round of the pages, the
        // old one ended.
        if (second % kPages == 0) {
            windows.reset();
            windows = std::make_unique<CWindowsProgram>(second / kPages);
        }
        ok = Send(run, kEdgeTap);
        if (ok && (second + 1) % kPages == kToolsPage) {
            ok = Send(run, "wait 500");
            for (const char* step : kFling)
                ok = ok && Send(run, step);
        }
        // The rest of the second the item animates and ticks on its own.
        const DWORD due = start + static_cast<DWORD>(second + 1) * 1000;
        const DWORD now = ::GetTickCount();
        if (ok && static_cast<LONG>(due - now) > 0)
            ok = Send(run, "wait " + std::to_string(due - now));
        // Sampled at the same point of the round each time (the home page
        // next), at the first round's end after each interval: the round's
        // program ended and the windows walked since, so that the task list
        // holds the same windows (and their icons) at every sample, whatever
        // the phase of its walk against the round.
        if ((second + 1) % kPages == 0 && ::GetTickCount() - start >= dueMs[samples.size()]) {
            windows.reset();
            ok = ok && Send(run, "wait " + std::to_string(kSettleMs));
            samples.push_back(Measure(run));
            const Sample& s = samples.back();
            std::printf("%8.1f %12lu %10lu %14llu %14llu %14llu\n", (::GetTickCount() - start) / 60000.0, s.gdi,
                        s.handles, s.privateBytes, s.resident, s.heap);
            std::fflush(stdout);
        }
    }
    windows.reset();
    ok = ok && Send(run, "quit");
    run.Finish();
    if (!ok || samples.size() < static_cast<size_t>(kSamples)) {
        std::printf("soak: FAILED, the session broke off\n");
        return 1;
    }

    // After the first interval nothing may have grown.
    const bool gdiGrew = Grew(samples, &Sample::gdi);
    const bool handlesGrew = Grew(samples, &Sample::handles);
    const bool bytesGrew = Grew(samples, &Sample::privateBytes, kPrivateSlack);
    if (samples.front().gdi != samples.back().gdi)
        std::printf("soak: GDI objects by type, first to last sample:%s\n",
                    GdiTypeChanges(samples.front(), samples.back()).c_str());
    if (samples.front().gdi == 0 || samples.front().handles == 0 || samples.front().privateBytes == 0)
        std::printf("soak: note: a counter reads 0 here and proves nothing\n");
    std::printf("soak: %s (GDI objects %s, handles %s, private bytes %s after the first sample)\n",
                gdiGrew || handlesGrew || bytesGrew ? "FAILED" : "passed", gdiGrew ? "grew" : "steady",
                handlesGrew ? "grew" : "steady", bytesGrew ? "grew" : "steady");
    return gdiGrew || handlesGrew || bytesGrew ? 1 : 0;
}
