// The recalculation driver: order, stop checks, continuation totals and the screen hooks.

#include "calc/Calculate.h"
#include "cli/Dump.h"
#include "files/ClientFile.h"
#include "store/Answers.h"
#include "support/Engine3Returns.h"
#include "support/ReturnFixture.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;

using test::ReturnFixture;

class RecordingHooks : public CalculateHooks {
public:
    std::string calls;
    void StoreControls() override { calls += "store;"; }
    void BeginBusy() override { calls += "busy;"; }
    void EndBusy() override { calls += "idle;"; }
    void ShowAnswers() override { calls += "show;"; }
};

// Makes every access to a slot of page [t/k] above `slots` fail, as a damaged page would.
void Damage(TAnswer& store, int t, int k, size_t slots)
{
    store.PageAt(t, k).Strings.resize(slots);
}

TEST(Calculate, EmptyReturnCompletesWithZeroTotals)
{
    ReturnFixture r;
    r.Store().InterestTotal = 99;
    RecordingHooks hooks;
    EXPECT_TRUE(Calculate(r.Store(), false, &hooks));
    EXPECT_EQ(hooks.calls, "busy;idle;show;");
    EXPECT_EQ(r.Store().InterestTotal, 0);
    EXPECT_EQ(r.Store().DividendTotal, 0);
    EXPECT_EQ(r.Store().OtherTotal, 0);
    EXPECT_EQ(r.Store().Other2Total, 0);
    EXPECT_FALSE(r.Store().ErrFlag);
}

TEST(Calculate, ComponentTransferStoresThePageFirst)
{
    ReturnFixture r;
    RecordingHooks hooks;
    Calculate(r.Store(), true, &hooks);
    EXPECT_EQ(hooks.calls, "store;busy;idle;show;");
}

TEST(Calculate, FailingCalculatorStopsTheRunAndLeavesThePageOnScreen)
{
    ReturnFixture r;
    r.Set(f1::line24aEstimated, "5,000");      // line 24c reads it after Form 1041-T, which fails
    Damage(r.Store(), ftForm1041T, 0, 5);
    RecordingHooks hooks;
    EXPECT_FALSE(Calculate(r.Store(), false, &hooks));
    EXPECT_TRUE(r.Store().ErrFlag);
    EXPECT_EQ(hooks.calls, "busy;idle;");
    const std::vector<unsigned> codes = r.Messages().Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), 29157u);       // Form 1041-T's calculator, which runs before line 24
    EXPECT_EQ(r.Get(f1::line24c), "");  // line 24c was never reached
    EXPECT_EQ(r.Get(f1::itemBSchedulesK1), "0"); // row 1 ran
}

TEST(Calculate, NextRunClearsTheErrorFlag)
{
    ReturnFixture r;
    Damage(r.Store(), ftForm1041T, 0, 5);
    EXPECT_FALSE(Calculate(r.Store(), false));
    r.Store().PageAt(ftForm1041T, 0).Strings.resize(kSlotCount[ftForm1041T] + 1);
    EXPECT_TRUE(Calculate(r.Store(), false));
    EXPECT_FALSE(r.Store().ErrFlag);
}

TEST(Calculate, DamagedCountsNeverReachBeyondTheGrid)
{
    ReturnFixture r;
    r.Store().NoOfInterest = 25;
    r.Store().NoOfSchedK = -4;
    r.Store().NoOf8949_F = 1000;
    for (int k = 0; k < kMaxPages; ++k)
        r.Set(interest::entries::Slot(0, interest::entries::amount), k, "10");
    Calculate(r.Store(), false);
    EXPECT_EQ(r.Store().InterestTotal, 200);
}

// One recalculation settles what a recalculation figures: a second run over its result changes
// nothing, on a blank return as on a filled one.
TEST(Calculate, ASecondRunChangesNothing)
{
    for (const std::string& path : {std::string(), std::string(QUORVAN_SOURCE_DIR) + "/examples/sample-trust.fq6"}) {
        ReturnFixture r;
        if (!path.empty()) {
            ASSERT_TRUE(ReadClientFileAt(r.Store(), path)) << path;
        }
        ASSERT_TRUE(Calculate(r.Store(), false));
        const std::string first = DumpReturn(r.Store());
        ASSERT_TRUE(Calculate(r.Store(), false));
        EXPECT_EQ(DumpReturn(r.Store()), first) << (path.empty() ? "blank return" : path);
    }
}

// The hand-worked returns typed afresh: some lines of a first run read figures a later
// calculator writes, so one run may leave the return a step behind; the settled recalculation
// the window runs leaves nothing for a further run to change, and shows the answers again only
// when its further runs changed them.
TEST(Calculate, SettledRecalculationLeavesNothingBehind)
{
    bool oneRunLagged = false;
    for (const test::engine3::HandWorkedReturn& worked : test::engine3::HandWorkedReturns()) {
        std::string oneRun;
        {
            ReturnFixture r;
            worked.build(r);
            ASSERT_TRUE(Calculate(r.Store(), false)) << worked.name;
            oneRun = DumpReturn(r.Store());
            ASSERT_TRUE(Calculate(r.Store(), false)) << worked.name;
            oneRunLagged = oneRunLagged || DumpReturn(r.Store()) != oneRun;
        }
        ReturnFixture r;
        worked.build(r);
        RecordingHooks hooks;
        ASSERT_TRUE(CalculateSettled(r.Store(), false, &hooks)) << worked.name;
        const std::string settled = DumpReturn(r.Store());
        EXPECT_EQ(hooks.calls, settled == oneRun ? "busy;idle;show;" : "busy;idle;show;show;") << worked.name;
        ASSERT_TRUE(Calculate(r.Store(), false)) << worked.name;
        EXPECT_EQ(DumpReturn(r.Store()), settled) << worked.name;
    }
    EXPECT_TRUE(oneRunLagged);  // else this test shows nothing
}

TEST(Calculate, OnlyTheOpenReturnIsRecalculated)
{
    ReturnFixture r;
    TAnswer other;
    RecordingHooks hooks;
    EXPECT_FALSE(Calculate(other, true, &hooks));
    EXPECT_EQ(hooks.calls, "");
}

}  // namespace
}  // namespace quorvan
