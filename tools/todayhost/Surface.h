// A 32-bit top-down DIB section selected into its own memory DC; pixels are
// 0xAARRGGBB words, row after row. Made again on Create; freed in GDI's
// order (bitmap out of the DC, bitmap, DC).
#pragma once

#include "engine/Gdi_win.h"

#include <cstdint>
#include <memory>

class CSurface {
public:
    CSurface() = default;
    CSurface(const CSurface&) = delete;
    CSurface& operator=(const CSurface&) = delete;

    bool Create(int width, int height);
    HDC Dc() const { return m_pParts ? m_pParts->dc.Get() : nullptr; }
    std::uint32_t* Bits() const { return m_pParts ? m_pParts->bits : nullptr; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

private:
    struct CParts {
        CParts(int width, int height);
        CMemDC dc;
        std::uint32_t* bits = nullptr;
        CBitmapObj bitmap;
        CSelectObj select;
    };
    std::unique_ptr<CParts> m_pParts;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
