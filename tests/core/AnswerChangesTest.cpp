#include "store/AnswerChanges.h"

#include "files/ClientFile.h"
#include "slot/Form1041Page1.h"
#include "slot/Interest.h"
#include "slot/ScheduleK1.h"
#include "store/ContinuationPages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;
namespace k1 = quorvan::slot::scheduleK1;

// The client file a store writes: what "byte for byte" means for a return.
std::string FileText(TAnswer& store)
{
    std::ostringstream out;
    EXPECT_TRUE(WriteClientFile(store, out));
    return out.str();
}

// A return with a little of everything: an entry, an overridden amount, two interest pages with
// their total, and a K-1 with a share.
void FillReturn(TAnswer& store)
{
    store.SetText(ftForm1041Page1, 0, f1::line3Business.slot, "1,200");
    store.SetText(ftForm1041Page1, 0, f1::line9TotalIncome.slot, "900");
    store.SetOvRide(ftForm1041Page1, 0, f1::line9TotalIncome.slot, true);
    store.NoOfInterest = 2;
    store.SetText(ftInterest, 1, interest::entries::Slot(0, interest::entries::amount).slot, "40");
    store.InterestTotal = 40;
    store.NoOfSchedK = 1;
    SetK1Allocation(store, 0, K1Allocation::Percentage, 0.25);
}

TEST(AnswerChanges, AStepReadsAsItsChangesAndGoesBothWays)
{
    TAnswer store;
    FillReturn(store);
    AnswerSnapshot last;
    last.Take(store);
    const std::string before = FileText(store);

    // One step: a typed amount, an override cancelled, a page added, a share changed.
    store.SetText(ftForm1041Page1, 0, f1::line3Business.slot, "99,999,999,999,999");
    store.SetOvRide(ftForm1041Page1, 0, f1::line9TotalIncome.slot, false);
    store.NoOfInterest = 3;
    store.BeneficiaryInterest[0] = 0.4;
    const AnswerChanges changes = last.ChangesTo(store);
    const std::string after = FileText(store);

    ASSERT_EQ(changes.answers.size(), 2u);
    const AnswerChange& typed = changes.answers[0];
    EXPECT_EQ(typed.formType, ftForm1041Page1);
    EXPECT_EQ(typed.slot, f1::line3Business.slot);
    EXPECT_EQ(typed.before, "1,200");
    EXPECT_EQ(typed.after, "99,999,999,999,999");
    const AnswerChange& flag = changes.answers[1];
    EXPECT_EQ(flag.slot, f1::line9TotalIncome.slot);
    EXPECT_EQ(flag.before, flag.after);
    EXPECT_TRUE(flag.overriddenBefore);
    EXPECT_FALSE(flag.overriddenAfter);
    ASSERT_EQ(changes.figures.size(), 2u);  // the interest page count and the share

    ApplyChanges(store, changes, ChangeSide::Before);
    EXPECT_EQ(FileText(store), before);
    EXPECT_EQ(store.BeneficiaryInterest[0], 0.25);
    ApplyChanges(store, changes, ChangeSide::After);
    EXPECT_EQ(FileText(store), after);
    EXPECT_EQ(store.NoOfInterest, 3);
}

TEST(AnswerChanges, TheCopyFollowsWhatItIsGiven)
{
    TAnswer store;
    AnswerSnapshot last;
    last.Take(store);
    EXPECT_TRUE(last.ChangesTo(store).empty());

    FillReturn(store);
    const AnswerChanges filled = last.ChangesTo(store);
    EXPECT_FALSE(filled.empty());
    last.Apply(filled, ChangeSide::After);
    EXPECT_TRUE(last.ChangesTo(store).empty());

    // Put back to before: the copy reads the filled return as the change once more.
    last.Apply(filled, ChangeSide::Before);
    EXPECT_EQ(last.ChangesTo(store).answers.size(), filled.answers.size());
}

// A share a damaged file left as NaN never equals itself; it must still be no change.
TEST(AnswerChanges, FiguresCompareBitForBit)
{
    TAnswer store;
    store.BeneficiaryInterest[3] = std::nan("");
    AnswerSnapshot last;
    last.Take(store);
    EXPECT_TRUE(last.ChangesTo(store).empty());
    store.BeneficiaryInterest[3] = 0;
    ASSERT_EQ(last.ChangesTo(store).figures.size(), 1u);
}

}  // namespace
}  // namespace quorvan
