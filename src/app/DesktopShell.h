#pragma once
// The desktop's "open": starting a program in a working folder, and opening a document or folder
// with the application the desktop has for it. The window reaches both through this class only,
// so a test can record what would have been started.

#include "print/WordProcessor.h"

#include <QString>

namespace quorvan::app {

class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // Starts the program detached from this one. False when it cannot be started.
    virtual bool StartProgram(const LaunchCommand& command);
    // Opens a local file or folder (QDesktopServices). False when nothing opens it.
    virtual bool OpenDocument(const QString& path);
};

}  // namespace quorvan::app
