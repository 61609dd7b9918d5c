#include "store/Amounts.h"

#include "messages/Messages.h"
#include "store/Answers.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

namespace quorvan {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The power of ten of the first significant digit of a decimal whose digits (with at most one
// point) are `mantissa` and whose exponent is `exponent` ("0.05" and 0 give -2, "120" and 3 give
// 5); 0 for a number that is zero. It tells a number too large for any floating type from one too
// small, which the parser reports alike.
long long DecimalOrder(const std::string& mantissa, long long exponent)
{
    const size_t point = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return 0;
    const long long place =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    return place + exponent;
}

// Accepts: optional sign, digits with an optional decimal point (at least one digit), optional
// exponent. The text must be consumed whole. A number too large for a long double reads as an
// infinity of its sign (beyond every bound); one too small to hold reads as 0.
bool ParseDecimal(const std::string& text, long double& value)
{
    const char* p = text.data();
    const char* end = p + text.size();
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* start = p;
    int digits = 0;
    while (p < end && IsDigit(*p)) {
        ++p;
        ++digits;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && IsDigit(*p)) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    const char* mantissaEnd = p;
    long long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p < end && (*p == '+' || *p == '-'))
            negativeExponent = *p++ == '-';
        const char* expDigits = p;
        constexpr long long kExponentCap = 1000000000;  // far beyond any floating type
        for (; p < end && IsDigit(*p); ++p)
            exponent = std::min(kExponentCap, exponent * 10 + (*p - '0'));
        if (p == expDigits)
            return false;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (p != end)
        return false;
    // from_chars wants no leading '+' and no bare leading '.', and is locale independent.
    std::string body(start, end);
    if (body[0] == '.')
        body.insert(body.begin(), '0');
    long double parsed = 0;
    const auto result = std::from_chars(body.data(), body.data() + body.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        parsed = DecimalOrder(std::string(start, mantissaEnd), exponent) > 0 ? HUGE_VALL : 0;
    } else if (result.ec != std::errc() || result.ptr != body.data() + body.size()) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

// Steps 1 to 3 shared by the three real conversions.
bool ParseEntry(const std::string& text, long double& value)
{
    const std::string cleaned = RemoveCommasAndSigns(text.empty() ? std::string("0.00") : text);
    return ParseDecimal(cleaned, value);
}

// A plain whole number such as "1,234" or "-56" converts exactly; most answers are of this form.
bool ParsePlainWhole(const std::string& text, long double& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    size_t i = 0;
    bool negative = false;
    if (text[0] == '-') {
        negative = true;
        i = 1;
    }
    long long magnitude = 0;
    int digits = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (++digits > 15)
                return false;  // beyond what a double holds exactly: the general path rounds it
            magnitude = magnitude * 10 + (c - '0');
        } else if (c != ',') {
            return false;
        }
    }
    if (digits == 0)
        return false;
    value = negative ? -static_cast<long double>(magnitude) : static_cast<long double>(magnitude);
    return true;
}

// The decimal digits of |value| rounded at `decimals` places by the rule of the fixed formats.
// Returns integer and fraction digits; `isZero` tells that every digit is 0.
struct RoundedDigits {
    std::string integer;
    std::string fraction;
    bool isZero;
};

RoundedDigits RoundAtPlace(long double value, int decimals)
{
    RoundedDigits out{"0", std::string(static_cast<size_t>(decimals), '0'), true};
    if (value == 0 || !std::isfinite(value))
        return out;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17);
    const std::string sci(buffer, result.ptr);
    // sci is "d.ddddddddddddddddde+XX": 18 significant digits.
    const size_t ePos = sci.find('e');
    std::string digits = sci.substr(0, 1) + sci.substr(2, ePos - 2);
    const int exponent = std::stoi(sci.substr(ePos + 1));
    // The first digit has place value 10^exponent; keep the digits down to 10^-decimals.
    const int keep = exponent + 1 + decimals;
    if (keep < 0)
        return out;
    const int next = keep < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(keep)] - '0' : 0;
    std::string kept = digits.substr(0, static_cast<size_t>(std::min<int>(keep, static_cast<int>(digits.size()))));
    while (static_cast<int>(kept.size()) < keep)
        kept.push_back('0');
    if (next >= 5) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<size_t>(i)] == '9') {
                kept[static_cast<size_t>(i)] = '0';
            } else {
                ++kept[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
    }
    // kept holds the digits of round(|value| * 10^decimals).
    while (static_cast<int>(kept.size()) <= decimals)
        kept.insert(kept.begin(), '0');
    out.integer = kept.substr(0, kept.size() - static_cast<size_t>(decimals));
    out.fraction = kept.substr(kept.size() - static_cast<size_t>(decimals));
    const size_t firstNonZero = out.integer.find_first_not_of('0');
    out.integer = firstNonZero == std::string::npos ? "0" : out.integer.substr(firstNonZero);
    out.isZero = kept.find_first_not_of('0') == std::string::npos;
    return out;
}

std::string GroupThousands(const std::string& digits)
{
    std::string grouped;
    const size_t n = digits.size();
    grouped.reserve(n + n / 3);
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return grouped;
}

// A whole double written out digit for digit (2^63 as 9223372036854775808).
std::string ExactWholeText(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::round(value), std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

// An amount a double holds: "1e309" reads as a long double but not as a double.
bool FitsDouble(long double value) { return std::isfinite(static_cast<double>(value)); }

// Parses the text of a fixed format back; it always reads.
long double ReadBack(const std::string& formatted)
{
    long double value = 0;
    ParseDecimal(RemoveCommasAndSigns(formatted), value);
    return value;
}

enum class Reading { Number, NoNumber, BeyondLargest };

// Steps 1 to 3 of the conversions, and the bound. The plain whole numbers most answers hold take
// a short way.
Reading ReadEntry(const std::string& text, long double& value)
{
    value = 0;
    if (text.empty())
        return Reading::Number;  // most answers of a return are empty
    if (!ParsePlainWhole(text, value) && !ParseEntry(text, value))
        return Reading::NoNumber;
    return std::fabs(value) > kLargestAmount ? Reading::BeyondLargest : Reading::Number;
}

// Reads the entry; a failure shows the conversion's message, naming the text, and gives 0.
bool ReadOrReport(const std::string& text, long double& value, unsigned failureCode)
{
    switch (ReadEntry(text, value)) {
    case Reading::Number: return true;
    case Reading::NoNumber:
        ShowMessageByCode(failureCode, QuotedForMessage(text) + " does not read as a number and counts as 0. ");
        break;
    case Reading::BeyondLargest:
        ShowMessageByCode(failureCode, QuotedForMessage(text) + " is beyond the largest amount a return can hold, " +
                                           Float2Dollar(kLargestAmount) + ", and counts as 0. ");
        break;
    }
    value = 0;
    return false;
}

double RoundedEntry(const std::string& text, int decimals, unsigned failureCode)
{
    long double value = 0;
    if (!ReadOrReport(text, value, failureCode) || value == std::floor(value))
        return static_cast<double>(value);
    return static_cast<double>(ReadBack(FormatFixed(value, decimals, false)));
}

}  // namespace

// A text quoted in a message is cut to this many characters.
constexpr size_t kQuotedLength = 40;

std::string QuotedForMessage(const std::string& text)
{
    if (text.size() <= kQuotedLength)
        return "\"" + text + "\"";
    size_t cut = kQuotedLength;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a UTF-8 sequence
    return "\"" + text.substr(0, cut) + "...\"";
}

std::string RemoveCommasAndSigns(const std::string& text)
{
    if (text.empty())
        return std::string();
    bool negative = false;
    std::string kept;
    kept.reserve(text.size() + 1);
    for (char c : text) {
        switch (c) {
        case '(':
        case '-': negative = true; break;
        case ' ':
        case '$':
        case '%':
        case ')':
        case ',': break;
        default: kept.push_back(c);
        }
    }
    return negative ? "-" + kept : kept;
}

double Str2Float_P(const std::string& text)
{
    long double value = 0;
    ReadOrReport(text, value, 21182);
    return static_cast<double>(value);
}

double Str2Float_0(const std::string& text) { return RoundedEntry(text, 0, 21192); }

double Str2Float_2(const std::string& text) { return RoundedEntry(text, 2, 21202); }

bool ReadNumber(const std::string& text, double& value)
{
    long double read = 0;
    if (ReadEntry(text, read) == Reading::NoNumber || !FitsDouble(read))
        return false;
    value = static_cast<double>(read);
    return true;
}

bool BeyondLargestAmount(const std::string& text)
{
    long double value = 0;
    return ReadEntry(text, value) == Reading::BeyondLargest;
}

long long Str2Int(const std::string& text)
{
    const std::string cleaned = RemoveCommasAndSigns(text);
    size_t i = 0;
    while (i < cleaned.size() && cleaned[i] == ' ')
        ++i;
    bool negative = false;
    if (i < cleaned.size() && (cleaned[i] == '+' || cleaned[i] == '-')) {
        negative = cleaned[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < cleaned.size() && cleaned[i] == '0' && (cleaned[i + 1] == 'x' || cleaned[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < cleaned.size() && (cleaned[i] == 'x' || cleaned[i] == 'X')) {
        base = 16;
        i += 1;
    }
    // The magnitude may reach 2^63 for a negative number, 2^63 - 1 for a positive one.
    const unsigned long long limit = static_cast<unsigned long long>(LLONG_MAX) + (negative ? 1 : 0);
    unsigned long long value = 0;
    bool failed = i >= cleaned.size();
    for (; i < cleaned.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(cleaned[i])));
        unsigned digit = base;
        if (IsDigit(c))
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        if (digit >= base || value > (limit - digit) / base) {
            failed = true;
            break;
        }
        value = value * base + digit;
    }
    if (failed)
        ShowMessageByCode(21212, text);
    if (!negative)
        return static_cast<long long>(value);
    return value == 0 ? 0 : -static_cast<long long>(value - 1) - 1;
}

long long Float2Int(double amount)
{
    // 2^63, the first amount beyond the range. Doubles that large are whole numbers, so rounding
    // never carries an amount below it over it.
    constexpr double kBeyond = 9223372036854775808.0;
    if (!(amount >= -kBeyond && amount < kBeyond)) {
        ShowMessageByCode(21212,
                          std::isfinite(amount) ? ExactWholeText(amount) : std::string("an amount too large to hold"));
        return 0;
    }
    return std::llround(amount);
}

std::string StripControlCharacters(const std::string& text)
{
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 0x20 && byte != 0x7F) || c == '\t')
            kept.push_back(c);
    }
    return kept;
}

std::string WithinAnswerLength(const std::string& utf8)
{
    size_t characters = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue;  // inside a character
        if (++characters > kMaxAnswerLength)
            return utf8.substr(0, i);
    }
    return utf8;
}

std::string FormatFixed(long double value, int decimals, bool separators)
{
    const RoundedDigits rounded = RoundAtPlace(value, decimals);
    std::string text;
    if (value < 0 && !rounded.isZero)
        text.push_back('-');
    text += separators ? GroupThousands(rounded.integer) : rounded.integer;
    if (decimals > 0)
        text += "." + rounded.fraction;
    return text;
}

std::string Float2Dollar(double value)
{
    // Whole amounts below 10^15 are written directly; the rounding rule leaves them unchanged.
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        const long long whole = static_cast<long long>(value);
        const std::string digits = GroupThousands(std::to_string(whole < 0 ? -whole : whole));
        return whole < 0 ? "-" + digits : digits;
    }
    return FormatFixed(value, 0, true);
}

double Max(double a, double b) { return b >= a ? b : a; }

double Min(double a, double b) { return b >= a ? a : b; }

}  // namespace quorvan
