// How loading the configuration scales.
//
// Generates a large installation (hundreds of pages, 127-slot sheets, 256
// motions, tens of thousands of icon lines) and one ten times smaller, then
// measures in the same run (each ratio the median of rounds whose two
// sides were measured right after each other):
//  - the whole load (setting file, motions, sheets, pages) against reading the
//    same files' lines with CTextFile alone: what parsing costs over I/O;
//  - the large load against the small one: the cost must grow linearly (10x).
// Both are measured twice. First with the C library's default, which gives
// the pages of a freed configuration back to the system, so that each load
// of the large one first takes tens of megabytes of fresh pages from the
// kernel (each page a fault, zero-filled): that cost grows with the memory a
// configuration holds, not with parsing. Then as a process that keeps its
// heap's pages from one load to the next, as a long-running host may: there
// the ratios count the loaders' own work.
#include "FileSys.h"
#include "config/ConfigLoad.h"
#include "config/Folders.h"
#include "config/Motion.h"
#include "config/Page.h"
#include "config/Setting.h"
#include "config/Sheet.h"
#include "config/TextFile.h"

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Size {
    int pages, iconsPerPage, sheets, motions;
};

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// An installation of the given size under root/Program Files/Orvane.
void Generate(const fs::path& root, const Size& size)
{
    const fs::path dir = root / "Program Files" / "Orvane";
    fs::create_directories(dir);
    fs::copy_file(fs::path(ORV_SAMPLE_DIR) / "OrvaneSetInfoEng.ini", dir / "OrvaneSetInfoEng.ini",
                  fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(ORV_SAMPLE_DIR) / "OrvaneSetInfo.ini", dir / "OrvaneSetInfo.ini",
                  fs::copy_options::overwrite_existing);
    WriteText(dir / "Orvane.ini", "RefSize=480\r\nScreenSize=480\r\n");

    std::ostringstream motion;
    for (int m = 0; m < size.motions; ++m) {
        motion << "[MOV_" << m << "]\r\n";
        motion << "+0,:BOTTOMOUT,NORMAL," << 300 + m % 200 << ",0,0\r\n";
        motion << "-LEFTOUT,+10,ACCEL,200,-400,0\r\n";
        motion << "+0,+" << m % 20 << ",NORMAL,100,0,0\r\n";
        motion << "+0,+0,END,500,0,0\r\n";
    }
    WriteText(dir / "Motion.ini", motion.str());

    std::ostringstream sheet;
    sheet << "[F_ROUND]\r\n-44,-48\r\n44,48\r\n[F_HEX]\r\n-40,-20\r\n0,-46\r\n40,-20\r\n40,30\r\n0,52\r\n-40,30\r\n";
    sheet << "[SHEET_DEF]\r\n";
    for (int s = 0; s < size.sheets; ++s) {
        sheet << "[SHEET_" << s << "]\r\n";
        for (int i = 0; i < 127; ++i) {
            sheet << 48 + (i % 10) * 96 << ',' << 50 + (i / 10) * 100 << ',' << i * 20 << ",0,MOV_"
                  << (i * 7 + s) % size.motions << ",DMOV_OUT," << (i % 2 ? "F_HEX" : "F_ROUND") << ",64\r\n";
            if (i % 10 == 9)
                sheet << ";CR\r\n";
        }
    }
    WriteText(dir / "Sheet.ini", sheet.str());

    std::ostringstream mng, page;
    for (int p = 0; p < size.pages; ++p) {
        mng << "1,PAGE_" << p << "\r\n";
        page << "[PAGE_" << p << "]\r\nSHEET_" << p % size.sheets << ",0,0\r\nSHEET_" << (p + 1) % size.sheets
             << ",0,0\r\n";
        for (int i = 0; i < size.iconsPerPage; ++i)
            page << (i % 7 == 6 ? 6 : 1) << ",Program " << p << '-' << i << ",\\Program Files\\App" << i
                 << "\\app.exe,/arg " << i << ",\\\\Icon\\IconApp0.bmp,0,----;;\r\n";
        page << "\r\n";
    }
    WriteText(dir / "PageMng.ini", mng.str());
    WriteText(dir / "Page.ini", page.str());
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// Reads every configuration file's lines, as the loaders' I/O alone.
size_t ReadOnly()
{
    size_t lines = 0;
    for (const wchar_t* name : {L"OrvaneSetInfoEng.ini", L"Orvane.ini", L"Motion.ini", L"Sheet.ini", L"PageMng.ini",
                                L"Page.ini"}) {
        CTextFile file;
        if (!file.OpenRead(std::wstring(kInstallFolder) + L"\\" + name))
            continue;
        std::wstring line;
        while (file.ReadLine(line))
            ++lines;
    }
    return lines;
}

size_t FullLoad()
{
    CConfiguration config;
    size_t icons = 0;
    for (const auto& [name, p] : config.pages.m_Pages)
        icons += p->icons.entries.size();
    return icons + config.motions.Count() + config.sheet->Sheets().size();
}

// Seconds for one call of f.
template <class F>
double Time(F f)
{
    const auto a = Clock::now();
    volatile size_t sink = f();
    (void)sink;
    return Seconds(a, Clock::now());
}

std::uintmax_t Bytes(const fs::path& root)
{
    std::uintmax_t bytes = 0;
    for (const auto& e : fs::directory_iterator(root / "Program Files" / "Orvane"))
        bytes += e.file_size();
    return bytes;
}

void UseRoot(const fs::path& root)
{
    ClearDeviceMounts();
    SetDeviceRoot(root.wstring());
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The machine is shared: every ratio is taken from measurements made right
// after each other (the large load and its read, then the small one's, ten
// times over), and the median of the rounds' ratios is printed.
struct Ratios {
    double largeParse = 0, smallParse = 0, growth = 0, largeLoad = 0, largeRead = 0;
};

Ratios Measure(const fs::path& large, const fs::path& small, int rounds)
{
    constexpr int kSmallRuns = 10;  // the small installation's times are summed over these
    std::vector<double> largeParse, smallParse, growth, largeLoads, largeReads;
    for (const fs::path& root : {large, small}) {
        UseRoot(root);
        FullLoad();  // warm the file cache
    }
    for (int r = 0; r < rounds; ++r) {
        UseRoot(large);
        const double read = Time(ReadOnly), load = Time(FullLoad);
        UseRoot(small);
        double smallRead = 0, smallLoad = 0;
        for (int i = 0; i < kSmallRuns; ++i) {
            smallRead += Time(ReadOnly);
            smallLoad += Time(FullLoad);
        }
        largeParse.push_back(load / read);
        smallParse.push_back(smallLoad / smallRead);
        growth.push_back(load / (smallLoad / kSmallRuns));
        largeLoads.push_back(load);
        largeReads.push_back(read);
    }
    return {Median(largeParse), Median(smallParse), Median(growth), Median(largeLoads), Median(largeReads)};
}

}  // namespace

int main()
{
    std::random_device rd;
    const fs::path base = fs::temp_directory_path() / ("orvane-bench-" + std::to_string(rd()));
    const Size large{400, 100, 200, 254};  // 254 + the two built-in motions = 256
    const Size small{40, 100, 20, 25};  // a tenth of each part
    Generate(base / "large", large);
    Generate(base / "small", small);

    const std::uintmax_t largeBytes = Bytes(base / "large"), smallBytes = Bytes(base / "small");
    const Ratios cold = Measure(base / "large", base / "small", 9);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);  // from now on the heap keeps its pages
    const Ratios r = Measure(base / "large", base / "small", 9);
    ClearDeviceMounts();
    fs::remove_all(base);

    std::printf("large installation: %.1f MB, %d pages x %d icons, %d sheets x 127 slots, %d motions\n",
                static_cast<double>(largeBytes) / 1e6, large.pages, large.iconsPerPage, large.sheets,
                large.motions + 2);
    std::printf("  parse throughput: the full load takes %.2f times as long as reading its lines (%.0f vs %.0f ms)\n",
                r.largeParse, r.largeLoad * 1e3, r.largeRead * 1e3);
    std::printf("small installation: %.2f MB, ten times smaller\n", static_cast<double>(smallBytes) / 1e6);
    std::printf("  parse throughput: the full load takes %.2f times as long as reading its lines\n", r.smallParse);
    std::printf("growth: large / small load time = %.2f for %.2f times the bytes (linear: the same)\n", r.growth,
                static_cast<double>(largeBytes) / static_cast<double>(smallBytes));
    std::printf("with the heap giving its pages back after each load (the C library's default):\n"
                "  large %.2f, small %.2f times the read; growth %.2f\n",
                cold.largeParse, cold.smallParse, cold.growth);
    return 0;
}
