#include "files/LineReader.h"

#include "files/Cp1252.h"

#include <charconv>
#include <cmath>
#include <iterator>

namespace quorvan {
namespace {

constexpr size_t kMaxTokenLength = 32;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

}  // namespace

LineReader::LineReader(std::istream& in)
    : bytes_(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>())
{
}

LineReader::LineReader(std::string bytes)
    : bytes_(std::move(bytes))
{
}

std::string LineReader::ReadLine()
{
    lastLine_ = linesEnded_ + 1;
    const size_t start = pos_;
    while (pos_ < bytes_.size() && !IsLineEnd(bytes_[pos_]))
        ++pos_;
    std::string line = Cp1252ToUtf8(bytes_.substr(start, pos_ - start));
    SkipLineEnd();
    return line;
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

void LineReader::SkipRestOfLine()
{
    while (pos_ < bytes_.size() && !IsLineEnd(bytes_[pos_]))
        ++pos_;
    SkipLineEnd();
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

std::string LineReader::NextToken()
{
    while (pos_ < bytes_.size() && IsBlank(bytes_[pos_]))
        if (!SkipLineEnd())
            ++pos_;
    lastLine_ = linesEnded_ + 1;
    const size_t start = pos_;
    while (pos_ < bytes_.size() && !IsBlank(bytes_[pos_]) && pos_ - start < kMaxTokenLength)
        ++pos_;
    std::string token = bytes_.substr(start, pos_ - start);
    SkipRestOfLine();
    return token;
}

// The token of the next number without a leading "+"; empty past the end of the file, where a
// number reads as 0.
bool LineReader::NextNumberToken(std::string& token)
{
    token = AtEnd() ? std::string() : NextToken();
    lastToken_ = token;
    if (!token.empty() && token[0] == '+')
        token.erase(0, 1);
    return !token.empty();
}

bool LineReader::ReadInteger(int& value)
{
    std::string token;
    if (!NextNumberToken(token)) {
        value = 0;
        return true;
    }
    int parsed = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (result.ec != std::errc() || result.ptr != token.data() + token.size())
        return false;
    value = parsed;
    return true;
}

bool LineReader::ReadReal(double& value)
{
    std::string token;
    if (!NextNumberToken(token)) {
        value = 0;
        return true;
    }
    double parsed = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (result.ec != std::errc() || result.ptr != token.data() + token.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

}  // namespace quorvan
