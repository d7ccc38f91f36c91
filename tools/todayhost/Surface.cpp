#include "Surface.h"

namespace {

HBITMAP MakeSection(int width, int height, std::uint32_t** bits)
{
    void* p = nullptr;
    HBITMAP bitmap = CreateTopDownSection(width, height, 32, &p);
    *bits = static_cast<std::uint32_t*>(p);
    return bitmap;
}

}  // namespace

CSurface::CParts::CParts(int width, int height)
    : dc(nullptr), bitmap(MakeSection(width, height, &bits)), select(dc.Get(), bitmap.Get())
{
}

bool CSurface::Create(int width, int height)
{
    m_pParts.reset();
    m_nWidth = m_nHeight = 0;
    if (width <= 0 || height <= 0)
        return false;
    auto parts = std::make_unique<CParts>(width, height);
    if (!parts->dc || !parts->bitmap || !parts->bits || !parts->select.Ok())
        return false;
    m_pParts = std::move(parts);
    m_nWidth = width;
    m_nHeight = height;
    return true;
}
