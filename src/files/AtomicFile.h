#pragma once
// The one way the program writes its files (client files, the print file, the settings file):
// never a half-written file. The bytes go to a temporary file of a unique name, created
// exclusively in the same folder (so a link planted there is never followed and two saves at
// once never share one), are flushed to the disk, and the temporary file then replaces the old
// one. A failed save removes its temporary file and leaves the old file as it was; one killed
// midway leaves it, and the next save of that file removes it once it is an hour old.

#include <string>

namespace quorvan {

// Permission bits of a file the program creates: its owner's only, since a return holds
// identifying numbers. A file that exists keeps its own bits (and, where the system allows, its
// owner and group).
constexpr unsigned kNewFileMode = 0600;

// When `path` is a symbolic link, the file it points to is written and the link stays.
// Errors: false, with the old file untouched and `error` naming the path and the reason (among
// them a path that is a folder or a device, and a file that is write-protected, without its
// owner's write bit, or that this user may not write, none of which is ever replaced; an empty
// path, or one that ends in "/", names no file).
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// The start of the temporary names WriteFileAtomically makes for `path`: "/x/client.fq6" is
// written as "/x/.client.fq6.saving-" followed by six random characters.
std::string TemporaryNamePrefix(const std::string& path);

}  // namespace quorvan
