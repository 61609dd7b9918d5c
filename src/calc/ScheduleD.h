#pragma once
// Form 8949 pages of boxes A to F and Schedule D: page totals, Parts I to III and the capital
// loss limitation carried to Form 1041 line 4.

namespace quorvan {

void CalcForm8949BoxA(int k);
void CalcForm8949BoxB(int k);
void CalcForm8949BoxC(int k);
void CalcForm8949BoxD(int k);
void CalcForm8949BoxE(int k);
void CalcForm8949BoxF(int k);
void CalcScheduleDPage1();
void CalcCapitalLossLimitation();
void CalcScheduleDPartIII();

}  // namespace quorvan
