#include "cli/PrintOutput.h"

#include "files/AtomicFile.h"
#include "files/Folders.h"
#include "files/ScratchFolder.h"
#include "print/RtfMerge.h"
#include "print/WordProcessor.h"
#include "store/Answers.h"

#include <cctype>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

// Runs the command and waits for it. Its output is discarded: LibreOffice reports each conversion
// and some start-up noise, and our standard output may carry --dump; its exit status and the
// file it writes tell whether it worked.
bool RunAndWait(const LaunchCommand& command, std::string& error)
{
    std::vector<std::string> words = {command.program};
    words.insert(words.end(), command.arguments.begin(), command.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int started = posix_spawnp(&pid, command.program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) {
        error = "cannot start " + command.program;
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = command.program + " failed";
        return false;
    }
    return true;
}

bool ConvertToPdf(const std::string& document, const std::string& outPath, std::string& error)
{
    const std::string soffice = FindWriter();
    if (soffice.empty()) {
        error = "LibreOffice (soffice) is needed to write PDF and was not found";
        return false;
    }
    ScratchFolder scratch("print");
    if (scratch.Path().empty()) {
        error = "cannot make a scratch folder";
        return false;
    }
    const std::string stem = fs::path(outPath).stem().string();
    const std::string rtfPath = scratch.Path() + "/" + stem + ".rtf";
    if (!WritePrintFile(rtfPath, document, error))
        return false;
    const LaunchCommand command =
        PdfConversionCommand(soffice, rtfPath, scratch.Path(), scratch.Path() + "/profile");
    if (!RunAndWait(command, error))
        return false;
    const std::string pdfPath = scratch.Path() + "/" + stem + ".pdf";
    std::ifstream pdf(pdfPath, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(pdf)), std::istreambuf_iterator<char>());
    if (!pdf.good() && !pdf.eof()) {
        error = "cannot read the converted " + pdfPath;
        return false;
    }
    return WriteFileAtomically(outPath, bytes, error);
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
    TRtfMerge merge({request.dataFolder + "/RTF", request.dataFolder + "/DAT"});
    if (!merge.BuildDocument(store, PagesToPrint(selection, store))) {
        error = "the print document could not be built";
        return false;
    }
    if (EndsWithNoCase(request.outPath, ".pdf"))
        return ConvertToPdf(merge.Document(), request.outPath, error);
    return WritePrintFile(request.outPath, merge.Document(), error);
}

}  // namespace quorvan
