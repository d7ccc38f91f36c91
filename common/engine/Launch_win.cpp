#include "engine/Launch_win.h"

#include <algorithm>
#include <climits>

LONG CaptionFontHeight(int sizeTenths, int pixelsPerInch)
{
    const long long h = static_cast<long long>(pixelsPerInch) * -static_cast<long long>(sizeTenths) / 720;
    return static_cast<LONG>(std::clamp<long long>(h > 0 ? -h : h, -INT_MAX, 0));
}

HFONT CreateCaptionFont(const CaptionFontSpec& spec)
{
    LOGFONTW lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = spec.clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    const size_t n = std::min(spec.face.size(), static_cast<size_t>(LF_FACESIZE - 1));
    std::copy_n(spec.face.c_str(), n, lf.lfFaceName);

    int ppi = 96;
    if (CScreenDC screen; screen)
        ppi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    lf.lfHeight = CaptionFontHeight(spec.sizeTenths, ppi);
    return ::CreateFontIndirectW(&lf);
}

CLaunch::~CLaunch() { ExitLnch(); }

void CLaunch::MakeCaptionFont(const CaptionFontSpec& spec)
{
    // The old font goes before the new one is made, as on the device.
    m_CaptionFontObj.Reset();
    m_CaptionFontObj.Reset(CreateCaptionFont(spec));
}
