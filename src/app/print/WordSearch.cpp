#include "app/print/WordSearch.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace quorvan::app {
namespace {

namespace fs = std::filesystem;

bool SameNameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Walk(const fs::path& folder, const std::string& fileName, const std::function<void()>& visited)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (visited)
            visited();
        std::error_code kindError;
        const fs::file_status own = it->symlink_status(kindError);
        if (kindError)
            continue;
        if (fs::is_directory(own)) {
            const std::string found = Walk(it->path(), fileName, visited);
            if (!found.empty())
                return found;
        } else if (SameNameNoCase(it->path().filename().string(), fileName) && fs::is_regular_file(it->path(), kindError)) {
            return it->path().string();
        }
    }
    return std::string();
}

}  // namespace

std::string FindFileInTree(const std::string& root, const std::string& fileName, const std::function<void()>& visited)
{
    return Walk(fs::path(root), fileName, visited);
}

std::string FindFileInFolders(const std::vector<std::string>& roots, const std::string& fileName,
                              const std::function<void()>& visited)
{
    for (const std::string& root : roots) {
        const std::string found = FindFileInTree(root, fileName, visited);
        if (!found.empty())
            return found;
    }
    return std::string();
}

}  // namespace quorvan::app
