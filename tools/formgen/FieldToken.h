// A field token of a description: <kind><slot>[:<name>][.<style>][@<position>][#<width>[x<height>]],
// for example d56:line22Taxable.g, t0@210#400 or m22#300x60. The layout, the slot headers and the
// line names all read fields through this one parser.
#pragma once

#include <string>

namespace formgen {

struct FieldToken {
    char kind = 0;  // d c p t n x e m a
    int slot = -1;
    std::string name;      // the slot's name in code, or empty
    char style = 0;        // 'g' guarded, 'r' always computed, 0 an entry
    std::string position;  // "", "R", "M" or an offset from the region's left edge
    int width = 0;         // 0: the kind's own width
    int height = 0;        // 0: the kind's own height
};

// True when `text` can name a slot in code: a letter, then letters, digits and underscores.
bool IsSlotName(const std::string& text);

// Reads `token` into `field`; false (with `field` unspecified) when it is not a well-formed field.
// `kinds` lists the kinds allowed where the token stands.
bool ReadFieldToken(const std::string& token, FieldToken& field, const std::string& kinds = "dcptnxema");

// Splits "<number>[:<name>]"; false when the number part is not a number or the name is malformed.
bool ReadNamedNumber(const std::string& token, int& number, std::string& name);

}  // namespace formgen
