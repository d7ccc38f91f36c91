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
    HBITMAP section = CreateTopDownSection(static_cast<int>(image.width), static_cast<int>(image.height), 32, &bits);
    if (!section)
        return false;
    std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(std::uint32_t));
    if (m_surface.Make(nullptr, section))
        return true;
    Reset();
    return false;
}
