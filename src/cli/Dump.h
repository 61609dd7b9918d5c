#pragma once
// The dump of a return: every non-empty answer of the pages a client file holds, one per line
// as "T/K:S=TEXT", with "*" after S when the answer is overridden.

#include <string>

namespace quorvan {

class TAnswer;

std::string DumpReturn(const TAnswer& store);

}  // namespace quorvan
