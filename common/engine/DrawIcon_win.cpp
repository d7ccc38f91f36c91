// Icons and captions on the frame surface.
#include "engine/Launch_win.h"

#include "base/Saturate.h"
#include "config/SettingIndex.h"
#include "engine/IconImage_win.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

// Black under light text, white under dark, by the text colour's weighted
// brightness.
COLORREF ShadowColour(COLORREF text)
{
    const unsigned r = GetRValue(text), g = GetGValue(text), b = GetBValue(text);
    return (2 * r + 4 * g + b) / 7 > 127 ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

}  // namespace

void CLaunch::DrawIcons(HDC frame)
{
    m_bPanelsPresent = false;
    CSheet* sheet = Sheet();
    if (!sheet || !frame)
        return;
    std::optional<CSelectObj> font;
    if (sheet->m_Layers[0].icons && CaptionFont())
        font.emplace(frame, CaptionFont());
    for (const SheetLayer& layer : sheet->m_Layers) {
        if (!layer.sheet || !layer.icons)
            continue;
        // Later icons are drawn over earlier ones.
        const int count = layer.SafeIconCount();
        for (int i = 0; i < count; ++i) {
            IconEntry& e = layer.icons->entries[static_cast<size_t>(i)];
            if (!(e.flags & ICON_PLACED))
                continue;
            e.lastPanelDraw = ::GetTickCount();
            // A panel has no icon: a clock loads its face when drawn.
            if (!e.image && !IsPanel(e.nAppType))
                LoadIconImage(e);
            if (e.nAppType <= APP_TASK_LAST) {
                DrawIcon(e);
            } else if (IsPanel(e.nAppType)) {
                m_bPanelsPresent = true;
                DrawPanel(e, frame);
            }
        }
    }
}

void CLaunch::DrawIcon(IconEntry& e)
{
    HDC dc = m_Frame.DC();
    if (!dc || e.nAppType == APP_BLANK || !Sheet())
        return;
    // A recent or task slot shows the entry it stands for.
    IconEntry& q = e.Link ? *e.Link : e;
    if (!q.image)
        LoadIconImage(q);

    const long long size = e.size;
    const long long offset = Sheet()->m_nCaptionOffset;
    const int left = ClampInt(e.x - size / 2);
    const int top = ClampInt(e.y + offset - size / 2);
    // The image, its shape and its kind are those of the entry shown: a
    // recent or task slot has none of its own, and its Link's alpha image
    // keyed on a corner pixel would show fringes. An image without width has
    // no shape to keep: it is not drawn.
    if (q.imageWidth != 0) {
        const int height = ClampInt(size * q.imageHeight / q.imageWidth);
        if (q.flags & ICON_ALPHA) {
            if (HDC src = IconImageDC(q)) {
                const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
                ::AlphaBlend(dc, left, top, static_cast<int>(size), height, src, 0, 0, q.imageWidth, q.imageHeight,
                             blend);
            }
        } else if (const CIconBitmap* image = IconBitmap(q); image && q.imageHeight != 0) {
            if (image->Width() == q.imageWidth && image->Height() == q.imageHeight)
                image->DrawKeyed(dc, left, top, static_cast<int>(size), height, q.transparentColor);
            else
                ::TransparentBlt(dc, left, top, static_cast<int>(size), height, image->DC(), 0, 0, q.imageWidth,
                                 q.imageHeight, q.transparentColor);
        }
    }

    if (!(e.flags & ICON_CAPTION) || m_nCaptionMode == 0)
        return;
    IconEntry& c = CaptionSource(e);
    if (!(c.flags & ICON_CAPTION_VALID)) {
        UpdateCaption(e, [dc](const std::wstring& text) {
            SIZE extent = {};
            ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            return static_cast<int>(extent.cx);
        });
    }
    if (c.Caption.empty())
        return;
    const long long rise = size / 2 + offset;
    const int x = ClampInt(e.x - c.captionWidth / 2);
    const int y = ClampInt(m_nCaptionMode == 1 ? e.y + rise : e.y - rise);
    // The box takes the shadow too, which falls right and below the text.
    const int shadow = std::max(m_nTextShadow, 0);
    const RECT box = {x, y, ClampInt(static_cast<long long>(x) + c.captionWidth + shadow),
                      ClampInt(static_cast<long long>(y) + m_nCaptionHeight + shadow)};
    DrawShadowText(x, y, box, c.Caption, static_cast<COLORREF>(m_nCaptionColor));
}

void CLaunch::DrawShadowText(int x, int y, const RECT& box, const std::wstring& text, COLORREF colour)
{
    HDC dc = m_Frame.DC();
    if (!dc)
        return;
    const UINT length = static_cast<UINT>(text.size());
    if (m_nTextShadow) {
        ::SetTextColor(dc, ShadowColour(colour));
        ::ExtTextOutW(dc, x + m_nTextShadow, y + m_nTextShadow, ETO_CLIPPED, &box, text.c_str(), length, nullptr);
    }
    ::SetTextColor(dc, colour);
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &box, text.c_str(), length, nullptr);
}
