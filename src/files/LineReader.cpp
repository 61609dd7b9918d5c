#include "files/LineReader.h"

#include "files/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace quorvan {
namespace {

// A number is read from at most this many characters of its line.
constexpr size_t kMaxTokenLength = 32;
const char kUtf8Signature[] = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The first blank-delimited token of a line, cut to kMaxTokenLength characters; without a
// leading "+".
std::string FirstToken(const std::string& line)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    const size_t end = line.find_first_of(" \t", start);
    return line.substr(start, std::min(end == std::string::npos ? line.size() - start : end - start, kMaxTokenLength));
}

std::string WithoutPlus(std::string token)
{
    if (!token.empty() && token[0] == '+')
        token.erase(0, 1);
    return token;
}

size_t Utf8Characters(const std::string& bytes)
{
    size_t characters = 0;
    for (const char c : bytes)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters;
}

}  // namespace

namespace {

std::string AllOf(std::istream& in)
{
    std::ostringstream bytes(std::ios::binary);
    if (in.rdbuf() && in.rdbuf()->sgetc() != std::char_traits<char>::eof())
        bytes << in.rdbuf();  // in blocks, not byte by byte
    return std::move(bytes).str();
}

}  // namespace

LineReader::LineReader(std::istream& in)
    : LineReader(AllOf(in))
{
}

LineReader::LineReader(std::string bytes)
    : bytes_(std::move(bytes))
{
    utf8_ = IsUtf8BeyondAscii(bytes_);
    if (utf8_ && bytes_.compare(0, sizeof kUtf8Signature - 1, kUtf8Signature) == 0)
        pos_ = sizeof kUtf8Signature - 1;
}

std::string LineReader::Decoded(const std::string& bytes) const
{
    return utf8_ ? bytes : Cp1252ToUtf8(bytes);
}

std::string LineReader::NextLineBytes()
{
    lastLine_ = linesEnded_ + 1;
    const size_t start = pos_;
    while (pos_ < bytes_.size() && !IsLineEnd(bytes_[pos_]))
        ++pos_;
    std::string line = bytes_.substr(start, pos_ - start);
    SkipLineEnd();
    return line;
}

std::string LineReader::ReadLine()
{
    return Decoded(NextLineBytes());
}

bool LineReader::ReadLine(std::string& line, size_t maxCharacters, size_t& characters)
{
    lastLine_ = linesEnded_ + 1;
    const size_t start = pos_;
    while (pos_ < bytes_.size() && !IsLineEnd(bytes_[pos_]))
        ++pos_;
    const size_t length = pos_ - start;
    // Counted without copying: a line of many megabytes is refused at once.
    characters = length;
    if (utf8_ && length > maxCharacters)
        characters = Utf8Characters(bytes_.substr(start, length));
    if (characters > maxCharacters) {
        line.clear();
        SkipLineEnd();
        return false;
    }
    line = Decoded(bytes_.substr(start, length));
    SkipLineEnd();
    return true;
}

// Moves past one line end ("\r\n", "\r" or "\n") at the current position.
bool LineReader::SkipLineEnd()
{
    if (pos_ >= bytes_.size() || !IsLineEnd(bytes_[pos_]))
        return false;
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++linesEnded_;
    return true;
}

size_t LineReader::NextTextLine() const
{
    size_t line = linesEnded_ + 1;
    for (size_t i = pos_; i < bytes_.size(); ++i) {
        if (!IsBlank(bytes_[i]))
            return line;
        if (bytes_[i] == '\n' || (bytes_[i] == '\r' && (i + 1 >= bytes_.size() || bytes_[i + 1] != '\n')))
            ++line;
    }
    return 0;
}

bool LineReader::ReadInteger(int& value)
{
    if (AtEnd()) {
        lastToken_.clear();
        value = 0;
        return true;
    }
    lastToken_ = FirstToken(NextLineBytes());
    return ParseInteger(lastToken_, value);
}

bool LineReader::ReadReal(double& value)
{
    if (AtEnd()) {
        lastToken_.clear();
        value = 0;
        return true;
    }
    lastToken_ = FirstToken(NextLineBytes());
    const std::string token = WithoutPlus(lastToken_);
    double parsed = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (token.empty() || result.ec != std::errc() || result.ptr != token.data() + token.size() ||
        !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool LineReader::ReadFlag(int& value)
{
    if (AtEnd()) {
        lastToken_.clear();
        value = 0;
        return true;
    }
    const std::string line = NextLineBytes();
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t");
    lastToken_ = Decoded(line);
    return first != std::string::npos && ParseInteger(line.substr(first, last - first + 1), value);
}

bool ParseInteger(const std::string& text, int& value)
{
    const std::string token = WithoutPlus(text);
    int parsed = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (token.empty() || result.ec != std::errc() || result.ptr != token.data() + token.size())
        return false;
    value = parsed;
    return true;
}

}  // namespace quorvan
