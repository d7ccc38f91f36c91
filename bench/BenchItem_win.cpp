#include "BenchItem_win.h"

#include "FileSys.h"
#include "Imaging_win.h"
#include "TodayItem_win.h"
#include "config/Folders.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

CBenchItem* g_pItem = nullptr;  // the one whose windows are up

HWND MakeWindow(const wchar_t* cls, WNDPROC proc, DWORD style, int y, int height, HWND parent)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(parent ? 0 : WS_EX_NOACTIVATE, cls, cls, style, 0, y, CBenchItem::kWidth, height, parent,
                             nullptr, wc.hInstance, nullptr);
}

}  // namespace

double BenchNow()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

CBenchItem::CBenchItem()
{
    g_pItem = this;
    m_hHost = MakeWindow(L"OrvaneBenchHost", HostProc, WS_POPUP | WS_CLIPCHILDREN, 0, 640, nullptr);
    m_hItem = MakeWindow(L"OrvaneBenchItem", ItemProc, WS_CHILD | WS_VISIBLE, 40, kHeight, m_hHost);
    ::ShowWindow(m_hHost, SW_SHOWNA);
    m_port.emplace(m_hItem);
}

CBenchItem::~CBenchItem()
{
    m_pEngine = nullptr;
    ::DestroyWindow(m_hHost);
    m_port.reset();
    m_wallpaper.Reset();
    ClearDeviceMounts();
    g_pItem = nullptr;
}

bool CBenchItem::Install(const fs::path& root)
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
    ClearDeviceMounts();
    SetDeviceRoot(root.wstring());

    return m_wallpaper.Load(std::wstring(kInstallFolder) + L"\\Wallpaper.png");
}

void CBenchItem::Attach(CBenchLaunch* engine) { m_pEngine = engine; }

void CBenchItem::PlayOut(const std::function<void(double)>& onFrame)
{
    CBenchLaunch& engine = *m_pEngine;
    for (int guard = 0; guard < 100000 && engine.m_bRedrawTimerOn; ++guard) {
        const std::int32_t count = engine.m_nCount;
        const double a = BenchNow();
        engine.OnRedrawTimer(*m_port);  // one paint: Display, then the clock
        const double b = BenchNow();
        if (engine.m_nCount != count)
            onFrame(b - a);
    }
}

// The Today screen: paints the wallpaper under the item on request.
LRESULT CALLBACK CBenchItem::HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != TODAYM_DRAWWATERMARK || !g_pItem || !g_pItem->m_wallpaper)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    const auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
    POINT at = {0, 0};
    ::MapWindowPoints(info->hwnd, hwnd, &at, 1);
    const RECT& rc = info->rc;
    ::BitBlt(info->hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, g_pItem->m_wallpaper.Get(),
             rc.left + at.x, rc.top + at.y, SRCCOPY);
    return 0;
}

// The item: its paint is the plug-in's.
LRESULT CALLBACK CBenchItem::ItemProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        if (g_pItem && g_pItem->m_pEngine) {
            g_pItem->m_pEngine->Display(hwnd);
            g_pItem->m_pEngine->AfterDisplay(*g_pItem->m_port);
            return 0;
        }
        break;
    default: break;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}
