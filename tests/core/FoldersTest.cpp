#include "files/Folders.h"

#include "support/FilesTempHome.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvan {
namespace {

using test::TempHome;
using test::WriteFileBytes;

TEST(FoldersTest, DefaultFoldersLieUnderTheHomeAndTheProgramFolder)
{
    const WorkingFolders folders = DefaultFolders("/home/ann", "/opt/quorvan/");
    EXPECT_EQ(folders.BaseFolder, "/home/ann/Velmora");
    EXPECT_EQ(folders.SettingsFolder, "/home/ann/Velmora/Quorvan_16");
    EXPECT_EQ(folders.ClientFileFolder, "/home/ann/Velmora/Quorvan_16/Files");
    EXPECT_EQ(folders.PriorYearFolder, "/home/ann/Velmora/Quorvan_15/Files");
    EXPECT_EQ(folders.TempFolder, "/home/ann/Velmora/Quorvan_16/Temp");
    EXPECT_EQ(folders.ProgramFolder, "/opt/quorvan");
    EXPECT_EQ(folders.RtfFolder, "/opt/quorvan/RTF");
    EXPECT_EQ(folders.DatFolder, "/opt/quorvan/DAT");
    EXPECT_EQ(folders.PdfFolder, "/opt/quorvan/PDF");
    EXPECT_EQ(folders.PsfFolder, "/opt/quorvan/PSF");
    EXPECT_EQ(DefaultReturnPath(folders), "/home/ann/Velmora/Quorvan_16/Files/default.fq6");
}

// The program folder follows where the executable lies: the build tree's note, an installed
// share folder, or the executable's own folder.
TEST(FoldersTest, ProgramFolderFollowsWhereTheExecutableLies)
{
    TempHome root;
    const std::string build = root / "build";
    const std::string installed = root / "usr";
    for (const std::string& folder : {build + "/src/app", build + "/data", build + "/src/cli",
                                      installed + "/bin", installed + "/share/quorvan_16", root / "loose"})
        ASSERT_TRUE(EnsureFolder(folder)) << folder;
    WriteFileBytes(build + "/src/app/" + kBuildDataNoteName, build + "/data/\r\n");
    WriteFileBytes(build + "/src/cli/" + kBuildDataNoteName, root / "gone\n");  // a build folder since removed

    struct Case {
        const char* name;
        std::string executableFolder;
        std::string expected;
    };
    // name                      executable folder             expected program folder
    const Case cases[] = {
        {"build tree",             build + "/src/app",           build + "/data"},
        {"build tree, slash",      build + "/src/app/",          build + "/data"},
        {"note names no folder",   build + "/src/cli",           build + "/src/cli"},
        {"installed",              installed + "/bin",           installed + "/share/quorvan_16"},
        {"installed, slash",       installed + "/bin/",          installed + "/share/quorvan_16"},
        {"neither",                root / "loose",               root / "loose"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindProgramFolder(c.executableFolder), c.expected) << c.name;
}

TEST(FoldersTest, FreshHomeGetsItsWorkingFoldersButNotLastYears)
{
    TempHome home;
    const WorkingFolders folders = DefaultFolders(home.Path(), "/opt/quorvan");
    std::string error;
    ASSERT_TRUE(CreateWorkingFolders(folders, error)) << error;
    EXPECT_TRUE(FolderExists(folders.SettingsFolder));
    EXPECT_TRUE(FolderExists(folders.ClientFileFolder));
    EXPECT_TRUE(FolderExists(folders.TempFolder));
    EXPECT_FALSE(FolderExists(folders.PriorYearFolder));
    // The clients' names are the preparer's alone: every folder made is private.
    for (const std::string& made :
         {folders.BaseFolder, folders.SettingsFolder, folders.ClientFileFolder, folders.TempFolder})
        EXPECT_EQ(std::filesystem::status(made).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all)
            << made;
    // A second start finds them in place.
    EXPECT_TRUE(CreateWorkingFolders(folders, error));
}

TEST(FoldersTest, OnlyARealFolderOfOursIsOwn)
{
    TempHome home;
    const std::string real = home / "real";
    std::filesystem::create_directory(real);
    std::filesystem::create_directory_symlink(real, home / "link");
    EXPECT_TRUE(IsOwnRealFolder(real));
    EXPECT_FALSE(IsOwnRealFolder(home / "link"));
    EXPECT_FALSE(IsOwnRealFolder(home / "missing"));
}

TEST(FoldersTest, FolderThatCannotBeMadeIsNamed)
{
    TempHome home;
    WriteFileBytes(home / "Velmora", "a file where the base folder belongs");
    std::string error;
    EXPECT_FALSE(CreateWorkingFolders(DefaultFolders(home.Path(), "/opt"), error));
    EXPECT_NE(error.find("Velmora/Quorvan_16"), std::string::npos) << error;
}

TEST(FoldersTest, PathPieces)
{
    EXPECT_EQ(WithTrailingSeparator("/a/b"), "/a/b/");
    EXPECT_EQ(WithTrailingSeparator("/a/b/"), "/a/b/");
    EXPECT_EQ(JoinPath("/a/", "x.fq6"), "/a/x.fq6");
    EXPECT_EQ(FileNamePart("/a/b/estate.fq5"), "estate.fq5");
    EXPECT_EQ(FileNamePart("estate.fq5"), "estate.fq5");
    EXPECT_EQ(WithoutExtension("my.estate.fq5"), "my.estate");
    EXPECT_EQ(WithoutExtension("estate"), "estate");
}

TEST(FoldersTest, MasksMatchLikeTheDesktopDoes)
{
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    // file name                   mask               matches
    const Case cases[] = {
        {"send_temp.rtf",            "send_temp*.rtf",  true},
        {"send_temp.RTF",            "send_temp*.rtf",  true},
        {"SEND_TEMP12.Rtf",          "send_temp*.rtf",  true},
        {"send_temp.rtf.bak",        "send_temp*.rtf",  false},
        {"my_send_temp.rtf",         "send_temp*.rtf",  false},
        {"send_tem.rtf",             "send_temp*.rtf",  false},
        {"send_temp.rtf.rtf",        "send_temp*.rtf",  true},
        {"a.fq6",                    "?.fq6",           true},
        {"ab.fq6",                   "?.fq6",           false},
        {"anything",                 "*",               true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " against " << c.mask;
}

TEST(FoldersTest, CloseRemovesOnlyThePrintFilesAndNamesWhatStays)
{
    TempHome home;
    WriteFileBytes(home / "send_temp.RTF", "{\\rtf1}");
    WriteFileBytes(home / "send_temp2.rtf", "{\\rtf1}");
    WriteFileBytes(home / "estate.rtf", "{\\rtf1}");
    std::filesystem::create_directory(home / "send_temp_old.rtf");

    const std::vector<std::string> notDeleted = DeleteMatchingFiles(home.Path(), kPrintFileMask);

    EXPECT_EQ(notDeleted, std::vector<std::string>{"send_temp_old.rtf"});
    EXPECT_FALSE(FileExists(home / "send_temp.RTF"));
    EXPECT_FALSE(FileExists(home / "send_temp2.rtf"));
    EXPECT_TRUE(FileExists(home / "estate.rtf"));
    EXPECT_TRUE(DeleteMatchingFiles(home / "missing", kPrintFileMask).empty());
}

}  // namespace
}  // namespace quorvan
