#include "PageTable.h"

#include <algorithm>
#include <array>

namespace quorvan::app {
namespace {

struct Row {
    int formType;
    int focusTag;
    int priorCode;   // kNoTarget: none; 0 for continuation types (computed from the index)
    int nextCode;
    const char* treeItem;
};

constexpr int kCont = 0;  // Prior/Next computed from the page index

// Types 29 to 34 and 9, 18, 19, 20, 26 are continuation types: the page index selects the page.
const Row kRows[] = {
    // type, focus tag, prior, next, tree item
    {1, 1000, kNoTarget, 200, "tvwPage1"},
    {2, 4000, 100, kNoTarget, "tvwPage2"},
    {3, 4003, kNoTarget, 400, "tvwScheduleI_1"},
    {4, 4007, 300, 2800, "tvwScheduleI_2"},
    {28, 4000, 400, kNoTarget, "tvwScheduleI_3"},
    {5, 4002, kNoTarget, 600, "tvwScheduleD_1"},
    {6, 4000, 500, kNoTarget, "tvwScheduleD_2"},
    {7, 1000, kNoTarget, 800, "tvwScheduleJ_1"},
    {8, 1000, 700, kNoTarget, "tvwScheduleJ_2"},
    {9, 1000, kCont, kCont, "tvwScheduleK1"},
    {10, 1000, kNoTarget, 1100, "tvwForm1041A_1"},
    {11, 4000, 1000, kNoTarget, "tvwForm1041A_2"},
    {12, 4000, kNoTarget, 1600, "tvwESWorksheet"},
    {16, 4002, 1200, 1300, "tvwESMaxCapGains"},
    {13, 4000, 1600, kNoTarget, "tvwESVouchers"},
    {14, 1000, kNoTarget, kNoTarget, "tvwForm1041QFT"},
    {15, 1000, kNoTarget, kNoTarget, "tvwForm1041T"},
    {24, kNoFocusTag, kNoTarget, kNoTarget, "tvwForm1041V"},
    {18, 4002, kCont, kCont, "tvwInterestView"},
    {19, 4002, kCont, kCont, "tvwDividendsView"},
    {20, 4002, kCont, kCont, "tvwOtherView"},
    {26, 4002, kCont, kCont, "tvwOther2View"},
    {21, 4001, kNoTarget, kNoTarget, "tvwWorksheet1250"},
    {22, 4003, kNoTarget, kNoTarget, "tvwWorksheetSchedDTax"},
    {23, 4003, kNoTarget, kNoTarget, "tvwWorksheetQualDiv"},
    {25, 4000, kNoTarget, kNoTarget, "tvwWorksheetCapLoss"},
    {27, kNoFocusTag, kNoTarget, kNoTarget, "tvwWorksheet28Rate"},
    {29, kNoFocusTag, kCont, kCont, "tvwBoxAView"},
    {30, kNoFocusTag, kCont, kCont, "tvwBoxBView"},
    {31, kNoFocusTag, kCont, kCont, "tvwBoxCView"},
    {32, kNoFocusTag, kCont, kCont, "tvwBoxDView"},
    {33, kNoFocusTag, kCont, kCont, "tvwBoxEView"},
    {34, kNoFocusTag, kCont, kCont, "tvwBoxFView"},
};

const Row* Find(int formType)
{
    for (const Row& row : kRows)
        if (row.formType == formType)
            return &row;
    return nullptr;
}

int LayoutNumber(int formType)
{
    if (formType == 30 || formType == 31)
        return 29;
    if (formType == 33 || formType == 34)
        return 32;
    return formType;
}

}  // namespace

PageInfo PageInfoFor(int formType)
{
    PageInfo info;
    const Row* row = Find(formType);
    if (!row)
        return info;
    info.formType = formType;
    info.layoutNumber = LayoutNumber(formType);
    info.focusTag = row->focusTag;
    info.continuation = row->priorCode == kCont;
    info.priorCode = info.continuation ? kNoTarget : row->priorCode;
    info.nextCode = info.continuation ? kNoTarget : row->nextCode;
    info.hasPrior = info.continuation || row->priorCode != kNoTarget;
    info.hasNext = info.continuation || row->nextCode != kNoTarget;
    info.treeItem = QString::fromLatin1(row->treeItem);
    return info;
}

bool IsBlankZeroType(int formType)
{
    static constexpr std::array<int, 17> kTypes = {5, 7, 8, 9, 15, 17, 18, 19, 20, 26, 27,
                                                   29, 30, 31, 32, 33, 34};
    return std::find(kTypes.begin(), kTypes.end(), formType) != kTypes.end();
}

int PriorCode(int formType, int pageIndex)
{
    const PageInfo info = PageInfoFor(formType);
    if (info.continuation)
        return formType * 100 + pageIndex - 1;
    return info.priorCode;
}

int NextCode(int formType, int pageIndex)
{
    const PageInfo info = PageInfoFor(formType);
    if (info.continuation)
        return formType * 100 + pageIndex + 1;
    return info.nextCode;
}

}  // namespace quorvan::app
