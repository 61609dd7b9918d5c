#include "files/Settings.h"

#include "files/AtomicFile.h"
#include "files/ClientFile.h"
#include "files/Cp1252.h"
#include "files/Folders.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <unistd.h>

namespace quorvan {

const char* const kSettingsFileName = "quorvan_16.ini";

namespace {

const char* const kCrLf = "\r\n";
const char* const kReservedLine = "reserved";

// No line of a sound settings file comes near this: paths are far shorter. A longer line is
// damage, and reading it whole could take any amount of memory.
constexpr size_t kMaxLineBytes = 4096;

// One line of the settings file, read with bounded memory.
struct SettingsLine {
    std::string text;    // UTF-8, without its line end
    bool readable = true;  // false: too long or holding bytes no text line holds
    bool present = false;  // false: the file ended before this line
};

SettingsLine NextLine(std::istream& in)
{
    SettingsLine line;
    std::string bytes;
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
        if (bytes.size() < kMaxLineBytes)
            bytes.push_back(static_cast<char>(c));
        else
            line.readable = false;
    }
    if (line.readable)
        line.text = Cp1252ToUtf8(bytes);
    return line;
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

bool ParseCount(const std::string& text, int& value)
{
    std::string token = FirstToken(text);
    if (!token.empty() && token[0] == '+')
        token.erase(0, 1);
    int parsed = 0;
    const auto result = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (token.empty() || result.ec != std::errc() || result.ptr != token.data() + token.size())
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
    auto readFolder = [&](std::string& folder) {
        const SettingsLine line = next();
        if (line.readable && !line.text.empty())
            folder = line.text;
    };
    auto readFlag = [&](bool& flag) {
        const SettingsLine line = next();
        flag = line.readable && line.text == "TRUE";
    };
    auto readReal = [&](double& value) {
        const SettingsLine line = next();
        if (!line.readable || line.text.empty())
            return;
        if (!ParseReal(line.text, value))
            result.keptLines.push_back(lineNo);
    };

    readFolder(settings.ClientFileFolder);
    readFolder(settings.PriorYearFolder);
    next();  // "reserved"
    readFlag(settings.ForceWord);
    readFlag(settings.ForceWordPad);
    readReal(settings.PageScale);
    readReal(settings.FontShrink);

    const SettingsLine countLine = next();
    int count = 0;
    if (countLine.readable && !countLine.text.empty() && !ParseCount(countLine.text, count))
        result.keptLines.push_back(lineNo);
    // Entries past the first few would leave the list at its next trim anyway; a huge count
    // must not make a huge list.
    if (count > kMaxRecentFiles)
        count = kMaxRecentFiles;
    settings.RecentFiles.clear();
    for (int i = 0; i < count; ++i) {
        const SettingsLine line = next();
        settings.RecentFiles.push_back(line.readable ? line.text : std::string());
    }
    return result;
}

SettingsReadResult ReadINI(const std::string& path, Settings& settings)
{
    std::ifstream in(path, std::ios::binary);
    if (in)
        return ReadINI(in, settings);
    SettingsReadResult result;
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        // There but closed to us: keep the preparer's file rather than write defaults over it.
        result.fileFound = true;
        result.opened = false;
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
    text << Utf8ToCp1252(settings.ClientFileFolder) << kCrLf
         << Utf8ToCp1252(settings.PriorYearFolder) << kCrLf
         << kReservedLine << kCrLf
         << (settings.ForceWord ? "TRUE" : "FALSE") << kCrLf
         << (settings.ForceWordPad ? "TRUE" : "FALSE") << kCrLf
         << FormatFileReal(settings.PageScale) << kCrLf
         << FormatFileReal(settings.FontShrink) << kCrLf
         << settings.RecentFiles.size() << kCrLf;
    for (const std::string& path : settings.RecentFiles)
        text << Utf8ToCp1252(path) << kCrLf;
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
