#include "calc/Form1041QFTTV.h"

#include "calc/CalcSupport.h"
#include "calc/RateSchedules.h"

#include <cmath>

namespace quorvan {

using namespace calc;

namespace {

constexpr int F1 = ftForm1041Page1;
constexpr int QFT = ftForm1041QFT;
constexpr int T = ftForm1041T;
constexpr int V = ftForm1041V;

// Form 1041 page 1.
enum : int {
    yearBegins = 0, yearEnds = 1, boxBankruptcyCh7 = 8, boxBankruptcyCh11 = 9, estateName = 11,
    fiduciaryName = 12, fiduciaryStreet = 13, fiduciaryAddress2 = 14, fiduciaryCity = 15,
    estateEin = 17, line27TaxDue = 69,
};
// Signature-area answers of page 1 that Form 1041-QFT repeats, in its slot order.
constexpr int kSignatureAnswers[] = {75, 76, 78, 79, 80, 81, 82, 83};
// Schedule D line 45, the tax figured with the maximum capital gains rates.
constexpr int scheduleDLine45 = 40;

// Form 1041-QFT.
enum : int {
    qftIncome1 = 13, qftIncome2 = 15, qftIncome3CapitalGain = 16, qftIncome4 = 18, qftTotalIncome = 19,
    qftDeduction1 = 20, qftDeductionLast = 24, qftTotalDeductions = 25, qftTaxable = 26, qftTax = 30,
    qftCredits = 32, qftTaxAfterCredits = 33, qftPayments = 34, qftTaxDue = 35, qftOverpayment = 36,
    qftRefunded = 38, qftFirstSignature = 39, qftFurtherTax = 49, qftTotalTax = 50,
};

// Form 1041-T.
enum : int {
    tYearBegins = 0, tYearEnds = 1, tName = 2, tEin = 3, tFiduciary = 4, tAddress = 5, tCity = 6,
    tAllocated = 9, tFirstRow = 10, tRowWidth = 5, tRowAmount = 3, tRowPercent = 4, tFurtherAmount = 60,
    tTotalAllocated = 61,
};
constexpr int kBeneficiaryRows = 10;

// Form 1041-V.
enum : int { vEin = 0, vPayment = 1, vName = 2, vFiduciary = 3, vAddress = 4, vCity = 5 };

bool BankruptcyEstate() { return Ticked(F1, boxBankruptcyCh7) || Ticked(F1, boxBankruptcyCh11); }

}  // namespace

void CalcForm1041QFT()
{
    RunCalculator(29147, [] {
        PutAlways(QFT, qftTotalIncome,
                  Amt(QFT, qftIncome1) + Amt(QFT, qftIncome2) + Amt(QFT, qftIncome3CapitalGain) + Amt(QFT, qftIncome4));
        double deductions = 0;
        for (int s = qftDeduction1; s <= qftDeductionLast; ++s)
            deductions += Amt(QFT, s);
        PutAlways(QFT, qftTotalDeductions, deductions);
        PutAlways(QFT, qftTaxable, Amt(QFT, qftTotalIncome) - Amt(QFT, qftTotalDeductions));

        if (Amt(ftScheduleDPage2, scheduleDLine45) > 0) {
            PutTextAlways(QFT, qftTax, Text(ftScheduleDPage2, scheduleDLine45));
        } else {
            const long long taxable = Float2Int(Amt(QFT, qftTaxable));
            PutAlways(QFT, qftTax, BankruptcyEstate() ? GetBankruptcyTax(taxable) : GetTax(taxable));
        }

        PutAlways(QFT, qftTaxAfterCredits, Amt(QFT, qftTax) - Amt(QFT, qftCredits));
        PutAlways(QFT, qftTotalTax, Amt(QFT, qftTaxAfterCredits) + Amt(QFT, qftFurtherTax));
        // The further tax is part of what the trust owes: tax due and overpayment follow the total.
        const double owed = Amt(QFT, qftTotalTax);
        const double paid = Amt(QFT, qftPayments);
        if (owed > paid) {
            PutAlways(QFT, qftTaxDue, owed - paid);
            PutTextAlways(QFT, qftOverpayment, std::string());
            PutTextAlways(QFT, qftRefunded, std::string());
        } else {
            PutTextAlways(QFT, qftTaxDue, std::string());
            PutAlways(QFT, qftOverpayment, paid - owed);
            PutAlways(QFT, qftRefunded, paid - owed);
        }

        int slot = qftFirstSignature;
        for (int answer : kSignatureAnswers)
            PutTextGuarded(QFT, slot++, Text(F1, answer));
    });
}

void CalcForm1041T()
{
    RunCalculator(29157, [] {
        PutTextGuarded(T, tYearBegins, Text(F1, yearBegins));
        PutTextGuarded(T, tYearEnds, Text(F1, yearEnds));
        PutTextGuarded(T, tName, Text(F1, estateName));
        PutTextGuarded(T, tEin, Text(F1, estateEin));
        PutTextGuarded(T, tFiduciary, Text(F1, fiduciaryName));
        PutTextGuarded(T, tAddress, Text(F1, fiduciaryStreet) + "  " + Text(F1, fiduciaryAddress2));
        PutTextGuarded(T, tCity, Text(F1, fiduciaryCity));

        double total = Amt(T, tFurtherAmount);
        for (int r = 0; r < kBeneficiaryRows; ++r)
            total += Amt(T, tFirstRow + tRowWidth * r + tRowAmount);
        PutAlways(T, tTotalAllocated, total);
        PutTextAlways(T, tAllocated, Text(T, tTotalAllocated));

        // A beneficiary's percentage above 100 is reported; the allocation stands as typed.
        for (int r = 0; r < kBeneficiaryRows; ++r) {
            const std::string& percent = Text(T, tFirstRow + tRowWidth * r + tRowPercent);
            if (Str2Float_P(percent) > 100)
                ShowMessageByCode(29257, percent);
        }
    });
}

void CalcForm1041V()
{
    RunCalculator(29437, [] {
        if (Amt(F1, line27TaxDue) <= 0) {
            for (int s = vEin; s <= vCity; ++s)
                PutTextAlways(V, s, std::string());
            return;
        }
        PutTextAlways(V, vEin, Text(F1, estateEin));
        PutTextGuarded(V, vPayment, Text(F1, line27TaxDue));
        PutTextAlways(V, vName, Text(F1, estateName));
        PutTextAlways(V, vFiduciary, Text(F1, fiduciaryName));
        const std::string& second = Text(F1, fiduciaryAddress2);
        PutTextAlways(V, vAddress, second.empty() ? Text(F1, fiduciaryStreet) : Text(F1, fiduciaryStreet) + "; " + second);
        PutTextAlways(V, vCity, Text(F1, fiduciaryCity));
    });
}

}  // namespace quorvan
