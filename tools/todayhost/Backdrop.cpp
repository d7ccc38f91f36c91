#include "Backdrop.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

constexpr std::uint32_t kHighlight = 0x2A5CB8;
constexpr BYTE kHighlightAlpha = 110;

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int weightB)  // weightB of 256
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF), cb = static_cast<int>((b >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((ca * (256 - weightB) + cb * weightB) >> 8) << shift;
    }
    return out;
}

std::uint32_t StripColour(int y)
{
    if (y == CBackdrop::kTitleHeight - 1)
        return 0x5A7AB0;  // a light edge under the strip
    return Mix(0x22386A, 0x0A1530, y * 256 / CBackdrop::kTitleHeight);
}

void FillBox(HDC dc, int x, int y, int w, int h, COLORREF colour)
{
    CBrushObj brush(::CreateSolidBrush(colour));
    RECT rc = {x, y, x + w, y + h};
    ::FillRect(dc, &rc, brush.Get());
}

void DrawFlag(HDC dc, int x, int y)
{
    FillBox(dc, x, y, 6, 6, RGB(232, 72, 48));
    FillBox(dc, x + 7, y, 6, 6, RGB(96, 196, 64));
    FillBox(dc, x, y + 7, 6, 6, RGB(48, 140, 232));
    FillBox(dc, x + 7, y + 7, 6, 6, RGB(248, 200, 40));
}

// Signal bars and a battery, right-aligned at right.
void DrawStatus(HDC dc, int right)
{
    const COLORREF white = RGB(235, 240, 250);
    int x = right - 24;
    FillBox(dc, x, 8, 20, 10, white);  // battery
    FillBox(dc, x + 20, 11, 2, 4, white);
    FillBox(dc, x + 2, 10, 16, 6, RGB(20, 34, 64));
    FillBox(dc, x + 2, 10, 12, 6, RGB(120, 220, 120));
    x -= 26;
    for (int i = 0; i < 4; ++i)
        FillBox(dc, x + i * 5, 17 - 3 * i, 3, 3 + 3 * i, white);
}

}  // namespace

CBackdrop::CBackdrop()
    : m_font(::CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma"))
{
    if (m_highlight.Create(1, 1))
        m_highlight.Bits()[0] = 0xFF000000u | kHighlight;
}

bool CBackdrop::SetWallpaper(const std::wstring& path)
{
    CPixels source;
    if (!path.empty() && !DecodeImageFile(path, source))
        return false;
    m_source = std::move(source);
    Resize(m_wall.Width(), m_wall.Height());
    return true;
}

void CBackdrop::Resize(int width, int height)
{
    if (width <= 0 || height <= 0 || !m_wall.Create(width, height) || !m_frame.Create(width, height))
        return;
    const CPixels scaled = m_source.Empty() ? PlainWallpaper(width, height) : CoverScale(m_source, width, height);
    std::memcpy(m_wall.Bits(), scaled.px.data(), scaled.px.size() * sizeof(std::uint32_t));
}

void CBackdrop::PaintWatermark(HDC dc, const RECT& rc, POINT origin, bool highlight) const
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    ::BitBlt(dc, rc.left, rc.top, w, h, m_wall.Dc(), origin.x + rc.left, origin.y + rc.top, SRCCOPY);
    if (!highlight)
        return;
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, kHighlightAlpha, 0};
    ::AlphaBlend(dc, rc.left, rc.top, w, h, m_highlight.Dc(), 0, 0, 1, 1, blend);
}

void CBackdrop::PaintScreen(HDC dc, const RECT& area)
{
    if (!m_frame.Dc())
        return;
    std::memcpy(m_frame.Bits(), m_wall.Bits(),
                static_cast<size_t>(m_wall.Width()) * static_cast<size_t>(m_wall.Height()) * sizeof(std::uint32_t));
    DrawTitleStrip();
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, m_frame.Dc(), area.left,
             area.top, SRCCOPY);
}

void CBackdrop::DrawTitleStrip()
{
    const int width = m_frame.Width();
    const int rows = std::min(kTitleHeight, m_frame.Height());
    std::uint32_t* bits = m_frame.Bits();
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t& p = bits[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
            p = Mix(p, StripColour(y), 218);
        }
    ::GdiFlush();

    HDC dc = m_frame.Dc();
    DrawFlag(dc, 6, 6);
    CSelectObj font(dc, m_font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    RECT start = {26, 0, width / 2, kTitleHeight};
    ::DrawTextW(dc, L"Start", -1, &start, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    wchar_t time[16];
    std::swprintf(time, 16, L"%d:%02d", now.wHour, now.wMinute);
    RECT clock = {width / 2, 0, width - 8, kTitleHeight};
    ::DrawTextW(dc, time, -1, &clock, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int textWidth = clock.right - clock.left;
    clock = {width - 8 - textWidth, 0, width - 8, kTitleHeight};
    ::DrawTextW(dc, time, -1, &clock, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawStatus(dc, clock.left - 8);
}
