#include "FormDescription.h"

#include "FieldToken.h"

#include <sstream>

namespace formgen {
namespace {

[[noreturn]] void Fail(const std::string& source, int line, const std::string& what)
{
    throw DescriptionError(source + ":" + std::to_string(line) + ": " + what);
}

std::vector<Token> Tokenize(const std::string& line, const std::string& source, int lineNo)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;  // the rest of the line is a comment
        } else if (c == '"') {
            Token token;
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '\\' && i + 1 < line.size()) {
                    char next = line[i + 1];
                    token.text += next == 'n' ? '\n' : next;
                    i += 2;
                } else if (line[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    token.text += line[i++];
                }
            }
            if (!closed)
                Fail(source, lineNo, "unterminated string");
            tokens.push_back(token);
        } else {
            Token token;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                token.text += line[i++];
            tokens.push_back(token);
        }
    }
    return tokens;
}

int HeaderNumber(const std::string& value, const std::string& source, int lineNo)
{
    if (value == "-")
        return -1;
    try {
        size_t used = 0;
        int number = std::stoi(value, &used);
        if (used == value.size())
            return number;
    } catch (const std::exception&) {
    }
    Fail(source, lineNo, "not a number: " + value);
}

// The printed height of an ordinary line: points, a decimal fraction allowed (11.5).
double PrintRowPoints(const std::string& value, const std::string& source, int lineNo)
{
    try {
        size_t used = 0;
        const double points = std::stod(value, &used);
        if (used == value.size() && points >= 6 && points <= 40)
            return points;
    } catch (const std::exception&) {
    }
    Fail(source, lineNo, "printrow is a height in points from 6 to 40: " + value);
}

// The media a prefix word names; 0 for a word that is none.
unsigned MediaOf(const std::string& word)
{
    if (word == "screen")
        return kOnScreen;
    if (word == "print" || word == "rtf" || word == "paint")
        return kOnPaper;
    return 0;
}

// Statements only paper can follow: a further sheet, thirds of a sheet, a cut line and the
// vertical labels beside a section.
bool IsPaintedOnly(const std::string& keyword)
{
    return keyword == "sheet" || keyword == "third" || keyword == "cut" || keyword == "side" || keyword == "endside";
}

}  // namespace

bool Statement::ShowsOn(Medium medium) const
{
    switch (medium) {
    case Medium::Screen: return (media & kOnScreen) != 0;
    case Medium::Print:
    case Medium::Paint: return (media & kOnPaper) != 0;
    }
    return false;
}

PageDescription ParseDescription(const std::string& text, const std::string& sourceName)
{
    PageDescription page;
    page.sourceName = sourceName;
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    bool haveHeader = false;
    while (std::getline(in, line)) {
        ++lineNo;
        std::vector<Token> tokens = Tokenize(line, sourceName, lineNo);
        if (tokens.empty())
            continue;
        if (tokens[0].quoted)
            Fail(sourceName, lineNo, "a statement starts with a keyword");
        if (tokens[0].text == "page") {
            if (haveHeader)
                Fail(sourceName, lineNo, "second page header");
            haveHeader = true;
            if (tokens.size() < 2)
                Fail(sourceName, lineNo, "page needs its layout number");
            page.layoutNumber = HeaderNumber(tokens[1].text, sourceName, lineNo);
            for (size_t i = 2; i < tokens.size(); ++i) {
                const std::string& t = tokens[i].text;
                size_t eq = t.find('=');
                if (eq == std::string::npos)
                    Fail(sourceName, lineNo, "expected key=value: " + t);
                std::string key = t.substr(0, eq);
                if (key == "types") {
                    std::istringstream list(t.substr(eq + 1));
                    for (std::string type; std::getline(list, type, ',');)
                        page.formTypes.push_back(HeaderNumber(type, sourceName, lineNo));
                    continue;
                }
                if (key == "name") {
                    page.slotSpace = t.substr(eq + 1);
                    if (!IsSlotName(page.slotSpace))
                        Fail(sourceName, lineNo, "not a name: " + page.slotSpace);
                    continue;
                }
                int value = key == "printrow" ? 0 : HeaderNumber(t.substr(eq + 1), sourceName, lineNo);
                if (key == "width")
                    page.width = value;
                else if (key == "height")
                    page.height = value;
                else if (key == "focus")
                    page.focusTag = value;
                else if (key == "row")
                    page.rowHeight = value;
                else if (key == "printrow")
                    page.printRow = PrintRowPoints(t.substr(eq + 1), sourceName, lineNo);
                else
                    Fail(sourceName, lineNo, "unknown page property: " + key);
            }
            continue;
        }
        if (!haveHeader)
            Fail(sourceName, lineNo, "the description starts with its page header");
        Statement statement;
        size_t first = 0;
        unsigned media = 0;
        // Media words stand before the keyword, which is never quoted.
        while (first + 1 < tokens.size() && !tokens[first + 1].quoted && MediaOf(tokens[first].text) != 0)
            media |= MediaOf(tokens[first++].text);
        if (media != 0)
            statement.media = media;
        if (IsPaintedOnly(tokens[first].text)) {
            if (media & kOnScreen)
                Fail(sourceName, lineNo, tokens[first].text + " stands on paper only");
            statement.media = kOnPaper;
        }
        statement.keyword = tokens[first].text;
        statement.args.assign(tokens.begin() + first + 1, tokens.end());
        statement.sourceLine = lineNo;
        page.statements.push_back(statement);
    }
    if (!haveHeader)
        Fail(sourceName, lineNo, "no page header");
    if (page.formTypes.empty())
        page.formTypes.push_back(page.layoutNumber);
    return page;
}

}  // namespace formgen
