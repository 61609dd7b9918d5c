#include "print/RtfMerge.h"

#include "files/Cp1252.h"
#include "messages/Messages.h"
#include "print/PrintedFigures.h"
#include "print/TaxExemptStatement.h"
#include "store/Dates.h"
#include "store/FormTypes.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

namespace quorvan {
namespace {

constexpr int kMaxSupportLines = 400;
constexpr const char* kBodyMarker = "\\'b7";
constexpr const char* kTypeCharacters = "*<$#+%&@^";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The file `name` in `folder`, its name compared without regard to case (the installed names
// come from a case-insensitive file system). Empty when there is none.
std::string FindFileNoCase(const std::string& folder, const std::string& name)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path exact = fs::path(folder) / name;
    if (fs::is_regular_file(exact, error))
        return exact.string();
    const std::string wanted = Lower(name);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (Lower(it->path().filename().string()) == wanted && it->is_regular_file(error))
            return it->path().string();
    }
    return std::string();
}

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return false;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return false;
    bytes.resize(static_cast<size_t>(size));
    in.seekg(0);
    in.read(bytes.data(), size);
    return static_cast<bool>(in);
}

// A template's lines joined with CR LF, each line ended by one.
bool ReadTemplateFile(const std::string& folder, const std::string& name, std::string& text)
{
    const std::string path = FindFileNoCase(folder, name);
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes))
        return false;
    text.clear();
    text.reserve(bytes.size() + bytes.size() / 32 + 2);
    const size_t n = bytes.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            text.push_back(c);
            continue;
        }
        text += "\r\n";
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
    }
    if (n > 0 && bytes[n - 1] != '\r' && bytes[n - 1] != '\n')
        text += "\r\n";
    return true;
}

// An optional sign and decimal digits, within the range of int.
bool ParseInteger(const std::string& token, int& value)
{
    size_t i = token.empty() || (token[0] != '-' && token[0] != '+') ? 0 : 1;
    if (i >= token.size())
        return false;
    long long magnitude = 0;
    for (; i < token.size(); ++i) {
        if (!IsDigit(token[i]))
            return false;
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    const long long signedValue = token[0] == '-' ? -magnitude : magnitude;
    if (signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool ParseReal(const std::string& token)
{
    if (token.empty())
        return false;
    char* end = nullptr;
    std::strtod(token.c_str(), &end);
    return *end == '\0';
}

// One support file line: three integers, three reals and an integer, then anything.
bool ReadSupportLine(const char* line, const char* end)
{
    for (int field = 0; field < 7; ++field) {
        while (line < end && (*line == ' ' || *line == '\t'))
            ++line;
        const char* tokenEnd = line;
        while (tokenEnd < end && *tokenEnd != ' ' && *tokenEnd != '\t')
            ++tokenEnd;
        if (tokenEnd == line)
            return false;
        const std::string token(line, tokenEnd);
        int whole = 0;
        const bool real = field >= 3 && field <= 5;
        if (real ? !ParseReal(token) : !ParseInteger(token, whole))
            return false;
        line = tokenEnd;
    }
    return true;
}

using SupportFile = TRtfMerge::SupportFile;

SupportFile CheckSupportFile(const std::string& folder, const std::string& name)
{
    const std::string path = FindFileNoCase(folder, name);
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes))
        return SupportFile::Unreadable;
    int lines = 0;
    const char* const data = bytes.data();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        const size_t first = start;
        start = end + 1;
        size_t i = first;
        while (i < lineEnd && (bytes[i] == ' ' || bytes[i] == '\t'))
            ++i;
        if (i == lineEnd)
            continue;  // reading numbers passes over empty lines
        if (++lines > kMaxSupportLines)
            return SupportFile::Unreadable;
        if (!ReadSupportLine(data + first, data + lineEnd))
            return SupportFile::BadLine;
    }
    return SupportFile::Read;
}

// The number at `index` of `text`, up to the first blank, "\", "{" or "}". The text read so far
// is converted after each character; once a character spoils it, every later one does too.
int ReadNumberAt(const std::string& text, size_t index)
{
    if (index + 4 >= text.size()) {
        ShowMessageByCode(21070);
        return -1;
    }
    int value = 0;
    long long magnitude = 0;
    bool negative = false;
    bool spoiled = false;
    for (size_t i = index; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\\' || c == '{' || c == '}')
            break;
        const bool sign = i == index && (c == '-' || c == '+');
        if (sign)
            negative = c == '-';
        else if (!IsDigit(c))
            spoiled = true;
        else if (!spoiled)
            magnitude = magnitude * 10 + (c - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + (negative ? 1 : 0))
            spoiled = true;
        if (spoiled || sign) {  // "-" alone does not convert either
            ShowMessageByCode(21060);
            continue;
        }
        value = static_cast<int>(negative ? -magnitude : magnitude);
    }
    return value;
}

// Ballot boxes U+2612 and U+2610, with the Wingdings letters as fallback characters.
constexpr const char* kTickedBox = "\\u9746x";
constexpr const char* kEmptyBox = "\\u9744o";

// Every answer prints in black: a filed return carries no colour, even where a figure was overridden.
std::string FormatVariable(char type, const std::string& answer, const std::string& wingdings, int fontSize)
{
    std::string formatted;
    switch (type) {
    case '*':
    case '<':
        return RtfText(answer);
    case '$':
        return PrintedAmount(answer);
    case '#':
        return PrintedWholeDollars(answer, formatted) ? formatted : std::string();
    case '+':
        return PrintedAmountInParentheses(answer);
    case '@':
        if (!PrintedWholeDollars(answer, formatted))
            return std::string();
        return formatted.size() < 8 ? std::string(8 - formatted.size(), ' ') + formatted : formatted;
    case '%':
        return PrintedPercentage(answer);
    case '&':
        return wingdings + "\\fs20 " + (answer == "X" ? kTickedBox : kEmptyBox) + "\\fs" +
               std::to_string(fontSize) + "\\f0 ";
    case '^': {
        const std::string date = NormaliseDate(answer).ok ? LongDate(answer) : answer;
        return RtfText(date);
    }
    default:
        return std::string();
    }
}

// Removes line ends, blanks and one "}" from the end of `text`, never cutting below `floor`.
void TrimEnd(std::string& text, size_t floor, bool apostropheToo)
{
    while (text.size() > floor) {
        const char last = text.back();
        if (last != '\n' && last != '\r' && last != ' ' && last != '}' && !(apostropheToo && last == '\''))
            break;
        text.pop_back();
        if (last == '}')
            break;
    }
}

void AppendUtf8(std::string& out, unsigned codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// Decodes one UTF-8 character at `i`; false (and one byte consumed) for a malformed sequence.
bool DecodeUtf8(const std::string& text, size_t& i, unsigned& codePoint)
{
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned lead = byte(i);
    const int length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) {
        ++i;
        return false;
    }
    unsigned value = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (int n = 1; n < length; ++n) {
        const unsigned next = byte(i + static_cast<size_t>(n));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        value = (value << 6) | (next & 0x3F);
    }
    const unsigned minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += static_cast<size_t>(length);
    codePoint = value;
    return true;
}

std::string HexEscape(unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    return std::string("\\'") + digits[byte >> 4] + digits[byte & 0x0F];
}

// RTF's \u takes a signed 16-bit number.
std::string UnicodeEscape(unsigned unit)
{
    return "\\u" + std::to_string(unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit));
}

}  // namespace

int TemplateFormType(int formType)
{
    return LayoutOf(formType);
}

std::string WingdingsSelector(const std::string& pageText)
{
    if (pageText.find("Wingdings") == std::string::npos)
        return std::string();
    const size_t fontTable = pageText.find("fonttbl");
    if (fontTable == std::string::npos)
        return std::string();
    for (size_t at = pageText.find("\\f", fontTable); at != std::string::npos; at = pageText.find("\\f", at + 2)) {
        size_t digits = 0;
        while (digits < 3 && at + 2 + digits < pageText.size() && IsDigit(pageText[at + 2 + digits]))
            ++digits;
        if (digits == 0)
            continue;
        const size_t semicolon = pageText.find(';', at);
        const std::string entry = pageText.substr(at, semicolon == std::string::npos ? std::string::npos : semicolon - at);
        if (Lower(entry).find("wingdings") != std::string::npos)
            return pageText.substr(at, 2 + digits) + " ";
    }
    return std::string();
}

std::string RtfText(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size() + 8);
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            ++i;
            if (c == '\t') {
                out += "\\tab ";
                continue;
            }
            // NUL, BEL, ESC and the other controls are no text and have no place in RTF.
            if (c < 0x20 || c == 0x7F)
                continue;
            if (c == '\\' || c == '{' || c == '}')
                out.push_back('\\');
            out.push_back(static_cast<char>(c));
            continue;
        }
        unsigned codePoint = 0;
        if (!DecodeUtf8(utf8, i, codePoint)) {
            out += HexEscape(c);  // a stray byte: taken as Windows-1252
            continue;
        }
        if (codePoint > 0xFFFF) {
            const unsigned offset = codePoint - 0x10000;
            out += UnicodeEscape(0xD800 + (offset >> 10)) + "?" + UnicodeEscape(0xDC00 + (offset & 0x3FF)) + "?";
            continue;
        }
        std::string character;
        AppendUtf8(character, codePoint);
        const std::string ansi = Utf8ToCp1252(character);
        const bool hasAnsi = ansi.size() == 1 && ansi != "?";
        out += UnicodeEscape(codePoint) + (hasAnsi ? HexEscape(static_cast<unsigned char>(ansi[0])) : "?");
    }
    return out;
}

std::string SevenBitRtf(const std::string& document)
{
    std::string out;
    out.reserve(document.size());
    for (const char c : document) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out.push_back(c);
        else
            out += HexEscape(byte);
    }
    return out;
}

TRtfMerge::TRtfMerge(PrintFolders folders) : folders_(std::move(folders)) {}

bool TRtfMerge::ReadTemplate(const std::string& name, std::string& text)
{
    if (!caching_)
        return ReadTemplateFile(folders_.templates, name, text);
    const std::string key = Lower(name);
    if (const auto it = templateCache_.find(key); it != templateCache_.end()) {
        text = it->second;
        return true;
    }
    if (!ReadTemplateFile(folders_.templates, name, text))
        return false;
    templateCache_.emplace(key, text);
    return true;
}

SupportFile TRtfMerge::ReadSupport(const std::string& name)
{
    if (!caching_)
        return CheckSupportFile(folders_.support, name);
    const std::string key = Lower(name);
    if (const auto it = supportCache_.find(key); it != supportCache_.end())
        return it->second;
    const SupportFile result = CheckSupportFile(folders_.support, name);
    supportCache_.emplace(key, result);
    return result;
}

bool TRtfMerge::LoadTemplate(int t)
{
    const std::string name = "page" + std::to_string(TemplateFormType(t)) + ".rtf";
    std::string text;
    if (!ReadTemplate(name, text)) {
        ShowMessageByCode(11140, folders_.templates + "/" + name);
        return false;
    }
    page_ = std::move(text);
    return true;
}

bool TRtfMerge::MergePage(const TAnswer& answers, int t, int k)
{
    const std::string name = "PAGE" + std::to_string(TemplateFormType(t)) + ".DAT";
    const std::string path = folders_.support + "/" + name;
    switch (ReadSupport(name)) {
    case SupportFile::Unreadable:
        ShowMessageByCode(11120, path);
        return false;
    case SupportFile::BadLine:
        ShowMessageByCode(21011);
        return true;
    case SupportFile::Read:
        break;
    }
    try {
        page_ = Substitute(answers, page_, t, k);
    } catch (const std::exception&) {
        ShowMessageByCode(11120, path);
        return false;
    }
    return true;
}

bool TRtfMerge::AppendPage(const TAnswer& answers, int t, int k)
{
    page_.clear();
    const std::string name = "PAGE" + std::to_string(TemplateFormType(t)) + ".RTF";
    if (!ReadTemplate(name, page_)) {
        ShowMessageByCode(11130, folders_.templates + "/" + name);
        return false;
    }
    if (!MergePage(answers, t, k))
        return false;
    const size_t marker = page_.find(kBodyMarker);
    const size_t bodyStart = marker == std::string::npos ? 0 : marker + std::char_traits<char>::length(kBodyMarker);
    TrimEnd(document_, 0, true);
    const size_t pageStart = document_.size();
    // The page starts with a break before its first paragraph: a word processor keeps that
    // where it may drop a \\page that stands between two tables (LibreOffice then runs a page
    // that does not fill its sheet on into the next one).
    document_ += "\\pagebb ";
    document_.append(page_, bodyStart, std::string::npos);
    TrimEnd(document_, pageStart, false);
    document_ += '}';
    return true;
}

bool TRtfMerge::BuildDocument(const TAnswer& answers, const std::vector<PrintPage>& pages)
{
    // The files do not change while one document is built: each is read once.
    caching_ = true;
    templateCache_.clear();
    supportCache_.clear();
    const bool built = BuildPages(answers, pages);
    caching_ = false;
    templateCache_.clear();
    supportCache_.clear();
    return built;
}

bool TRtfMerge::BuildPages(const TAnswer& answers, const std::vector<PrintPage>& pages)
{
    document_.clear();
    bool first = true;
    for (const PrintPage& page : pages) {
        if (first) {
            // A first page whose support file has a bad line starts the document unmerged.
            if (!LoadTemplate(page.formType) || !MergePage(answers, page.formType, page.page))
                return false;
            document_ = page_;
            first = false;
        } else if (!AppendPage(answers, page.formType, page.page)) {
            return false;
        }
    }
    return true;
}

int TRtfMerge::GetNumFromText(size_t i)
{
    return ReadNumberAt(page_, i == 0 ? page_.size() : i - 1);
}

// Replaces the variables of `in` with the answers of page [t/k], copying everything else.
// Worked example: "/$1\r\n2/" is slot 12; "/$012/" reads as 12 but, with the token length taken
// from the value, removes only "/$012" and leaves the closing "/" behind.
std::string TRtfMerge::Substitute(const TAnswer& answers, const std::string& in, int t, int k)
{
    const std::string wingdings = WingdingsSelector(in);
    const size_t n = in.size();
    std::string out;
    out.reserve(n + n / 8);

    // The text ahead is `in` from i on; the scan looks at a position while three characters
    // follow it.
    size_t i = 0;
    const size_t scanEnd = n >= 4 ? n - 4 : 0;
    while (i < scanEnd) {
        // Only "\" and "/" start anything; copy the run of text before the next one whole.
        size_t next = i;
        while (next < scanEnd && in[next] != '\\' && in[next] != '/')
            ++next;
        out.append(in, i, next - i);
        i = next;
        if (i >= scanEnd)
            break;
        const char c = in[i];
        if (c == '\\' && in[i + 1] == 'f' && in[i + 2] == 's' && IsDigit(in[i + 3]))
            fontSize_ = ReadNumberAt(in, i + 3);
        if (c != '/') {
            out.push_back(c);
            ++i;
            continue;
        }
        // at[j]: where position pos + j of the variable is in `in`, line ends dropped.
        size_t at[5] = {i, 0, 0, 0, 0};
        auto skipLineEnds = [&](size_t from) {
            while (from < n && IsLineEnd(in[from]))
                ++from;
            return from;
        };
        at[1] = skipLineEnds(i + 1);
        if (at[1] >= n) {
            out.push_back('/');
            return out;
        }
        const char type = in[at[1]];
        if (std::char_traits<char>::find(kTypeCharacters, 9, type) == nullptr) {
            out.push_back('/');
            i = at[1];
            continue;
        }
        int known = 1;  // at[0..known] are placed
        bool textEnded = false;
        int number = 0;
        for (int j = 2; j <= 4; ++j) {
            at[j] = skipLineEnds(at[j - 1] + 1);
            if (at[j] >= n) {
                textEnded = true;
                break;
            }
            known = j;
            const char digit = in[at[j]];
            if (j >= 3 && digit == '/')
                break;
            number = number * 10 + (digit - '0');
        }
        if (textEnded) {
            out.push_back('/');
            for (int j = 1; j <= known; ++j)
                out.push_back(in[at[j]]);
            return out;
        }

        SetLastMergedVariable(t, number);
        if (number < 0 || number > kSlotCount.at(static_cast<size_t>(t)))
            throw std::out_of_range("template variable outside the page");
        const int tokenLength = number < 10 ? 4 : number < 100 ? 5 : 6;
        const int last = tokenLength - 1;  // position pos + last ends the token
        i = last <= known ? at[last] + 1 : at[known] + static_cast<size_t>(last - known) + 1;
        i = std::min(i, n);
        out += FormatVariable(type, AnswerToPrint(answers, t, k, number), wingdings, fontSize_);
    }
    out.append(in, i, std::string::npos);
    return out;
}

}  // namespace quorvan
