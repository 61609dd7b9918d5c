#include "files/WindowPlace.h"

#include "files/AtomicFile.h"
#include "files/Folders.h"
#include "files/RegularFile.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace quorvan {

const char* const kWindowPlaceFileName = "quorvan_16-window.ini";

namespace {

constexpr int kLargestSide = 100000;
// Six short lines; anything longer is no file of ours.
constexpr size_t kMaxWindowPlaceBytes = 256;

bool ReadFlag(const std::string& line, bool& value)
{
    if (line != "TRUE" && line != "FALSE")
        return false;
    value = line == "TRUE";
    return true;
}

bool ReadWhole(const std::string& line, int& value)
{
    const char* end = line.data() + line.size();
    const auto result = std::from_chars(line.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    std::istringstream in(text);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::string WindowPlaceFilePath(const WorkingFolders& folders)
{
    return JoinPath(folders.SettingsFolder, kWindowPlaceFileName);
}

bool ReadWindowPlace(const std::string& text, WindowPlace& place)
{
    const std::vector<std::string> lines = Lines(text);
    if (lines.size() != 5 && lines.size() != 6)
        return false;
    WindowPlace read;
    if (!ReadWhole(lines[0], read.left) || !ReadWhole(lines[1], read.top) || !ReadWhole(lines[2], read.width) ||
        !ReadWhole(lines[3], read.height))
        return false;
    if (read.width < 1 || read.width > kLargestSide || read.height < 1 || read.height > kLargestSide)
        return false;
    if (read.left < -kLargestSide || read.left > kLargestSide || read.top < -kLargestSide || read.top > kLargestSide)
        return false;
    if (!ReadFlag(lines[4], read.maximised) || (lines.size() == 6 && !ReadFlag(lines[5], read.skipAnimations)))
        return false;
    place = read;
    return true;
}

bool ReadWindowPlaceFile(const std::string& path, WindowPlace& place)
{
    std::string bytes;
    std::string problem;
    return ReadRegularFile(path, kMaxWindowPlaceBytes, bytes, problem) && ReadWindowPlace(bytes, place);
}

std::string WindowPlaceText(const WindowPlace& place)
{
    const char* const crLf = "\r\n";
    return std::to_string(place.left) + crLf + std::to_string(place.top) + crLf + std::to_string(place.width) + crLf +
           std::to_string(place.height) + crLf + (place.maximised ? "TRUE" : "FALSE") + crLf +
           (place.skipAnimations ? "TRUE" : "FALSE") + crLf;
}

bool WriteWindowPlaceFile(const std::string& path, const WindowPlace& place, std::string& error)
{
    return WriteFileAtomically(path, WindowPlaceText(place), error);
}

}  // namespace quorvan
