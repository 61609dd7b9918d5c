#include "store/FormTypes.h"

#include "store/Answers.h"

#include <algorithm>

namespace quorvan {
namespace {

constexpr int kNone = kNoPageTarget;
constexpr int kCont = kContinuationTarget;

// Type 17 is reserved: no page shows it, and its zero amounts have always stayed empty.
const FormTypeRow kRows[] = {
    // type, name, blank zero, prior, next, tree item, menu item, menu text, tree text
    {ftForm1041Page1, "Form 1041", false, kNone, 200, "tvwPage1", "mnuForm1041Page1", "Page &1", "Page 1"},
    {ftForm1041Page2, "Form 1041", false, 100, kNone, "tvwPage2", "mnuForm1041Page2", "Page &2", "Page 2"},
    {ftScheduleIPage1, "Schedule I", false, kNone, 400, "tvwScheduleI_1", "mnuScheduleI1", "Page &1", "Page 1"},
    {ftScheduleIPage2, "Schedule I", false, 300, 2800, "tvwScheduleI_2", "mnuScheduleI2", "Page &2", "Page 2"},
    {ftScheduleDPage1, "Schedule D", true, kNone, 600, "tvwScheduleD_1", "mnuScheduleD1", "Page &1", "Page &1"},
    {ftScheduleDPage2, "Schedule D", false, 500, kNone, "tvwScheduleD_2", "mnuScheduleD2", "Page &2", "Page &2"},
    {ftScheduleJPage1, "Schedule J", true, kNone, 800, "tvwScheduleJ_1", "mnuScheduleJ1", "Page &1", "Page 1"},
    {ftScheduleJPage2, "Schedule J", true, 700, kNone, "tvwScheduleJ_2", "mnuScheduleJ2", "Page &2", "Page 2"},
    {ftScheduleK1, "Schedule K-1", true, kCont, kCont, "tvwScheduleK1", nullptr, nullptr, nullptr},
    {ftForm1041APage1, "Form 1041-A", false, kNone, 1100, "tvwForm1041A_1", "mnuForm1041A1", "Page &1", "Page 1"},
    {ftForm1041APage2, "Form 1041-A", false, 1000, kNone, "tvwForm1041A_2", "mnuForm1041A2", "Page &2", "Page 2"},
    {ftEstimatedWorksheet, "Form 1041-ES worksheet", false, kNone, 1600, "tvwESWorksheet", "mnuESWorksheet",
     "&Worksheet", "Worksheet"},
    {ftEstimatedVouchers, "Form 1041-ES vouchers", false, 1600, kNone, "tvwESVouchers", "mnuESVoucher",
     "&Voucher", "Vouchers"},
    {ftForm1041QFT, "Form 1041-QFT", false, kNone, kNone, "tvwForm1041QFT", "mnuForm1041QFT", "Form 1041-&QFT",
     "Form 1041-QFT"},
    {ftForm1041T, "Form 1041-T", true, kNone, kNone, "tvwForm1041T", "mnuForm1041T", "Form 1041-&T",
     "Form 1041-T"},
    {ftMaxCapGainsWorksheet, "Maximum Capital Gains Rates Worksheet", false, 1200, 1300, "tvwESMaxCapGains",
     "mnuESMaxCapGains", "Max Cap Gains Rates Wrksht", "Max Cap Gains Rates Wrksht"},
    {17, nullptr, true, kNone, kNone, nullptr, nullptr, nullptr, nullptr},
    {ftInterest, "Interest continuation schedule", true, kCont, kCont, "tvwInterestView", nullptr, nullptr,
     nullptr},
    {ftDividend, "Dividend continuation schedule", true, kCont, kCont, "tvwDividendsView", nullptr, nullptr,
     nullptr},
    {ftOtherDeductions, "Other deductions continuation schedule", true, kCont, kCont, "tvwOtherView", nullptr,
     nullptr, nullptr},
    {ftUnrecaptured1250, "Unrecaptured Section 1250 Gain Worksheet", false, kNone, kNone, "tvwWorksheet1250",
     "mnuWorksheet1250", "&Unrecaptured Sec 1250 Gain", "Unrecaptured Sec 1250 Gain"},
    {ftScheduleDTaxWorksheet, "Schedule D Tax Worksheet", false, kNone, kNone, "tvwWorksheetSchedDTax",
     "mnuWorksheetSchedDTax", "Schedule &D Tax", "Schedule D Tax"},
    {ftQualifiedDividendsWorksheet, "Qualified Dividends Tax Worksheet", false, kNone, kNone,
     "tvwWorksheetQualDiv", "mnuWorksheetQualDiv", "&Qualified Dividend", "Qualified Dividends"},
    {ftForm1041V, "Form 1041-V", false, kNone, kNone, "tvwForm1041V", "mnuForm1041V", "Form 1041-V",
     "Form 1041-V"},
    {ftCapitalLossCarryover, "Capital Loss Carryover Worksheet", false, kNone, kNone, "tvwWorksheetCapLoss",
     "mnuWorksheetCapLoss", "&Capital Loss Carryover", "Capital Loss Carryover"},
    {ftOther2, "2% floor deductions continuation schedule", true, kCont, kCont, "tvwOther2View", nullptr,
     nullptr, nullptr},
    {ftRate28Worksheet, "28% Rate Gain Worksheet", true, kNone, kNone, "tvwWorksheet28Rate",
     "mnuWorksheet28Rate", "&28% Rate Gain", "28% Rate Gain"},
    {ftScheduleIPage3, "Schedule I", false, 400, kNone, "tvwScheduleI_3", "mnuScheduleI3", "Page &3", "Page 3"},
    {ftForm8949A, "Form 8949, box A", true, kCont, kCont, "tvwBoxAView", nullptr, nullptr, nullptr},
    {ftForm8949B, "Form 8949, box B", true, kCont, kCont, "tvwBoxBView", nullptr, nullptr, nullptr},
    {ftForm8949C, "Form 8949, box C", true, kCont, kCont, "tvwBoxCView", nullptr, nullptr, nullptr},
    {ftForm8949D, "Form 8949, box D", true, kCont, kCont, "tvwBoxDView", nullptr, nullptr, nullptr},
    {ftForm8949E, "Form 8949, box E", true, kCont, kCont, "tvwBoxEView", nullptr, nullptr, nullptr},
    {ftForm8949F, "Form 8949, box F", true, kCont, kCont, "tvwBoxFView", nullptr, nullptr, nullptr},
};

constexpr int kDefaultPageHeight = 2000;

}  // namespace

const FormTypeRow* FindFormType(int formType)
{
    const auto row = std::find_if(std::begin(kRows), std::end(kRows),
                                  [formType](const FormTypeRow& r) { return r.formType == formType; });
    return row == std::end(kRows) ? nullptr : row;
}

const LayoutFacts* FindLayoutFacts(int formType)
{
    const LayoutFacts* end = kLayoutFacts + kLayoutFactCount;
    const LayoutFacts* facts =
        std::find_if(kLayoutFacts, end, [formType](const LayoutFacts& f) { return f.formType == formType; });
    return facts == end ? nullptr : facts;
}

int LayoutOf(int formType)
{
    const LayoutFacts* facts = FindLayoutFacts(formType);
    return facts ? facts->layout : formType;
}

bool IsBlankZeroType(int formType)
{
    const FormTypeRow* row = FindFormType(formType);
    return row && row->blankZero;
}

int PageHeightOf(int formType)
{
    const LayoutFacts* facts = FindLayoutFacts(formType);
    return facts ? facts->height : kDefaultPageHeight;
}

int FocusTagOf(int formType)
{
    const LayoutFacts* facts = FindLayoutFacts(formType);
    return facts ? facts->focusTag : -1;
}

}  // namespace quorvan
