// Small owners of GDI handles, used by all drawing code. Each frees exactly
// what it owns, in the order GDI wants: an object goes back out of its DC
// before it is deleted (a bitmap deleted while selected is not freed).
// Copying is disabled; a moved-from owner holds nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

// Owns one GDI object (pen, brush, font, bitmap, region) and deletes it.
template <class T>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(T handle) : m_h(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_h(other.Release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    T Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    // Deletes the object held so far and takes the new one (or none).
    void Reset(T handle = nullptr)
    {
        if (m_h && m_h != handle)
            ::DeleteObject(m_h);
        m_h = handle;
    }
    // Gives the object up without deleting it.
    T Release() { return std::exchange(m_h, nullptr); }

private:
    T m_h = nullptr;
};

using CPenObj = CGdiObject<HPEN>;
using CBrushObj = CGdiObject<HBRUSH>;
using CFontObj = CGdiObject<HFONT>;
using CBitmapObj = CGdiObject<HBITMAP>;
using CRgnObj = CGdiObject<HRGN>;

// Owns a memory DC (CreateCompatibleDC / DeleteDC). Whatever is selected into
// it must be selected back out by its CSelectObj before the DC goes.
class CMemDC {
public:
    CMemDC() = default;
    // A memory DC compatible with the given one; null: with the screen.
    explicit CMemDC(HDC compatibleWith) : m_hDC(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemDC() { Reset(); }
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    CMemDC(CMemDC&& other) noexcept : m_hDC(std::exchange(other.m_hDC, nullptr)) {}
    CMemDC& operator=(CMemDC&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }

    HDC Get() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }
    void Reset()
    {
        if (m_hDC)
            ::DeleteDC(m_hDC);
        m_hDC = nullptr;
    }

private:
    HDC m_hDC = nullptr;
};

// Selects an object (pen, brush, font, bitmap; not a region) into a DC and
// puts the previous one back into that same DC when it goes. It keeps its
// DC: restoring into any other DC would leave the object selected.
class CSelectObj {
public:
    CSelectObj(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_hOld(dc && object ? ::SelectObject(dc, object) : nullptr)
    {
        if (m_hOld == HGDI_ERROR)
            m_hOld = nullptr;
    }
    ~CSelectObj() { Restore(); }
    CSelectObj(const CSelectObj&) = delete;
    CSelectObj& operator=(const CSelectObj&) = delete;

    // False when the selection failed; then nothing is put back.
    bool Ok() const { return m_hOld != nullptr; }
    HDC DC() const { return m_hDC; }
    HGDIOBJ Previous() const { return m_hOld; }
    // Puts the previous object back now (once).
    void Restore()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
        m_hOld = nullptr;
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// A window's DC, or the screen's for no window (GetDC / ReleaseDC).
class CScreenDC {
public:
    explicit CScreenDC(HWND window = nullptr) : m_hWnd(window), m_hDC(::GetDC(window)) {}
    ~CScreenDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;

    HDC Get() const { return m_hDC; }
    explicit operator bool() const { return m_hDC != nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// Bytes per row of a DIB of the given width and depth (rows are DWORD aligned).
inline int DibStride(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// The 52-byte header of the 16-bit surfaces: BITMAPINFOHEADER and the RGB565
// masks F800/07E0/001F, rows top-down.
struct Rgb565Info {
    BITMAPINFOHEADER bmiHeader;
    DWORD masks[3];
};
Rgb565Info MakeRgb565Info(int width, int height);

// A top-down DIB section of width × height: 16 bits per pixel as RGB565, 24
// or 32 as BI_RGB. Its pixels are returned in bits. Null on failure (also
// for an empty size or another depth).
HBITMAP CreateTopDownSection(int width, int height, int bitsPerPixel, void** bits);
