#pragma once
// Reads the program's positional text files line by line, the way they were written: every read
// takes exactly one line, so that a line lost or added shows where it happened instead of being
// skipped over. Numbers are the first blank-delimited token of their line (the rest of the line
// is ignored); a flag is a line holding one integer. Past the end of the file a line reads as the
// empty text and a number as 0, without error. The reader counts lines as it goes, so that a
// reader can name the line where a file went wrong.
//
// Files are Windows-1252. A file that is valid UTF-8 and holds characters beyond ASCII (or starts
// with the UTF-8 signature) was written by another program as UTF-8: it is read as UTF-8, so
// that "é" stays "é" instead of becoming "Ã©", and Utf8() says so.

#include <cstddef>
#include <istream>
#include <string>

namespace quorvan {

class LineReader {
public:
    explicit LineReader(std::istream& in);
    explicit LineReader(std::string bytes);

    // True when the file is read as UTF-8 rather than Windows-1252.
    bool Utf8() const { return utf8_; }

    // The next line, decoded to UTF-8, without its line end.
    std::string ReadLine();
    // The same for a line that may hold at most `maxCharacters` characters: false, with `line`
    // empty and `characters` telling how many it holds, when it holds more.
    bool ReadLine(std::string& line, size_t maxCharacters, size_t& characters);
    // The next line's first token as a 32-bit integer; false when the line holds no integer there.
    bool ReadInteger(int& value);
    // The next line's first token as a real; false when the line holds no finite number there.
    bool ReadReal(double& value);
    // The next line as an override flag: one integer, blanks around it allowed, and nothing else.
    // False when the line is anything else (an empty line included).
    bool ReadFlag(int& value);

    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // The number (from 1) of the next line that holds more than blanks; 0 when there is none.
    size_t NextTextLine() const;

    // The number (from 1) of the line the last read took its text from.
    size_t LineNumber() const { return lastLine_; }
    // The text the last ReadInteger, ReadReal or ReadFlag looked at (a token, or the line).
    const std::string& LastToken() const { return lastToken_; }

private:
    // The bytes of the next line (without its line end), moving past it.
    std::string NextLineBytes();
    std::string Decoded(const std::string& bytes) const;
    bool SkipLineEnd();

    std::string bytes_;
    size_t pos_ = 0;
    bool utf8_ = false;
    size_t linesEnded_ = 0;  // line ends passed so far
    size_t lastLine_ = 0;
    std::string lastToken_;
};

// A whole number within the range of int: digits with an optional leading '+' or '-' and
// nothing else. False otherwise, and `value` stays as it was.
bool ParseInteger(const std::string& text, int& value);

}  // namespace quorvan
