#pragma once
// Writes a file without ever leaving it half-written: the bytes go to a temporary file in the
// same folder, are flushed to the disk, and the temporary file then replaces the old one.

#include <string>

namespace quorvan {

// False, with the old file untouched and `error` saying why, when any step fails.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace quorvan
