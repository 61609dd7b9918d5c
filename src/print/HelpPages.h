#pragma once
// The help the program opens without a network: the manual in the program folder, and the help
// pages below it, each kept at the path the page has on the maker's web site ("help/...").
// The desktop program opens them with the desktop's browser or PDF viewer.

#include <string>
#include <vector>

namespace quorvan {

constexpr const char* kManualFileName = "quorvan_16.pdf";                            // Help > Manual
constexpr const char* kHelpContentsPage = "help/quorvan_16/default.htm";              // Help > Table of Contents
constexpr const char* kHelpTutorialPage = "help/quorvan_16/tutorial/tutorial.htm";    // Help > Tutorial
constexpr const char* kHelpShrinkFontPage = "help/kelsub10/options_menu/shrink_fonts.htm";  // "?" of Shrink Font

// Every help page the program opens by name, relative to the program folder.
const std::vector<std::string>& HelpPages();

// The file of `page` (one of the names above) below `programFolder`.
std::string HelpPagePath(const std::string& programFolder, const std::string& page);

}  // namespace quorvan
