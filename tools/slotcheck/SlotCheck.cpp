#include "SlotCheck.h"

#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace slotcheck {
namespace {

// The text with comments and the contents of string and character literals blanked, line ends
// kept, so that positions still give line numbers.
std::string CodeOnly(const std::string& text)
{
    std::string code = text;
    size_t i = 0;
    while (i < code.size()) {
        if (code.compare(i, 2, "//") == 0) {
            while (i < code.size() && code[i] != '\n')
                code[i++] = ' ';
        } else if (code.compare(i, 2, "/*") == 0) {
            while (i < code.size() && code.compare(i, 2, "*/") != 0) {
                if (code[i] != '\n')
                    code[i] = ' ';
                ++i;
            }
            for (int n = 0; n < 2 && i < code.size(); ++n)
                code[i++] = ' ';
        } else if (code[i] == '"' || code[i] == '\'') {
            const char quote = code[i++];
            // A raw string R"(...)" ends at )" ; an ordinary one at the next unescaped quote.
            const bool raw = quote == '"' && i >= 2 && code[i - 2] == 'R';
            while (i < code.size()) {
                if (raw ? code.compare(i, 2, ")\"") == 0 : code[i] == quote) {
                    if (raw)
                        code[i++] = ' ';
                    break;
                }
                if (!raw && code[i] == '\\' && i + 1 < code.size()) {
                    code[i++] = ' ';
                }
                if (code[i] != '\n')
                    code[i] = ' ';
                ++i;
            }
            ++i;
        } else {
            ++i;
        }
    }
    return code;
}

int LineAt(const std::string& text, size_t pos)
{
    int line = 1;
    for (size_t i = 0; i < pos && i < text.size(); ++i)
        if (text[i] == '\n')
            ++line;
    return line;
}

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The arguments of the call whose "(" stands at `open`, split at its top-level commas; empty
// when the parenthesis does not close.
std::vector<std::string> Arguments(const std::string& code, size_t open, size_t& close)
{
    std::vector<std::string> args;
    int depth = 0;
    size_t start = open + 1;
    for (size_t i = open; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if (c == ')' || c == ']' || c == '}') {
            if (--depth == 0) {
                args.push_back(Trim(code.substr(start, i - start)));
                close = i;
                return args;
            }
        } else if (c == ',' && depth == 1) {
            args.push_back(Trim(code.substr(start, i - start)));
            start = i + 1;
        }
    }
    return {};
}

// True when `expression` holds an integer literal outside any parentheses it contains:
// "8 * row + 12" does, "Slot(1, gain)" and "line.slot" do not.
bool HasTopLevelIntegerLiteral(const std::string& expression)
{
    int depth = 0;
    for (size_t i = 0; i < expression.size(); ++i) {
        const char c = expression[i];
        if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
        } else if (depth == 0 && std::isdigit(static_cast<unsigned char>(c))) {
            const bool partOfName = i > 0 && (std::isalnum(static_cast<unsigned char>(expression[i - 1])) ||
                                              expression[i - 1] == '_' || expression[i - 1] == '.');
            if (partOfName)
                continue;
            size_t end = i;
            while (end < expression.size() && std::isalnum(static_cast<unsigned char>(expression[end])))
                ++end;
            const bool floating = end < expression.size() && expression[end] == '.';
            if (!floating)
                return true;
            i = end;
        }
    }
    return false;
}

// True when `expression` names one of `constants` outside any parentheses and not as a member or a
// qualified name: "line8 + c" names line8, "f1::line8.slot" and "Slot(line8)" do not.
bool HasTopLevelName(const std::string& expression, const std::set<std::string>& constants)
{
    int depth = 0;
    for (size_t i = 0; i < expression.size();) {
        const char c = expression[i];
        if (c == '(' || c == '[' || c == '{') {
            ++depth;
            ++i;
        } else if (c == ')' || c == ']' || c == '}') {
            --depth;
            ++i;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            size_t end = i;
            while (end < expression.size() &&
                   (std::isalnum(static_cast<unsigned char>(expression[end])) || expression[end] == '_'))
                ++end;
            const bool qualified = (i > 0 && (expression[i - 1] == '.' || expression[i - 1] == ':')) ||
                                   expression.compare(end, 2, "::") == 0;
            if (depth == 0 && !qualified && constants.count(expression.substr(i, end - i)))
                return true;
            i = end;
        } else {
            ++i;
        }
    }
    return false;
}

bool NamesFormType(const std::string& argument)
{
    static const std::regex formType(
        R"(^(quorvan::)?ft[A-Z]\w*$|^\d+$|^t$|^[A-Z][A-Z0-9]*$|^\w*[Tt]ype$|^[\w.>-]*(\.|->)formType$|^(\w+::)*kFormType$)");
    return std::regex_match(argument, formType);
}

// The slot argument of each accessor by its argument count (from 0); -1: not an answer access.
int SlotArgument(const std::string& name, size_t count)
{
    static const std::map<std::string, std::map<size_t, int>> kAccessors = {
        {"Text", {{2, 1}, {3, 2}}},
        {"SetText", {{4, 2}}},
        {"OvRide", {{3, 2}}},
        {"SetOvRide", {{4, 2}}},
        {"Get", {{2, 1}, {3, 2}}},
        {"Set", {{3, 1}, {4, 2}}},
        {"Override", {{4, 2}}},
        {"Amt", {{2, 1}, {3, 2}}},
        {"Cents", {{2, 1}, {3, 2}}},
        {"Unrounded", {{2, 1}, {3, 2}}},
        {"Ticked", {{2, 1}, {3, 2}}},
        {"Overridden", {{2, 1}, {3, 2}}},
        {"PutTextAlways", {{3, 1}, {4, 2}}},
        {"PutAlways", {{3, 1}, {4, 2}}},
        {"PutTextGuarded", {{3, 1}, {4, 2}}},
        {"PutGuarded", {{3, 1}, {4, 2}}},
        {"Amount", {{2, 1}, {3, 2}}},
        {"Blank", {{2, 1}, {3, 2}}},
    };
    const auto accessor = kAccessors.find(name);
    if (accessor == kAccessors.end())
        return -1;
    const auto slot = accessor->second.find(count);
    return slot == accessor->second.end() ? -1 : slot->second;
}

bool RawLine(const std::string& text, int line)
{
    std::istringstream in(text);
    std::string content;
    for (int n = 1; std::getline(in, content); ++n)
        if (n == line)
            return content.find("slot-check: raw") != std::string::npos;
    return false;
}

}  // namespace

std::vector<Finding> CheckSource(const std::string& text)
{
    const std::string code = CodeOnly(text);
    std::vector<Finding> findings;
    auto add = [&](size_t pos, const char* rule, const std::string& what) {
        const int line = LineAt(code, pos);
        if (!RawLine(text, line))
            findings.push_back({line, rule, what});
    };

    static const std::regex alias(
        R"(\b(?:constexpr|const)\s+(?:static\s+)?(?:int|auto|FormType)\s+(\w+)\s*=\s*(?:quorvan::)?ft[A-Z]\w*\s*;|#\s*define\s+\w+\s+(?:quorvan::)?ft[A-Z]\w*\b)");
    for (auto it = std::sregex_iterator(code.begin(), code.end(), alias); it != std::sregex_iterator(); ++it)
        add(static_cast<size_t>(it->position()), "alias", Trim(it->str()));

    // Integer constants with a literal value; one that is handed to an accessor as its slot is a
    // slot number by another name.
    std::set<std::string> literalConstants;
    static const std::regex literalConstant(R"(\b(?:constexpr|const)\s+(?:static\s+)?int\s+(\w+)\s*=\s*[-+]?\d+\s*;)");
    for (auto it = std::sregex_iterator(code.begin(), code.end(), literalConstant); it != std::sregex_iterator(); ++it)
        literalConstants.insert((*it)[1].str());
    static const std::regex enumBlock(R"(\benum\b[^{;]*\{([^}]*)\})");
    static const std::regex enumerator(R"((\w+)\s*=\s*[-+]?\d+)");
    for (auto it = std::sregex_iterator(code.begin(), code.end(), enumBlock); it != std::sregex_iterator(); ++it) {
        const std::string body = (*it)[1].str();
        for (auto e = std::sregex_iterator(body.begin(), body.end(), enumerator); e != std::sregex_iterator(); ++e)
            literalConstants.insert((*e)[1].str());
    }

    static const std::regex call(R"(\b([A-Z]\w*)\s*\()");
    for (auto it = std::sregex_iterator(code.begin(), code.end(), call); it != std::sregex_iterator(); ++it) {
        const size_t open = static_cast<size_t>(it->position() + it->length() - 1);
        size_t close = open;
        const std::vector<std::string> args = Arguments(code, open, close);
        const int slot = SlotArgument((*it)[1].str(), args.size());
        if (slot < 0 || !NamesFormType(args.front()))
            continue;
        const std::string& slotArgument = args[static_cast<size_t>(slot)];
        const std::string callText =
            code.substr(static_cast<size_t>(it->position()), close + 1 - static_cast<size_t>(it->position()));
        if (HasTopLevelIntegerLiteral(slotArgument))
            add(static_cast<size_t>(it->position()), "literal", callText);
        else if (HasTopLevelName(slotArgument, literalConstants))
            add(static_cast<size_t>(it->position()), "constant", callText);
    }

    // int kTotalSlot = 86;  kAllocatedK1Slots = {29, 30};  enum { ..., nameSlot = 3 }
    static const std::regex constant(
        R"(\b(\w*[Ss][Ll][Oo][Tt]\w*)\s*(?:\[\s*\d*\s*\])?\s*=\s*\{?\s*[-+]?\d+\s*[,;}\n])");
    for (auto it = std::sregex_iterator(code.begin(), code.end(), constant); it != std::sregex_iterator(); ++it) {
        // A loop or local variable counted from a literal ("for (int slot = 0; ...") is no constant.
        const size_t start = static_cast<size_t>(it->position());
        const size_t lineStart = code.rfind('\n', start) == std::string::npos ? 0 : code.rfind('\n', start) + 1;
        const std::string before = code.substr(lineStart, start - lineStart);
        const bool declared = before.find("constexpr") != std::string::npos ||
                              before.find("const ") != std::string::npos || before.find("enum") != std::string::npos ||
                              Trim(before).empty() || Trim(before).back() == ',' || Trim(before).back() == '{';
        if (declared && before.find("for (") == std::string::npos)
            add(start, "constant", Trim(it->str()));
    }
    return findings;
}

}  // namespace slotcheck
