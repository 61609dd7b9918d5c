#include "store/ContinuationPages.h"
#include "slot/Form8949ShortTerm.h"
#include "slot/Interest.h"
#include "slot/ScheduleK1.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvan {
namespace {

namespace f8949a = quorvan::slot::form8949ShortTerm;
namespace interest = quorvan::slot::interest;
namespace k1 = quorvan::slot::scheduleK1;

// Fills page k of a type with recognisable answers: slot s holds "k:s".
void FillPage(TAnswer& store, int type, int k)
{
    for (int s : {0, 1, 23, 29, 100, 200})
        store.SetText(type, k, s, std::to_string(k) + ":" + std::to_string(s));
}

TEST(ContinuationPages, NamesOfTheElevenTypes)
{
    struct Row {
        int type;
        const char* newName;
        const char* deleteName;
    };
    // type, name used by New, name used by Delete
    const Row rows[] = {
        {9, "Schedule K", "Schedule K"},
        {19, "Dividends", "Dividend"},
        {26, "Other 2% Deductions", "Other  2% Deductions"},
        {34, "Form 8949 Box F", "Form 8949 Box F"},
    };
    for (const Row& row : rows) {
        const ContinuationType* type = FindContinuationType(row.type);
        ASSERT_NE(type, nullptr) << row.type;
        EXPECT_STREQ(type->newName, row.newName);
        EXPECT_STREQ(type->deleteName, row.deleteName);
    }
    int found = 0;
    for (int t = 0; t < kFormTypes; ++t)
        found += FindContinuationType(t) != nullptr;
    EXPECT_EQ(found, 11);
    EXPECT_EQ(FindContinuationType(16), nullptr);  // twenty pages in the store, but no commands
}

TEST(ContinuationPages, AddStopsAtTwentyPages)
{
    TAnswer store;
    store.NoOfOther2 = 19;
    EXPECT_TRUE(AddContinuationPage(store, ftOther2));
    EXPECT_EQ(store.NoOfOther2, 20);
    EXPECT_FALSE(AddContinuationPage(store, ftOther2));
    EXPECT_EQ(store.NoOfOther2, 20);
    EXPECT_FALSE(AddContinuationPage(store, ftForm1041Page1));
}

TEST(ContinuationPages, DeleteMovesAnswersAndFlagsAndEmptiesTheLastPage)
{
    TAnswer store;
    for (int k = 0; k < 3; ++k)
        FillPage(store, ftInterest, k);
    store.NoOfInterest = 3;
    // The deleted page's flag must not stay behind, also on a cell beyond the page's fields.
    store.SetOvRide(ftInterest, 1, 100, true);  // slot-check: raw
    store.SetOvRide(ftInterest, 2, interest::entries::Slot(12, interest::entries::amount).slot, true);

    ASSERT_TRUE(DeleteContinuationPage(store, ftInterest, 1));
    EXPECT_EQ(store.NoOfInterest, 2);
    EXPECT_EQ(store.Text(ftInterest, 0, interest::entries::Slot(9, interest::entries::amount).slot), "0:23");
    EXPECT_EQ(store.Text(ftInterest, 1, interest::entries::Slot(9, interest::entries::amount).slot), "2:23");
    EXPECT_EQ(store.Text(ftInterest, 1, 200), "2:200");  // slot-check: raw, a cell beyond the page's fields
    EXPECT_TRUE(store.OvRide(ftInterest, 1, interest::entries::Slot(12, interest::entries::amount).slot));
    EXPECT_FALSE(store.OvRide(ftInterest, 1, 100));  // slot-check: raw, a cell beyond the page's fields
    for (int s : {0, 23, 200}) {
        EXPECT_EQ(store.Text(ftInterest, 2, s), "") << s;
        EXPECT_FALSE(store.OvRide(ftInterest, 2, s)) << s;
    }
    EXPECT_EQ(store.NoOfDividend, 0);
}

TEST(ContinuationPages, DeletingABeneficiaryMovesTheSharesAndOwnValues)
{
    TAnswer store;
    for (int k = 0; k < 3; ++k)
        FillPage(store, ftScheduleK1, k);
    store.NoOfSchedK = 3;
    SetK1Allocation(store, 0, K1Allocation::Percentage, 0.25);
    SetK1Allocation(store, 1, K1Allocation::Percentage, 0.5);
    SetK1Allocation(store, 2, K1Allocation::OwnValues, 0);

    ASSERT_TRUE(DeleteContinuationPage(store, ftScheduleK1, 0));
    EXPECT_EQ(store.NoOfSchedK, 2);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[0], 0.5);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[1], -1.0);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[2], -1.0);
    EXPECT_EQ(store.Text(ftScheduleK1, 1, k1::itemGName.slot), "2:23");
    for (int slot : kAllocatedK1Slots) {
        EXPECT_FALSE(store.OvRide(ftScheduleK1, 0, slot)) << slot;
        EXPECT_TRUE(store.OvRide(ftScheduleK1, 1, slot)) << slot;
        EXPECT_FALSE(store.OvRide(ftScheduleK1, 2, slot)) << slot;
    }
}

TEST(ContinuationPages, DeleteOfTheOnlyOrLastPage)
{
    TAnswer store;
    FillPage(store, ftForm8949C, 0);
    store.NoOf8949_C = 1;
    ASSERT_TRUE(DeleteContinuationPage(store, ftForm8949C, 0));
    EXPECT_EQ(store.NoOf8949_C, 0);
    EXPECT_EQ(store.Text(ftForm8949C, 0, f8949a::identification), "");
    EXPECT_FALSE(DeleteContinuationPage(store, ftForm8949C, 0));  // none in use: nothing to delete
    EXPECT_EQ(store.NoOf8949_C, 0);

    store.NoOf8949_C = 20;
    FillPage(store, ftForm8949C, 19);
    ASSERT_TRUE(DeleteContinuationPage(store, ftForm8949C, 19));
    EXPECT_EQ(store.NoOf8949_C, 19);
    EXPECT_EQ(store.Text(ftForm8949C, 19, f8949a::identification), "");
}

TEST(ContinuationPages, DeleteRefusesWhatIsNotAPageInUse)
{
    TAnswer store;
    store.NoOfDividend = 2;
    EXPECT_FALSE(DeleteContinuationPage(store, ftDividend, 2));
    EXPECT_FALSE(DeleteContinuationPage(store, ftDividend, -1));
    EXPECT_FALSE(DeleteContinuationPage(store, ftForm1041Page2, 0));
    EXPECT_EQ(store.NoOfDividend, 2);
}

TEST(ContinuationPages, AllocationChoiceSetsShareAndFlagsOfOnePage)
{
    TAnswer store;
    SetK1Allocation(store, 2, K1Allocation::OwnValues, 0.3);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[2], -1.0);
    for (int slot : kAllocatedK1Slots) {
        EXPECT_TRUE(store.OvRide(ftScheduleK1, 2, slot)) << slot;
        EXPECT_FALSE(store.OvRide(ftScheduleK1, 1, slot)) << slot;
        EXPECT_FALSE(store.OvRide(ftScheduleK1, 3, slot)) << slot;
    }
    EXPECT_FALSE(store.OvRide(ftScheduleK1, 2, k1::box5.slot));

    SetK1Allocation(store, 2, K1Allocation::Percentage, 0.125);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[2], 0.125);
    for (int slot : kAllocatedK1Slots)
        EXPECT_FALSE(store.OvRide(ftScheduleK1, 2, slot)) << slot;

    SetK1Allocation(store, 2, K1Allocation::Unset, 0.125);
    EXPECT_DOUBLE_EQ(store.BeneficiaryInterest[2], 0.0);
}

}  // namespace
}  // namespace quorvan
