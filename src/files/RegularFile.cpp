#include "files/RegularFile.h"

#include "messages/Messages.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvan {
namespace {

std::string WhatItIs(mode_t mode)
{
    if (S_ISDIR(mode))
        return "is a folder, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "is a device, not a file";
    if (S_ISFIFO(mode))
        return "is a named pipe (FIFO), not a file";
    if (S_ISSOCK(mode))
        return "is a socket, not a file";
    return "is not a regular file";
}

std::string SizeText(size_t bytes)
{
    if (bytes >= (1u << 20))
        return std::to_string(bytes >> 20) + " MB";
    if (bytes >= (1u << 10))
        return std::to_string(bytes >> 10) + " KB";
    return std::to_string(bytes) + " bytes";
}

std::string TooLarge(size_t maxBytes)
{
    return "is larger than " + SizeText(maxBytes) + ", more than any file of this kind can be";
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes, std::string& problem)
{
    bytes.clear();
    // Looked at before opening: opening a device can have effects of its own.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        problem = errno == ENOENT ? "does not exist" : std::string("cannot be opened: ") + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = WhatItIs(info.st_mode);
        return false;
    }
    // O_NONBLOCK: should a named pipe have taken the file's place since, opening it cannot wait
    // for a writer; the second look below refuses it.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) {
        problem = std::string("cannot be opened: ") + std::strerror(errno);
        return false;
    }
    if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = WhatItIs(info.st_mode);
        return false;
    }
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > maxBytes) {
        problem = TooLarge(maxBytes);
        return false;
    }
    bytes.reserve(static_cast<size_t>(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        // One byte beyond the limit tells a file that grew while it was read.
        const size_t room = maxBytes + 1 - bytes.size();
        const ssize_t n = ::read(file.Get(), buffer, std::min(sizeof buffer, room));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            problem = std::string("cannot be read: ") + std::strerror(errno);
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
        if (bytes.size() > maxBytes) {
            problem = TooLarge(maxBytes);
            bytes.clear();
            return false;
        }
    }
    return true;
}

void ReportUnreadableFile(const std::string& path, const std::string& problem)
{
    ShowMessageByCode(33050, path + " " + problem + ".");
}

}  // namespace quorvan
