#pragma once
// Form 1041-QFT (qualified funeral trusts), Form 1041-T (estimated payments allocated to
// beneficiaries) and the payment voucher Form 1041-V.

#include "store/SlotRef.h"

#include <string>
#include <vector>

namespace quorvan {

class TAnswer;

void CalcForm1041QFT();
void CalcForm1041T();
void CalcForm1041V();

// Whether the return is a qualified funeral trust's: Form 1041-QFT holds amounts of its own
// (income, deductions, credits, further tax or payments typed on it) or the number of QFTs it
// covers. Its capital gain line, carried from Schedule D, does not count.
bool FuneralTrustReturn(const TAnswer& answers);

// An answer of Form 1041-QFT Part I and the text it carries from Form 1041's identification.
struct CarriedIdentification {
    SlotRef field;
    std::string text;
};
// Every Part I answer carried from Form 1041 page 1: name, tax year, trustee, address and
// identification number.
std::vector<CarriedIdentification> FuneralTrustIdentification(const TAnswer& answers);

}  // namespace quorvan
