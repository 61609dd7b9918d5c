#include "cli/PdfOutput.h"

#include "files/Folders.h"
#include "render/PaintedDocument.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <memory>

namespace quorvan {

bool PaintPdf(const TAnswer& store, const std::vector<PrintPage>& pages, const std::string& layoutFolder,
              const std::string& outPath, std::string& error)
{
    // Fonts need a GUI application; the tool never shows a window, so no display is needed.
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        // Standard error carries the tool's own messages; Qt's notes on the session it finds
        // (no runtime folder, no display) are no concern of a painting without windows.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "quorvan_16-calc: %s\n", qPrintable(message));
        });
        static char name[] = "quorvan_16-calc";
        static char platformOption[] = "-platform";
        static char platform[] = "offscreen";
        static char* argv[] = {name, platformOption, platform, nullptr};
        static int argc = 3;
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    render::PaintedDocument document;
    if (!document.Build(store, pages, std::make_shared<PaintedLayouts>(layoutFolder), error))
        return false;
    return render::WritePdf(document, outPath, WithoutExtension(FileNamePart(outPath)), error);
}

}  // namespace quorvan
