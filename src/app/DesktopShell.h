#pragma once
// The desktop's "open": starting a program in a working folder, opening a document or folder
// with the application the desktop has for it, and opening a web page in the browser. The window
// reaches them through this class only, so a test can record what would have been started.

#include "print/WordProcessor.h"

#include <QString>

class QUrl;

namespace quorvan::app {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // Starts the program detached from this one. False when it cannot be started.
    virtual bool StartProgram(const LaunchCommand& command);
    // Opens a local file or folder (QDesktopServices). False when nothing opens it.
    virtual bool OpenDocument(const QString& path);
    // Opens a web address in the desktop's browser. False when nothing opens it.
    virtual bool OpenUrl(const QUrl& url);
};

}  // namespace quorvan::app
