#pragma once
// The capital gain worksheets: Schedule D Part V, the Qualified Dividends and Schedule D Tax
// worksheets, the 28% Rate Gain and Unrecaptured Section 1250 Gain worksheets and the Capital Loss
// Carryover Worksheet.

namespace quorvan {

void Calc28RateGainWorksheet();
void CalcUnrecaptured1250Worksheet();
void CalcScheduleDPartV();
void CalcQualifiedDividendsWorksheet();
void CalcScheduleDTaxWorksheet();
void CalcCapitalLossCarryoverWorksheet();

}  // namespace quorvan
