#pragma once
// The text of an amount or a percentage on a printed form, shared by the RTF merge and the
// painted forms so that both print the same figure for the same answer.

#include <string>

namespace quorvan {

// Whole dollars ("1,235", "-100") of an amount answer. False, printing nothing, for an empty
// answer and for one that rounds to 0 dollars, on every form: a line with nothing to report
// prints blank (the screen keeps showing "0" where its form type does). A total past the largest amount prints as
// it stands, as the screen shows it; the lines that read it have said that they count it as 0.
bool PrintedWholeDollars(const std::string& answer, std::string& formatted);

// An amount as a filed form shows it: a negative one in parentheses ("(28,000)"); nothing for an
// empty or zero answer. The painted forms and the RTF merge print amounts through it.
std::string PrintedAmount(const std::string& answer);

// An amount on a line whose parentheses the form prints (Schedule D, line 20): whole dollars
// without a sign, a loss as it stands inside them ("3,000" for -3,000); nothing for an empty or
// zero answer.
std::string PrintedAmountInParentheses(const std::string& answer);

// A percentage answer (a fraction) as "12.500%"; nothing for an empty answer.
std::string PrintedPercentage(const std::string& answer);

}  // namespace quorvan
