#include "store/ContinuationPages.h"

#include <algorithm>

namespace quorvan {
namespace {

const std::array<ContinuationType, 11> kContinuationTypes = {{
    {ftScheduleK1, "Schedule K", "Schedule K"},
    {ftInterest, "Interest", "Interest"},
    {ftDividend, "Dividends", "Dividend"},
    {ftOtherDeductions, "Other Deductions", "Other Deductions"},
    {ftOther2, "Other 2% Deductions", "Other  2% Deductions"},
    {ftForm8949A, "Form 8949 Box A", "Form 8949 Box A"},
    {ftForm8949B, "Form 8949 Box B", "Form 8949 Box B"},
    {ftForm8949C, "Form 8949 Box C", "Form 8949 Box C"},
    {ftForm8949D, "Form 8949 Box D", "Form 8949 Box D"},
    {ftForm8949E, "Form 8949 Box E", "Form 8949 Box E"},
    {ftForm8949F, "Form 8949 Box F", "Form 8949 Box F"},
}};

constexpr double kNoShare = -1.0;

int LastMovedSlot(const TPage& page)
{
    return std::min(kLastMovedSlot, static_cast<int>(page.Strings.size()) - 1);
}

// The page's answers and override flags cleared and, for Schedule K-1, its share "none".
void EmptyPage(TAnswer& store, int formType, int index)
{
    TPage& page = store.PageAt(formType, index);
    for (int s = 0; s <= LastMovedSlot(page); ++s) {
        page.Strings[static_cast<size_t>(s)].clear();
        page.Objects[static_cast<size_t>(s)] = TAObj();
    }
    if (formType == ftScheduleK1)
        store.BeneficiaryInterest[static_cast<size_t>(index)] = kNoShare;
}

}  // namespace

const ContinuationType* FindContinuationType(int formType)
{
    for (const ContinuationType& type : kContinuationTypes)
        if (type.formType == formType)
            return &type;
    return nullptr;
}

bool AddContinuationPage(TAnswer& store, int formType)
{
    int* count = FindContinuationType(formType) ? store.CountField(formType) : nullptr;
    if (!count || *count < 0 || *count >= kMaxContinuationPages)
        return false;
    // A page out of use may still hold what was typed on it after its delete: a new page
    // starts blank whatever it held.
    EmptyPage(store, formType, *count);
    ++*count;
    return true;
}

bool DeleteContinuationPage(TAnswer& store, int formType, int index)
{
    int* count = FindContinuationType(formType) ? store.CountField(formType) : nullptr;
    if (!count || index < 0 || index >= *count || *count > kMaxContinuationPages)
        return false;
    const bool shares = formType == ftScheduleK1;
    for (int p = index; p < *count - 1; ++p) {
        TPage& to = store.PageAt(formType, p);
        const TPage& from = store.PageAt(formType, p + 1);
        for (int s = 0; s <= LastMovedSlot(to); ++s) {
            to.Strings[static_cast<size_t>(s)] = from.Strings[static_cast<size_t>(s)];
            to.Objects[static_cast<size_t>(s)] = from.Objects[static_cast<size_t>(s)];
        }
        if (shares)
            store.BeneficiaryInterest[static_cast<size_t>(p)] = store.BeneficiaryInterest[static_cast<size_t>(p + 1)];
    }
    EmptyPage(store, formType, *count - 1);
    --*count;
    return true;
}

void SetK1Allocation(TAnswer& store, int beneficiary, K1Allocation choice, double share)
{
    double stored = 0;
    if (choice == K1Allocation::OwnValues)
        stored = kNoShare;
    else if (choice == K1Allocation::Percentage)
        stored = share;
    store.BeneficiaryInterest.at(static_cast<size_t>(beneficiary)) = stored;
    for (int slot : kAllocatedK1Slots)
        store.SetOvRide(ftScheduleK1, beneficiary, slot, choice == K1Allocation::OwnValues);
}

std::string BeneficiaryName(const TAnswer& store, int beneficiary)
{
    const std::string& name = store.Text(ftScheduleK1, beneficiary, kBeneficiaryNameSlot);
    if (name.find_first_not_of(' ') != std::string::npos)
        return name;
    return "Beneficiary " + std::to_string(beneficiary + 1);
}

}  // namespace quorvan
