// What one frame's arithmetic costs: the engine's frame steps (both layers'
// motions, the scroll step and both layers' zoom) on a page of 127 icons
// that overflows its 120-slot sheet, while a finger drags the strip. It is
// measured against a plain loop that only copies the 127 icons' positions,
// side by side in the same run.
#include "FileSys.h"
#include "config/Folders.h"
#include "engine/LaunchCore.h"

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

constexpr int kIcons = 127;
constexpr int kSlots = 120;
constexpr int kFrames = 4000;

void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

void Generate(const fs::path& root)
{
    const fs::path dir = root / "Program Files" / "Orvane";
    fs::create_directories(dir);
    for (const char* name : {"OrvaneSetInfoEng.ini", "OrvaneSetInfo.ini", "Motion.ini"})
        fs::copy_file(fs::path(ORV_SAMPLE_DIR) / name, dir / name, fs::copy_options::overwrite_existing);
    WriteText(dir / "Orvane.ini", "RefSize=480\r\nScreenSize=480\r\nFramePeriod=30\r\nAnimSpeed=10\r\n"
                                  "ZoomFactor=12\r\nZoomTime=200\r\nScrollPitch=96\r\nFlingSpeed=8\r\n"
                                  "GlideFactor=850\r\nHeightPortrait=300\r\n");
    static const char* const kMotions[][2] = {
        {"DROP_IN", "LIFT_OUT"}, {"LEFT_IN", "LEFT_OUT"}, {"BOUNCE_IN", "FALL_OUT"}, {"POP_IN", "POP_OUT"}};
    std::ostringstream sheet;
    sheet << "[F_ROUND]\r\n-44,-46\r\n44,46\r\n[SHEET_DEF]\r\n[S_BIG]\r\n";
    for (int i = 0; i < kSlots; ++i) {
        const auto& m = kMotions[i % 4];
        sheet << 48 + (i % 5) * 96 << ',' << 50 + (i / 5 % 3) * 100 << ',' << (i % 10) * 40 << ",0," << m[0] << ','
              << m[1] << ",F_ROUND,64\r\n";
    }
    WriteText(dir / "Sheet.ini", sheet.str());
    WriteText(dir / "PageMng.ini", "1,BIG\r\n");
    std::ostringstream page;
    page << "[BIG]\r\nS_BIG,0,0\r\nS_BIG,0,0\r\n";
    for (int i = 0; i < kIcons; ++i)
        page << "1,Program " << i << ",\\Program Files\\App" << i << "\\app.exe,,,0,----;;\r\n";
    WriteText(dir / "Page.ini", page.str());
}

// A window that keeps no timers: the benchmark runs the frames itself.
class CBenchWindow : public CLaunchWindow {
public:
    void SetTimer(unsigned, unsigned) override {}
    void KillTimer(unsigned) override {}
    void Invalidate() override {}
    void Update() override {}
    int ClientWidth() const override { return 480; }
};

class CBenchLaunch : public CLaunchCore {
protected:
    void ScreenSize(int& width, int& height) const override
    {
        width = 480;
        height = 640;
    }
};

using Clock = std::chrono::steady_clock;

// One frame as the engine plays it during a drag: the finger moves the
// strip, every 50th frame the page flies in again, so the motions never
// rest.
void EngineFrame(CLaunchCore& engine, int i)
{
    CSheet& sheet = *engine.Sheet();
    sheet.m_nScrollSpeed = 20;
    sheet.m_nScrollPhase = 1;
    engine.m_nFrame = (i % 50) * 30;
    engine.StepFrame();
}

// The same icons' positions copied, and nothing else.
void CopyFrame(const IconList& icons, std::vector<std::int32_t>& out)
{
    size_t k = 0;
    for (const IconEntry& e : icons.entries) {
        out[k++] = e.x;
        out[k++] = e.y;
    }
}

}  // namespace

int main()
{
    std::random_device rd;
    const fs::path root = fs::temp_directory_path() / ("orvane-frame-bench-" + std::to_string(rd()));
    Generate(root);
    SetDeviceRoot(root.wstring());

    CBenchLaunch engine;
    CBenchWindow wnd;
    if (engine.InitLnch() != 1 || !engine.Sheet()) {
        std::fprintf(stderr, "the generated installation did not load\n");
        fs::remove_all(root);
        return 1;
    }
    engine.ShowFirstPage(wnd);
    engine.OnSelectionReceived(wnd);
    const IconList& icons = *engine.Sheet()->m_Layers[0].icons;
    std::vector<std::int32_t> positions(icons.entries.size() * 2);

    // Five rounds, alternating, so that both see the same machine; the
    // median of the rounds' ratios is printed.
    std::vector<double> ratios;
    double engineNs = 0, copyNs = 0;
    volatile std::int32_t sink = 0;
    for (int round = 0; round < 5; ++round) {
        auto a = Clock::now();
        for (int i = 0; i < kFrames; ++i)
            EngineFrame(engine, i);
        const double e = std::chrono::duration<double, std::nano>(Clock::now() - a).count() / kFrames;
        a = Clock::now();
        for (int i = 0; i < kFrames; ++i) {
            CopyFrame(icons, positions);
            sink = sink + positions[static_cast<size_t>(i) % positions.size()];
        }
        const double c = std::chrono::duration<double, std::nano>(Clock::now() - a).count() / kFrames;
        ratios.push_back(e / std::max(c, 1e-3));
        engineNs += e;
        copyNs += c;
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("frame arithmetic: %d icons on a %d-slot sheet (overflowing), both layers placed and zoomed, "
                "the strip dragged\n",
                static_cast<int>(icons.entries.size()), kSlots);
    std::printf("  a frame's steps take %.1f times as long as copying the icons' positions (%.2f us vs %.3f us)\n",
                ratios[ratios.size() / 2], engineNs / 5 / 1e3, copyNs / 5 / 1e3);
    engine.ExitLnch();
    ClearDeviceMounts();
    fs::remove_all(root);
    return 0;
}
