// Program entry of the desktop program: the application, the main window, the event loop.

#include "MainWindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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

}  // namespace

int main(int argc, char* argv[])
{
    if (!DisplayAvailable()) {
        std::fprintf(stderr,
                     "quorvan_16: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it inside a graphical session, or on a machine without a screen under a virtual\n"
                     "display:  xvfb-run -a -s \"-screen 0 1920x1080x24\" %s\n",
                     argc > 0 ? argv[0] : "quorvan_16");
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvan_16"));
    quorvan::app::TfrmMain window;
    window.show();
    return application.exec();
}
