// A prior-year file of any content imports without harm, or fails with a message.

#include "FuzzSupport.h"
#include "files/PriorYear.h"
#include "store/Answers.h"

#include <sstream>
#include <string>

using namespace quorvan;

namespace {

fuzz::MessageCodes messages;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    messages.Install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAnswer store;
    messages.Clear();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    if (!ReadPriorYearFile(store, in))
        fuzz::Require(!messages.Empty(), "a file that fails to import says so");
    for (int t = 0; t < kFormTypes; ++t)
        if (const int* count = store.CountField(t))
            fuzz::Require(*count >= 0 && *count <= kMaxPages, "page counts stay within the grid");
    return 0;
}
