// quorvan_16-calc --print: the document of a settled return as an RTF file, and as a PDF the
// print engine paints, read back with pdftotext.

#include "files/ClientFile.h"

#include "support/PrintTempFolder.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace k1 = quorvan::slot::scheduleK1;

using test::PrintTempFolder;
using test::ReadFileBytes;
using test::ReturnFixture;
using test::RunCli;
using test::TestDataPath;

const std::string kTypedName = "Zo\xC3\xAB {Trust} \\ Co";  // as typed, in UTF-8

class PrintCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture_.Set(f1::nameOfEstateOrTrust, kTypedName);
        fixture_.Set(f1::itemDDateCreated, "1/5/2016");
        fixture_.Set(f1::itemFFinalReturn, "X");
        fixture_.Set(k1::itemFIdentifyingNumber, "Ann");
        fixture_.Set(k1::itemFIdentifyingNumber, 1, "Ben");
        fixture_.Store().NoOfSchedK = 2;
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(fixture_.Store(), client_, error)) << error;
    }

    int Run(const std::string& options)
    {
        return RunCli(options + " '" + client_ + "'", out_, err_);
    }

    PrintTempFolder temp_;
    ReturnFixture fixture_;
    const std::string client_ = temp_.PathOf("trust.fq6");
    const std::string data_ = " --data '" + TestDataPath("print") + "'";
    std::string out_, err_;
};

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST_F(PrintCli, WritesTheDefaultFormsAsSevenBitRtf)
{
    const std::string rtf = temp_.PathOf("return.rtf");
    ASSERT_EQ(Run("--print '" + rtf + "'" + data_), 0) << err_;

    const std::string document = ReadFileBytes(rtf);
    EXPECT_EQ(document.rfind("{\\rtf1", 0), 0u);
    EXPECT_NE(document.find("Zo\\u235\\'eb \\{Trust\\} \\\\ Co"), std::string::npos);
    EXPECT_NE(document.find("January 5, 2016"), std::string::npos);
    EXPECT_NE(document.find("(\\'a7 645)"), std::string::npos);  // a template byte above 127
    EXPECT_NE(document.find("Beneficiary: Ann"), std::string::npos);
    EXPECT_NE(document.find("Beneficiary: Ben"), std::string::npos);
    EXPECT_EQ(Count(document, "\\pagebb "), 3u);  // pages 1 and 2 of Form 1041, two K-1s
    for (const char c : document)
        ASSERT_LT(static_cast<unsigned char>(c), 0x80u);
}

TEST_F(PrintCli, FormsOptionChoosesTheFormTypes)
{
    const std::string rtf = temp_.PathOf("k1.rtf");
    ASSERT_EQ(Run("--print '" + rtf + "' --forms 9" + data_), 0) << err_;
    const std::string document = ReadFileBytes(rtf);
    EXPECT_NE(document.find("Schedule K-1"), std::string::npos);  // the first page keeps its header
    EXPECT_EQ(document.find("Name of estate"), std::string::npos);
    EXPECT_EQ(Count(document, "\\pagebb "), 1u);
}

struct CliFailure {
    const char* name;
    const char* options;  // before the client file; "@DATA" is the fixture data option
    int exitStatus;
    const char* error;    // part of standard error
};

class PrintCliFailures : public PrintCli, public ::testing::WithParamInterface<CliFailure> {};

TEST_P(PrintCliFailures, ExitWithTheirStatus)
{
    std::string options = GetParam().options;
    if (!test::kToolPaintsPdf && options.find(".pdf") != std::string::npos)
        GTEST_SKIP() << "built without Qt: the tool paints no PDF";
    const size_t data = options.find("@DATA");
    if (data != std::string::npos)
        options.replace(data, 5, data_);
    EXPECT_EQ(Run(options), GetParam().exitStatus);
    EXPECT_NE(err_.find(GetParam().error), std::string::npos) << err_;
}

// name, options, exit status, part of standard error
const CliFailure kCliFailures[] = {
    {"FormTypeNotPrintable", "--print /tmp/x.rtf --forms 1,17 @DATA", 2, "17 is no printable form type"},
    {"EmptyFormInList", "--print /tmp/x.rtf --forms 1,,2 @DATA", 2, "empty form type"},
    {"FormsWithoutPrint", "--forms all", 2, "--forms and --data go with --print"},
    {"TemplateMissing", "--print /tmp/x.rtf --forms 1,3 @DATA", 4, "11130: 1113-"},
    {"NoTemplatesAtAll", "--print /tmp/x.rtf --data /nonexistent", 4, "11140: 1114-"},
    {"OutputNotWritable", "--print /nonexistent/x.rtf @DATA", 4, "Cannot write in the folder of /nonexistent/x.rtf"},
    {"PdfWithoutPrintLayouts", "--print /nonexistent/x.pdf @DATA", 4, "LAY/page1.lay cannot be read: it does not exist"},
    {"PdfNotWritable", "--print /nonexistent/x.pdf", 4, "Cannot write in the folder of /nonexistent/x.pdf"},
};

INSTANTIATE_TEST_SUITE_P(Print, PrintCliFailures, ::testing::ValuesIn(kCliFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// The PDF is painted from the build's print layouts (no word processor), readable by its owner only.
TEST_F(PrintCli, PdfIsPaintedWithWhatWasTypedAndKeptPrivate)
{
    if (!test::kToolPaintsPdf)
        GTEST_SKIP() << "built without Qt: the tool paints no PDF";
    const std::string pdf = temp_.PathOf("return.pdf");
    ASSERT_EQ(Run("--print '" + pdf + "' --forms 1,2,9"), 0) << err_;
    EXPECT_EQ(err_, "");
    struct stat status {};
    ASSERT_EQ(stat(pdf.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    const std::string text = temp_.PathOf("return.txt");
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + pdf + "' '" + text + "'").c_str()), 0);
    const std::string printed = ReadFileBytes(text);
    EXPECT_NE(printed.find(kTypedName), std::string::npos) << printed;
    EXPECT_NE(printed.find("1/5/2016"), std::string::npos);
    EXPECT_NE(printed.find("Ann"), std::string::npos);
    EXPECT_NE(printed.find("Ben"), std::string::npos);
    EXPECT_NE(printed.find("Tax-exempt income"), std::string::npos);  // page 2 made it
}

}  // namespace
}  // namespace quorvan
