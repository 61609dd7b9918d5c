#pragma once
// Schedule I: alternative minimum tax, pages 1 to 3.

namespace quorvan {

void CalcScheduleIPage1();
void CalcScheduleIPartII();
void CalcScheduleIPartIII();
void CalcScheduleIPartIV();
void CalcScheduleIPage3();
void CalcScheduleILines26To29();

}  // namespace quorvan
