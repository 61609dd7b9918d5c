// Writes a laid-out page as the sheets the program paints itself (src/render): the rows and cells
// of its print template turned into rules, fills, lines of text already broken as the printed
// face sets them, and the places of its fields, in twips from the corner of the sheet. The
// format is described in src/print/PaintedLayout.h, which reads it.
#pragma once

#include "PageLayout.h"

#include <string>

namespace formgen {

// `layout` is the page laid out for Medium::Paint.
// Errors: throws DescriptionError as LayOutSheets does.
std::string WritePaintedLayout(const PageLayout& layout);

}  // namespace formgen
