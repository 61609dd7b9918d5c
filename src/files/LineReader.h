#pragma once
// Reads the program's positional text files line by line, the way they were written: every read
// takes exactly one line, so that a line lost or added shows where it happened instead of being
// skipped over. Numbers are the first blank-delimited token of their line (the rest of the line
// is ignored); a flag is a line holding one integer. Past the end of the file a line reads as the
// empty text and a number as 0, without error. The reader counts lines as it goes, so that a
// reader can name the line where a file went wrong.
//
// Files are Windows-1252. A file that holds UTF-8 sequences beyond ASCII (or starts with the
// UTF-8 signature) was written by another program as UTF-8: it is read as UTF-8, so that "é"
// stays "é" instead of becoming "Ã©", and Utf8() says so. A byte such a file holds that is no
// UTF-8 (damaged, or a letter typed in another encoding) is read as its Windows-1252 letter and
// its line noted in RepairedLines(), so one bad byte never garbles the rest of the file.
//
// What a line end that is not the file's own (the end of its first line) or a control character
// in a line would do is noted too: OddLineEnds() (a damaged CR LF glues a letter to the next
// line) and ControlLines() (ReadLine removes them: a file must never carry a terminal's escape
// sequence into a return).

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace quorvan {

class LineReader {
public:
    explicit LineReader(std::istream& in);
    explicit LineReader(std::string bytes);

    // True when the file is read as UTF-8 rather than Windows-1252.
    bool Utf8() const;

    // Lines read so far, each once and in order: bytes of a UTF-8 file that are no UTF-8, control
    // characters removed, and a line end that is not the file's own (named at the line it ends).
    const std::vector<size_t>& RepairedLines() const { return repairedLines_; }
    const std::vector<size_t>& ControlLines() const { return controlLines_; }
    const std::vector<size_t>& OddLineEnds() const { return oddLineEnds_; }

    // The next line, decoded to UTF-8, without its line end and its control characters (a tab
    // stays). Of a line longer than the longest a client file can hold, only that many bytes,
    // followed by "...".
    std::string ReadLine();
    // False when the next line is longer than `maxBytes`; looks at no more than that many bytes.
    bool NextLineWithin(size_t maxBytes) const;
    // The line `ahead` lines after the next (0: the next line) as ReadLine would read it, without
    // moving and without noting anything; false when the file ends before it.
    bool PeekLine(size_t ahead, std::string& line) const;
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
    // The end of the line that starts at `from` (its first line-end byte, or the end of the file).
    size_t LineEndAt(size_t from) const;
    // The bytes of the next line (without its line end), moving past it; at most `maxBytes`.
    std::string NextLineBytes(size_t maxBytes);
    // `bytes` as UTF-8; `line` is noted where a byte had to be repaired (0: note nothing).
    std::string Decoded(const std::string& bytes, size_t line);
    // The same without noting, and without control characters: for looking ahead and for
    // quoting a line in a message.
    std::string DecodedQuietly(const std::string& bytes) const;
    bool SkipLineEnd();
    static void Note(std::vector<size_t>& lines, size_t line);

    std::string bytes_;
    size_t pos_ = 0;
    mutable int utf8_ = -1;  // decided at the first look at the text: a huge first line is
                             // refused before the whole file is scanned
    std::string lineEnd_;    // the file's line end, taken from its first line
    std::vector<size_t> repairedLines_;
    std::vector<size_t> controlLines_;
    std::vector<size_t> oddLineEnds_;
    size_t linesEnded_ = 0;  // line ends passed so far
    size_t lastLine_ = 0;
    std::string lastToken_;
};

// A whole number within the range of int: digits with an optional leading '+' or '-' and
// nothing else. False otherwise, and `value` stays as it was.
bool ParseInteger(const std::string& text, int& value);

}  // namespace quorvan
