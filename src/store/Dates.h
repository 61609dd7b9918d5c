#pragma once
// Date answers: the short form month/day/year and the long form "Jan 5, 2016", read, written and
// counted as day numbers. A date that does not read shows its numbered message.

#include <string>

namespace quorvan {

// Dates are month/day/year text (the short date format) or "Jan 5, 2016".
struct NormalisedDate {
    bool ok;
    std::string text;
};
NormalisedDate NormaliseDate(const std::string& text);  // failure: message 2118 (code 21180), today
std::string LongDate(const std::string& text);          // "1/5/2016" -> "January 5, 2016"
// Day number of a date answer, counted from 12/30/1899; empty text -> 0; failure: message 2134,
// today's number.
int DateValue(const std::string& text);

// A short-format date read as year, month, day; false when the text is no such date.
bool ReadShortDate(const std::string& text, int& year, int& month, int& day);
// A date answer in either form ("6/30/2017" or "Jun 30, 2017") read as year, month, day, without
// a message; false when it reads neither way.
bool ReadAnyDate(const std::string& text, int& year, int& month, int& day);
// Days of `month` (1 to 12) of `year`.
int DaysInMonth(int year, int month);
// Today's date in the short date format.
std::string TodayShortDate();

}  // namespace quorvan
