// The layering check: each folder of src/ and of src/app/ includes only folders below its own
// layer, no include climbs with "../", and no code outside src/store assigns the open return's
// store `Answers`. Prints each offending file and line; exits 1 when there is one.
//
//   layercheck <src folder>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <string>

namespace fs = std::filesystem;

namespace {

// A folder may include its own files and those of folders of a lower layer only.
const std::map<std::string, int> kSourceLayers = {
    {"messages", 0}, {"store", 1}, {"calc", 2}, {"files", 3}, {"print", 4},
    {"review", 4},   {"render", 5}, {"app", 6}, {"cli", 6},
};
const std::map<std::string, int> kDesktopLayers = {
    {"commands", 0}, {"dialogs", 0}, {"history", 0}, {"pages", 0}, {"review", 0},
    {"files", 1},    {"print", 2},   {"help", 3},    {"window", 4},
};

struct Checker {
    int faults = 0;

    void Report(const fs::path& file, int line, const std::string& what)
    {
        std::cout << file.string() << ":" << line << ": " << what << "\n";
        ++faults;
    }

    // The layer of `folder`, or -1 (reported) when the table does not know it.
    int LayerOf(const std::map<std::string, int>& layers, const std::string& folder, const fs::path& file)
    {
        const auto found = layers.find(folder);
        if (found != layers.end())
            return found->second;
        Report(file, 0, "folder '" + folder + "' has no layer: add it to the layer table of tools/layercheck");
        return -1;
    }

    void CheckInclude(const fs::path& file, int line, const std::string& from, const std::string& fromApp,
                      const std::string& target)
    {
        static const std::regex folderOf(R"(^([A-Za-z_]+)/(([A-Za-z_]+)/)?)");
        if (target.rfind("../", 0) == 0 || target.find("/../") != std::string::npos) {
            Report(file, line, "include climbs a folder: " + target);
            return;
        }
        std::smatch m;
        if (!std::regex_search(target, m, folderOf))
            return;  // a file of the same folder, a generated header or a system header
        const std::string to = m[1];
        if (to == "slot" || kSourceLayers.count(to) == 0)
            return;  // generated slot names, or no folder of src/
        if (to != from) {
            const int fromLayer = LayerOf(kSourceLayers, from, file);
            const int toLayer = LayerOf(kSourceLayers, to, file);
            if (fromLayer >= 0 && toLayer >= 0 && toLayer >= fromLayer)
                Report(file, line, from + "/ includes " + target + " of a layer not below its own");
            return;
        }
        if (from != "app" || fromApp.empty())
            return;  // main.cpp at the top of src/app may include any desktop folder
        if (!m[3].matched) {
            Report(file, line, "include of a file at the top of src/app: " + target);
            return;
        }
        const std::string toApp = m[3];
        if (toApp == fromApp)
            return;
        const int fromLayer = LayerOf(kDesktopLayers, fromApp, file);
        const int toLayer = LayerOf(kDesktopLayers, toApp, file);
        if (fromLayer >= 0 && toLayer >= 0 && toLayer >= fromLayer)
            Report(file, line, "app/" + fromApp + "/ includes " + target + " of a layer not below its own");
    }

    void CheckFile(const fs::path& src, const fs::path& file)
    {
        const fs::path relative = fs::relative(file, src);
        auto part = relative.begin();
        const std::string from = part->string();
        std::string fromApp;
        if (from == "app" && std::distance(relative.begin(), relative.end()) > 2)
            fromApp = (++part)->string();
        if (from == "app" && fromApp.empty() && relative.filename() != "main.cpp" &&
            relative.filename() != "CMakeLists.txt")
            Report(file, 0, "only main.cpp lives at the top of src/app");

        static const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
        static const std::regex assignsStore(R"((^|[^\w.>:])(quorvan::)?Answers\s*=[^=])");
        std::ifstream in(file);
        std::string text;
        for (int line = 1; std::getline(in, text); ++line) {
            std::smatch m;
            if (std::regex_search(text, m, include))
                CheckInclude(file, line, from, fromApp, m[1]);
            else if (from != "store" && std::regex_search(text, assignsStore))
                Report(file, line, "assigns Answers outside src/store: read another return through "
                                   "ScopedOpenReturn (store/ScopedOpenReturn.h)");
        }
    }
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: layercheck <src folder>\n";
        return 2;
    }
    const fs::path src = argv[1];
    Checker checker;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h"))
            checker.CheckFile(src, entry.path());
    }
    if (checker.faults > 0) {
        std::cout << checker.faults << " layering fault(s)\n";
        return 1;
    }
    return 0;
}
