#include "print/TaxExemptStatement.h"

#include "slot/AllocationWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/TaxExemptStatement.h"
#include "store/Amounts.h"
#include "store/Answers.h"

#include <array>
#include <cstddef>

namespace quorvan {
namespace {

namespace aw = slot::allocationWorksheet;
namespace f1 = slot::form1041Page1;
namespace st = slot::taxExemptStatement;

// Fields the statement copies as they stand.
struct Copied {
    SlotRef field;
    SlotRef source;
};
constexpr std::array<Copied, 4> kCopied = {{
    {st::nameOfEstateOrTrust, f1::nameOfEstateOrTrust},
    {st::employerIdentificationNumber, f1::itemCEin},
    {st::taxExemptInterestReceived, aw::taxExemptInterestReceived},
    {st::taxExemptDirectExpenses, aw::taxExemptDirectExpenses},
}};

// The statement's columns: the amount paid, the tax-exempt part, the deductible part.
constexpr size_t kColumns = 3;
using Columns = std::array<SlotRef, kColumns>;

// One deduction: the statement's fields and where each reads from (the worksheet's amount paid
// and tax-exempt part, the Form 1041 line).
struct Deduction {
    Columns field;
    Columns source;
};
constexpr std::array<Deduction, 6> kDeductions = {{
    {{st::line10Paid, st::line10TaxExemptPart, st::line10Deductible},
     {aw::line10Paid, aw::line10TaxExemptPart, f1::line10Interest}},
    {{st::line11Paid, st::line11TaxExemptPart, st::line11Deductible},
     {aw::line11Paid, aw::line11TaxExemptPart, f1::line11Taxes}},
    {{st::line12Paid, st::line12TaxExemptPart, st::line12Deductible},
     {aw::line12Paid, aw::line12TaxExemptPart, f1::line12FiduciaryFees}},
    {{st::line14Paid, st::line14TaxExemptPart, st::line14Deductible},
     {aw::line14Paid, aw::line14TaxExemptPart, f1::line14ProfessionalFees}},
    {{st::line15aPaid, st::line15aTaxExemptPart, st::line15aDeductible},
     {aw::line15aPaid, aw::line15aTaxExemptPart, f1::line15aOther}},
    {{st::line15cPaid, st::line15cTaxExemptPart, st::line15cDeductible},
     {aw::line15cPaid, aw::line15cTaxExemptPart, f1::line15cTwoPercent}},
}};
constexpr Columns kTotals = {st::totalPaid, st::totalTaxExemptPart, st::totalDeductible};

const std::string& Stored(const TAnswer& answers, SlotRef field)
{
    return answers.Text(field.formType, 0, field.slot);
}

// The worksheet figures a deduction's tax-exempt part only while it holds the amount paid; a line
// typed straight on Form 1041 has no part in this statement.
bool Allocated(const TAnswer& answers, const Deduction& d)
{
    return Stored(answers, d.source[0]).find_first_not_of(' ') != std::string::npos;
}

// A column's total over the deductions shown; nothing while none is.
std::string Total(const TAnswer& answers, size_t column)
{
    bool any = false;
    double total = 0;
    for (const Deduction& d : kDeductions)
        if (Allocated(answers, d)) {
            any = true;
            total += Str2Float_0(Stored(answers, d.source[column]));
        }
    return any ? Float2Dollar(total) : std::string();
}

std::string StatementFigure(const TAnswer& answers, int slot)
{
    for (const Copied& c : kCopied)
        if (c.field.slot == slot)
            return Stored(answers, c.source);
    for (size_t column = 0; column < kColumns; ++column) {
        for (const Deduction& d : kDeductions)
            if (d.field[column].slot == slot)
                return Allocated(answers, d) ? Stored(answers, d.source[column]) : std::string();
        if (kTotals[column].slot == slot)
            return Total(answers, column);
    }
    return std::string();
}

}  // namespace

std::string AnswerToPrint(const TAnswer& answers, int formType, int page, int slot)
{
    if (formType == st::kFormType)
        return StatementFigure(answers, slot);
    return answers.Text(formType, page, slot);
}

bool TaxExemptStatementNeeded(const TAnswer& answers)
{
    for (const Deduction& d : kDeductions)
        if (Allocated(answers, d) && Str2Float_0(Stored(answers, d.source[1])) != 0)
            return true;
    return false;
}

}  // namespace quorvan
