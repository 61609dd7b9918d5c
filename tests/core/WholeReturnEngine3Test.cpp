// Whole returns that reach Schedules I, J and K-1 and the companion forms, settled through the
// driver and checked against the figures worked by hand (see tests/support/Engine3Returns.cpp);
// and the same returns as golden client files, settled by the command-line tool, whose dump must
// match the committed dump and the hand-worked figures. QUORVAN_UPDATE_GOLDEN=1 rewrites the
// client files and dumps from the builders (review the diff before committing).

#include "calc/Calculate.h"
#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "support/Engine3Returns.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace quorvan {
namespace {

namespace k1 = quorvan::slot::scheduleK1;

using test::ReturnFixture;
using test::RunCli;
using test::TestDataPath;
using test::engine3::HandWorkedReturn;
using test::engine3::HandWorkedReturns;

std::string Address(int formType, int page, int slot)
{
    return std::to_string(formType) + "/" + std::to_string(page) + ":" + std::to_string(slot);
}

// The dump lines of the form types these returns are compared on.
std::string ComparedLines(const std::string& dump)
{
    std::istringstream in(dump);
    std::string out, line;
    while (std::getline(in, line))
        if (test::engine3::ComparedFormType(std::atoi(line.c_str())))
            out += line + "\n";
    return out;
}

// Every "T/K:S=TEXT" (or "T/K:S*=TEXT") line of a dump by its address.
std::map<std::string, std::string> AnswersOf(const std::string& dump)
{
    std::map<std::string, std::string> answers;
    std::istringstream in(dump);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        std::string address = line.substr(0, equals);
        if (!address.empty() && address.back() == '*')
            address.pop_back();
        answers[address] = line.substr(equals + 1);
    }
    return answers;
}

class WholeReturnEngine3 : public testing::TestWithParam<HandWorkedReturn> {};

TEST_P(WholeReturnEngine3, SettlesToTheHandWorkedFigures)
{
    const HandWorkedReturn& handWorked = GetParam();
    ReturnFixture r;
    handWorked.build(r);
    ASSERT_TRUE(r.Settle());
    for (const auto& line : handWorked.lines)
        EXPECT_EQ(r.Get(line.formType, line.page, line.slot), line.text) << Address(line.formType, line.page, line.slot);
    EXPECT_TRUE(r.Messages().Empty()) << r.Messages().Messages().front().firstLine;
    EXPECT_FALSE(r.Store().ErrFlag);
    // Settled means settled: one more recalculation changes nothing.
    const std::string settled = DumpReturn(r.Store());
    ASSERT_TRUE(Calculate(r.Store(), false));
    EXPECT_EQ(DumpReturn(r.Store()), settled);
}

void WriteGoldenFiles(const HandWorkedReturn& handWorked)
{
    std::string dump;
    {
        ReturnFixture r;
        handWorked.build(r);
        std::string error;
        ASSERT_TRUE(SaveClientFileAt(r.Store(), TestDataPath(handWorked.fileName + ".fq6"), error)) << error;
        ASSERT_TRUE(r.Settle());
        dump = ComparedLines(DumpReturn(r.Store()));
    }
    std::ofstream(TestDataPath(handWorked.fileName + ".dump"), std::ios::binary) << dump;
}

TEST_P(WholeReturnEngine3, CommandLineDumpMatchesTheGoldenDumpAndTheHandWorkedFigures)
{
    const HandWorkedReturn& handWorked = GetParam();
    if (std::getenv("QUORVAN_UPDATE_GOLDEN"))
        WriteGoldenFiles(handWorked);

    std::string out, err;
    ASSERT_EQ(RunCli("--dump '" + TestDataPath(handWorked.fileName + ".fq6") + "'", out, err), 0) << err;
    EXPECT_EQ(err, "");
    EXPECT_EQ(ComparedLines(out), test::ReadFileBytes(TestDataPath(handWorked.fileName + ".dump")));

    const auto answers = AnswersOf(out);
    for (const auto& line : handWorked.lines) {
        const std::string address = Address(line.formType, line.page, line.slot);
        const auto found = answers.find(address);
        EXPECT_EQ(found == answers.end() ? std::string() : found->second, line.text) << address;
    }
}

INSTANTIATE_TEST_SUITE_P(Returns2016, WholeReturnEngine3, testing::ValuesIn(HandWorkedReturns()),
                         [](const auto& info) { return info.param.name; });

// The driver figures the K-1 pages in use only; a page beyond them keeps what it holds.
TEST(WholeReturnEngine3K1Pages, PageBeyondThoseInUseIsLeftAlone)
{
    ReturnFixture r;
    HandWorkedReturns().front().build(r);
    r.Set(k1::box1Interest, 4, "left over");
    ASSERT_TRUE(r.Settle());
    EXPECT_EQ(r.Get(k1::box1Interest, 4), "left over");
    EXPECT_EQ(r.Get(k1::itemBName, 4), "");
}

}  // namespace
}  // namespace quorvan
