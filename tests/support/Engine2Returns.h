#pragma once
// Realistic 2016 returns of estates and trusts with interest, dividends, Form 8949 sales and
// carryovers, each with the lines worked out by hand from the 2016 IRS forms and worksheets.
// The whole-return tests settle them through the driver; two of them are golden client files.

#include "support/ReturnFixture.h"

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace quorvan::test::engine2 {

// One row of a Form 8949 page, columns (a) to (g) as typed.
struct Sale {
    std::string description, acquired, sold, proceeds, cost, code, adjustment;
};

// Appends a continuation page holding `amounts` in its amount slots and counts it.
void AddContinuationPage(ReturnFixture& r, int formType, const std::vector<std::string>& amounts);
// Appends a Form 8949 page of the box of `formType` holding `sales` and counts it.
void AddForm8949Page(ReturnFixture& r, int formType, const std::vector<Sale>& sales);

// An answer the settled return must hold ("" for an empty answer): a named slot, or a slot of a
// page that several form types share (Form 8949) with its form type.
struct Line {
    Line(SlotRef field, std::string text, int page = 0)
        : formType(field.formType), slot(field.slot), text(std::move(text)), page(page)
    {
    }
    Line(int formType, int slot, std::string text, int page = 0)
        : formType(formType), slot(slot), text(std::move(text)), page(page)
    {
    }
    int formType;
    int slot;
    std::string text;
    int page = 0;
};

struct HandWorkedReturn {
    std::string name;
    void (*build)(ReturnFixture&);
    std::vector<Line> lines;
};

inline void PrintTo(const HandWorkedReturn& r, std::ostream* os) { *os << r.name; }

const std::vector<HandWorkedReturn>& HandWorkedReturns();
const HandWorkedReturn& HandWorkedReturnNamed(const std::string& name);

}  // namespace quorvan::test::engine2
