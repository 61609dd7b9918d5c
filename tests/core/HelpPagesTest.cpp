// The help pages installed with the program: every page the program opens by name is there, every
// link between the pages leads to a page (and anchor) that exists inside the help folder, and no
// page is cut off from the table of contents.

#include "print/HelpPages.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using namespace quorvan;

const fs::path kDataFolder = fs::path(QUORVAN_SOURCE_DIR) / "data";
const fs::path kHelpFolder = kDataFolder / "help";

std::string ReadWhole(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool IsPage(const fs::path& path)
{
    return path.extension() == ".htm" || path.extension() == ".html";
}

// The quoted values of the attributes `names` (e.g. href and src) in `html`, in order; attribute
// names are matched without regard to case.
std::vector<std::string> AttributeValues(const std::string& html, const std::vector<std::string>& names)
{
    std::string lower = html;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::vector<std::string> values;
    for (size_t i = 0; i < lower.size(); ++i) {
        if (i == 0 || !std::isspace(static_cast<unsigned char>(lower[i - 1])))
            continue;
        for (const std::string& name : names) {
            if (lower.compare(i, name.size(), name) != 0)
                continue;
            size_t j = i + name.size();
            while (j < lower.size() && std::isspace(static_cast<unsigned char>(lower[j])))
                ++j;
            if (j >= lower.size() || lower[j] != '=')
                continue;
            ++j;
            while (j < lower.size() && std::isspace(static_cast<unsigned char>(lower[j])))
                ++j;
            if (j >= lower.size() || lower[j] != '"')
                continue;
            const size_t close = lower.find('"', j + 1);
            if (close == std::string::npos)
                continue;
            values.push_back(html.substr(j + 1, close - j - 1));
        }
    }
    return values;
}

std::vector<std::string> LinksOf(const std::string& html)
{
    return AttributeValues(html, {"href", "src"});
}

std::set<std::string> AnchorsOf(const std::string& html)
{
    const std::vector<std::string> found = AttributeValues(html, {"id", "name"});
    return {found.begin(), found.end()};
}

// "https://...", "mailto:...", "//host/...": a link that names a scheme or a host.
bool NeedsNetwork(const std::string& link)
{
    if (link.compare(0, 2, "//") == 0)
        return true;
    const size_t colon = link.find(':');
    return colon != std::string::npos && colon < link.find_first_of("/?#");
}

bool Inside(const fs::path& path, const fs::path& folder)
{
    const std::string p = path.lexically_normal().generic_string();
    const std::string f = folder.lexically_normal().generic_string() + "/";
    return p.compare(0, f.size(), f) == 0;
}

// A link from `page` that does not lead to an existing file (and anchor) inside `root`, or that
// would need the network: the reason, or empty when the link is sound. `target` receives the file.
std::string CheckLink(const fs::path& page, const std::string& link, const fs::path& root, fs::path& target)
{
    if (link.empty())
        return "empty link";
    if (NeedsNetwork(link))
        return "leaves the installed help (the program makes no network connection)";
    const size_t hash = link.find('#');
    const std::string file = link.substr(0, hash);
    const std::string anchor = hash == std::string::npos ? "" : link.substr(hash + 1);
    target = file.empty() ? page : (page.parent_path() / file).lexically_normal();
    if (!Inside(target, root))
        return "points outside the help folder";
    if (!fs::is_regular_file(target))
        return "no such file";
    if (!anchor.empty() && !AnchorsOf(ReadWhole(target)).count(anchor))
        return "no anchor \"" + anchor + "\" in " + target.filename().string();
    return "";
}

struct LinkProblem {
    std::string page;
    std::string link;
    std::string reason;
};

// Every broken link of the pages below `root`, and the pages reachable from `start` by links.
std::vector<LinkProblem> CheckAllLinks(const fs::path& root, const fs::path& start, std::set<fs::path>* reachable)
{
    std::vector<LinkProblem> problems;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || !IsPage(entry.path()))
            continue;
        for (const std::string& link : LinksOf(ReadWhole(entry.path()))) {
            fs::path target;
            const std::string reason = CheckLink(entry.path(), link, root, target);
            if (!reason.empty())
                problems.push_back({fs::relative(entry.path(), root).generic_string(), link, reason});
        }
    }
    if (reachable) {
        std::vector<fs::path> toVisit{start.lexically_normal()};
        while (!toVisit.empty()) {
            const fs::path page = toVisit.back();
            toVisit.pop_back();
            if (!reachable->insert(page).second)
                continue;
            for (const std::string& link : LinksOf(ReadWhole(page))) {
                fs::path target;
                if (CheckLink(page, link, root, target).empty() && IsPage(target))
                    toVisit.push_back(target);
            }
        }
    }
    return problems;
}

std::string Describe(const std::vector<LinkProblem>& problems)
{
    std::string text;
    for (const LinkProblem& p : problems)
        text += p.page + ": \"" + p.link + "\" " + p.reason + "\n";
    return text;
}

TEST(HelpPages, EveryPageTheProgramOpensIsInstalled)
{
    ASSERT_EQ(HelpPages().size(), 3u);
    for (const std::string& page : HelpPages()) {
        EXPECT_EQ(page.rfind("help/", 0), 0u) << page;
        EXPECT_TRUE(fs::is_regular_file(HelpPagePath(kDataFolder.string(), page))) << page;
    }
    EXPECT_EQ(HelpPagePath("/opt/q/data/", kHelpTutorialPage), "/opt/q/data/help/quorvan_16/tutorial/tutorial.htm");
    EXPECT_EQ(HelpPagePath("/opt/q/data", kHelpContentsPage), "/opt/q/data/help/quorvan_16/default.htm");
}

TEST(HelpPages, EveryLinkLeadsToAnInstalledPageAndAnchor)
{
    std::set<fs::path> reachable;
    const std::vector<LinkProblem> problems =
        CheckAllLinks(kHelpFolder, kDataFolder / kHelpContentsPage, &reachable);
    EXPECT_TRUE(problems.empty()) << Describe(problems);

    // Each page can be found from the table of contents, the tutorial and the Shrink Font page included.
    for (const auto& entry : fs::recursive_directory_iterator(kHelpFolder)) {
        if (entry.is_regular_file() && IsPage(entry.path())) {
            EXPECT_TRUE(reachable.count(entry.path().lexically_normal()))
                << fs::relative(entry.path(), kHelpFolder).generic_string() << " is not linked from the contents";
        }
    }
}

// The index of the PDF folder: its addresses are the IRS archive's, for the 2016 products (2017
// for the estimated tax of the next year), and its local links lead to installed files.
TEST(HelpPages, PdfFolderIndexPointsAtTheIrsArchive)
{
    const fs::path index = kDataFolder / "PDF" / "index.htm";
    ASSERT_TRUE(fs::is_regular_file(index));
    const std::regex archived(R"(https://www\.irs\.gov/pub/irs-prior/[fip][0-9a-z]+--(2016|2017)\.pdf)");
    int archivedLinks = 0;
    for (const std::string& link : LinksOf(ReadWhole(index))) {
        if (!NeedsNetwork(link)) {
            fs::path target;
            EXPECT_EQ(CheckLink(index, link, kDataFolder, target), "") << link;
        } else if (std::regex_match(link, archived)) {
            ++archivedLinks;
        } else {
            EXPECT_EQ(link.rfind("https://www.irs.gov/", 0), 0u) << link << " is not an IRS address";
        }
    }
    EXPECT_GE(archivedLinks, 20);
}

// The checker itself finds each kind of bad link (a checker that never fails would pass the
// installed pages whatever they hold).
TEST(HelpPages, CheckerReportsEachKindOfBrokenLink)
{
    const fs::path root = fs::temp_directory_path() / ("help-links-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "a");
    std::ofstream(root / "a" / "index.htm") << R"(<html><body id="top">
<a href="other.htm#here">fine</a> <a HREF = "#top">fine</a> <link rel="stylesheet" href="style.css">
<a href="missing.htm">1</a> <a href="other.htm#nowhere">2</a> <a href="https://example.com/help.htm">3</a>
<a href="../../outside.htm">4</a> <img src="">
</body></html>)";
    std::ofstream(root / "a" / "other.htm") << R"(<h2 id="here">x</h2>)";
    std::ofstream(root / "a" / "style.css") << "body {}";
    std::ofstream(root / "a" / "orphan.htm") << "<p>no links</p>";

    std::set<fs::path> reachable;
    const std::vector<LinkProblem> problems = CheckAllLinks(root, root / "a" / "index.htm", &reachable);
    std::vector<std::string> links;
    for (const LinkProblem& p : problems)
        links.push_back(p.link);
    EXPECT_EQ(links, (std::vector<std::string>{"missing.htm", "other.htm#nowhere", "https://example.com/help.htm",
                                               "../../outside.htm", ""}))
        << Describe(problems);
    EXPECT_TRUE(reachable.count((root / "a" / "other.htm").lexically_normal()));
    EXPECT_FALSE(reachable.count((root / "a" / "orphan.htm").lexically_normal()));
    fs::remove_all(root);
}

}  // namespace
