// The image of an icon on Windows: a DIB section in a memory DC of its own,
// made on first draw from the entry's image file or, failing that, from the
// shell's icon of its program.
#pragma once

#include "config/IconEntry.h"
#include "engine/Gdi_win.h"
#include "engine/KeyedBlit_win.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// A top-down DIB section selected into a screen-compatible memory DC. The
// previous bitmap goes back into the DC before the section and the DC are
// deleted (member order does it).
class CIconBitmap final : public CIconImage {
public:
    // 16 (RGB565), 24 or 32 bits per pixel; null when GDI cannot make it.
    static std::unique_ptr<CIconBitmap> Make(int width, int height, int bitsPerPixel);

    HDC DC() const { return m_dc.Get(); }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int BitsPerPixel() const { return m_nBpp; }
    int Stride() const { return DibStride(m_nWidth, m_nBpp); }
    std::uint8_t* Row(int y) const { return m_pBits + static_cast<std::ptrdiff_t>(y) * Stride(); }
    // TransparentBlt of the whole image, with its stretched image and mask
    // kept for the next frame (they are made again when the size, the key
    // or the pixels change).
    bool DrawKeyed(HDC dest, int x, int y, int width, int height, COLORREF key) const;

private:
    CIconBitmap(CMemDC dc, CBitmapObj bitmap, void* bits, int width, int height, int bpp);

    CMemDC m_dc;
    CBitmapObj m_bitmap;
    CSelectObj m_select;
    std::uint8_t* m_pBits;
    int m_nWidth, m_nHeight, m_nBpp;
    mutable CKeyedBlit m_keyed;  // last: gone before the image it was made from
};

// Image files larger than this on a side are scaled down to fit it (keeping
// their shape): drawn at slot size anyway, and a full-size photo would hold
// megabytes per icon. Files over kImageMaxPixels are not decoded at all.
inline constexpr unsigned kIconImageFit = 1024;
// Side of the images made from shell icons.
inline constexpr int kShellIconSide = 64;

// Makes the entry's image. An IconFile that decodes gives a bitmap of its
// size (after kIconImageFit): 32 bits premultiplied with ICON_ALPHA set when
// a pixel is not opaque, else 24 bits; transparentColor is its pixel (0, 0).
// A missing, broken or empty image file counts as none. Without one, a
// recent or task slot stays without image; any other entry gets the shell's
// large icon of Path on a 64 × 64 RGB565 image, around it a key colour that
// the icon does not use, which is transparentColor. A program, shortcut or
// favourite that is not there gets the generic icon of its kind of file; an
// empty Path or a page name gets an image of nothing but the key. Returns 1
// when the entry has an image afterwards, else 0.
int LoadIconImage(IconEntry& entry);

// The image-file half of LoadIconImage alone: 1 when IconFile decoded into
// the entry's image; no shell icon otherwise (a clock's face is a file or
// nothing).
int LoadIconFileImage(IconEntry& entry);

// The shell-icon half of LoadIconImage with the icon given (not destroyed);
// a null icon gives an image of nothing but the key colour.
int MakeShellIconImage(IconEntry& entry, HICON icon);

// The entry's image, or null when it has none.
const CIconBitmap* IconBitmap(const IconEntry& entry);
// The DC that holds the entry's image, or null.
HDC IconImageDC(const IconEntry& entry);

// Frees the scratch surface that every shell icon is first drawn on (one per
// process, made on first use). The engine calls it when it frees its
// surfaces; a later load makes it again.
void FreeIconScratch();
