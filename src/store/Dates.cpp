#include "store/Dates.h"

#include "messages/Messages.h"

#include <ctime>
#include <string>

namespace quorvan {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* const kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// "Jun 30, 2017" as "6/30/2017"; `longForm` false when the text names no month.
std::string ShortFormOfLongDate(const std::string& text, bool& longForm)
{
    for (int m = 0; m < 12; ++m) {
        if (text.find(kMonthAbbreviations[m]) == std::string::npos)
            continue;
        longForm = true;
        const size_t blank = text.find(' ');
        const size_t comma = text.find(", ");
        std::string dayText;
        if (blank != std::string::npos && comma != std::string::npos && comma > blank)
            dayText = text.substr(blank + 1, comma - blank - 1);
        const std::string yearText = comma == std::string::npos ? std::string() : text.substr(comma + 2);
        return std::to_string(m + 1) + "/" + dayText + "/" + yearText;
    }
    longForm = false;
    return std::string();
}

// Days from 12/30/1899 to the given date.
int SerialDay(int year, int month, int day)
{
    // Days from civil (proleptic Gregorian), shifted so that 1899-12-30 is day 0.
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int daysFrom1970 = era * 146097 + doe - 719468;
    return daysFrom1970 + 25569;
}

void Today(int& year, int& month, int& day)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
}

// Reads 1 to `maxDigits` digits as a number; false when there are none or too many.
bool ReadNumberField(const std::string& field, int maxDigits, int& value)
{
    if (field.empty() || static_cast<int>(field.size()) > maxDigits)
        return false;
    value = 0;
    for (char c : field) {
        if (!IsDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool ReadShortDate(const std::string& text, int& year, int& month, int& day)
{
    const std::string trimmed = Trim(text);
    const size_t first = trimmed.find('/');
    if (first == std::string::npos)
        return false;
    const size_t second = trimmed.find('/', first + 1);
    int m = 0, d = 0, y = 0;
    if (!ReadNumberField(trimmed.substr(0, first), 2, m))
        return false;
    if (second == std::string::npos) {
        // Month and day alone mean this year.
        int thisMonth = 0, thisDay = 0;
        Today(y, thisMonth, thisDay);
        if (!ReadNumberField(trimmed.substr(first + 1), 2, d))
            return false;
    } else {
        const std::string yearText = trimmed.substr(second + 1);
        if (!ReadNumberField(trimmed.substr(first + 1, second - first - 1), 2, d) || !ReadNumberField(yearText, 4, y))
            return false;
        if (yearText.size() <= 2) {
            // Two-digit years fall within the fifty years before this one or after it.
            int thisYear = 0, thisMonth = 0, thisDay = 0;
            Today(thisYear, thisMonth, thisDay);
            const int threshold = thisYear - 50;
            y += threshold / 100 * 100;
            if (y < threshold)
                y += 100;
        }
    }
    if (m < 1 || m > 12 || y < 1 || d < 1 || d > DaysInMonth(y, m))
        return false;
    year = y;
    month = m;
    day = d;
    return true;
}

std::string TodayShortDate()
{
    int year = 0, month = 0, day = 0;
    Today(year, month, day);
    return std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
}

NormalisedDate NormaliseDate(const std::string& text)
{
    if (text.empty())
        return {true, std::string()};
    int year = 0, month = 0, day = 0;
    if (ReadShortDate(text, year, month, day))
        return {true, text};
    bool longForm = false;
    const std::string shortForm = ShortFormOfLongDate(text, longForm);
    if (longForm)
        return {true, shortForm};
    ShowMessageByCode(21180);
    return {false, TodayShortDate()};
}

bool ReadAnyDate(const std::string& text, int& year, int& month, int& day)
{
    if (ReadShortDate(text, year, month, day))
        return true;
    bool longForm = false;
    const std::string shortForm = ShortFormOfLongDate(text, longForm);
    return longForm && ReadShortDate(shortForm, year, month, day);
}

std::string LongDate(const std::string& text)
{
    int year = 0, month = 0, day = 0;
    if (!ReadShortDate(text, year, month, day))
        return text;
    return std::string(kMonthNames[month - 1]) + " " + std::to_string(day) + ", " + std::to_string(year);
}

int DateValue(const std::string& text)
{
    const NormalisedDate normalised = NormaliseDate(text);
    const std::string date = normalised.ok ? normalised.text : std::string();
    if (date.empty())
        return 0;
    int year = 0, month = 0, day = 0;
    if (!ReadShortDate(date, year, month, day)) {
        ShowMessageByCode(21340);
        Today(year, month, day);
    }
    return SerialDay(year, month, day);
}

}  // namespace quorvan
