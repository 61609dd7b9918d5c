// A whole return printed from the generated templates: every page merges, LibreOffice converts
// the document, and the figures read back from the PDF stand on the right pages.

#include "print/WordProcessor.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <unistd.h>

namespace quorvan {
namespace {

using test::ReadFileBytes;
using test::RunCli;
using test::TestDataPath;

class PrintDocument : public testing::Test {
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/quorvan-printdoc-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        folder_ = folder;
    }
    void TearDown() override { std::system(("rm -rf '" + folder_ + "'").c_str()); }

    std::string Print(const std::string& output, const std::string& forms)
    {
        std::string out, err;
        const int status = RunCli("--print '" + folder_ + "/" + output + "' --forms " + forms + " '" +
                                      TestDataPath("engine3-estate-four-beneficiaries.fq6") + "'",
                                  out, err);
        EXPECT_EQ(status, 0) << err;
        return folder_ + "/" + output;
    }

    // The text of one PDF page (1-based) as pdftotext reads it.
    std::string PageText(const std::string& pdf, int page)
    {
        const std::string text = folder_ + "/page.txt";
        const std::string command = "pdftotext -layout -f " + std::to_string(page) + " -l " + std::to_string(page) +
                                    " '" + pdf + "' '" + text + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return ReadFileBytes(text);
    }

    int PageCount(const std::string& pdf)
    {
        const std::string info = folder_ + "/info.txt";
        EXPECT_EQ(std::system(("pdfinfo '" + pdf + "' > '" + info + "'").c_str()), 0);
        std::smatch match;
        const std::string text = ReadFileBytes(info);
        return std::regex_search(text, match, std::regex(R"(Pages:\s+(\d+))")) ? std::stoi(match[1]) : 0;
    }

    std::string folder_;
};

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

TEST_F(PrintDocument, PdfShowsTheReturnsFiguresOnTheirPages)
{
    if (FindWriter().empty())
        GTEST_SKIP() << "LibreOffice (package libreoffice-writer-nogui) is not installed";
    const std::string pdf = Print("return.pdf", "1,2,9");
    const int pages = PageCount(pdf);
    ASSERT_GE(pages, 3);

    // Form 1041 page 1 comes first: the estate's name, line 22 and line 23.
    const std::string first = PageText(pdf, 1);
    EXPECT_NE(first.find("U.S. Income Tax Return for Estates and Trusts"), std::string::npos);
    EXPECT_NE(first.find("Estate of Ada Brennan"), std::string::npos);
    EXPECT_TRUE(std::regex_search(first, std::regex(R"(22\s+Taxable income[^\n]*\s22\s+5,400)"))) << first;
    EXPECT_TRUE(std::regex_search(first, std::regex(R"(23\s+Total tax[^\n]*\s23\s+428)"))) << first;
    EXPECT_NE(first.find("\u2612"), std::string::npos) << "the decedent's estate box prints ticked";
    EXPECT_NE(first.find("\u2610"), std::string::npos) << "empty boxes print empty";

    // Each beneficiary's Schedule K-1 carries the estate's name and that beneficiary's interest.
    int k1Pages = 0;
    for (int page = 1; page <= pages; ++page) {
        const std::string text = PageText(pdf, page);
        if (text.find("Schedule K-1") == std::string::npos || text.find("Estate of Ada Brennan") == std::string::npos)
            continue;
        ++k1Pages;
        if (k1Pages == 1) {
            EXPECT_NE(text.find("4,364"), std::string::npos) << text;
        }
    }
    EXPECT_EQ(k1Pages, 4);
}

}  // namespace
}  // namespace quorvan
