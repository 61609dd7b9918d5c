// Building the print document of every page of a full return: every check box ticked, every
// continuation and K-1 page in use, every slot of every page a template variable with an answer.
// Budget: well under 100 ms.

#include "print/FormSelect.h"
#include "print/RtfMerge.h"
#include "store/Answers.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace quorvan;
namespace fs = std::filesystem;

// A template shaped like the generated ones: a header, then each field in a positioned frame
// with its caption, the variable split across lines now and then.
std::string SyntheticTemplate(int formType)
{
    std::string text =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\r\n{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f2\\fnil\\fcharset2 Wingdings;}}\r\n{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
        "\\paperw12240\\paperh15840\\margl360\\margr360\\margt360\\margb360\\pard\\plain\\f0\\fs16 "
        "Form page " + std::to_string(formType) + "\\v\\'b7\\v0\r\n";
    static const char types[] = "$*%&^@$#+<";
    for (int slot = 0; slot <= kSlotCount[static_cast<size_t>(formType)]; ++slot) {
        const std::string variable = std::string("/") + types[slot % 10] + std::to_string(slot) + "/";
        text += "\\pard\\pvpg\\phpg\\posx" + std::to_string(360 + slot % 4 * 2800) + "\\posy" +
                std::to_string(360 + slot / 4 * 240) + "\\absw2600\\fs16 Line " + std::to_string(slot) +
                " caption text of the form\\tab ";
        text += slot % 7 == 0 ? variable.substr(0, 3) + "\r\n" + variable.substr(3) : variable;
        text += "\\par\r\n";
    }
    return text + "}\r\n";
}

class FullReturn {
public:
    FullReturn()
    {
        char pattern[] = "/tmp/quorvan_16-printbench-XXXXXX";
        folder_ = mkdtemp(pattern);
        fs::create_directories(folder_ + "/RTF");
        fs::create_directories(folder_ + "/DAT");
        for (const PrintBox& box : PrintBoxes()) {
            const int t = TemplateFormType(box.formType);
            std::ofstream(folder_ + "/RTF/page" + std::to_string(t) + ".rtf", std::ios::binary) << SyntheticTemplate(t);
            std::ofstream dat(folder_ + "/DAT/PAGE" + std::to_string(t) + ".DAT", std::ios::binary);
            for (int line = 0; line < 200; ++line)
                dat << line << " 1 2 0.5 1.5 2.5 " << line << "\r\n";
        }
        for (int t = 1; t < kFormTypes; ++t)
            for (int k = 0; k <= kHighestPageIndex[static_cast<size_t>(t)]; ++k)
                for (int s = 0; s <= kSlotCount[static_cast<size_t>(t)]; ++s)
                    store_->SetText(t, k, s, s % 10 == 2 ? "0.0825" : s % 10 == 3 ? "X" : s % 10 == 4 ? "1/5/2016" : "12,345");
        for (int t : PrintOrder())
            if (int* count = store_->CountField(t))
                *count = kHighestPageIndex[static_cast<size_t>(t)] + 1;
        selection_.SelectAll();
    }
    ~FullReturn() { fs::remove_all(folder_); }

    std::string folder_;
    ScopedAnswerStore store_;
    PrintSelection selection_;
};

void BM_BuildDocumentOfEveryPage(benchmark::State& state)
{
    FullReturn full;
    const std::vector<PrintPage> pages = PagesToPrint(full.selection_, *full.store_);
    size_t bytes = 0;
    for (auto _ : state) {
        TRtfMerge merge({full.folder_ + "/RTF", full.folder_ + "/DAT"});
        if (!merge.BuildDocument(*full.store_, pages))
            state.SkipWithError("the document was not built");
        bytes = merge.Document().size();
        benchmark::DoNotOptimize(merge.Document().data());
    }
    state.counters["pages"] = static_cast<double>(pages.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_BuildDocumentOfEveryPage)->Unit(benchmark::kMillisecond);

}  // namespace
