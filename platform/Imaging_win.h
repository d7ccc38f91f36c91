// Stands in for the device's imaging library, over WIC: an image file (PNG,
// BMP, JPEG, GIF, anything WIC reads) decoded into 32-bit premultiplied BGRA
// pixels, the form AlphaBlend wants. COM must be initialised on the calling
// thread: the plug-in does that; tests do it themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct DecodedImage {
    unsigned width = 0, height = 0;
    // Some pixel is not fully opaque. Decided from the pixels, not from the
    // file's format: a GIF's transparent colour shows only there, and a PNG
    // with an alpha channel may not use it.
    bool hasAlpha = false;
    // Rows top-down, width × height values 0xAARRGGBB, colour premultiplied.
    std::vector<std::uint32_t> pixels;
};

// More pixels than this and a file is not decoded at all: no icon needs them,
// and a few bytes of compressed data can claim billions.
inline constexpr std::uint64_t kImageMaxPixels = 4096ull * 4096ull;

// Decodes the first frame of the image file at a device path. An image wider
// or higher than fitSide is scaled down to fit fitSide × fitSide, keeping its
// shape (each side at least 1); fitSide 0 keeps every size. False, with the
// image emptied, for a file that is missing, unreadable, not an image, of
// zero width or height, or over kImageMaxPixels.
bool DecodeImageFile(const std::wstring& devicePath, DecodedImage& image, unsigned fitSide);
