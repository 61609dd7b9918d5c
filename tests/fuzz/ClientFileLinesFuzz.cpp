// A line lost, doubled, joined to the next or added anywhere in a good client file: the file
// either fails to read, with a message, or reads with every answer, flag, count and share in its
// place. A changed line never moves answers.

#include "FuzzSupport.h"
#include "files/ClientFile.h"
#include "store/Answers.h"

#include <sstream>
#include <string>
#include <vector>

using namespace quorvan;

namespace {

fuzz::MessageCodes messages;

// A return whose answers take the forms that could pass for one another's lines: empty answers,
// whole numbers that read as flags, amounts, text, check marks; overridden slots; pages in use.
std::string GoodFile()
{
    TAnswer store;
    store.NoOfInterest = 2;
    store.NoOfSchedK = 1;
    store.BeneficiaryInterest[0] = 0.5;
    const char* const texts[] = {"", "0", "1", "900", "1,500", "X", "Smith Trust", "", "", "-3"};
    int n = 0;
    for (int t = 0; t < kFormTypes; ++t)
        for (int k = 0; k <= kHighestPageIndex[t] && k < 3; ++k)
            for (int s = 0; s <= kSlotCount[t]; s += 3) {
                store.SetText(t, k, s, texts[n % 10]);
                store.SetOvRide(t, k, s, n % 7 == 0);
                ++n;
            }
    std::ostringstream out(std::ios::binary);
    WriteClientFile(store, out);
    return out.str();
}

std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    messages.Install();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string good = GoodFile();
    static const std::vector<std::string> goodLines = Lines(good);
    if (size < 5)
        return 0;
    const size_t position = size_t(data[0]) << 24 | size_t(data[1]) << 16 | size_t(data[2]) << 8 | data[3];
    const size_t at = position % goodLines.size();
    std::string added(reinterpret_cast<const char*>(data + 5), size - 5);
    if (added.find_first_of("\r\n") != std::string::npos)
        return 0;  // one line at a time
    std::vector<std::string> lines = goodLines;
    switch (data[4] % 4) {
    case 0:
        lines.erase(lines.begin() + static_cast<long>(at));
        break;
    case 1:
        lines.insert(lines.begin() + static_cast<long>(at), lines[at]);
        break;
    case 2:
        if (at + 1 >= lines.size())
            return 0;
        lines[at] += lines[at + 1];
        lines.erase(lines.begin() + static_cast<long>(at) + 1);
        break;
    default:
        lines.insert(lines.begin() + static_cast<long>(at), added);
        break;
    }
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";

    TAnswer store;
    messages.Clear();
    std::istringstream in(bytes, std::ios::binary);
    if (!ReadClientFile(store, in)) {
        fuzz::Require(!messages.Empty(), "a file that fails to read says so");
        return 0;
    }
    std::ostringstream out(std::ios::binary);
    WriteClientFile(store, out);
    fuzz::Require(out.str() == good, "a file that reads after a line changed holds the same return");
    return 0;
}
