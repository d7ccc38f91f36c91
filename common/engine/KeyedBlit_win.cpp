#include "engine/KeyedBlit_win.h"

namespace {

// The depth of the bitmap dest draws on. GetDeviceCaps would tell the same,
// but under Wine it checks the display configuration with the server on
// every call, which cost more than a frame's copies; the bitmap's own
// header is read in the process.
int SelectedBitmapDepth(HDC dest)
{
    BITMAP header = {};
    HGDIOBJ bitmap = ::GetCurrentObject(dest, OBJ_BITMAP);
    return bitmap && ::GetObjectW(bitmap, sizeof header, &header) ? header.bmBitsPixel : 0;
}

}  // namespace

void CKeyedBlit::Reset()
{
    m_key.reset();
    m_selectImage.reset();
    m_selectMask.reset();
    m_image.Reset();
    m_mask.Reset();
    m_imageDC.Reset();
    m_maskDC.Reset();
}

bool CKeyedBlit::Make(HDC dest, int width, int height, HDC src, int srcWidth, int srcHeight, COLORREF key)
{
    Reset();
    // The image over black, the same over white, and their difference.
    CMemDC whiteDC(dest);
    CBitmapObj white(::CreateCompatibleBitmap(dest, width, height));
    m_imageDC = CMemDC(dest);
    m_image.Reset(::CreateCompatibleBitmap(dest, width, height));
    m_maskDC = CMemDC(dest);
    m_mask.Reset(::CreateBitmap(width, height, 1, 1, nullptr));
    if (!whiteDC || !white || !m_imageDC || !m_image || !m_maskDC || !m_mask)
        return false;
    m_selectImage.emplace(m_imageDC.Get(), m_image.Get());
    m_selectMask.emplace(m_maskDC.Get(), m_mask.Get());
    CSelectObj selectWhite(whiteDC.Get(), white.Get());
    if (!m_selectImage->Ok() || !m_selectMask->Ok() || !selectWhite.Ok())
        return false;
    if (!::PatBlt(m_imageDC.Get(), 0, 0, width, height, BLACKNESS) ||
        !::PatBlt(whiteDC.Get(), 0, 0, width, height, WHITENESS) ||
        !::TransparentBlt(m_imageDC.Get(), 0, 0, width, height, src, 0, 0, srcWidth, srcHeight, key) ||
        !::TransparentBlt(whiteDC.Get(), 0, 0, width, height, src, 0, 0, srcWidth, srcHeight, key))
        return false;
    // Where the key was, black and white differ: white after the XOR, and
    // white turns into the mask's 1 bits.
    if (!::BitBlt(whiteDC.Get(), 0, 0, width, height, m_imageDC.Get(), 0, 0, SRCINVERT))
        return false;
    ::SetBkColor(whiteDC.Get(), RGB(255, 255, 255));
    return ::BitBlt(m_maskDC.Get(), 0, 0, width, height, whiteDC.Get(), 0, 0, SRCCOPY) != FALSE;
}

bool CKeyedBlit::Draw(HDC dest, int x, int y, int width, int height, HDC src, int srcWidth, int srcHeight,
                      COLORREF key, std::uint64_t contentStamp)
{
    // Nothing to draw (TransparentBlt fails on these too).
    if (width <= 0 || height <= 0 || srcWidth < 0 || srcHeight < 0 || !dest || !src)
        return false;
    const Key want{width, height, srcWidth, srcHeight, SelectedBitmapDepth(dest), key, contentStamp};
    if (m_key != want) {
        if (!Make(dest, width, height, src, srcWidth, srcHeight, key)) {
            Reset();
            return ::TransparentBlt(dest, x, y, width, height, src, 0, 0, srcWidth, srcHeight, key) != FALSE;
        }
        m_key = want;
    }
    const COLORREF background = ::SetBkColor(dest, RGB(255, 255, 255));
    const COLORREF text = ::SetTextColor(dest, RGB(0, 0, 0));
    const bool done = ::BitBlt(dest, x, y, width, height, m_maskDC.Get(), 0, 0, SRCAND) &&
                      ::BitBlt(dest, x, y, width, height, m_imageDC.Get(), 0, 0, SRCPAINT);
    ::SetBkColor(dest, background);
    ::SetTextColor(dest, text);
    return done;
}
