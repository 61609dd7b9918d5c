// Forms 1041-QFT, 1041-T and 1041-V on their own.

#include "calc/Form1041QFTTV.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041QFT.h"
#include "slot/Form1041T.h"
#include "slot/Form1041V.h"
#include "slot/ScheduleDPage2.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace d2 = quorvan::slot::scheduleDPage2;
namespace f1 = quorvan::slot::form1041Page1;
namespace f1041t = quorvan::slot::form1041T;
namespace f1041v = quorvan::slot::form1041V;
namespace qft = quorvan::slot::form1041QFT;

using test::ReturnFixture;

// A funeral trust: interest 2,000, dividends 500, capital gain 1,200; taxes 300 and trustee fees
// 700. Taxable 2,700 on the trust schedule: 382.50 + 150 x 25% = 420.
void SetFuneralTrust(ReturnFixture& f)
{
    f.Set(qft::line1a, "2,000");
    f.Set(qft::line2a, "500");
    f.Set(qft::line3CapitalGain, "1,200");
    f.Set(qft::line6, "300");
    f.Set(qft::line7, "700");
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
    f.Set(f1::itemABankruptcyEstateCh7, c.bankruptcyBox);
    f.Set(qft::line18Payments, c.payments);
    f.Set(qft::line16, c.furtherTax);
    CalcForm1041QFT();
    EXPECT_EQ(f.Get(qft::line5TotalIncome), "3,700");
    EXPECT_EQ(f.Get(qft::line11TotalDeductions), "1,000");
    EXPECT_EQ(f.Get(qft::line12Taxable), "2,700");
    EXPECT_EQ(f.Get(qft::line13Tax), c.tax);
    EXPECT_EQ(f.Get(qft::line15), c.tax);
    EXPECT_EQ(f.Get(qft::line19TaxDue), c.taxDue);
    EXPECT_EQ(f.Get(qft::line20Overpayment), c.overpayment);
    EXPECT_EQ(f.Get(qft::line21bRefunded), c.overpayment);
    EXPECT_EQ(f.Get(qft::line17TotalTax), c.totalTax);
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1041QFT, testing::ValuesIn(kFuneralTrustCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041QFT, MaximumCapitalGainsRateTaxAndSignatureCopies)
{
    ReturnFixture f;
    SetFuneralTrust(f);
    f.Set(d2::line45, "395");
    const SlotRef signature[] = {f1::fiduciarySignatureDate, f1::preparerDate, f1::preparerName, f1::preparerPtin,
                                 f1::firmsName,              f1::firmsAddress, f1::phoneNo,      f1::firmsEin};
    for (int i = 0; i < 8; ++i)
        f.Set(signature[i], "sig " + std::to_string(i));
    f.Override(qft::preparerDate, "typed");
    CalcForm1041QFT();
    EXPECT_EQ(f.Get(qft::line13Tax), "395");
    EXPECT_EQ(f.Get(qft::trusteeDate), "sig 0");
    EXPECT_EQ(f.Get(qft::preparerDate), "typed");
    EXPECT_EQ(f.Get(qft::firmsEin), "sig 7");
}

TEST(Form1041T, TotalAllocatedAndIdentification)
{
    ReturnFixture f;
    f.Set(f1::taxYearBeginning, "1/1/2016");
    f.Set(f1::taxYearEnding, "12/31/2016");
    f.Set(f1::nameOfEstateOrTrust, "Corliss Trust");
    f.Set(f1::nameAndTitleOfFiduciary, "Mara Corliss, Trustee");
    f.Set(f1::fiduciaryStreet, "40 Bank Row");
    f.Set(f1::fiduciaryAddress2, "Suite 2");
    f.Set(f1::fiduciaryCity, "Erie, PA 16501");
    f.Set(f1::itemCEin, "25-1112223");
    CalcForm1041T();
    EXPECT_EQ(f.Get(f1041t::line4TotalAllocated), "0");
    EXPECT_EQ(f.Get(f1041t::line1Allocated), "0");

    f.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::amount), "1,000");  // row 0
    f.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::percentage), "40");
    f.Set(f1041t::beneficiaries::Slot(1, f1041t::beneficiaries::amount), "2,500");  // row 1
    f.Set(f1041t::beneficiaries::Slot(9, f1041t::beneficiaries::amount), "250");    // row 9
    f.Set(f1041t::line3FurtherSheets, "500");
    CalcForm1041T();
    EXPECT_EQ(f.Get(f1041t::line4TotalAllocated), "4,250");
    EXPECT_EQ(f.Get(f1041t::line1Allocated), "4,250");
    EXPECT_EQ(f.Get(f1041t::taxYearBeginning), "1/1/2016");
    EXPECT_EQ(f.Get(f1041t::ein), "25-1112223");
    EXPECT_EQ(f.Get(f1041t::fiduciaryStreet), "40 Bank Row  Suite 2");
    EXPECT_EQ(f.Get(f1041t::fiduciaryCity), "Erie, PA 16501");
    EXPECT_TRUE(f.Messages().Empty());
}

TEST(Form1041T, PercentageAboveHundredIsReportedPerRow)
{
    ReturnFixture f;
    f.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::percentage), "120");
    f.Set(f1041t::beneficiaries::Slot(1, f1041t::beneficiaries::percentage), "100");
    f.Set(f1041t::beneficiaries::Slot(2, f1041t::beneficiaries::percentage), "101");
    f.Set(f1041t::beneficiaries::Slot(0, f1041t::beneficiaries::amount), "700");
    CalcForm1041T();
    EXPECT_EQ(f.Messages().Codes(), (std::vector<unsigned>{29257, 29257}));
    EXPECT_EQ(f.Messages().Messages()[0].extra, "120");
    EXPECT_EQ(f.Messages().Messages()[1].extra, "101");
    EXPECT_EQ(f.Get(f1041t::line4TotalAllocated), "700");
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
    f.Set(f1::nameOfEstateOrTrust, "Corliss Trust");
    f.Set(f1::fiduciaryStreet, "40 Bank Row");
    f.Set(f1::fiduciaryAddress2, c.secondAddressLine);
    f.Set(f1::itemCEin, "25-1112223");
    f.Set(f1::line27TaxDue, c.taxDue);
    f.Override(f1041v::ein, "stale");
    CalcForm1041V();
    EXPECT_EQ(f.Get(f1041v::payment), c.payment);
    EXPECT_EQ(f.Get(f1041v::address), c.address);
    EXPECT_EQ(f.Get(f1041v::ein), c.payment[0] ? "25-1112223" : "");  // the override is not consulted
}

INSTANTIATE_TEST_SUITE_P(Cases, Form1041V, testing::ValuesIn(kVoucherCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Form1041V, OverriddenPaymentStays)
{
    ReturnFixture f;
    f.Set(f1::line27TaxDue, "1,234");
    f.Override(f1041v::payment, "1,000");
    CalcForm1041V();
    EXPECT_EQ(f.Get(f1041v::payment), "1,000");
}

}  // namespace
}  // namespace quorvan
