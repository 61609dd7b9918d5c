#pragma once
// A scratch folder for print tests: template and support folders made to order, print files,
// stand-in programs. Removed with everything in it when the test ends.

#include "print/RtfMerge.h"

#include <string>

namespace quorvan::test {

class PrintTempFolder {
public:
    PrintTempFolder();
    ~PrintTempFolder();
    PrintTempFolder(const PrintTempFolder&) = delete;
    PrintTempFolder& operator=(const PrintTempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
    // Writes `bytes` to the file `name` (folders made as needed); returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // "RTF" and "DAT" inside this folder.
    PrintFolders Folders() const;

private:
    std::string path_;
};

// The hand-written templates and support files under tests/data/print.
PrintFolders FixturePrintFolders();

}  // namespace quorvan::test
