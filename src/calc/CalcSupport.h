#pragma once
// What every calculator shares: reading answers of the global store as numbers, writing computed
// amounts back (guarded slots only when not overridden), and the error handler that turns any
// failure inside a calculator into its message and the store's error flag.
// [t:s] is Text(t, s); [t/k:s] is Text(t, k, s). A named slot (slot/<Page>.h) carries its form
// type: Amt(form1041Page1::line22Taxable) reads page 0, Amt(scheduleK1::box1Interest, k) page k.

#include "messages/Messages.h"
#include "store/Amounts.h"
#include "store/Answers.h"
#include "store/Dates.h"
#include "store/SlotRef.h"

#include <exception>
#include <string>

namespace quorvan::calc {

inline TAnswer& Store()
{
    return *Answers;
}

inline const std::string& Text(int t, int k, int s) { return Answers->Text(t, k, s); }
inline const std::string& Text(int t, int s) { return Answers->Text(t, 0, s); }

// Whole dollars (Str2Float_0).
inline double Amt(int t, int k, int s) { return Str2Float_0(Answers->Text(t, k, s)); }
inline double Amt(int t, int s) { return Amt(t, 0, s); }
// Dollars and cents (Str2Float_2).
inline double Cents(int t, int k, int s) { return Str2Float_2(Answers->Text(t, k, s)); }
inline double Cents(int t, int s) { return Cents(t, 0, s); }
// Unrounded, for percentages and fractions (Str2Float_P).
inline double Unrounded(int t, int k, int s) { return Str2Float_P(Answers->Text(t, k, s)); }
inline double Unrounded(int t, int s) { return Unrounded(t, 0, s); }

// A check box answer is "X" when ticked.
inline bool Ticked(int t, int k, int s) { return Answers->Text(t, k, s) == "X"; }
inline bool Ticked(int t, int s) { return Ticked(t, 0, s); }

inline bool Overridden(int t, int k, int s) { return Answers->OvRide(t, k, s); }
inline bool Overridden(int t, int s) { return Overridden(t, 0, s); }

// Written on every run, overridden or not. A text put together from others (a street and a
// second address line) is cut to the longest answer, so that the return still saves whole.
inline void PutTextAlways(int t, int k, int s, std::string text)
{
    if (text.size() > kMaxAnswerLength)
        text = WithinAnswerLength(text);
    Answers->SetText(t, k, s, std::move(text));
}
inline void PutTextAlways(int t, int s, std::string text) { PutTextAlways(t, 0, s, std::move(text)); }
inline void PutAlways(int t, int k, int s, double amount) { PutTextAlways(t, k, s, Float2Dollar(amount)); }
inline void PutAlways(int t, int s, double amount) { PutAlways(t, 0, s, amount); }

// Written only while the preparer has not overridden the answer.
inline void PutTextGuarded(int t, int k, int s, std::string text)
{
    if (!Answers->OvRide(t, k, s))
        PutTextAlways(t, k, s, std::move(text));
}
inline void PutTextGuarded(int t, int s, std::string text) { PutTextGuarded(t, 0, s, std::move(text)); }
inline void PutGuarded(int t, int k, int s, double amount)
{
    if (!Answers->OvRide(t, k, s))
        Answers->SetText(t, k, s, Float2Dollar(amount));
}
inline void PutGuarded(int t, int s, double amount) { PutGuarded(t, 0, s, amount); }

// The same for a named slot of page k of its form type.
inline const std::string& Text(SlotRef s, int k = 0) { return Text(s.formType, k, s.slot); }
inline double Amt(SlotRef s, int k = 0) { return Amt(s.formType, k, s.slot); }
inline double Cents(SlotRef s, int k = 0) { return Cents(s.formType, k, s.slot); }
inline double Unrounded(SlotRef s, int k = 0) { return Unrounded(s.formType, k, s.slot); }
inline bool Ticked(SlotRef s, int k = 0) { return Ticked(s.formType, k, s.slot); }
inline bool Overridden(SlotRef s, int k = 0) { return Overridden(s.formType, k, s.slot); }
inline void PutTextAlways(SlotRef s, int k, std::string text) { PutTextAlways(s.formType, k, s.slot, std::move(text)); }
inline void PutTextAlways(SlotRef s, std::string text) { PutTextAlways(s, 0, std::move(text)); }
inline void PutAlways(SlotRef s, int k, double amount) { PutAlways(s.formType, k, s.slot, amount); }
inline void PutAlways(SlotRef s, double amount) { PutAlways(s, 0, amount); }
inline void PutTextGuarded(SlotRef s, int k, std::string text)
{
    PutTextGuarded(s.formType, k, s.slot, std::move(text));
}
inline void PutTextGuarded(SlotRef s, std::string text) { PutTextGuarded(s, 0, std::move(text)); }
inline void PutGuarded(SlotRef s, int k, double amount) { PutGuarded(s.formType, k, s.slot, amount); }
inline void PutGuarded(SlotRef s, double amount) { PutGuarded(s, 0, amount); }

// Runs a calculator's body; a failure inside shows message `code` and sets ErrFlag, and what
// was written before it stays written.
template <typename Body>
void RunCalculator(unsigned code, Body&& body)
{
    try {
        body();
    } catch (...) {
        ShowMessageByCode(code);
        if (Answers)
            Answers->ErrFlag = true;
    }
}

}  // namespace quorvan::calc
