#include "slot/Form1041Page1.h"
#include "slot/Interest.h"
#include "store/Answers.h"
#include "store/ScopedOpenReturn.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvan {
namespace {

namespace f1 = quorvan::slot::form1041Page1;
namespace interest = quorvan::slot::interest;

TEST(Answers, FreshStoreHasTheGridOfEveryFormType)
{
    TAnswer store;
    EXPECT_EQ(store.ProgramName, "Quorvan_16 Demo");
    EXPECT_DOUBLE_EQ(store.VersionNo, 20.07);
    EXPECT_FALSE(store.ErrFlag);
    const std::vector<int> twentyPageTypes = {9, 16, 17, 18, 19, 20, 26, 29, 30, 31, 32, 33, 34};
    for (int t = 0; t < kFormTypes; ++t) {
        const bool twenty = std::find(twentyPageTypes.begin(), twentyPageTypes.end(), t) != twentyPageTypes.end();
        const int pages = twenty ? 20 : 1;
        for (int k = 0; k < kMaxPages; ++k) {
            const bool exists = store.PAnsw->Page[t][k] != nullptr;
            EXPECT_EQ(exists, k < pages) << "type " << t << " page " << k;
        }
        const TPage& page = store.PageAt(t, 0);
        ASSERT_EQ(page.Strings.size(), static_cast<size_t>(kSlotCount[t] + 1)) << t;
        for (size_t s = 0; s < page.Strings.size(); ++s) {
            EXPECT_TRUE(page.Strings[s].empty());
            EXPECT_FALSE(page.Objects[s].OvRide);
        }
        EXPECT_EQ(store.PAnsw->PgCt[t], 0);
    }
    EXPECT_EQ(store.PageAt(ftForm1041Page1, 0).Strings.size(), 101u);
}

TEST(Answers, CountsStartAtZeroAndSharesAtMinusOne)
{
    TAnswer store;
    for (int t = 0; t < kFormTypes; ++t)
        if (const int* count = store.CountField(t)) {
            EXPECT_EQ(*count, 0) << t;
        }
    for (double share : store.BeneficiaryInterest)
        EXPECT_EQ(share, -1.0);
    EXPECT_EQ(store.InterestTotal + store.DividendTotal + store.OtherTotal + store.Other2Total, 0);
}

TEST(Answers, TextAndFlagsKeepWhatIsAssigned)
{
    TAnswer store;
    store.SetText(18, 19, 200, " (1,234) ");  // slot-check: raw, the grid itself
    store.SetOvRide(18, 19, 200, true);  // slot-check: raw, the grid itself
    EXPECT_EQ(store.Text(18, 19, 200), " (1,234) ");  // slot-check: raw, the grid itself
    EXPECT_TRUE(store.OvRide(18, 19, 200));  // slot-check: raw, the grid itself
    EXPECT_FALSE(store.OvRide(18, 18, 200));  // slot-check: raw, the grid itself
}

TEST(Answers, AddressesOutsideTheGridThrow)
{
    TAnswer store;
    EXPECT_THROW(store.Text(1, 0, 101), std::out_of_range);  // slot-check: raw, the grid itself
    EXPECT_THROW(store.Text(1, 1, f1::taxYearBeginning.slot), std::out_of_range);   // single-page type
    EXPECT_THROW(store.Text(18, 20, interest::nameOfEstateOrTrust.slot), std::out_of_range);
    EXPECT_THROW(store.Text(40, 0, 0), std::out_of_range);  // slot-check: raw, the grid itself
    EXPECT_THROW(store.SetText(-1, 0, 0, "x"), std::out_of_range);
    EXPECT_THROW(store.SetOvRide(2, 0, -1, true), std::out_of_range);  // slot-check: raw, the grid itself
}

TEST(Answers, ScopedStoreReplacesAndRestoresTheGlobal)
{
    TAnswer* before = Answers;
    {
        ScopedAnswerStore outer;
        EXPECT_EQ(Answers, outer.get());
        {
            ScopedAnswerStore inner;
            EXPECT_EQ(Answers, inner.get());
        }
        EXPECT_EQ(Answers, outer.get());
    }
    EXPECT_EQ(Answers, before);
}

TEST(Answers, ReadingAnotherReturnRestoresTheOpenOneOnEveryExit)
{
    ScopedAnswerStore open;
    TAnswer other;
    {
        const ScopedOpenReturn reading(other);
        EXPECT_EQ(Answers, &other);
    }
    EXPECT_EQ(Answers, open.get());
    EXPECT_THROW(
        {
            const ScopedOpenReturn reading(other);
            throw std::runtime_error("figures failed");
        },
        std::runtime_error);
    EXPECT_EQ(Answers, open.get());
}

TEST(Answers, OpenReturnStoreKeepsTheGlobalOnTheStoreItHolds)
{
    TAnswer* before = Answers;
    {
        OpenReturnStore open;
        TAnswer& first = open.Replace();
        EXPECT_EQ(Answers, &first);
        first.SetText(1, 0, f1::nameOfEstateOrTrust.slot, "Old Trust");
        TAnswer& second = open.Replace();
        EXPECT_EQ(Answers, &second);
        EXPECT_EQ(second.Text(1, 0, f1::nameOfEstateOrTrust.slot), "");  // a fresh store, not the old one emptied
        open.Release();
        EXPECT_EQ(Answers, nullptr);
        EXPECT_FALSE(open);

        // Freed while the global points at another store (a review's copy): that one stays.
        open.Replace();
        TAnswer copy;
        Answers = &copy;
        open.Release();
        EXPECT_EQ(Answers, &copy);
        open.Replace();
    }
    EXPECT_EQ(Answers, nullptr);  // freed with its owner
    Answers = before;
}

}  // namespace
}  // namespace quorvan
