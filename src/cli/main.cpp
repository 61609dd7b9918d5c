// quorvan_16-calc: reads a client file, recalculates the return until it settles, and prints or
// writes the result. For batch work and for checking results from scripts.
//
//   quorvan_16-calc [--prior-year] [--once] [--dump] [--check] [--write OUT]
//                   [--print OUT [--forms LIST] [--data DIR]] FILE
//
// --prior-year reads FILE as last year's client file and starts this year's return from it.
//
// --check reviews the settled return and prints one finding a line: severity ("error", "warning"
// or "note"), form, line and text, separated by tabs.
//
// --print writes the print document of the settled return to OUT: RTF, or PDF when OUT ends in
// ".pdf" (through LibreOffice). LIST is comma-separated form type codes or "all"; without it the
// forms a preparer would find ticked are printed. DIR holds the "RTF" and "DAT" folders.
//
// Exit status: 0 success, 1 FILE cannot be read, 2 usage error, 3 a recalculation stopped on a
// calculator error, 4 the print document could not be built or written, 5 --check found an error.

#include "cli/Dump.h"
#include "cli/PrintOutput.h"
#include "files/ClientFile.h"
#include "files/PriorYear.h"
#include "messages/Messages.h"
#include "review/OverrideFigures.h"
#include "review/Review.h"
#include "store/Answers.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

using namespace quorvan;

constexpr int kMaxRuns = 10;

struct Options {
    bool once = false;
    bool dump = false;
    bool check = false;
    bool priorYear = false;
    std::string writePath;
    std::string filePath;
    std::string printPath;
    std::string forms;
    std::string dataFolder;
};

int Usage(const char* problem)
{
    std::fprintf(stderr, "quorvan_16-calc: %s\n", problem);
    std::fprintf(stderr, "usage: quorvan_16-calc [--prior-year] [--once] [--dump] [--check] [--write OUT]\n"
                         "                       [--print OUT [--forms LIST] [--data DIR]] FILE\n"
                         "--check prints the review's findings, one a line: severity, form, line, text (tabs between)\n"
                         "exit status: 0 success, 1 FILE unreadable, 2 usage, 3 calculation stopped, "
                         "4 printing failed, 5 the review found an error\n");
    return 2;
}

bool ParseArguments(int argc, char** argv, Options& options, std::string& problem)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--once") {
            options.once = true;
        } else if (argument == "--dump") {
            options.dump = true;
        } else if (argument == "--check") {
            options.check = true;
        } else if (argument == "--prior-year") {
            options.priorYear = true;
        } else if (argument == "--write") {
            if (i + 1 >= argc) {
                problem = "--write needs a file name";
                return false;
            }
            options.writePath = argv[++i];
        } else if (argument == "--print" || argument == "--forms" || argument == "--data") {
            if (i + 1 >= argc) {
                problem = argument + " needs a value";
                return false;
            }
            std::string& value = argument == "--print" ? options.printPath
                                 : argument == "--forms" ? options.forms : options.dataFolder;
            value = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            problem = "unknown option " + argument;
            return false;
        } else if (options.filePath.empty()) {
            options.filePath = argument;
        } else {
            problem = "only one client file can be given";
            return false;
        }
    }
    if (options.filePath.empty()) {
        problem = "no client file given";
        return false;
    }
    if ((!options.forms.empty() || !options.dataFolder.empty()) && options.printPath.empty()) {
        problem = "--forms and --data go with --print";
        return false;
    }
    PrintSelection selection;
    if (!options.forms.empty() && !ParseFormList(options.forms, selection, problem))
        return false;
    return true;
}

// Prints the findings of the review of the settled return; true when one is an error.
bool PrintReview(const TAnswer& store)
{
    std::vector<review::Finding> findings = review::ReviewReturn(store);
    review::OverrideFigures().Figure(store, findings);
    for (const review::Finding& finding : findings)
        std::cout << review::FindingLine(finding) << "\n";
    std::cout << std::flush;
    return review::CountFindings(findings).errors > 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string problem;
    if (!ParseArguments(argc, argv, options, problem))
        return Usage(problem.c_str());

    ScopedAnswerStore store;
    const bool read = options.priorYear ? ReadPriorYearFileAt(options.filePath) : ReadClientFileAt(options.filePath);
    if (!read) {
        std::fprintf(stderr, "quorvan_16-calc: cannot read the client file %s\n", options.filePath.c_str());
        return 1;
    }
    const bool settled = SettleReturn(*store, options.once ? 1 : kMaxRuns);
    if (options.dump)
        std::cout << DumpReturn(*store) << std::flush;
    bool reviewFoundError = false;
    if (options.check)
        reviewFoundError = PrintReview(*store);
    if (!options.writePath.empty()) {
        std::string error;
        if (!SaveClientFileAt(options.writePath, error)) {
            std::fprintf(stderr, "quorvan_16-calc: %s\n", error.c_str());
            return 1;
        }
    }
    if (!options.printPath.empty()) {
        std::string error;
        const PrintRequest request{options.printPath, options.forms,
                                   FindDataFolder(options.dataFolder, "/proc/self/exe")};
        if (!PrintReturn(request, error)) {
            std::fprintf(stderr, "quorvan_16-calc: %s\n", error.c_str());
            return 4;
        }
    }
    if (!settled)
        return 3;
    return reviewFoundError ? 5 : 0;
}
