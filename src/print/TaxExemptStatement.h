#pragma once
// The statement Form 1041, Other Information question 1 asks for when the estate or trust received
// tax-exempt income: the tax-exempt interest received, the expenses directly attributable to it,
// and each deduction whose amount paid the allocation worksheet holds, split into its tax-exempt
// part and its deductible part (the Form 1041 line). Its page keeps no answers of its own: both
// print routes read its fields here, from Form 1041 and the worksheet as they stand.

#include <string>

namespace quorvan {

class TAnswer;

// The answer a print route prints for `slot` of page [formType/page]: the stored answer, or on
// the statement the figure its field shows (nothing for a deduction without an amount paid).
std::string AnswerToPrint(const TAnswer& answers, int formType, int page, int slot);

// Whether the worksheet gives a deduction a tax-exempt part of a dollar or more: the statement
// then goes with the return by default.
bool TaxExemptStatementNeeded(const TAnswer& answers);

}  // namespace quorvan
