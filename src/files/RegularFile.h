#pragma once
// Reading one of the program's own files (a client, prior-year or settings file) whole, safely:
// only a regular file is read, so a folder, a device or a named pipe is refused with a reason
// instead of hanging or flooding memory, and a file beyond a size limit is refused the same way.

#include <cstddef>
#include <string>

namespace quorvan {

// Far above any real return: every page of every schedule in use, with a thousand characters in
// every answer, stays under 60 MB.
constexpr size_t kMaxClientFileBytes = 256u << 20;
// Eight short lines and five paths.
constexpr size_t kMaxSettingsFileBytes = 1u << 20;

// Reads the file at `path` (a symbolic link is followed) into `bytes`.
// Errors: false, with `problem` saying what the path is instead ("is a folder", "is a device",
// "is a named pipe (FIFO)", "is larger than 256 MB", "does not exist", "cannot be opened:
// Permission denied", ...), worded to follow the path in a message.
bool ReadRegularFile(const std::string& path, size_t maxBytes, std::string& bytes, std::string& problem);

// The message that names a file the program cannot read and why: 3305 with "path problem." as
// its extra text.
void ReportUnreadableFile(const std::string& path, const std::string& problem);

}  // namespace quorvan
