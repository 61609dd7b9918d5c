#pragma once
// Starting a return from last year's client file (".fq5"): the same layout as a current-year
// file with its own identification, read into a fresh store, after which the amounts of the old
// year are emptied. Also the name of the current-year file the new return is saved under.

#include <istream>
#include <string>

namespace quorvan {

class TAnswer;

extern const char* const kPriorYearIdentification;  // "Quorvan_15"

// Reads a prior-year file into `store`, which the caller created fresh (and may have
// prefilled from "default.fq6"). An identification not found within "Quorvan_15" shows 3301, a
// version whose whole part is neither 20 nor 19 shows 3302; a damaged page block shows 3304
// naming the line (see ReadClientFile), `fileName` naming the file. A file that ends early reads
// as it is: last year's program wrote files of its own length. On success the old year's
// amounts are emptied (ClearPriorYearAmounts) and typed answers the program now figures are
// marked overridden (KeepTypedAnswers).
bool ReadPriorYearFile(TAnswer& store, std::istream& in, const std::string& fileName = std::string());

// Opens and reads a prior-year file. A path that is no regular file, a file beyond
// kMaxClientFileBytes or one that cannot be opened shows message 3305; false.
bool ReadPriorYearFileAt(TAnswer& store, const std::string& path);

// Empties the answers that hold last year's amounts; override flags, page counts and K-1
// shares stay as read, so pages in use stay in use.
void ClearPriorYearAmounts(TAnswer& store);

// The current-year file an import saves to: the client-file folder + the prior-year file's
// name cut before its last "." + ".fq6" ("/x/Files" and "/old/estate.fq5" give
// "/x/Files/estate.fq6"). Test it with FileExists before overwriting.
std::string CurrentYearFileName(const std::string& clientFileFolder, const std::string& priorYearPath);

}  // namespace quorvan
