#pragma once
// The answer store of the open return: forty form types of up to twenty pages, each page a fixed
// row of answer texts with their override flags, plus the continuation page counts, the running
// totals of the continuation schedules and the Schedule K-1 allocation shares.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quorvan {

constexpr int kFormTypes = 40;
constexpr int kMaxPages = 20;
// The most characters an answer holds: far more than any name, address or note of a return
// needs. Entry takes no more, and a client file with a longer answer is damaged.
constexpr size_t kMaxAnswerLength = 1000;

// Slot count of each form type; a page holds slots 0 to the slot count.
extern const std::array<int, kFormTypes> kSlotCount;
// Highest page index the store makes for each form type.
extern const std::array<int, kFormTypes> kHighestPageIndex;

// Form type codes that the program refers to by name.
enum FormType : int {
    ftForm1041Page1 = 1, ftForm1041Page2 = 2, ftScheduleIPage1 = 3, ftScheduleIPage2 = 4,
    ftScheduleDPage1 = 5, ftScheduleDPage2 = 6, ftScheduleJPage1 = 7, ftScheduleJPage2 = 8,
    ftScheduleK1 = 9, ftForm1041APage1 = 10, ftForm1041APage2 = 11, ftEstimatedWorksheet = 12,
    ftEstimatedVouchers = 13, ftForm1041QFT = 14, ftForm1041T = 15, ftMaxCapGainsWorksheet = 16,
    ftInterest = 18, ftDividend = 19, ftOtherDeductions = 20, ftUnrecaptured1250 = 21,
    ftScheduleDTaxWorksheet = 22, ftQualifiedDividendsWorksheet = 23, ftForm1041V = 24,
    ftCapitalLossCarryover = 25, ftOther2 = 26, ftRate28Worksheet = 27, ftScheduleIPage3 = 28,
    ftForm8949A = 29, ftForm8949B = 30, ftForm8949C = 31, ftForm8949D = 32, ftForm8949E = 33,
    ftForm8949F = 34, ftForm2210 = 35, ftAllocationWorksheet = 17, ftForm8960 = 39,
};

class TAObj {
public:
    bool OvRide = false;
};

// One form page: answer s is Strings[s] with its flag Objects[s].
struct TPage {
    std::vector<std::string> Strings;
    std::vector<TAObj> Objects;
};

struct RAnswer {
    std::array<int, kFormTypes> PgCt{};
    std::array<std::array<std::unique_ptr<TPage>, kMaxPages>, kFormTypes> Page;
};

class TAnswer {
public:
    TAnswer();
    ~TAnswer();
    TAnswer(const TAnswer&) = delete;
    TAnswer& operator=(const TAnswer&) = delete;

    bool ErrFlag = false;
    std::unique_ptr<RAnswer> PAnsw;
    std::string ProgramName;
    double VersionNo = 0;
    bool CalcActive = false;
    int NoOf8949_A = 0, NoOf8949_B = 0, NoOf8949_C = 0, NoOf8949_D = 0, NoOf8949_E = 0,
        NoOf8949_F = 0;
    int NoOfSchedK = 0;
    double InterestTotal = 0;
    int NoOfInterest = 0;
    double DividendTotal = 0;
    int NoOfDividend = 0;
    double OtherTotal = 0;
    int NoOfOther = 0;
    double Other2Total = 0;
    int NoOfOther2 = 0;
    std::array<double, 40> BeneficiaryInterest{};

    // Answers. Addresses outside the grid or a page throw std::out_of_range, which the
    // calculator that made the access reports with its own message.
    const std::string& Text(int formType, int page, int slot) const;
    void SetText(int formType, int page, int slot, std::string text);
    bool OvRide(int formType, int page, int slot) const;
    void SetOvRide(int formType, int page, int slot, bool overridden);
    TPage& PageAt(int formType, int page);
    const TPage& PageAt(int formType, int page) const;

    // The count field of a counted form type (9, 18, 19, 20, 26, 29 to 34), else nullptr.
    int* CountField(int formType);
    const int* CountField(int formType) const;
};

// The one answer store of the open return, which the calculators read and write; owned by
// whoever creates it (the main window through OpenReturnStore, the command-line tool, a test).
extern TAnswer* Answers;

// Owns the store of the open return for a long-lived owner (the main window) and keeps
// `Answers` pointing at it: the store it holds is the open return until it is replaced or
// released, and `Answers` never points at a store it has freed.
class OpenReturnStore {
public:
    OpenReturnStore() = default;
    ~OpenReturnStore();
    OpenReturnStore(const OpenReturnStore&) = delete;
    OpenReturnStore& operator=(const OpenReturnStore&) = delete;

    // A fresh empty store becomes the open return; the one held before is freed.
    TAnswer& Replace();
    // Frees the store; no return is open.
    void Release();
    TAnswer* get() const { return store_.get(); }
    TAnswer* operator->() const { return store_.get(); }
    TAnswer& operator*() const { return *store_; }
    explicit operator bool() const { return store_ != nullptr; }

private:
    void Hold(std::unique_ptr<TAnswer> store);

    std::unique_ptr<TAnswer> store_;
};

// Replaces the global store by a fresh one for the lifetime of this object (tests, tools).
class ScopedAnswerStore {
public:
    ScopedAnswerStore();
    ~ScopedAnswerStore();
    TAnswer& operator*() { return *store_; }
    TAnswer* operator->() { return store_.get(); }
    TAnswer* get() { return store_.get(); }

private:
    std::unique_ptr<TAnswer> store_;
    TAnswer* previous_;
};

}  // namespace quorvan
