// Writes a laid-out page as Qt Designer UI XML, the screen layout file the program loads.
#pragma once

#include "PageLayout.h"

#include <string>

namespace formgen {

std::string WriteUiXml(const PageLayout& layout);

}  // namespace formgen
