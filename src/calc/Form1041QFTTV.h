#pragma once
// Form 1041-QFT (qualified funeral trusts), Form 1041-T (estimated payments allocated to
// beneficiaries) and the payment voucher Form 1041-V.

namespace quorvan {

void CalcForm1041QFT();
void CalcForm1041T();
void CalcForm1041V();

}  // namespace quorvan
