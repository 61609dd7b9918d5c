#pragma once
// Schedule J: accumulation distribution of a complex trust.

namespace quorvan {

void CalcScheduleJPartI();
void CalcScheduleJPage2();
void CalcScheduleJPartII();

}  // namespace quorvan
