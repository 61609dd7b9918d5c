// quorvan_16-calc --check: one finding a line (severity, form, line and text between tabs), exit
// status 5 when the review finds an error and 0 when it finds none.

#include "files/ClientFile.h"
#include "store/Answers.h"
#include "support/MessageRecorder.h"
#include "slot/Form1041Page1.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace k1 = quorvan::slot::scheduleK1;

using test::RunCli;

const std::string kSample = std::string(QUORVAN_SOURCE_DIR) + "/examples/sample-trust.fq6";

// The sample return with a change of its own, saved in a fresh temporary folder.
class PlantedReturn {
public:
    explicit PlantedReturn(const std::function<void(TAnswer&)>& plant)
    {
        char folder[] = "/tmp/quorvan-check-XXXXXX";
        folder_ = mkdtemp(folder);
        path_ = folder_ + "/planted.fq6";
        test::MessageRecorder messages;
        ScopedAnswerStore store;
        EXPECT_TRUE(ReadClientFileAt(*store, kSample));
        plant(*store);
        std::string error;
        EXPECT_TRUE(SaveClientFileAt(*store, path_, error)) << error;
    }
    ~PlantedReturn()
    {
        std::remove(path_.c_str());
        rmdir(folder_.c_str());
    }
    std::string Argument() const { return "'" + path_ + "'"; }

private:
    std::string folder_;
    std::string path_;
};

TEST(ReviewCli, CleanSampleReturnPassesTheCheck)
{
    std::string out, err;
    EXPECT_EQ(RunCli("--check '" + kSample + "'", out, err), 0) << out << err;
    EXPECT_EQ(out.find("error\t"), std::string::npos) << out;
}

TEST(ReviewCli, PrintsEachFindingOnALineAndExitsWithFiveOnAnError)
{
    PlantedReturn planted([](TAnswer& store) {
        store.SetText(ftForm1041Page1, 0, f1::itemCEin.slot, "461234567");
        store.SetText(ftForm1041Page1, 0, f1::line20Exemption.slot, "300");
        store.SetOvRide(ftForm1041Page1, 0, f1::line20Exemption.slot, true);
    });
    std::string out, err;
    EXPECT_EQ(RunCli("--check " + planted.Argument(), out, err), 5) << err;
    EXPECT_EQ(out,
              "error\tForm 1041\titem C\tThe employer identification number \"461234567\" is not of the form 12-3456789.\n"
              "note\tForm 1041\tline 20\tOverridden: 300 typed, 100 computed.\n");
}

TEST(ReviewCli, WarningsAndNotesAloneExitWithZero)
{
    PlantedReturn planted([](TAnswer& store) {
        store.SetText(ftScheduleK1, 0, k1::itemGName.slot, "");
        store.SetText(ftForm1041Page1, 0, f1::line20Exemption.slot, "300");
        store.SetOvRide(ftForm1041Page1, 0, f1::line20Exemption.slot, true);
    });
    std::string out, err;
    EXPECT_EQ(RunCli("--check " + planted.Argument(), out, err), 0) << err;
    EXPECT_EQ(out,
              "warning\tSchedule K-1, beneficiary 1\titem G\tThe beneficiary's name is missing.\n"
              "note\tForm 1041\tline 20\tOverridden: 300 typed, 100 computed.\n");
}

TEST(ReviewCli, UsageNamesTheCheckAndItsExitStatus)
{
    std::string out, err;
    EXPECT_EQ(RunCli("--check", out, err), 2);
    EXPECT_NE(err.find("[--check]"), std::string::npos) << err;
    EXPECT_NE(err.find("5 the review found an error"), std::string::npos) << err;
}

}  // namespace
}  // namespace quorvan
