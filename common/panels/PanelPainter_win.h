// Panels on Windows: their fonts (made on first use, one per FontSpec text),
// the clock's pens, the mark brushes, the names of days and months in the
// user's language, and the drawing of the three kinds onto the frame
// surface.
#pragma once

#include "engine/Gdi_win.h"
#include "panels/DateText.h"
#include "panels/PanelState.h"

#include <windows.h>

#include <array>
#include <map>
#include <string>

// The local time now.
PanelTime LocalPanelTime();
// Day and month names and the date pictures of a locale (LOCALE_USER_DEFAULT
// or a language id), with the system's time zone.
DateNames LocaleDateNames(LCID locale);
// The locale the panels speak: Japanese or English as LanguageMode says,
// else the user's.
LCID PanelLocale();

// The font of a FontSpec text as the panels make it: the face, or the
// default face when it is not installed, at the given character height.
HFONT CreatePanelFont(const std::wstring& specText);

class CPanelPainter {
public:
    CPanelPainter();
    CPanelPainter(const CPanelPainter&) = delete;
    CPanelPainter& operator=(const CPanelPainter&) = delete;

    // Deletes the cached fonts and takes the locale's names again.
    void Reset();
    // The drawing box of a panel not laid out yet (width and height -1).
    void Box(IconEntry& e, const PanelState& state);
    // One panel onto dc around the entry's centre.
    void Draw(IconEntry& e, HDC dc, const PanelState& state);

    // The cached font of a FontSpec text, made on first use.
    HFONT Font(const std::wstring& specText);
    size_t FontCount() const { return m_Fonts.size(); }
    const DateNames& Names() const { return m_Names; }

private:
    void DrawCalendar(const IconEntry& e, HDC dc, const PanelState& state);
    void DrawCalendarHeader(HDC dc, const RECT& box, int cw, int ch);
    void DrawClock(IconEntry& e, HDC dc, const PanelState& state);
    void DrawDateText(const IconEntry& e, HDC dc, const PanelState& state);
    HBRUSH MarkBrush(std::uint32_t colour) const;

    std::map<std::wstring, CFontObj> m_Fonts;
    // Hour, minute and second hands: white, 3, 2 and 1 pixels wide.
    std::array<CPenObj, 3> m_ClockPens;
    // Today's, Sunday's and Saturday's marks.
    std::array<CBrushObj, 3> m_MarkBrushes;
    DateNames m_Names;
};
