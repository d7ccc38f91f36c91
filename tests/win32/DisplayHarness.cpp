#include "DisplayHarness.h"

#include "Imaging_win.h"
#include "TodayItem_win.h"
#include "config/Folders.h"
#include "engine/Gdi_win.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

using Microsoft::WRL::ComPtr;
namespace fs = std::filesystem;

namespace {

const wchar_t kParentClass[] = L"OrvaneDisplayTestHost";
const wchar_t kItemClass[] = L"OrvaneDisplayTestItem";

template <class T>
T* Self(HWND hwnd, UINT msg, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<T*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        return nullptr;
    }
    return self;
}

void Register(const wchar_t* name, WNDPROC proc)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    ::RegisterClassW(&wc);
}

}  // namespace

// ---------------------------------------------------------------------------
// The Today screen stand-in

CTodayParent::CTodayParent(int width, int height)
{
    Register(kParentClass, Proc);
    m_hWnd = ::CreateWindowExW(WS_EX_NOACTIVATE, kParentClass, L"today", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width,
                               height, nullptr, nullptr, ::GetModuleHandleW(nullptr), this);
    ::ShowWindow(m_hWnd, SW_SHOWNA);
}

CTodayParent::~CTodayParent()
{
    m_wallpaper.Reset();
    ::DestroyWindow(m_hWnd);
    ::UnregisterClassW(kParentClass, ::GetModuleHandleW(nullptr));
}

bool CTodayParent::SetWallpaper(const std::wstring& devicePath) { return m_wallpaper.Load(devicePath); }

LRESULT CALLBACK CTodayParent::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CTodayParent* self = Self<CTodayParent>(hwnd, msg, lParam);
    if (!self || msg != TODAYM_DRAWWATERMARK)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    ++self->m_nRequests;
    const auto* info = reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
    // The pattern is the parent's: under the item it starts where the item
    // sits.
    POINT at = {0, 0};
    ::MapWindowPoints(info->hwnd, hwnd, &at, 1);
    const RECT& rc = info->rc;
    if (self->m_wallpaper) {
        ::BitBlt(info->hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, self->m_wallpaper.Get(),
                 rc.left + at.x, rc.top + at.y, SRCCOPY);
        return 0;
    }
    for (int y = rc.top - ((rc.top + at.y) % 8); y < rc.bottom; y += 8) {
        for (int x = rc.left - ((rc.left + at.x) % 8); x < rc.right; x += 8) {
            CBrushObj brush(::CreateSolidBrush(self->WatermarkAt(x + at.x, y + at.y)));
            RECT cell = {std::max<LONG>(x, rc.left), std::max<LONG>(y, rc.top), std::min<LONG>(x + 8, rc.right),
                         std::min<LONG>(y + 8, rc.bottom)};
            ::FillRect(info->hdc, &cell, brush.Get());
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// The item

CDisplayItem::CDisplayItem(CLaunch& engine, HWND parent, int x, int y, int width, int height) : m_engine(engine)
{
    Register(kItemClass, Proc);
    m_hWnd = ::CreateWindowExW(0, kItemClass, L"item", WS_CHILD | WS_VISIBLE, x, y, width, height, parent, nullptr,
                               ::GetModuleHandleW(nullptr), this);
    m_port.emplace(m_hWnd);
}

CDisplayItem::~CDisplayItem()
{
    ::DestroyWindow(m_hWnd);
    ::UnregisterClassW(kItemClass, ::GetModuleHandleW(nullptr));
}

void CDisplayItem::Paint()
{
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CDisplayItem::Resize(int width, int height)
{
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CDisplayItem::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDisplayItem* self = Self<CDisplayItem>(hwnd, msg, lParam);
    if (!self || !self->m_port)
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
        self->m_engine.Display(hwnd);
        self->m_engine.AfterDisplay(*self->m_port);
        return 0;
    case WM_TIMER:
        if (wParam == TIMER_REDRAW)
            self->m_engine.OnRedrawTimer(*self->m_port);
        else if (wParam == TIMER_TASK)
            self->m_engine.OnTaskTimer(*self->m_port);
        return 0;
    default: return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD giveUpMs)
{
    const ULONGLONG end = ::GetTickCount64() + giveUpMs;
    while (!done()) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

bool SettleFocused(CLaunch& engine, CDisplayItem& item)
{
    engine.OnSelectionReceived(item.Port());
    const bool rested = PumpMessagesUntil([&] { return !engine.m_bRedrawTimerOn; }, 60000);
    // The task timer has nothing to do here and would only repaint.
    engine.SetDrawTimer(item.Port(), TIMER_TASK, false, true);
    return rested && engine.m_bMotionsDone;
}

// ---------------------------------------------------------------------------
// Installations

std::string SettingsText(const std::map<int, std::string>& values)
{
    std::ifstream in(SampleFolder() / "Orvane.ini", std::ios::binary);
    std::string line, out;
    int index = 0;
    // The sample lists the settings in index order, one a line.
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto found = values.find(index);
        const size_t eq = line.find('=');
        if (found != values.end() && eq != std::string::npos)
            line = line.substr(0, eq + 1) + found->second;
        out += line + "\r\n";
        ++index;
    }
    return out;
}

void WriteInstallation(const CDeviceSandbox& dev, const std::map<int, std::string>& settings,
                       const std::string& sheets, const std::string& pages, const std::string& pageOrder)
{
    const std::wstring dir = kInstallFolder;
    dev.MakeInstallation(dir);
    dev.WriteFile(dir + L"\\Orvane.ini", SettingsText(settings));
    dev.WriteFile(dir + L"\\Sheet.ini", sheets);
    dev.WriteFile(dir + L"\\Page.ini", pages);
    dev.WriteFile(dir + L"\\PageMng.ini", pageOrder);
}

void WriteSampleInstallation(const CDeviceSandbox& dev, const std::map<int, std::string>& settings)
{
    const fs::path dir = CDeviceSandbox::Host(kInstallFolder);
    fs::create_directories(dir);
    fs::copy(SampleFolder(), dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    dev.WriteFile(std::wstring(kInstallFolder) + L"\\Orvane.ini", SettingsText(settings));
}

// ---------------------------------------------------------------------------
// Pixels

std::uint16_t To565(COLORREF c)
{
    return static_cast<std::uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
}

CPixels ReadPixels(HDC dc, int width, int height)
{
    CPixels out;
    void* bits = nullptr;
    CBitmapObj copy(CreateTopDownSection(width, height, 32, &bits));
    CMemDC mem(dc);
    if (!copy || !mem)
        return out;
    {
        CSelectObj select(mem.Get(), copy.Get());
        ::BitBlt(mem.Get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
        ::GdiFlush();
    }
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const auto* p = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < out.rgb.size(); ++i)
        out.rgb[i] = p[i] & 0xFFFFFF;
    return out;
}

namespace {

// Encodes 32-bit pixels (BGRA in memory) of the given format into a PNG
// stream.
bool Encode(IStream* stream, int width, int height, const std::uint32_t* pixels, REFWICPixelFormatGUID format)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID wanted = format;
    const UINT stride = static_cast<UINT>(width) * 4;
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_PPV_ARGS(&factory))) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
           SUCCEEDED(frame->SetPixelFormat(&wanted)) && IsEqualGUID(wanted, format) &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height),
                                        reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels)))) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& argb)
{
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        !Encode(stream.Get(), width, height, argb.data(), GUID_WICPixelFormat32bppBGRA))
        return {};
    HGLOBAL memory = nullptr;
    if (FAILED(::GetHGlobalFromStream(stream.Get(), &memory)))
        return {};
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    const void* data = ::GlobalLock(memory);
    std::string bytes(static_cast<const char*>(data), static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    return bytes;
}

bool SavePng(const std::wstring& path, const CPixels& pixels)
{
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateStream(&stream)) || FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
        return false;
    return Encode(stream.Get(), pixels.width, pixels.height, pixels.rgb.data(), GUID_WICPixelFormat32bppBGR);
}

std::wstring ShotFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableW(L"ORV_SHOT_DIR", buffer, MAX_PATH);
    std::wstring folder = n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : L"display-shots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}
