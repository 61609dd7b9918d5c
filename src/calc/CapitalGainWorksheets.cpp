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
