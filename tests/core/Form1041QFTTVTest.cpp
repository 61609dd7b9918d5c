// Forms 1041-QFT, 1041-T and 1041-V on their own.

#include "calc/Form1041QFTTV.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using test::ReturnFixture;

constexpr int F1 = ftForm1041Page1;
constexpr int QFT = ftForm1041QFT;
constexpr int T = ftForm1041T;
constexpr int V = ftForm1041V;

// A funeral trust: interest 2,000, dividends 500, capital gain 1,200; taxes 300 and trustee fees
// 700. Taxable 2,700 on the trust schedule: 382.50 + 150 x 25% = 420.
void SetFuneralTrust(ReturnFixture& f)
{
    f.Set(QFT, 13, "2,000");
    f.Set(QFT, 15, "500");
    f.Set(QFT, 16, "1,200");
    f.Set(QFT, 20, "300");
    f.Set(QFT, 21, "700");
}

struct FuneralTrustCase {
    const char* name;
    const char* bankruptcyBox;
    const char* payments;
    const char* furtherTax;
    const char* tax;
    const char* taxDue;
    const char* overpayment;  // and refund
    const char* totalTax;
};

// name | [1:8] | payments | further tax | tax | tax due | overpayment and refund | slot 50
const FuneralTrustCase kFuneralTrustCases[] = {
    {"Overpaid", "", "500", "", "420", "", "80", "420"},
    {"PaidExactly", "", "420", "", "420", "", "0", "420"},
    {"Underpaid", "", "100", "", "420", "320", "", "420"},
    // The further tax belongs to what the trust owes.
    {"FurtherTaxIsOwedToo", "", "500", "100", "420", "20", "", "520"},
    {"BankruptcyScheduleWhenTicked", "X", "", "", "270", "270", "", "270"},
};

class Form1041QFT : public testing::TestWithParam<FuneralTrustCase> {};

TEST_P(Form1041QFT, TaxAndBalance)
{
    const FuneralTrustCase& c = GetParam();
    ReturnFixture f;
    SetFuneralTrust(f);
    f.Set(F1, 8, c.bankruptcyBox);
    f.Set(QFT, 34, c.payments);
    f.Set(QFT, 49, c.furtherTax);
    CalcForm1041QFT();
    EXPECT_EQ(f.Get(QFT, 19), "3,700");
    EXPECT_EQ(f.Get(QFT, 25), "1,000");
    EXPECT_EQ(f.Get(QFT, 26), "2,700");
    EXPECT_EQ(f.Get(QFT, 30), c.tax);
    EXPECT_EQ(f.Get(QFT, 33), c.tax);
    EXPECT_EQ(f.Get(QFT, 35), c.taxDue);
    EXPECT_EQ(f.Get(QFT, 36), c.overpayment);
    EXPECT_EQ(f.Get(QFT, 38), c.overpayment);
    EXPECT_EQ(f.Get(QFT, 50), c.totalTax);
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1041QFT, testing::ValuesIn(kFuneralTrustCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041QFT, MaximumCapitalGainsRateTaxAndSignatureCopies)
{
    ReturnFixture f;
    SetFuneralTrust(f);
    f.Set(ftScheduleDPage2, 40, "395");
    const int signature[] = {75, 76, 78, 79, 80, 81, 82, 83};
    for (int i = 0; i < 8; ++i)
        f.Set(F1, signature[i], "sig " + std::to_string(i));
    f.Override(QFT, 0, 40, "typed");
    CalcForm1041QFT();
    EXPECT_EQ(f.Get(QFT, 30), "395");
    EXPECT_EQ(f.Get(QFT, 39), "sig 0");
    EXPECT_EQ(f.Get(QFT, 40), "typed");
    EXPECT_EQ(f.Get(QFT, 46), "sig 7");
}

TEST(Form1041T, TotalAllocatedAndIdentification)
{
    ReturnFixture f;
    f.Set(F1, 0, "1/1/2016");
    f.Set(F1, 1, "12/31/2016");
    f.Set(F1, 11, "Corliss Trust");
    f.Set(F1, 12, "Mara Corliss, Trustee");
    f.Set(F1, 13, "40 Bank Row");
    f.Set(F1, 14, "Suite 2");
    f.Set(F1, 15, "Erie, PA 16501");
    f.Set(F1, 17, "25-1112223");
    CalcForm1041T();
    EXPECT_EQ(f.Get(T, 61), "0");
    EXPECT_EQ(f.Get(T, 9), "0");

    f.Set(T, 13, "1,000");  // row 0
    f.Set(T, 14, "40");
    f.Set(T, 18, "2,500");  // row 1
    f.Set(T, 58, "250");    // row 9
    f.Set(T, 60, "500");
    CalcForm1041T();
    EXPECT_EQ(f.Get(T, 61), "4,250");
    EXPECT_EQ(f.Get(T, 9), "4,250");
    EXPECT_EQ(f.Get(T, 0), "1/1/2016");
    EXPECT_EQ(f.Get(T, 3), "25-1112223");
    EXPECT_EQ(f.Get(T, 5), "40 Bank Row  Suite 2");
    EXPECT_EQ(f.Get(T, 6), "Erie, PA 16501");
    EXPECT_TRUE(f.Messages().Empty());
}

TEST(Form1041T, PercentageAboveHundredIsReportedPerRow)
{
    ReturnFixture f;
    f.Set(T, 14, "120");
    f.Set(T, 19, "100");
    f.Set(T, 24, "101");
    f.Set(T, 13, "700");
    CalcForm1041T();
    EXPECT_EQ(f.Messages().Codes(), (std::vector<unsigned>{29257, 29257}));
    EXPECT_EQ(f.Messages().Messages()[0].extra, "120");
    EXPECT_EQ(f.Messages().Messages()[1].extra, "101");
    EXPECT_EQ(f.Get(T, 61), "700");
    EXPECT_FALSE(f.Store().ErrFlag);
}

struct VoucherCase {
    const char* name;
    const char* taxDue;
    const char* secondAddressLine;
    const char* payment;
    const char* address;
};

// name | Form 1041 line 27 | [1:14] | amount of payment | address
const VoucherCase kVoucherCases[] = {
    {"OneAddressLine", "1,234", "", "1,234", "40 Bank Row"},
    {"TwoAddressLines", "1,234", "Suite 2", "1,234", "40 Bank Row; Suite 2"},
    {"NothingDue", "", "Suite 2", "", ""},
};

class Form1041V : public testing::TestWithParam<VoucherCase> {};

TEST_P(Form1041V, FilledOnlyWhenTaxIsDue)
{
    const VoucherCase& c = GetParam();
    ReturnFixture f;
    f.Set(F1, 11, "Corliss Trust");
    f.Set(F1, 13, "40 Bank Row");
    f.Set(F1, 14, c.secondAddressLine);
    f.Set(F1, 17, "25-1112223");
    f.Set(F1, 69, c.taxDue);
    f.Override(V, 0, 0, "stale");
    CalcForm1041V();
    EXPECT_EQ(f.Get(V, 1), c.payment);
    EXPECT_EQ(f.Get(V, 4), c.address);
    EXPECT_EQ(f.Get(V, 0), c.payment[0] ? "25-1112223" : "");  // the override is not consulted
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1041V, testing::ValuesIn(kVoucherCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041V, OverriddenPaymentStays)
{
    ReturnFixture f;
    f.Set(F1, 69, "1,234");
    f.Override(V, 0, 1, "1,000");
    CalcForm1041V();
    EXPECT_EQ(f.Get(V, 1), "1,000");
}

}  // namespace
}  // namespace quorvan
