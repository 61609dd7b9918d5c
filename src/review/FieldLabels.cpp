#include "review/FieldLabels.h"

#include "store/Answers.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace quorvan::review {
namespace {

// Form pages by form type; reserved types have no name.
const char* const kFormNames[kFormTypes] = {
    nullptr,
    "Form 1041",
    "Form 1041",
    "Schedule I",
    "Schedule I",
    "Schedule D",
    "Schedule D",
    "Schedule J",
    "Schedule J",
    "Schedule K-1",
    "Form 1041-A",
    "Form 1041-A",
    "Form 1041-ES worksheet",
    "Form 1041-ES vouchers",
    "Form 1041-QFT",
    "Form 1041-T",
    "Maximum Capital Gains Rates Worksheet",
    nullptr,
    "Interest continuation schedule",
    "Dividend continuation schedule",
    "Other deductions continuation schedule",
    "Unrecaptured Section 1250 Gain Worksheet",
    "Schedule D Tax Worksheet",
    "Qualified Dividends Tax Worksheet",
    "Form 1041-V",
    "Capital Loss Carryover Worksheet",
    "2% floor deductions continuation schedule",
    "28% Rate Gain Worksheet",
    "Schedule I",
    "Form 8949, box A",
    "Form 8949, box B",
    "Form 8949, box C",
    "Form 8949, box D",
    "Form 8949, box E",
    "Form 8949, box F",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

constexpr int kK1NameSlot = 23;
// Schedule K-1 boxes 9 and 11 to 14 pair each amount with a code field 46 slots further on.
constexpr int kK1CodeOffset = 46;

bool IsCodedK1Amount(int slot)
{
    return (slot >= 40 && slot <= 42) || (slot >= 46 && slot <= 49) || (slot >= 53 && slot <= 56) ||
           (slot >= 60 && slot <= 62) || (slot >= 66 && slot <= 69);
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

int LayoutOf(int formType)
{
    if (formType == ftForm8949B || formType == ftForm8949C)
        return ftForm8949A;
    if (formType == ftForm8949E || formType == ftForm8949F)
        return ftForm8949D;
    return formType;
}

const FieldLabel* FindFieldLabel(int formType, int slot)
{
    const int layout = LayoutOf(formType);
    const FieldLabel* end = kFieldLabels + kFieldLabelCount;
    const FieldLabel* found = std::lower_bound(kFieldLabels, end, std::make_pair(layout, slot),
                                               [](const FieldLabel& label, const std::pair<int, int>& key) {
                                                   return std::tie(label.layout, label.slot) < std::tie(key.first, key.second);
                                               });
    return found != end && found->layout == layout && found->slot == slot ? found : nullptr;
}

const std::vector<const FieldLabel*>& GuardedFields(int formType)
{
    static const auto byFormType = [] {
        std::array<std::vector<const FieldLabel*>, kFormTypes> fields;
        for (int t = 0; t < kFormTypes; ++t)
            for (std::size_t i = 0; i < kFieldLabelCount; ++i)
                if (kFieldLabels[i].layout == LayoutOf(t) && kFieldLabels[i].guarded)
                    fields[static_cast<std::size_t>(t)].push_back(&kFieldLabels[i]);
        return fields;
    }();
    static const std::vector<const FieldLabel*> none;
    return formType >= 0 && formType < kFormTypes ? byFormType[static_cast<std::size_t>(formType)] : none;
}

std::string FormName(const TAnswer& store, int formType, int page)
{
    const char* name = formType >= 0 && formType < kFormTypes ? kFormNames[formType] : nullptr;
    if (!name)
        return "form type " + std::to_string(formType);
    if (formType == ftScheduleK1) {
        std::string text = std::string(name) + ", beneficiary " + std::to_string(page + 1);
        const std::string beneficiary = Trimmed(store.Text(formType, page, kK1NameSlot));
        return beneficiary.empty() ? text : text + " (" + beneficiary + ")";
    }
    if (store.CountField(formType))
        return std::string(name) + ", page " + std::to_string(page + 1);
    return name;
}

std::string LineName(const TAnswer& store, int formType, int page, int slot)
{
    const FieldLabel* label = FindFieldLabel(formType, slot);
    std::string line = label && *label->text ? label->text : "field " + std::to_string(slot);
    if (formType == ftScheduleK1 && IsCodedK1Amount(slot)) {
        const std::string code = Trimmed(store.Text(formType, page, slot + kK1CodeOffset));
        if (!code.empty())
            line += ", code " + code;
    }
    return line;
}

}  // namespace quorvan::review
