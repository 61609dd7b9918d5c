#include "calc/ScheduleK1.h"

#include "calc/CalcSupport.h"

namespace quorvan {

void CalcScheduleK1(int /*k*/)
{
}

}  // namespace quorvan
