#include "print/FormSelect.h"

#include "store/FormTypes.h"
#include "store/Misc.h"

#include <algorithm>

namespace quorvan {
namespace {

bool NonZero(const TAnswer& answers, int formType, int slot)
{
    return Str2Float_0(answers.Text(formType, 0, slot)) != 0;
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

    // Schedule D: [5:41], [5:83], [6:98] in this order; the first non-zero one decides.
    const bool scheduleD = NonZero(answers, ftScheduleDPage1, 41) || NonZero(answers, ftScheduleDPage1, 83) ||
                           NonZero(answers, ftScheduleDPage2, 98);
    selection.SetTicked(ftScheduleDPage1, scheduleD);
    selection.SetTicked(ftScheduleDPage2, scheduleD);

    for (int t = ftForm8949A; t <= ftForm8949F; ++t)
        selection.SetTicked(t, NonZero(answers, t, 136) || !answers.Text(t, 0, 5).empty());

    const bool scheduleI = NonZero(answers, ftForm1041Page2, 26);
    selection.SetTicked(ftScheduleIPage1, scheduleI);
    selection.SetTicked(ftScheduleIPage2, scheduleI);
    selection.SetTicked(ftScheduleIPage3, scheduleI);

    // Only a positive line 5 is an accumulation distribution; line 5 is negative for every trust
    // that kept part of its income, and such a trust files no Schedule J.
    const bool scheduleJ = Str2Float_0(answers.Text(ftScheduleJPage1, 0, 6)) > 0;
    selection.SetTicked(ftScheduleJPage1, scheduleJ);
    selection.SetTicked(ftScheduleJPage2, scheduleJ);

    selection.SetTicked(ftScheduleK1, answers.NoOfSchedK > 0);
    selection.SetTicked(ftEstimatedWorksheet, Str2Float_0(answers.Text(ftEstimatedWorksheet, 0, 18)) > 250);
    selection.SetTicked(ftMaxCapGainsWorksheet, Str2Float_0(answers.Text(ftMaxCapGainsWorksheet, 0, 40)) > 0);
    selection.SetTicked(ftEstimatedVouchers, Str2Float_0(answers.Text(ftEstimatedVouchers, 0, 0)) > 0);

    selection.SetTicked(ftInterest, NonZero(answers, ftForm1041Page1, 30));
    selection.SetTicked(ftDividend, NonZero(answers, ftForm1041Page1, 31));
    selection.SetTicked(ftOtherDeductions, NonZero(answers, ftForm1041Page1, 48));
    selection.SetTicked(ftOther2, NonZero(answers, ftForm1041Page1, 49));

    selection.SetTicked(ftScheduleDTaxWorksheet, NonZero(answers, ftScheduleDTaxWorksheet, 44));
    selection.SetTicked(ftQualifiedDividendsWorksheet, NonZero(answers, ftQualifiedDividendsWorksheet, 17));
    // The 28% worksheet box follows [26:86], as it always has.
    // The worksheet prints when it has a 28% rate gain (its line 7).
    selection.SetTicked(ftRate28Worksheet, NonZero(answers, ftRate28Worksheet, 7));
    selection.SetTicked(ftForm1041V, NonZero(answers, ftForm1041Page1, 69));
    return selection;
}

const std::vector<int>& PrintOrder()
{
    static const std::vector<int> order = {
        ftForm1041Page1, ftForm1041Page2,
        ftInterest, ftDividend, ftOtherDeductions, ftOther2,
        ftScheduleDPage1, ftScheduleDPage2,
        ftForm8949A, ftForm8949B, ftForm8949C, ftForm8949D, ftForm8949E, ftForm8949F,
        ftScheduleIPage1, ftScheduleIPage2, ftScheduleIPage3,
        ftScheduleJPage1, ftScheduleJPage2,
        ftScheduleK1,
        ftUnrecaptured1250, ftScheduleDTaxWorksheet, ftQualifiedDividendsWorksheet, ftCapitalLossCarryover,
        ftRate28Worksheet,
        ftForm1041APage1, ftForm1041APage2,
        ftEstimatedWorksheet, ftMaxCapGainsWorksheet, ftEstimatedVouchers,
        ftForm1041QFT, ftForm1041T, ftForm1041V,
    };
    return order;
}

std::vector<PrintPage> PagesToPrint(const PrintSelection& selection, const TAnswer& answers)
{
    std::vector<PrintPage> pages;
    for (int t : PrintOrder()) {
        if (!selection.Ticked(t))
            continue;
        const int* count = answers.CountField(t);
        const int pageCount = count ? std::max(1, std::min(*count, kHighestPageIndex[t] + 1)) : 1;
        for (int k = 0; k < pageCount; ++k)
            pages.push_back({t, k});
    }
    return pages;
}

}  // namespace quorvan
