#include "files/ScratchFolder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvan {
namespace {

// A scratch folder this old belongs to no run still going, whatever process now has its number.
constexpr time_t kAbandonedAgeSeconds = 24 * 60 * 60;
// Folders of earlier versions carry no process number; no run uses one for an hour.
constexpr time_t kUnnumberedAgeSeconds = 60 * 60;
constexpr size_t kRandomCharacters = 6;

std::string TemporaryFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    return tmp && tmp[0] == '/' ? std::string(tmp) : std::string("/tmp");
}

std::string Prefix(const std::string& purpose)
{
    return "quorvan_16-" + purpose + "-";
}

bool ProcessRuns(long pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// The process number in "<prefix><pid>-XXXXXX"; 0 for a name of the older "<prefix>XXXXXX" form,
// -1 for a name that is neither.
long ProcessOfName(const std::string& name, const std::string& prefix)
{
    if (name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const std::string rest = name.substr(prefix.size());
    if (rest.size() == kRandomCharacters)
        return 0;
    const size_t dash = rest.find('-');
    if (dash == std::string::npos || dash == 0 || rest.size() - dash - 1 != kRandomCharacters ||
        rest.find_first_not_of("0123456789") != dash)
        return -1;
    return std::strtol(rest.substr(0, dash).c_str(), nullptr, 10);
}

}  // namespace

int RemoveLeftoverScratchFolders(const std::string& temporaryFolder, const std::string& purpose)
{
    const std::string prefix = Prefix(purpose);
    DIR* listing = ::opendir(temporaryFolder.c_str());
    if (!listing)
        return 0;
    const time_t now = ::time(nullptr);
    int removed = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        const long pid = ProcessOfName(name, prefix);
        if (pid < 0 || pid == ::getpid())
            continue;
        const std::string path = temporaryFolder + "/" + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        const time_t age = now - info.st_mtime;
        const bool abandoned = pid == 0 ? age > kUnnumberedAgeSeconds : !ProcessRuns(pid) || age > kAbandonedAgeSeconds;
        if (!abandoned)
            continue;
        std::error_code ignored;
        // remove_all removes a link inside the folder, never what it points to.
        if (std::filesystem::remove_all(path, ignored) > 0 && !ignored)
            ++removed;
    }
    ::closedir(listing);
    return removed;
}

ScratchFolder::ScratchFolder(const std::string& purpose)
{
    const std::string folder = TemporaryFolder();
    RemoveLeftoverScratchFolders(folder, purpose);
    std::string pattern = folder + "/" + Prefix(purpose) + std::to_string(::getpid()) + "-" +
                          std::string(kRandomCharacters, 'X');
    if (::mkdtemp(pattern.data()))  // made 0700
        path_ = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    if (!path_.empty())
        std::filesystem::remove_all(path_, ignored);
}

}  // namespace quorvan
