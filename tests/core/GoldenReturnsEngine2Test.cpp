// Golden client files of two hand-worked returns, settled by the command-line tool: its dump of
// the tax computation, Schedule D, Form 8949 and worksheet pages must match the committed dump
// and the figures worked by hand. Setting QUORVAN_UPDATE_GOLDEN=1 rewrites both files from the
// return builders (review the diff before committing).

#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace quorvan {
namespace {

using test::ReturnFixture;
using test::RunCli;
using test::TestDataPath;
using test::engine2::HandWorkedReturnNamed;

// The pages these calculators fill; the dump is compared on them only, so that the lines of
// Schedules I, J and K-1 and the companion forms have their own tests.
const std::set<int> kComparedFormTypes = {
    ftForm1041Page1, ftForm1041Page2, ftScheduleDPage1, ftScheduleDPage2, ftInterest, ftDividend,
    ftOtherDeductions, ftUnrecaptured1250, ftScheduleDTaxWorksheet, ftQualifiedDividendsWorksheet,
    ftCapitalLossCarryover, ftOther2, ftRate28Worksheet, ftForm8949A, ftForm8949B, ftForm8949C,
    ftForm8949D, ftForm8949E, ftForm8949F, ftForm8960,
};

std::string ComparedLines(const std::string& dump)
{
    std::istringstream in(dump);
    std::string out, line;
    while (std::getline(in, line)) {
        if (kComparedFormTypes.count(std::atoi(line.c_str())))
            out += line + "\n";
    }
    return out;
}

// "T/K:S=TEXT" (or "T/K:S*=TEXT") lines by their address "T/K:S".
std::map<std::string, std::string> Answers(const std::string& dump)
{
    std::map<std::string, std::string> answers;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        std::string address = line.substr(0, equals);
        if (!address.empty() && address.back() == '*')
            address.pop_back();
        answers[address] = line.substr(equals + 1);
    }
    return answers;
}

void WriteGoldenFiles(const std::string& name, const std::string& fileName)
{
    std::string dump;
    {
        ReturnFixture r;
        HandWorkedReturnNamed(name).build(r);
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(r.Store(), TestDataPath(fileName + ".fq6"), error)) << error;
        ASSERT_TRUE(r.Settle());
        dump = ComparedLines(DumpReturn(r.Store()));
    }
    std::ofstream(TestDataPath(fileName + ".dump"), std::ios::binary) << dump;
}

struct GoldenCase {
    const char* returnName;
    const char* fileName;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.returnName; }

class GoldenReturn : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenReturn, CommandLineDumpMatchesTheCommittedDumpAndTheHandWorkedFigures)
{
    const GoldenCase& golden = GetParam();
    if (std::getenv("QUORVAN_UPDATE_GOLDEN"))
        WriteGoldenFiles(golden.returnName, golden.fileName);

    std::string out, err;
    ASSERT_EQ(RunCli("--dump '" + TestDataPath(std::string(golden.fileName) + ".fq6") + "'", out, err), 0) << err;
    EXPECT_EQ(err, "");
    const std::string compared = ComparedLines(out);
    EXPECT_EQ(compared, test::ReadFileBytes(TestDataPath(std::string(golden.fileName) + ".dump")));

    const auto answers = Answers(compared);
    for (const auto& line : HandWorkedReturnNamed(golden.returnName).lines) {
        const std::string address =
            std::to_string(line.formType) + "/" + std::to_string(line.page) + ":" + std::to_string(line.slot);
        const auto found = answers.find(address);
        EXPECT_EQ(found == answers.end() ? std::string() : found->second, line.text) << address;
    }
}

// name | return | file (without extension)
const GoldenCase kGoldenCases[] = {
    {"Rate28GainWithDividends", "engine2-rate28-gain-trust"},
    {"SteppedUpBasisWithDividends", "engine2-stepped-up-basis-estate"},
};

INSTANTIATE_TEST_SUITE_P(Returns2016, GoldenReturn, testing::ValuesIn(kGoldenCases),
                         [](const auto& info) { return std::string(info.param.returnName); });

}  // namespace
}  // namespace quorvan
