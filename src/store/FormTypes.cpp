#include "store/FormTypes.h"

#include "slot/TaxExemptStatement.h"
#include "store/Answers.h"

#include <algorithm>

namespace quorvan {
namespace {

constexpr int kNone = kNoPageTarget;
constexpr int kCont = kContinuationTarget;
// The tabs of the print selection dialog (PrintTabCaptions in print/FormSelect.h).
constexpr int kTab1041 = 0, kTab1041A = 1, kTab1041ES = 2, kTab1041QFT = 3, kTab1041T = 4;

// The rows stand in the order of the print selection dialog's boxes.
const FormTypeRow kRows[] = {
    // type, name, page name (%1: page number), blank zero,
    //  prior, next, tree item, menu item, menu text, tree text,
    //  print box, print box caption, print tab
    {ftForm1041Page1, "Form 1041", "Form 1041 page 1", false,
     kNone, 200, "tvwPage1", "mnuForm1041Page1", "Page &1", "Page 1",
     "cbxForm1041_1", "U.S. Income Tax for Estates && Trusts - Pg 1", kTab1041},
    {ftForm1041Page2, "Form 1041", "Form 1041 page 2", false,
     100, ftForm8960 * 100, "tvwPage2", "mnuForm1041Page2", "Page &2", "Page 2",
     "cbxForm1041_2", "U.S. Income Tax for Estates && Trusts - Pg 2", kTab1041},
    {ftInterest, "Interest continuation schedule", "Interest continuation page %1", true,
     kCont, kCont, "tvwInterestView", nullptr, nullptr, nullptr,
     "cbxInterest", "Interest Schedule(s)", kTab1041},
    {ftDividend, "Dividend continuation schedule", "Dividends continuation page %1", true,
     kCont, kCont, "tvwDividendsView", nullptr, nullptr, nullptr,
     "cbxDividend", "Dividend Schedule(s)", kTab1041},
    {ftOtherDeductions, "Other deductions continuation schedule", "Other deductions continuation page %1", true,
     kCont, kCont, "tvwOtherView", nullptr, nullptr, nullptr,
     "cbxOther", "Other Deductions", kTab1041},
    {ftOther2, "2% floor deductions continuation schedule", "Other deductions (2% floor) continuation page %1", true,
     kCont, kCont, "tvwOther2View", nullptr, nullptr, nullptr,
     "cbxOther2", "Other Deductions (subj to 2% flr)", kTab1041},
    // Printed only, with the return when the worksheet gives a deduction a tax-exempt part; no page
    // shows it: its figures are read where the return holds them.
    {slot::taxExemptStatement::kFormType, "Statement for Other Information, question 1",
     "Statement for Other Information, question 1", true,
     kNone, kNone, nullptr, nullptr, nullptr, nullptr,
     "cbxTaxExemptStatement", "Statement for Other Information 1", kTab1041},
    {ftScheduleDPage1, "Schedule D", "Schedule D page 1", true,
     kNone, 600, "tvwScheduleD_1", "mnuScheduleD1", "Page &1", "Page &1",
     "cbxScheduleD_1", "Schedule D - Page 1", kTab1041},
    {ftScheduleDPage2, "Schedule D", "Schedule D page 2", false,
     500, kNone, "tvwScheduleD_2", "mnuScheduleD2", "Page &2", "Page &2",
     "cbxScheduleD_2", "Schedule D - Page 2", kTab1041},
    {ftScheduleIPage1, "Schedule I", "Schedule I page 1", false,
     kNone, 400, "tvwScheduleI_1", "mnuScheduleI1", "Page &1", "Page 1",
     "cbxScheduleI_1", "Schedule I - Page 1", kTab1041},
    {ftScheduleIPage2, "Schedule I", "Schedule I page 2", false,
     300, 2800, "tvwScheduleI_2", "mnuScheduleI2", "Page &2", "Page 2",
     "cbxScheduleI_2", "Schedule I - Page 2", kTab1041},
    {ftScheduleIPage3, "Schedule I", "Schedule I page 3", false,
     400, kNone, "tvwScheduleI_3", "mnuScheduleI3", "Page &3", "Page 3",
     "cbxScheduleI_3", "Schedule I - Page 3", kTab1041},
    {ftScheduleJPage1, "Schedule J", "Schedule J page 1", true,
     kNone, 800, "tvwScheduleJ_1", "mnuScheduleJ1", "Page &1", "Page 1",
     "cbxScheduleJ_1", "Schedule J - Page 1", kTab1041},
    {ftScheduleJPage2, "Schedule J", "Schedule J page 2", true,
     700, kNone, "tvwScheduleJ_2", "mnuScheduleJ2", "Page &2", "Page 2",
     "cbxScheduleJ_2", "Schedule J - Page 2", kTab1041},
    // Form 8960 figures Schedule G line 4: Prior leads back to page 2, which leads on to it.
    {ftForm8960, "Form 8960", "Form 8960", true,
     200, ftForm2210 * 100, "tvwForm8960", "mnuForm8960", "Form &8960", "Form 8960",
     "cbxForm8960", "Form 8960 - Net Investment Income Tax", kTab1041},
    // Form 2210 figures Form 1041 line 26 from the whole tax: it follows Form 8960.
    {ftForm2210, "Form 2210", "Form 2210", true,
     ftForm8960 * 100, kNone, "tvwForm2210", "mnuForm2210", "Form &2210", "Form 2210",
     "cbxForm2210", "Form 2210 - Underpayment of Estimated Tax", kTab1041},
    {ftScheduleK1, "Schedule K-1", "Schedule K-1 of beneficiary %1", true,
     kCont, kCont, "tvwScheduleK1", nullptr, nullptr, nullptr,
     "cbxScheduleK1", "Schedule(s) K-1", kTab1041},
    {ftUnrecaptured1250, "Unrecaptured Section 1250 Gain Worksheet", "Unrecaptured Section 1250 Gain Worksheet", false,
     kNone, kNone, "tvwWorksheet1250", "mnuWorksheet1250", "&Unrecaptured Sec 1250 Gain", "Unrecaptured Sec 1250 Gain",
     "cbxSec1250", "Section 1250 Gain Worksheet", kTab1041},
    {ftScheduleDTaxWorksheet, "Schedule D Tax Worksheet", "Schedule D Tax Worksheet", false,
     kNone, kNone, "tvwWorksheetSchedDTax", "mnuWorksheetSchedDTax", "Schedule &D Tax", "Schedule D Tax",
     "cbxScheduleDTax", "Schedule D Tax Worksheet", kTab1041},
    {ftCapitalLossCarryover, "Capital Loss Carryover Worksheet", "Capital Loss Carryover Worksheet", false,
     kNone, kNone, "tvwWorksheetCapLoss", "mnuWorksheetCapLoss", "&Capital Loss Carryover", "Capital Loss Carryover",
     "cbxCapitalLoss", "Capital Loss Carryover Worksheet", kTab1041},
    {ftRate28Worksheet, "28% Rate Gain Worksheet", "28% Rate Gain Worksheet", true,
     kNone, kNone, "tvwWorksheet28Rate", "mnuWorksheet28Rate", "&28% Rate Gain", "28% Rate Gain",
     "cbx28Percent", "28% Rate Gain Worksheet", kTab1041},
    {ftQualifiedDividendsWorksheet, "Qualified Dividends Tax Worksheet", "Qualified Dividends Tax Worksheet", false,
     kNone, kNone, "tvwWorksheetQualDiv", "mnuWorksheetQualDiv", "&Qualified Dividend", "Qualified Dividends",
     "cbxQualifiedDividend", "Qualified Dividend Worksheet", kTab1041},
    {ftForm8949A, "Form 8949, box A", "Form 8949 box A page %1", true,
     kCont, kCont, "tvwBoxAView", nullptr, nullptr, nullptr,
     "cbx8949A", "Form 8949 Checkbox A", kTab1041},
    {ftForm8949B, "Form 8949, box B", "Form 8949 box B page %1", true,
     kCont, kCont, "tvwBoxBView", nullptr, nullptr, nullptr,
     "cbx8949B", "Form 8949 Checkbox B", kTab1041},
    {ftForm8949C, "Form 8949, box C", "Form 8949 box C page %1", true,
     kCont, kCont, "tvwBoxCView", nullptr, nullptr, nullptr,
     "cbx8949C", "Form 8949 Checkbox C", kTab1041},
    {ftForm8949D, "Form 8949, box D", "Form 8949 box D page %1", true,
     kCont, kCont, "tvwBoxDView", nullptr, nullptr, nullptr,
     "cbx8949D", "Form 8949 Checkbox D", kTab1041},
    {ftForm8949E, "Form 8949, box E", "Form 8949 box E page %1", true,
     kCont, kCont, "tvwBoxEView", nullptr, nullptr, nullptr,
     "cbx8949E", "Form 8949 Checkbox E", kTab1041},
    {ftForm8949F, "Form 8949, box F", "Form 8949 box F page %1", true,
     kCont, kCont, "tvwBoxFView", nullptr, nullptr, nullptr,
     "cbx8949F", "Form 8949 Checkbox F", kTab1041},
    {ftForm1041V, "Form 1041-V", "Form 1041-V", false,
     kNone, kNone, "tvwForm1041V", "mnuForm1041V", "Form 1041-V", "Form 1041-V",
     "cbx1041V", "Form 1041-V Payment Voucher", kTab1041},
    {ftForm1041APage1, "Form 1041-A", "Form 1041-A page 1", false,
     kNone, 1100, "tvwForm1041A_1", "mnuForm1041A1", "Page &1", "Page 1",
     "cbx1041A_1", "Page 1", kTab1041A},
    {ftForm1041APage2, "Form 1041-A", "Form 1041-A page 2", false,
     1000, kNone, "tvwForm1041A_2", "mnuForm1041A2", "Page &2", "Page 2",
     "cbx1041A_2", "Page 2", kTab1041A},
    {ftEstimatedVouchers, "Form 1041-ES vouchers", "Form 1041-ES vouchers", false,
     1600, kNone, "tvwESVouchers", "mnuESVoucher", "&Voucher", "Vouchers",
     "cbx1041ESVouchers", "Estimated Tax Vouchers", kTab1041ES},
    {ftEstimatedWorksheet, "Form 1041-ES worksheet", "Form 1041-ES worksheet", false,
     kNone, 1600, "tvwESWorksheet", "mnuESWorksheet", "&Worksheet", "Worksheet",
     "cbx1041ESWorksheet", "Estimated Tax Worksheet", kTab1041ES},
    {ftMaxCapGainsWorksheet, "Maximum Capital Gains Rates Worksheet", "Form 1041-ES maximum capital gains rates worksheet", false,
     1200, 1300, "tvwESMaxCapGains", "mnuESMaxCapGains", "Max Cap Gains Rates Wrksht", "Max Cap Gains Rates Wrksht",
     "cbx1041ESMaxCapGainsRatesWorksheet", "Maximum Capital Gains Rates Worksheet", kTab1041ES},
    {ftForm1041QFT, "Form 1041-QFT", "Form 1041-QFT", false,
     kNone, kNone, "tvwForm1041QFT", "mnuForm1041QFT", "Form 1041-&QFT", "Form 1041-QFT",
     "cbx1041QFT", "U.S. Income Tax Return for Qualified Funeral Trusts", kTab1041QFT},
    {ftForm1041T, "Form 1041-T", "Form 1041-T", true,
     kNone, kNone, "tvwForm1041T", "mnuForm1041T", "Form 1041-&T", "Form 1041-T",
     "cbx1041T", "Allocation of Estimated Tax Payments to Beneficiaries", kTab1041T},
    // Not filed: no print box. Its zero amounts have always stayed empty.
    {ftAllocationWorksheet, "Allocation worksheet", "Allocation worksheet", true,
     kNone, kNone, "tvwAllocationWorksheet", "mnuAllocationWorksheet", "&Allocation Worksheet", "Allocation Worksheet",
     nullptr, nullptr, 0},
};

constexpr int kDefaultPageHeight = 2000;

}  // namespace

const std::vector<const FormTypeRow*>& FormTypeRows()
{
    static const std::vector<const FormTypeRow*> rows = [] {
        std::vector<const FormTypeRow*> all;
        for (const FormTypeRow& row : kRows)
            all.push_back(&row);
        return all;
    }();
    return rows;
}

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

std::string PageNameOf(int formType, int pageIndex)
{
    const FormTypeRow* row = FindFormType(formType);
    if (!row || !row->pageName)
        return "Page " + std::to_string(formType * 100 + pageIndex);
    std::string name = row->pageName;
    const size_t number = name.find("%1");
    if (number != std::string::npos)
        name.replace(number, 2, std::to_string(pageIndex + 1));
    return name;
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
