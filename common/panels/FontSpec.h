// The font of a calendar or date-text panel, written in the entry's image
// field as FACE(PIXELS) with an optional rest: "Tahoma(14)CT".
#pragma once

#include <string>

class CFontList;

// Pixel heights beyond this are taken as this (either sign).
inline constexpr int kFontSpecHeightMax = 1000;
// LOGFONT's face field less its terminator.
inline constexpr size_t kFontFaceMax = 31;

struct FontSpec {
    std::wstring face;
    int height = 0;          // character height in pixels; 0: the face's default
    bool clearType = false;  // the rest is "CT" in any letter case
};

FontSpec ParseFontSpec(const std::wstring& text);
// The spec's face, or the default face when it is not installed.
std::wstring ResolveFontFace(const std::wstring& face, const CFontList& fonts);
