// Icon images under Wine: real WIC decoding of real files, real shell icons,
// real GDI surfaces; the pixels are checked as the launcher will draw them.
#include "DeviceSandbox.h"
#include "FileSys.h"
#include "GdiCount.h"
#include "Imaging_win.h"
#include "engine/Gdi_win.h"
#include "engine/IconImage_win.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// The plug-in initialises COM on its thread; this program does it once.
class CComEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
    void TearDown() override { ::CoUninitialize(); }
};
::testing::Environment* const g_pComEnvironment = ::testing::AddGlobalTestEnvironment(new CComEnvironment);

// 2 × 2 RGBA PNG: (0,0) green at alpha 128, (1,0) red, (0,1) transparent, (1,1) blue.
const unsigned char kHalfPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xb6, 0x0d, 0x24, 0x00, 0x00, 0x00,
    0x16, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x63, 0x60, 0xf8, 0xcf, 0xd0, 0xf0, 0x9f, 0x81, 0xe1, 0x3f, 0x03,
    0x04, 0xfc, 0xff, 0x0f, 0x00, 0x30, 0xe8, 0x05, 0x7c, 0xa9, 0xb3, 0xe1, 0x70, 0x00, 0x00, 0x00, 0x00, 0x49,
    0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
// 2 × 2 RGBA PNG, every pixel opaque: red, (1,1) blue.
const unsigned char kOpaquePng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00,
    0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xb6, 0x0d, 0x24, 0x00, 0x00, 0x00,
    0x18, 0x49, 0x44, 0x41, 0x54, 0x08, 0xd7, 0x05, 0xc1, 0x01, 0x01, 0x00, 0x00, 0x08, 0xc3, 0x20, 0x6e, 0xff,
    0xce, 0x13, 0x16, 0xc1, 0xc1, 0xe4, 0x01, 0x21, 0x19, 0x03, 0x02, 0xb9, 0xc4, 0xa2, 0xf6, 0x00, 0x00, 0x00,
    0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};
// 4 × 4 GIF, red with a transparent colour at (0,0) and (3,3).
const unsigned char kTransparentGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x04, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x00, 0x02, 0x04, 0x0c, 0x8e, 0x99, 0x51, 0x00, 0x3b};

template <size_t N>
std::string Bytes(const unsigned char (&data)[N])
{
    return std::string(reinterpret_cast<const char*>(data), N);
}

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// The headers of a BMP file; palette entries follow them.
std::string BmpHeaders(int width, int height, int bpp, std::uint32_t dataSize, std::uint32_t paletteSize)
{
    const std::uint32_t offset = 54 + 4 * paletteSize;
    std::string out = "BM";
    Put(out, offset + dataSize, 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(width), 4);
    Put(out, static_cast<std::uint32_t>(height), 4);
    Put(out, 1, 2);
    Put(out, static_cast<std::uint32_t>(bpp), 2);
    Put(out, 0, 4);
    Put(out, dataSize, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, paletteSize, 4);
    Put(out, 0, 4);
    return out;
}

// A 24-bit BMP of one colour (0xRRGGBB), the other colour on its diagonal;
// without pixels it is only the headers that claim the size.
std::string Bmp24(int width, int height, std::uint32_t rgb, bool withPixels = true, std::uint32_t diagonal = 0)
{
    const int stride = DibStride(width, 24);
    std::string out = BmpHeaders(width, height, 24, withPixels ? static_cast<std::uint32_t>(stride * height) : 0, 0);
    for (int y = height - 1; withPixels && y >= 0; --y) {  // bottom-up
        std::string row;
        for (int x = 0; x < width; ++x)
            Put(row, x == y ? diagonal : rgb, 3);
        row.resize(static_cast<size_t>(stride), '\0');
        out += row;
    }
    return out;
}

// A 1-bit BMP, all black: a few bytes per thousand pixels.
std::string Bmp1(int width, int height)
{
    const std::uint32_t dataSize = static_cast<std::uint32_t>(DibStride(width, 1) * height);
    std::string out = BmpHeaders(width, height, 1, dataSize, 2);
    Put(out, 0x000000, 4);  // the palette: black, white
    Put(out, 0xFFFFFF, 4);
    out.resize(out.size() + dataSize, '\0');
    return out;
}

// A pixel as stored: 32 bits as 0xAARRGGBB, 24 bits as 0xRRGGBB, 16 bits as RGB565.
std::uint32_t Stored(const IconEntry& e, int x, int y)
{
    const CIconBitmap* b = IconBitmap(e);
    std::uint32_t value = 0;
    std::memcpy(&value, b->Row(y) + x * (b->BitsPerPixel() / 8), static_cast<size_t>(b->BitsPerPixel() / 8));
    return value;
}

int CountPixels(const IconEntry& e, bool equalToKey)
{
    int n = 0;
    for (int y = 0; y < e.imageHeight; ++y)
        for (int x = 0; x < e.imageWidth; ++x)
            n += (::GetPixel(IconImageDC(e), x, y) == e.transparentColor) == equalToKey;
    return n;
}

class IconImage : public ::testing::Test {
protected:
    IconImage()
    {
        MountDeviceFolder(kIcons, (SampleFolder() / "Icon").wstring());
        MountDeviceFolder(L"\\Windows", L"C:\\windows");
    }

    static IconEntry Entry(std::uint16_t type, const std::wstring& path, const std::wstring& image)
    {
        IconEntry e;
        e.nAppType = type;
        e.Path = path;
        e.IconFile = image;
        return e;
    }

    static constexpr const wchar_t* kIcons = L"\\Program Files\\Orvane\\Icon\\";
    static constexpr const wchar_t* kNotepad = L"\\Windows\\notepad.exe";
    static constexpr const wchar_t* kMissingProgram = L"\\Windows\\no-such-tool.exe";
    CDeviceSandbox m_dev;
};

// The key-colour search, on icons made here so that every pixel is known:
// opaque pixels first, in row order, the rest transparent.
class CTestIcon {
public:
    explicit CTestIcon(const std::vector<std::uint16_t>& opaque)
    {
        void* colourBits = nullptr;
        CBitmapObj colour(CreateTopDownSection(kShellIconSide, kShellIconSide, 24, &colourBits));
        std::vector<std::uint8_t> mask(static_cast<size_t>(kShellIconSide * kShellIconSide / 8), 0xFF);
        for (size_t i = 0; i < opaque.size(); ++i) {
            // 565 widened so that GDI narrows it back to the same value.
            const std::uint16_t p = opaque[i];
            const unsigned r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
            auto* px = static_cast<std::uint8_t*>(colourBits) + i * 3;
            px[0] = static_cast<std::uint8_t>((b << 3) | (b >> 2));
            px[1] = static_cast<std::uint8_t>((g << 2) | (g >> 4));
            px[2] = static_cast<std::uint8_t>((r << 3) | (r >> 2));
            mask[i / 8] = static_cast<std::uint8_t>(mask[i / 8] & ~(0x80u >> (i % 8)));
        }
        CBitmapObj maskBitmap(::CreateBitmap(kShellIconSide, kShellIconSide, 1, 1, mask.data()));
        ICONINFO info = {TRUE, 0, 0, maskBitmap.Get(), colour.Get()};
        m_hIcon = ::CreateIconIndirect(&info);
    }
    ~CTestIcon() { ::DestroyIcon(m_hIcon); }
    CTestIcon(const CTestIcon&) = delete;
    CTestIcon& operator=(const CTestIcon&) = delete;
    HICON Get() const { return m_hIcon; }

private:
    HICON m_hIcon = nullptr;
};

}  // namespace

TEST_F(IconImage, SampleImagesLoadAsTheirKind)
{
    struct Case {
        const wchar_t* file;
        bool alpha;
        int width, height;
        COLORREF transparent;
    };
    const Case cases[] = {
        {L"Notes.png", true, 64, 64, RGB(0, 0, 0)},         {L"ClockFace.png", true, 128, 128, RGB(0, 0, 0)},
        {L"IconApp0.bmp", false, 64, 64, RGB(255, 0, 255)}, {L"IconAppURL.bmp", false, 64, 64, RGB(255, 0, 255)},
        {L"IconPage0.bmp", false, 64, 64, RGB(255, 0, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.file);
        IconEntry e = Entry(APP_PROGRAM, kNotepad, std::wstring(kIcons) + c.file);
        ASSERT_EQ(1, LoadIconImage(e));
        ASSERT_NE(nullptr, IconBitmap(e));
        EXPECT_EQ(c.alpha ? 32 : 24, IconBitmap(e)->BitsPerPixel());
        EXPECT_EQ(c.alpha, (e.flags & ICON_ALPHA) != 0);
        EXPECT_EQ(c.width, e.imageWidth);
        EXPECT_EQ(c.height, e.imageHeight);
        EXPECT_EQ(c.transparent, e.transparentColor);
        if (!c.alpha)
            continue;
        // Premultiplied: no colour channel exceeds its alpha.
        int partly = 0;
        for (int y = 0; y < e.imageHeight; ++y)
            for (int x = 0; x < e.imageWidth; ++x) {
                const std::uint32_t p = Stored(e, x, y);
                const std::uint32_t a = p >> 24;
                ASSERT_LE((p >> 16) & 0xFF, a) << x << "," << y;
                ASSERT_LE((p >> 8) & 0xFF, a) << x << "," << y;
                ASSERT_LE(p & 0xFF, a) << x << "," << y;
                partly += a != 0 && a != 0xFF;
            }
        EXPECT_GT(partly, 0);
    }
}

TEST_F(IconImage, SmallFilesDecodeToExactPixels)
{
    struct Pixel {
        int x, y;
        std::uint32_t stored;
    };
    struct Case {
        const wchar_t* name;
        std::string bytes;
        bool alpha;
        int width, height;
        std::vector<Pixel> pixels;
    };
    const Case cases[] = {
        // 50 % green is stored as half of 255: 0x80 in both alpha and green.
        {L"half.png", Bytes(kHalfPng), true, 2, 2,
         {{0, 0, 0x80008000}, {1, 0, 0xFFFF0000}, {0, 1, 0x00000000}, {1, 1, 0xFF0000FF}}},
        // A GIF claims no alpha; its transparent colour still must not show.
        {L"transparent.gif", Bytes(kTransparentGif), true, 4, 4,
         {{0, 0, 0x00000000}, {1, 0, 0xFFFF0000}, {2, 2, 0xFFFF0000}, {3, 3, 0x00000000}}},
        // An alpha channel that every pixel leaves opaque is no alpha.
        {L"opaque.png", Bytes(kOpaquePng), false, 2, 2, {{0, 0, 0xFF0000}, {1, 1, 0x0000FF}}},
        // Rows of three pixels: padded to four bytes.
        {L"plain.bmp", Bmp24(3, 2, 0x336699, true, 0xFFEE00), false, 3, 2,
         {{0, 0, 0xFFEE00}, {1, 0, 0x336699}, {1, 1, 0xFFEE00}, {2, 1, 0x336699}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        const std::wstring path = std::wstring(L"\\img\\") + c.name;
        m_dev.WriteFile(path, c.bytes);
        IconEntry e = Entry(APP_PROGRAM, kNotepad, path);
        ASSERT_EQ(1, LoadIconImage(e));
        EXPECT_EQ(c.alpha, (e.flags & ICON_ALPHA) != 0);
        ASSERT_EQ(c.width, e.imageWidth);
        ASSERT_EQ(c.height, e.imageHeight);
        for (const Pixel& p : c.pixels) {
            EXPECT_EQ(p.stored, Stored(e, p.x, p.y)) << p.x << "," << p.y;
            // And GDI reads the same colour there.
            const COLORREF seen = ::GetPixel(IconImageDC(e), p.x, p.y);
            EXPECT_EQ(p.stored & 0xFFFFFF,
                      (GetRValue(seen) << 16u) | (GetGValue(seen) << 8u) | GetBValue(seen)) << p.x << "," << p.y;
        }
        EXPECT_EQ(::GetPixel(IconImageDC(e), 0, 0), e.transparentColor);
    }
}

TEST_F(IconImage, LargeImagesAreScaledDownToFit)
{
    struct Case {
        int width, height, fitWidth, fitHeight;
    };
    const Case cases[] = {{2000, 1000, 1024, 512}, {1, 3000, 1, 1024}, {1024, 1024, 1024, 1024}, {1500, 1500, 1024, 1024}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        m_dev.WriteFile(L"\\img\\big.bmp", Bmp24(c.width, c.height, 0x20C040, true, 0x20C040));
        IconEntry e = Entry(APP_PROGRAM, kNotepad, L"\\img\\big.bmp");
        ASSERT_EQ(1, LoadIconImage(e));
        EXPECT_EQ(c.fitWidth, e.imageWidth);
        EXPECT_EQ(c.fitHeight, e.imageHeight);
        EXPECT_EQ(0x20C040u, Stored(e, e.imageWidth / 2, e.imageHeight / 2));
    }
}

// An image that cannot be used is no image: a program gets its shell icon,
// and the image size stays one that the drawing can divide by.
namespace {

// What the shell path makes: the keyed 64 x 64 RGB565 image, or an icon's
// own 32-bit alpha image at the icon's size.
bool IsShellIconImage(const IconEntry& e)
{
    const CIconBitmap* b = IconBitmap(e);
    if (!b)
        return false;
    if (e.flags & ICON_ALPHA)
        return b->BitsPerPixel() == 32 && e.imageWidth > 0 && e.imageWidth <= 4 * kShellIconSide &&
               e.imageHeight == e.imageWidth;
    return b->BitsPerPixel() == 16 && e.imageWidth == kShellIconSide && e.imageHeight == kShellIconSide;
}

// Pixels of an alpha image that show (alpha above 0) or not.
int CountAlpha(const IconEntry& e, bool shown)
{
    const CIconBitmap* b = IconBitmap(e);
    int n = 0;
    for (int y = 0; y < b->Height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(b->Row(y));
        for (int x = 0; x < b->Width(); ++x)
            n += ((row[x] >> 24) != 0) == shown ? 1 : 0;
    }
    return n;
}

}  // namespace

TEST_F(IconImage, BrokenOrEmptyImagesFallBackToTheShellIcon)
{
    struct Case {
        const char* name;
        bool write;
        std::string bytes;
    };
    const Case cases[] = {
        {"missing file", false, ""},
        {"empty file", true, ""},
        {"not an image", true, "GIF89a but nothing more"},
        {"zero width", true, Bmp24(0, 4, 0)},
        {"zero height", true, Bmp24(4, 0, 0)},
        {"cut-off PNG", true, Bytes(kHalfPng).substr(0, 40)},
        {"pixel data cut off", true, Bmp24(300, 300, 0, false)},
        {"more pixels than any icon needs", true, Bmp1(4097, 4097)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveFile(L"\\img\\bad.png");
        if (c.write)
            m_dev.WriteFile(L"\\img\\bad.png", c.bytes);

        // The program's icon instead: keyed on 64 x 64, or with its own alpha
        // channel at the icon's size — never the broken file's.
        IconEntry program = Entry(APP_PROGRAM, kNotepad, L"\\img\\bad.png");
        program.flags = ICON_ALPHA;
        ASSERT_EQ(1, LoadIconImage(program));
        EXPECT_TRUE(IsShellIconImage(program));

        IconEntry recent = Entry(APP_RECENT_FIRST, L"", L"\\img\\bad.png");
        EXPECT_EQ(0, LoadIconImage(recent));
        EXPECT_EQ(nullptr, recent.image);
        EXPECT_NE(0, recent.imageWidth);
        EXPECT_NE(0, recent.imageHeight);
    }
}

TEST_F(IconImage, ShellIconsOfPathsThatExistAndThatDoNot)
{
    // An EXE shows its own icon (Wine's shell gives every program the generic
    // one; the file's own is taken then), a missing one the generic icon. A
    // folder shows the folder icon, but only when its device path reaches
    // the real folder. What names no file shows nothing.
    struct Case {
        std::uint16_t type;
        const wchar_t* path;
        bool shows;
    };
    const Case cases[] = {
        {APP_PROGRAM, kNotepad, true},       {APP_PROGRAM, kMissingProgram, true},
        {APP_SHORTCUT, L"\\Windows", true}, {APP_PAGELINK, L"Home", false},
        {APP_NONE, L"", false},
    };
    std::vector<std::uint32_t> pixels[std::size(cases)];
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << i);
        IconEntry e = Entry(c.type, c.path, L"");
        ASSERT_EQ(1, LoadIconImage(e));
        ASSERT_TRUE(IsShellIconImage(e));
        if (!c.shows) {
            EXPECT_EQ(0, e.flags & ICON_ALPHA);
            EXPECT_EQ(0, CountPixels(e, false));
        } else if (e.flags & ICON_ALPHA) {
            // A PC's shell icons carry alpha: kept, no key around them.
            EXPECT_GT(CountAlpha(e, true), 100) << "the icon shows";
            EXPECT_GT(CountAlpha(e, false), 100) << "around it, nothing";
        } else {
            EXPECT_GT(CountPixels(e, false), 200) << "the icon shows";
            EXPECT_GT(CountPixels(e, true), 200) << "around it, the key";
        }
        for (int y = 0; y < e.imageHeight; ++y)
            for (int x = 0; x < e.imageWidth; ++x)
                pixels[i].push_back(Stored(e, x, y));
    }
    EXPECT_TRUE(pixels[2] != pixels[1]) << "the folder has its own icon";
}

TEST_F(IconImage, KeyColourIsOneTheIconDoesNotUse)
{
    struct Case {
        const char* name;
        std::vector<std::uint16_t> opaque;
        std::uint16_t key;
    };
    // Each key is the 565 pixel of a 13-bit code: 8191 is F7DE, 8190 F7DC,
    // 8189 F7DA, 8188 F7D8. White (FFFF) reduces to 8191.
    const Case cases[] = {
        {"no light colour", {0x001F, 0x07E0}, 0xF7DE},
        {"white takes the first candidate", {0xFFFF}, 0xF7DC},
        {"white, then the next candidate", {0xFFFF, 0xF7DC}, 0xF7DA},
        {"a code seen before it became the candidate", {0xF7DA, 0xFFFF, 0xF7DC}, 0xF7D8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FreeIconScratch();  // a fresh scratch holds nothing of earlier icons
        CTestIcon icon(c.opaque);
        IconEntry e;
        ASSERT_EQ(1, MakeShellIconImage(e, icon.Get()));
        for (size_t i = 0; i < c.opaque.size(); ++i)
            EXPECT_EQ(c.opaque[i], Stored(e, static_cast<int>(i), 0));
        EXPECT_EQ(c.key, Stored(e, 63, 63));
        EXPECT_EQ(::GetPixel(IconImageDC(e), 63, 63), e.transparentColor);
    }

    // 2048 colours, among them every key of the 512 highest codes.
    std::vector<std::uint16_t> many;
    for (unsigned p = 0xF7FF; p >= 0xF000; --p)
        many.push_back(static_cast<std::uint16_t>(p));
    CTestIcon icon(many);
    IconEntry e;
    ASSERT_EQ(1, MakeShellIconImage(e, icon.Get()));
    const std::uint16_t key = static_cast<std::uint16_t>(Stored(e, 0, 63));
    const std::set<std::uint16_t> used(many.begin(), many.end());
    EXPECT_EQ(0u, used.count(key)) << std::hex << key;
    for (size_t i = 0; i < many.size(); ++i)
        ASSERT_EQ(many[i], Stored(e, static_cast<int>(i % 64), static_cast<int>(i / 64))) << i;
    EXPECT_EQ(::GetPixel(IconImageDC(e), 0, 32), e.transparentColor);
    EXPECT_EQ(4096 - 2048, CountPixels(e, true));
}

TEST_F(IconImage, LoadAndClearCyclesLeaveNoGdiObjects)
{
    IconList list;
    const IconEntry kinds[] = {
        Entry(APP_PROGRAM, kNotepad, std::wstring(kIcons) + L"Notes.png"),
        Entry(APP_PROGRAM, kNotepad, std::wstring(kIcons) + L"IconApp0.bmp"),
        Entry(APP_PROGRAM, kNotepad, L""),
        Entry(APP_SHORTCUT, kMissingProgram, L"\\img\\missing.png"),
        Entry(APP_PAGELINK, L"Home", L""),  // no shell icon: the keyed scratch path
    };
    for (const IconEntry& e : kinds)
        AddIcon(list, e, -1);
    auto cycle = [&] {
        for (size_t i = 0; i < list.entries.size(); ++i) {
            list.entries[i] = kinds[i];
            ASSERT_EQ(1, LoadIconImage(list.entries[i]));
            ClearIconSlot(list, i, false);
            ASSERT_EQ(nullptr, list.entries[i].image);
        }
    };
    for (int i = 0; i < 3; ++i)  // the shell and WIC make their own objects once
        cycle();
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 500; ++i) {
        cycle();
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(before, GdiObjectCount());

    // The scratch surface is one section and one DC, made again when needed.
    FreeIconScratch();
    EXPECT_EQ(before - 2, GdiObjectCount());
    cycle();
    EXPECT_EQ(before, GdiObjectCount());
}

namespace {

std::uint16_t To565(COLORREF c)
{
    return static_cast<std::uint16_t>(((GetRValue(c) >> 3) << 11) | ((GetGValue(c) >> 2) << 5) | (GetBValue(c) >> 3));
}

COLORREF From565(std::uint16_t p)
{
    const unsigned r = p >> 11, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return RGB((r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2));
}

// As the launcher draws an icon: per-pixel alpha, or leaving out the key.
void DrawLikeTheLauncher(HDC target, const IconEntry& e, int left, int top, int size)
{
    const int height = size * e.imageHeight / e.imageWidth;
    if (e.flags & ICON_ALPHA) {
        const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(target, left, top, size, height, IconImageDC(e), 0, 0, e.imageWidth, e.imageHeight, blend);
    } else {
        ::TransparentBlt(target, left, top, size, height, IconImageDC(e), 0, 0, e.imageWidth, e.imageHeight,
                         e.transparentColor);
    }
}

// An RGB565 surface written out as a PNG, to look at.
bool WritePng(const CIconBitmap& surface, const std::wstring& path)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x) {
            std::uint16_t p;
            std::memcpy(&p, surface.Row(y) + x * 2, 2);
            const COLORREF c = From565(p);
            pixels.push_back(0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
        }
    const UINT width = static_cast<UINT>(surface.Width()), height = static_cast<UINT>(surface.Height());
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_PPV_ARGS(&factory))) &&
           SUCCEEDED(factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat32bppBGRA, width * 4,
                                                     width * height * 4,
                                                     reinterpret_cast<BYTE*>(pixels.data()), &bitmap)) &&
           SUCCEEDED(factory->CreateStream(&stream)) &&
           SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
           SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
           SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
           SUCCEEDED(frame->WriteSource(bitmap.Get(), nullptr)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

}  // namespace

// Every kind of image drawn over a coloured background at two sizes, as the
// launcher draws them: the background shows where the image is transparent,
// and no key colour is left. With ORV_ICON_SHEET set to a file name the
// result is written there as a PNG.
TEST_F(IconImage, ImagesComposeOntoABackground)
{
    m_dev.WriteFile(L"\\img\\half.png", Bytes(kHalfPng));
    m_dev.WriteFile(L"\\img\\transparent.gif", Bytes(kTransparentGif));
    std::vector<IconEntry> entries;
    for (const wchar_t* file : {L"Notes.png", L"ClockFace.png", L"Web.png", L"IconApp0.bmp", L"IconAppURL.bmp",
                                L"IconPage0.bmp"})
        entries.push_back(Entry(APP_PROGRAM, kNotepad, std::wstring(kIcons) + file));
    entries.push_back(Entry(APP_PROGRAM, kNotepad, L"\\img\\half.png"));
    entries.push_back(Entry(APP_PROGRAM, kNotepad, L"\\img\\transparent.gif"));
    entries.push_back(Entry(APP_PROGRAM, kNotepad, L""));
    entries.push_back(Entry(APP_PROGRAM, L"\\Windows", L""));

    const COLORREF background = RGB(0x29, 0x5D, 0xA5);  // exact in RGB565
    const int pitch = 104, sizes[] = {64, 96};
    std::unique_ptr<CIconBitmap> sheet =
        CIconBitmap::Make(pitch * static_cast<int>(entries.size()), 8 + 64 + 8 + 96 + 8, 16);
    ASSERT_NE(nullptr, sheet);
    for (int y = 0; y < sheet->Height(); ++y) {
        auto* row = reinterpret_cast<std::uint16_t*>(sheet->Row(y));
        std::fill(row, row + sheet->Width(), To565(background));
    }

    int top = 8;
    for (int size : sizes) {
        for (size_t i = 0; i < entries.size(); ++i) {
            IconEntry& e = entries[i];
            SCOPED_TRACE(testing::Message() << "entry " << i << " at " << size);
            if (!e.image) {
                ASSERT_EQ(1, LoadIconImage(e));
            }
            const int left = static_cast<int>(i) * pitch + 4;
            DrawLikeTheLauncher(sheet->DC(), e, left, top, size);
            ::GdiFlush();
            const bool clearCorner = (e.flags & ICON_ALPHA) ? (Stored(e, 0, 0) >> 24) == 0
                                                            : ::GetPixel(IconImageDC(e), 0, 0) == e.transparentColor;
            if (clearCorner) {
                EXPECT_EQ(background, ::GetPixel(sheet->DC(), left, top)) << "a transparent corner";
            }
            const std::uint16_t key = (e.flags & ICON_ALPHA) ? 0 : To565(e.transparentColor);
            for (int y = top; y < top + size; ++y)
                for (int x = left; x < left + size; ++x) {
                    const COLORREF c = ::GetPixel(sheet->DC(), x, y);
                    ASSERT_NE(RGB(255, 0, 255), c) << x << "," << y;
                    if (key) {
                        ASSERT_NE(key, To565(c)) << x << "," << y;
                    }
                }
        }
        top += size + 8;
    }

    // Half-transparent green over the background, in the half.png box.
    const COLORREF half = ::GetPixel(sheet->DC(), 6 * pitch + 4 + 8, 8 + 8);
    EXPECT_NEAR(GetRValue(background) * 127 / 255, GetRValue(half), 8);
    EXPECT_NEAR(128 + GetGValue(background) * 127 / 255, GetGValue(half), 8);
    EXPECT_NEAR(GetBValue(background) * 127 / 255, GetBValue(half), 8);

    if (const char* out = std::getenv("ORV_ICON_SHEET")) {
        EXPECT_TRUE(WritePng(*sheet, std::wstring(out, out + std::strlen(out))));
    }
}
