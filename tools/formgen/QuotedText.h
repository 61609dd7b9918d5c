// A text between double quotes, with its quotes and backslashes escaped by a backslash: how the
// painted layouts (src/print/PaintedLayout.h reads them) and the generated C++ sources write a text.
#pragma once

#include <string>

namespace formgen {

std::string QuotedText(const std::string& text);

}  // namespace formgen
