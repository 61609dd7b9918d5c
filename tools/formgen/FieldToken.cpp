#include "FieldToken.h"

#include <cctype>

namespace formgen {
namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Reads up to six digits at `i`; false when there are none or more.
bool ReadNumber(const std::string& token, size_t& i, int& value)
{
    const size_t start = i;
    while (i < token.size() && IsDigit(token[i]))
        ++i;
    if (i == start || i - start > 6)
        return false;
    value = std::stoi(token.substr(start, i - start));
    return true;
}

// Reads ":<name>" at `i` when it stands there.
bool ReadName(const std::string& token, size_t& i, std::string& name)
{
    if (i >= token.size() || token[i] != ':')
        return true;
    const size_t start = ++i;
    while (i < token.size() && (std::isalnum(static_cast<unsigned char>(token[i])) || token[i] == '_'))
        ++i;
    name = token.substr(start, i - start);
    return IsSlotName(name);
}

}  // namespace

bool IsSlotName(const std::string& text)
{
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return false;
    for (char c : text)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
            return false;
    return true;
}

bool ReadFieldToken(const std::string& token, FieldToken& field, const std::string& kinds)
{
    field = FieldToken{};
    if (token.empty() || kinds.find(token[0]) == std::string::npos)
        return false;
    size_t i = 0;
    field.kind = token[i++];
    if (!ReadNumber(token, i, field.slot) || !ReadName(token, i, field.name))
        return false;
    if (i < token.size() && token[i] == '.') {
        if (i + 1 >= token.size() || (token[i + 1] != 'g' && token[i + 1] != 'r'))
            return false;
        field.style = token[i + 1];
        i += 2;
    }
    if (i < token.size() && token[i] == '@') {
        ++i;
        if (i < token.size() && (token[i] == 'R' || token[i] == 'M')) {
            field.position = token.substr(i++, 1);
        } else {
            int x = 0;
            if (!ReadNumber(token, i, x))
                return false;
            field.position = std::to_string(x);
        }
    }
    if (i < token.size() && token[i] == '#') {
        ++i;
        if (!ReadNumber(token, i, field.width))
            return false;
        if (i < token.size() && token[i] == 'x') {
            ++i;
            if (!ReadNumber(token, i, field.height))
                return false;
        }
    }
    return i == token.size();
}

bool ReadNamedNumber(const std::string& token, int& number, std::string& name)
{
    size_t i = 0;
    name.clear();
    return ReadNumber(token, i, number) && ReadName(token, i, name) && i == token.size();
}

}  // namespace formgen
