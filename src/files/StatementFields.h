#pragma once
// Reading the amounts and dates of broker and bank data files, without messages: the readers name
// a field that fails with its line.

#include <string>

namespace quorvan {

// "$1,234.56", "1234", "-12.5", "(12.50)" as cents; false for anything else, for thousands
// commas out of place and for an amount beyond the largest an answer may hold.
bool ReadStatementAmount(const std::string& text, long long& cents);

// "MM/DD/YYYY", "M/D/YY" or "YYYY-MM-DD" as a yyyymmdd number; false for no such day.
bool ReadStatementDate(const std::string& text, int& yyyymmdd);

// A yyyymmdd number as the date text of a Form 8949 row, "MM/DD/YYYY".
std::string StatementDateText(int yyyymmdd);

// True when a sale acquired and sold on these days was held more than one year.
bool HeldMoreThanOneYear(int acquired, int sold);

// Blanks trimmed from both ends.
std::string TrimBlanks(const std::string& text);

// The text in lower case with its blanks trimmed: how headers and keywords are matched.
std::string Folded(const std::string& text);

// Text from a data file as an answer: UTF-8 kept, other bytes read as Windows-1252, control
// characters dropped, cut to the longest answer.
std::string StatementText(const std::string& bytes);

}  // namespace quorvan
