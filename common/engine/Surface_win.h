// An off-screen surface: a memory DC with a bitmap of its own selected into
// it, and the RGB565 blend of the page frame over the watermark.
#pragma once

#include "engine/Gdi_win.h"

#include <cstddef>
#include <cstdint>
#include <optional>

static_assert(sizeof(Rgb565Info) == 52, "the surfaces' header is 40 bytes and three masks");

class CSurfaceDC {
public:
    CSurfaceDC() = default;
    ~CSurfaceDC() { Reset(); }
    CSurfaceDC(const CSurfaceDC&) = delete;
    CSurfaceDC& operator=(const CSurfaceDC&) = delete;

    // A memory DC compatible with the given one, holding the bitmap (owned
    // from now on). A null bitmap leaves the DC with its stock bitmap, so
    // drawing into it has no effect. False when no DC could be made.
    bool Make(HDC compatibleWith, HBITMAP bitmap);
    // The kept bitmap goes back before the bitmap and the DC are deleted.
    void Reset();

    HDC DC() const { return m_dc.Get(); }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }

private:
    CMemDC m_dc;
    CBitmapObj m_bitmap;
    std::optional<CSelectObj> m_select;
};

// Blends every non-zero overlay pixel into the background, channel by
// channel in place: (b × m + o × (100 − m)) / 100, m a percentage (clamped
// to 0..100). Pixels where the overlay is 0 keep the background.
void BlendOverlay565(std::uint16_t* background, const std::uint16_t* overlay, size_t count, int backgroundPercent);
