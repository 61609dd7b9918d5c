#include "print/FormSelect.h"

#include "calc/Form1041QFTTV.h"
#include "calc/TaxYear.h"
#include "print/TaxExemptStatement.h"
#include "slot/EstimatedVouchers.h"
#include "slot/EstimatedWorksheet.h"
#include "slot/Form1041APage1.h"
#include "slot/Form1041APage2.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041T.h"
#include "slot/Form2210.h"
#include "slot/Form8949LongTerm.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/Form8960.h"
#include "slot/MaxCapGainsWorksheet.h"
#include "slot/QualifiedDividendsWorksheet.h"
#include "slot/Rate28Worksheet.h"
#include "slot/ScheduleDPage1.h"
#include "slot/ScheduleDTaxWorksheet.h"
#include "slot/ScheduleIPage1.h"
#include "slot/ScheduleJPage1.h"
#include "slot/TaxExemptStatement.h"
#include "store/Amounts.h"
#include "store/FormTypes.h"

#include <algorithm>
#include <iterator>

namespace quorvan {
namespace {

// Boxes A to C and D to F keep the same slots on their two layouts.
namespace f8949 = slot::form8949ShortTerm;
static_assert(f8949::line2Gain == slot::form8949LongTerm::line2Gain &&
                  f8949::sales::kFirst == slot::form8949LongTerm::sales::kFirst,
              "the short-term and long-term Form 8949 pages keep the same slots");

bool NonZero(const TAnswer& answers, int formType, int slot)
{
    return Str2Float_0(answers.Text(formType, 0, slot)) != 0;
}

bool NonZero(const TAnswer& answers, SlotRef field)
{
    return NonZero(answers, field.formType, field.slot);
}

double Amount(const TAnswer& answers, SlotRef field)
{
    return Str2Float_0(answers.Text(field.formType, 0, field.slot));
}

// What a preparer enters on Form 1041-A (its capital gain line, carried from Schedule D, aside)
// and the totals of its balance sheet.
constexpr SlotRef kForm1041AEntries[] = {
    slot::form1041APage1::line1,          slot::form1041APage1::line2,          slot::form1041APage1::line3,
    slot::form1041APage1::line5,          slot::form1041APage1::line6,          slot::form1041APage1::line7,
    slot::form1041APage1::line8,          slot::form1041APage1::line10,         slot::form1041APage1::line11,
    slot::form1041APage1::line12,         slot::form1041APage1::line13,         slot::form1041APage1::line14,
    slot::form1041APage1::line15,         slot::form1041APage1::line16Deductions, slot::form1041APage1::line18,
    slot::form1041APage1::line20,         slot::form1041APage1::line22,         slot::form1041APage1::line24,
    slot::form1041APage2::line38TotalAssetsBegin, slot::form1041APage2::line38TotalAssetsEnd,
    slot::form1041APage2::line42LiabilitiesBegin, slot::form1041APage2::line42LiabilitiesEnd,
    slot::form1041APage2::line45NetAssetsBegin,   slot::form1041APage2::line45NetAssetsEnd,
};

// Schedule I is completed and attached when the estate's or trust's share of alternative minimum
// taxable income (its line 29) exceeds the exemption amount, when it claims a general business
// credit or the credit for prior year minimum tax, and when it owes the tax (Schedule G line 1c).
bool ScheduleIRequired(const TAnswer& answers)
{
    return Amount(answers, slot::scheduleIPage1::line29) > taxyear::kAmtExemption ||
           Amount(answers, slot::form1041Page2::scheduleGLine2bBusiness) > 0 ||
           Amount(answers, slot::form1041Page2::scheduleGLine2cPriorMinimum) > 0 ||
           NonZero(answers, slot::form1041Page2::scheduleGLine1cAmt);
}

bool Form1041AUsed(const TAnswer& answers)
{
    return std::any_of(std::begin(kForm1041AEntries), std::end(kForm1041AEntries),
                       [&answers](SlotRef entry) { return NonZero(answers, entry); });
}

// Only a positive line 5 is an accumulation distribution; line 5 is negative for every trust
// that kept part of its income, and such a trust files no Schedule J.
bool ScheduleJUsed(const TAnswer& answers)
{
    return Amount(answers, slot::scheduleJPage1::line5AccumulationDistribution) > 0;
}

// A funeral trust files Form 1041-QFT in place of Form 1041, and Form 1041-V with its tax due.
void DefaultFuneralTrustForms(const TAnswer& answers, PrintSelection& selection)
{
    if (!FuneralTrustReturn(answers))
        return;
    selection.SetTicked(ftForm1041QFT, true);
    selection.SetTicked(ftForm1041Page1, false);
    selection.SetTicked(ftForm1041Page2, false);
    if (Amount(answers, slot::form1041QFT::line19TaxDue) > 0)
        selection.SetTicked(ftForm1041V, true);
}

// Forms 1041-A and 1041-T print when the return uses them.
void DefaultForm1041AAndT(const TAnswer& answers, PrintSelection& selection)
{
    const bool form1041A = Form1041AUsed(answers);
    selection.SetTicked(ftForm1041APage1, form1041A);
    selection.SetTicked(ftForm1041APage2, form1041A);
    selection.SetTicked(ftForm1041T, NonZero(answers, slot::form1041T::line4TotalAllocated));
}

// Form 8960 is attached when the estate or trust owes the net investment income tax.
bool Form8960ByDefault(const TAnswer& answers)
{
    return Amount(answers, slot::form8960::line21NetInvestmentIncomeTax) > 0;
}

// Form 2210 is attached only when a box of its Part II asks for it; otherwise the penalty goes on
// Form 1041 line 26 and the form stays in the file.
bool Form2210ByDefault(const TAnswer& answers)
{
    namespace f2210 = slot::form2210;
    for (SlotRef box :
         {f2210::waiverBoxA, f2210::waiverBoxB, f2210::annualizedBoxC, f2210::withholdingBoxD, f2210::jointReturnBoxE})
        if (answers.Text(box.formType, 0, box.slot) == "X")
            return true;
    return false;
}

}  // namespace

const std::vector<std::string>& PrintTabCaptions()
{
    static const std::vector<std::string> captions = {"Form 1041", "Form 1041-A", "Form 1041-ES",
                                                      "Form 1041-QFT", "Form 1041-T"};
    return captions;
}

const std::vector<PrintBox>& PrintBoxes()
{
    static const std::vector<PrintBox> boxes = [] {
        std::vector<PrintBox> all;
        for (const FormTypeRow* row : FormTypeRows())
            if (row->printBox)
                all.push_back({row->printBox, row->printCaption, row->printTab, row->formType});
        return all;
    }();
    return boxes;
}

const PrintBox* PrintBoxFor(int formType)
{
    const auto& boxes = PrintBoxes();
    const auto it = std::find_if(boxes.begin(), boxes.end(),
                                 [formType](const PrintBox& box) { return box.formType == formType; });
    return it == boxes.end() ? nullptr : &*it;
}

bool PrintSelection::Ticked(int formType) const
{
    return formType >= 0 && formType < kFormTypes && ticked_[static_cast<size_t>(formType)];
}

void PrintSelection::SetTicked(int formType, bool ticked)
{
    if (PrintBoxFor(formType))
        ticked_[static_cast<size_t>(formType)] = ticked;
}

void PrintSelection::SelectAll()
{
    for (const PrintBox& box : PrintBoxes())
        ticked_[static_cast<size_t>(box.formType)] = true;
}

void PrintSelection::ClearAll()
{
    ticked_.fill(false);
}

bool PrintSelection::Empty() const
{
    return std::none_of(ticked_.begin(), ticked_.end(), [](bool ticked) { return ticked; });
}

PrintSelection DefaultSelection(const TAnswer& answers)
{
    PrintSelection selection;
    selection.SetTicked(ftForm1041Page1, true);
    selection.SetTicked(ftForm1041Page2, true);

    // Schedule D: line 16, then [5:83] and [6:98], cells that no page shows and that stay empty, as
    // they always have; the first non-zero one decides.
    const bool scheduleD = NonZero(answers, slot::scheduleDPage1::line16NetLongTerm) ||
                           NonZero(answers, ftScheduleDPage1, 83) || NonZero(answers, ftScheduleDPage2, 98);
    selection.SetTicked(ftScheduleDPage1, scheduleD);
    selection.SetTicked(ftScheduleDPage2, scheduleD);

    for (int t = ftForm8949A; t <= ftForm8949F; ++t)
        selection.SetTicked(t, NonZero(answers, t, f8949::line2Gain) ||
                                   !answers.Text(t, 0, f8949::sales::Slot(0, f8949::sales::description)).empty());

    const bool scheduleI = ScheduleIRequired(answers);
    selection.SetTicked(ftScheduleIPage1, scheduleI);
    selection.SetTicked(ftScheduleIPage2, scheduleI);
    selection.SetTicked(ftScheduleIPage3, scheduleI);

    const bool scheduleJ = ScheduleJUsed(answers);
    selection.SetTicked(ftScheduleJPage1, scheduleJ);
    selection.SetTicked(ftScheduleJPage2, scheduleJ);
    selection.SetTicked(ftForm8960, Form8960ByDefault(answers));
    selection.SetTicked(ftForm2210, Form2210ByDefault(answers));

    selection.SetTicked(ftScheduleK1, answers.NoOfSchedK > 0);
    selection.SetTicked(ftEstimatedWorksheet, Amount(answers, slot::estimatedWorksheet::line17Installment) > 250);
    selection.SetTicked(ftMaxCapGainsWorksheet, Amount(answers, slot::maxCapGainsWorksheet::line40) > 0);
    selection.SetTicked(ftEstimatedVouchers, Amount(answers, slot::estimatedVouchers::voucher1Amount) > 0);

    selection.SetTicked(ftInterest, NonZero(answers, slot::form1041Page1::line1Interest));
    selection.SetTicked(ftDividend, NonZero(answers, slot::form1041Page1::line2aDividends));
    selection.SetTicked(ftOtherDeductions, NonZero(answers, slot::form1041Page1::line15aOther));
    selection.SetTicked(ftOther2, NonZero(answers, slot::form1041Page1::line15cTwoPercent));
    selection.SetTicked(slot::taxExemptStatement::kFormType, TaxExemptStatementNeeded(answers));

    selection.SetTicked(ftScheduleDTaxWorksheet, NonZero(answers, slot::scheduleDTaxWorksheet::line43));
    selection.SetTicked(ftQualifiedDividendsWorksheet, NonZero(answers, slot::qualifiedDividendsWorksheet::line17));
    // The 28% worksheet box follows [26:86], as it always has.
    // The worksheet prints when it has a 28% rate gain (its line 7).
    selection.SetTicked(ftRate28Worksheet, NonZero(answers, slot::rate28Worksheet::line7));
    selection.SetTicked(ftForm1041V, NonZero(answers, slot::form1041Page1::line27TaxDue));
    DefaultForm1041AAndT(answers, selection);
    DefaultFuneralTrustForms(answers, selection);
    return selection;
}

const std::vector<int>& PrintOrder()
{
    static const std::vector<int> order = {
        ftForm1041Page1, ftForm1041Page2,
        ftInterest, ftDividend, ftOtherDeductions, ftOther2, slot::taxExemptStatement::kFormType,
        ftScheduleDPage1, ftScheduleDPage2,
        ftForm8949A, ftForm8949B, ftForm8949C, ftForm8949D, ftForm8949E, ftForm8949F,
        ftScheduleIPage1, ftScheduleIPage2, ftScheduleIPage3,
        ftScheduleJPage1, ftScheduleJPage2,
        ftForm8960, ftForm2210,
        ftScheduleK1,
        ftUnrecaptured1250, ftScheduleDTaxWorksheet, ftQualifiedDividendsWorksheet, ftCapitalLossCarryover,
        ftRate28Worksheet,
        ftForm1041APage1, ftForm1041APage2,
        ftEstimatedWorksheet, ftMaxCapGainsWorksheet, ftEstimatedVouchers,
        ftForm1041QFT, ftForm1041T, ftForm1041V,
    };
    return order;
}

bool FormApplies(const TAnswer& answers, int formType)
{
    switch (formType) {
    case ftForm1041QFT: return FuneralTrustReturn(answers);
    case ftForm1041APage1:
    case ftForm1041APage2: return Form1041AUsed(answers);
    case ftScheduleJPage1:
    case ftScheduleJPage2: return ScheduleJUsed(answers);
    default: return true;
    }
}

std::vector<int> TickedFormsThatDoNotApply(const PrintSelection& selection, const TAnswer& answers)
{
    std::vector<int> left;
    for (int t : PrintOrder())
        if (selection.Ticked(t) && !FormApplies(answers, t))
            left.push_back(t);
    return left;
}

std::vector<PrintPage> PagesToPrint(const PrintSelection& selection, const TAnswer& answers)
{
    std::vector<PrintPage> pages;
    for (int t : PrintOrder()) {
        if (!selection.Ticked(t) || !FormApplies(answers, t))
            continue;
        const int* count = answers.CountField(t);
        const int pageCount = count ? std::max(1, std::min(*count, kHighestPageIndex[t] + 1)) : 1;
        for (int k = 0; k < pageCount; ++k)
            pages.push_back({t, k});
    }
    return pages;
}

}  // namespace quorvan
