#include "support/PrintTempFolder.h"

#include "support/MessageRecorder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace quorvan::test {

PrintTempFolder::PrintTempFolder()
{
    char pattern[] = "/tmp/quorvan-print-XXXXXX";
    if (!mkdtemp(pattern))
        throw std::runtime_error("cannot make a scratch folder");
    path_ = pattern;
}

PrintTempFolder::~PrintTempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string PrintTempFolder::Write(const std::string& name, const std::string& bytes) const
{
    const std::filesystem::path path = std::filesystem::path(path_) / name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

PrintFolders PrintTempFolder::Folders() const
{
    std::filesystem::create_directories(PathOf("RTF"));
    std::filesystem::create_directories(PathOf("DAT"));
    return {PathOf("RTF"), PathOf("DAT")};
}

PrintFolders FixturePrintFolders()
{
    return {TestDataPath("print/RTF"), TestDataPath("print/DAT")};
}

}  // namespace quorvan::test
