// A client file of any content reads without harm: a file that fails says so by a message, one
// that reads holds no answer beyond the longest, and writes back to a file that reads to the same
// return. The input also picks answers drawn from the file's own header lines, put where it says:
// a return holding them writes to a file that reads back to the same answers.

#include "FuzzSupport.h"
#include "files/ClientFile.h"
#include "store/Answers.h"

#include <algorithm>
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

// A header line of a client file, as the input picks it, sometimes with a blank after it.
std::string HeaderLine(uint8_t pick, uint8_t page)
{
    switch (pick % 8) {
    case 0: return "***** Page Counts";
    case 1: return "***** Page Data";
    default: break;
    }
    const int formType = pick % kFormTypes;
    std::string line = "***** Page " + std::to_string(formType) + "; Cont " + std::to_string(page % kMaxPages);
    return pick & 0x80 ? line + " " : line;
}

// Four input bytes a slot: form type, page, slot, header. Pages in use are as the input's first
// byte counts them.
void HeaderAnswersRoundTrip(const uint8_t* data, size_t size)
{
    TAnswer store;
    if (size > 0)
        store.NoOfInterest = data[0] % (kMaxPages + 1);
    for (size_t i = 1; i + 4 <= size; i += 4) {
        const int t = data[i] % kFormTypes;
        const int* count = store.CountField(t);
        const int lastPage = count ? std::min(*count, kHighestPageIndex[t]) : 0;
        const int k = data[i + 1] % (lastPage + 1);
        const int slot = data[i + 2] % (kSlotCount[t] + 1);
        store.SetText(t, k, slot, HeaderLine(data[i + 3], data[i + 1]));
    }
    std::ostringstream out(std::ios::binary);
    fuzz::Require(WriteClientFile(store, out), "a return of header-like answers can be written");
    TAnswer again;
    messages.Clear();
    std::istringstream in(out.str(), std::ios::binary);
    fuzz::Require(ReadClientFile(again, in), "a return of header-like answers reads back");
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k <= kHighestPageIndex[t]; ++k)
            for (int slot = 0; slot <= kSlotCount[t]; ++slot)
                fuzz::Require(again.Text(t, k, slot) == store.Text(t, k, slot),
                              "every header-like answer reads back in its place");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    messages.Install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    HeaderAnswersRoundTrip(data, size);
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
