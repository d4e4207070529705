#pragma once
// The record's date model: a day count from 30 December 1899, the fraction being the time of day.
// The program writes dates in one fixed "general date format", yyyy/mm/dd hh:nn:ss (24-hour),
// whatever the system's locale.
#include <optional>
#include <string>

#include "text/Types.h"

namespace tz {

struct DateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// True when year/month/day name a real calendar day (years 100 to 9999).
bool IsValidCalendarDate(int year, int month, int day);

// True when the value is a date the program can show: finite, in the years 100 to 9999.
bool IsRepresentableDate(Date value);

// Builds a Date; std::nullopt when the parts are not a valid date and time of day.
std::optional<Date> MakeDate(const DateParts& parts);

// Splits a Date into its parts, rounding to the nearest second.
DateParts SplitDate(Date value);

// "yyyy/mm/dd hh:nn:ss".
std::string FormatGeneralDate(Date value);

// Reads "yyyy/mm/dd hh:nn:ss" or "yyyy/mm/dd"; std::nullopt on anything else.
std::optional<Date> ParseGeneralDate(const std::string& text);

}  // namespace tz
