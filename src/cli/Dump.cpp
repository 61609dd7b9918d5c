#include "cli/Dump.h"

#include "calc/Calculate.h"
#include "messages/Messages.h"
#include "store/Answers.h"

#include <algorithm>

namespace quorvan {

std::string DumpReturn(const TAnswer& store)
{
    std::string out;
    for (int t = 0; t < kFormTypes; ++t) {
        // Counted form types: the pages in use and the one after them, as the client file holds.
        const int* count = store.CountField(t);
        const int lastPage = count ? std::clamp(*count, 0, kHighestPageIndex[t]) : 0;
        for (int k = 0; k <= lastPage; ++k) {
            const TPage& page = store.PageAt(t, k);
            for (size_t s = 0; s < page.Strings.size(); ++s) {
                const bool overridden = page.Objects[s].OvRide;
                if (page.Strings[s].empty() && !overridden)
                    continue;
                out += std::to_string(t) + "/" + std::to_string(k) + ":" + std::to_string(s) +
                       (overridden ? "*=" : "=") + page.Strings[s] + "\n";
            }
        }
    }
    return out;
}

bool SettleReturn(TAnswer& store, int maxRuns)
{
    MessagesOnceEach once;  // each run reads the same answers: what concerns one is told once
    std::string before = DumpReturn(store);
    for (int run = 0; run < maxRuns; ++run) {
        if (!Calculate(store, false))
            return false;
        std::string after = DumpReturn(store);
        if (after == before)
            break;
        before = std::move(after);
    }
    return true;
}

}  // namespace quorvan
