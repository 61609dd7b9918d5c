#pragma once
// Find Word's search: walks a folder tree depth first, in the order the file system lists its
// entries, hidden ones included, for a file of a given name (compared without regard to case).

#include <functional>
#include <string>
#include <vector>

namespace quorvan::app {

// The first file named `fileName` below `root`, as folder + "/" + the name on disk; empty when
// there is none. Folders that cannot be read are passed over; links to folders are not
// followed, so a link cycle cannot trap the walk. `visited` runs for every entry (the caller
// keeps its progress window alive with it).
std::string FindFileInTree(const std::string& root, const std::string& fileName,
                           const std::function<void()>& visited = {});

// The first root, in order, below which `fileName` is found; empty when none has it.
std::string FindFileInFolders(const std::vector<std::string>& roots, const std::string& fileName,
                              const std::function<void()>& visited = {});

}  // namespace quorvan::app
