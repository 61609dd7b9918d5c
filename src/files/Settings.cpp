#include "files/Settings.h"

#include "files/Folders.h"

namespace quorvan {

const char* const kSettingsFileName = "quorvan_16.ini";

Settings DefaultSettings(const WorkingFolders& folders)
{
    Settings settings;
    settings.ClientFileFolder = folders.ClientFileFolder;
    settings.PriorYearFolder = folders.PriorYearFolder;
    return settings;
}

std::string SettingsFilePath(const WorkingFolders& folders)
{
    return JoinPath(folders.SettingsFolder, kSettingsFileName);
}

SettingsReadResult ReadINI(std::istream&, Settings&) { return {}; }
SettingsReadResult ReadINI(const std::string&, Settings&) { return {}; }
bool WriteINI(std::ostream&, const Settings&) { return false; }
bool WriteINI(const std::string&, const Settings&, std::string&) { return false; }
bool IsInRecentFiles(const std::vector<std::string>&, const std::string&) { return false; }
bool AddRecentFile(std::vector<std::string>&, const std::string&) { return false; }
void TrimRecentFiles(std::vector<std::string>&) {}
std::string RecentFileCaption(int, const std::string&) { return {}; }

}  // namespace quorvan
