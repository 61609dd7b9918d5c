#include "files/ClientFile.h"

#include "files/AtomicFile.h"
#include "files/Cp1252.h"
#include "files/LineReader.h"
#include "files/RegularFile.h"
#include "files/TypedAnswers.h"
#include "messages/Messages.h"
#include "store/Amounts.h"
#include "store/Answers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

namespace quorvan {

const char* const kClientFileIdentification = "Quorvan_16 Demo";

namespace {

const char* const kCrLf = "\r\n";
// Message 3306 names this many answers and counts the rest.
constexpr size_t kNamedAnswers = 5;

// Pages a count cell of n names: pages 0 to n, limited to the pages the store has. A counted
// form type with all twenty pages in use writes its twenty pages.
int LastPageOfCell(int formType, int cell)
{
    return std::min(cell, kHighestPageIndex[formType]);
}

// A cell the reader accepts: never negative; on a counted form type at most the twenty pages
// a schedule can have in use; elsewhere no page beyond those the store makes.
bool CellFits(const TAnswer& store, int formType, int cell)
{
    if (cell < 0)
        return false;
    if (store.CountField(formType))
        return cell <= kMaxPages;
    return cell <= kHighestPageIndex[formType];
}

std::string PageHeader(int formType, int page)
{
    return "***** Page " + std::to_string(formType) + "; Cont " + std::to_string(page);
}

// The header of the page that follows page `page` of `formType` in the file; empty after the last.
std::string NextPageHeader(const RAnswer& grid, int formType, int page)
{
    if (page < LastPageOfCell(formType, grid.PgCt[formType]))
        return PageHeader(formType, page + 1);
    return formType + 1 < kFormTypes ? PageHeader(formType + 1, 0) : std::string();
}

// An answer is one line: a line break that reached an answer would shift every later line.
std::string OneLine(const std::string& text)
{
    if (text.find_first_of("\r\n") == std::string::npos)
        return text;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            line += " | ";
        } else {
            line.push_back(text[i]);
        }
    }
    return line;
}

bool Fail(TAnswer& store)
{
    store.ErrFlag = true;
    return false;
}

std::string Counted(size_t n)
{
    return Float2Dollar(static_cast<double>(n));
}

std::string FileLabel(const std::string& fileName)
{
    return fileName.empty() ? std::string("The client file") : fileName;
}

// Message 3304: the file is damaged at `line`; the read ends here.
bool Damaged(TAnswer& store, const std::string& fileName, size_t line, const std::string& what)
{
    ShowMessageByCode(33040, FileLabel(fileName) + ", line " + Counted(line) + ": " + what);
    return Fail(store);
}

// An answer the file cannot keep exactly: where it is, as typed and as written.
struct ChangedAnswer {
    int formType;
    int page;
    int slot;
    std::string typed;
    std::string written;
};

std::string Place(const ChangedAnswer& c)
{
    return "form type " + std::to_string(c.formType) + ", page " + std::to_string(c.page + 1) + ", slot " +
           std::to_string(c.slot);
}

// Message `code` naming the first few answers of `changed`, each as `describe` has it.
template <typename Describe>
void ReportAnswers(unsigned code, const std::vector<ChangedAnswer>& changed, Describe describe)
{
    if (changed.empty())
        return;
    std::string extra;
    for (size_t i = 0; i < changed.size() && i < kNamedAnswers; ++i)
        extra += (i ? "; " : "") + Place(changed[i]) + ": " + describe(changed[i]);
    if (changed.size() > kNamedAnswers)
        extra += "; and " + std::to_string(changed.size() - kNamedAnswers) + " more";
    ShowMessageByCode(code, extra + ".");
}

void ReportChangedAnswers(const std::vector<ChangedAnswer>& changed)
{
    ReportAnswers(33060, changed, [](const ChangedAnswer& c) {
        return QuotedForMessage(c.typed) + " saved as " + QuotedForMessage(c.written) + " (" + UnencodableCharacters(c.typed) + ")";
    });
}

// Answers longer than the reader takes would make the file unreadable: they are written cut.
void ReportCutAnswers(const std::vector<ChangedAnswer>& cut)
{
    ReportAnswers(33080, cut, [](const ChangedAnswer& c) { return QuotedForMessage(c.typed); });
}

// The lines a file holds for the counts it has: the 64 lines of its head, then a header and
// two lines a slot for every page.
size_t ExpectedLines(const RAnswer& grid, int& pages)
{
    size_t lines = 64;
    pages = 0;
    for (int t = 0; t < kFormTypes; ++t) {
        const int pagesOfType = LastPageOfCell(t, grid.PgCt[t]) + 1;
        pages += pagesOfType;
        lines += static_cast<size_t>(pagesOfType) * (1 + 2 * (static_cast<size_t>(kSlotCount[t]) + 1));
    }
    return lines;
}

void ReportShortfall(const std::string& fileName, const Shortfall& shortfall)
{
    ShowMessageByCode(33030, FileLabel(fileName) + " ends after line " + Counted(shortfall.linesPresent) + " of " +
                                 Counted(shortfall.linesPresent + shortfall.missingLines) + ": " +
                                 Counted(shortfall.missingLines) + " lines are missing, in " +
                                 std::to_string(shortfall.missingPages) + " of its " +
                                 std::to_string(shortfall.pages) + " pages.");
}

bool ReadClientFileFrom(TAnswer& store, LineReader& reader, const std::string& fileName, Shortfall* shortfall)
{
    store.ErrFlag = false;
    double version = 0;
    if (!ReadFileHead(reader, {"Quorvan_16 Demo", "Selkam_13"}, {20, 17}, &version))
        return false;
    Shortfall found;
    if (!ReadPagesAndCounts(store, reader, fileName, found) || store.ErrFlag)
        return false;
    // Files of older versions may be shorter, or carry more after their pages.
    const bool current = version == kClientFileVersion;
    if (current) {
        if (const size_t line = reader.NextTextLine())
            return Damaged(store, fileName, line, "text follows the last page; a line has been added to the file");
    }
    if (reader.Utf8())
        ShowMessageByCode(33070, FileLabel(fileName) + ".");
    if (current && found.Short()) {
        ReportShortfall(fileName, found);
        if (shortfall)
            *shortfall = found;
    }
    KeepTypedAnswers(store);
    KeepTypedLinesNowComputed(store);
    return true;
}

}  // namespace

std::string FormatFileReal(double value)
{
    if (!std::isfinite(value))
        value = -1;  // a share that is no number counts as not set
    if (value == 0)
        return " 0.00000000000000E+0000";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string sci(buffer, result.ptr);  // "2.00700000000000e+01"
    const size_t e = sci.find('e');
    const int exponent = std::stoi(sci.substr(e + 1));
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return std::string(value < 0 ? "-" : " ") + sci.substr(0, e) + exponentText;
}

bool WriteClientFile(TAnswer& store, std::ostream& out)
{
    store.ErrFlag = false;
    RAnswer& grid = *store.PAnsw;
    out << kClientFileIdentification << kCrLf << FormatFileReal(kClientFileVersion) << kCrLf;
    out << "***** Page Counts" << kCrLf;
    for (int t = 0; t < kFormTypes; ++t)
        if (const int* count = store.CountField(t))
            grid.PgCt[t] = *count;
    for (int t = 0; t < kFormTypes; ++t)
        out << grid.PgCt[t] << kCrLf;
    for (int i = 0; i < kMaxPages; ++i)
        out << FormatFileReal(store.BeneficiaryInterest[i]) << kCrLf;
    out << "***** Page Data" << kCrLf;
    std::string block;
    std::vector<ChangedAnswer> changed;
    std::vector<ChangedAnswer> cut;
    for (int t = 0; t < kFormTypes; ++t) {
        if (grid.PgCt[t] < 0)
            continue;
        for (int k = 0; k <= LastPageOfCell(t, grid.PgCt[t]); ++k) {
            const TPage& page = store.PageAt(t, k);
            block = PageHeader(t, k) + kCrLf;
            for (size_t s = 0; s < page.Strings.size(); ++s) {
                std::string line = OneLine(page.Strings[s]);
                if (const std::string kept = WithinAnswerLength(line); kept.size() < line.size()) {
                    cut.push_back({t, k, static_cast<int>(s), line, kept});
                    line = kept;
                }
                const std::string bytes = Utf8ToCp1252(line);
                if (!FitsCp1252(line))
                    changed.push_back({t, k, static_cast<int>(s), line, Cp1252ToUtf8(bytes)});
                block += bytes;
                block += kCrLf;
                block += page.Objects[s].OvRide ? '1' : '0';
                block += kCrLf;
            }
            out << block;
        }
    }
    out.flush();
    ReportChangedAnswers(changed);
    ReportCutAnswers(cut);
    return out.good() && !store.ErrFlag;
}

bool ReadPagesAndCounts(TAnswer& store, LineReader& in, const std::string& fileName, Shortfall& shortfall)
{
    RAnswer& grid = *store.PAnsw;
    shortfall = Shortfall();
    // Where the file ended: the number of the first line it lacks, and the pages read whole.
    size_t nextLine = 3;
    size_t firstMissingLine = 0;
    int pagesRead = 0;
    const auto beforeLine = [&]() {
        if (firstMissingLine == 0 && in.AtEnd())
            firstMissingLine = nextLine;
        ++nextLine;
    };
    const auto damaged = [&](const std::string& what) { return Damaged(store, fileName, in.LineNumber(), what); };
    const auto notANumber = [&](const char* what) {
        return damaged(std::string(what) + " " + QuotedForMessage(in.LastToken()) + " is not a number");
    };

    beforeLine();
    in.ReadLine();  // "***** Page Counts"
    for (int t = 0; t < kFormTypes; ++t) {
        int cell = 0;
        beforeLine();
        if (!in.ReadInteger(cell))
            return notANumber("the page count");
        if (!CellFits(store, t, cell))
            return damaged("the page count " + std::to_string(cell) + " of form type " + std::to_string(t) +
                           " is beyond the pages it can have");
        grid.PgCt[t] = cell;
        if (int* count = store.CountField(t))
            *count = cell;
    }
    for (int i = 0; i < kMaxPages; ++i) {
        double share = 0;
        beforeLine();
        if (!in.ReadReal(share))
            return notANumber("the beneficiary's share");
        store.BeneficiaryInterest[i] = share;
    }
    beforeLine();
    in.ReadLine();  // "***** Page Data"
    for (int t = 0; t < kFormTypes; ++t) {
        for (int k = 0; k <= LastPageOfCell(t, grid.PgCt[t]); ++k) {
            // A page is its header, then two lines a slot: the answer and its flag. A line lost
            // brings the next header too early, into a slot's lines; a line added pushes this
            // header down into the lines of the page before. Either way the first line that
            // cannot stand where it stands fails the read, before an answer moves.
            const std::string next = NextPageHeader(grid, t, k);
            const auto isNextHeader = [&](const std::string& line) { return !next.empty() && line == next; };
            const auto headerTooEarly = [&]() {
                return damaged("the page header \"" + next + "\" stands here, before the page \"" + PageHeader(t, k) +
                               "\" has ended; a line of that page has been lost");
            };
            beforeLine();
            // Past the end there is nothing to compare; the file is short, not out of step.
            const bool headerPresent = in.NextTextLine() != 0;
            const std::string header = in.ReadLine();
            const std::string expected = PageHeader(t, k);
            if (headerPresent && header.substr(0, header.find_last_not_of(" \t") + 1) != expected)
                return damaged("the page header \"" + expected + "\" should be here, but the line reads " +
                               QuotedForMessage(header) + "; a line has been lost or added before it");
            TPage& page = store.PageAt(t, k);
            for (size_t s = 0; s < page.Strings.size(); ++s) {
                beforeLine();
                size_t characters = 0;
                if (!in.ReadLine(page.Strings[s], kMaxAnswerLength, characters))
                    return damaged("the answer holds " + Counted(characters) + " characters; an answer holds at most " +
                                   Counted(kMaxAnswerLength));
                if (isNextHeader(page.Strings[s])) {
                    page.Strings[s].clear();
                    return headerTooEarly();
                }
                int flag = 0;
                beforeLine();
                if (!in.ReadFlag(flag))
                    return isNextHeader(in.LastToken())
                               ? headerTooEarly()
                               : damaged("the override flag " + QuotedForMessage(in.LastToken()) + " is not a number");
                page.Objects[s].OvRide = flag != 0;
            }
            if (firstMissingLine == 0)
                ++pagesRead;
        }
    }
    if (firstMissingLine != 0) {
        const size_t expectedLines = ExpectedLines(grid, shortfall.pages);
        shortfall.linesPresent = firstMissingLine - 1;
        shortfall.missingLines = expectedLines > shortfall.linesPresent ? expectedLines - shortfall.linesPresent : 0;
        shortfall.missingPages = shortfall.pages - pagesRead;
        // A line lost from the last page leaves the file one line short, with every line before
        // the end still in place by its looks: the answer before the missing flag may be a flag
        // moved up. No program writes half a slot; a file cut short lacks more.
        if (shortfall.missingLines == 1)
            return Damaged(store, fileName, firstMissingLine,
                           "the last page ends one line early; a line of it has been lost");
    }
    store.VersionNo = kClientFileVersion;
    return !store.ErrFlag;
}

bool ReadFileHead(LineReader& in, std::initializer_list<const char*> identifications,
                  std::initializer_list<int> versions, double* version)
{
    const std::string line = in.ReadLine();
    bool identified = false;
    for (const char* accepted : identifications)
        identified = identified || (!line.empty() && std::string(accepted).find(line) != std::string::npos);
    if (!identified) {
        ShowMessageByCode(33010);
        return false;
    }
    double read = 0;
    const double whole = in.ReadReal(read) ? std::trunc(read) : 0;
    if (version)
        *version = read;
    for (int accepted : versions)
        if (whole == accepted)
            return true;
    ShowMessageByCode(33020);
    return false;
}

bool ReadClientFile(TAnswer& store, std::istream& in, const std::string& fileName, Shortfall* shortfall)
{
    LineReader reader(in);
    return ReadClientFileFrom(store, reader, fileName, shortfall);
}

bool ReadClientFileAt(TAnswer& store, const std::string& path, Shortfall* shortfall)
{
    std::string bytes;
    std::string problem;
    if (!ReadRegularFile(path, kMaxClientFileBytes, bytes, problem)) {
        ReportUnreadableFile(path, problem);
        return false;
    }
    LineReader reader(std::move(bytes));
    return ReadClientFileFrom(store, reader, path, shortfall);
}

bool SaveClientFileAt(TAnswer& store, const std::string& path, std::string& error)
{
    std::ostringstream text(std::ios::binary);
    if (!WriteClientFile(store, text)) {
        error = "The return could not be prepared for writing.";
        return false;
    }
    return WriteFileAtomically(path, text.str(), error);
}

}  // namespace quorvan
