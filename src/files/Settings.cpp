#include "files/Settings.h"

#include "files/AtomicFile.h"
#include "files/ClientFile.h"
#include "files/Cp1252.h"
#include "files/Folders.h"
#include "files/LineReader.h"
#include "files/RegularFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <locale>
#include <sstream>

namespace quorvan {

const char* const kSettingsFileName = "quorvan_16.ini";

namespace {

const char* const kCrLf = "\r\n";
// Line 3: "reserved" in files of earlier versions, whose folder and file lines are Windows-1252;
// this text in files whose folder and file lines are UTF-8 with "%XX" escapes (below).
const char* const kUtf8ReservedLine = "reserved utf-8";
constexpr int kFixedLines = 8;

// The longest path the system takes (PATH_MAX, its closing NUL included); a longer one is damage.
constexpr size_t kMaxPathBytes = 4096;
// Each byte of a path is written as at most three; a longer line is damage, and reading it whole
// could take any amount of memory.
constexpr size_t kMaxLineBytes = 3 * kMaxPathBytes;

// One line of the settings file, read with bounded memory.
struct SettingsLine {
    std::string bytes;     // as in the file, without its line end
    bool readable = true;  // false: too long or holding bytes no text line holds
    bool present = false;  // false: the file ended before this line
};

SettingsLine NextLine(std::istream& in)
{
    SettingsLine line;
    std::streambuf* buffer = in.rdbuf();
    if (!buffer)
        return line;
    int c = buffer->sbumpc();
    if (c == std::char_traits<char>::eof())
        return line;
    line.present = true;
    for (; c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
        if (c == '\n')
            break;
        if (c == '\r') {
            if (buffer->sgetc() == '\n')
                buffer->sbumpc();
            break;
        }
        if (c == '\0')
            line.readable = false;
        if (line.bytes.size() < kMaxLineBytes)
            line.bytes.push_back(static_cast<char>(c));
        else
            line.readable = false;
    }
    if (!line.readable)
        line.bytes.clear();
    return line;
}

// The length of the well-formed UTF-8 sequence at text[i] (a byte of 0x80 or more), or 0.
size_t Utf8SequenceLength(const std::string& text, size_t i)
{
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned lead = byte(i);
    const size_t length = lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                          : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    unsigned value = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
    for (size_t n = 1; n < length; ++n) {
        if ((byte(i + n) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (byte(i + n) & 0x3F);
    }
    const unsigned shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (value < shortest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

// A path as one line of text: UTF-8 as it is; "%", control characters (a line break among them)
// and bytes that are not UTF-8 as "%XX", so that any path a folder can have comes back whole.
std::string EscapedPath(const std::string& path)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(path.size());
    for (size_t i = 0; i < path.size();) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        const size_t sequence = c >= 0x80 ? Utf8SequenceLength(path, i) : 0;
        if (sequence > 0) {
            line.append(path, i, sequence);
            i += sequence;
            continue;
        }
        if (c == '%' || c < 0x20 || c >= 0x7F) {
            line.push_back('%');
            line.push_back(digits[c >> 4]);
            line.push_back(digits[c & 0x0F]);
        } else {
            line.push_back(static_cast<char>(c));
        }
        ++i;
    }
    return line;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The reverse of EscapedPath; a "%" without two hex digits after it stays as it is.
std::string UnescapedPath(const std::string& line)
{
    std::string path;
    path.reserve(line.size());
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '%' && i + 2 < line.size() && HexValue(line[i + 1]) >= 0 && HexValue(line[i + 2]) >= 0) {
            path.push_back(static_cast<char>(HexValue(line[i + 1]) * 16 + HexValue(line[i + 2])));
            i += 2;
        } else {
            path.push_back(line[i]);
        }
    }
    return path;
}

std::string FirstToken(const std::string& text)
{
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    const size_t end = text.find_first_of(" \t", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// A real in the file's fixed form, "." as the decimal point whatever the locale.
bool ParseReal(const std::string& text, double& value)
{
    std::string token = FirstToken(text);
    if (!token.empty() && token[0] == '+')
        token.erase(0, 1);
    double parsed = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (token.empty() || result.ec != std::errc() || result.ptr != token.data() + token.size()
        || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

// ASCII and the Latin-1 letters of Windows-1252, the letters a client file's name can hold.
std::string UpperCased(const std::string& utf8)
{
    std::string upper = utf8;
    for (size_t i = 0; i < upper.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(upper[i]);
        if (c >= 'a' && c <= 'z') {
            upper[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < upper.size()) {
            // U+00E0..U+00FE (but not U+00F7, the division sign) are the small letters.
            const unsigned char next = static_cast<unsigned char>(upper[i + 1]);
            if (next >= 0xA0 && next <= 0xBE && next != 0xB7)
                upper[i + 1] = static_cast<char>(next - 0x20);
            ++i;
        }
    }
    return upper;
}

bool IsUntitled(const std::string& path)
{
    return UpperCased(FileNamePart(path)) == UpperCased(kUntitledFileName);
}

}  // namespace

Settings DefaultSettings(const WorkingFolders& folders)
{
    Settings settings;
    settings.ClientFileFolder = folders.ClientFileFolder;
    settings.PriorYearFolder = folders.PriorYearFolder;
    return settings;
}

std::string SettingsFilePath(const WorkingFolders& folders)
{
    return JoinPath(folders.SettingsFolder, kSettingsFileName);
}

SettingsReadResult ReadINI(std::istream& in, Settings& settings)
{
    SettingsReadResult result;
    result.fileFound = true;
    int lineNo = 0;
    auto next = [&]() {
        ++lineNo;
        SettingsLine line = NextLine(in);
        if (line.present && !line.readable)
            result.keptLines.push_back(lineNo);
        return line;
    };
    // Line 3 tells how the folder and file lines are written, so the fixed lines come first.
    SettingsLine lines[kFixedLines];
    for (SettingsLine& line : lines)
        line = next();
    const bool utf8 = lines[2].bytes == kUtf8ReservedLine;
    // A folder or file line as a path; false, the line noted, when it holds no path a system
    // allows (too long, or a NUL), so that whatever is read writes back within the limits.
    const auto readPath = [&](const SettingsLine& line, int number, std::string& path) {
        if (!line.readable)
            return false;
        std::string decoded = utf8 ? UnescapedPath(line.bytes) : Cp1252ToUtf8(line.bytes);
        if (decoded.size() >= kMaxPathBytes || decoded.find('\0') != std::string::npos) {
            result.keptLines.push_back(number);
            return false;
        }
        path = std::move(decoded);
        return true;
    };
    auto readFolder = [&](const SettingsLine& line, int number, std::string& folder) {
        if (!line.bytes.empty())
            readPath(line, number, folder);
    };
    auto readReal = [&](const SettingsLine& line, int number, double& value) {
        if (!line.readable || line.bytes.empty())
            return;
        if (!ParseReal(line.bytes, value))
            result.keptLines.push_back(number);
    };

    readFolder(lines[0], 1, settings.ClientFileFolder);
    readFolder(lines[1], 2, settings.PriorYearFolder);
    settings.ForceWord = lines[3].readable && lines[3].bytes == "TRUE";
    settings.ForceWordPad = lines[4].readable && lines[4].bytes == "TRUE";
    readReal(lines[5], 6, settings.PageScale);
    readReal(lines[6], 7, settings.FontShrink);

    const SettingsLine& countLine = lines[7];
    int count = 0;
    if (countLine.readable && !countLine.bytes.empty() && !ParseInteger(FirstToken(countLine.bytes), count))
        result.keptLines.push_back(8);
    // Entries past the first few would leave the list at its next trim anyway; a huge count
    // must not make a huge list.
    if (count > kMaxRecentFiles)
        count = kMaxRecentFiles;
    settings.RecentFiles.clear();
    for (int i = 0; i < count; ++i) {
        const SettingsLine line = next();
        std::string path;
        settings.RecentFiles.push_back(readPath(line, lineNo, path) ? path : std::string());
    }
    std::sort(result.keptLines.begin(), result.keptLines.end());
    return result;
}

SettingsReadResult ReadINI(const std::string& path, Settings& settings)
{
    std::string bytes;
    std::string problem;
    if (ReadRegularFile(path, kMaxSettingsFileBytes, bytes, problem)) {
        std::istringstream in(std::move(bytes), std::ios::binary);
        return ReadINI(in, settings);
    }
    SettingsReadResult result;
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) {
        // There but no settings file we can read (a folder, a device, a link to one, closed to
        // us): say so, and keep it rather than write defaults over it.
        result.fileFound = true;
        result.opened = false;
        result.problem = problem;
        ReportUnreadableFile(path, problem + "; the settings of this run are kept in memory only, and the file is "
                                             "left as it is");
        return result;
    }
    result.fileFound = false;
    std::string error;
    const size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
        EnsureFolder(path.substr(0, slash));
    result.written = WriteINI(path, settings, error);
    return result;
}

bool WriteINI(std::ostream& out, const Settings& settings)
{
    std::ostringstream text(std::ios::binary);
    text.imbue(std::locale::classic());  // the count never takes a thousands separator
    text << EscapedPath(settings.ClientFileFolder) << kCrLf
         << EscapedPath(settings.PriorYearFolder) << kCrLf
         << kUtf8ReservedLine << kCrLf
         << (settings.ForceWord ? "TRUE" : "FALSE") << kCrLf
         << (settings.ForceWordPad ? "TRUE" : "FALSE") << kCrLf
         << FormatFileReal(settings.PageScale) << kCrLf
         << FormatFileReal(settings.FontShrink) << kCrLf
         << settings.RecentFiles.size() << kCrLf;
    for (const std::string& path : settings.RecentFiles)
        text << EscapedPath(path) << kCrLf;
    out << text.str();
    out.flush();
    return out.good();
}

bool WriteINI(const std::string& path, const Settings& settings, std::string& error)
{
    std::ostringstream text(std::ios::binary);
    WriteINI(text, settings);
    return WriteFileAtomically(path, text.str(), error);
}

bool IsInRecentFiles(const std::vector<std::string>& recentFiles, const std::string& path)
{
    if (IsUntitled(path))
        return true;
    const std::string upper = UpperCased(path);
    for (const std::string& entry : recentFiles)
        if (UpperCased(entry) == upper)
            return true;
    return false;
}

bool AddRecentFile(std::vector<std::string>& recentFiles, const std::string& path)
{
    if (IsInRecentFiles(recentFiles, path))
        return false;
    recentFiles.insert(recentFiles.begin(), path);
    TrimRecentFiles(recentFiles);
    return true;
}

void TrimRecentFiles(std::vector<std::string>& recentFiles)
{
    if (recentFiles.size() > static_cast<size_t>(kMaxRecentFiles))
        recentFiles.resize(kMaxRecentFiles);
}

std::string RecentFileCaption(int index, const std::string& path)
{
    return "&" + std::to_string(index) + "-" + FileNamePart(path);
}

}  // namespace quorvan
