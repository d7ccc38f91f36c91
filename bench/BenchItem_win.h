// The plug-in's engine on a real item window over the sample wallpaper, for
// the benchmarks and the frame dump: a host window that paints the
// watermark, an item window whose paint is the engine's, and the sample
// installed for a 480-pixel screen in a folder standing for the device root.
#pragma once

#include "PictureDC.h"
#include "engine/Gdi_win.h"
#include "engine/LaunchHwnd_win.h"
#include "engine/Launch_win.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <optional>

class CBenchLaunch final : public CLaunch {
public:
    ~CBenchLaunch() override { ExitLnch(); }
    // Panels show this time instead of the clock's, when set.
    std::optional<PanelTime> m_FixedNow;

protected:
    void ScreenSize(int& width, int& height) const override
    {
        width = 480;
        height = 640;
    }
    PanelTime PanelNow() const override { return m_FixedNow ? *m_FixedNow : CLaunch::PanelNow(); }
};

class CBenchItem {
public:
    static constexpr int kWidth = 480, kHeight = 300;

    CBenchItem();
    ~CBenchItem();
    CBenchItem(const CBenchItem&) = delete;
    CBenchItem& operator=(const CBenchItem&) = delete;

    // The sample (with ScreenSize=480) under root, which becomes the device
    // root, and its wallpaper behind the item.
    bool Install(const std::filesystem::path& root);
    HWND Item() const { return m_hItem; }
    CLaunchHwnd& Port() { return *m_port; }
    // Paints go to the engine from now on (null: to nobody).
    void Attach(CBenchLaunch* engine);
    // Plays frames the way the redraw timer would, until nothing moves;
    // onFrame hears of each paint that drew a frame, with its seconds.
    void PlayOut(const std::function<void(double)>& onFrame);

private:
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ItemProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND m_hHost = nullptr;
    HWND m_hItem = nullptr;
    CBenchLaunch* m_pEngine = nullptr;
    std::optional<CLaunchHwnd> m_port;
    CPictureDC m_wallpaper;
};

double BenchNow();
