#pragma once
// The readers of broker and bank data files: Tax Exchange Format V042 and comma-separated files
// with a header row. Each reads the whole text (UTF-8, lines ending in CR LF or LF) and names
// every record it cannot read with its line, so that a file is taken whole or not at all.

#include "files/StatementRecords.h"

#include <string>

namespace quorvan {

// True when the text opens with the V042 header line of a tax exchange file.
bool LooksLikeTxf(const std::string& text);

StatementData ReadTxf(const std::string& text, const SaleYear& year);
StatementData ReadStatementCsv(const std::string& text, const SaleYear& year);

// Either reader, chosen by the text.
StatementData ReadStatement(const std::string& text, const SaleYear& year);

}  // namespace quorvan
