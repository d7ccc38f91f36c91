// A local date and time as the panels show it, and the calendar arithmetic
// they need. The time comes in as data: the plug-in reads the system clock,
// tests pin any date.
#pragma once

#include <cstdint>

enum class TimeStatus : std::uint8_t {
    Null,     // never set: shows nothing
    Valid,
    Invalid,  // set from fields that make no date
};

struct PanelTime {
    TimeStatus status = TimeStatus::Null;
    int year = 0, month = 0, day = 0;  // month and day from 1
    int hour = 0, minute = 0, second = 0;
    int weekday = 0;  // 0 Sunday to 6 Saturday
};

// Days from 1970-01-01 to the given day of the proleptic Gregorian
// calendar; month may lie outside 1 to 12 only through the callers' care.
long long DaysFromCivil(long long year, int month, int day);
// 0 Sunday to 6 Saturday.
int WeekdayOf(long long year, int month, int day);
// The day before the first of the next month.
int DaysInMonth(long long year, int month);
// A valid time when the fields make a date and a time of day, else one whose
// status is Invalid.
PanelTime MakePanelTime(int year, int month, int day, int hour, int minute, int second);
// Whole seconds since 1970-01-01 00:00 of the same zone; 0 when not valid.
long long PanelSeconds(const PanelTime& t);
