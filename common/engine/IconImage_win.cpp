#include "engine/IconImage_win.h"

#include "FileSys.h"
#include "Imaging_win.h"
#include "engine/Handle_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <bitset>
#include <cstring>
#include <vector>

namespace {

constexpr int kShellIconPixels = kShellIconSide * kShellIconSide;

// The shell-icon scratch surface; its destructor frees whatever is left at
// the end of the process.
std::unique_ptr<CIconBitmap> g_pIconScratch;

// A RGB565 pixel reduced to the 13 bits that tell key colours apart.
unsigned KeyCode(std::uint16_t p)
{
    return ((p & 0x1Eu) | (((p & 0x7E0u) | ((p >> 1) & 0x7C00u)) >> 1)) >> 1;
}

// The RGB565 pixel of a 13-bit code.
std::uint16_t KeyPixel(unsigned h)
{
    return static_cast<std::uint16_t>((((h & 0xFu) | (((h & 0x1F0u) | ((h >> 9) << 10)) << 1)) << 1) & 0xFFFFu);
}

// The highest code that no pixel uses. Codes below the candidate are noted as
// they pass; meeting the candidate moves it down past every noted code, so a
// code met before it became the candidate is skipped too.
unsigned ChooseKeyCode(const std::uint16_t* pixels)
{
    std::bitset<8192> seen;
    unsigned candidate = 8191;
    for (int i = 0; i < kShellIconPixels; ++i) {
        const unsigned code = KeyCode(pixels[i]);
        if (code < candidate) {
            seen.set(code);
        } else if (code == candidate) {
            while (candidate > 0 && (candidate == code || seen.test(candidate)))
                --candidate;
        }
    }
    return candidate;
}

std::uint16_t* Pixels565(CIconBitmap& b) { return reinterpret_cast<std::uint16_t*>(b.Row(0)); }

CIconBitmap* IconScratch()
{
    if (!g_pIconScratch)
        g_pIconScratch = CIconBitmap::Make(kShellIconSide, kShellIconSide, 16);
    return g_pIconScratch.get();
}

bool LoadImageFile(IconEntry& e)
{
    DecodedImage decoded;
    // The decoder refuses a zero-sized image: the image's width is a divisor
    // when the icon is drawn.
    if (!DecodeImageFile(e.IconFile, decoded, kIconImageFit))
        return false;
    const int width = static_cast<int>(decoded.width);
    const int height = static_cast<int>(decoded.height);
    std::unique_ptr<CIconBitmap> bitmap = CIconBitmap::Make(width, height, decoded.hasAlpha ? 32 : 24);
    if (!bitmap)
        return false;
    const std::uint32_t* src = decoded.pixels.data();
    for (int y = 0; y < height; ++y, src += width) {
        std::uint8_t* row = bitmap->Row(y);
        if (decoded.hasAlpha) {
            std::memcpy(row, src, static_cast<size_t>(width) * 4);
            continue;
        }
        // Opaque: premultiplied and straight colours are the same.
        for (int x = 0; x < width; ++x) {
            *row++ = static_cast<std::uint8_t>(src[x]);
            *row++ = static_cast<std::uint8_t>(src[x] >> 8);
            *row++ = static_cast<std::uint8_t>(src[x] >> 16);
        }
    }
    if (decoded.hasAlpha)
        e.flags |= ICON_ALPHA;
    e.imageWidth = static_cast<std::uint16_t>(width);
    e.imageHeight = static_cast<std::uint16_t>(height);
    e.transparentColor = ::GetPixel(bitmap->DC(), 0, 0);
    e.image = std::move(bitmap);
    return true;
}

// Entries whose Path names a file (not a page, not nothing).
bool PathIsFile(const IconEntry& e)
{
    switch (e.nAppType) {
    case APP_PROGRAM:
    case APP_SHORTCUT:
    case APP_FAVORITE:
    case APP_RUNNING_TASK: return !e.Path.empty();
    default: return false;
    }
}

// The shell's large icon of the entry's Path; null when the shell has none.
HICON ShellIcon(const IconEntry& e)
{
    // An empty path would get the icon of the current folder.
    if (e.Path.empty())
        return nullptr;
    UINT how = SHGFI_SYSICONINDEX | SHGFI_LARGEICON;
    // Without this the shell gives nothing for a file that is not there;
    // with it, a program on a card taken out or one uninstalled still shows
    // the generic icon of its kind of file. A page name is no file: it stays
    // without icon, as on the device.
    if (PathIsFile(e) && !FileExists(e.Path))
        how |= SHGFI_USEFILEATTRIBUTES;
    SHFILEINFOW info = {};
    const std::wstring path = MapDevicePath(e.Path);
    const auto list = reinterpret_cast<HIMAGELIST>(
        ::SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), how));
    if (!list)
        return nullptr;
    // Some shells (Wine's) give every program the image list's generic icon
    // 0; the program's own icon is then taken from the file itself.
    HICON own = nullptr;
    if (info.iIcon == 0 && !(how & SHGFI_USEFILEATTRIBUTES) &&
        ::PrivateExtractIconsW(path.c_str(), 0, kShellIconSide, kShellIconSide, &own, nullptr, 1, 0) == 1 && own)
        return own;
    return ::ImageList_GetIcon(list, info.iIcon, ILD_NORMAL);
}

}  // namespace

CIconBitmap::CIconBitmap(CMemDC dc, CBitmapObj bitmap, void* bits, int width, int height, int bpp)
    : m_dc(std::move(dc)), m_bitmap(std::move(bitmap)), m_select(m_dc.Get(), m_bitmap.Get()),
      m_pBits(static_cast<std::uint8_t*>(bits)), m_nWidth(width), m_nHeight(height), m_nBpp(bpp)
{
}

bool CIconBitmap::DrawKeyed(HDC dest, int x, int y, int width, int height, COLORREF key) const
{
    // A stamp of the pixels, so that a kept pair never shows pixels that
    // have changed since; word sums are cheap next to a blit.
    ::GdiFlush();
    std::uint64_t stamp = 0;
    const size_t bytes = static_cast<size_t>(Stride()) * static_cast<size_t>(m_nHeight);
    for (size_t i = 0; i + 8 <= bytes; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, m_pBits + i, 8);
        stamp = ((stamp << 7) | (stamp >> 57)) ^ word;
    }
    for (size_t i = bytes & ~static_cast<size_t>(7); i < bytes; ++i)
        stamp = ((stamp << 7) | (stamp >> 57)) ^ m_pBits[i];
    return m_keyed.Draw(dest, x, y, width, height, m_dc.Get(), m_nWidth, m_nHeight, key, stamp);
}

std::unique_ptr<CIconBitmap> CIconBitmap::Make(int width, int height, int bitsPerPixel)
{
    CMemDC dc(nullptr);
    void* bits = nullptr;
    CBitmapObj bitmap(CreateTopDownSection(width, height, bitsPerPixel, &bits));
    if (!dc || !bitmap)
        return nullptr;
    std::unique_ptr<CIconBitmap> made(
        new CIconBitmap(std::move(dc), std::move(bitmap), bits, width, height, bitsPerPixel));
    if (!made->m_select.Ok())
        return nullptr;
    return made;
}

namespace {

// The icon's own colours when it carries an alpha channel (every icon of a
// PC's shell does; the device's do not): drawn over a key colour its soft
// edges would leave a fringe of the key, so it becomes an alpha image.
bool MakeAlphaIconImage(IconEntry& e, HICON icon)
{
    ICONINFO info = {};
    if (!icon || !::GetIconInfo(icon, &info))
        return false;
    CBitmapObj colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm = {};
    if (!colour || !::GetObjectW(colour.Get(), sizeof(bm), &bm) || bm.bmBitsPixel != 32 || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0 || bm.bmWidth > kShellIconSide * 4 || bm.bmHeight > kShellIconSide * 4)
        return false;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> argb(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    CScreenDC screen;
    if (::GetDIBits(screen.Get(), colour.Get(), 0, static_cast<UINT>(bm.bmHeight), argb.data(), &bi,
                    DIB_RGB_COLORS) == 0)
        return false;
    if (std::none_of(argb.begin(), argb.end(), [](std::uint32_t p) { return (p >> 24) != 0; }))
        return false;  // no alpha channel: the mask decides, as on the device
    std::unique_ptr<CIconBitmap> bitmap = CIconBitmap::Make(bm.bmWidth, bm.bmHeight, 32);
    if (!bitmap)
        return false;
    const std::uint32_t* src = argb.data();
    for (int y = 0; y < bm.bmHeight; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(bitmap->Row(y));
        for (int x = 0; x < bm.bmWidth; ++x, ++src) {
            const std::uint32_t a = *src >> 24;
            auto premultiplied = [a](std::uint32_t c) { return c * a / 255; };
            row[x] = (a << 24) | (premultiplied((*src >> 16) & 0xFF) << 16) | (premultiplied((*src >> 8) & 0xFF) << 8) |
                     premultiplied(*src & 0xFF);
        }
    }
    e.flags |= ICON_ALPHA;
    e.imageWidth = static_cast<std::uint16_t>(bm.bmWidth);
    e.imageHeight = static_cast<std::uint16_t>(bm.bmHeight);
    e.transparentColor = ::GetPixel(bitmap->DC(), 0, 0);
    e.image = std::move(bitmap);
    return true;
}

}  // namespace

int LoadIconImage(IconEntry& e)
{
    e.image.reset();
    e.flags &= static_cast<std::uint8_t>(~ICON_ALPHA);
    if (!e.IconFile.empty() && LoadImageFile(e))
        return 1;
    // Recent and task slots show their Link's image, never one of their own.
    if (IsRecentSlot(e.nAppType) || IsTaskSlot(e.nAppType))
        return 0;
    CIconHandle icon(ShellIcon(e));
    if (MakeAlphaIconImage(e, icon.Get()))
        return 1;
    return MakeShellIconImage(e, icon.Get());
}

int LoadIconFileImage(IconEntry& e)
{
    e.image.reset();
    e.flags &= static_cast<std::uint8_t>(~ICON_ALPHA);
    return !e.IconFile.empty() && LoadImageFile(e) ? 1 : 0;
}

int MakeShellIconImage(IconEntry& e, HICON icon)
{
    CIconBitmap* scratch = IconScratch();
    std::unique_ptr<CIconBitmap> own = CIconBitmap::Make(kShellIconSide, kShellIconSide, 16);
    if (!scratch || !own)
        return 0;
    e.imageWidth = e.imageHeight = static_cast<std::uint16_t>(kShellIconSide);

    // Drawn once over what the scratch held before, to find a colour the icon
    // does not use; the first two pixels are cleared so that a transparent
    // corner differs from any key.
    std::uint16_t* drawn = Pixels565(*scratch);
    drawn[0] = drawn[1] = 0;
    if (icon)
        ::DrawIconEx(scratch->DC(), 0, 0, icon, kShellIconSide, kShellIconSide, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    const std::uint16_t key = KeyPixel(ChooseKeyCode(drawn));

    std::uint16_t* mine = Pixels565(*own);
    std::fill(mine, mine + kShellIconPixels, key);
    e.transparentColor = ::GetPixel(own->DC(), 0, 0);
    if (icon)
        ::DrawIconEx(own->DC(), 0, 0, icon, kShellIconSide, kShellIconSide, 0, nullptr, DI_NORMAL);
    ::GdiFlush();

    // Where the two draws differ the icon let its background through: that
    // pixel is the key as GDI reads it back.
    for (int i = 0; i < kShellIconPixels; ++i) {
        if ((KeyCode(drawn[i]) >> 1) != (KeyCode(mine[i]) >> 1)) {
            e.transparentColor = ::GetPixel(own->DC(), i % kShellIconSide, i / kShellIconSide);
            break;
        }
    }
    e.image = std::move(own);
    return 1;
}

const CIconBitmap* IconBitmap(const IconEntry& e) { return dynamic_cast<const CIconBitmap*>(e.image.get()); }

HDC IconImageDC(const IconEntry& e)
{
    const CIconBitmap* bitmap = IconBitmap(e);
    return bitmap ? bitmap->DC() : nullptr;
}

void FreeIconScratch() { g_pIconScratch.reset(); }
