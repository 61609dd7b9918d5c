#pragma once
// The settings file "quorvan_16.ini": the preparer's choices that outlive a run (two default
// folders, the word-processor switches, zoom, font shrink, the recent files), positional lines
// with CR LF, and the rules of the recent-file list.
//
// Folders and files are written so that any path comes back exactly: as UTF-8, with "%",
// control characters and bytes that are not UTF-8 written "%XX"; line 3 then reads
// "reserved utf-8". Files of earlier versions, whose line 3 is "reserved", hold them in
// Windows-1252 and read as before.

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace quorvan {

struct WorkingFolders;

extern const char* const kSettingsFileName;  // "quorvan_16.ini"
constexpr int kMaxRecentFiles = 5;

// Every setting with its value when no settings file exists.
struct Settings {
    std::string ClientFileFolder;  // line 1
    std::string PriorYearFolder;   // line 2
    bool ForceWord = false;        // line 4, "TRUE"/"FALSE"
    bool ForceWordPad = false;     // line 5
    double PageScale = 0;          // line 6, the zoom factor
    double FontShrink = 0;         // line 7, points
    std::vector<std::string> RecentFiles;  // line 8 the count, then the paths, most recent first
};

// The start values: the two default folders of `folders`, both switches off, zeros, no files.
Settings DefaultSettings(const WorkingFolders& folders);

// The settings file in the settings folder.
std::string SettingsFilePath(const WorkingFolders& folders);

// What reading a settings file made of it.
struct SettingsReadResult {
    bool fileFound = false;      // false: a new file with the current values was written
    bool opened = true;          // false: the path is there but is no file we can read (message
                                 // 3305 shown, saying the settings stay in memory); nothing read,
                                 // and nothing may be written over it, at close either
    std::string problem;         // why, when not opened: "is a folder, not a file", ...
    bool written = true;         // false when that new file could not be written
    std::vector<int> keptLines;  // lines that did not read (numbers, overlong or damaged lines);
                                 // their settings keep the values they had
};

// Reads settings from `in` over `settings`: an empty folder line keeps the folder, a zoom or
// shrink line that is not a number keeps its value, a flag is on only for exactly "TRUE". At most
// kMaxRecentFiles paths are taken; a count beyond the lines that follow gives empty entries; a
// count that does not read takes every path line after it. Never fails: damaged text only keeps
// values, and nothing after a damaged line is lost.
SettingsReadResult ReadINI(std::istream& in, Settings& settings);

// The start-up read: the file at `path` when it exists; otherwise creates its folder (with
// parents) and writes a new file from `settings` as they stand. A path that is a folder, a
// device, a named pipe or beyond kMaxSettingsFileBytes is refused with message 3305 (never a
// hang), and the settings keep their values.
SettingsReadResult ReadINI(const std::string& path, Settings& settings);

// Message 3310, once for the whole file: the lines of the settings file at `path` that did not
// read (SettingsReadResult::keptLines); nothing when there are none.
void ReportSettingsLines(const std::string& path, const std::vector<int>& lines);

// Writes lines 1 to 8 + n. True when every byte was written.
bool WriteINI(std::ostream& out, const Settings& settings);

// The close-time write: replaces the file at `path` without ever leaving a half-written one.
// On failure the old file is untouched and `error` says why.
bool WriteINI(const std::string& path, const Settings& settings, std::string& error);

// Recent-list membership: a path counts as present when its file name is the untitled name
// ("UNTITLED.FQ6" after upper-casing) or when it equals an entry after upper-casing both.
bool IsInRecentFiles(const std::vector<std::string>& recentFiles, const std::string& path);

// Opening, saving as, or importing `path`: inserts it at the head unless it is present, then
// keeps the first kMaxRecentFiles entries. True when the list changed (rebuild the menu).
bool AddRecentFile(std::vector<std::string>& recentFiles, const std::string& path);

// Keeps the first kMaxRecentFiles entries (what rebuilding the recent-file menu does).
void TrimRecentFiles(std::vector<std::string>& recentFiles);

// The caption of recent-file item `index` (from 0), numbered from 1: "&1-estate.fq6".
std::string RecentFileCaption(int index, const std::string& path);

}  // namespace quorvan
