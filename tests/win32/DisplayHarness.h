// What the drawing tests share: a Today screen stand-in that paints a known
// watermark on request, an item window whose paint runs Display, small
// installations, and reading and writing pixels.
#pragma once

#include "DeviceSandbox.h"
#include "PictureDC.h"
#include "engine/Gdi_win.h"
#include "engine/LaunchHwnd_win.h"
#include "engine/Launch_win.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The engine with a portrait device screen (the PC's is landscape) and
// surfaces that can be made to fail.
class CTestLaunch : public CLaunch {
public:
    ~CTestLaunch() override { ExitLnch(); }
    bool failFrameBitmap = false;
    bool failSection = false;

protected:
    void ScreenSize(int& width, int& height) const override
    {
        width = 480;
        height = 640;
    }
    HBITMAP CreateFrameBitmap(HDC paint, int width, int height) override
    {
        return failFrameBitmap ? nullptr : CLaunch::CreateFrameBitmap(paint, width, height);
    }
    HBITMAP CreateSection(void** bits) override
    {
        if (!failSection)
            return CLaunch::CreateSection(bits);
        *bits = nullptr;
        return nullptr;
    }
};

// A top-level window standing for the Today screen: it answers the
// watermark request by painting its own 8 × 8 checkerboard of two colours
// (one colour: a solid fill) under the asking window.
class CTodayParent {
public:
    CTodayParent(int width, int height);
    ~CTodayParent();
    CTodayParent(const CTodayParent&) = delete;
    CTodayParent& operator=(const CTodayParent&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    void SetWatermark(COLORREF a, COLORREF b) { m_a = a, m_b = b; }
    void SetWatermark(COLORREF a) { m_a = m_b = a; }
    // A picture instead (a device path), laid over the parent from its
    // top-left corner. False when it does not decode.
    bool SetWallpaper(const std::wstring& devicePath);
    // The watermark's colour at a point of the parent's client area.
    COLORREF WatermarkAt(int x, int y) const { return ((x / 8 + y / 8) & 1) ? m_b : m_a; }
    int Requests() const { return m_nRequests; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    CPictureDC m_wallpaper;
    COLORREF m_a = RGB(0, 0, 0), m_b = RGB(0, 0, 0);
    int m_nRequests = 0;
};

// The item: a child of the parent whose paint message runs Display and then
// the clock's advance, and whose timers run the engine's.
class CDisplayItem {
public:
    CDisplayItem(CLaunch& engine, HWND parent, int x, int y, int width, int height);
    ~CDisplayItem();
    CDisplayItem(const CDisplayItem&) = delete;
    CDisplayItem& operator=(const CDisplayItem&) = delete;

    HWND Hwnd() const { return m_hWnd; }
    CLaunchHwnd& Port() { return *m_port; }
    // Paints one frame now.
    void Paint();
    void Resize(int width, int height);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    CLaunch& m_engine;
    HWND m_hWnd = nullptr;
    std::optional<CLaunchHwnd> m_port;
};

// Dispatches this thread's messages until done() holds or giveUpMs passed.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD giveUpMs);

// Lets the engine take the selection and plays the frames until nothing
// moves any more. False when it did not come to rest.
bool SettleFocused(CLaunch& engine, CDisplayItem& item);

// The sample's "Orvane.ini" with the values of some settings (by index)
// replaced.
std::string SettingsText(const std::map<int, std::string>& values);
// A complete installation in \Program Files\Orvane of the sandbox: the
// sample's definitions and settings with the given values, and the given
// sheet, page and page-order files.
void WriteInstallation(const CDeviceSandbox& dev, const std::map<int, std::string>& settings,
                       const std::string& sheets, const std::string& pages, const std::string& pageOrder);
// The whole sample installation, with the given settings replaced.
void WriteSampleInstallation(const CDeviceSandbox& dev, const std::map<int, std::string>& settings);

// A COLORREF as RGB565 the way GDI stores a solid colour (truncated).
std::uint16_t To565(COLORREF c);
// Pixels of a DC, as 0x00RRGGBB, rows top-down.
struct CPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t At(int x, int y) const
    {
        return rgb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};
CPixels ReadPixels(HDC dc, int width, int height);

// PNG files through WIC: an image with straight alpha (for icon files), and
// a picture of pixels for looking at.
std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& argb);
bool SavePng(const std::wstring& path, const CPixels& pixels);
// The folder for pictures of the tests (ORV_SHOT_DIR, else "display-shots"
// under the current folder); made when missing.
std::wstring ShotFolder();
