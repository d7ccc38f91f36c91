#include "engine/Gdi_win.h"

Rgb565Info MakeRgb565Info(int width, int height)
{
    Rgb565Info info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows run top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_BITFIELDS;
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    return info;
}

HBITMAP CreateTopDownSection(int width, int height, int bitsPerPixel, void** bits)
{
    *bits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    Rgb565Info info = MakeRgb565Info(width, height);
    switch (bitsPerPixel) {
    case 16: break;
    case 24:
    case 32:
        info.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        info.bmiHeader.biCompression = BI_RGB;
        break;
    default: return nullptr;
    }
    return ::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
}
