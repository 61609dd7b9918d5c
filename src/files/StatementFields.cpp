#include "files/StatementFields.h"

#include "store/Amounts.h"
#include "store/Dates.h"

#include <cctype>
#include <cstdio>

namespace quorvan {

namespace {

bool AllDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Whole dollars with thousands commas: either no comma at all, or groups of three after the first.
bool ReadDollars(const std::string& text, long long& dollars)
{
    std::string digits;
    if (text.find(',') == std::string::npos) {
        digits = text;
    } else {
        size_t start = 0;
        size_t comma = text.find(',');
        if (comma == 0 || comma > 3)
            return false;
        while (comma != std::string::npos) {
            digits += text.substr(start, comma - start);
            start = comma + 1;
            comma = text.find(',', start);
            const size_t group = (comma == std::string::npos ? text.size() : comma) - start;
            if (group != 3)
                return false;
        }
        digits += text.substr(start);
    }
    if (digits.empty())
        digits = "0";  // ".50"
    if (!AllDigits(digits) || digits.size() > 13)
        return false;
    dollars = std::stoll(digits);
    return true;
}

}  // namespace

std::string TrimBlanks(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Folded(const std::string& text)
{
    std::string folded = TrimBlanks(text);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

std::string StatementText(const std::string& bytes)
{
    return WithinAnswerLength(TrimBlanks(StripControlCharacters(bytes)));
}

bool ReadStatementAmount(const std::string& text, long long& cents)
{
    std::string rest = TrimBlanks(text);
    bool negative = false;
    if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
        negative = true;
        rest = TrimBlanks(rest.substr(1, rest.size() - 2));
    }
    if (!negative && !rest.empty() && rest.front() == '-') {
        negative = true;
        rest = TrimBlanks(rest.substr(1));
    }
    if (!rest.empty() && rest.front() == '$')
        rest = TrimBlanks(rest.substr(1));
    if (!negative && !rest.empty() && rest.front() == '-') {  // "$-12.00"
        negative = true;
        rest = rest.substr(1);
    }
    if (rest.empty())
        return false;
    const size_t point = rest.find('.');
    std::string fraction = point == std::string::npos ? std::string() : rest.substr(point + 1);
    long long dollars = 0;
    if (!ReadDollars(rest.substr(0, point), dollars))
        return false;
    if (point != std::string::npos && !fraction.empty() && !AllDigits(fraction))
        return false;
    if (point == 0 && fraction.empty())
        return false;  // "." alone
    // Cents rounded half away from zero by the third decimal, as a broker rounds.
    long long hundredths = 0;
    for (size_t i = 0; i < 2; ++i)
        hundredths = hundredths * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    if (fraction.size() > 2 && fraction[2] >= '5')
        ++hundredths;
    const long long value = dollars * 100 + hundredths;
    if (value > static_cast<long long>(kLargestAmount) * 100)
        return false;
    cents = negative ? -value : value;
    return true;
}

bool ReadStatementDate(const std::string& text, int& yyyymmdd)
{
    const std::string date = TrimBlanks(text);
    int year = 0, month = 0, day = 0;
    char tail = 0;
    if (date.find('-') != std::string::npos) {
        if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) != 3 || date.size() != 10)
            return false;
    } else {
        const size_t first = date.find('/');
        const size_t second = first == std::string::npos ? first : date.find('/', first + 1);
        if (second == std::string::npos)
            return false;
        const std::string m = date.substr(0, first), d = date.substr(first + 1, second - first - 1),
                          y = date.substr(second + 1);
        if (!AllDigits(m) || !AllDigits(d) || !AllDigits(y) || m.size() > 2 || d.size() > 2 ||
            (y.size() != 2 && y.size() != 4))
            return false;
        month = std::stoi(m);
        day = std::stoi(d);
        year = std::stoi(y) + (y.size() == 2 ? 2000 : 0);
    }
    if (year < 1900 || year > 2099 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    yyyymmdd = year * 10000 + month * 100 + day;
    return true;
}

std::string StatementDateText(int yyyymmdd)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", yyyymmdd / 100 % 100, yyyymmdd % 100, yyyymmdd / 10000);
    return text;
}

bool HeldMoreThanOneYear(int acquired, int sold)
{
    // The day after the anniversary is the first day of a long-term holding.
    return sold > acquired + 10000;
}

}  // namespace quorvan
