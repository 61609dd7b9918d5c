#include "calc/Continuation.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcInterestSchedule(int /*k*/)
{
}

void CalcDividendSchedule(int /*k*/)
{
}

void CalcOtherDeductionsSchedule(int /*k*/)
{
}

void CalcOther2Schedule(int /*k*/)
{
}

}  // namespace quorvan
