#include "files/SummedSalesRecord.h"

#include "files/StatementFields.h"
#include "slot/ScheduleDPage1.h"
#include "store/Amounts.h"

#include <cstdint>

namespace quorvan {

namespace {

namespace d1 = slot::scheduleDPage1;

// A box letter and sixteen hex digits; whole keys to a slot, well within an answer's length.
constexpr size_t kKeyLength = 17;
constexpr size_t kKeysPerSlot = kMaxAnswerLength / kKeyLength;

int SlotsOfRecord() { return kSlotCount[kSummedSalesFormType] + 1; }

// 64-bit FNV-1a: the same digest on every build, so a stored record reads the same everywhere.
std::uint64_t Digest(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

bool LineHoldsNothing(const TAnswer& store, SlotRef proceeds, SlotRef cost)
{
    for (const SlotRef line : {proceeds, cost}) {
        double value = 0;
        const std::string& text = store.Text(line.formType, 0, line.slot);
        if (!TrimBlanks(text).empty() && (!ReadNumber(text, value) || value != 0))
            return false;
    }
    return true;
}

}  // namespace

std::string SummedSaleKey(char box, const std::string& saleText)
{
    static const char digits[] = "0123456789abcdef";
    std::uint64_t hash = Digest(saleText);
    std::string key(kKeyLength, '0');
    key[0] = box;
    for (size_t i = kKeyLength - 1; i > 0; --i, hash >>= 4)
        key[i] = digits[hash & 0xF];
    return key;
}

int SummedSalesRoom() { return SlotsOfRecord() * static_cast<int>(kKeysPerSlot); }

std::vector<std::string> ReadSummedSales(const TAnswer& store)
{
    const bool aEmptied = LineHoldsNothing(store, d1::line1aProceeds, d1::line1aCost);
    const bool dEmptied = LineHoldsNothing(store, d1::line8aProceeds, d1::line8aCost);
    std::vector<std::string> keys;
    for (int s = 0; s < SlotsOfRecord(); ++s) {
        const std::string& text = store.Text(kSummedSalesFormType, 0, s);
        for (size_t at = 0; at + kKeyLength <= text.size(); at += kKeyLength) {
            const char box = text[at];
            if ((box == 'A' && !aEmptied) || (box == 'D' && !dEmptied))
                keys.push_back(text.substr(at, kKeyLength));
        }
    }
    return keys;
}

void WriteSummedSales(TAnswer& store, const std::vector<std::string>& keys)
{
    size_t next = 0;
    for (int s = 0; s < SlotsOfRecord(); ++s) {
        std::string text;
        for (size_t n = 0; n < kKeysPerSlot && next < keys.size(); ++n)
            text += keys[next++];
        if (store.Text(kSummedSalesFormType, 0, s) != text)
            store.SetText(kSummedSalesFormType, 0, s, std::move(text));
    }
}

}  // namespace quorvan
