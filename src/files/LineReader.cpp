#include "files/LineReader.h"

#include "files/Cp1252.h"
#include "store/Answers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace quorvan {
namespace {

// The longest line a client file can hold: an answer of kMaxAnswerLength characters of four
// UTF-8 bytes each, after the UTF-8 signature. Nothing longer is copied.
constexpr size_t kLongestLineBytes = 4 * kMaxAnswerLength + 3;
const char kUtf8Signature[] = "\xEF\xBB\xBF";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// A C0 control (a tab apart) or DEL: no text, and what drives a terminal.
bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

// The first blank-delimited token of a line, whole.
std::string FirstToken(const std::string& line)
{
    const size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    const size_t end = line.find_first_of(" \t", start);
    return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string WithoutPlus(std::string token)
{
    if (!token.empty() && token[0] == '+')
        token.erase(0, 1);
    return token;
}

size_t Utf8Characters(const std::string& bytes, size_t start, size_t length)
{
    size_t characters = 0;
    for (size_t i = start; i < start + length; ++i)
        characters += (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80;
    return characters;
}

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
    if (bytes_.compare(0, sizeof kUtf8Signature - 1, kUtf8Signature) == 0) {
        pos_ = sizeof kUtf8Signature - 1;
        utf8_ = 1;
    }
}

bool LineReader::Utf8() const
{
    if (utf8_ < 0)
        utf8_ = HoldsUtf8Sequence(bytes_) ? 1 : 0;
    return utf8_ == 1;
}

void LineReader::Note(std::vector<size_t>& lines, size_t line)
{
    if (line != 0 && (lines.empty() || lines.back() != line))
        lines.push_back(line);
}

std::string LineReader::DecodedQuietly(const std::string& bytes) const
{
    bool repaired = false;
    std::string text = Utf8() ? RepairedUtf8(bytes, repaired) : Cp1252ToUtf8(bytes);
    text.erase(std::remove_if(text.begin(), text.end(), IsControl), text.end());
    return text;
}

std::string LineReader::Decoded(const std::string& bytes, size_t line)
{
    std::string text;
    if (Utf8()) {
        bool repaired = false;
        text = RepairedUtf8(bytes, repaired);
        if (repaired)
            Note(repairedLines_, line);
    } else {
        text = Cp1252ToUtf8(bytes);
    }
    if (std::find_if(text.begin(), text.end(), IsControl) != text.end()) {
        text.erase(std::remove_if(text.begin(), text.end(), IsControl), text.end());
        Note(controlLines_, line);
    }
    return text;
}

size_t LineReader::LineEndAt(size_t from) const
{
    const size_t end = bytes_.find_first_of("\r\n", from);
    return end == std::string::npos ? bytes_.size() : end;
}

bool LineReader::NextLineWithin(size_t maxBytes) const
{
    const size_t limit = std::min(bytes_.size(), pos_ + maxBytes + 1);
    for (size_t i = pos_; i < limit; ++i)
        if (IsLineEnd(bytes_[i]))
            return true;
    return limit - pos_ <= maxBytes;
}

std::string LineReader::NextLineBytes(size_t maxBytes)
{
    lastLine_ = linesEnded_ + 1;
    const size_t start = pos_;
    pos_ = LineEndAt(pos_);
    std::string line = bytes_.substr(start, std::min(pos_ - start, maxBytes));
    SkipLineEnd();
    return line;
}

std::string LineReader::ReadLine()
{
    const size_t start = pos_;
    const std::string bytes = NextLineBytes(kLongestLineBytes);
    const bool cut = LineEndAt(start) - start > kLongestLineBytes;
    // A cut line never equals a line the file should hold ("..." ends no header).
    return Decoded(bytes, lastLine_) + (cut ? "..." : "");
}

bool LineReader::PeekLine(size_t ahead, std::string& line) const
{
    size_t at = pos_;
    for (size_t n = 0;; ++n) {
        if (at >= bytes_.size())
            return false;
        const size_t end = LineEndAt(at);
        if (n == ahead) {
            line = DecodedQuietly(bytes_.substr(at, std::min(end - at, kLongestLineBytes)));
            return true;
        }
        at = end;
        if (at < bytes_.size() && bytes_[at] == '\r' && at + 1 < bytes_.size() && bytes_[at + 1] == '\n')
            ++at;
        ++at;
    }
}

bool LineReader::ReadLine(std::string& line, size_t maxCharacters, size_t& characters)
{
    lastLine_ = linesEnded_ + 1;
    const size_t start = pos_;
    pos_ = LineEndAt(pos_);
    const size_t length = pos_ - start;
    // Counted without copying: a line of many megabytes is refused at once.
    characters = length;
    if (length > maxCharacters && Utf8())
        characters = Utf8Characters(bytes_, start, std::min(length, kLongestLineBytes + 1));
    if (characters > maxCharacters) {
        if (length > kLongestLineBytes)
            characters = length;  // bytes, all of which may be letters
        line.clear();
        SkipLineEnd();
        return false;
    }
    line = Decoded(bytes_.substr(start, length), lastLine_);
    SkipLineEnd();
    return true;
}

// Moves past one line end ("\r\n", "\r" or "\n") at the current position. A line end other
// than the file's own (the end of its first line) is noted at the line it ends.
bool LineReader::SkipLineEnd()
{
    if (pos_ >= bytes_.size() || !IsLineEnd(bytes_[pos_]))
        return false;
    const size_t start = pos_;
    if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n')
        ++pos_;
    ++pos_;
    ++linesEnded_;
    const std::string end = bytes_.substr(start, pos_ - start);
    if (lineEnd_.empty())
        lineEnd_ = end;
    else if (end != lineEnd_ && !(pos_ == bytes_.size() && lineEnd_.compare(0, end.size(), end) == 0))
        Note(oddLineEnds_, linesEnded_);  // (a file cut inside its last line end is only short)
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
    const std::string token = FirstToken(NextLineBytes(kLongestLineBytes));
    lastToken_ = DecodedQuietly(token);
    return ParseInteger(token, value);
}

bool LineReader::ReadReal(double& value)
{
    if (AtEnd()) {
        lastToken_.clear();
        value = 0;
        return true;
    }
    // The whole token: a number cut short would read as another number.
    const std::string firstToken = FirstToken(NextLineBytes(kLongestLineBytes));
    lastToken_ = DecodedQuietly(firstToken);
    const std::string token = WithoutPlus(firstToken);
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
    const std::string line = NextLineBytes(kLongestLineBytes);
    const size_t first = line.find_first_not_of(" \t");
    const size_t last = line.find_last_not_of(" \t");
    lastToken_ = DecodedQuietly(line);
    // A flag is set or not: any other digit is a damaged byte, not another kind of set.
    const std::string flag = first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
    if (flag != "0" && flag != "1")
        return false;
    value = flag[0] - '0';
    return true;
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
