#include "print/PrintedFigures.h"

#include "store/Amounts.h"

namespace quorvan {

bool PrintedWholeDollars(const std::string& answer, std::string& formatted)
{
    const std::string cleaned = RemoveCommasAndSigns(answer);
    if (cleaned.empty())
        return false;
    // The conversions read the answer as it stands: cleaned of its signs, "5-3" would print -53.
    const std::string& amount = answer;
    double beyond = 0;
    formatted = BeyondLargestAmount(amount) && ReadNumber(amount, beyond) ? Float2Dollar(beyond)
                                                                          : Float2Dollar(Str2Float_2(amount));
    return formatted != "0" && formatted != "-0";
}

std::string PrintedAmount(const std::string& answer)
{
    std::string dollars;
    if (!PrintedWholeDollars(answer, dollars))
        return std::string();
    return dollars[0] == '-' ? "(" + dollars.substr(1) + ")" : dollars;
}

std::string PrintedAmountInParentheses(const std::string& answer)
{
    std::string dollars;
    if (!PrintedWholeDollars(answer, dollars))
        return std::string();
    return dollars[0] == '-' ? dollars.substr(1) : dollars;
}

std::string PrintedPercentage(const std::string& answer)
{
    if (answer.empty())
        return std::string();
    return FormatFixed(static_cast<long double>(Str2Float_P(answer)) * 100, 3, true) + "%";
}

}  // namespace quorvan
