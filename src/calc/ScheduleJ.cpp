#include "calc/ScheduleJ.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcScheduleJPartI()
{
}

void CalcScheduleJPage2()
{
}

void CalcScheduleJPartII()
{
}

}  // namespace quorvan
