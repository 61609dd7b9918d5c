// Any answer text converts without harm, never to more than the largest amount, and whole-dollar
// text reads back to its own value.

#include "FuzzSupport.h"
#include "store/Amounts.h"
#include "store/Dates.h"

#include <cmath>
#include <string>

using namespace quorvan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::DropMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double whole = Str2Float_0(text);
    const double cents = Str2Float_2(text);
    const double unrounded = Str2Float_P(text);
    Str2Int(text);
    RemoveCommasAndSigns(text);
    NormaliseDate(text);
    LongDate(text);
    DateValue(text);
    for (const double amount : {whole, cents, unrounded})
        fuzz::Require(std::fabs(amount) <= kLargestAmount, "no conversion goes beyond the largest amount");
    if (std::isfinite(whole) && std::fabs(whole) < 1e15) {
        fuzz::Require(whole == std::round(whole), "Str2Float_0 gives whole units");
        fuzz::Require(Str2Float_0(Float2Dollar(whole)) == whole, "dollar text reads back");
    }
    // Half a cent, plus what a double cannot tell apart at that size.
    if (std::isfinite(unrounded) && std::fabs(unrounded) < 1e12)
        fuzz::Require(std::fabs(cents - unrounded) <= 0.005 + std::fabs(unrounded) * 1e-15,
                      "cents stay within half a cent");
    return 0;
}
