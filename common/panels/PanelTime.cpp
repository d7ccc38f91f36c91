#include "panels/PanelTime.h"

namespace {

long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

bool IsLeap(long long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

// Counted in eras of 400 years from March, so that the leap day is the last
// day of its year.
long long DaysFromCivil(long long year, int month, int day)
{
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = FloorDiv(y, 400);
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int WeekdayOf(long long year, int month, int day)
{
    // 1970-01-01 was a Thursday.
    const long long d = DaysFromCivil(year, month, day);
    return static_cast<int>(((d % 7) + 7 + 4) % 7);
}

int DaysInMonth(long long year, int month)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

PanelTime MakePanelTime(int year, int month, int day, int hour, int minute, int second)
{
    PanelTime t;
    t.status = TimeStatus::Invalid;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59)
        return t;
    t.status = TimeStatus::Valid;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.weekday = WeekdayOf(year, month, day);
    return t;
}

long long PanelSeconds(const PanelTime& t)
{
    if (t.status != TimeStatus::Valid)
        return 0;
    return DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600LL + t.minute * 60LL + t.second;
}
