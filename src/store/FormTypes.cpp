#include "store/FormTypes.h"

#include "store/Answers.h"

#include <algorithm>

namespace quorvan {
namespace {

constexpr int kNone = kNoPageTarget;
constexpr int kCont = kContinuationTarget;

// Form 8949 boxes B and C show on box A's layout, boxes E and F on box D's. Type 17 is reserved:
// no page shows it, and its zero amounts have always stayed empty.
const FormTypeRow kRows[] = {
    // type, name, layout, blank zero, prior, next, tree item, menu item, menu text, tree text
    {ftForm1041Page1, "Form 1041", 1, false, kNone, 200, "tvwPage1", "mnuForm1041Page1", "Page &1", "Page 1"},
    {ftForm1041Page2, "Form 1041", 2, false, 100, kNone, "tvwPage2", "mnuForm1041Page2", "Page &2", "Page 2"},
    {ftScheduleIPage1, "Schedule I", 3, false, kNone, 400, "tvwScheduleI_1", "mnuScheduleI1", "Page &1", "Page 1"},
    {ftScheduleIPage2, "Schedule I", 4, false, 300, 2800, "tvwScheduleI_2", "mnuScheduleI2", "Page &2", "Page 2"},
    {ftScheduleDPage1, "Schedule D", 5, true, kNone, 600, "tvwScheduleD_1", "mnuScheduleD1", "Page &1", "Page &1"},
    {ftScheduleDPage2, "Schedule D", 6, false, 500, kNone, "tvwScheduleD_2", "mnuScheduleD2", "Page &2", "Page &2"},
    {ftScheduleJPage1, "Schedule J", 7, true, kNone, 800, "tvwScheduleJ_1", "mnuScheduleJ1", "Page &1", "Page 1"},
    {ftScheduleJPage2, "Schedule J", 8, true, 700, kNone, "tvwScheduleJ_2", "mnuScheduleJ2", "Page &2", "Page 2"},
    {ftScheduleK1, "Schedule K-1", 9, true, kCont, kCont, "tvwScheduleK1", nullptr, nullptr, nullptr},
    {ftForm1041APage1, "Form 1041-A", 10, false, kNone, 1100, "tvwForm1041A_1", "mnuForm1041A1", "Page &1", "Page 1"},
    {ftForm1041APage2, "Form 1041-A", 11, false, 1000, kNone, "tvwForm1041A_2", "mnuForm1041A2", "Page &2", "Page 2"},
    {ftEstimatedWorksheet, "Form 1041-ES worksheet", 12, false, kNone, 1600, "tvwESWorksheet", "mnuESWorksheet",
     "&Worksheet", "Worksheet"},
    {ftEstimatedVouchers, "Form 1041-ES vouchers", 13, false, 1600, kNone, "tvwESVouchers", "mnuESVoucher",
     "&Voucher", "Vouchers"},
    {ftForm1041QFT, "Form 1041-QFT", 14, false, kNone, kNone, "tvwForm1041QFT", "mnuForm1041QFT", "Form 1041-&QFT",
     "Form 1041-QFT"},
    {ftForm1041T, "Form 1041-T", 15, true, kNone, kNone, "tvwForm1041T", "mnuForm1041T", "Form 1041-&T",
     "Form 1041-T"},
    {ftMaxCapGainsWorksheet, "Maximum Capital Gains Rates Worksheet", 16, false, 1200, 1300, "tvwESMaxCapGains",
     "mnuESMaxCapGains", "Max Cap Gains Rates Wrksht", "Max Cap Gains Rates Wrksht"},
    {17, nullptr, -1, true, kNone, kNone, nullptr, nullptr, nullptr, nullptr},
    {ftInterest, "Interest continuation schedule", 18, true, kCont, kCont, "tvwInterestView", nullptr, nullptr,
     nullptr},
    {ftDividend, "Dividend continuation schedule", 19, true, kCont, kCont, "tvwDividendsView", nullptr, nullptr,
     nullptr},
    {ftOtherDeductions, "Other deductions continuation schedule", 20, true, kCont, kCont, "tvwOtherView", nullptr,
     nullptr, nullptr},
    {ftUnrecaptured1250, "Unrecaptured Section 1250 Gain Worksheet", 21, false, kNone, kNone, "tvwWorksheet1250",
     "mnuWorksheet1250", "&Unrecaptured Sec 1250 Gain", "Unrecaptured Sec 1250 Gain"},
    {ftScheduleDTaxWorksheet, "Schedule D Tax Worksheet", 22, false, kNone, kNone, "tvwWorksheetSchedDTax",
     "mnuWorksheetSchedDTax", "Schedule &D Tax", "Schedule D Tax"},
    {ftQualifiedDividendsWorksheet, "Qualified Dividends Tax Worksheet", 23, false, kNone, kNone,
     "tvwWorksheetQualDiv", "mnuWorksheetQualDiv", "&Qualified Dividend", "Qualified Dividends"},
    {ftForm1041V, "Form 1041-V", 24, false, kNone, kNone, "tvwForm1041V", "mnuForm1041V", "Form 1041-V",
     "Form 1041-V"},
    {ftCapitalLossCarryover, "Capital Loss Carryover Worksheet", 25, false, kNone, kNone, "tvwWorksheetCapLoss",
     "mnuWorksheetCapLoss", "&Capital Loss Carryover", "Capital Loss Carryover"},
    {ftOther2, "2% floor deductions continuation schedule", 26, true, kCont, kCont, "tvwOther2View", nullptr,
     nullptr, nullptr},
    {ftRate28Worksheet, "28% Rate Gain Worksheet", 27, true, kNone, kNone, "tvwWorksheet28Rate",
     "mnuWorksheet28Rate", "&28% Rate Gain", "28% Rate Gain"},
    {ftScheduleIPage3, "Schedule I", 28, false, 400, kNone, "tvwScheduleI_3", "mnuScheduleI3", "Page &3", "Page 3"},
    {ftForm8949A, "Form 8949, box A", 29, true, kCont, kCont, "tvwBoxAView", nullptr, nullptr, nullptr},
    {ftForm8949B, "Form 8949, box B", 29, true, kCont, kCont, "tvwBoxBView", nullptr, nullptr, nullptr},
    {ftForm8949C, "Form 8949, box C", 29, true, kCont, kCont, "tvwBoxCView", nullptr, nullptr, nullptr},
    {ftForm8949D, "Form 8949, box D", 32, true, kCont, kCont, "tvwBoxDView", nullptr, nullptr, nullptr},
    {ftForm8949E, "Form 8949, box E", 32, true, kCont, kCont, "tvwBoxEView", nullptr, nullptr, nullptr},
    {ftForm8949F, "Form 8949, box F", 32, true, kCont, kCont, "tvwBoxFView", nullptr, nullptr, nullptr},
};

constexpr int kDefaultPageHeight = 2000;

}  // namespace

const FormTypeRow* FindFormType(int formType)
{
    const auto row = std::find_if(std::begin(kRows), std::end(kRows),
                                  [formType](const FormTypeRow& r) { return r.formType == formType; });
    return row == std::end(kRows) ? nullptr : row;
}

const LayoutFacts* FindLayoutFacts(int layout)
{
    const LayoutFacts* end = kLayoutFacts + kLayoutFactCount;
    const LayoutFacts* facts =
        std::find_if(kLayoutFacts, end, [layout](const LayoutFacts& f) { return f.layout == layout; });
    return facts == end ? nullptr : facts;
}

int LayoutOf(int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    return row && row->layout > 0 ? row->layout : formType;
}

bool IsBlankZeroType(int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    return row && row->blankZero;
}

int PageHeightOf(int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    const LayoutFacts* facts = row ? FindLayoutFacts(row->layout) : nullptr;
    return facts ? facts->height : kDefaultPageHeight;
}

int FocusTagOf(int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    const LayoutFacts* facts = row ? FindLayoutFacts(row->layout) : nullptr;
    return facts ? facts->focusTag : -1;
}

}  // namespace quorvan
