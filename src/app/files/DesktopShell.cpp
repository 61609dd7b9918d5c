#include "app/files/DesktopShell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace quorvan::app {

bool DesktopShell::StartProgram(const LaunchCommand& command)
{
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QString::fromStdString(argument);
    return QProcess::startDetached(QString::fromStdString(command.program), arguments,
                                   QString::fromStdString(command.workingFolder));
}

bool DesktopShell::StartWatched(const LaunchCommand& command, int watchMs, ProgramEndHandler ended)
{
    return ProgramWatch::Start(command, watchMs, &watches_, std::move(ended));
}

bool DesktopShell::OpenDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopShell::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

}  // namespace quorvan::app
