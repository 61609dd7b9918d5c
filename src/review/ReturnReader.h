#pragma once
// What the review rules read of a return: answers as the calculations read them (whole dollars,
// check boxes), the Schedule K-1 pages in use with their shares, tax year dates and identifying
// numbers. Reading never changes the store.

#include "store/Answers.h"
#include "store/SlotRef.h"

#include <string>

namespace quorvan::review {

// A calendar date of the return.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

class ReturnReader {
public:
    explicit ReturnReader(const TAnswer& store) : store_(store) {}

    const TAnswer& Store() const { return store_; }
    const std::string& Text(int formType, int page, int slot) const { return store_.Text(formType, page, slot); }
    // Whole dollars, as Str2Float_0 reads them: an amount that does not read is 0.
    double Amount(int formType, int page, int slot) const;
    double Amount(int formType, int slot) const { return Amount(formType, 0, slot); }
    bool Ticked(int formType, int page, int slot) const { return Text(formType, page, slot) == "X"; }
    bool Ticked(int formType, int slot) const { return Ticked(formType, 0, slot); }
    // Empty or blanks only.
    bool Blank(int formType, int page, int slot) const;
    bool Blank(int formType, int slot) const { return Blank(formType, 0, slot); }
    // The same for a named slot (slot/<Page>.h) of page k of its form type.
    const std::string& Text(SlotRef s, int page = 0) const { return Text(s.formType, page, s.slot); }
    double Amount(SlotRef s, int page = 0) const { return Amount(s.formType, page, s.slot); }
    bool Ticked(SlotRef s, int page = 0) const { return Ticked(s.formType, page, s.slot); }
    bool Blank(SlotRef s, int page = 0) const { return Blank(s.formType, page, s.slot); }

    // Schedule K-1 pages in use, 0 to 20.
    int K1Pages() const;
    // The beneficiary's share on K-1 page k as a fraction; negative when none is chosen.
    double Share(int k) const { return store_.BeneficiaryInterest[static_cast<size_t>(k)]; }

private:
    const TAnswer& store_;
};

// The text without blanks at either end.
std::string Trim(const std::string& text);

// A date answer as the program takes it: month/day/year ("1/31/2016", "1/31/16") or the long form
// "Jan 31, 2016". False when the text is no such date (an empty text included).
bool ReadDate(const std::string& text, Date& date);

// Day number of a date, for comparing and counting days.
int DayNumber(const Date& date);

// "12-3456789".
bool IsEmployerIdentificationNumber(const std::string& text);
// "123-45-6789" with a possible area, group and serial number (no 000 or 666 area, no 00 group,
// no 0000 serial); individual taxpayer identification numbers (area 9xx) have the same form.
bool IsSocialSecurityNumber(const std::string& text);

}  // namespace quorvan::review
