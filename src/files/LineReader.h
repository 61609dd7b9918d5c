#pragma once
// Reads the program's positional text files the way they were written: answer lines whole, and
// numbers as the next blank-delimited token, after which the rest of that line is skipped.
// Past the end of the file a line reads as the empty text and a number as 0, without error.

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

private:
    std::string NextToken();
    bool NextNumberToken(std::string& token);
    void SkipRestOfLine();

    std::string bytes_;
    size_t pos_ = 0;
};

}  // namespace quorvan
