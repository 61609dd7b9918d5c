#pragma once
// The working folders of one run: the program folder with its support folders, and the fixed
// folders under the preparer's home (client files, last year's client files, print files, the
// settings file). Pure paths plus the few file-system steps start-up and close need.

#include <functional>
#include <string>
#include <vector>

namespace quorvan {

// Names of the fixed folders under the home folder.
extern const char* const kBaseFolderName;          // "Velmora"
extern const char* const kProgramFolderName;       // "Quorvan_16"
extern const char* const kPriorProgramFolderName;  // "Quorvan_15"
extern const char* const kUntitledFileName;        // "Untitled.fq6"
extern const char* const kDefaultReturnFileName;   // "default.fq6"
extern const char* const kPrintFileMask;           // "send_temp*.rtf", removed at close

// Every folder the program works with; full paths without a trailing separator.
struct WorkingFolders {
    std::string BaseFolder;        // ~/Velmora
    std::string SettingsFolder;    // ~/Velmora/Quorvan_16, home of the settings file
    std::string ProgramFolder;     // installed data: the RTF, DAT, PDF and PSF folders are below it
    std::string ClientFileFolder;  // ~/Velmora/Quorvan_16/Files; the settings file may replace it
    std::string PriorYearFolder;   // ~/Velmora/Quorvan_15/Files; the settings file may replace it
    std::string TempFolder;        // ~/Velmora/Quorvan_16/Temp; print files, forgotten at close
    std::string RtfFolder;         // print templates
    std::string DatFolder;         // print support files
    std::string PdfFolder;         // manual and publications
    std::string PsfFolder;         // page layouts
};

// The start values of every folder for a home folder and the program's data folder.
// The support folders are derived at once (DeriveSupportFolders).
WorkingFolders DefaultFolders(const std::string& homeFolder, const std::string& programFolder);

// RTF, DAT, PDF and PSF below the program folder (done again after the settings are read).
void DeriveSupportFolders(WorkingFolders& folders);

// The note the build writes beside the programs it builds, naming the data folder of the build
// tree. It is never installed, so an installed program does not depend on the build tree.
extern const char* const kBuildDataNoteName;  // "quorvan_16-data-folder.txt"

// The program folder (installed data) of a program whose executable lies in `executableFolder`:
// - run from the build tree: the folder the build note beside it names, when that folder exists;
// - installed: "../share/quorvan_16" from the executable's folder ("/usr/bin" gives
//   "/usr/share/quorvan_16"), when that folder exists;
// - otherwise the executable's own folder.
std::string FindProgramFolder(const std::string& executableFolder);

// Creates the folders a fresh home lacks: the settings, client-file and temporary folders, with
// any missing parents. The prior-year folder belongs to last year's program and is left alone.
// False, with `error` naming the folder, when one of them cannot be made.
bool CreateWorkingFolders(const WorkingFolders& folders, std::string& error);

// Path helpers. Separators are "/".
std::string WithTrailingSeparator(const std::string& folder);
std::string JoinPath(const std::string& folder, const std::string& name);
std::string FileNamePart(const std::string& path);         // after the last separator
std::string WithoutExtension(const std::string& fileName); // cut before the last "."
bool FileExists(const std::string& path);                  // a file (not a folder) is there
bool FolderExists(const std::string& path);
bool EnsureFolder(const std::string& folder);  // creates it with its parents, 0700
// A folder of this user's that is no symbolic link: only such a folder has files deleted in it.
bool IsOwnRealFolder(const std::string& folder);

// The client file "default.fq6" of a client-file folder (the preset blank return).
std::string DefaultReturnPath(const WorkingFolders& folders);

// Case-insensitive file mask with "*" and "?" ("send_temp*.rtf" matches "send_temp.RTF").
bool MatchesMask(const std::string& name, const std::string& mask);

// Deletes every entry of `folder` whose name matches `mask`. Returns the names of the entries
// that could not be deleted (the caller shows "Unable to delete " + name for each); a missing
// folder deletes nothing.
std::vector<std::string> DeleteMatchingFiles(const std::string& folder, const std::string& mask);

}  // namespace quorvan
