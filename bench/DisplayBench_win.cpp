// What a frame costs beyond moving pixels.
//
// Plays a page of the sample in and out (portrait, 480 × 300, over the
// sample wallpaper) on a real item window, frame by frame, and times every
// frame's paint with the performance counter (the whole of Display,
// background rebuilds included; the engine's own m_nLastDraw counts whole
// milliseconds only). In the same run it times the two full-surface copies
// that every frame makes anyway, background to frame and frame to window,
// alone. It prints the one over the other, for the first page and for
// turning to the Clock page, whose analog clock and calendars are drawn in
// every frame. The machine is shared: a copy pair is timed right after each
// frame, so that both see the same load, and of three repeats the least
// ratio is taken (other programs only ever add). The window system's part
// of each frame (its timer, the invalidation and the paint's begin and
// end, with nothing drawn) is timed against the copies the same way and
// printed beside it: under Wine every one of those calls is a round trip to
// its server, whose cost depends on the machine.
#include "BenchItem_win.h"

#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 12;       // selections and deselections, or page turns, played
constexpr int kRepeats = 3;

// Seconds for n pairs of the two full-surface copies.
double TimeCopies(CBenchLaunch& engine, HWND item, int n)
{
    CScreenDC window(item);
    const double a = BenchNow();
    for (int i = 0; i < n; ++i) {
        ::BitBlt(engine.FrameDC(), 0, 0, CBenchItem::kWidth, CBenchItem::kHeight, engine.BackgroundDC(), 0, 0,
                 SRCCOPY);
        ::BitBlt(window.Get(), 0, 0, CBenchItem::kWidth, CBenchItem::kHeight, engine.FrameDC(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    return BenchNow() - a;
}

// Seconds for the window system's part of a frame alone, n times, each
// followed by a copy pair (added to copySeconds): the redraw timer stopped
// and set again, the item invalidated and updated, and a paint that only
// begins and ends (no engine attached). Under Wine each of these calls is a
// round trip to the server.
double TimePaintCycles(CBenchLaunch& engine, HWND item, int n, double& copySeconds)
{
    double seconds = 0;
    for (int i = 0; i < n; ++i) {
        const double a = BenchNow();
        ::KillTimer(item, TIMER_REDRAW);
        ::InvalidateRect(item, nullptr, FALSE);
        ::UpdateWindow(item);
        ::SetTimer(item, TIMER_REDRAW, 30, nullptr);
        seconds += BenchNow() - a;
        copySeconds += TimeCopies(engine, item, 1);
    }
    ::KillTimer(item, TIMER_REDRAW);
    return seconds;
}

struct Result {
    double ratio = 0;
    double cycleRatio = 0;  // the window system's part alone
    long long frames = 0;
};

// One repeat: the first page played in and out kRounds times, or, given a
// page, the item turned to that page and back home kRounds times; a copy
// pair after each frame. The frames' time over the copies'.
double PlayRounds(CBenchItem& item, CBenchLaunch& engine, const wchar_t* turnTo, long long& frames)
{
    CLaunchHwnd& port = item.Port();
    double copySeconds = 0, drawSeconds = 0;
    frames = 0;
    auto count = [&](double seconds) {
        drawSeconds += seconds;
        copySeconds += TimeCopies(engine, item.Item(), 1);
        ++frames;
    };
    for (int round = 0; round < kRounds; ++round) {
        if (!turnTo || round == 0) {
            engine.OnSelectionReceived(port);  // nothing when selected already
            engine.SetDrawTimer(port, TIMER_TASK, false, true);
            item.PlayOut(count);
        }
        if (turnTo) {
            engine.SetCurTab(port, turnTo);
            item.PlayOut(count);
            engine.SetCurTab(port, L"Home");
            item.PlayOut(count);
        } else {
            engine.OnSelectionLost(port);
            item.PlayOut(count);
        }
    }
    return copySeconds > 0 ? drawSeconds / copySeconds : 0.0;
}

bool Measure(CBenchItem& item, const wchar_t* turnTo, Result& result)
{
    CBenchLaunch engine;
    item.Attach(&engine);
    const bool loaded = engine.InitLnch() == 1;
    if (loaded) {
        engine.ShowFirstPage(item.Port());
        ::InvalidateRect(item.Item(), nullptr, FALSE);
        ::UpdateWindow(item.Item());  // surfaces made, at rest
        for (int repeat = 0; repeat < kRepeats; ++repeat) {
            const double ratio = PlayRounds(item, engine, turnTo, result.frames);
            result.ratio = repeat ? std::min(result.ratio, ratio) : ratio;
        }
    }
    item.Attach(nullptr);
    if (loaded) {
        for (int repeat = 0; repeat < kRepeats; ++repeat) {
            double copySeconds = 0;
            const double cycles = TimePaintCycles(engine, item.Item(), static_cast<int>(result.frames), copySeconds);
            const double ratio = copySeconds > 0 ? cycles / copySeconds : 0.0;
            result.cycleRatio = repeat ? std::min(result.cycleRatio, ratio) : ratio;
        }
    }
    return loaded;
}

}  // namespace

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    const fs::path root = fs::temp_directory_path() / "orvane-display-bench";
    int status = 0;
    {
        CBenchItem item;
        const struct {
            const wchar_t* turnTo;
            const char* label;
        } pages[] = {{nullptr, "the first page"}, {L"Clock", "turning to the Clock page and its panels"}};
        for (const auto& page : pages) {
            Result result;
            if (!item.Install(root)) {
                std::fprintf(stderr, "cannot set up the sample installation\n");
                status = 1;
                break;
            }
            if (!Measure(item, page.turnTo, result)) {
                std::fprintf(stderr, "the sample does not load\n");
                status = 1;
                break;
            }
            std::printf("Display per animation frame / the two full-surface copies alone, %s: %.2f (%lld frames, "
                        "%d rounds, %dx%d)\n",
                        page.label, result.ratio, result.frames, kRounds, CBenchItem::kWidth, CBenchItem::kHeight);
            std::printf("  of which the window system's part alone (timer, invalidate, update, begin and end the "
                        "paint) / the copies: %.2f; the rest / the copies: %.2f\n",
                        result.cycleRatio, result.ratio - result.cycleRatio);
        }
    }
    std::error_code ec;
    fs::remove_all(root, ec);
    ::CoUninitialize();
    return status;
}
