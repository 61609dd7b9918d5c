#include "print/PrintedFigures.h"

#include "store/Amounts.h"
#include "store/FormTypes.h"

namespace quorvan {

bool PrintedWholeDollars(const std::string& answer, int formType, std::string& formatted)
{
    const std::string cleaned = RemoveCommasAndSigns(answer);
    if (cleaned.empty() && IsBlankZeroType(formType))
        return false;
    // The conversions read the answer as it stands: cleaned of its signs, "5-3" would print -53.
    const std::string& amount = cleaned.empty() ? cleaned : answer;
    double beyond = 0;
    formatted = BeyondLargestAmount(amount) && ReadNumber(amount, beyond) ? Float2Dollar(beyond)
                                                                          : Float2Dollar(Str2Float_2(amount));
    return true;
}

std::string PrintedPercentage(const std::string& answer)
{
    if (answer.empty())
        return std::string();
    return FormatFixed(static_cast<long double>(Str2Float_P(answer)) * 100, 3, true) + "%";
}

}  // namespace quorvan
