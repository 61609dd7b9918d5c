#pragma once
// Schedule I: the alternative minimum tax of the estate or trust over three pages. Part I the
// adjusted alternative minimum taxable income, Part II the income distribution deduction on a
// minimum tax basis, Part III the tax (line 56, which Schedule G line 1c takes) and Part IV
// line 52 figured with the lower capital gain rates.

namespace quorvan {

void CalcScheduleIPage1();        // lines 1 to 25
void CalcScheduleIPartII();       // lines 30 to 44
void CalcScheduleIPartIII();      // lines 45 to 56; runs Part IV when the gains call for it
void CalcScheduleIPartIV();       // lines 57 to 69
void CalcScheduleIPage3();        // lines 70 to 85, and line 52 from line 85
void CalcScheduleILines26To29();  // lines 26 to 29

}  // namespace quorvan
