// The plug-in's engine: CLaunchCore plus the Windows objects it owns — the
// caption font, the two off-screen surfaces, the slot backgrounds' brushes —
// and the drawing of every frame.
#pragma once

#include "engine/Gdi_win.h"
#include "engine/LaunchCore.h"
#include "engine/Surface_win.h"
#include "panels/PanelPainter_win.h"
#include "panels/PanelState.h"
#include "panels/Registry_win.h"
#include "engine/WindowChain_win.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

// The character height of a caption font spec at the given pixels per inch:
// a point size in tenths, negative as LOGFONT wants a character height.
LONG CaptionFontHeight(int sizeTenths, int pixelsPerInch);
// The caption font of a spec as the device makes it, at the screen's
// vertical pixels per inch.
HFONT CreateCaptionFont(const CaptionFontSpec& spec);

// The text Display measures the caption band with: a capital and two
// descenders.
inline constexpr wchar_t kCaptionProbe[] = L"Agq";

// Shows task menu 101 (full) or 102 (close), in the language's resource,
// centred on a point of the screen and owned by the item window; the
// choice comes to the window as WM_COMMAND. Always 0.
int MenuPopup(HINSTANCE instance, HWND hwnd, unsigned menu, int x, int y);

class CLaunch : public CLaunchCore {
public:
    CLaunch() = default;
    // Frees the engine's objects while its overrides can still be reached.
    ~CLaunch() override;

    HFONT CaptionFont() const { return m_CaptionFontObj.Get(); }

    HINSTANCE m_hInstance = nullptr;  // the plug-in's module: menus come from it

    // One frame into the window's paint region; only from WM_PAINT.
    void Display(HWND hwnd);
    // Both surfaces at the client size, unless they exist. 1 when made or
    // already there, 0 for an empty client area (nothing is made).
    int CreateCompatiDC(HWND hwnd, HDC paint);
    // Frees both surfaces; always 1.
    int DeleteCompatiDC();
    // Fills the background: the host's watermark, with the page frame
    // blended over it while the item is focused. Both surfaces are made
    // again unless they are whole and of the client's size.
    void MakeBG(HDC paint, HWND hwnd);
    // Draws the current sheet's slot frames into dc (Background_win.cpp).
    void CreateBG(HDC dc);

    void DrawIcons(HDC frame);
    void DrawIcon(IconEntry& e);
    void DrawShadowText(int x, int y, const RECT& box, const std::wstring& text, COLORREF colour);
    void DrawTimingText(int x, int y, const RECT& rc, const std::wstring& text);

    // The surfaces as they stand (null when not made).
    int SurfacesMade() const { return m_bSurfacesMade; }
    HDC FrameDC() const { return m_Frame.DC(); }
    HDC BackgroundDC() const { return m_Background.DC(); }
    HBITMAP FrameBitmap() const { return m_Frame.Bitmap(); }
    HBITMAP BackgroundBitmap() const { return m_Background.Bitmap(); }
    const std::uint16_t* BackgroundBits() const { return m_pBackgroundBits; }
    const Rgb565Info& BitmapHeader() const { return m_BitmapInfo; }
    // Gradient brushes made so far, over all frames and states.
    size_t GradientBrushCount() const { return m_GradientBrushes.size(); }
    // The last frame drew at least one panel slot.
    bool PanelsPresent() const { return m_bPanelsPresent; }
    // What the panels show and draw with (LaunchPanels_win.cpp).
    const PanelState& Panels() const { return m_PanelState; }
    CPanelPainter& PanelPainter() { return m_PanelPainter; }

protected:
    void MakeCaptionFont(const CaptionFontSpec& spec) override;
    void DeleteSurfaces() override;
    // The running tasks' windows, the hold gesture and the task menus
    // (LaunchTasks_win.cpp).
    CWindowChain& Windows() override;
    bool RecognizeHold(CLaunchWindow& wnd, int x, int y) override;
    bool StylusDown(CLaunchWindow& wnd) override;
    void PopupTaskMenu(CLaunchWindow& wnd, unsigned menu, int x, int y) override;
    // Draws one panel slot (type 10000 and above) on the frame surface.
    virtual void DrawPanel(IconEntry& e, HDC frame);
    // The panels' fonts and dates start again; the sheet sizes panels
    // through them.
    void ResetPanels() override;
    // The task timer's registry captions and panel clock; 1: repaint.
    int RefreshRegistryItems() override;
    int RefreshPanels() override;
    // The local time the panels show; a test pins it.
    virtual PanelTime PanelNow() const;
    // The system's tick count, the shell and the vibrator's thread
    // (LaunchShell_win.cpp).
    std::uint32_t TickCount() const override;
    void ShellOpen(const std::wstring& file, const std::wstring& params) override;
    void StartPulses(const LedPulses& pulses) override;
    // Where the surfaces' bitmaps come from; a test makes them fail.
    virtual HBITMAP CreateFrameBitmap(HDC paint, int width, int height);
    virtual HBITMAP CreateSection(void** bits);

private:
    bool SurfacesFit(HWND hwnd) const;
    void MeasureCaption();
    HBRUSH GradientBrush(int frame, int state, int height);

    CFontObj m_CaptionFontObj;
    CDesktopWindows m_Windows;

    Rgb565Info m_BitmapInfo = {};
    int m_bSurfacesMade = 0;
    CSurfaceDC m_Frame;
    CSurfaceDC m_Background;
    std::uint16_t* m_pBackgroundBits = nullptr;
    RECT m_rcClient = {};
    bool m_bPanelsPresent = false;
    PanelState m_PanelState;
    CPanelPainter m_PanelPainter;
    CRegistryReader m_Registry;

    // Gradient brushes by frame index, state and (band height + 7) / 8: the
    // bands of one frame differ by the slots' sizes, and brushes within eight
    // rows of each other are shared.
    std::map<std::tuple<int, int, int>, CBrushObj> m_GradientBrushes;
};
