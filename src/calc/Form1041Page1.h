#pragma once
// Form 1041 page 1: item B, income (lines 1 to 9), deductions (10 to 17), taxable income
// (18 to 22, with the line 2b split that follows line 18) and tax and payments (23 to 29).

namespace quorvan {

void CalcForm1041Identification();
void CalcForm1041Income();
void CalcForm1041Deductions();
void CalcForm1041TaxableIncome();
void CalcForm1041TaxAndPayments();

// The estate's or trust's adjusted gross income before its exemption, as the open return's
// lines stand: line 9 less the costs of administration (lines 12, 14 and 15a), the net
// operating loss deduction (15b) and the income distribution deduction (18). It phases out a
// qualified disability trust's exemption and, less the exemption, is Form 8960 line 19a.
double AdjustedGrossIncomeBeforeExemption();

// The qualified disability trust's exemption for a modified adjusted total income above the
// phase-out start (whole dollars in, dollars out, not yet rounded).
double DisabilityTrustExemption(double modifiedAdjustedTotalIncome);

}  // namespace quorvan
