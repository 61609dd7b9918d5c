#include "calc/Form1041ES.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcEstimatedTaxWorksheet()
{
}

void CalcMaxCapGainsRatesWorksheet()
{
}

void CalcEstimatedTaxVouchers()
{
}

}  // namespace quorvan
