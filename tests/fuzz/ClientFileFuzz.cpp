// A client file of any content reads without harm; one that reads writes back to a file that
// reads to the same return.

#include "FuzzSupport.h"
#include "files/ClientFile.h"
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
    std::string written;
    {
        TAnswer store;
        std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
        if (!ReadClientFile(store, in))
            return 0;
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
