#pragma once
// Form 2210: the estimated tax penalty of an estate or trust, figured from the 2016 tax, the
// withholding and the payments table of the form, onto Form 1041 line 26; line 24a is the
// payments table's total when the table is used.

namespace quorvan {

// Runs after Schedule G and before Form 1041's tax and payments, which read lines 24a and 26.
// A page without any entry figures nothing and leaves both lines as they stand.
// Errors: message 2917 and ErrFlag; an entry that cannot be used: message 2970 naming it.
void CalcForm2210();

}  // namespace quorvan
