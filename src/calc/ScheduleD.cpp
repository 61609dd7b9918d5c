#include "calc/ScheduleD.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcForm8949BoxA(int /*k*/)
{
}

void CalcForm8949BoxB(int /*k*/)
{
}

void CalcForm8949BoxC(int /*k*/)
{
}

void CalcForm8949BoxD(int /*k*/)
{
}

void CalcForm8949BoxE(int /*k*/)
{
}

void CalcForm8949BoxF(int /*k*/)
{
}

void CalcScheduleDPage1()
{
}

void CalcCapitalLossLimitation()
{
}

void CalcScheduleDPartIII()
{
}

}  // namespace quorvan
