#include "calc/Form1041Page2.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcScheduleA()
{
}

void CalcScheduleB()
{
}

void CalcScheduleG()
{
}

void CalcOtherInformation()
{
}

}  // namespace quorvan
