#include "files/Settings.h"

#include "files/Folders.h"
#include "support/FilesTempHome.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <sys/stat.h>

namespace quorvan {
namespace {

using test::MessageRecorder;
using test::ReadFileBytes;
using test::TempHome;
using test::TestDataPath;
using test::WriteFileBytes;

const char* const kFirstStartFile =
    "/h/Velmora/Quorvan_16/Files\r\n"
    "/h/Velmora/Quorvan_15/Files\r\n"
    "reserved utf-8\r\n"
    "FALSE\r\n"
    "FALSE\r\n"
    " 0.00000000000000E+0000\r\n"
    " 0.00000000000000E+0000\r\n"
    "0\r\n";

Settings Defaults()
{
    return DefaultSettings(DefaultFolders("/h", "/opt/quorvan"));
}

SettingsReadResult ReadText(const std::string& bytes, Settings& settings)
{
    std::istringstream in(bytes, std::ios::binary);
    return ReadINI(in, settings);
}

std::string WriteText(const Settings& settings)
{
    std::ostringstream out(std::ios::binary);
    EXPECT_TRUE(WriteINI(out, settings));
    return out.str();
}

TEST(SettingsTest, FirstStartWritesTheStartValues)
{
    TempHome home;
    const WorkingFolders folders = DefaultFolders(home.Path(), "/opt/quorvan");
    Settings settings = DefaultSettings(folders);
    const std::string path = SettingsFilePath(folders);
    EXPECT_EQ(path, home.Path() + "/Velmora/Quorvan_16/quorvan_16.ini");

    const SettingsReadResult result = ReadINI(path, settings);

    EXPECT_FALSE(result.fileFound);
    EXPECT_TRUE(result.written);
    std::string expected = kFirstStartFile;
    for (size_t at; (at = expected.find("/h/")) != std::string::npos;)
        expected.replace(at, 3, home.Path() + "/");
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(SettingsTest, EverySettingSurvivesWriteAndRead)
{
    Settings written = Defaults();
    written.ClientFileFolder = "/data/Clients München";
    written.PriorYearFolder = "/data/Last year";
    written.ForceWord = true;
    written.ForceWordPad = false;
    written.PageScale = 1.25;
    written.FontShrink = 2.5;
    written.RecentFiles = {"/data/Clients München/José.fq6", "/data/b.fq6", "/data/c.fq6"};

    const std::string bytes = WriteText(written);
    // UTF-8 on disk, every line ends in CR LF.
    EXPECT_NE(bytes.find("Clients München\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n 1.25000000000000E+0000\r\n 2.50000000000000E+0000\r\n3\r\n"), std::string::npos);

    Settings read = DefaultSettings(DefaultFolders("/elsewhere", "/opt"));
    const SettingsReadResult result = ReadText(bytes, read);
    EXPECT_TRUE(result.keptLines.empty());
    EXPECT_EQ(read.ClientFileFolder, written.ClientFileFolder);
    EXPECT_EQ(read.PriorYearFolder, written.PriorYearFolder);
    EXPECT_TRUE(read.ForceWord);
    EXPECT_FALSE(read.ForceWordPad);
    EXPECT_EQ(read.PageScale, 1.25);
    EXPECT_EQ(read.FontShrink, 2.5);
    EXPECT_EQ(read.RecentFiles, written.RecentFiles);
}

TEST(SettingsTest, EveryPathComesBackExactly)
{
    // Any bytes but NUL may make up a path: letters beyond Windows-1252, a line break, bytes that
    // are not UTF-8, "%" and what looks like an escape.
    const std::vector<std::string> paths = {
        "/home/ewa/Łódź/Klienci", "/data/100% done/%41%zz", "/data/line\nbreak\r.fq6",
        "/data/\xE9t\xE9 \xC3(.fq6", "/data/tab\there \x7F", "/data/信託/🏠.fq6",
    };
    TempHome home;
    const std::string path = home / "quorvan_16.ini";
    Settings written = Defaults();
    written.ClientFileFolder = paths[0];
    written.PriorYearFolder = paths[1];
    written.RecentFiles.assign(paths.begin() + 1, paths.end());
    std::string error;
    ASSERT_TRUE(WriteINI(path, written, error)) << error;

    Settings read = DefaultSettings(DefaultFolders("/elsewhere", "/opt"));
    const SettingsReadResult result = ReadINI(path, read);
    EXPECT_TRUE(result.keptLines.empty());
    EXPECT_EQ(read.ClientFileFolder, paths[0]);
    EXPECT_EQ(read.PriorYearFolder, paths[1]);
    EXPECT_EQ(read.RecentFiles, written.RecentFiles);
    // Still one line a setting.
    const std::string bytes = ReadFileBytes(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 8 + 5);
    EXPECT_NE(bytes.find("/data/line%0Abreak%0D.fq6\r\n"), std::string::npos);
}

TEST(SettingsTest, FileOfAnEarlierVersionReadsAsWindows1252)
{
    const std::string earlier = "/data/Clients M\xFCnchen\r\n/data/100%\r\nreserved\r\nFALSE\r\nTRUE\r\n"
                                " 1.00000000000000E+0000\r\n 0.00000000000000E+0000\r\n1\r\n/data/Jos\xE9 \x80.fq6\r\n";
    Settings settings = Defaults();
    const SettingsReadResult result = ReadText(earlier, settings);
    EXPECT_TRUE(result.keptLines.empty());
    EXPECT_EQ(settings.ClientFileFolder, "/data/Clients München");
    EXPECT_EQ(settings.PriorYearFolder, "/data/100%");
    EXPECT_TRUE(settings.ForceWordPad);
    EXPECT_EQ(settings.RecentFiles, std::vector<std::string>{"/data/José €.fq6"});
}

TEST(SettingsTest, CloseReplacesTheFileWholeOrNotAtAll)
{
    TempHome home;
    const std::string path = home / "quorvan_16.ini";
    WriteFileBytes(path, kFirstStartFile);
    Settings settings = Defaults();
    settings.FontShrink = 1.5;
    std::string error;
    ASSERT_TRUE(WriteINI(path, settings, error)) << error;
    EXPECT_EQ(ReadFileBytes(path), WriteText(settings));
    EXPECT_EQ(test::NamesIn(home.Path()), std::vector<std::string>{"quorvan_16.ini"});
    // A new file is the preparer's only: it lists their clients.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    ASSERT_TRUE(WriteINI(path, settings, error)) << error;
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    EXPECT_FALSE(WriteINI(home / "missing/quorvan_16.ini", settings, error));
    EXPECT_FALSE(error.empty());
}

// A damaged settings file never stops the start: what does not read keeps the value it had.
TEST(SettingsTest, FileThatCannotBeReadIsReportedAndLeftAsItIs)
{
    TempHome home;
    const std::string large = home / "large.ini";
    WriteFileBytes(large, std::string(2 << 20, 'x'));
    const std::string folder = home / "folder.ini";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const std::string pipe = home / "pipe.ini";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {large, folder, pipe}) {
        Settings settings;
        settings.ClientFileFolder = "/start";
        MessageRecorder messages;
        const SettingsReadResult result = ReadINI(path, settings);
        EXPECT_TRUE(result.fileFound);
        EXPECT_FALSE(result.opened) << path;
        EXPECT_EQ(settings.ClientFileFolder, "/start");
        ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33050});
        EXPECT_EQ(messages.Messages()[0].extra, path + " " + result.problem +
                                                    "; the settings of this run are kept in memory only, and the "
                                                    "file is left as it is.");
    }
    EXPECT_EQ(ReadFileBytes(large).size(), size_t(2) << 20);
}

TEST(SettingsTest, DamagedFixtureKeepsDefaultsForLinesThatDoNotRead)
{
    Settings settings = Defaults();
    settings.PageScale = 1.0;
    settings.FontShrink = 0.5;
    const SettingsReadResult result = ReadINI(TestDataPath("damaged-settings.ini"), settings);

    EXPECT_TRUE(result.fileFound);
    EXPECT_EQ(result.keptLines, (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(settings.ClientFileFolder, "/srv/returns/Files");
    EXPECT_EQ(settings.PriorYearFolder, "/h/Velmora/Quorvan_15/Files");  // empty line 2
    EXPECT_FALSE(settings.ForceWord);                                    // "true" is not "TRUE"
    EXPECT_TRUE(settings.ForceWordPad);
    EXPECT_EQ(settings.PageScale, 1.0);   // decimal comma
    EXPECT_EQ(settings.FontShrink, 0.5);  // "abc"
    // Count "two": the path after it is kept all the same.
    EXPECT_EQ(settings.RecentFiles, std::vector<std::string>{"/srv/returns/Files/a.fq6"});

    // Named once, in one message; written back at close, nothing read is dropped.
    MessageRecorder messages;
    ReportSettingsLines("/h/quorvan_16.ini", result.keptLines);
    ASSERT_EQ(messages.Codes(), std::vector<unsigned>{33100});
    EXPECT_EQ(messages.Messages()[0].extra, "/h/quorvan_16.ini, lines 6, 7 and 8.");
    std::ostringstream out(std::ios::binary);
    ASSERT_TRUE(WriteINI(out, settings));
    Settings again = Defaults();
    const SettingsReadResult reread = ReadText(out.str(), again);
    EXPECT_TRUE(reread.keptLines.empty());
    EXPECT_EQ(again.RecentFiles, settings.RecentFiles);
    EXPECT_EQ(again.ForceWordPad, true);
}

TEST(SettingsTest, DamagedTextNeverBreaksTheRead)
{
    const std::string head = "/c\r\n/p\r\nreserved\r\nTRUE\r\nFALSE\r\n 1.0E+0000\r\n 2.0E+0000\r\n";
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> recent;
        std::vector<int> keptLines;
        const char* clientFolder;
    };
    // name                       file bytes                                       recent files          kept lines  client folder
    const Case cases[] = {
        {"empty file",              "",                                              {},                   {},         "/h/Velmora/Quorvan_16/Files"},
        {"ends after line 3",       "/c\r\n/p\r\nres",                               {},                   {},         "/c"},
        {"count past the end",      head + "3\r\n/a.fq6\r\n",                        {"/a.fq6", "", ""},   {},         "/c"},
        {"huge count",              head + "2147483647\r\n/a.fq6\r\n",               {"/a.fq6", "", "", "", ""}, {}, "/c"},
        {"count beyond int",        head + "99999999999999999999\r\n/a.fq6\r\n",     {"/a.fq6"},           {8},        "/c"},
        {"count damaged, five files", head + "5x\r\n/a\r\n/b\r\n\r\n/c\r\n/d\r\n/e\r\n/f\r\n", {"/a", "/b", "/c", "/d", "/e"}, {8}, "/c"},
        {"count line overlong",     head + std::string(70000, '5') + "\r\n/a.fq6\r\n", {"/a.fq6"},        {8},        "/c"},
        {"negative count",          head + "-4\r\n/a.fq6\r\n",                       {},                   {},         "/c"},
        {"count and comment",       head + "1 files\r\n/a.fq6\r\n",                  {"/a.fq6"},           {},         "/c"},
        {"LF line ends",            "/c\n/p\nreserved\nTRUE\nFALSE\n\n\n1\n/a.fq6\n", {"/a.fq6"},          {},         "/c"},
        {"overlong folder line",    std::string(1 << 20, 'x') + "\r\n/p\r\n",        {},                   {1},        "/h/Velmora/Quorvan_16/Files"},
        {"NUL inside a path",       std::string("/c\0d\r\n", 6),                     {},                   {1},        "/h/Velmora/Quorvan_16/Files"},
        {"overlong recent entry",   head + "2\r\n" + std::string(70000, 'y') + "\r\n/b.fq6\r\n", {"", "/b.fq6"}, {9}, "/c"},
        {"escaped path too long",   "/c\r\n/p\r\nreserved utf-8\r\nTRUE\r\nFALSE\r\n\r\n\r\n1\r\n" + std::string(4096, 'y') + "\r\n", {""}, {9}, "/c"},
        {"escaped NUL in a folder", "/c%00d\r\n/p\r\nreserved utf-8\r\n",          {},                   {1},        "/h/Velmora/Quorvan_16/Files"},
        {"binary garbage",          std::string("\x00\xff\xfe\r\r\n\x81\x9d\x01", 9), {},                 {1},        "/h/Velmora/Quorvan_16/Files"},
    };
    for (const Case& c : cases) {
        Settings settings = Defaults();
        const SettingsReadResult result = ReadText(c.bytes, settings);
        EXPECT_EQ(settings.RecentFiles, c.recent) << c.name;
        EXPECT_EQ(result.keptLines, c.keptLines) << c.name;
        EXPECT_EQ(settings.ClientFileFolder, c.clientFolder) << c.name;
    }
}

TEST(SettingsTest, RecentListMembershipAndOrder)
{
    struct Case {
        const char* name;
        std::vector<std::string> before;
        const char* path;
        bool changed;
        std::vector<std::string> after;
    };
    // name                        list before                                     added path         changed  list after
    const Case cases[] = {
        {"new path goes first",      {"/a.fq6", "/b.fq6"},                           "/c.fq6",          true,  {"/c.fq6", "/a.fq6", "/b.fq6"}},
        {"present keeps the order",  {"/a.fq6", "/b.fq6"},                           "/b.fq6",          false, {"/a.fq6", "/b.fq6"}},
        {"case does not count",      {"/x/Estate.FQ6"},                              "/X/estate.fq6",   false, {"/x/Estate.FQ6"}},
        {"accented capitals",        {"/x/JOSÉ.fq6"},                                "/x/josé.fq6",     false, {"/x/JOSÉ.fq6"}},
        {"untitled never enters",    {},                                             "/x/untitled.FQ6", false, {}},
        {"sixth pushes oldest out",  {"/1.fq6", "/2.fq6", "/3.fq6", "/4.fq6", "/5.fq6"}, "/6.fq6",     true,  {"/6.fq6", "/1.fq6", "/2.fq6", "/3.fq6", "/4.fq6"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> list = c.before;
        EXPECT_EQ(AddRecentFile(list, c.path), c.changed) << c.name;
        EXPECT_EQ(list, c.after) << c.name;
    }
}

TEST(SettingsTest, RecentMenuCaptionCarriesTheAcceleratorDigit)
{
    EXPECT_EQ(RecentFileCaption(0, "/data/estate.fq6"), "&1-estate.fq6");
    EXPECT_EQ(RecentFileCaption(4, "trust.fq6"), "&5-trust.fq6");
}

}  // namespace
}  // namespace quorvan
