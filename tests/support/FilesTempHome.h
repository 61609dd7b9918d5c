#pragma once
// A fresh, empty home folder for a test that creates folders and files; removed with
// everything in it when the test ends.

#include <string>
#include <vector>

namespace quorvan::test {

class TempHome {
public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Writes `bytes` to `path` exactly as given (binary).
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The names in `folder` (hidden ones included), sorted.
std::vector<std::string> NamesIn(const std::string& folder);

}  // namespace quorvan::test
