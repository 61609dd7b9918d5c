#pragma once
// Where the records of a data file go in a return: sales of box A or D without adjustment are
// summed on Schedule D line 1a or 8a (as the instructions allow for sales the broker reported
// with their basis), every other sale takes a row on the Form 8949 pages of its box, interest and
// dividends take rows of their continuation pages. Pages are added as needed. The whole file
// is placed or none of it: a plan is figured first, and carried out only when it holds no problem.

#include "files/StatementRecords.h"
#include "store/Answers.h"

#include <array>
#include <string>
#include <vector>

namespace quorvan {

// One row a record takes: page `page`, row `row` of form type `formType`, for record `record`
// of its list.
struct RowPlacement {
    int formType = 0;
    int page = 0;
    int row = 0;
    size_t record = 0;
};

struct SummedSales {
    int count = 0;
    long long proceeds = 0;  // cents
    long long cost = 0;
};

struct ImportPlan {
    std::vector<RowPlacement> saleRows;  // Form 8949
    std::vector<RowPlacement> interestRows;
    std::vector<RowPlacement> dividendRows;
    std::array<int, 6> rowsByBox{};   // Form 8949 rows to add, boxes A to F
    std::array<int, 6> pagesByBox{};  // pages each box will have in use
    int interestPages = 0, dividendPages = 0;
    SummedSales line1a, line8a;
    int duplicates = 0;                   // records already in the return, skipped
    std::vector<std::string> summedKeys;  // the record of summed sales once the plan is carried out
    long long typedQualifiedKept = 0;     // cents typed on line 2b, kept on a dividend row of their own
    std::vector<RecordProblem> problems;  // the data file's and the capacity's

    bool Refused() const { return !problems.empty(); }
    bool Empty() const;
};

// The days of the return's tax year: the dates on Form 1041 when both read, else the calendar year.
SaleYear ReturnSaleYear(const TAnswer& store);

// While no dividend row lists a qualified amount, lines 2b(1) and 2b(2) of Form 1041 are typed;
// once imported rows list some, the lines are figured from the rows. So that the typed qualified
// dividends still count, they become a dividend row of their own (no ordinary amount: those are
// on the rows already) appended to `data`, when the import brings qualified dividends and the
// typed lines are not overridden (an overridden line stays as typed anyway). Returns the cents
// kept, 0 when nothing was added.
long long KeepTypedQualifiedDividends(const TAnswer& store, StatementData& data);

// Figures the plan; changes nothing. `itemize` puts every sale on Form 8949.
ImportPlan PlanImport(const TAnswer& store, const StatementData& data, bool itemize);

// Writes a plan that holds no problem into the return (not recalculated).
void CarryOutImport(TAnswer& store, const StatementData& data, const ImportPlan& plan);

// The first page the plan writes to, as form type and page; form type 0 when none.
std::pair<int, int> FirstPageTouched(const ImportPlan& plan);

}  // namespace quorvan
