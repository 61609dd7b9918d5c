// Program entry of the desktop program: the command line, the application, the main window with
// the client file it was given, the event loop.

#include "ProgramVersion.h"
#include "app/files/FileCommands.h"
#include "app/window/CommandLine.h"
#include "app/window/MainWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Without a display and without a chosen platform, Qt would stop with a message about plugins
// that tells the preparer nothing.
bool DisplayAvailable()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// --help or --version before any "--".
bool AsksForText(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        for (const char* option : {"--help", "-h", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

// --help and --version answer without a display, or with one that cannot be reached, so the
// application is a windowless one for them.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[])
{
    if (DisplayAvailable() && !AsksForText(argc, argv))
        return std::make_unique<QApplication>(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const char* size : {"32x32", "64x64", "256x256"})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1/apps/quorvan_16.png").arg(QLatin1String(size)));
    return icon;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::unique_ptr<QCoreApplication> application = MakeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quorvan_16"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(quorvan::kProgramVersion));

    const quorvan::app::StartRequest request = quorvan::app::ReadCommandLine(QCoreApplication::arguments());
    if (!request.run) {
        std::fputs(request.output.toLocal8Bit().constData(), stdout);
        std::fputs(request.error.toLocal8Bit().constData(), stderr);
        return request.exitCode;
    }
    if (!qobject_cast<QApplication*>(application.get())) {
        std::fprintf(stderr,
                     "quorvan_16: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it inside a graphical session, or on a machine without a screen under a virtual\n"
                     "display:  xvfb-run -a -s \"-screen 0 1920x1080x24\" %s\n",
                     argc > 0 ? argv[0] : "quorvan_16");
        return 2;
    }
    // The desktop entry of the installed program, so the desktop shows its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("quorvan_16"));
    QApplication::setWindowIcon(ProgramIcon());

    quorvan::app::TfrmMain window;
    window.show();
    // Opened once the window is up, so a report of an unreadable file has the window behind it.
    if (!request.clientFile.isEmpty())
        QTimer::singleShot(0, &window, [&window, &request] { window.Files().OpenChosenFile(request.clientFile); });
    return application->exec();
}
