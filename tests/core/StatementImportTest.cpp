// Broker and bank data files coming into a return: which box and row each record takes, the
// sales summed on Schedule D, wash sales, duplicates, the records that refuse a file, the room
// twenty pages give, and the tool's --import.

#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "files/StatementFields.h"
#include "files/StatementImport.h"
#include "store/Amounts.h"
#include "slot/Dividend.h"
#include "slot/Form1041Page1.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/Interest.h"
#include "slot/ScheduleDPage1.h"
#include "support/MessageRecorder.h"
#include "support/ReturnFixture.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <fstream>

namespace quorvan {
namespace {

namespace sales = slot::form8949ShortTerm::sales;
namespace d1 = slot::scheduleDPage1;
namespace interest = slot::interest::entries;
namespace dividend = slot::dividend::entries;

using test::ReturnFixture;

// A sale record of a tax exchange file; `wash` empty gives format 4.
std::string TxfSale(int reference, const std::string& description, const std::string& acquired, const std::string& sold,
                    const std::string& cost, const std::string& proceeds, const std::string& wash = "")
{
    return "TD\nN" + std::to_string(reference) + "\nC1\nL1\nP" + description + "\nD" + acquired + "\nD" + sold + "\n$" +
           cost + "\n$" + proceeds + "\n" + (wash.empty() ? "" : "$" + wash + "\n") + "^\n";
}

std::string Txf(const std::string& records) { return "V042\nAbroker\nD02/01/2017\n^\n" + records; }

const std::string& Row(const TAnswer& store, int formType, int page, int row, int column)
{
    return store.Text(formType, page, sales::Slot(row, column));
}

// Saves `store` as a client file and reads it back into `reopened`.
::testing::AssertionResult SaveAndReopen(TAnswer& store, TAnswer& reopened)
{
    char folder[] = "/tmp/quorvan-import-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return ::testing::AssertionFailure() << "no scratch folder";
    const std::string path = std::string(folder) + "/return.fq6";
    std::string error;
    const bool saved = SaveClientFileAt(store, path, error);
    const bool read = saved && ReadClientFileAt(reopened, path);
    std::remove(path.c_str());
    rmdir(folder);
    if (!read)
        return ::testing::AssertionFailure() << (saved ? "not read back" : error);
    return ::testing::AssertionSuccess();
}

PreparedImport Import(TAnswer& store, const std::string& text, bool itemize = false)
{
    PreparedImport prepared = PrepareImportOf(store, text, itemize);
    CarryOutPrepared(store, prepared);
    return prepared;
}

TEST(StatementImport, EachTxfReferenceNumberTakesItsBox)
{
    struct Case {
        int reference;
        std::string acquired;
        int formType;  // 0: summed on Schedule D
        bool shortTerm;
    };
    // 673, 715 and 716 leave the term to the dates, within the copy of Form 8949 they name.
    const Case cases[] = {
        {321, "01/04/2016", 0, true},            {711, "01/04/2016", ftForm8949B, true},
        {712, "VARIOUS", ftForm8949C, true},     {323, "01/04/2010", 0, false},
        {713, "", ftForm8949E, false},           {714, "01/04/2010", ftForm8949F, false},
        {673, "06/01/2015", 0, true},            {673, "05/31/2015", 0, false},  // one year exactly is short
        {715, "06/01/2015", ftForm8949B, true},  {715, "05/31/2015", ftForm8949E, false},
        {716, "06/01/2015", ftForm8949C, true},  {716, "05/31/2015", ftForm8949F, false},
    };
    for (const Case& c : cases) {
        ReturnFixture r;
        const auto prepared =
            Import(r.Store(), Txf(TxfSale(c.reference, "XYZ", c.acquired, "06/01/2016", "100", "250.75")));
        ASSERT_FALSE(prepared.Refused()) << c.reference << ProblemList(prepared.plan.problems);
        if (c.formType == 0) {
            EXPECT_EQ(r.Get(c.shortTerm ? d1::line1aProceeds : d1::line8aProceeds), "251") << c.reference;
            EXPECT_EQ(r.Get(c.shortTerm ? d1::line1aCost : d1::line8aCost), "100") << c.reference;
            continue;
        }
        EXPECT_EQ(*r.Store().CountField(c.formType), 1) << c.reference;
        EXPECT_EQ(Row(r.Store(), c.formType, 0, 0, sales::description), "XYZ");
        EXPECT_EQ(Row(r.Store(), c.formType, 0, 0, sales::dateAcquired), c.acquired) << c.reference;
        EXPECT_EQ(Row(r.Store(), c.formType, 0, 0, sales::dateSold), "06/01/2016");
        EXPECT_EQ(Row(r.Store(), c.formType, 0, 0, sales::proceeds), "251");
        EXPECT_EQ(Row(r.Store(), c.formType, 0, 0, sales::cost), "100");
        EXPECT_EQ(Row(r.Store(), c.formType, 0, 0, sales::code), "");
    }
}

TEST(StatementImport, TxfInterestAndDividendsWithCrLf)
{
    ReturnFixture r;
    // Details (TD) of a line with its summary (TS) are read once, as the summary; the payer is
    // the summary's P, not a detail's X.
    std::string text =
        Txf("TD\nN287\nC1\nL1\n$1,000.00\nX 3/24/2016 Checking DEP Interest\n^\n"
            "TD\nN287\nC1\nL1\n$234.56\nX 4/24/2016 Checking DEP Interest\n^\n"
            "TS\nN287\nC1\nL1\n$1,234.56\nPFirst Bank\n^\n"
            "TD\nN287\nC1\nL2\n$10\nXSavings\n^\n"
            "TD\nN286\nC1\nL1\n$300\nXBig Fund\n^\n"
            "TD\nN683\nC1\nL1\n$200.00\nXBig Fund\n^\n");
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const auto prepared = Import(r.Store(), crlf);
    ASSERT_FALSE(prepared.Refused()) << ProblemList(prepared.plan.problems);
    EXPECT_EQ(r.Store().NoOfInterest, 1);
    EXPECT_EQ(r.Get(interest::Slot(0, interest::description)), "First Bank");
    EXPECT_EQ(r.Get(interest::Slot(0, interest::amount)), "1,235");
    EXPECT_EQ(r.Get(interest::Slot(1, interest::description)), "Savings");  // a line with no summary
    EXPECT_EQ(r.Get(interest::Slot(2, interest::amount)), "");
    EXPECT_EQ(r.Get(dividend::Slot(0, dividend::description)), "Big Fund");
    EXPECT_EQ(r.Get(dividend::Slot(0, dividend::amount)), "300");
    EXPECT_EQ(r.Get(dividend::Slot(0, dividend::qualified)), "200");

    // 488 is capital gain distributions, no part of the dividends: named, never taken as qualified.
    ReturnFixture distributions;
    const auto refused =
        Import(distributions.Store(), Txf("TD\nN286\nC1\nL1\n$300\nPBig Fund\n^\nTD\nN488\nC1\nL1\n$50\nPBig Fund\n^\n"));
    ASSERT_TRUE(refused.Refused());
    EXPECT_NE(ProblemList(refused.plan.problems).find("line 13: capital gain distributions (488)"), std::string::npos)
        << ProblemList(refused.plan.problems);
    EXPECT_EQ(distributions.Get(dividend::Slot(0, dividend::amount)), "");

    // Format 5 with its last line a bare "$": no wash sale loss.
    ReturnFixture bare;
    ASSERT_FALSE(
        Import(bare.Store(), Txf(TxfSale(711, "Reebok", "01/05/2016", "10/01/2016", "1,000.00", "2,000.00"))).Refused());
    const auto formatFive = Import(bare.Store(), Txf("TD\nN711\nC1\nL1\nPNike\nD01/05/2016\nD10/01/2016\n$1,000.00\n"
                                                     "$2,000.00\n$\n^\n"));
    ASSERT_FALSE(formatFive.Refused()) << ProblemList(formatFive.plan.problems);
    EXPECT_EQ(Row(bare.Store(), ftForm8949B, 0, 1, sales::description), "Nike");
    EXPECT_EQ(Row(bare.Store(), ftForm8949B, 0, 1, sales::code), "");
    EXPECT_EQ(Row(bare.Store(), ftForm8949B, 0, 1, sales::adjustment), "");
}

TEST(StatementImport, CsvHeaderSetsAndFieldForms)
{
    struct Case {
        std::string csv;
        int formType;
        int row;
        std::string description, proceeds, cost, code, adjustment;
    };
    const Case cases[] = {
        {" description ,DATE ACQUIRED,Date Sold,Proceeds,Cost Basis,Box\n"
         "\"Acme, Inc.\",01/02/2016,2016-03-04,\"$1,000.40\",(20.00),b\n",
         ftForm8949B, 0, "Acme, Inc.", "1,000", "-20", "", ""},
        {"Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Term,Basis Reported,Wash Sale Loss Disallowed\r\n"
         "\"Say \"\"x\"\"\",various,12/30/2016,-5,10,Long,Yes,7.50\r\n",
         ftForm8949D, 0, "Say \"x\"", "-5", "10", "W", "8"},
        {"Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Term,Basis Reported,Adjustment Code,Adjustment "
         "Amount\n"
         "Bond,,6/1/16,100,90,short,no,B,-4\n",
         ftForm8949B, 0, "Bond", "100", "90", "B", "-4"},
    };
    for (const Case& c : cases) {
        ReturnFixture r;
        const auto prepared = Import(r.Store(), c.csv);
        ASSERT_FALSE(prepared.Refused()) << c.csv << ProblemList(prepared.plan.problems);
        EXPECT_EQ(Row(r.Store(), c.formType, 0, c.row, sales::description), c.description);
        EXPECT_EQ(Row(r.Store(), c.formType, 0, c.row, sales::proceeds), c.proceeds);
        EXPECT_EQ(Row(r.Store(), c.formType, 0, c.row, sales::cost), c.cost);
        EXPECT_EQ(Row(r.Store(), c.formType, 0, c.row, sales::code), c.code);
        EXPECT_EQ(Row(r.Store(), c.formType, 0, c.row, sales::adjustment), c.adjustment);
    }
    ReturnFixture r;
    ASSERT_FALSE(Import(r.Store(), "Payer, Interest\nBank A,\"$2,000\"\n\nBank B,(3)\n").Refused());
    EXPECT_EQ(r.Get(interest::Slot(1, interest::amount)), "-3");
    ASSERT_FALSE(Import(r.Store(), "payer,ordinary dividends,qualified dividends\nFund,500,400\n").Refused());
    EXPECT_EQ(r.Get(dividend::Slot(0, dividend::qualified)), "400");
}

TEST(StatementImport, PlainBoxADSalesAddToLines1aAnd8aUnlessItemized)
{
    const std::string txf = Txf(TxfSale(321, "A1", "01/04/2016", "02/01/2016", "100.40", "200.40") +
                                TxfSale(321, "A2", "01/04/2016", "02/02/2016", "100.40", "200.40") +
                                TxfSale(323, "D1", "01/04/2010", "02/01/2016", "1000", "500") +
                                TxfSale(321, "A3 wash", "01/04/2016", "02/03/2016", "300", "100", "150"));
    ReturnFixture summed;
    summed.Set(d1::line1aProceeds, "1,000");
    summed.Set(d1::line1aCost, "500");
    const auto prepared = Import(summed.Store(), txf);
    EXPECT_EQ(
        ImportSummary(prepared.plan),
        "1 sale on Form 8949 (box A 1), 2 sales summed on Schedule D line 1a, 1 sale summed on Schedule D line 8a");
    EXPECT_EQ(summed.Get(d1::line1aProceeds), "1,401");  // 400.80 rounded once, added to what the line held
    EXPECT_EQ(summed.Get(d1::line1aCost), "701");
    EXPECT_EQ(summed.Get(d1::line8aProceeds), "500");
    // The wash sale goes on Form 8949 with code W and its disallowed loss in column (g).
    EXPECT_EQ(Row(summed.Store(), ftForm8949A, 0, 0, sales::code), "W");
    EXPECT_EQ(Row(summed.Store(), ftForm8949A, 0, 0, sales::adjustment), "150");
    ASSERT_TRUE(summed.Settle());
    EXPECT_EQ(Row(summed.Store(), ftForm8949A, 0, 0, sales::gain), "-50");

    ReturnFixture itemized;
    Import(itemized.Store(), txf, true);
    EXPECT_EQ(itemized.Store().NoOf8949_A, 1);
    EXPECT_EQ(Row(itemized.Store(), ftForm8949A, 0, 2, sales::description), "A3 wash");
    EXPECT_EQ(Row(itemized.Store(), ftForm8949D, 0, 0, sales::description), "D1");
    EXPECT_EQ(itemized.Get(d1::line1aProceeds), "");
}

TEST(StatementImport, ImportingAgainAddsNothingButCountsTheDuplicates)
{
    ReturnFixture r;
    const std::string csv =
        "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Box\n"
        "S1,01/02/2016,03/04/2016,10,5,B\nS2,01/02/2016,03/04/2016,10,5,E\n";
    ASSERT_FALSE(Import(r.Store(), csv).Refused());
    // A row the preparer emptied is filled first; the rows already there stay.
    const auto again = Import(r.Store(), csv + "S3,01/02/2016,03/04/2016,1,1,B\n");
    EXPECT_EQ(again.plan.duplicates, 2);
    EXPECT_EQ(Row(r.Store(), ftForm8949B, 0, 1, sales::description), "S3");
    EXPECT_EQ(r.Store().NoOf8949_E, 1);
    EXPECT_EQ(Row(r.Store(), ftForm8949E, 0, 1, sales::description), "");
    const std::string interestCsv = "Payer,Interest\nBank,12\n";
    Import(r.Store(), interestCsv);
    EXPECT_EQ(Import(r.Store(), interestCsv).plan.duplicates, 1);
    EXPECT_EQ(r.Get(interest::Slot(1, interest::description)), "");
}

// Sales summed on Schedule D no longer show one by one; the return keeps track of them, in the
// client file too, so a file imported again (after reopening, or itemized this time) adds nothing.
TEST(StatementImport, SummedSalesAreNeverSummedTwice)
{
    const std::string txf = Txf(TxfSale(321, "A1", "01/04/2016", "02/01/2016", "100", "200") +
                                TxfSale(321, "A1", "01/04/2016", "02/01/2016", "100", "200") +  // two lots alike
                                TxfSale(323, "D1", "01/04/2010", "02/01/2016", "1000", "500") +
                                TxfSale(711, "B1", "01/04/2016", "02/03/2016", "300", "100"));
    ReturnFixture r;
    ASSERT_FALSE(Import(r.Store(), txf).Refused());
    ASSERT_EQ(r.Get(d1::line1aProceeds), "400");
    const auto again = Import(r.Store(), txf);
    EXPECT_EQ(again.plan.duplicates, 4);
    EXPECT_TRUE(again.plan.Empty());
    EXPECT_EQ(Import(r.Store(), txf, true).plan.duplicates, 4);  // itemized, the summed ones are found too
    EXPECT_EQ(r.Get(d1::line1aProceeds), "400");
    EXPECT_EQ(r.Get(d1::line8aProceeds), "500");
    EXPECT_EQ(r.Store().NoOf8949_A + r.Store().NoOf8949_D, 0);

    {
        ScopedAnswerStore reopened;
        ASSERT_TRUE(SaveAndReopen(r.Store(), *reopened));
        EXPECT_EQ(DumpReturn(*reopened), DumpReturn(r.Store()));
        const auto afterReopening = PrepareImportOf(*reopened, txf, false);
        EXPECT_EQ(afterReopening.plan.duplicates, 4);
        EXPECT_TRUE(afterReopening.plan.Empty());
    }

    // A line the preparer emptied no longer holds those sales: they are summed anew.
    r.Set(d1::line1aProceeds, "");
    r.Set(d1::line1aCost, "");
    const auto emptied = Import(r.Store(), txf);
    EXPECT_EQ(emptied.plan.line1a.count, 2);
    EXPECT_EQ(emptied.plan.duplicates, 2);
    EXPECT_EQ(r.Get(d1::line1aProceeds), "400");
    EXPECT_EQ(r.Get(d1::line8aProceeds), "500");
    EXPECT_EQ(Import(r.Store(), txf).plan.duplicates, 4);
}

// Lines 2b(1) and 2b(2) typed while no dividend row listed a qualified amount are figured from
// the rows once an import lists some: the typed figure becomes a row, so both count.
TEST(StatementImport, TypedQualifiedDividendsStayCounted)
{
    namespace f1 = slot::form1041Page1;
    const std::string csv = "Payer,Ordinary Dividends,Qualified Dividends\nNew Fund,500,400\n";
    for (const bool overridden : {false, true}) {
        ReturnFixture r;
        r.Store().NoOfDividend = 1;
        r.Set(dividend::Slot(0, dividend::description), "Old Fund");
        r.Set(dividend::Slot(0, dividend::amount), "6,000");
        if (overridden)
            r.Override(f1::line2b1QualifiedToBeneficiaries, "3,000");
        else
            r.Set(f1::line2b1QualifiedToBeneficiaries, "3,000");
        r.Set(f1::line2b2QualifiedToEstate, "1,000");
        ASSERT_TRUE(r.Settle());
        const auto prepared = Import(r.Store(), csv);
        ASSERT_FALSE(prepared.Refused()) << ProblemList(prepared.plan.problems);
        ASSERT_TRUE(r.Settle());
        if (overridden) {  // the typed lines stand as they are; nothing is added for them
            EXPECT_EQ(prepared.plan.typedQualifiedKept, 0);
            EXPECT_EQ(r.Get(dividend::Slot(2, dividend::description)), "");
            EXPECT_EQ(r.Get(f1::line2b1QualifiedToBeneficiaries), "3,000");
            continue;
        }
        EXPECT_NE(ImportSummary(prepared.plan).find("the 4,000 of qualified dividends typed on Form 1041 line 2b kept"),
                  std::string::npos)
            << ImportSummary(prepared.plan);
        EXPECT_EQ(r.Get(dividend::Slot(2, dividend::qualified)), "4,000");
        EXPECT_EQ(r.Get(f1::line2aDividends), "6,500");  // the kept row adds no ordinary dividends
        double b1 = 0, b2 = 0;
        ReadNumber(r.Get(f1::line2b1QualifiedToBeneficiaries), b1);
        ReadNumber(r.Get(f1::line2b2QualifiedToEstate), b2);
        EXPECT_EQ(b1 + b2, 4400);
        EXPECT_EQ(Import(r.Store(), csv).plan.typedQualifiedKept, 0);  // once
    }
}

TEST(StatementImport, BadRecordsRefuseTheWholeFileByLine)
{
    struct Case {
        std::string records;  // after the four header lines
        int line;
        std::string problem;
    };
    const Case cases[] = {
        {TxfSale(711, "x", "01/02/2016", "03/04/2016", "12x", "5"), 12, "\"12x\" is not an amount"},
        {TxfSale(711, "x", "02/30/2016", "03/04/2016", "1", "5"), 10, "\"02/30/2016\" is not a date"},
        {TxfSale(711, "x", "01/02/2015", "01/04/2015", "1", "5"), 11, "outside the return's tax year"},
        {TxfSale(999, "x", "01/02/2016", "03/04/2016", "1", "5"), 6, "reference number \"999\""},
        {TxfSale(711, "x", "01/02/2016", "03/04/2016", "1,00", "5"), 12, "\"1,00\" is not an amount"},
    };
    for (const Case& c : cases) {
        ReturnFixture r;
        const std::string good = TxfSale(711, "ok", "01/02/2016", "03/04/2016", "1", "2");
        const auto prepared = Import(r.Store(), Txf(c.records + good));
        ASSERT_TRUE(prepared.Refused()) << c.records;
        const std::string list = ProblemList(prepared.plan.problems);
        EXPECT_NE(list.find("line " + std::to_string(c.line) + ": "), std::string::npos) << list;
        EXPECT_NE(list.find(c.problem), std::string::npos) << list;
        EXPECT_EQ(r.Store().NoOf8949_B, 0);  // the good record is not imported either
    }
    ReturnFixture r;
    std::string csv = "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Box\n";
    for (int i = 0; i < 25; ++i)
        csv += "S,01/02/2016,03/04/2016,10,5,G\n";
    const auto prepared = Import(r.Store(), csv);
    const std::string list = ProblemList(prepared.plan.problems);
    EXPECT_NE(list.find("line 2: box \"G\" is not one of A to F"), std::string::npos) << list;
    EXPECT_NE(list.find("line 21: "), std::string::npos);
    EXPECT_EQ(list.find("line 22: "), std::string::npos);
    EXPECT_NE(list.find("and 5 more problems"), std::string::npos) << list;
}

TEST(StatementImport, MoreRowsThanTwentyPagesHoldAreRefused)
{
    ReturnFixture r;
    std::string csv = "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Box\n";
    for (int i = 0; i < 17; ++i)
        csv += "S" + std::to_string(i) + ",01/02/2016,03/04/2016,10,5,C\n";
    ASSERT_FALSE(Import(r.Store(), csv).Refused());
    EXPECT_EQ(r.Store().NoOf8949_C, 2);  // a second page made for the seventeenth sale
    EXPECT_EQ(Row(r.Store(), ftForm8949C, 1, 0, sales::description), "S16");

    std::string big = "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Box\n";
    for (int i = 0; i < 20 * 16 - 16; ++i)
        big += "T" + std::to_string(i) + ",01/02/2016,03/04/2016,10,5,C\n";
    const auto refused = Import(r.Store(), big);
    ASSERT_TRUE(refused.Refused());
    EXPECT_NE(ProblemList(refused.plan.problems).find("Form 8949 box C: 304 rows to add and room for 303"),
              std::string::npos)
        << ProblemList(refused.plan.problems);
    EXPECT_EQ(r.Store().NoOf8949_C, 2);
}

TEST(StatementImport, ImportedReturnSavesAndReopensToTheSameDump)
{
    ReturnFixture r;
    std::string csv = "Description,Date Acquired,Date Sold,Proceeds,Cost Basis,Term,Basis Reported\n";
    for (int i = 0; i < 40; ++i)
        csv += "Lot " + std::to_string(i) + ",01/02/2015,03/04/2016," + std::to_string(100 + i) + ".50,90,Long,No\n";
    ASSERT_FALSE(Import(r.Store(), csv).Refused());
    ASSERT_TRUE(r.Settle());
    const std::string before = DumpReturn(r.Store());
    ScopedAnswerStore reopened;
    ASSERT_TRUE(SaveAndReopen(r.Store(), *reopened));
    ASSERT_TRUE(SettleReturn(*reopened, 10));
    EXPECT_EQ(DumpReturn(*reopened), before);
}

TEST(StatementImport, ToolImportsOrRefusesWithExitSeven)
{
    char folder[] = "/tmp/quorvan-import-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string base = folder;
    auto write = [](const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    };
    write(base + "/good.csv", "Payer,Interest\nBank,12\n");
    write(base + "/bad.txf", Txf(TxfSale(711, "x", "01/02/2016", "03/04/2016", "oops", "5")));
    const std::string client = test::TestDataPath("handwritten-trust.fq6");
    std::string out, err;
    EXPECT_EQ(test::RunCli(
                  "--import " + base + "/good.csv --import " + base + "/bad.txf --write " + base + "/out.fq6 " + client,
                  out, err),
              7);
    EXPECT_NE(err.find("3320"), std::string::npos) << err;
    EXPECT_NE(err.find("line 12: \"oops\" is not an amount"), std::string::npos) << err;
    EXPECT_NE(access((base + "/out.fq6").c_str(), F_OK), 0);  // nothing written
    EXPECT_EQ(test::RunCli("--import " + base + "/good.csv --itemize --write " + base + "/out.fq6 " + client, out, err),
              0)
        << err;
    EXPECT_EQ(out, base + "/good.csv: 1 interest row\n");
    EXPECT_EQ(test::RunCli("--itemize " + client, out, err), 2);
    for (const char* name : {"/good.csv", "/bad.txf", "/out.fq6"})
        std::remove((base + name).c_str());
    rmdir(folder);
}

TEST(StatementFields, AmountsAndDates)
{
    const std::pair<const char*, long long> amounts[] = {
        {"$1,234.56", 123456}, {"(12.5)", -1250}, {"-7", -700}, {" 0.125 ", 13}, {"$-3.00", -300}, {".5", 50},
    };
    for (const auto& [text, cents] : amounts) {
        long long read = 0;
        EXPECT_TRUE(ReadStatementAmount(text, read)) << text;
        EXPECT_EQ(read, cents) << text;
    }
    for (const char* bad : {"", "1,2345", "12,34", "1.2.3", "abc", "--1", "$", "1e5", "1,000,000,000,000"}) {
        long long read = 0;
        EXPECT_FALSE(ReadStatementAmount(bad, read)) << bad;
    }
    int day = 0;
    EXPECT_TRUE(ReadStatementDate("2/29/2016", day));
    EXPECT_EQ(day, 20160229);
    EXPECT_FALSE(ReadStatementDate("2/29/2015", day));
    EXPECT_FALSE(ReadStatementDate("13/01/2016", day));
    EXPECT_TRUE(HeldMoreThanOneYear(20150301, 20160302));
    EXPECT_FALSE(HeldMoreThanOneYear(20150301, 20160301));
}

}  // namespace
}  // namespace quorvan
