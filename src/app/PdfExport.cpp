#include "PdfExport.h"

#include "print/WordProcessor.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QProgressDialog>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

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

enum class RunResult { Finished, Cancelled, TimedOut };

// Runs the started process to its end while the event loop goes on, behind a busy progress
// window; Cancel and the time limit kill it.
RunResult WaitWithProgress(QWidget* parent, QProcess& process, const QString& caption)
{
    QProgressDialog progress(caption, QStringLiteral("Cancel"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("frmConversionProgress"));
    progress.setWindowTitle(QStringLiteral("Quorvan_16"));
    // Application-wide, so no other command starts while this one waits inside its own loop.
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    RunResult result = RunResult::Finished;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
        result = RunResult::Cancelled;
        process.kill();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, [&] {
        result = RunResult::TimedOut;
        process.kill();
    });
    limit.start(kPdfConversionTimeoutMs);
    progress.show();
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    return result;
}

}  // namespace

bool ConvertToPdf(QWidget* parent, const std::string& document, const QString& soffice, const QString& caption,
                  ConvertedPdf& pdf, QString& error)
{
    error.clear();
    auto folder = std::make_shared<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/quorvan_16-pdf-XXXXXX"));
    if (!folder->isValid()) {
        error = QStringLiteral("No scratch folder could be made for the PDF: %1").arg(folder->errorString());
        return false;
    }
    const QString rtfPath = folder->filePath(QStringLiteral("forms.rtf"));
    std::string writeError;
    if (!WritePrintFile(rtfPath.toStdString(), document, writeError)) {
        error = QString::fromStdString(writeError);
        return false;
    }
    const LaunchCommand command = PdfConversionCommand(soffice.toStdString(), rtfPath.toStdString(),
                                                       folder->path().toStdString(),
                                                       folder->filePath(QStringLiteral("profile")).toStdString());
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments << QString::fromStdString(argument);
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(command.workingFolder));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(soffice, arguments);
    if (!process.waitForStarted()) {
        error = QStringLiteral("LibreOffice could not be started (%1): %2").arg(soffice, process.errorString());
        return false;
    }
    switch (WaitWithProgress(parent, process, caption)) {
    case RunResult::Cancelled:
        return false;
    case RunResult::TimedOut:
        error = QStringLiteral("LibreOffice did not finish converting the forms to PDF within %1 seconds.")
                    .arg(kPdfConversionTimeoutMs / 1000);
        return false;
    case RunResult::Finished:
        break;
    }
    const QString pdfPath = folder->filePath(QStringLiteral("forms.pdf"));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !QFile::exists(pdfPath)) {
        const QString why = Tail(process.readAll());
        error = QStringLiteral("LibreOffice could not convert the forms to PDF.")
                + (why.isEmpty() ? QString() : QStringLiteral(" It said: ") + why);
        return false;
    }
    pdf.folder = std::move(folder);
    pdf.path = pdfPath;
    return true;
}

bool CopyFileInPlace(const QString& from, const QString& target, QString& error)
{
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(from, partial)) {
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
