#include "app/window/CommandLine.h"

#include "ProgramVersion.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace quorvan::app {

StartRequest ReadCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Prepares the 2016 income tax return of an estate or trust (Form 1041)."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Shows the version and ends."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A client file (*.fq6) to open."),
                                 QStringLiteral("[FILE]"));

    StartRequest request;
    const auto fail = [&request](const QString& problem) {
        request.run = false;
        request.exitCode = 2;
        request.error = QStringLiteral("quorvan_16: %1\nTry 'quorvan_16 --help'.\n").arg(problem);
        return request;
    };
    // --help and --version answer even beside options only the windowed program knows (Qt's own).
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help)) {
        request.run = false;
        request.output = parser.helpText();
        return request;
    }
    if (parser.isSet(version)) {
        request.run = false;
        request.output = QStringLiteral("quorvan_16 %1\n").arg(QLatin1String(kProgramVersion));
        return request;
    }
    if (!parsed)
        return fail(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QStringLiteral("only one client file can be given"));
    if (!files.isEmpty() && !files.constFirst().isEmpty())
        request.clientFile = QFileInfo(files.constFirst()).absoluteFilePath();
    return request;
}

}  // namespace quorvan::app
