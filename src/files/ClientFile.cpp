#include "files/ClientFile.h"

#include "files/AtomicFile.h"
#include "files/Cp1252.h"
#include "files/LineReader.h"
#include "messages/Messages.h"
#include "store/Answers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace quorvan {

const char* const kClientFileIdentification = "Quorvan_16 Demo";

namespace {

const char* const kCrLf = "\r\n";

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

bool WriteClientFile(std::ostream& out)
{
    TAnswer& store = *Answers;
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
    for (int t = 0; t < kFormTypes; ++t) {
        if (grid.PgCt[t] < 0)
            continue;
        for (int k = 0; k <= LastPageOfCell(t, grid.PgCt[t]); ++k) {
            const TPage& page = store.PageAt(t, k);
            block = "***** Page " + std::to_string(t) + "; Cont " + std::to_string(k) + kCrLf;
            for (size_t s = 0; s < page.Strings.size(); ++s) {
                block += Utf8ToCp1252(OneLine(page.Strings[s]));
                block += kCrLf;
                block += page.Objects[s].OvRide ? '1' : '0';
                block += kCrLf;
            }
            out << block;
        }
    }
    out.flush();
    return out.good() && !store.ErrFlag;
}

bool ReadPagesAndCounts(LineReader& in)
{
    TAnswer& store = *Answers;
    RAnswer& grid = *store.PAnsw;
    in.ReadLine();  // "***** Page Counts"
    for (int t = 0; t < kFormTypes; ++t) {
        int cell = 0;
        if (!in.ReadInteger(cell) || !CellFits(store, t, cell))
            return Fail(store);
        grid.PgCt[t] = cell;
        if (int* count = store.CountField(t))
            *count = cell;
    }
    for (int i = 0; i < kMaxPages; ++i) {
        double share = 0;
        if (!in.ReadReal(share))
            return Fail(store);
        store.BeneficiaryInterest[i] = share;
    }
    in.ReadLine();  // "***** Page Data"
    for (int t = 0; t < kFormTypes; ++t) {
        for (int k = 0; k <= LastPageOfCell(t, grid.PgCt[t]); ++k) {
            in.ReadLine();  // the page header, never compared
            TPage& page = store.PageAt(t, k);
            for (size_t s = 0; s < page.Strings.size(); ++s) {
                page.Strings[s] = in.ReadLine();
                int flag = 0;
                if (!in.ReadInteger(flag))
                    return Fail(store);
                page.Objects[s].OvRide = flag != 0;
            }
        }
    }
    store.VersionNo = kClientFileVersion;
    return !store.ErrFlag;
}

bool ReadFileHead(LineReader& in, std::initializer_list<const char*> identifications,
                  std::initializer_list<int> versions)
{
    const std::string line = in.ReadLine();
    bool identified = false;
    for (const char* accepted : identifications)
        identified = identified || (!line.empty() && std::string(accepted).find(line) != std::string::npos);
    if (!identified) {
        ShowMessageByCode(33010);
        return false;
    }
    double version = 0;
    const double whole = in.ReadReal(version) ? std::trunc(version) : 0;
    for (int accepted : versions)
        if (whole == accepted)
            return true;
    ShowMessageByCode(33020);
    return false;
}

bool ReadClientFile(std::istream& in)
{
    LineReader reader(in);
    TAnswer& store = *Answers;
    store.ErrFlag = false;
    return ReadFileHead(reader, {"Quorvan_16 Demo", "Selkam_13"}, {20, 17}) && ReadPagesAndCounts(reader) &&
           !store.ErrFlag;
}

bool ReadClientFileAt(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    return ReadClientFile(in);
}

bool SaveClientFileAt(const std::string& path, std::string& error)
{
    std::ostringstream text(std::ios::binary);
    if (!WriteClientFile(text)) {
        error = "The return could not be prepared for writing.";
        return false;
    }
    return WriteFileAtomically(path, text.str(), error);
}

}  // namespace quorvan
