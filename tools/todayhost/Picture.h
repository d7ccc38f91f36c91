// Pictures in memory and on disk: decoding an image file and writing PNG
// through WIC (COM must be initialised on the calling thread), and the
// wallpaper's scaling to a screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Opaque 0x00RRGGBB pixels (the byte order of a 32-bit DIB), top row first.
struct CPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> px;

    bool Empty() const { return px.empty(); }
};

bool DecodeImageFile(const std::wstring& path, CPixels& out);
bool EncodePng(const std::wstring& path, const CPixels& picture);

// Scaled to fill width x height without distortion, centred, the overflow
// cut off; an exact copy when the sizes match.
CPixels CoverScale(const CPixels& source, int width, int height);

// The screen's background when no wallpaper file is given: a dark gradient.
CPixels PlainWallpaper(int width, int height);
