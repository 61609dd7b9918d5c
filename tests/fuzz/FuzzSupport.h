#pragma once
// Shared by the fuzz targets: messages are dropped instead of printed, and a failed invariant
// stops the run so that libFuzzer keeps the input.

#include "messages/Messages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace quorvan::fuzz {

inline void DropMessages()
{
    SetMessagePresenter([](const TMessage&) {});
}

// The codes of the messages shown since the last Clear, instead of showing them.
class MessageCodes {
public:
    void Install()
    {
        SetMessagePresenter([this](const TMessage& message) { codes_.push_back(message.code); });
    }
    void Clear() { codes_.clear(); }
    bool Empty() const { return codes_.empty(); }
    bool Has(unsigned code) const { return std::find(codes_.begin(), codes_.end(), code) != codes_.end(); }

private:
    std::vector<unsigned> codes_;
};

inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace quorvan::fuzz
