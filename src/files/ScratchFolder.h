#pragma once
// A scratch folder of the program's own in the system's temporary folder (a conversion's
// documents, a word processor's profile), removed with everything in it when it is done. One left
// behind by a run that was killed is removed by the next run that makes a scratch folder: its name
// carries the number of the process that made it, and a folder whose process has ended (or that
// is a day old) is no longer anyone's.

#include <string>

namespace quorvan {

class ScratchFolder {
public:
    // Makes "<temporary folder>/quorvan_16-<purpose>-<process>-XXXXXX", the owner's only, after
    // removing what earlier runs left of such folders. The temporary folder is $TMPDIR when that
    // is an absolute path, else /tmp.
    explicit ScratchFolder(const std::string& purpose);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Empty when the folder could not be made.
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Removes the scratch folders of `purpose` in `temporaryFolder` that runs which have ended left
// behind (this user's only; links are never followed). Returns how many it removed.
int RemoveLeftoverScratchFolders(const std::string& temporaryFolder, const std::string& purpose);

}  // namespace quorvan
