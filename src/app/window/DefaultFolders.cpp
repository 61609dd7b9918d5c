// Default File Locations: the client-file, prior-year and temporary folders the preparer may
// move. The first two reach the settings file at close; the temporary folder lasts this run.

#include "app/window/MainWindow.h"

#include <QDir>

#include <array>

namespace quorvan::app {
namespace {

struct FolderRow {
    std::string WorkingFolders::*folder;
    const char* title;
};

// Item Tag: folder, title of the folder picker
const std::array<FolderRow, 3> kFolderRows = {{
    {&WorkingFolders::ClientFileFolder, "Select client file folder"},
    {&WorkingFolders::PriorYearFolder, "Select last year's client probate folder"},
    {&WorkingFolders::TempFolder, "Select temporary send to word processor folder"},
}};

}  // namespace

void TfrmMain::DefaultFileLocation(int tag)
{
    if (tag < 0 || tag >= static_cast<int>(kFolderRows.size()))
        return;
    std::string& folder = folders_.*kFolderRows[static_cast<size_t>(tag)].folder;
    const QString chosen = prompts_->ChooseFolder(this, QString::fromLatin1(kFolderRows[static_cast<size_t>(tag)].title),
                                                  QString::fromStdString(folder));
    if (chosen.isEmpty())
        return;
    // Folders are kept without a trailing separator; the file commands add one.
    QString clean = QDir::cleanPath(chosen);
    if (clean.size() > 1 && clean.endsWith(QLatin1Char('/')))
        clean.chop(1);
    folder = clean.toStdString();
}

}  // namespace quorvan::app
