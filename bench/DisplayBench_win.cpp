// What a frame costs beyond moving pixels.
//
// Plays a page of the sample in and out (portrait, 480 × 300, over the
// sample wallpaper) on a real item window, frame by frame, and times every
// frame's paint with the performance counter (the whole of Display,
// background rebuilds included; the engine's own m_nLastDraw counts whole
// milliseconds only). In the same run it times the two full-surface copies
// that every frame makes anyway, background to frame and frame to window,
// alone. It prints the one over the other, for the first page and for the
// Clock page, whose analog clock and calendars are drawn in every frame.
#include "FileSys.h"
#include "Imaging_win.h"
#include "TodayItem_win.h"
#include "config/Folders.h"
#include "config/SettingIndex.h"
#include "engine/Gdi_win.h"
#include "engine/LaunchHwnd_win.h"
#include "engine/Launch_win.h"

#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 480, kHeight = 300;
constexpr int kRounds = 12;        // selections and deselections played
constexpr int kCopyPairs = 2000;   // copy pairs timed, half before and half after

class CBenchLaunch final : public CLaunch {
public:
    ~CBenchLaunch() override { ExitLnch(); }

protected:
    void ScreenSize(int& width, int& height) const override
    {
        width = 480;
        height = 640;
    }
};

CBenchLaunch* g_pEngine = nullptr;
std::optional<CLaunchHwnd> g_port;
CMemDC g_wallpaperDC;
CBitmapObj g_wallpaper;
std::optional<CSelectObj> g_selectWallpaper;

// The Today screen: paints the wallpaper under the item on request.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != TODAYM_DRAWWATERMARK || !g_wallpaper)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
    POINT at = {0, 0};
    ::MapWindowPoints(info->hwnd, hwnd, &at, 1);
    const RECT& rc = info->rc;
    ::BitBlt(info->hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, g_wallpaperDC.Get(), rc.left + at.x,
             rc.top + at.y, SRCCOPY);
    return 0;
}

// The item: its paint is the plug-in's.
LRESULT CALLBACK ItemProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        if (g_pEngine && g_port) {
            g_pEngine->Display(hwnd);
            g_pEngine->AfterDisplay(*g_port);
            return 0;
        }
        break;
    default: break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow(const wchar_t* cls, WNDPROC proc, DWORD style, int y, int height, HWND parent)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(parent ? 0 : WS_EX_NOACTIVATE, cls, cls, style, 0, y, kWidth, height, parent, nullptr,
                             wc.hInstance, nullptr);
}

// The sample installation with the device's screen size, in a folder of
// its own standing for the device root.
bool InstallSample(const fs::path& root)
{
    const fs::path dir = root / "Program Files" / "Orvane";
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(dir, ec);
    fs::copy(fs::path(ORV_SAMPLE_DIR), dir, fs::copy_options::recursive, ec);
    if (ec)
        return false;
    std::ifstream in(dir / "Orvane.ini", std::ios::binary);
    std::stringstream text;
    std::string line;
    while (std::getline(in, line))
        text << (line.rfind("ScreenSize=", 0) == 0 ? std::string("ScreenSize=480\r") : line) << "\n";
    in.close();
    std::ofstream(dir / "Orvane.ini", std::ios::binary | std::ios::trunc) << text.str();
    SetDeviceRoot(root.wstring());
    return true;
}

bool LoadWallpaper()
{
    DecodedImage image;
    if (!DecodeImageFile(std::wstring(kInstallFolder) + L"\\Wallpaper.png", image, 0))
        return false;
    void* bits = nullptr;
    g_wallpaper.Reset(CreateTopDownSection(static_cast<int>(image.width), static_cast<int>(image.height), 32, &bits));
    if (!g_wallpaper)
        return false;
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
    g_wallpaperDC = CMemDC(nullptr);
    g_selectWallpaper.emplace(g_wallpaperDC.Get(), g_wallpaper.Get());
    return true;
}

double Now()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

// Plays frames the way the redraw timer would, until nothing moves; adds up
// the time of each paint that drew a frame.
void PlayOut(CBenchLaunch& engine, double& drawSeconds, long long& frames)
{
    for (int guard = 0; guard < 100000 && engine.m_bRedrawTimerOn; ++guard) {
        const std::int32_t count = engine.m_nCount;
        const double a = Now();
        engine.OnRedrawTimer(*g_port);  // one paint: Display, then the clock
        const double b = Now();
        if (engine.m_nCount == count)
            continue;
        drawSeconds += b - a;
        ++frames;
    }
}

// Seconds for n pairs of the two full-surface copies.
double TimeCopies(CBenchLaunch& engine, HWND item, int n)
{
    CScreenDC window(item);
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < n; ++i) {
        ::BitBlt(engine.FrameDC(), 0, 0, kWidth, kHeight, engine.BackgroundDC(), 0, 0, SRCCOPY);
        ::BitBlt(window.Get(), 0, 0, kWidth, kHeight, engine.FrameDC(), 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    ::QueryPerformanceCounter(&b);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Result {
    double ratio = 0;
    long long frames = 0;
};

// The first page played in and out kRounds times, or, given a page, the
// item selected and turned to that page and back home kRounds times;
// against the copies.
bool Measure(HWND item, const wchar_t* turnTo, Result& result)
{
    CBenchLaunch engine;
    g_pEngine = &engine;
    g_port.emplace(item);
    const bool loaded = engine.InitLnch() == 1;
    if (loaded) {
        engine.ShowFirstPage(*g_port);
        ::InvalidateRect(item, nullptr, FALSE);
        ::UpdateWindow(item);  // surfaces made, at rest

        double copySeconds = TimeCopies(engine, item, kCopyPairs / 2);
        double drawSeconds = 0;
        long long frames = 0;
        for (int round = 0; round < kRounds; ++round) {
            if (!turnTo || round == 0) {
                engine.OnSelectionReceived(*g_port);
                engine.SetDrawTimer(*g_port, TIMER_TASK, false, true);
                PlayOut(engine, drawSeconds, frames);
            }
            if (turnTo) {
                engine.SetCurTab(*g_port, turnTo);
                PlayOut(engine, drawSeconds, frames);
                engine.SetCurTab(*g_port, L"Home");
                PlayOut(engine, drawSeconds, frames);
            } else {
                engine.OnSelectionLost(*g_port);
                PlayOut(engine, drawSeconds, frames);
            }
        }
        copySeconds += TimeCopies(engine, item, kCopyPairs - kCopyPairs / 2);
        const double perFrame = frames ? drawSeconds / static_cast<double>(frames) : 0;
        const double perCopies = copySeconds / kCopyPairs;
        result.ratio = perCopies > 0 ? perFrame / perCopies : 0.0;
        result.frames = frames;
    }
    g_port.reset();
    g_pEngine = nullptr;
    return loaded;
}

}  // namespace

int main()
{
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    HWND host = MakeWindow(L"OrvaneBenchHost", HostProc, WS_POPUP | WS_CLIPCHILDREN, 0, 640, nullptr);
    HWND item = MakeWindow(L"OrvaneBenchItem", ItemProc, WS_CHILD | WS_VISIBLE, 40, kHeight, host);
    ::ShowWindow(host, SW_SHOWNA);

    const fs::path root = fs::temp_directory_path() / "orvane-display-bench";
    int status = 0;
    const struct {
        const wchar_t* turnTo;
        const char* label;
    } pages[] = {{nullptr, "the first page"}, {L"Clock", "turning to the Clock page and its panels"}};
    for (const auto& page : pages) {
        Result result;
        if (!InstallSample(root) || !LoadWallpaper()) {
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
                    "%d selections, %dx%d)\n",
                    page.label, result.ratio, result.frames, kRounds, kWidth, kHeight);
        g_selectWallpaper.reset();
        g_wallpaper.Reset();
        g_wallpaperDC.Reset();
        ClearDeviceMounts();
    }
    ::DestroyWindow(host);
    g_selectWallpaper.reset();
    g_wallpaper.Reset();
    g_wallpaperDC.Reset();
    ClearDeviceMounts();
    std::error_code ec;
    fs::remove_all(root, ec);
    ::CoUninitialize();
    return status;
}
