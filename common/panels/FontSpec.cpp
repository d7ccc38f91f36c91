#include "panels/FontSpec.h"

#include "base/Scan.h"
#include "base/Strings.h"
#include "config/FontList.h"

#include <algorithm>

FontSpec ParseFontSpec(const std::wstring& text)
{
    FontSpec spec;
    std::wstring rest;
    ScanW(text, L"%[^(](%d)%[^\n]", {&spec.face, &spec.height, &rest});
    if (spec.face.size() > kFontFaceMax)
        spec.face.resize(kFontFaceMax);
    spec.height = std::clamp(spec.height, -kFontSpecHeightMax, kFontSpecHeightMax);
    spec.clearType = ToUpperW(rest) == L"CT";
    return spec;
}

std::wstring ResolveFontFace(const std::wstring& face, const CFontList& fonts)
{
    return fonts.Contains(face) ? face : fonts.DefaultFace();
}
