#pragma once
// Form 1041-A: the information return of a trust with charitable amounts.

namespace quorvan {

void CalcForm1041APage1();
void CalcForm1041APage2();

}  // namespace quorvan
