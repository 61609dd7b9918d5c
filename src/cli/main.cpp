// quorvan_16-calc: reads a client file, recalculates the return until it settles, and prints or
// writes the result. For batch work and for checking results from scripts.
//
//   quorvan_16-calc [--prior-year] [--once] [--dump] [--check] [--write OUT]
//                   [--import DATA ... [--itemize]] [--print OUT [--forms LIST] [--data DIR]] FILE
//   quorvan_16-calc --help | --version
//
// --prior-year reads FILE as last year's client file and starts this year's return from it.
//
// --import adds the sales, interest and dividends of a broker's or bank's data file (TXF or CSV)
// to the return before it is recalculated; it may be given more than once. --itemize lists every
// sale on Form 8949 instead of summing those the broker reported with their basis.
//
// --check reviews the settled return and prints one finding a line: severity ("error", "warning"
// or "note"), form, line and text, separated by tabs.
//
// --print writes the print document of the settled return to OUT: RTF, or PDF when OUT ends in
// ".pdf" (painted by the print engine, no word processor needed). LIST is comma-separated form
// type codes or "all"; without it the forms a preparer would find ticked are printed. DIR holds
// the "RTF", "DAT" and "LAY" folders; without it the program's installed data is used.
//
// Exit status: 0 success, 1 FILE cannot be read, 2 usage error, 3 a recalculation stopped on a
// calculator error, 4 the print document could not be built or written, 5 --check found an error,
// 6 FILE ends before its last page (it was read, the answers it lacks empty, and the rest done;
// message 3303 on standard error says how much was missing), 7 a data file was refused (message
// 3320 on standard error names its bad records; nothing is written), 8 FILE held damaged bytes that
// were repaired as it was read (message 3309 on standard error names their lines). The first of 1,
// 7, 4, 3, 5, 6, 8 that applies is given.

#include "cli/Dump.h"
#include "cli/PrintOutput.h"
#include "files/ClientFile.h"
#include "files/PriorYear.h"
#include "files/StatementImport.h"
#include "messages/Messages.h"
#include "review/OverrideFigures.h"
#include "review/Review.h"
#include "store/Answers.h"
#include "ProgramVersion.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace quorvan;

constexpr int kMaxRuns = 10;
constexpr int kExitCutShort = 6;
constexpr int kExitImportRefused = 7;
constexpr int kExitRepaired = 8;

struct Options {
    bool help = false;
    bool version = false;
    bool once = false;
    bool dump = false;
    bool check = false;
    bool priorYear = false;
    bool itemize = false;
    std::vector<std::string> imports;
    std::string writePath;
    std::string filePath;
    std::string printPath;
    std::string forms;
    std::string dataFolder;
};

const char kUsage[] = "usage: quorvan_16-calc [--prior-year] [--once] [--dump] [--check] [--write OUT]\n"
                      "                       [--import DATA ... [--itemize]] [--print OUT [--forms LIST] [--data DIR]] FILE\n"
                      "       quorvan_16-calc --help | --version\n"
                      "--check prints the review's findings, one a line: severity, form, line, text (tabs between)\n"
                      "exit status: 0 success, 1 FILE unreadable, 2 usage, 3 calculation stopped, "
                      "4 printing failed, 5 the review found an error,\n"
                      "             6 FILE ends before its last page (read with the answers it lacks empty),\n"
                      "             7 a data file was refused (nothing written),\n"
                      "             8 FILE held damaged bytes, repaired as it was read (message 3309 names them)\n";

int Usage(const char* problem)
{
    std::fprintf(stderr, "quorvan_16-calc: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

int Help()
{
    std::fputs("quorvan_16-calc recalculates a Quorvan_16 client file (*.fq6) until it settles, and\n"
               "shows, saves or prints the result.\n\n",
               stdout);
    std::fputs(kUsage, stdout);
    std::fputs("\n  --prior-year   read FILE as last year's client file (*.fq5)\n"
               "  --once         recalculate once instead of until the return settles\n"
               "  --dump         print every answer as T/K:S=TEXT (* after an overridden slot)\n"
               "  --check        review the return: one finding a line, severity, form, line and text\n"
               "  --write OUT    save the recalculated return as the client file OUT\n"
               "  --import DATA  add the sales, interest and dividends of a TXF or CSV data file\n"
               "                 (may be given more than once; one summary line each)\n"
               "  --itemize      list every imported sale on Form 8949 instead of summing on line 1a or 8a\n"
               "  --print OUT    write the print document to OUT (RTF, or PDF when OUT ends in .pdf)\n"
               "  --forms LIST   form type codes to print, comma-separated, or \"all\"\n"
               "  --data DIR     folder with the RTF, DAT and LAY folders (default: the installed data)\n"
               "  --help         show this text\n"
               "  --version      show the version\n",
               stdout);
    return 0;
}

bool ParseArguments(int argc, char** argv, Options& options, std::string& problem)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return true;
        }
        if (argument == "--version") {
            options.version = true;
            return true;
        }
        if (argument == "--once") {
            options.once = true;
        } else if (argument == "--dump") {
            options.dump = true;
        } else if (argument == "--check") {
            options.check = true;
        } else if (argument == "--prior-year") {
            options.priorYear = true;
        } else if (argument == "--itemize") {
            options.itemize = true;
        } else if (argument == "--import") {
            if (i + 1 >= argc || *argv[i + 1] == '\0') {
                problem = "--import needs a data file";
                return false;
            }
            options.imports.push_back(argv[++i]);
        } else if (argument == "--write") {
            if (i + 1 >= argc || *argv[i + 1] == '\0') {
                problem = "--write needs a file name";
                return false;
            }
            options.writePath = argv[++i];
        } else if (argument == "--print" || argument == "--forms" || argument == "--data") {
            // An empty value would name no file (or fall back to the defaults) and write nothing.
            if (i + 1 >= argc || *argv[i + 1] == '\0') {
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
    if (options.itemize && options.imports.empty()) {
        problem = "--itemize goes with --import";
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

// Imports each data file in turn, each planned against the return as the files before it left
// it; false, with the refusal shown, when one is refused (the return is then not written).
bool ImportDataFiles(TAnswer& store, const Options& options)
{
    std::vector<std::string> summaries;
    for (const std::string& path : options.imports) {
        const PreparedImport prepared = PrepareImport(store, path, options.itemize);
        if (!CarryOutPrepared(store, prepared)) {
            ShowMessageByCode(33200, path + "\n" + ProblemList(prepared.plan.problems));
            return false;
        }
        summaries.push_back(path + ": " + ImportSummary(prepared.plan));
    }
    for (const std::string& summary : summaries)
        std::cout << summary << "\n";
    std::cout << std::flush;
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    std::string problem;
    if (!ParseArguments(argc, argv, options, problem))
        return Usage(problem.c_str());
    if (options.help)
        return Help();
    if (options.version) {
        std::printf("quorvan_16-calc %s\n", kProgramVersion);
        return 0;
    }

    ScopedAnswerStore store;
    Shortfall shortfall;
    bool repaired = false;
    const bool read = options.priorYear ? ReadPriorYearFileAt(*store, options.filePath)
                                        : ReadClientFileAt(*store, options.filePath, &shortfall, &repaired);
    if (!read) {
        std::fprintf(stderr, "quorvan_16-calc: cannot read the client file %s\n", options.filePath.c_str());
        return 1;
    }
    if (!ImportDataFiles(*store, options))
        return kExitImportRefused;
    const bool settled = SettleReturn(*store, options.once ? 1 : kMaxRuns);
    if (options.dump)
        std::cout << DumpReturn(*store) << std::flush;
    bool reviewFoundError = false;
    if (options.check)
        reviewFoundError = PrintReview(*store);
    if (!options.writePath.empty()) {
        std::string error;
        if (!SaveClientFileAt(*store, options.writePath, error)) {
            std::fprintf(stderr, "quorvan_16-calc: %s\n", error.c_str());
            return 1;
        }
    }
    if (!options.printPath.empty()) {
        std::string error;
        const PrintRequest request{options.printPath, options.forms,
                                   FindDataFolder(options.dataFolder, "/proc/self/exe")};
        if (!PrintReturn(*store, request, error)) {
            std::fprintf(stderr, "quorvan_16-calc: %s\n", error.c_str());
            return 4;
        }
    }
    if (!settled)
        return 3;
    if (reviewFoundError)
        return 5;
    if (shortfall.Short())
        return kExitCutShort;
    return repaired ? kExitRepaired : 0;
}
