#include "calc/CapitalGainWorksheets.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void Calc28RateGainWorksheet()
{
}

void CalcUnrecaptured1250Worksheet()
{
}

void CalcScheduleDPartV()
{
}

void CalcQualifiedDividendsWorksheet()
{
}

void CalcScheduleDTaxWorksheet()
{
}

void CalcCapitalLossCarryoverWorksheet()
{
}

}  // namespace quorvan

namespace quorvan {

bool PartVInUse() { return false; }
bool ScheduleDTaxWorksheetInUse() { return false; }
bool QualifiedDividendsWorksheetInUse() { return false; }

}  // namespace quorvan
