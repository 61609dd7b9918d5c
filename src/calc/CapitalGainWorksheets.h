#pragma once
// The capital gain worksheets: Schedule D Part V, the Qualified Dividends and Schedule D Tax
// worksheets, the 28% Rate Gain and Unrecaptured Section 1250 Gain worksheets and the Capital Loss
// Carryover Worksheet; and which of the three tax computations holds Schedule G line 1a.

namespace quorvan {

void Calc28RateGainWorksheet();
void CalcUnrecaptured1250Worksheet();
void CalcScheduleDPartV();
void CalcQualifiedDividendsWorksheet();
void CalcScheduleDTaxWorksheet();
void CalcCapitalLossCarryoverWorksheet();

// Set by each run of CalcScheduleDPartV (all false before its first run); Schedule G and
// Schedule I read those of the run that precedes them in the same recalculation.
bool PartVInUse();                        // Schedule D line 45 holds the tax
bool ScheduleDTaxWorksheetInUse();        // Schedule D Tax Worksheet line 44 holds it
bool QualifiedDividendsWorksheetInUse();  // the Qualified Dividends Tax Worksheet wrote line 1a

}  // namespace quorvan
