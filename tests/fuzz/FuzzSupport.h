#pragma once
// Shared by the fuzz targets: messages are dropped instead of printed, and a failed invariant
// stops the run so that libFuzzer keeps the input.

#include "messages/Messages.h"

#include <cstdio>
#include <cstdlib>

namespace quorvan::fuzz {

inline void DropMessages()
{
    SetMessagePresenter([](const TMessage&) {});
}

inline void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

}  // namespace quorvan::fuzz
