#pragma once
// Answer text and numbers: parsing entries into numbers, whole-dollar answer text and the fixed
// number formats of the page fields (the date routines are in store/Dates.h). Every answer is text; these rules
// decide the dollars and cents on the return.
//
// Rounding: a fixed format writes the number as a decimal of 18 significant digits and then
// rounds at the requested place by the next digit alone, so halves go away from zero
// (2.5 -> 3, -2.5 -> -3, 0.125 -> 0.13). Parsing never reports to the caller: a failure shows its
// numbered message and yields 0.

#include <string>

namespace quorvan {

// "(1,234)" and "1,234-" -> "-1234"; drops blanks, "$", "%", "(", ")", "," and "-".
std::string RemoveCommasAndSigns(const std::string& text);

// The largest amount, in absolute value, that an answer may hold. No estate or trust return
// comes near it, and sums of thousands of such amounts stay exact to the cent in a double, so no
// total can overflow into 0 or a wrong figure. Entry refuses more; the conversions count more as 0.
constexpr double kLargestAmount = 999999999999.0;

// The real conversions fail, with their message naming the text and 0, on text that does not
// read and on a number beyond kLargestAmount in absolute value, in any notation ("1e13",
// "1,000,000,000,000", "1e5000"). A number too small to matter ("1e-5000") reads as 0.
double Str2Float_P(const std::string& text);  // unrounded; failure: message 2118
double Str2Float_0(const std::string& text);  // whole units; failure: message 2119
double Str2Float_2(const std::string& text);  // cents; failure: message 2120

// The number `text` holds, read as the conversions read it (the empty text is 0) but without a
// message and without the bound, so that a figure beyond it can still be shown as it stands.
// False when the text holds no number, or one beyond what a double holds.
bool ReadNumber(const std::string& text, double& value);
// True when `text` holds a number beyond kLargestAmount in absolute value; no message.
bool BeyondLargestAmount(const std::string& text);
// A whole number, 64 bits wide, so any whole-dollar amount a double holds exactly fits.
// Failure (no digits, another character, beyond the 64-bit range): message 2121 with the text,
// and the value of the digits read before the offending one.
long long Str2Int(const std::string& text);

// Whole dollars as an integer for the rate schedules: `amount` rounded half away from zero.
// Failure: an amount beyond the 64-bit range (or no number) shows message 2121 with the amount
// written out, and yields 0.
long long Float2Int(double amount);

// The entry without control characters (below 32, and DEL), which are no text: a tab stays.
// An answer is one line, so a line break goes too; a multi-line field turns its breaks into
// " | " first.
std::string StripControlCharacters(const std::string& text);

// `utf8` cut to its first kMaxAnswerLength characters (never inside a character), so that an
// answer put together from others still fits a client file.
std::string WithinAnswerLength(const std::string& utf8);

// `text` in double quotes for a message, cut after 40 characters (never inside a character) with
// "..." so that a damaged line of megabytes still gives a message one can read.
std::string QuotedForMessage(const std::string& text);

// Whole-dollar answer text: 1234.5 -> "1,235", -0.4 -> "0".
std::string Float2Dollar(double value);

// The number with `decimals` places, rounded as above, optionally with thousands separators,
// without padding ("%w.dn" when `separators`, "%w.df" otherwise, leading blanks removed).
std::string FormatFixed(long double value, int decimals, bool separators);

// Max(a, b) is b when b >= a; Min(a, b) is a when b >= a.
double Max(double a, double b);
double Min(double a, double b);

}  // namespace quorvan
