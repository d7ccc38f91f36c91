// A key-colour blit that keeps its stretched image and mask for the next
// frame. TransparentBlt makes both again on every call (two DCs, two
// bitmaps, a stretch and two more blits), which was most of an animated
// frame; an icon is drawn at the same size frame after frame.
//
// The pair is made with TransparentBlt itself, over black and over white:
// over black it is the image with the key turned black; where the two
// differ the key was. Drawing is then the last two raster operations
// TransparentBlt ends with: the mask ANDed in (dest white on black), the
// image ORed in. The result is TransparentBlt's, pixel for pixel.
#pragma once

#include "engine/Gdi_win.h"

#include <windows.h>

#include <cstdint>
#include <optional>

class CKeyedBlit {
public:
    CKeyedBlit() = default;
    CKeyedBlit(const CKeyedBlit&) = delete;
    CKeyedBlit& operator=(const CKeyedBlit&) = delete;

    // Draws src's (0, 0, srcWidth, srcHeight) to dest's rectangle with the
    // key colour left out, as TransparentBlt does. contentStamp names the
    // source's pixels: another stamp makes the pair again.
    bool Draw(HDC dest, int x, int y, int width, int height, HDC src, int srcWidth, int srcHeight, COLORREF key,
              std::uint64_t contentStamp);
    void Reset();

private:
    bool Make(HDC dest, int width, int height, HDC src, int srcWidth, int srcHeight, COLORREF key);

    struct Key {
        int width = 0, height = 0, srcWidth = 0, srcHeight = 0, destBits = 0;
        COLORREF key = 0;
        std::uint64_t stamp = 0;
        bool operator==(const Key&) const = default;
    };
    std::optional<Key> m_key;
    CMemDC m_imageDC, m_maskDC;
    CBitmapObj m_image, m_mask;
    std::optional<CSelectObj> m_selectImage, m_selectMask;
};
