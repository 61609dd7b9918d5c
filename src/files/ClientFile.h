#pragma once
// The client file: one return as positional text (identification, version, page counts,
// K-1 shares, then every answer and its override flag page by page). Windows-1252, CR LF.

#include <cstddef>
#include <initializer_list>
#include <istream>
#include <ostream>
#include <string>

namespace quorvan {

class LineReader;
class TAnswer;

// The identification line and the version written at the head of every client file.
extern const char* const kClientFileIdentification;
constexpr double kClientFileVersion = 20.07;

// The fixed 23-character real form: " 2.00700000000000E+0001".
std::string FormatFileReal(double value);

// How much a file lacked when it ended before the end of its last page.
struct Shortfall {
    size_t linesPresent = 0;  // the lines it holds
    size_t missingLines = 0;  // the lines its page counts call for beyond those
    int missingPages = 0;     // pages not read whole
    int pages = 0;            // pages its counts call for
    bool Short() const { return missingLines > 0; }
};

// Writes `store`. Clears its ErrFlag first; true when every line was written.
// An answer holding characters Windows-1252 lacks is written with the nearest character or "?"
// (Utf8ToCp1252), and message 3306 names each such answer by form type, page and slot, with the
// text as typed and as written; an answer longer than kMaxAnswerLength (which the reader would
// refuse) is written cut to that length, named by message 3308. The store stays as it is.
bool WriteClientFile(TAnswer& store, std::ostream& out);

// Reads a current-year client file into `store`, which the caller created fresh.
// `fileName` names the file in messages. Every failure shows one message: 3301 identification,
// 3302 version, 3304 a damaged line, naming the first line that cannot be what stands there: a
// page header out of place or arriving inside a page (a line lost or added), a count, share or
// flag that does not read, a count beyond the pages a form has, an answer longer than
// kMaxAnswerLength, text after the last page, a last page one line short. The pages before the
// line are already filled; no answer is ever read from another answer's line.
// A file of the current version that ends before the end of its last page (by more than a line)
// still reads, the answers it lacks empty, but notice 3303 names the file and what was missing,
// and `shortfall` says how much. An older version's file may be shorter and reads without a word.
// A file written as UTF-8 by another program is read as UTF-8, with notice 3307 naming it.
// Single damaged bytes are repaired where the line they stand in still reads, and notice 3309
// names each such line (`repaired` set): a byte of a UTF-8 file that is no UTF-8 (read as its
// Windows-1252 letter), control characters in an answer (removed), a line end that is not the
// file's own. An override flag is 0 or 1; any other flag fails the read at its line (3304). An
// answer that reads as a page header is an answer where the lines around it say so.
// An answer the program now figures that the file holds as typed is marked overridden
// (KeepTypedAnswers), so nothing the preparer typed is lost.
bool ReadClientFile(TAnswer& store, std::istream& in, const std::string& fileName = std::string(),
                    Shortfall* shortfall = nullptr, bool* repaired = nullptr);

// The part of the reader after the version line (the prior-year import shares it): counts,
// shares, then each page, line by line, every line checked for what may stand there.
// False, with ErrFlag set and message 3304 shown, as ReadClientFile says (a file one line short
// included). Where the file ends early, `shortfall` (always filled) says how much was missing;
// nothing is shown for it here.
bool ReadPagesAndCounts(TAnswer& store, LineReader& in, const std::string& fileName, Shortfall& shortfall);

// The identification line, which must be a non-empty part of one of `identifications`
// (message 3301 otherwise), and the version, whose whole part must be one of `versions`
// (message 3302 otherwise). `version` receives the version as read.
bool ReadFileHead(LineReader& in, std::initializer_list<const char*> identifications,
                  std::initializer_list<int> versions, double* version = nullptr);

// Message 3309 naming, by kind, the lines `reader` repaired as it read (`fileName` labels them);
// true when there were any.
bool ReportRepairedLines(const LineReader& reader, const std::string& fileName);

// Opens and reads a client file as ReadClientFile does. A path that is no regular file (a
// folder, a device, a named pipe), a file beyond kMaxClientFileBytes, or one that cannot be
// opened shows message 3305 with the path and the reason; false.
bool ReadClientFileAt(TAnswer& store, const std::string& path, Shortfall* shortfall = nullptr,
                      bool* repaired = nullptr);

// Saves `store` to `path` through WriteFileAtomically: never a half-written file, the
// permission bits of an existing file kept (a new one readable by its owner only), a symbolic
// link kept and the file it points to written. On failure the old file is untouched and
// `error` says why.
bool SaveClientFileAt(TAnswer& store, const std::string& path, std::string& error);

}  // namespace quorvan
