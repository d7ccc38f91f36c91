// The date-text panel's formatter: every code the C library documents, the
// "#" forms, codes it does not know, and the system's date pictures.
#include "panels/DateText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

DateNames Tokyo()
{
    DateNames names = CLocaleDateNames();
    names.zoneName = L"Tokyo Standard Time";
    names.zoneBias = 9 * 60;
    return names;
}

}  // namespace

TEST(DateText, EveryCode)
{
    const PanelTime friday = MakePanelTime(2024, 1, 5, 9, 7, 3);        // day 5 of the year, ISO week 1
    const PanelTime newYearsEve = MakePanelTime(2024, 12, 31, 23, 59, 59);  // a Tuesday: ISO week 1 of 2025
    const PanelTime midnight = MakePanelTime(2021, 1, 1, 0, 30, 0);     // a Friday: ISO week 53 of 2020
    struct Case {
        const wchar_t* pattern;
        const char* friday;
        const char* newYearsEve;
        const char* midnight;
    } cases[] = {
        {L"%a %A %b %B %h", "Fri Friday Jan January Jan", "Tue Tuesday Dec December Dec",
         "Fri Friday Jan January Jan"},
        {L"%c", "01/05/24 09:07:03", "12/31/24 23:59:59", "01/01/21 00:30:00"},
        {L"%#c", "Friday, January 05, 2024 09:07:03", "Tuesday, December 31, 2024 23:59:59",
         "Friday, January 01, 2021 00:30:00"},
        {L"%x|%#x|%X", "01/05/24|Friday, January 05, 2024|09:07:03", "12/31/24|Tuesday, December 31, 2024|23:59:59",
         "01/01/21|Friday, January 01, 2021|00:30:00"},
        {L"%C %y %Y %g %G", "20 24 2024 24 2024", "20 24 2024 25 2025", "20 21 2021 20 2020"},
        {L"%d %e %j %m", "05  5 005 01", "31 31 366 12", "01  1 001 01"},
        {L"%H %I %M %S %p", "09 09 07 03 AM", "23 11 59 59 PM", "00 12 30 00 AM"},
        {L"%u %w %U %W %V", "5 5 00 01 01", "2 2 52 53 01", "5 5 00 00 53"},
        {L"%D %F %R %T %r", "01/05/24 2024-01-05 09:07 09:07:03 09:07:03 AM",
         "12/31/24 2024-12-31 23:59 23:59:59 11:59:59 PM", "01/01/21 2021-01-01 00:30 00:30:00 12:30:00 AM"},
        // "#" drops leading zeros and spaces of numbers, and is ignored elsewhere.
        {L"%#d %#e %#j %#m %#H %#I %#M %#S %#y", "5 5 5 1 9 9 7 3 24", "31 31 366 12 23 11 59 59 24",
         "1 1 1 1 0 12 30 0 21"},
        {L"%#D %#T %#a %#p %#%", "1/5/24 9:7:3 Fri AM %", "12/31/24 23:59:59 Tue PM %", "1/1/21 0:30:0 Fri AM %"},
        // The E and O modifiers change nothing here.
        {L"%Ey %EY %Od %OH %OS", "24 2024 05 09 03", "24 2024 31 23 59", "21 2021 01 00 00"},
        {L"%z %Z", "+0900 Tokyo Standard Time", "+0900 Tokyo Standard Time", "+0900 Tokyo Standard Time"},
        {L"[%n%t%%]", "[\n\t%]", "[\n\t%]", "[\n\t%]"},
    };
    const DateNames names = Tokyo();
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.pattern));
        EXPECT_EQ(c.friday, Narrow(FormatDateText(c.pattern, friday, names)));
        EXPECT_EQ(c.newYearsEve, Narrow(FormatDateText(c.pattern, newYearsEve, names)));
        EXPECT_EQ(c.midnight, Narrow(FormatDateText(c.pattern, midnight, names)));
    }
}

TEST(DateText, WhatTheLibraryWouldRefuse)
{
    const PanelTime t = MakePanelTime(2024, 1, 5, 9, 7, 3);
    struct Case {
        const wchar_t* pattern;
        const char* text;
    } cases[] = {
        {L"Today", "Today"},  // no codes: unchanged
        {L"", ""},
        {L"%Q%k%5d", "%Q%k%5d"},  // unknown codes and printf's width stay as written
        {L"%#Q %#", "%#Q %#"},
        {L"%Ez %Oy%E", "%Ez 24%E"},  // a modifier before a letter it does not take
        {L"50%", "50%"},
        {L"%%H", "%H"},
        {L"%H%", "09%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Narrow(FormatDateText(c.pattern, t, CLocaleDateNames()))) << Narrow(c.pattern);

    // The text is bounded, however long the names make it.
    std::wstring many;
    for (int i = 0; i < 100; ++i)
        many += L"%A";
    EXPECT_EQ(kDateTextMax, FormatDateText(many, t, CLocaleDateNames()).size());

    EXPECT_EQ(L"", FormatDateText(L"%H", PanelTime(), CLocaleDateNames()));  // never set
    EXPECT_EQ(kInvalidDateText, FormatDateText(L"%H", MakePanelTime(2023, 2, 29, 0, 0, 0), CLocaleDateNames()));
    PanelTime forged = t;
    forged.month = 13;  // would index past the month names
    EXPECT_EQ(kInvalidDateText, FormatDateText(L"%b", forged, CLocaleDateNames()));
}

TEST(DateText, SystemPictures)
{
    const PanelTime morning = MakePanelTime(2024, 1, 5, 9, 7, 3), night = MakePanelTime(2024, 11, 25, 21, 40, 0);
    struct Case {
        const wchar_t *picture, *morning, *night;
    } cases[] = {
        {L"yyyy'年'M'月'd'日'", L"2024年1月5日", L"2024年11月25日"},
        {L"dddd, MMMM d, yyyy", L"Friday, January 5, 2024", L"Monday, November 25, 2024"},
        {L"ddd dd MMM y", L"Fri 05 Jan 24", L"Mon 25 Nov 24"},
        {L"h:mm:ss tt|HH:mm t", L"9:07:03 AM|09:07 A", L"9:40:00 PM|21:40 P"},
        {L"H 'o''clock' gg'unclosed", L"9 o'clock unclosed", L"21 o'clock unclosed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.morning, FormatDatePicture(c.picture, morning, CLocaleDateNames()));
        EXPECT_EQ(c.night, FormatDatePicture(c.picture, night, CLocaleDateNames()));
    }
}
