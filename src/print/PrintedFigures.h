#pragma once
// The text of an amount or a percentage on a printed form, shared by the RTF merge and the
// painted forms so that both print the same figure for the same answer.

#include <string>

namespace quorvan {

// Whole dollars ("1,235", "-100") of an amount answer. False, printing nothing, for an empty
// answer of a form type whose zero amounts stay empty. A total past the largest amount prints as
// it stands, as the screen shows it; the lines that read it have said that they count it as 0.
bool PrintedWholeDollars(const std::string& answer, int formType, std::string& formatted);

// A percentage answer (a fraction) as "12.500%"; nothing for an empty answer.
std::string PrintedPercentage(const std::string& answer);

}  // namespace quorvan
