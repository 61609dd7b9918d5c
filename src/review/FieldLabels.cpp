#include "review/FieldLabels.h"

#include "slot/ScheduleK1.h"
#include "store/Answers.h"
#include "store/FormTypes.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace quorvan::review {
namespace {

namespace k1 = slot::scheduleK1;

// Schedule K-1 boxes 9 and 11 to 14 pair each amount with the field of its code.
struct CodedAmount {
    SlotRef amount;
    SlotRef code;
};
constexpr CodedAmount kCodedK1Amounts[] = {
    {k1::box9Amount1, k1::box9Code1}, {k1::box9Amount2, k1::box9Code2}, {k1::box9Amount3, k1::box9Code3},
    {k1::box11ExcessDeductions, k1::box11ExcessDeductionsCode},
    {k1::box11Amount1, k1::box11Code1}, {k1::box11Amount2, k1::box11Code2}, {k1::box11Amount3, k1::box11Code3},
    {k1::box11Amount4, k1::box11Code4}, {k1::box12Amount1, k1::box12Code1}, {k1::box12Amount2, k1::box12Code2},
    {k1::box12Amount3, k1::box12Code3}, {k1::box12Amount4, k1::box12Code4}, {k1::box13Amount1, k1::box13Code1},
    {k1::box13Amount2, k1::box13Code2}, {k1::box13Amount3, k1::box13Code3}, {k1::box14Amount1, k1::box14Code1},
    {k1::box14Amount2, k1::box14Code2}, {k1::box14Amount3, k1::box14Code3}, {k1::box14Amount4, k1::box14Code4},
};

const CodedAmount* FindCodedK1Amount(int slot)
{
    for (const CodedAmount& coded : kCodedK1Amounts)
        if (coded.amount.slot == slot)
            return &coded;
    return nullptr;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

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
    const FormTypeRow* row = FindFormType(formType);
    const char* name = row ? row->name : nullptr;
    if (!name)
        return "form type " + std::to_string(formType);
    if (formType == ftScheduleK1) {
        std::string text = std::string(name) + ", beneficiary " + std::to_string(page + 1);
        const std::string beneficiary = Trimmed(store.Text(formType, page, k1::itemGName.slot));
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
    const CodedAmount* coded = formType == ftScheduleK1 ? FindCodedK1Amount(slot) : nullptr;
    if (coded) {
        const std::string code = Trimmed(store.Text(formType, page, coded->code.slot));
        if (!code.empty())
            line += ", code " + code;
    }
    return line;
}

}  // namespace quorvan::review
