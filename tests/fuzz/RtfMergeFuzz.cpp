// The print merge over any template text with any answers: never a crash, the document stays
// pure 7-bit text, and no control character of an answer reaches it. The input is the template, a NUL byte, then answers one per line.

#include "FuzzSupport.h"
#include "print/RtfMerge.h"
#include "store/Answers.h"

#include <string>

using namespace quorvan;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::DropMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string templateText = input.substr(0, split);
    const std::string answers = split == std::string::npos ? std::string() : input.substr(split + 1);

    TAnswer store;
    size_t start = 0;
    for (int slot = 0; slot <= kSlotCount[ftForm1041Page1] && start <= answers.size(); ++slot) {
        const size_t end = std::min(answers.find('\n', start), answers.size());
        store.SetText(ftForm1041Page1, 0, slot, answers.substr(start, end - start));
        store.SetOvRide(ftForm1041Page1, 0, slot, slot % 3 == 0);
        start = end + 1;
    }
    TRtfMerge merge(PrintFolders{QUORVAN_FUZZ_PRINT_DIR "/RTF", QUORVAN_FUZZ_PRINT_DIR "/DAT"});
    merge.SetPageText(templateText);
    merge.MergePage(store, ftForm1041Page1, 0);
    for (size_t i = 1; i < 8 && i < templateText.size(); ++i)
        merge.GetNumFromText(i * templateText.size() / 8);
    for (unsigned char c : SevenBitRtf(merge.PageText()))
        fuzz::Require(c < 128, "the print file is 7-bit text");
    for (unsigned char c : RtfText(answers))
        fuzz::Require(c >= 0x20 && c != 0x7F, "no control character of an answer reaches the document");
    return 0;
}
