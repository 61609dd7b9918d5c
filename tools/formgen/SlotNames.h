// The names a description gives its slots (d56:line22Taxable, a table's first slot, a slot no page
// shows) and the C++ header that declares them, so that calculators, the window and the tests
// address every slot by its name and no slot number is written twice.
#pragma once

#include "FormDescription.h"

#include <string>
#include <vector>

namespace formgen {

struct NamedSlot {
    std::string name;
    int slot = -1;
    char kind = 0;     // the field's kind; 0 for a slot no page shows
    std::string note;  // why a slot no page shows is kept
};

// A table's rows: row r (from 0) column c is slot first + r * stride + c.
struct NamedTable {
    std::string name;
    int first = 0;
    int stride = 0;
    int rows = 0;
    std::vector<NamedSlot> columns;  // slot: the column's offset in the row
};

struct SlotNames {
    std::string space;  // the namespace: "form1041Page1"
    int layout = 0;
    std::vector<int> formTypes;    // the form types the page shows
    std::vector<NamedSlot> slots;  // in slot order
    std::vector<NamedTable> tables;
};

// Errors: throws DescriptionError (file and line) when one name stands for two slots, a slot has
// two names, a named field is on a page without a name, or a slot no page shows is also on it.
SlotNames CollectSlotNames(const PageDescription& page);

// The header slot/<Space>.h: namespace quorvan::slot::<space> with one constant per name and one
// nested namespace per table. A page that shows one form type names SlotRefs (form type and slot),
// so that a slot cannot be read from another form; a page of several form types (Form 8949) names
// slot numbers, read with the form type in hand.
std::string WriteSlotHeader(const SlotNames& names, const std::string& sourceName);

// "form1041Page1" -> "Form1041Page1", the header's file name.
std::string HeaderStem(const std::string& space);

}  // namespace formgen
