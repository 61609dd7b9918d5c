// Widths of printed text in the templates' face (Arial, or Liberation Sans with the same advance
// widths), so the generator knows how many lines a caption takes in its printed cell before any
// word processor sees it.
#pragma once

#include <string>
#include <vector>

namespace formgen {

// Width of the UTF-8 text in points at the given size. Characters the table lacks count as an
// em, so an estimate errs towards more lines, never fewer.
double PrintedWidth(const std::string& utf8, double pointSize, bool bold);

// Lines the text needs in a column of the given width (points), breaking between words as a word
// processor does; "\n" starts a new line. A word wider than the column stands on a line of its own.
int PrintedLines(const std::string& utf8, double widthPoints, double pointSize, bool bold);

// The lines themselves, as PrintedLines breaks them: blanks where a line breaks are dropped.
std::vector<std::string> BreakLines(const std::string& utf8, double widthPoints, double pointSize, bool bold);

// Height of one line of text at the size (points), single spacing.
double PrintedLineHeight(double pointSize);

}  // namespace formgen
