#pragma once
// The file commands of the main window: New (also Close), Open, Reopen from the recent list,
// Save, Save As and the start of a return from last year's client file. Saving never leaves a
// half-written client file behind.

#include <QString>

namespace quorvan::app {

class CommandHost;

class FileCommands {
public:
    explicit FileCommands(CommandHost& window) : window_(window) {}

    void NewClick();
    void OpenClick();
    // Open after the file was chosen: the file given on the command line takes this way too.
    // An unreadable file is reported and leaves a new untitled return.
    void OpenChosenFile(const QString& path);
    void ReOpenClick(int index);
    // True when the return was written.
    bool SaveFile();
    bool SaveAsClick();
    void ImportLastYear();
    // Opens a recovery copy as the return of `clientFileName`, with its changes unsaved. False
    // (and a new untitled return) when the copy cannot be read.
    bool RestoreRecoveryCopy(const QString& copyPath, const QString& clientFileName);

private:
    enum class NewMode { Full, FirstStep };
    // A fresh store with "default.fq6" applied, untitled; Full also shows page 1. False when
    // "default.fq6" could not be read (the command ends there).
    bool RunNew(NewMode mode);
    // The save prompt; false when the preparer cancels.
    bool AskToSave();
    // Writes the store to the open file name; on failure says so and leaves Modified set.
    bool WriteReturn();
    void ShowPageOneOfNewReturn();
    // Reads a client file into the fresh store; a failure is reported once, by the reader's own
    // message or else by a warning naming the file.
    bool ReadOrReport(const QString& path);
    void ReportUnreadable(const QString& path);
    void ChangesSettled();
    void RememberRecent(const QString& path);
    QString UntitledOrSuggestedName() const;

    CommandHost& window_;
};

}  // namespace quorvan::app
