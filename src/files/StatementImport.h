#pragma once
// Importing a broker's or bank's data file (TXF or CSV) into a return: read, planned and shown
// before anything changes, then carried out whole.

#include "files/StatementPlacing.h"
#include "files/StatementReaders.h"

#include <string>

namespace quorvan {

// Data files are a year of statements: far below this.
constexpr size_t kMaxStatementFileBytes = 64u << 20;

struct PreparedImport {
    std::string path;
    StatementData data;
    ImportPlan plan;
    bool Refused() const { return plan.Refused(); }
};

// Reads the file at `path` and figures where its records go in `store`; changes nothing. A file
// that cannot be read is refused with one problem saying why.
PreparedImport PrepareImport(const TAnswer& store, const std::string& path, bool itemize);

// The same from the file's text.
PreparedImport PrepareImportOf(const TAnswer& store, const std::string& bytes, bool itemize);

// Carries out a prepared import that is not refused; false, with nothing changed, when it is.
bool CarryOutPrepared(TAnswer& store, const PreparedImport& prepared);

// One line saying what the import adds where ("12 sales on Form 8949 (B 3, E 9), 40 summed on
// Schedule D line 1a, ...").
std::string ImportSummary(const ImportPlan& plan);

// The problems by line: the first twenty, one a line, then how many more there are.
std::string ProblemList(const std::vector<RecordProblem>& problems);

}  // namespace quorvan
