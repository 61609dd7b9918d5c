#pragma once
// Form 1041 page 2: Schedules A, B and G (line 4 from Form 8960) and Other Information line 1.

namespace quorvan {

void CalcScheduleA();
void CalcScheduleB();
void CalcScheduleG();
void CalcOtherInformation();

}  // namespace quorvan
