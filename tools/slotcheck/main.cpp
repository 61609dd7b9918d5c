// slotcheck: fails when a source file writes a slot number or a form-type alias by hand where the
// generated slot names belong (see SlotCheck.h for the rules).
//   slotcheck <file or folder>...
// Prints "<file>:<line>: <rule>: <code>" for each finding and exits 1 when there is any.
#include "SlotCheck.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool IsSource(const fs::path& path)
{
    const std::string ext = path.extension().string();
    return ext == ".cpp" || ext == ".h";
}

int CheckFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::vector<slotcheck::Finding> findings = slotcheck::CheckSource(text.str());
    for (const slotcheck::Finding& f : findings)
        std::cout << path.string() << ":" << f.line << ": " << f.rule << ": " << f.text << "\n";
    return static_cast<int>(findings.size());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: slotcheck <file or folder>...\n";
        return 2;
    }
    int findings = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path root = argv[i];
        if (!fs::exists(root)) {
            std::cerr << "slotcheck: no such file or folder: " << root.string() << "\n";
            return 2;
        }
        std::vector<fs::path> files;
        if (fs::is_directory(root)) {
            for (const auto& entry : fs::recursive_directory_iterator(root))
                if (entry.is_regular_file() && IsSource(entry.path()))
                    files.push_back(entry.path());
        } else {
            files.push_back(root);
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files)
            findings += CheckFile(file);
    }
    if (findings > 0)
        std::cout << findings
                  << " hand-written slot numbers or form-type aliases; name the slot in its form "
                     "description (forms/README.md) and use its generated name\n";
    return findings > 0 ? 1 : 0;
}
