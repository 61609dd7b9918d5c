#pragma once
// The client file: one return as positional text (identification, version, page counts,
// K-1 shares, then every answer and its override flag page by page). Windows-1252, CR LF.

#include <initializer_list>
#include <ostream>
#include <string>

namespace quorvan {

class LineReader;

// The identification line and the version written at the head of every client file.
extern const char* const kClientFileIdentification;
constexpr double kClientFileVersion = 20.07;

// The fixed 23-character real form: " 2.00700000000000E+0001".
std::string FormatFileReal(double value);

// Writes the global store. Clears ErrFlag first; true when every line was written.
bool WriteClientFile(std::ostream& out);

// Reads a current-year client file into the global store, which the caller created fresh.
// Identification and version failures show messages 3301 and 3302; a damaged page block fails
// without a message, the pages before it already filled.
bool ReadClientFile(std::istream& in);

// The part of the reader after the version line (the prior-year import shares it).
// False, with ErrFlag set, on a count, share or flag that does not read, or a count that
// names pages the store does not have.
bool ReadPagesAndCounts(LineReader& in);

// The identification line, which must be a non-empty part of one of `identifications`
// (message 3301 otherwise), and the version, whose whole part must be one of `versions`
// (message 3302 otherwise).
bool ReadFileHead(LineReader& in, std::initializer_list<const char*> identifications,
                  std::initializer_list<int> versions);

// Opens and reads a client file; false when the file cannot be opened or read.
bool ReadClientFileAt(const std::string& path);

// Saves the global store to `path` without ever leaving a half-written file there: the return
// goes to a temporary file in the same folder, which then replaces the old file. On failure
// the old file is untouched and `error` says why.
bool SaveClientFileAt(const std::string& path, std::string& error);

}  // namespace quorvan
