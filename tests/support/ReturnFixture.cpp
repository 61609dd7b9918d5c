#include "support/ReturnFixture.h"

#include "cli/Dump.h"

namespace quorvan::test {

void ReturnFixture::Override(int t, int k, int s, const std::string& text)
{
    store_->SetText(t, k, s, text);
    store_->SetOvRide(t, k, s, true);
}

bool ReturnFixture::Settle()
{
    return SettleReturn(*store_, 10);
}

}  // namespace quorvan::test
