#include "PictureDC.h"

#include "Imaging_win.h"

#include <cstdint>
#include <cstring>

bool CPictureDC::Load(const std::wstring& devicePath)
{
    Reset();
    DecodedImage image;
    if (!DecodeImageFile(devicePath, image, 0))
        return false;
    void* bits = nullptr;
    m_bitmap.Reset(CreateTopDownSection(static_cast<int>(image.width), static_cast<int>(image.height), 32, &bits));
    if (!m_bitmap)
        return false;
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
    m_dc = CMemDC(nullptr);
    m_select.emplace(m_dc.Get(), m_bitmap.Get());
    return true;
}

void CPictureDC::Reset()
{
    m_select.reset();
    m_bitmap.Reset();
    m_dc.Reset();
}
