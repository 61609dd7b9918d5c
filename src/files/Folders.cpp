#include "files/Folders.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvan {

namespace fs = std::filesystem;

const char* const kBaseFolderName = "Velmora";
const char* const kProgramFolderName = "Quorvan_16";
const char* const kPriorProgramFolderName = "Quorvan_15";
const char* const kUntitledFileName = "Untitled.fq6";
const char* const kDefaultReturnFileName = "default.fq6";
const char* const kPrintFileMask = "send_temp*.rtf";
const char* const kBuildDataNoteName = "quorvan_16-data-folder.txt";

namespace {

std::string WithoutTrailingSeparator(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

char FoldCase(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

}  // namespace

WorkingFolders DefaultFolders(const std::string& homeFolder, const std::string& programFolder)
{
    WorkingFolders folders;
    folders.BaseFolder = JoinPath(homeFolder, kBaseFolderName);
    folders.SettingsFolder = JoinPath(folders.BaseFolder, kProgramFolderName);
    folders.ProgramFolder = WithoutTrailingSeparator(programFolder);
    folders.ClientFileFolder = JoinPath(folders.SettingsFolder, "Files");
    folders.PriorYearFolder = JoinPath(JoinPath(folders.BaseFolder, kPriorProgramFolderName), "Files");
    folders.TempFolder = JoinPath(folders.SettingsFolder, "Temp");
    DeriveSupportFolders(folders);
    return folders;
}

void DeriveSupportFolders(WorkingFolders& folders)
{
    folders.RtfFolder = JoinPath(folders.ProgramFolder, "RTF");
    folders.DatFolder = JoinPath(folders.ProgramFolder, "DAT");
    folders.PdfFolder = JoinPath(folders.ProgramFolder, "PDF");
    folders.PsfFolder = JoinPath(folders.ProgramFolder, "PSF");
}

namespace {

// The first line of the build note, without its line end; empty when there is no note.
std::string ReadBuildNote(const std::string& executableFolder)
{
    std::ifstream note(JoinPath(executableFolder, kBuildDataNoteName));
    std::string line;
    std::getline(note, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    return line;
}

}  // namespace

std::string FindProgramFolder(const std::string& executableFolder)
{
    const std::string executable = WithoutTrailingSeparator(executableFolder);
    const std::string noted = ReadBuildNote(executable);
    if (!noted.empty() && FolderExists(noted))
        return WithoutTrailingSeparator(noted);
    const std::string installed =
        (fs::path(executable).parent_path() / "share" / "quorvan_16").lexically_normal().generic_string();
    if (FolderExists(installed))
        return installed;
    return executable;
}

bool CreateWorkingFolders(const WorkingFolders& folders, std::string& error)
{
    for (const std::string* folder : {&folders.SettingsFolder, &folders.ClientFileFolder, &folders.TempFolder}) {
        if (!EnsureFolder(*folder)) {
            error = "Cannot create the folder " + *folder;
            return false;
        }
    }
    return true;
}

std::string WithTrailingSeparator(const std::string& folder)
{
    if (!folder.empty() && folder.back() == '/')
        return folder;
    return folder + "/";
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return WithTrailingSeparator(folder) + name;
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutExtension(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

bool FolderExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && fs::is_directory(path, ec);
}

bool EnsureFolder(const std::string& folder)
{
    if (folder.empty())
        return false;
    // Each missing folder is made the preparer's alone: the names of the clients' files are no
    // one else's business. Folders already there are left as they are.
    fs::path made;
    for (const fs::path& part : fs::path(folder)) {
        made /= part;
        if (part.empty() || part == "/" || FolderExists(made.string()))
            continue;
        if (::mkdir(made.c_str(), S_IRWXU) != 0 && errno != EEXIST)
            return false;
    }
    return FolderExists(folder);
}

bool IsOwnRealFolder(const std::string& folder)
{
    struct stat entry {};
    return !folder.empty() && ::lstat(folder.c_str(), &entry) == 0 && S_ISDIR(entry.st_mode) &&
           entry.st_uid == ::geteuid();
}

std::string DefaultReturnPath(const WorkingFolders& folders)
{
    return JoinPath(folders.ClientFileFolder, kDefaultReturnFileName);
}

bool MatchesMask(const std::string& name, const std::string& mask)
{
    // Greedy match with one back-track point for the last "*" seen.
    size_t n = 0, m = 0;
    size_t starMask = std::string::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || FoldCase(mask[m]) == FoldCase(name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

std::vector<std::string> DeleteMatchingFiles(const std::string& folder, const std::string& mask)
{
    std::vector<std::string> notDeleted;
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    if (ec)
        return notDeleted;
    std::vector<fs::path> matching;
    for (const fs::directory_entry& entry : entries)
        if (MatchesMask(entry.path().filename().string(), mask))
            matching.push_back(entry.path());
    std::sort(matching.begin(), matching.end());
    for (const fs::path& path : matching) {
        std::error_code removeError;
        // fs::remove would also take an empty folder; only files go, as at close.
        if (fs::is_directory(fs::symlink_status(path, removeError)) || !fs::remove(path, removeError))
            notDeleted.push_back(path.filename().string());
    }
    return notDeleted;
}

}  // namespace quorvan
