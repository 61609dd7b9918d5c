#include "files/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace quorvan {

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    const std::string temporary = path + ".saving";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = "Cannot write in the folder of " + path + ": " + std::strerror(errno);
        return false;
    }
    errno = 0;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = std::fflush(file) == 0 && written;
    written = ::fsync(::fileno(file)) == 0 && written;
    const int savedErrno = errno;
    written = std::fclose(file) == 0 && written;
    if (!written) {
        std::remove(temporary.c_str());
        error = "Writing " + path + " failed: " + std::strerror(savedErrno ? savedErrno : EIO);
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "Replacing " + path + " failed: " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace quorvan
