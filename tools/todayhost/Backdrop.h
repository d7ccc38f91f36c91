// What the Today screen draws itself: the wallpaper, scaled to cover the
// screen, and the device's title strip (start flag, status, time) across
// the top. Item windows sit on top; their watermark is the wallpaper part
// under them.
#pragma once

#include "Surface.h"
#include "Picture.h"

#include <string>

class CBackdrop {
public:
    static constexpr int kTitleHeight = 26;

    CBackdrop();
    CBackdrop(const CBackdrop&) = delete;
    CBackdrop& operator=(const CBackdrop&) = delete;

    // An empty path means the plain built-in gradient.
    bool SetWallpaper(const std::wstring& path);
    void Resize(int width, int height);

    // rc is in the item's client coordinates, origin where its client area
    // starts on the screen. A highlighted watermark is the one of an item the
    // screen selected for itself (Selectability 1).
    void PaintWatermark(HDC dc, const RECT& rc, POINT origin, bool highlight) const;
    void PaintScreen(HDC dc, const RECT& area);

private:
    void DrawTitleStrip();

    CPixels m_source;
    CSurface m_wall;
    CSurface m_frame;
    CSurface m_highlight;
    CFontObj m_font;
};
