#include "cli/PrintOutput.h"

#include "cli/PdfOutput.h"
#include "files/Folders.h"
#include "print/PaintedLayout.h"
#include "print/RtfMerge.h"
#include "print/WordProcessor.h"
#include "store/Answers.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvan {
namespace {

namespace fs = std::filesystem;

bool EndsWithNoCase(const std::string& text, const std::string& end)
{
    if (text.size() < end.size())
        return false;
    for (size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
            return false;
    return true;
}

}  // namespace

bool ParseFormList(const std::string& list, PrintSelection& selection, std::string& problem)
{
    selection.ClearAll();
    if (list == "all") {
        selection.SelectAll();
        return true;
    }
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string::npos)
            end = list.size();
        const std::string code = list.substr(start, end - start);
        const bool digits = !code.empty() && code.size() <= 2 &&
                            code.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || !PrintBoxFor(std::atoi(code.c_str()))) {
            problem = "--forms: " + (code.empty() ? std::string("empty form type") : code + " is no printable form type");
            return false;
        }
        selection.SetTicked(std::atoi(code.c_str()), true);
        start = end + 1;
    }
    return true;
}

std::string FindDataFolder(const std::string& given, const std::string& executable)
{
    if (!given.empty())
        return given;
    std::error_code error;
    const fs::path program = fs::canonical(executable, error).parent_path();
    std::vector<fs::path> candidates;
    if (!error) {
        candidates.push_back(FindProgramFolder(program.string()));
        candidates.push_back(program / "data");
        candidates.push_back(program.parent_path() / "data");
    }
    for (const fs::path& candidate : candidates)
        if (fs::is_directory(candidate / "RTF", error))
            return candidate.string();
    return candidates.empty() ? std::string("data") : candidates.front().string();
}

bool PrintReturn(const TAnswer& store, const PrintRequest& request, std::string& error)
{
    PrintSelection selection = DefaultSelection(store);
    if (!request.forms.empty() && !ParseFormList(request.forms, selection, error))
        return false;
    const std::vector<PrintPage> pages = PagesToPrint(selection, store);
    // PDF is painted from the print layouts; the word processor is never started.
    if (EndsWithNoCase(request.outPath, ".pdf"))
        return PaintPdf(store, pages, JoinPath(request.dataFolder, kPaintedLayoutFolder), request.outPath, error);
    TRtfMerge merge({request.dataFolder + "/RTF", request.dataFolder + "/DAT"});
    if (!merge.BuildDocument(store, pages)) {
        error = "the print document could not be built";
        return false;
    }
    return WritePrintFile(request.outPath, merge.Document(), error);
}

}  // namespace quorvan
