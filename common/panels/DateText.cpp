#include "panels/DateText.h"

#include "base/Format.h"

#include <cstdlib>

namespace {

struct DateFields {
    const PanelTime& t;
    const DateNames& names;
    int yearDay;  // from 0
};

int YearDay(const PanelTime& t) { return static_cast<int>(DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(t.year, 1, 1)); }

int DaysInYear(long long year) { return DaysInMonth(year, 2) == 29 ? 366 : 365; }

// ISO 8601: a week belongs to the year that holds its Thursday.
void IsoWeek(const DateFields& f, long long& isoYear, int& week)
{
    const int thursday = f.yearDay - (f.t.weekday + 6) % 7 + 3;
    isoYear = f.t.year;
    int day = thursday;
    if (day < 0) {
        --isoYear;
        day += DaysInYear(isoYear);
    } else if (day >= DaysInYear(f.t.year)) {
        day -= DaysInYear(f.t.year);
        ++isoYear;
    }
    week = day / 7 + 1;
}

// A number in at least `digits` digits; the "#" form drops the leading zeros.
std::wstring Padded(long long v, int digits, bool alt)
{
    if (alt || digits <= 1)
        return FormatW(L"%d", v);
    return digits == 2 ? FormatW(L"%02d", v) : FormatW(L"%03d", v);
}

int Hour12(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

const std::wstring& DayPeriod(const DateFields& f) { return f.t.hour < 12 ? f.names.am : f.names.pm; }

std::wstring ZoneOffset(int bias)
{
    const int magnitude = std::abs(bias) % (100 * 60);
    return FormatW(L"%c%02d%02d", bias < 0 ? L'-' : L'+', magnitude / 60, magnitude % 60);
}

// A numeric conversion, or nothing when the letter is none.
bool NumericCode(wchar_t c, const DateFields& f, bool alt, std::wstring& out)
{
    const PanelTime& t = f.t;
    long long isoYear = 0;
    int week = 0;
    switch (c) {
    case L'C': out = Padded(t.year / 100, 2, alt); return true;
    case L'd': out = Padded(t.day, 2, alt); return true;
    case L'e': out = alt ? FormatW(L"%d", t.day) : FormatW(L"%2d", t.day); return true;
    case L'H': out = Padded(t.hour, 2, alt); return true;
    case L'I': out = Padded(Hour12(t.hour), 2, alt); return true;
    case L'j': out = Padded(f.yearDay + 1, 3, alt); return true;
    case L'm': out = Padded(t.month, 2, alt); return true;
    case L'M': out = Padded(t.minute, 2, alt); return true;
    case L'S': out = Padded(t.second, 2, alt); return true;
    case L'u': out = FormatW(L"%d", t.weekday == 0 ? 7 : t.weekday); return true;
    case L'w': out = FormatW(L"%d", t.weekday); return true;
    case L'U': out = Padded((f.yearDay + 7 - t.weekday) / 7, 2, alt); return true;
    case L'W': out = Padded((f.yearDay + 7 - (t.weekday + 6) % 7) / 7, 2, alt); return true;
    case L'y': out = Padded(((t.year % 100) + 100) % 100, 2, alt); return true;
    case L'Y': out = FormatW(L"%d", t.year); return true;
    case L'V': IsoWeek(f, isoYear, week); out = Padded(week, 2, alt); return true;
    case L'g': IsoWeek(f, isoYear, week); out = Padded(((isoYear % 100) + 100) % 100, 2, alt); return true;
    case L'G': IsoWeek(f, isoYear, week); out = FormatW(L"%d", isoYear); return true;
    default: return false;
    }
}

// Names, composites and plain characters; nothing when the letter is none.
bool TextCode(wchar_t c, const DateFields& f, bool alt, std::wstring& out)
{
    const PanelTime& t = f.t;
    const DateNames& n = f.names;
    const auto num = [&](wchar_t code) {
        std::wstring s;
        NumericCode(code, f, alt, s);
        return s;
    };
    switch (c) {
    case L'a': out = n.shortDays[static_cast<size_t>(t.weekday)]; return true;
    case L'A': out = n.longDays[static_cast<size_t>(t.weekday)]; return true;
    case L'b':
    case L'h': out = n.shortMonths[static_cast<size_t>(t.month - 1)]; return true;
    case L'B': out = n.longMonths[static_cast<size_t>(t.month - 1)]; return true;
    case L'p': out = DayPeriod(f); return true;
    case L'c':
        out = FormatDatePicture(alt ? n.longDate : n.shortDate, t, n) + L" " + FormatDatePicture(n.time, t, n);
        return true;
    case L'x': out = FormatDatePicture(alt ? n.longDate : n.shortDate, t, n); return true;
    case L'X': out = FormatDatePicture(n.time, t, n); return true;
    case L'D': out = num(L'm') + L"/" + num(L'd') + L"/" + num(L'y'); return true;
    case L'F': out = num(L'Y') + L"-" + num(L'm') + L"-" + num(L'd'); return true;
    case L'R': out = num(L'H') + L":" + num(L'M'); return true;
    case L'T': out = num(L'H') + L":" + num(L'M') + L":" + num(L'S'); return true;
    case L'r': out = num(L'I') + L":" + num(L'M') + L":" + num(L'S') + L" " + DayPeriod(f); return true;
    case L'n': out = L"\n"; return true;
    case L't': out = L"\t"; return true;
    case L'z': out = ZoneOffset(n.zoneBias); return true;
    case L'Z': out = n.zoneName; return true;
    case L'%': out = L"%"; return true;
    default: return false;
    }
}

// The letters the E and O modifiers may stand before.
bool TakesModifier(wchar_t modifier, wchar_t c)
{
    const std::wstring_view e = L"cCxXyY", o = L"deHImMSuUVwWy";
    return (modifier == L'E' ? e : o).find(c) != std::wstring_view::npos;
}

// One conversion starting after its '%' at p[i]; i moves past it. False
// (i unchanged) when it is no conversion the library knows.
bool Conversion(std::wstring_view p, size_t& i, const DateFields& f, std::wstring& out)
{
    size_t j = i;
    const bool alt = j < p.size() && p[j] == L'#';
    if (alt)
        ++j;
    if (j + 1 < p.size() && (p[j] == L'E' || p[j] == L'O') && TakesModifier(p[j], p[j + 1]))
        ++j;
    if (j >= p.size())
        return false;
    if (!NumericCode(p[j], f, alt, out) && !TextCode(p[j], f, alt, out))
        return false;
    i = j + 1;
    return true;
}

// Runs of one letter in a system picture.
size_t RunLength(std::wstring_view p, size_t i)
{
    size_t n = 1;
    while (i + n < p.size() && p[i + n] == p[i])
        ++n;
    return n;
}

std::wstring PictureRun(wchar_t c, size_t n, const DateFields& f)
{
    const PanelTime& t = f.t;
    const DateNames& names = f.names;
    const bool pad = n >= 2;
    switch (c) {
    case L'd':
        if (n == 3)
            return names.shortDays[static_cast<size_t>(t.weekday)];
        if (n >= 4)
            return names.longDays[static_cast<size_t>(t.weekday)];
        return Padded(t.day, 2, !pad);
    case L'M':
        if (n == 3)
            return names.shortMonths[static_cast<size_t>(t.month - 1)];
        if (n >= 4)
            return names.longMonths[static_cast<size_t>(t.month - 1)];
        return Padded(t.month, 2, !pad);
    case L'y': return n <= 2 ? Padded(((t.year % 100) + 100) % 100, 2, !pad) : FormatW(L"%d", t.year);
    case L'h': return Padded(Hour12(t.hour), 2, !pad);
    case L'H': return Padded(t.hour, 2, !pad);
    case L'm': return Padded(t.minute, 2, !pad);
    case L's': return Padded(t.second, 2, !pad);
    case L't': return n == 1 ? DayPeriod(f).substr(0, 1) : DayPeriod(f);
    case L'g': return {};  // the era: none in the calendars shown here
    default: return std::wstring(n, c);
    }
}

DateFields Fields(const PanelTime& t, const DateNames& names) { return {t, names, YearDay(t)}; }

// The time checked again: its fields index the name tables.
PanelTime Checked(const PanelTime& t)
{
    if (t.status != TimeStatus::Valid)
        return t;
    return MakePanelTime(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace

const DateNames& CLocaleDateNames()
{
    static const DateNames names = {
        {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"},
        {L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"},
        {L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun", L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"},
        {L"January", L"February", L"March", L"April", L"May", L"June", L"July", L"August", L"September",
         L"October", L"November", L"December"},
        L"AM",
        L"PM",
        L"MM/dd/yy",
        L"dddd, MMMM dd, yyyy",
        L"HH:mm:ss",
        L"",
        0,
    };
    return names;
}

std::wstring FormatDatePicture(std::wstring_view picture, const PanelTime& time, const DateNames& names)
{
    const PanelTime t = Checked(time);
    if (t.status != TimeStatus::Valid)
        return {};
    const DateFields f = Fields(t, names);
    std::wstring out;
    for (size_t i = 0; i < picture.size() && out.size() <= kDateTextMax;) {
        const wchar_t c = picture[i];
        if (c == L'\'') {
            // Quoted text; two quotes in a row stand for one.
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != L'\'')
                    out += picture[i];
                else if (i + 1 < picture.size() && picture[i + 1] == L'\'')
                    out += picture[++i];
                else
                    break;
            }
            ++i;
            continue;
        }
        const size_t n = RunLength(picture, i);
        out += PictureRun(c, n, f);
        i += n;
    }
    if (out.size() > kDateTextMax)
        out.resize(kDateTextMax);
    return out;
}

std::wstring FormatDateText(std::wstring_view pattern, const PanelTime& time, const DateNames& names)
{
    const PanelTime t = Checked(time);
    if (t.status == TimeStatus::Null)
        return {};
    if (t.status != TimeStatus::Valid)
        return kInvalidDateText;
    const DateFields f = Fields(t, names);
    std::wstring out;
    for (size_t i = 0; i < pattern.size() && out.size() <= kDateTextMax;) {
        if (pattern[i] != L'%') {
            out += pattern[i++];
            continue;
        }
        ++i;
        std::wstring converted;
        if (Conversion(pattern, i, f, converted))
            out += converted;
        else
            out += L'%';  // shown as written: the characters after it follow as text
    }
    if (out.size() > kDateTextMax)
        out.resize(kDateTextMax);
    return out;
}
