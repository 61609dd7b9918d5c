#include "calc/ScheduleI.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcScheduleIPage1()
{
}

void CalcScheduleIPartII()
{
}

void CalcScheduleIPartIII()
{
}

void CalcScheduleIPartIV()
{
}

void CalcScheduleIPage3()
{
}

void CalcScheduleILines26To29()
{
}

}  // namespace quorvan
