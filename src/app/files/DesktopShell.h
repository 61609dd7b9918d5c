#pragma once
// The desktop's "open": starting a program in a working folder, opening a document or folder
// with the application the desktop has for it, and opening a web page in the browser. The window
// reaches them through this class only, so a test can record what would have been started.

#include "app/files/ProgramWatch.h"
#include "print/WordProcessor.h"

#include <QObject>
#include <QString>

class QUrl;

namespace quorvan::app {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // Starts the program detached from this one. False when it cannot be started.
    virtual bool StartProgram(const LaunchCommand& command);
    // Starts the program detached from this one and watches it for `watchMs` (see ProgramWatch):
    // `ended` hears once whether it ended in that time, and how. False when it cannot be started.
    virtual bool StartWatched(const LaunchCommand& command, int watchMs, ProgramEndHandler ended);
    // Opens a local file or folder (QDesktopServices). False when nothing opens it.
    virtual bool OpenDocument(const QString& path);
    // Opens a web address in the desktop's browser. False when nothing opens it.
    virtual bool OpenUrl(const QUrl& url);

private:
    QObject watches_;  // owns the running watches; they end with the shell
};

}  // namespace quorvan::app
