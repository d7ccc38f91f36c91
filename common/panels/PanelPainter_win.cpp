#include "panels/PanelPainter_win.h"

#include "base/Saturate.h"
#include "config/FontList.h"
#include "config/Folders.h"
#include "engine/IconImage_win.h"
#include "panels/Calendar.h"
#include "panels/Clock.h"
#include "panels/FontSpec.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr COLORREF kPanelText = RGB(255, 255, 255);

std::int16_t PanelExtent(long long extent)
{
    return static_cast<std::int16_t>(std::clamp<long long>(extent, 0, INT16_MAX));
}

SIZE TextExtent(HDC dc, const std::wstring& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TextAt(HDC dc, int x, int y, const RECT& clip, const std::wstring& text)
{
    ::ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

std::wstring LocaleText(LCID locale, LCTYPE type)
{
    wchar_t buffer[128] = {};
    const int n = ::GetLocaleInfoW(locale, type, buffer, static_cast<int>(std::size(buffer)));
    return n > 1 ? std::wstring(buffer, static_cast<size_t>(n - 1)) : std::wstring();
}

// A locale text, or the C library's when the locale has none.
void Take(std::wstring& field, LCID locale, LCTYPE type)
{
    std::wstring text = LocaleText(locale, type);
    if (!text.empty())
        field = std::move(text);
}

}  // namespace

PanelTime LocalPanelTime()
{
    SYSTEMTIME st = {};
    ::GetLocalTime(&st);
    return MakePanelTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

DateNames LocaleDateNames(LCID locale)
{
    DateNames names = CLocaleDateNames();
    for (int i = 0; i < 7; ++i) {
        // The locale counts from Monday.
        const LCTYPE day = static_cast<LCTYPE>((i + 6) % 7);
        Take(names.shortDays[static_cast<size_t>(i)], locale, LOCALE_SABBREVDAYNAME1 + day);
        Take(names.longDays[static_cast<size_t>(i)], locale, LOCALE_SDAYNAME1 + day);
    }
    for (LCTYPE m = 0; m < 12; ++m) {
        Take(names.shortMonths[m], locale, LOCALE_SABBREVMONTHNAME1 + m);
        Take(names.longMonths[m], locale, LOCALE_SMONTHNAME1 + m);
    }
    Take(names.am, locale, LOCALE_S1159);
    Take(names.pm, locale, LOCALE_S2359);
    Take(names.shortDate, locale, LOCALE_SSHORTDATE);
    Take(names.longDate, locale, LOCALE_SLONGDATE);
    Take(names.time, locale, LOCALE_STIMEFORMAT);

    TIME_ZONE_INFORMATION zone = {};
    const DWORD which = ::GetTimeZoneInformation(&zone);
    const bool daylight = which == TIME_ZONE_ID_DAYLIGHT;
    names.zoneName = daylight ? zone.DaylightName : zone.StandardName;
    names.zoneBias = -static_cast<int>(zone.Bias + (daylight ? zone.DaylightBias : zone.StandardBias));
    return names;
}

LCID PanelLocale()
{
    if (LanguageMode == 0)
        return LOCALE_USER_DEFAULT;
    return IsJapanese() ? MAKELCID(0x0411, SORT_DEFAULT) : MAKELCID(0x0409, SORT_DEFAULT);
}

HFONT CreatePanelFont(const std::wstring& specText)
{
    const FontSpec spec = ParseFontSpec(specText);
    FontList().Ensure();
    const std::wstring face = ResolveFontFace(spec.face, FontList());
    LOGFONTW lf = {};
    lf.lfHeight = -spec.height;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = spec.clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    std::copy_n(face.c_str(), std::min(face.size(), kFontFaceMax), lf.lfFaceName);
    return ::CreateFontIndirectW(&lf);
}

CPanelPainter::CPanelPainter()
{
    for (int i = 0; i < 3; ++i)
        m_ClockPens[static_cast<size_t>(i)].Reset(::CreatePen(PS_SOLID, 3 - i, kPanelText));
    const std::uint32_t colours[] = {kTodayMark, kSundayMark, kSaturdayMark};
    for (size_t i = 0; i < 3; ++i)
        m_MarkBrushes[i].Reset(::CreateSolidBrush(colours[i]));
    m_Names = CLocaleDateNames();
}

void CPanelPainter::Reset()
{
    m_Fonts.clear();
    m_Names = LocaleDateNames(PanelLocale());
}

HFONT CPanelPainter::Font(const std::wstring& specText)
{
    auto it = m_Fonts.find(specText);
    if (it == m_Fonts.end())
        it = m_Fonts.emplace(specText, CFontObj(CreatePanelFont(specText))).first;
    return it->second.Get();
}

HBRUSH CPanelPainter::MarkBrush(std::uint32_t colour) const
{
    const size_t i = colour == kTodayMark ? 0 : colour == kSundayMark ? 1 : 2;
    return m_MarkBrushes[i].Get();
}

void CPanelPainter::Box(IconEntry& e, const PanelState& state)
{
    const PanelKind kind = PanelKindOf(e);
    if (kind == PanelKind::Clock) {
        e.width = e.height = PanelExtent(ClockPanelSide(e.baseSize));
        return;
    }
    CMemDC dc(nullptr);
    CSelectObj font(dc.Get(), Font(e.IconFile));
    if (kind == PanelKind::Calendar) {
        const SIZE digit = TextExtent(dc.Get(), L"0");
        e.width = PanelExtent(20LL * digit.cx + 1);
        e.height = PanelExtent(8LL * digit.cy + 1);
        return;
    }
    const SIZE text = TextExtent(dc.Get(), FormatDateText(e.Path, state.now, m_Names));
    e.width = PanelExtent(text.cx + 1LL);
    e.height = PanelExtent(text.cy + 1LL);
}

void CPanelPainter::Draw(IconEntry& e, HDC dc, const PanelState& state)
{
    if (!dc)
        return;
    switch (PanelKindOf(e)) {
    case PanelKind::Calendar: DrawCalendar(e, dc, state); break;
    case PanelKind::Clock: DrawClock(e, dc, state); break;
    case PanelKind::DateText: DrawDateText(e, dc, state); break;
    }
}

void CPanelPainter::DrawCalendar(const IconEntry& e, HDC dc, const PanelState& state)
{
    CSelectObj font(dc, Font(e.IconFile));
    const SIZE cell = TextExtent(dc, kCalendarCell);
    const int cw = static_cast<int>(cell.cx), ch = static_cast<int>(cell.cy);
    const PanelRect r = CalendarRect(e.x, e.y, cw, ch);
    // The last column's digits end where a cell's space would begin: in a
    // face whose space is narrower than a third of a cell the rectangle
    // would cut them, so the clip reaches that far (still inside the box
    // the panel was sized to).
    const int digits = static_cast<int>(TextExtent(dc, L"00").cx);
    const RECT box = {r.left, r.top, std::max(r.right, r.left + 6 * cw + digits), r.bottom};
    const CalendarGrid grid = MakeCalendar(state.loadDate, state.now, MonthOffset(e.Args));
    if (grid.month == 0)
        return;
    // The marks first: the digits lie over them.
    for (const CalendarMark& mark : grid.marks) {
        const PanelRect m = CalendarMarkRect(r, cw, ch, mark.column, mark.row);
        const RECT rc = {m.left, m.top, m.right, m.bottom};
        ::FillRect(dc, &rc, MarkBrush(mark.colour));
    }
    ::SetTextColor(dc, kPanelText);
    TextAt(dc, e.x - cw, r.top, box, grid.title);
    DrawCalendarHeader(dc, box, cw, ch);
    // Cell by cell: in a proportional face three spaces are narrower than a
    // day's "00 ", and a row drawn as one text would slide off its marks.
    for (int k = 0; k < kCalendarRows; ++k) {
        const std::wstring& row = grid.rows[static_cast<size_t>(k)];
        for (size_t column = 0; column * 3 < row.size(); ++column) {
            const std::wstring day = row.substr(column * 3, 2);
            if (day != L"  ")
                TextAt(dc, r.left + static_cast<int>(column) * cw, r.top + (2 + k) * ch, box, day);
        }
    }
}

// Each day's name centred over its column's two digits: the letters of the
// header text, or the Japanese names, are not as wide as a cell in a
// proportional face.
void CPanelPainter::DrawCalendarHeader(HDC dc, const RECT& box, int cw, int ch)
{
    const std::array<std::wstring, 7> days = CalendarHeaderCells(IsJapanese());
    for (int column = 0; column < 7; ++column) {
        const std::wstring& day = days[static_cast<size_t>(column)];
        const int width = static_cast<int>(TextExtent(dc, day).cx);
        TextAt(dc, box.left + column * cw + (2 * cw / 3 - width) / 2, box.top + ch, box, day);
    }
}

void CPanelPainter::DrawClock(IconEntry& e, HDC dc, const PanelState& state)
{
    // A face that cannot be loaded is tried once: the empty image says so.
    if (!e.image && !LoadIconFileImage(e))
        e.image = std::make_unique<CIconImage>();
    const ClockHands hands = MakeClockHands(e.x, e.y, e.size, state.now);
    if (HDC face = IconImageDC(e)) {
        const ClockFaceBox b = MakeClockFaceBox(e.x, e.y, hands.radius, e.imageWidth, e.imageHeight);
        if (e.flags & ICON_ALPHA) {
            const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            ::AlphaBlend(dc, b.left, b.top, b.width, b.height, face, 0, 0, e.imageWidth, e.imageHeight, blend);
        } else if (const CIconBitmap* image = IconBitmap(e);
                   image && image->Width() == e.imageWidth && image->Height() == e.imageHeight) {
            // Drawn in every frame: the stretched face and its mask are kept.
            image->DrawKeyed(dc, b.left, b.top, b.width, b.height, e.transparentColor);
        } else {
            ::TransparentBlt(dc, b.left, b.top, b.width, b.height, face, 0, 0, e.imageWidth, e.imageHeight,
                             e.transparentColor);
        }
    }
    if (state.now.status != TimeStatus::Valid)
        return;
    const ClockPoint ends[] = {hands.hour, hands.minute, hands.second};
    CSelectObj pen(dc, m_ClockPens[0].Get());
    for (size_t i = 0; i < 3; ++i) {
        ::SelectObject(dc, m_ClockPens[i].Get());
        ::MoveToEx(dc, e.x, e.y, nullptr);
        ::LineTo(dc, ends[i].x, ends[i].y);
    }
}

void CPanelPainter::DrawDateText(const IconEntry& e, HDC dc, const PanelState& state)
{
    CSelectObj font(dc, Font(e.IconFile));
    const std::wstring text = FormatDateText(e.Path, state.now, m_Names);
    const SIZE size = TextExtent(dc, text);
    const int w = static_cast<int>(size.cx), h = static_cast<int>(size.cy);
    const int x = e.x - w / 2, y = e.y - h / 2;
    // The whole text: halves of an odd width would cut its last column.
    const RECT clip = {x, y, ClampInt(static_cast<long long>(x) + w), ClampInt(static_cast<long long>(y) + h)};
    ::SetTextColor(dc, kPanelText);
    TextAt(dc, x, y, clip, text);
}
