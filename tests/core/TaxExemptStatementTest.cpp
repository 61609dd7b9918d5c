// The statement Other Information question 1 asks for: its figures read from Form 1041 and the
// allocation worksheet of a settled return, the default print selection, and the statement as
// both print routes print it.

#include "files/ClientFile.h"
#include "print/FormSelect.h"
#include "print/TaxExemptStatement.h"
#include "slot/AllocationWorksheet.h"
#include "slot/Form1041Page1.h"
#include "slot/ScheduleK1.h"
#include "slot/TaxExemptStatement.h"
#include "support/MessageRecorder.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <unistd.h>

namespace quorvan {
namespace {

namespace aw = quorvan::slot::allocationWorksheet;
namespace f1 = quorvan::slot::form1041Page1;
namespace k1 = quorvan::slot::scheduleK1;
namespace st = quorvan::slot::taxExemptStatement;

using test::ReturnFixture;

// Rents 25,000, taxable interest 25,000, tax-exempt interest 25,000 (a third of the receipts).
// A 3,000 trustee's commission: tax-exempt part 1,000, line 12 2,000. Taxes of 600 paid: 200
// and 400. Interest of 500 typed straight on line 10 is no part of the statement. Distributable
// net income 75,000 - 500 - 600 - 3,000 = 70,900, all of it required to be distributed.
void FillCommissionReturn(ReturnFixture& f)
{
    f.Set(f1::taxYearBeginning, "01/01/2016");
    f.Set(f1::taxYearEnding, "12/31/2016");
    f.Set(f1::nameOfEstateOrTrust, "Corwin Trust");
    f.Set(f1::itemCEin, "46-1234567");
    f.Set(f1::itemAComplexTrust, "X");
    f.Override(f1::line1Interest, "25,000");
    f.Set(f1::line5Rents, "25,000");
    f.Set(f1::line10Interest, "500");
    f.Set(aw::taxExemptInterestReceived, "25,000");
    f.Set(aw::line11Paid, "600");
    f.Set(aw::line12Paid, "3,000");
    f.Set(aw::line12ElectedClass, "5");
    f.Store().NoOfSchedK = 1;
    f.Set(k1::incomeRequiredToBeDistributed, 0, "70,900");
}

TEST(TaxExemptStatement, ReadsEachFigureWhereTheReturnHoldsIt)
{
    ReturnFixture f;
    FillCommissionReturn(f);
    ASSERT_TRUE(f.Settle());
    ASSERT_EQ(f.Get(f1::line12FiduciaryFees), "2,000");
    struct Row {
        SlotRef field;
        const char* shows;
    };
    // statement field | what it prints
    const Row rows[] = {
        {st::nameOfEstateOrTrust, "Corwin Trust"},
        {st::employerIdentificationNumber, "46-1234567"},
        {st::taxExemptInterestReceived, "25,000"},
        {st::line10Paid, ""},  // typed straight on line 10: no amount paid on the worksheet
        {st::line10Deductible, ""},
        {st::line11Paid, "600"},
        {st::line11TaxExemptPart, "200"},
        {st::line11Deductible, "400"},
        {st::line12Paid, "3,000"},
        {st::line12TaxExemptPart, "1,000"},
        {st::line12Deductible, "2,000"},
        {st::line15cPaid, ""},
        {st::totalPaid, "3,600"},
        {st::totalTaxExemptPart, "1,200"},
        {st::totalDeductible, "2,400"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(AnswerToPrint(f.Store(), st::kFormType, 0, row.field.slot), row.shows) << row.field.slot;
    // The statement's own slots stay empty in the store; every other page prints its answers.
    EXPECT_EQ(f.Store().Text(st::kFormType, 0, st::line12Paid.slot), "");
    EXPECT_EQ(AnswerToPrint(f.Store(), f1::kFormType, 0, f1::line12FiduciaryFees.slot), "2,000");

    // An override of the line is what the return deducts, and what the statement shows.
    f.Override(f1::line12FiduciaryFees, "2,100");
    EXPECT_EQ(AnswerToPrint(f.Store(), st::kFormType, 0, st::line12Deductible.slot), "2,100");
    EXPECT_EQ(AnswerToPrint(f.Store(), st::kFormType, 0, st::totalDeductible.slot), "2,500");
}

TEST(TaxExemptStatement, GoesWithTheReturnWhenADeductionHasATaxExemptPart)
{
    ReturnFixture f;
    FillCommissionReturn(f);
    ASSERT_TRUE(f.Settle());
    EXPECT_TRUE(DefaultSelection(f.Store()).Ticked(st::kFormType));
    // It follows Form 1041 and the continuation schedules of its lines.
    const std::vector<PrintPage> pages = PagesToPrint(DefaultSelection(f.Store()), f.Store());
    const auto statement = std::find(pages.begin(), pages.end(), PrintPage{st::kFormType, 0});
    ASSERT_NE(statement, pages.end());
    for (auto page = pages.begin(); page != statement; ++page)
        EXPECT_TRUE(page->formType == ftForm1041Page1 || page->formType == ftForm1041Page2 ||
                    page->formType == ftInterest)
            << page->formType;

    // A commission charged to the rents whole bears no tax-exempt part; the statement stays out.
    f.Set(aw::line11Paid, "");
    f.Set(f1::line11Taxes, "");
    f.Set(aw::line12DirectClass, "5");
    ASSERT_TRUE(f.Settle());
    EXPECT_EQ(f.Get(aw::line12TaxExemptPart), "0");
    EXPECT_FALSE(DefaultSelection(f.Store()).Ticked(st::kFormType));
}

// The statement printed by both routes from its one page description.
TEST(TaxExemptStatement, PrintsInBothRoutes)
{
    char folder[] = "/tmp/quorvan-statement-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string dir = folder;
    ReturnFixture f;
    FillCommissionReturn(f);
    ASSERT_TRUE(f.Settle());
    std::string error;
    ASSERT_TRUE(SaveClientFileAt(f.Store(), dir + "/corwin.fq6", error)) << error;

    std::string out, err;
    ASSERT_EQ(test::RunCli("--print '" + dir + "/statement.rtf' --forms 37 '" + dir + "/corwin.fq6'", out, err), 0)
        << err;
    const std::string rtf = test::ReadFileBytes(dir + "/statement.rtf");
    const size_t fees = rtf.find("Fiduciary fees");
    const size_t attorney = rtf.find("Attorney");
    ASSERT_LT(fees, attorney);
    EXPECT_TRUE(std::regex_search(rtf.substr(fees, attorney - fees), std::regex("3,000[^]*1,000[^]*2,000")));
    EXPECT_NE(rtf.find("Corwin Trust"), std::string::npos);

    if (test::kToolPaintsPdf) {
        ASSERT_EQ(test::RunCli("--print '" + dir + "/statement.pdf' --forms 37 '" + dir + "/corwin.fq6'", out, err), 0)
            << err;
        ASSERT_EQ(std::system(("pdftotext -layout '" + dir + "/statement.pdf' '" + dir + "/statement.txt'").c_str()),
                  0);
        const std::string text = test::ReadFileBytes(dir + "/statement.txt");
        EXPECT_NE(text.find("Corwin Trust"), std::string::npos) << text;
        EXPECT_NE(text.find("46-1234567"), std::string::npos) << text;
        EXPECT_TRUE(std::regex_search(text, std::regex(R"(12\s+Fiduciary fees\s+3,000\s+1,000\s+2,000)"))) << text;
        EXPECT_TRUE(std::regex_search(text, std::regex(R"(Total\s+3,600\s+1,200\s+2,400)"))) << text;
        EXPECT_TRUE(std::regex_search(text, std::regex(R"(question 1\)?\s.*25,000)"))) << text;
    }
    std::system(("rm -rf '" + dir + "'").c_str());
}

}  // namespace
}  // namespace quorvan
