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
    std::string before = DumpReturn(*store_);
    for (int run = 0; run < 10; ++run) {
        if (!store_->Calculate(false))
            return false;
        std::string after = DumpReturn(*store_);
        if (after == before)
            return true;
        before = std::move(after);
    }
    return true;
}

}  // namespace quorvan::test
