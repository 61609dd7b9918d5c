// Writes a laid-out page as its print template (RTF with answer variables such as /$30/) and the
// template's support file (one line per variable: slot, x, y, width, height, point size, kind).
// Each line of the form becomes one table row whose cells sit where the screen page has them.
#pragma once

#include "PageLayout.h"

#include <string>

namespace formgen {

std::string WriteRtfTemplate(const PageLayout& layout);
std::string WriteSupportFile(const PageLayout& layout);

}  // namespace formgen
