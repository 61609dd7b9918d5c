#pragma once
// Schedule K-1: one beneficiary's share of income, deductions and credits per page.

namespace quorvan {

void CalcScheduleK1(int k);

}  // namespace quorvan
