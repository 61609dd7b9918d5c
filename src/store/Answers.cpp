#include "store/Answers.h"

#include "messages/Messages.h"
#include "store/ScopedOpenReturn.h"

#include <new>
#include <stdexcept>

namespace quorvan {

TAnswer* Answers = nullptr;

const std::array<int, kFormTypes> kSlotCount = {
    0,   100, 75,  75,  50,  150, 100, 100, 125, 200,   // 0-9
    60,  75,  75,  50,  50,  75,  325, 300, 200, 200,   // 10-19
    200, 25,  75,  25,  50,  25,  200, 25,  25,  200,   // 20-29
    200, 200, 200, 200, 200, 300, 300, 300, 300, 100,   // 30-39
};

const std::array<int, kFormTypes> kHighestPageIndex = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 19,    // 0-9
    0, 0, 0, 0, 0, 0, 19, 19, 19, 19, // 10-19
    19, 0, 0, 0, 0, 0, 19, 0, 0, 19,  // 20-29
    19, 19, 19, 19, 19, 0, 0, 0, 0, 0,  // 30-39
};

namespace {

TPage MakePage(int slotCount)
{
    TPage page;
    page.Strings.resize(static_cast<size_t>(slotCount) + 1);
    try {
        page.Objects.resize(static_cast<size_t>(slotCount) + 1);
    } catch (const std::bad_alloc&) {
        ShowMessageByCode(18013);
        throw;
    }
    return page;
}

}  // namespace

TAnswer::TAnswer()
    : ProgramName("Quorvan_16 Demo"), VersionNo(20.07), CalcActive(false)
{
    BeneficiaryInterest.fill(-1.0);
    try {
        PAnsw = std::make_unique<RAnswer>();
        for (int t = 0; t < kFormTypes; ++t)
            for (int k = 0; k <= kHighestPageIndex[t]; ++k)
                PAnsw->Page[t][k] = std::make_unique<TPage>(MakePage(kSlotCount[t]));
    } catch (const std::exception&) {
        ShowMessageByCode(18023);
    }
}

TAnswer::~TAnswer() = default;

TPage& TAnswer::PageAt(int formType, int page)
{
    return const_cast<TPage&>(static_cast<const TAnswer*>(this)->PageAt(formType, page));
}

const TPage& TAnswer::PageAt(int formType, int page) const
{
    if (!PAnsw || formType < 0 || formType >= kFormTypes || page < 0 || page >= kMaxPages ||
        !PAnsw->Page[formType][page])
        throw std::out_of_range("no such form page");
    return *PAnsw->Page[formType][page];
}

const std::string& TAnswer::Text(int formType, int page, int slot) const
{
    return PageAt(formType, page).Strings.at(static_cast<size_t>(slot));
}

void TAnswer::SetText(int formType, int page, int slot, std::string text)
{
    PageAt(formType, page).Strings.at(static_cast<size_t>(slot)) = std::move(text);
}

bool TAnswer::OvRide(int formType, int page, int slot) const
{
    return PageAt(formType, page).Objects.at(static_cast<size_t>(slot)).OvRide;
}

void TAnswer::SetOvRide(int formType, int page, int slot, bool overridden)
{
    PageAt(formType, page).Objects.at(static_cast<size_t>(slot)).OvRide = overridden;
}

int* TAnswer::CountField(int formType)
{
    return const_cast<int*>(static_cast<const TAnswer*>(this)->CountField(formType));
}

const int* TAnswer::CountField(int formType) const
{
    switch (formType) {
    case ftScheduleK1: return &NoOfSchedK;
    case ftInterest: return &NoOfInterest;
    case ftDividend: return &NoOfDividend;
    case ftOtherDeductions: return &NoOfOther;
    case ftOther2: return &NoOfOther2;
    case ftForm8949A: return &NoOf8949_A;
    case ftForm8949B: return &NoOf8949_B;
    case ftForm8949C: return &NoOf8949_C;
    case ftForm8949D: return &NoOf8949_D;
    case ftForm8949E: return &NoOf8949_E;
    case ftForm8949F: return &NoOf8949_F;
    default: return nullptr;
    }
}

OpenReturnStore::~OpenReturnStore()
{
    Release();
}

TAnswer& OpenReturnStore::Replace()
{
    Hold(std::make_unique<TAnswer>());
    return *store_;
}

void OpenReturnStore::Release()
{
    Hold(nullptr);
}

// The one place the open return's owner sets `Answers`; the global is cleared only where it
// points at the store about to be freed.
void OpenReturnStore::Hold(std::unique_ptr<TAnswer> store)
{
    if (Answers == store_.get())
        Answers = nullptr;
    store_ = std::move(store);
    if (store_)
        Answers = store_.get();
}

ScopedOpenReturn::ScopedOpenReturn(TAnswer& other) : previous_(Answers) { Answers = &other; }

ScopedOpenReturn::~ScopedOpenReturn() { Answers = previous_; }

ScopedAnswerStore::ScopedAnswerStore()
    : store_(std::make_unique<TAnswer>()), previous_(Answers)
{
    Answers = store_.get();
}

ScopedAnswerStore::~ScopedAnswerStore()
{
    Answers = previous_;
}

}  // namespace quorvan
