// A prior-year file of any content imports without harm.

#include "FuzzSupport.h"
#include "files/PriorYear.h"
#include "store/Answers.h"

#include <sstream>
#include <string>

using namespace quorvan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::DropMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TAnswer store;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    ReadPriorYearFile(store, in);
    for (int t = 0; t < kFormTypes; ++t)
        if (const int* count = store.CountField(t))
            fuzz::Require(*count >= 0 && *count <= kMaxPages, "page counts stay within the grid");
    return 0;
}
