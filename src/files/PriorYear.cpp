#include "files/PriorYear.h"

#include "files/ClientFile.h"
#include "files/Folders.h"
#include "files/LineReader.h"
#include "files/RegularFile.h"
#include "files/TypedAnswers.h"
#include "messages/Messages.h"
#include "store/Answers.h"

#include <algorithm>
#include <cmath>

namespace quorvan {

const char* const kPriorYearIdentification = "Quorvan_15";

namespace {

// Answers that hold last year's amounts. Counted form types are emptied on each page in use.
struct ClearedRange {
    int formType;
    int firstSlot;
    int lastSlot;
    bool oddSlotsOnly;
};

// form type                        first last  odd only
const ClearedRange kClearedRanges[] = {
    {ftForm1041Page1,                 30,   72, false},
    {ftForm1041Page2,                  0,   60, false},
    {ftScheduleIPage1,                 0,   43, false},
    {ftScheduleIPage2,                 0,   33, false},
    {ftScheduleDPage1,                 0,   41, false},
    {ftScheduleDPage2,                 0,   40, false},
    {ftScheduleJPage1,                 0,   71, false},
    {ftScheduleJPage2,                 0,  101, false},
    {ftScheduleK1,                    29,  119, false},
    {ftForm1041APage1,                 0,   48, false},
    {ftForm1041APage2,                 0,   53, false},
    {ftEstimatedWorksheet,             0,   18, false},
    {ftForm1041QFT,                   13,   38, false},
    {ftForm1041T,                      9,   62, false},
    {ftMaxCapGainsWorksheet,           1,   40, false},
    {ftInterest,                       5,   85, true},
    {ftDividend,                       5,   85, true},
    {ftOtherDeductions,                5,   85, true},
    {ftOther2,                         5,   85, true},
    {ftUnrecaptured1250,               1,   18, false},
    {ftScheduleDTaxWorksheet,          1,   44, false},
    {ftQualifiedDividendsWorksheet,    1,   23, false},
    {ftCapitalLossCarryover,           1,   14, false},
    {ftRate28Worksheet,                1,    7, false},
    {ftScheduleIPage3,                 0,   11, false},
    {ftForm8949A,                      0,  136, false},
    {ftForm8949B,                      0,  136, false},
    {ftForm8949C,                      0,  136, false},
    {ftForm8949D,                      0,  136, false},
    {ftForm8949E,                      0,  136, false},
    {ftForm8949F,                      0,  136, false},
};

// Pages in use: page 0 of a single-page form, pages 0 to count - 1 of a counted one.
int PagesInUse(const TAnswer& store, int formType)
{
    const int* count = store.CountField(formType);
    if (!count)
        return 1;
    return std::clamp(*count, 0, kHighestPageIndex[formType] + 1);
}

}  // namespace

void ClearPriorYearAmounts(TAnswer& store)
{
    for (const ClearedRange& range : kClearedRanges) {
        const int lastSlot = std::min(range.lastSlot, kSlotCount[range.formType]);
        const int step = range.oddSlotsOnly ? 2 : 1;
        for (int k = 0; k < PagesInUse(store, range.formType); ++k) {
            TPage& page = store.PageAt(range.formType, k);
            for (int s = range.firstSlot; s <= lastSlot; s += step)
                page.Strings[s].clear();
        }
    }
}

namespace {

bool ReadFromReader(TAnswer& store, LineReader& reader, const std::string& fileName)
{
    store.ErrFlag = false;
    if (!ReadFileHead(reader, {kPriorYearIdentification}, {20, 19}))
        return false;
    Shortfall shortfall;
    if (!ReadPagesAndCounts(store, reader, fileName, shortfall) || store.ErrFlag)
        return false;
    ClearPriorYearAmounts(store);
    KeepTypedAnswers(store);
    const std::string label = fileName.empty() ? std::string("The prior-year file") : fileName;
    if (reader.Utf8())
        ShowMessageByCode(33070, label + ".");
    ReportRepairedLines(reader, label);
    return true;
}

}  // namespace

bool ReadPriorYearFile(TAnswer& store, std::istream& in, const std::string& fileName)
{
    LineReader reader(in);
    return ReadFromReader(store, reader, fileName);
}

bool ReadPriorYearFileAt(TAnswer& store, const std::string& path)
{
    std::string bytes;
    std::string problem;
    if (!ReadRegularFile(path, kMaxClientFileBytes, bytes, problem)) {
        ReportUnreadableFile(path, problem);
        return false;
    }
    LineReader reader(std::move(bytes));
    return ReadFromReader(store, reader, path);
}

std::string CurrentYearFileName(const std::string& clientFileFolder, const std::string& priorYearPath)
{
    return JoinPath(clientFileFolder, WithoutExtension(FileNamePart(priorYearPath)) + ".fq6");
}

}  // namespace quorvan
