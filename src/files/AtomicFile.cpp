#include "files/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvan {
namespace {

// More links in a row than this is a loop (the kernel's own limit).
constexpr int kMaxLinksFollowed = 40;
// Room for ".saving-XXXXXX" and the leading "." within a file name of 255 bytes.
constexpr size_t kMaxNameInTemporary = 200;
constexpr size_t kRandomCharacters = 6;  // the "XXXXXX" mkostemp fills in
// No save takes an hour; a temporary file older than that was left by one that was killed.
constexpr time_t kLeftoverAgeSeconds = 60 * 60;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Reason(int error)
{
    return std::strerror(error);
}

// What a link chain starting at `path` ends in: the file to write, which may not exist yet.
bool FollowLinks(const std::string& path, std::string& target, std::string& error)
{
    target = path;
    for (int hops = 0; hops <= kMaxLinksFollowed; ++hops) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0) {
            if (errno == ENOENT)
                return true;
            error = "Cannot save " + path + ": " + Reason(errno);
            return false;
        }
        if (!S_ISLNK(info.st_mode))
            return true;
        std::vector<char> buffer(static_cast<size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<size_t>(length) >= buffer.size()) {
            error = "Cannot follow the link " + target + ": " + Reason(length < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string pointsTo(buffer.data(), static_cast<size_t>(length));
        if (pointsTo.empty()) {
            error = "Cannot follow the link " + target + ": " + Reason(ENOENT);
            return false;
        }
        target = pointsTo[0] == '/' || target.find('/') == std::string::npos
                     ? pointsTo
                     : FolderOf(target) + "/" + pointsTo;
    }
    error = "Cannot save " + path + ": " + Reason(ELOOP);
    return false;
}

std::string KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    return "not a regular file";
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// A save killed midway (the power cut, the program killed) leaves its temporary file behind; the
// next save of the same file removes such leftovers once they are old enough that no save can
// still be writing them.
void RemoveLeftoverTemporaries(const std::string& target)
{
    const std::string prefix = "." + NameOf(target).substr(0, kMaxNameInTemporary) + ".saving-";
    const std::string folder = FolderOf(target);
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return;
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kRandomCharacters || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = folder + "/" + name;
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            now - info.st_mtime > kLeftoverAgeSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(listing);
}

// The rename is only lasting once the folder itself has reached the disk.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string TemporaryNamePrefix(const std::string& path)
{
    return FolderOf(path) + "/." + NameOf(path).substr(0, kMaxNameInTemporary) + ".saving-";
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    if (path.empty() || path.back() == '/') {
        error = "Cannot save \"" + path + "\": it names no file.";
        return false;
    }
    std::string target;
    if (!FollowLinks(path, target, error))
        return false;

    mode_t mode = kNewFileMode;
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (!S_ISREG(existing.st_mode)) {
            error = "Cannot save " + path + ": it is " + KindOf(existing.st_mode) + ".";
            return false;
        }
        // A write-protected file is the owner's word that it stays as it is, as in any editor;
        // replacing it by a rename would pass over that.
        if (!(existing.st_mode & S_IWUSR)) {
            error = "Cannot save " + path + ": the file is write-protected (read-only).";
            return false;
        }
        if (::access(target.c_str(), W_OK) != 0 && (errno == EACCES || errno == EPERM)) {
            error = "Cannot save " + path + ": you may not write to this file (" + Reason(errno) + ").";
            return false;
        }
        mode = existing.st_mode & 07777;
    }

    std::string temporary = TemporaryNamePrefix(target) + std::string(kRandomCharacters, 'X');
    // mkostemp creates the name with O_CREAT | O_EXCL: a planted link or file is never opened.
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = "Cannot write in the folder of " + path + ": " + Reason(errno);
        return false;
    }
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
        ::fchown(fd, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) != 0) {
        // Neither the file's owner nor in its group: the file becomes ours, as a new one would.
    }
    int failure = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes) || ::fsync(fd) != 0)
        failure = errno ? errno : EIO;
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    if (failure) {
        ::unlink(temporary.c_str());
        error = "Writing " + path + " failed: " + Reason(failure);
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        error = "Replacing " + path + " failed: " + Reason(errno);
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    RemoveLeftoverTemporaries(target);
    return true;
}

}  // namespace quorvan
