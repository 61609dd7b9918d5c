#pragma once
// The dump of a return: every non-empty answer of the pages a client file holds, one per line
// as "T/K:S=TEXT", with "*" after S when the answer is overridden. A control character in TEXT is
// written as an escape ("\x1B"), never raw.

#include <string>

namespace quorvan {

class TAnswer;

std::string DumpReturn(const TAnswer& store);

// Recalculates until a run leaves every answer unchanged, at most `maxRuns` runs, as the window
// does after each field exit. False when a run stopped on a calculator error. A message the runs
// raise alike is shown once.
bool SettleReturn(TAnswer& store, int maxRuns);

}  // namespace quorvan
