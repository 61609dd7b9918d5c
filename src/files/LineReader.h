#pragma once
// Reads the program's positional text files the way they were written: answer lines whole, and
// numbers as the next blank-delimited token, after which the rest of that line is skipped.
// Past the end of the file a line reads as the empty text and a number as 0, without error.
// It counts lines as it goes, so that a reader can name the line where a file went wrong.

#include <cstddef>
#include <istream>
#include <string>

namespace quorvan {

class LineReader {
public:
    explicit LineReader(std::istream& in);
    explicit LineReader(std::string bytes);

    // The next line, decoded from Windows-1252 to UTF-8, without its line end.
    std::string ReadLine();
    // The next token as a 32-bit integer; false when the token is no integer.
    bool ReadInteger(int& value);
    // The next token as a real; false when the token is no number.
    bool ReadReal(double& value);
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // The number (from 1) of the next line that holds more than blanks; 0 when there is none.
    size_t NextTextLine() const;

    // The number (from 1) of the line the last read took its text from.
    size_t LineNumber() const { return lastLine_; }
    // The token the last ReadInteger or ReadReal looked at.
    const std::string& LastToken() const { return lastToken_; }

private:
    std::string NextToken();
    bool NextNumberToken(std::string& token);
    void SkipRestOfLine();
    bool SkipLineEnd();

    std::string bytes_;
    size_t pos_ = 0;
    size_t linesEnded_ = 0;  // line ends passed so far
    size_t lastLine_ = 0;
    std::string lastToken_;
};

}  // namespace quorvan
