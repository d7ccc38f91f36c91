#include "engine/Surface_win.h"

#include <algorithm>

bool CSurfaceDC::Make(HDC compatibleWith, HBITMAP bitmap)
{
    Reset();
    m_bitmap.Reset(bitmap);
    m_dc = CMemDC(compatibleWith);
    if (!m_dc) {
        m_bitmap.Reset();
        return false;
    }
    if (m_bitmap)
        m_select.emplace(m_dc.Get(), m_bitmap.Get());
    return true;
}

void CSurfaceDC::Reset()
{
    m_select.reset();
    m_bitmap.Reset();
    m_dc.Reset();
}

void BlendOverlay565(std::uint16_t* background, const std::uint16_t* overlay, size_t count, int backgroundPercent)
{
    if (!background || !overlay)
        return;
    const std::uint32_t m = static_cast<std::uint32_t>(std::clamp(backgroundPercent, 0, 100));
    const std::uint32_t n = 100 - m;
    for (size_t i = 0; i < count; ++i) {
        const std::uint32_t o = overlay[i];
        if (o == 0)
            continue;  // black is the overlay's "nothing drawn here"
        const std::uint32_t b = background[i];
        std::uint32_t out = 0;
        // Each channel stays in its bit position: the products fit 32 bits.
        for (const std::uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
            out |= (((b & mask) * m + (o & mask) * n) / 100) & mask;
        background[i] = static_cast<std::uint16_t>(out);
    }
}
