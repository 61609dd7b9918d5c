#include "PdfExport.h"

#include "print/WordProcessor.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <filesystem>

namespace quorvan::app {
namespace {

// The last lines LibreOffice wrote, to say why a conversion failed.
QString Tail(const QByteArray& output)
{
    QStringList lines = QString::fromLocal8Bit(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    while (lines.size() > 3)
        lines.removeFirst();
    return lines.join(QLatin1Char(' ')).trimmed();
}

}  // namespace

bool ExportPdf(const std::string& document, const QString& soffice, const QString& target, QString& error)
{
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/quorvan_16-pdf-XXXXXX"));
    if (!scratch.isValid()) {
        error = QStringLiteral("No scratch folder could be made for the PDF: %1").arg(scratch.errorString());
        return false;
    }
    const QString rtfPath = scratch.filePath(QStringLiteral("forms.rtf"));
    std::string writeError;
    if (!WritePrintFile(rtfPath.toStdString(), document, writeError)) {
        error = QString::fromStdString(writeError);
        return false;
    }
    const LaunchCommand command = PdfConversionCommand(soffice.toStdString(), rtfPath.toStdString(),
                                                       scratch.path().toStdString(),
                                                       scratch.filePath(QStringLiteral("profile")).toStdString());
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QString::fromStdString(argument);
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(command.workingFolder));
    process.start(soffice, arguments);
    if (!process.waitForStarted()) {
        error = QStringLiteral("LibreOffice could not be started (%1): %2").arg(soffice, process.errorString());
        return false;
    }
    if (!process.waitForFinished(kPdfConversionTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        error = QStringLiteral("LibreOffice did not finish converting the forms to PDF within %1 seconds.")
                    .arg(kPdfConversionTimeoutMs / 1000);
        return false;
    }
    const QString pdfPath = scratch.filePath(QStringLiteral("forms.pdf"));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !QFile::exists(pdfPath)) {
        const QString why = Tail(process.readAllStandardError() + process.readAllStandardOutput());
        error = QStringLiteral("LibreOffice could not convert the forms to PDF.")
                + (why.isEmpty() ? QString() : QStringLiteral(" It said: ") + why);
        return false;
    }
    // Written beside the target first and renamed over it, so a failure leaves an earlier file whole.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(pdfPath, partial)) {
        error = QStringLiteral("The PDF could not be written to %1.").arg(target);
        return false;
    }
    std::error_code renameError;
    std::filesystem::rename(partial.toStdString(), target.toStdString(), renameError);
    if (renameError) {
        QFile::remove(partial);
        error = QStringLiteral("The PDF could not be written to %1.").arg(target);
        return false;
    }
    return true;
}

}  // namespace quorvan::app
