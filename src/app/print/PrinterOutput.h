#pragma once
// What the program's page windows send to a printer: the pages of the print range the preparer
// chose (every page, a range, or the page shown), the copies the printer cannot make itself, and
// a PDF file as a printer's output written through the program's one safe writer.

#include <QString>

#include <functional>
#include <vector>

class QPrinter;

namespace quorvan::app {

// The pages (from 0) of `count` the printer's range asks for; `current` is the page shown.
std::vector<int> PagesInRange(const QPrinter& printer, int count, int current);

// `pages` as often as the printer's copy count asks when the printer cannot make copies itself:
// one whole set after the other when it collates, else each page so many times in turn.
std::vector<int> WithCopies(const std::vector<int>& pages, const QPrinter& printer);

// Runs `paint` on the printer. A printer that writes a PDF file writes a scratch file instead,
// which then replaces the chosen file through the safe writer (a new file is its owner's only).
// Errors: false with a sentence for the preparer in `error`.
bool PrintSafely(QPrinter& printer, const std::function<bool(QPrinter&)>& paint, QString& error);

}  // namespace quorvan::app
