#include "cli/Dump.h"

#include "calc/Calculate.h"
#include "store/Answers.h"

#include <algorithm>

namespace quorvan {
namespace {

// A byte that would drive a terminal (a C0 control other than a tab, DEL, or the two bytes of a
// C1 control in UTF-8) written as "\xNN" (C1: "\u00NN"): a dump shows an answer, it never
// clears a screen. Every other byte stands as it is, so a return dumps as it always has.
std::string Shown(const std::string& text)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c1 = byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c1) {
            const auto code = static_cast<unsigned char>(text[++i]);
            shown += std::string("\\u00") + digits[code >> 4] + digits[code & 0x0F];
        } else if ((byte < 0x20 && byte != '\t') || byte == 0x7F) {
            shown += std::string("\\x") + digits[byte >> 4] + digits[byte & 0x0F];
        } else {
            shown.push_back(text[i]);
        }
    }
    return shown;
}

}  // namespace

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
                       (overridden ? "*=" : "=") + Shown(page.Strings[s]) + "\n";
            }
        }
    }
    return out;
}

bool SettleReturn(TAnswer& store, int maxRuns)
{
    return CalculateSettled(store, false, nullptr, maxRuns);
}

}  // namespace quorvan
