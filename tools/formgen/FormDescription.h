// Reads a form page description (forms/page<N>.form): a page header and one statement per line.
// The statements keep everything a page needs on screen and on paper: line numbers, captions,
// the slot, kind and style of every field, and the order in which the form reads.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace formgen {

struct Token {
    std::string text;
    bool quoted = false;
};

// The three renderings of a page: the screen layout, the RTF print template, and the sheets the
// program paints itself (PDF, printers, the preview). The RTF template and the painted sheets are
// laid out from the same statements, so the word processor gets the sheets the program paints.
enum class Medium { Screen, Print, Paint };

// A statement's media as bits: `screen` names the screen, `print` the paper (`rtf` and `paint`
// are older words for it); both may stand together ("screen print band ...").
constexpr unsigned kOnScreen = 1;
constexpr unsigned kOnPaper = 2;
constexpr unsigned kEveryMedium = kOnScreen | kOnPaper;

struct Statement {
    std::string keyword;
    unsigned media = kEveryMedium;
    std::vector<Token> args;
    int sourceLine = 0;

    bool ShowsOn(Medium medium) const;
};

struct PageDescription {
    int layoutNumber = 0;
    std::string slotSpace;       // the namespace of the page's slot names in code ("form1041Page1")
    std::vector<int> formTypes;  // the form types the page shows; by default the layout number alone
    int width = 1000;
    int height = 2000;
    int focusTag = -1;     // -1: the page has no focus control
    int rowHeight = 26;    // height of an ordinary line of the form
    double printRow = 12;  // printed height in points of a line that holds a field
    std::string sourceName;
    std::vector<Statement> statements;
};

// A description that cannot be read; the message names the file and line.
class DescriptionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

PageDescription ParseDescription(const std::string& text, const std::string& sourceName);

}  // namespace formgen
