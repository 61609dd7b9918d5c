#pragma once
// --print for the command-line tool: builds the print document of the settled return and writes
// it as RTF, or paints the forms as PDF from their print layouts (the "LAY" folder).

#include "print/FormSelect.h"

#include <string>

namespace quorvan {

struct PrintRequest {
    std::string outPath;     // ".pdf" is painted; anything else is written as RTF
    std::string forms;       // comma-separated form type codes, "all", or empty for the defaults
    std::string dataFolder;  // holds "RTF" and "DAT", and "LAY" for PDF
};

// The selection a --forms list names. Errors: false with the reason in `problem`.
bool ParseFormList(const std::string& list, PrintSelection& selection, std::string& problem);

// The data folder: `given` when not empty; otherwise the first that has an "RTF" folder of the
// program folder (FindProgramFolder: the build tree's data, or the installed data), <exe dir>/data
// and <exe dir>/../data.
std::string FindDataFolder(const std::string& given, const std::string& executable);

// Builds and writes the document for the return in `store`.
// Errors: false with the reason in `error` (the merge's own messages have been shown).
bool PrintReturn(const TAnswer& store, const PrintRequest& request, std::string& error);

}  // namespace quorvan
