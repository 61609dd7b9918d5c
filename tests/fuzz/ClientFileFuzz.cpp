// A client file of any content reads without harm: a file that fails says so by a message, one
// that reads holds no answer beyond the longest, and writes back to a file that reads to the same
// return.

#include "FuzzSupport.h"
#include "files/ClientFile.h"
#include "store/Answers.h"

#include <sstream>
#include <string>

using namespace quorvan;

namespace {

fuzz::MessageCodes messages;

bool EveryAnswerFits(const TAnswer& store)
{
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k < kMaxPages; ++k)
            if (store.PAnsw->Page[t][k])
                for (const std::string& answer : store.PAnsw->Page[t][k]->Strings)
                    if (answer.size() > 4 * kMaxAnswerLength)  // UTF-8: up to four bytes a character
                        return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    messages.Install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string written;
    {
        TAnswer store;
        messages.Clear();
        std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
        if (!ReadClientFile(store, in)) {
            fuzz::Require(!messages.Empty(), "a file that fails to read says so");
            return 0;
        }
        fuzz::Require(EveryAnswerFits(store), "no answer read is longer than the longest");
        std::ostringstream out(std::ios::binary);
        fuzz::Require(WriteClientFile(store, out), "a return that was read can be written");
        written = out.str();
    }
    TAnswer again;
    std::istringstream in(written, std::ios::binary);
    fuzz::Require(ReadClientFile(again, in), "a written return reads");
    std::ostringstream out(std::ios::binary);
    WriteClientFile(again, out);
    fuzz::Require(out.str() == written, "writing a read return is stable");
    return 0;
}
