#include "print/WordProcessor.h"

#include "files/AtomicFile.h"
#include "messages/Messages.h"
#include "print/RtfMerge.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace quorvan {
namespace {

namespace fs = std::filesystem;

constexpr int kNumberedNames = 999;
constexpr int kNumberedTries = 50;

// The existing paths `pattern` names, "*" matching within one folder name; highest name first.
std::vector<fs::path> Expand(const fs::path& pattern)
{
    std::vector<fs::path> found = {fs::path()};
    for (const fs::path& part : pattern) {
        const std::string name = part.string();
        const size_t star = name.find('*');
        std::vector<fs::path> next;
        for (const fs::path& base : found) {
            if (star == std::string::npos) {
                next.push_back(base / part);
                continue;
            }
            std::vector<fs::path> matches;
            std::error_code error;
            for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
                const std::string entry = it->path().filename().string();
                const std::string head = name.substr(0, star), tail = name.substr(star + 1);
                if (entry.size() >= head.size() + tail.size() && entry.compare(0, head.size(), head) == 0 &&
                    entry.compare(entry.size() - tail.size(), tail.size(), tail) == 0)
                    matches.push_back(it->path());
            }
            std::sort(matches.rbegin(), matches.rend());
            next.insert(next.end(), matches.begin(), matches.end());
        }
        found = std::move(next);
    }
    return found;
}

std::string NumberedName(const std::string& path, int number)
{
    const size_t dot = path.rfind('.');
    return path.substr(0, dot) + std::to_string(number) + ".rtf";
}

std::string HexBytes(const std::vector<unsigned char>& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text = "hex:";
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            text.push_back(',');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0F]);
    }
    return text;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Replaces the file by a complete new one, so a failed write leaves the old one.
bool WriteLines(const std::string& path, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    std::string error;
    return WriteFileAtomically(path, text, error);
}

std::string SectionLine(const std::string& key)
{
    return "[" + key + "]";
}

}  // namespace

const std::vector<std::string>& WriterInstallPlaces()
{
    static const std::vector<std::string> places = {
        "/usr/bin/soffice",
        "/usr/bin/libreoffice",
        "/usr/lib/libreoffice/program/soffice",
        "/usr/local/bin/soffice",
        "/opt/libreoffice*/program/soffice",
        "/snap/bin/libreoffice",
    };
    return places;
}

std::string FindWriter(const std::vector<std::string>& places)
{
    for (const std::string& place : places) {
        for (const fs::path& candidate : Expand(place)) {
            std::error_code error;
            if (fs::is_regular_file(candidate, error))
                return candidate.string();
        }
    }
    return std::string();
}

bool WriterOpensWindows(const std::string& soffice)
{
    if (soffice.find('/') == std::string::npos)
        return true;
    std::error_code error;
    const fs::path program = fs::canonical(soffice, error);
    if (error)
        return true;
    const fs::path folder = program.parent_path();
    if (!fs::exists(folder / "soffice.bin", error))
        return true;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().filename().string().rfind("libvclplug_", 0) == 0)
            return true;
    return false;
}

bool PrintFileHeld(const std::string& path)
{
    const fs::path file(path);
    std::error_code error;
    if (fs::exists(file.parent_path() / (".~lock." + file.filename().string() + "#"), error))
        return true;
    fs::remove(file, error);
    return error && fs::exists(file, error);
}

std::string PrintFilePath(const std::string& folder, const std::function<int()>& randomNumber)
{
    const std::string path = (fs::path(folder) / kPrintFileName).string();
    if (!PrintFileHeld(path))
        return path;
    // A numbered file of an earlier print may be held too; try other numbers.
    std::string numbered;
    for (int attempt = 0; attempt < kNumberedTries; ++attempt) {
        numbered = NumberedName(path, randomNumber() % kNumberedNames);
        if (!PrintFileHeld(numbered))
            break;
    }
    return numbered;
}

std::string PrintFilePath(const std::string& folder)
{
    return PrintFilePath(folder, [] { return static_cast<int>(std::random_device{}() % kNumberedNames); });
}

std::vector<std::string> PrintFilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name.size() >= 13 && name.compare(0, 9, "send_temp") == 0 && name.compare(name.size() - 4, 4, ".rtf") == 0)
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool WritePrintFile(const std::string& path, const std::string& document, std::string& error)
{
    std::string text = SevenBitRtf(document);
    if (!text.empty() && text.back() != '\n')
        text += "\r\n";
    return WriteFileAtomically(path, text, error);
}

LaunchCommand StartWordProcessor(const std::string& path, const std::string& folder,
                                 const WordProcessorChoice& choice, const std::string& registryPath)
{
    const bool word = (choice.wordFound || choice.forceWord) && !choice.forceWordPad;
    LaunchCommand command;
    command.arguments = {fs::path(path).filename().string()};
    command.workingFolder = folder;
    if (word) {
        // Forced without an installation found: by name, so a failed start reports 1155.
        command.program = choice.writerPath.empty() ? "soffice" : choice.writerPath;
    } else {
        command.program = "xdg-open";
        SetWordPadMargins(registryPath);
    }
    return command;
}

bool SendDocument(const std::string& document, const std::string& tempFolder, const WordProcessorChoice& choice,
                  const std::string& registryPath, LaunchCommand& command, std::string& error)
{
    const std::string path = PrintFilePath(tempFolder);
    if (!WritePrintFile(path, document, error))
        return false;
    command = StartWordProcessor(path, tempFolder, choice, registryPath);
    return true;
}

std::vector<unsigned char> WordPadPageMargins()
{
    std::vector<unsigned char> bytes;
    for (const unsigned margin : {720u, 576u, 720u, 360u})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>((margin >> shift) & 0xFF));
    return bytes;
}

void SetWordPadMargins(const std::string& registryPath)
{
    if (!RegistryKeyExists(registryPath, kWordPadOptionsKey)) {
        ShowMessageByCode(21400);
        return;
    }
    WriteRegistryBytes(registryPath, kWordPadOptionsKey, kPageMarginValue, WordPadPageMargins());
}

bool RegistryKeyExists(const std::string& registryPath, const std::string& key)
{
    const std::vector<std::string> lines = ReadLines(registryPath);
    return std::find(lines.begin(), lines.end(), SectionLine(key)) != lines.end();
}

bool WriteRegistryBytes(const std::string& registryPath, const std::string& key, const std::string& name,
                        const std::vector<unsigned char>& bytes)
{
    std::vector<std::string> lines = ReadLines(registryPath);
    const std::string entry = name + "=" + HexBytes(bytes);
    auto section = std::find(lines.begin(), lines.end(), SectionLine(key));
    if (section == lines.end()) {
        lines.push_back(SectionLine(key));
        lines.push_back(entry);
        return WriteLines(registryPath, lines);
    }
    auto it = section + 1;
    for (; it != lines.end() && !(it->size() > 0 && it->front() == '['); ++it) {
        if (it->compare(0, name.size() + 1, name + "=") == 0) {
            *it = entry;
            return WriteLines(registryPath, lines);
        }
    }
    lines.insert(it, entry);
    return WriteLines(registryPath, lines);
}

bool CreateRegistryKey(const std::string& registryPath, const std::string& key)
{
    if (RegistryKeyExists(registryPath, key))
        return true;
    std::vector<std::string> lines = ReadLines(registryPath);
    lines.push_back(SectionLine(key));
    return WriteLines(registryPath, lines);
}

void ReportWordProcessorStart(bool started)
{
    if (!started)
        ShowMessageByCode(11550);
}

LaunchCommand PdfConversionCommand(const std::string& soffice, const std::string& rtfPath,
                                   const std::string& outputFolder, const std::string& profileFolder)
{
    LaunchCommand command;
    command.program = soffice;
    command.arguments = {"-env:UserInstallation=file://" + fs::absolute(profileFolder).string(),
                         "--headless", "--convert-to", "pdf", "--outdir", outputFolder, rtfPath};
    command.workingFolder = fs::path(rtfPath).parent_path().string();
    return command;
}

}  // namespace quorvan
