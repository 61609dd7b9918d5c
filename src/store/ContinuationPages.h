#pragma once
// The eleven form types that hold a variable number of pages (Schedule K-1, the interest,
// dividend and deduction continuation schedules, Form 8949 boxes A to F): their names, adding
// and deleting a page, and the Schedule K-1 allocation share with the flags it governs.

#include "slot/ScheduleK1.h"
#include "store/Answers.h"

#include <array>
#include <string>

namespace quorvan {

struct ContinuationType {
    int formType;
    const char* newName;     // "Other 2% Deductions": named in the New command's message
    const char* deleteName;  // named in the Delete question and message
};

// The eleven types; nullptr for any other form type.
const ContinuationType* FindContinuationType(int formType);

// Highest number of pages a continuation type can hold.
constexpr int kMaxContinuationPages = kMaxPages;

// Slots of a page that move when a page is deleted.
constexpr int kLastMovedSlot = 200;

// Adds a page at the end, blank: count + 1. False, with nothing changed, when the type is not a
// continuation type or already holds twenty pages.
bool AddContinuationPage(TAnswer& store, int formType);

// Deletes page `index` of a continuation type: the pages behind it move down one place with
// their answers, their override flags and, for Schedule K-1, their allocation shares; the page
// that falls out of use is emptied, its flags cleared and its share set to -1 ("none").
// False, with nothing changed, when the type is not a continuation type or `index` is not a
// page in use.
bool DeleteContinuationPage(TAnswer& store, int formType, int index);

// The amounts of a beneficiary's Schedule K-1 that the allocation share fills: boxes 1 to 4c,
// 11 and 12 with their codes.
constexpr std::array<int, 17> kAllocatedK1Slots = {
    slot::scheduleK1::box1Interest.slot,        slot::scheduleK1::box2aOrdinaryDividends.slot,
    slot::scheduleK1::box2bQualifiedDividends.slot, slot::scheduleK1::box3ShortTermGain.slot,
    slot::scheduleK1::box4aLongTermGain.slot,   slot::scheduleK1::box4b28RateGain.slot,
    slot::scheduleK1::box4cUnrecaptured1250.slot, slot::scheduleK1::box11Amount1.slot,
    slot::scheduleK1::box11Amount2.slot,        slot::scheduleK1::box12Amount1.slot,
    slot::scheduleK1::box12Amount2.slot,        slot::scheduleK1::box11Code1.slot,
    slot::scheduleK1::box11Code2.slot,          slot::scheduleK1::box12Code1.slot,
    slot::scheduleK1::box12Code2.slot,          slot::scheduleK1::box11ExcessDeductions.slot,
    slot::scheduleK1::box11ExcessDeductionsCode.slot,
};

// Item G's first line on a K-1 page: the beneficiary's name.
constexpr int kBeneficiaryNameSlot = slot::scheduleK1::itemGName.slot;

// How a beneficiary's Schedule K-1 amounts come about.
enum class K1Allocation {
    OwnValues,   // the preparer enters them; share -1, the allocated amounts overridden
    Percentage,  // the calculator fills them from the share
    Unset,       // neither choice made: share 0
};

// Stores the choice for K-1 page `beneficiary`: the share (a fraction, used with Percentage
// only) and the override flags of the allocated amounts of that page alone.
void SetK1Allocation(TAnswer& store, int beneficiary, K1Allocation choice, double share);

// The name a preparer knows K-1 page `beneficiary` by: the beneficiary's name (item G), or
// "Beneficiary N" (N counted from 1) while it is empty.
std::string BeneficiaryName(const TAnswer& store, int beneficiary);

}  // namespace quorvan
