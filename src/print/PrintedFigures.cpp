#include "print/PrintedFigures.h"

#include "store/Amounts.h"
#include "store/FormTypes.h"

namespace quorvan {

bool PrintedWholeDollars(const std::string& answer, int formType, std::string& formatted)
{
    const std::string cleaned = RemoveCommasAndSigns(answer);
    if (cleaned.empty() && IsBlankZeroType(formType))
        return false;
    double beyond = 0;
    formatted = BeyondLargestAmount(cleaned) && ReadNumber(cleaned, beyond) ? Float2Dollar(beyond)
                                                                           : Float2Dollar(Str2Float_2(cleaned));
    return true;
}

std::string PrintedPercentage(const std::string& answer)
{
    if (answer.empty())
        return std::string();
    return FormatFixed(static_cast<long double>(Str2Float_P(answer)) * 100, 3, true) + "%";
}

}  // namespace quorvan
