// Whole returns settled through the driver, checked line by line against figures worked by hand
// from the 2016 IRS forms and worksheets (see tests/support/Engine2Returns.cpp).

#include "support/Engine2Returns.h"

#include <gtest/gtest.h>

namespace quorvan {
namespace {

using test::ReturnFixture;
using test::engine2::HandWorkedReturn;
using test::engine2::HandWorkedReturns;

class WholeReturn : public testing::TestWithParam<HandWorkedReturn> {};

TEST_P(WholeReturn, SettlesToTheHandWorkedFigures)
{
    const HandWorkedReturn& handWorked = GetParam();
    ReturnFixture r;
    handWorked.build(r);
    ASSERT_TRUE(r.Settle());
    for (const auto& line : handWorked.lines)
        EXPECT_EQ(r.Get(line.formType, line.page, line.slot), line.text)
            << "form type " << line.formType << " page " << line.page << " slot " << line.slot;
    EXPECT_TRUE(r.Messages().Empty()) << r.Messages().Messages().front().firstLine;
    EXPECT_FALSE(r.Store().ErrFlag);
}

INSTANTIATE_TEST_SUITE_P(Returns2016, WholeReturn, testing::ValuesIn(HandWorkedReturns()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quorvan
