// The GDI holders under real GDI: each must free what it owns, exactly once,
// and a selection must go back into the DC it was made in.
#include "GdiCount.h"
#include "engine/Gdi_win.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>

namespace {

struct ObjectKind {
    const char* name;
    DWORD type;  // as GetCurrentObject and GetObjectType name it
    std::function<HGDIOBJ()> make;
};

const ObjectKind kKinds[] = {
    {"pen", OBJ_PEN, [] { return ::CreatePen(PS_SOLID, 1, RGB(1, 2, 3)); }},
    {"brush", OBJ_BRUSH, [] { return ::CreateSolidBrush(RGB(4, 5, 6)); }},
    {"font", OBJ_FONT,
     [] { return ::CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"); }},
    {"bitmap", OBJ_BITMAP, [] { return ::CreateBitmap(4, 4, 1, 32, nullptr); }},
};

bool Alive(HGDIOBJ h) { return ::GetObjectType(h) != 0; }

}  // namespace

TEST(GdiHolders, ObjectOwnerDeletesWhatItHoldsOnce)
{
    for (const ObjectKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const unsigned long before = GdiObjectCount();
        HGDIOBJ held = nullptr;
        {
            CGdiObject<HGDIOBJ> owner(kind.make());
            held = owner.Get();
            ASSERT_TRUE(Alive(held));
            EXPECT_EQ(before + 1, GdiObjectCount());
        }
        EXPECT_FALSE(Alive(held));
        EXPECT_EQ(before, GdiObjectCount());
    }

    const unsigned long before = GdiObjectCount();
    {
        CPenObj a(::CreatePen(PS_SOLID, 1, 0));
        const HPEN first = a.Get();
        a.Reset(::CreatePen(PS_DOT, 1, 0));  // the first one goes now
        EXPECT_FALSE(Alive(first));
        a.Reset(a.Get());  // taking what it holds deletes nothing
        EXPECT_TRUE(Alive(a.Get()));

        CPenObj b(std::move(a));  // one owner after a move
        EXPECT_EQ(nullptr, a.Get());
        CPenObj c;
        c = std::move(b);
        EXPECT_EQ(before + 1, GdiObjectCount());

        const HPEN kept = c.Release();  // given up: the caller deletes it
        EXPECT_FALSE(c);
        EXPECT_TRUE(Alive(kept));
        ::DeleteObject(kept);
    }
    EXPECT_EQ(before, GdiObjectCount());
}

TEST(GdiHolders, MemoryDCIsDeleted)
{
    const unsigned long before = GdiObjectCount();
    HDC held = nullptr;
    {
        CMemDC dc(nullptr);
        held = dc.Get();
        EXPECT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(held));
        CMemDC moved(std::move(dc));
        EXPECT_EQ(nullptr, dc.Get());
        EXPECT_EQ(held, moved.Get());
    }
    EXPECT_FALSE(Alive(held));
    EXPECT_EQ(before, GdiObjectCount());
}

// Two DCs side by side: a selection restored into the wrong DC, or into none,
// leaves its object selected, and a selected object is not freed by
// DeleteObject (Wine keeps it until it leaves its DC).
TEST(GdiHolders, SelectionPutsThePreviousObjectBackIntoItsOwnDC)
{
    for (const ObjectKind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const unsigned long before = GdiObjectCount();
        {
            CMemDC a(nullptr), b(nullptr);
            const HGDIOBJ originalA = ::GetCurrentObject(a.Get(), kind.type);
            const HGDIOBJ originalB = ::GetCurrentObject(b.Get(), kind.type);
            CGdiObject<HGDIOBJ> x(kind.make()), y(kind.make()), z(kind.make());
            {
                CSelectObj inA(a.Get(), x.Get());
                ASSERT_TRUE(inA.Ok());
                EXPECT_EQ(originalA, inA.Previous());
                EXPECT_EQ(x.Get(), ::GetCurrentObject(a.Get(), kind.type));
                {
                    CSelectObj inB(b.Get(), y.Get());
                    CSelectObj nested(a.Get(), z.Get());
                    EXPECT_EQ(z.Get(), ::GetCurrentObject(a.Get(), kind.type));
                    EXPECT_EQ(y.Get(), ::GetCurrentObject(b.Get(), kind.type));
                }
                EXPECT_EQ(x.Get(), ::GetCurrentObject(a.Get(), kind.type));
                EXPECT_EQ(originalB, ::GetCurrentObject(b.Get(), kind.type));
            }
            EXPECT_EQ(originalA, ::GetCurrentObject(a.Get(), kind.type));
            for (CGdiObject<HGDIOBJ>* o : {&x, &y, &z}) {
                const HGDIOBJ gone = o->Get();
                o->Reset();
                EXPECT_FALSE(Alive(gone));
            }
        }
        EXPECT_EQ(before, GdiObjectCount());
    }
}

TEST(GdiHolders, SelectionRestoredEarlyOrFailedPutsNothingBackLater)
{
    CMemDC a(nullptr), b(nullptr);
    CBitmapObj bitmap(::CreateBitmap(4, 4, 1, 32, nullptr));
    const HGDIOBJ originalA = ::GetCurrentObject(a.Get(), OBJ_BITMAP);
    const HGDIOBJ originalB = ::GetCurrentObject(b.Get(), OBJ_BITMAP);
    {
        CSelectObj inA(a.Get(), bitmap.Get());
        ASSERT_TRUE(inA.Ok());
        // A bitmap lives in one DC at a time: this selection fails and must
        // not "restore" anything into b.
        CSelectObj inB(b.Get(), bitmap.Get());
        EXPECT_FALSE(inB.Ok());
        EXPECT_EQ(originalB, ::GetCurrentObject(b.Get(), OBJ_BITMAP));

        inA.Restore();
        EXPECT_EQ(originalA, ::GetCurrentObject(a.Get(), OBJ_BITMAP));
        // Selected anew by hand: the holder has already put its object back.
        ::SelectObject(a.Get(), bitmap.Get());
    }
    EXPECT_EQ(bitmap.Get(), ::GetCurrentObject(a.Get(), OBJ_BITMAP));
    ::SelectObject(a.Get(), originalA);

    CSelectObj none(nullptr, bitmap.Get());
    EXPECT_FALSE(none.Ok());
}

TEST(GdiHolders, ScreenDCIsReleased)
{
    HDC first = nullptr;
    {
        CScreenDC screen;
        ASSERT_TRUE(screen);
        first = screen.Get();
        EXPECT_EQ(static_cast<DWORD>(OBJ_DC), ::GetObjectType(first));
    }
    // A released DC goes back to the cache and is handed out again; one
    // still held would make the next GetDC allocate a new one.
    const unsigned long before = GdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        CScreenDC screen;
        EXPECT_EQ(first, screen.Get());
    }
    EXPECT_EQ(before, GdiObjectCount());
}

// Rows top-down, DWORD-aligned, in the pixel format the depth names.
TEST(GdiHolders, TopDownSections)
{
    struct Case {
        int bpp;
        std::uint32_t red, blue;  // as stored, little-endian
    };
    const Case cases[] = {{16, 0xF800, 0x001F}, {24, 0xFF0000, 0x0000FF}, {32, 0x00FF0000, 0x000000FF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bpp);
        void* bits = nullptr;
        CBitmapObj section(CreateTopDownSection(3, 2, c.bpp, &bits));
        ASSERT_TRUE(section);
        ASSERT_NE(nullptr, bits);
        CMemDC dc(nullptr);
        CSelectObj select(dc.Get(), section.Get());
        auto* row0 = static_cast<std::uint8_t*>(bits);
        std::uint8_t* row1 = row0 + DibStride(3, c.bpp);
        const int bytes = c.bpp / 8;
        std::memcpy(row0 + 1 * bytes, &c.red, static_cast<size_t>(bytes));
        std::memcpy(row1 + 2 * bytes, &c.blue, static_cast<size_t>(bytes));
        EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc.Get(), 1, 0));
        EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc.Get(), 2, 1));
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(dc.Get(), 1, 1));
    }
    EXPECT_EQ(8, DibStride(3, 16));
    EXPECT_EQ(12, DibStride(3, 24));

    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(nullptr, CreateTopDownSection(0, 4, 16, &bits));
    EXPECT_EQ(nullptr, bits);
    EXPECT_EQ(nullptr, CreateTopDownSection(4, 4, 8, &bits));
}
