#pragma once
// Realistic 2016 returns that reach Schedules I, J and K-1 and the companion forms: an estate
// with four beneficiaries, two trusts owing alternative minimum tax, a final return, a short
// year and a funeral trust, each with the lines worked out by hand from the IRS forms.

#include "support/ReturnFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvan::test::engine3 {

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
    std::string fileName;  // golden client file and dump in tests/data, without extension
    void (*build)(ReturnFixture&);
    std::vector<Line> lines;
};

const std::vector<HandWorkedReturn>& HandWorkedReturns();

// The form types these returns are compared on in the golden dumps.
bool ComparedFormType(int formType);

}  // namespace quorvan::test::engine3
