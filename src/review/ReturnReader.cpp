#include "review/ReturnReader.h"

#include "store/Amounts.h"
#include "store/Dates.h"

#include <algorithm>

namespace quorvan::review {
namespace {

const char* const kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool Digits(const std::string& text, size_t from, size_t count)
{
    if (from + count > text.size())
        return false;
    return std::all_of(text.begin() + static_cast<long>(from), text.begin() + static_cast<long>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// "Jan 31, 2016" as the short form "1/31/2016", the way the tax year calculations read it.
std::string ShortFormOfLongDate(const std::string& text)
{
    for (int m = 0; m < 12; ++m) {
        if (text.rfind(kMonthAbbreviations[m], 0) != 0)
            continue;
        const size_t blank = text.find(' ');
        const size_t comma = text.find(", ");
        if (blank == std::string::npos || comma == std::string::npos || comma < blank)
            return {};
        return std::to_string(m + 1) + "/" + text.substr(blank + 1, comma - blank - 1) + "/" + text.substr(comma + 2);
    }
    return {};
}

}  // namespace

double ReturnReader::Amount(int formType, int page, int slot) const
{
    return Str2Float_0(store_.Text(formType, page, slot));
}

bool ReturnReader::Blank(int formType, int page, int slot) const
{
    const std::string& text = store_.Text(formType, page, slot);
    return text.find_first_not_of(' ') == std::string::npos;
}

int ReturnReader::K1Pages() const
{
    return std::clamp(store_.NoOfSchedK, 0, kMaxPages);
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool ReadDate(const std::string& text, Date& date)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return false;
    if (ReadShortDate(trimmed, date.year, date.month, date.day))
        return true;
    const std::string shortForm = ShortFormOfLongDate(trimmed);
    return !shortForm.empty() && ReadShortDate(shortForm, date.year, date.month, date.day);
}

int DayNumber(const Date& date)
{
    // Days from civil (proleptic Gregorian).
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

bool IsEmployerIdentificationNumber(const std::string& text)
{
    const std::string number = Trim(text);
    return number.size() == 10 && Digits(number, 0, 2) && number[2] == '-' && Digits(number, 3, 7);
}

bool IsSocialSecurityNumber(const std::string& text)
{
    const std::string number = Trim(text);
    if (number.size() != 11 || !Digits(number, 0, 3) || number[3] != '-' || !Digits(number, 4, 2) ||
        number[6] != '-' || !Digits(number, 7, 4))
        return false;
    const std::string area = number.substr(0, 3);
    return area != "000" && area != "666" && number.substr(4, 2) != "00" && number.substr(7, 4) != "0000";
}

}  // namespace quorvan::review
