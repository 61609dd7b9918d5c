// A whole return printed: every generated template merges without leftover variables, and the
// tool paints the forms as PDF from the generated print layouts, each form page on a sheet of its
// own with its heading and footer, the figures read back from the PDF on the right pages and in
// the right columns.

#include "files/ClientFile.h"
#include "print/WordProcessor.h"
#include "slot/Form1041Page1.h"
#include "slot/Form1041Page2.h"
#include "store/Answers.h"
#include "support/Engine2Returns.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <set>
#include <regex>
#include <string>
#include <unistd.h>
#include <vector>

namespace quorvan {
namespace {

using test::ReadFileBytes;
using test::RunCli;
using test::TestDataPath;

// A word of a PDF page with its box, in points from the top left corner.
struct Word {
    double left, top, right, bottom;
    std::string text;
};

// A word as pdftotext writes it into its HTML, unescaped.
std::string Unescaped(std::string text)
{
    for (const auto& [entity, character] : {std::pair<std::string, std::string>{"&apos;", "'"}, {"&quot;", "\""},
                                            {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
        for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
            text.replace(at, entity.size(), character);
    return text;
}

class PrintDocument : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char folder[] = "/tmp/quorvan-printdoc-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
    }
    static void TearDownTestSuite() { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    static std::string Print(const std::string& output, const std::string& forms,
                             const std::string& client = "engine3-estate-four-beneficiaries.fq6")
    {
        std::string out, err;
        const int status = RunCli(
            "--print '" + folder_ + "/" + output + "' --forms " + forms + " '" + TestDataPath(client) + "'", out, err);
        EXPECT_EQ(status, 0) << err;
        return folder_ + "/" + output;
    }

    // The return's Form 1041, Schedule D and Schedules K-1 as a PDF, made once for the tests that read it.
    static const std::string& ReturnPdf()
    {
        static const std::string pdf = Print("return.pdf", "1,2,5,6,9");
        return pdf;
    }

    // The text of one PDF page (1-based) as pdftotext reads it, in its layout.
    static std::string PageText(const std::string& pdf, int page)
    {
        const std::string text = folder_ + "/page.txt";
        const std::string command = "pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                    " '" + pdf + "' '" + text + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadFileBytes(text);
    }

    static std::vector<Word> PageWords(const std::string& pdf, int page)
    {
        const std::string boxes = folder_ + "/words.html";
        const std::string command = "pdftotext -bbox -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                    " '" + pdf + "' '" + boxes + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        const std::string html = ReadFileBytes(boxes);
        const std::regex word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
        std::vector<Word> words;
        for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it)
            words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), std::stod((*it)[3]), std::stod((*it)[4]),
                             Unescaped((*it)[5])});
        return words;
    }

    static int PageCount(const std::string& pdf)
    {
        const std::string info = folder_ + "/info.txt";
        EXPECT_EQ(std::system(("pdfinfo '" + pdf + "' > '" + info + "'").c_str()), 0);
        std::smatch match;
        const std::string text = ReadFileBytes(info);
        return std::regex_search(text, match, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(match[1]) : 0;
    }

    static std::string folder_;
};

std::string PrintDocument::folder_;

// The tests of the PDF the tool paints.
class PaintedPdf : public PrintDocument {
protected:
    void SetUp() override
    {
        if (!test::kToolPaintsPdf)
            GTEST_SKIP() << "built without Qt: the tool paints no PDF";
    }
};

// The first and the last line of a page's text that say something (the body marker, a lone
// middle dot, is not printed ink).
std::pair<std::string, std::string> FirstAndLastLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.find_first_not_of(" \f\xC2\xB7") != std::string::npos)
            lines.push_back(line);
        start = end + 1;
    }
    return lines.empty() ? std::make_pair(std::string(), std::string()) : std::make_pair(lines.front(), lines.back());
}

// The word right of `label` on its line: the amount in the box the label heads.
const Word* AmountAfter(const std::vector<Word>& words, const Word& label)
{
    const Word* amount = nullptr;
    for (const Word& w : words)
        if (w.left > label.right && std::abs(w.bottom - label.bottom) < 4 && (!amount || w.left < amount->left))
            amount = &w;
    return amount;
}

TEST_F(PrintDocument, EveryTemplateMergesWithoutLeftoverVariables)
{
    const std::string document = ReadFileBytes(Print("all.rtf", "all"));
    ASSERT_FALSE(document.empty());
    EXPECT_EQ(document.rfind("{\\rtf1", 0), 0u);
    // A variable is "/" + type + one to three digits + "/"; none may survive the merge.
    EXPECT_FALSE(std::regex_search(document, std::regex(R"(/[*<$#+%&@^]\d{1,3}/)")));
    for (unsigned char c : document)
        ASSERT_LT(c, 128) << "the print file is 7-bit text";
}

TEST_F(PaintedPdf, PdfShowsTheReturnsFiguresOnTheirPages)
{
    const std::string& pdf = ReturnPdf();
    const int pages = PageCount(pdf);
    ASSERT_GE(pages, 3);

    // Form 1041 page 1 comes first: the estate's name, line 22 and line 23.
    const std::string first = PageText(pdf, 1);
    EXPECT_NE(first.find("U.S. Income Tax Return for Estates and Trusts"), std::string::npos);
    EXPECT_NE(first.find("Estate of Ada Brennan"), std::string::npos);
    EXPECT_TRUE(std::regex_search(first, std::regex(R"(22\s+Taxable income[^\n]*\s22\s+5,400)"))) << first;
    EXPECT_TRUE(std::regex_search(first, std::regex(R"(23\s+Total tax[^\n]*\s23\s+428)"))) << first;
    // A ticked box holds an "X" level with its caption; an empty one holds nothing.
    const std::vector<Word> words = PageWords(pdf, 1);
    const auto markBeside = [&words](const std::string& caption) {
        for (const Word& label : words)
            if (label.text == caption)
                for (const Word& w : words)
                    if (w.text == "X" && w.right < label.left && label.left - w.right < 30 &&
                        std::abs(w.bottom - label.bottom) < 3)
                        return true;
        return false;
    };
    EXPECT_TRUE(markBeside("Decedent's")) << "the decedent's estate box prints ticked";
    EXPECT_FALSE(markBeside("Simple")) << "empty boxes print empty";

    // Each beneficiary's Schedule K-1 carries the estate's name and that beneficiary's interest.
    int k1Pages = 0;
    for (int page = 1; page <= pages; ++page) {
        const std::string text = PageText(pdf, page);
        if (text.find("Schedule K-1") == std::string::npos || text.find("Estate of Ada Brennan") == std::string::npos)
            continue;
        // The back of the form follows each beneficiary's Schedule K-1.
        EXPECT_NE(PageText(pdf, page + 1).find("This list identifies the codes used on Schedule K-1"), std::string::npos);
        ++k1Pages;
        if (k1Pages == 1) {
            EXPECT_NE(text.find("4,364"), std::string::npos) << text;
        }
    }
    EXPECT_EQ(k1Pages, 4);
}

TEST_F(PaintedPdf, EachFormPageFillsOneSheetFromItsHeadingToItsFooter)
{
    struct Sheet {
        const char* form;
        const char* heading; // on the sheet's first line
        const char* footer;  // on its last line
    };
    // Form 1041 pages 1 and 2, Schedule D pages 1 and 2, one Schedule K-1 for each of four
    // beneficiaries, each followed by the back of the form with its code list.
    const Sheet k1 = {"Schedule K-1", R"(Schedule K-1)", R"(Cat\. No\. 11380D\s+Schedule K-1 \(Form 1041\) 2016)"};
    const Sheet back = {"Schedule K-1, back", R"(Schedule K-1 \(Form 1041\) 2016\s+Page 2)",
                        R"(beneficiary who does not file a Form 1040)"};
    const std::vector<Sheet> sheets = {
        {"Form 1041 page 1", R"(Form 1041)", R"(Paperwork Reduction Act Notice.*Cat\. No\. 11370H\s+Form\s+1041\s+\(2016\))"},
        {"Form 1041 page 2", R"(Form 1041 \(2016\)\s+Page 2)", R"(Form\s+1041\s+\(2016\))"},
        {"Schedule D page 1", R"(SCHEDULE D)", R"(Cat\. No\. 11376V\s+Schedule D \(Form 1041\) 2016)"},
        {"Schedule D page 2", R"(Schedule D \(Form 1041\) 2016\s+Page 2)", R"(Schedule D \(Form 1041\) 2016)"},
        k1, back, k1, back, k1, back, k1, back,
    };
    const std::string& pdf = ReturnPdf();
    ASSERT_EQ(PageCount(pdf), static_cast<int>(sheets.size()));
    for (size_t i = 0; i < sheets.size(); ++i) {
        const auto [first, last] = FirstAndLastLines(PageText(pdf, static_cast<int>(i) + 1));
        EXPECT_TRUE(std::regex_search(first, std::regex(sheets[i].heading))) << sheets[i].form << ": " << first;
        EXPECT_TRUE(std::regex_search(last, std::regex(sheets[i].footer))) << sheets[i].form << ": " << last;
    }
}

TEST_F(PaintedPdf, InnerColumnAmountsStandLeftOfTheTotalsColumn)
{
    const std::vector<Word> words = PageWords(ReturnPdf(), 1);
    const Word* box2b1 = nullptr;
    const Word* box2a = nullptr;
    for (const Word& w : words) {
        if (w.text == "2b(1)")
            box2b1 = &w;
        if (w.text == "2a" && (!box2a || w.left > box2a->left))
            box2a = &w; // the box of line 2a's amount, right of its line number
    }
    ASSERT_TRUE(box2b1 && box2a);
    const Word* dividends = AmountAfter(words, *box2a);
    const Word* beneficiaries = AmountAfter(words, *box2b1);
    ASSERT_TRUE(dividends && beneficiaries);
    EXPECT_EQ(dividends->text, "8,000");
    EXPECT_EQ(beneficiaries->text, "5,000");
    // Line 2b(1) is a part of line 2a, not added to the total: its amount stands in an inner column.
    EXPECT_LT(beneficiaries->right, dividends->left);
    EXPECT_GT(beneficiaries->top, dividends->top);
}

TEST_F(PaintedPdf, LossesPrintInParentheses)
{
    const std::string pdf = Print("losses.pdf", "1,6", "engine3-final-return-carryovers.fq6");
    // Form 1041 line 22, a taxable loss: the figure in parentheses, not with a minus sign.
    const std::vector<Word> page1 = PageWords(pdf, 1);
    const Word* line22 = nullptr;
    for (const Word& w : page1)
        if (w.text == "22" && (!line22 || w.left > line22->left))
            line22 = &w;  // the box label right of the caption
    ASSERT_NE(line22, nullptr);
    const Word* taxable = AmountAfter(page1, *line22);
    ASSERT_NE(taxable, nullptr);
    EXPECT_EQ(taxable->text, "(3,600)");
    EXPECT_EQ(PageText(pdf, 1).find("-3,600"), std::string::npos);

    // Schedule D line 20 stands in the parentheses the form prints, without its sign.
    const std::vector<Word> page2 = PageWords(pdf, 2);
    const Word* line20 = nullptr;
    for (const Word& w : page2)
        if (w.text == "20" && (!line20 || w.left > line20->left))
            line20 = &w;
    ASSERT_NE(line20, nullptr);
    std::vector<std::string> box;
    for (const Word& w : page2)
        if (w.left > line20->right && std::abs(w.bottom - line20->bottom) < 4)
            box.push_back(w.text);
    EXPECT_EQ(box, (std::vector<std::string>{"(", "3,000", ")"}));
}

TEST_F(PaintedPdf, VouchersStandInThirdsUnderCutLines)
{
    const std::string pdf = Print("vouchers.pdf", "13,24");
    ASSERT_EQ(PageCount(pdf), 3);  // vouchers 1 to 3, voucher 4, Form 1041-V
    // A cut line's words, with the third of the sheet each stands in (792 points tall).
    const auto cuts = [&](int page, const std::string& first) {
        std::vector<int> thirds;
        for (const Word& w : PageWords(pdf, page))
            if (w.text == first)
                thirds.push_back(static_cast<int>(w.top / 264));
        return thirds;
    };
    EXPECT_EQ(cuts(1, "Tear"), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(cuts(2, "Tear"), (std::vector<int>{0}));
    const std::string first = PageText(pdf, 1);
    for (const char* heading : {"Payment Voucher 1", "Payment Voucher 2", "Payment Voucher 3"})
        EXPECT_NE(first.find(heading), std::string::npos) << heading;
    EXPECT_NE(PageText(pdf, 2).find("Payment Voucher 4"), std::string::npos);
    // Form 1041-V: its voucher in the last third, under the line to cut along, its strip setting
    // item 2 (the payment, line 27's 128) beside item 1 (the EIN), as the form does.
    EXPECT_EQ(cuts(3, "Detach"), (std::vector<int>{2}));
    const std::vector<Word> voucher = PageWords(pdf, 3);
    const auto word = [&](const std::string& text) {
        const auto found = std::find_if(voucher.begin(), voucher.end(), [&](const Word& w) { return w.text == text; });
        return found == voucher.end() ? nullptr : &*found;
    };
    const Word* item1 = word("Estate's");  // "Estate's or trust's employer identification number (EIN)"
    const Word* item2 = word("Amount");    // "Amount of your payment. ..."
    const Word* ein = word("36-1234567");
    const Word* payment = word("128");
    ASSERT_TRUE(item1 && item2 && ein && payment);
    EXPECT_GT(item1->top, 528);
    EXPECT_LT(std::abs(item1->top - item2->top), 2) << "items 1 and 2 side by side";
    EXPECT_GT(ein->top, item1->bottom) << "the EIN under its caption";
    EXPECT_GT(payment->left, ein->right + 200);
}

// The amounts of a page as the two routes print them: words with a thousands comma, or signed,
// without the sign's parentheses or minus.
std::multiset<std::string> AmountsOf(const std::vector<Word>& words)
{
    std::multiset<std::string> amounts;
    const std::regex amount(R"(^(\(|-)?(\d{1,3}(,\d{3})+|\d+)\)?$)");
    for (const Word& w : words) {
        std::smatch match;
        if (std::regex_match(w.text, match, amount) && (w.text.find(',') != std::string::npos || match[1].matched))
            amounts.insert(match[2]);
    }
    return amounts;
}

// The words of a page that name what it is: captions and headings, four letters or more.
std::multiset<std::string> WordsOf(const std::vector<Word>& words)
{
    std::multiset<std::string> named;
    const std::regex word(R"(^[A-Za-z][A-Za-z']{3,}$)");
    for (const Word& w : words)
        if (std::regex_match(w.text, word))
            named.insert(w.text);
    return named;
}

// How many of `part` stand in `whole`, each counted as often as it stands in both.
size_t Shared(const std::multiset<std::string>& part, const std::multiset<std::string>& whole)
{
    std::vector<std::string> common;
    std::set_intersection(part.begin(), part.end(), whole.begin(), whole.end(), std::back_inserter(common));
    return common.size();
}

// A trust with two beneficiaries, a capital loss and a tax still due: both Schedule K-1s with
// their backs, Schedule D's loss lines, the 2017 vouchers and Form 1041-V.
std::string TwoBeneficiariesWithVouchers(const std::string& folder)
{
    namespace f1 = slot::form1041Page1;
    namespace f2 = slot::form1041Page2;
    test::ReturnFixture r;
    const std::pair<SlotRef, const char*> heading[] = {
        {f1::taxYearBeginning, "01/01/2016"},       {f1::taxYearEnding, "12/31/2016"},
        {f1::nameOfEstateOrTrust, "Wren Family Trust"}, {f1::nameAndTitleOfFiduciary, "Iris Wren, Trustee"},
        {f1::fiduciaryStreet, "8 Quay Road"},        {f1::fiduciaryCity, "Salem, MA 01970"},
        {f1::itemCEin, "04-7654321"},                {f1::itemAComplexTrust, "X"},
    };
    for (const auto& [slot, text] : heading)
        r.Set(slot, text);
    test::engine2::AddContinuationPage(r, ftInterest, {"30,000"});
    test::engine2::AddForm8949Page(r, ftForm8949D,
                                   {{"200 sh Alder Co", "03/02/2012", "09/15/2016", "10,000", "20,000", "", ""}});
    r.Set(f2::scheduleBLine9Required, "10,000");
    r.Set(f1::line24aEstimated, "1,000");
    for (double share : {0.6, 0.4})
        r.Store().BeneficiaryInterest[static_cast<size_t>(r.Store().NoOfSchedK++)] = share;
    EXPECT_TRUE(r.Settle());
    const std::string path = folder + "/two-beneficiaries.fq6";
    std::string error;
    EXPECT_TRUE(SaveClientFileAt(r.Store(), path, error)) << error;
    return path;
}

struct RoutesCase {
    const char* name;
    std::string (*client)(const std::string& folder);
    const char* forms;  // "" for the return's default selection
    std::vector<const char*> sheets;  // a phrase of each sheet, in their order
};

std::string SampleReturn(const std::string&) { return std::string(QUORVAN_SOURCE_DIR) + "/examples/sample-trust.fq6"; }
std::string FinalReturn(const std::string&) { return TestDataPath("engine3-final-return-carryovers.fq6"); }

class BothRoutes : public PrintDocument, public testing::WithParamInterface<RoutesCase> {};

// The word processor's document and the painted one give the same return: as many sheets, in
// the same order, each holding the same figures.
TEST_P(BothRoutes, PrintTheSameSheetsWithTheSameFigures)
{
    if (!test::kToolPaintsPdf)
        GTEST_SKIP() << "built without Qt: the tool paints no PDF";
    const std::string soffice = FindWriter();
    if (soffice.empty())
        GTEST_SKIP() << "LibreOffice (package libreoffice-writer-nogui) is not installed";
    const RoutesCase& c = GetParam();
    const std::string client = c.client(folder_);
    const std::string forms = *c.forms ? std::string(" --forms ") + c.forms : std::string();
    const std::string stem = folder_ + "/" + c.name;
    std::string out, err;
    ASSERT_EQ(RunCli("--print '" + stem + ".pdf'" + forms + " '" + client + "'", out, err), 0) << err;
    ASSERT_EQ(RunCli("--print '" + stem + ".rtf'" + forms + " '" + client + "'", out, err), 0) << err;
    const std::string converted = folder_ + "/converted";
    const LaunchCommand convert = PdfConversionCommand(soffice, stem + ".rtf", converted, folder_ + "/profile");
    std::string command = "'" + convert.program + "'";
    for (const std::string& argument : convert.arguments)
        command += " '" + argument + "'";
    ASSERT_EQ(std::system((command + " > /dev/null 2>&1").c_str()), 0);
    const std::string painted = stem + ".pdf";
    const std::string rtf = converted + "/" + c.name + ".pdf";

    ASSERT_EQ(PageCount(painted), static_cast<int>(c.sheets.size()));
    ASSERT_EQ(PageCount(rtf), PageCount(painted));
    size_t figures = 0;
    for (size_t i = 0; i < c.sheets.size(); ++i) {
        const int page = static_cast<int>(i) + 1;
        const std::vector<Word> paintedWords = PageWords(painted, page);
        const std::vector<Word> rtfWords = PageWords(rtf, page);
        EXPECT_NE(PageText(painted, page).find(c.sheets[i]), std::string::npos) << "sheet " << page;
        EXPECT_NE(PageText(rtf, page).find(c.sheets[i]), std::string::npos) << "sheet " << page;
        // The same sheet: nearly all its words stand on both (a caption may break at another
        // word, or lose one to a cell it outgrows).
        const std::multiset<std::string> named = WordsOf(paintedWords);
        EXPECT_GE(Shared(named, WordsOf(rtfWords)) * 100, named.size() * 97) << "sheet " << page;
        const std::multiset<std::string> amounts = AmountsOf(paintedWords);
        EXPECT_EQ(AmountsOf(rtfWords), amounts) << "sheet " << page;
        figures += amounts.size();
        // Losses in parentheses on both, never with a minus sign.
        for (const Word& w : rtfWords)
            EXPECT_FALSE(std::regex_match(w.text, std::regex(R"(-\d[\d,]*)"))) << w.text << " on sheet " << page;
    }
    EXPECT_GT(figures, 20u) << "the return's amounts were found";
}

const char* const kK1 = "Beneficiary's Share of Income";
const char* const kK1Back = "This list identifies the codes";

INSTANTIATE_TEST_SUITE_P(
    Print, BothRoutes,
    testing::Values(
        RoutesCase{"sample", SampleReturn, "",
                   {"U.S. Income Tax Return for Estates and Trusts", "Page 2", "Interest Income", "Interest Income",
                    "Ordinary Dividends", "Accumulation Distribution", "Schedule J (Form 1041) 2016", kK1, kK1Back}},
        RoutesCase{"finalReturn", FinalReturn, "1,2,5,6,9",
                   {"U.S. Income Tax Return for Estates and Trusts", "Page 2", "Capital Gains and Losses",
                    "Summary of Parts I and II", kK1, kK1Back, kK1, kK1Back}},
        RoutesCase{"twoBeneficiaries", TwoBeneficiariesWithVouchers, "1,5,6,9,13,24",
                   {"U.S. Income Tax Return for Estates and Trusts", "Capital Gains and Losses",
                    "Summary of Parts I and II", kK1, kK1Back, kK1, kK1Back, "Payment Voucher 1", "Payment Voucher 4",
                    "Purpose of Form"}}),
    [](const testing::TestParamInfo<RoutesCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvan
