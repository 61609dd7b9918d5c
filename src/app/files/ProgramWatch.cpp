#include "app/files/ProgramWatch.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace quorvan::app {
namespace {

// What the watcher process writes to its parent, once.
struct Report {
    int kind;
    int value;
};

constexpr int kPollMs = 50;
constexpr int kOutputTailBytes = 4096;
constexpr int kOutputLines = 2;

// The program's path as it will be run: a path as given, a bare name through PATH. Empty when
// there is no such executable file.
QString ExecutablePath(const QString& program)
{
    if (!program.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(program);
    const QFileInfo file(program);
    return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
}

void Send(int fd, ProgramEnd::Kind kind, int value)
{
    const Report report{static_cast<int>(kind), value};
    while (write(fd, &report, sizeof report) < 0 && errno == EINTR) {
    }
}

// The watcher process. Between fork() and exec() a threaded program may only make calls that
// take no locks: no allocation, no Qt; everything it needs is prepared by the parent.
[[noreturn]] void RunWatcher(const char* path, char* const* argv, const char* folder, int outputFd, int reportFd,
                             int watchMs)
{
    int execPipe[2];
    if (pipe2(execPipe, O_CLOEXEC) != 0) {
        Send(reportFd, ProgramEnd::Kind::NotStarted, errno);
        _exit(0);
    }
    const pid_t program = fork();
    if (program < 0) {
        Send(reportFd, ProgramEnd::Kind::NotStarted, errno);
        _exit(0);
    }
    if (program == 0) {
        dup2(outputFd, STDOUT_FILENO);
        dup2(outputFd, STDERR_FILENO);
        if (chdir(folder) == 0)
            execv(path, argv);
        const int error = errno;
        while (write(execPipe[1], &error, sizeof error) < 0 && errno == EINTR) {
        }
        _exit(127);
    }
    close(execPipe[1]);
    // The pipe closes on a successful exec; on a failed one it carries the error number.
    int error = 0;
    ssize_t got = 0;
    while ((got = read(execPipe[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    if (got == static_cast<ssize_t>(sizeof error)) {
        waitpid(program, nullptr, 0);
        Send(reportFd, ProgramEnd::Kind::NotStarted, error);
        _exit(0);
    }
    for (int waited = 0; waited < watchMs; waited += kPollMs) {
        int status = 0;
        if (waitpid(program, &status, WNOHANG) == program) {
            if (WIFEXITED(status))
                Send(reportFd, ProgramEnd::Kind::Exited, WEXITSTATUS(status));
            else
                Send(reportFd, ProgramEnd::Kind::Signalled, WTERMSIG(status));
            _exit(0);
        }
        const timespec pause{0, kPollMs * 1000000L};
        nanosleep(&pause, nullptr);
    }
    // The program runs on without its watcher; the system adopts it.
    Send(reportFd, ProgramEnd::Kind::Running, 0);
    _exit(0);
}

// An unnamed file the program writes its messages to; it needs no reader while the program runs
// on, where a pipe would break the program's next write once nobody reads it.
int OutputFile()
{
    QByteArray pattern = QFile::encodeName(QDir::tempPath() + QStringLiteral("/quorvan_16-output-XXXXXX"));
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0)
        unlink(pattern.constData());
    return fd;
}

}  // namespace

bool ProgramWatch::Start(const LaunchCommand& command, int watchMs, QObject* owner, ProgramEndHandler ended)
{
    const QString path = ExecutablePath(QString::fromStdString(command.program));
    if (path.isEmpty())
        return false;
    const QByteArray encodedPath = QFile::encodeName(path);
    std::vector<QByteArray> words{encodedPath};
    for (const std::string& argument : command.arguments)
        words.push_back(QByteArray::fromStdString(argument));
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray folder =
        command.workingFolder.empty() ? QByteArray(".") : QByteArray::fromStdString(command.workingFolder);

    const int outputFd = OutputFile();
    if (outputFd < 0)
        return false;
    int reportPipe[2];
    if (pipe2(reportPipe, O_CLOEXEC) != 0) {
        close(outputFd);
        return false;
    }
    const pid_t watcher = fork();
    if (watcher == 0) {
        close(reportPipe[0]);
        RunWatcher(encodedPath.constData(), argv.data(), folder.constData(), outputFd, reportPipe[1], watchMs);
    }
    close(reportPipe[1]);
    if (watcher < 0) {
        close(reportPipe[0]);
        close(outputFd);
        return false;
    }
    fcntl(reportPipe[0], F_SETFL, fcntl(reportPipe[0], F_GETFL) | O_NONBLOCK);
    new ProgramWatch(owner, watcher, reportPipe[0], outputFd, std::move(ended));
    return true;
}

ProgramWatch::ProgramWatch(QObject* owner, pid_t watcher, int reportFd, int outputFd, ProgramEndHandler ended)
    : QObject(owner), watcher_(watcher), reportFd_(reportFd), outputFd_(outputFd), ended_(std::move(ended))
{
    notifier_ = new QSocketNotifier(reportFd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ProgramWatch::ReadReport);
}

ProgramWatch::~ProgramWatch()
{
    // Going before the report: the watcher is stopped, the program it started runs on.
    if (watcher_ > 0)
        kill(watcher_, SIGKILL);
    Release();
}

void ProgramWatch::ReadReport()
{
    Report report{static_cast<int>(ProgramEnd::Kind::Running), 0};
    ssize_t got = 0;
    while ((got = read(reportFd_, &report, sizeof report)) < 0 && errno == EINTR) {
    }
    if (got < 0 && errno == EAGAIN)
        return;
    ProgramEnd end;
    // A watcher that ended without a word leaves nothing known against the program.
    if (got == static_cast<ssize_t>(sizeof report)) {
        end.kind = static_cast<ProgramEnd::Kind>(report.kind);
        end.value = report.value;
    }
    if (end.kind != ProgramEnd::Kind::Running)
        end.output = LastOutput();
    ProgramEndHandler ended = std::move(ended_);
    Release();
    // The handler may open dialogs with event loops of their own; this object is not touched
    // after it.
    deleteLater();
    if (ended)
        ended(end);
}

QString ProgramWatch::LastOutput() const
{
    const off_t size = lseek(outputFd_, 0, SEEK_END);
    if (size <= 0)
        return QString();
    const off_t start = size > kOutputTailBytes ? size - kOutputTailBytes : 0;
    QByteArray tail(static_cast<int>(size - start), '\0');
    const ssize_t got = pread(outputFd_, tail.data(), static_cast<size_t>(tail.size()), start);
    tail.resize(got > 0 ? static_cast<int>(got) : 0);
    QStringList lines = QString::fromLocal8Bit(tail).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    while (lines.size() > kOutputLines)
        lines.removeFirst();
    return lines.join(QLatin1Char(' '));
}

void ProgramWatch::Release()
{
    // Only disabled: it may be the very notifier whose signal is being handled; it goes with
    // this object.
    if (notifier_)
        notifier_->setEnabled(false);
    if (reportFd_ >= 0)
        close(reportFd_);
    reportFd_ = -1;
    if (outputFd_ >= 0)
        close(outputFd_);
    outputFd_ = -1;
    if (watcher_ > 0) {
        while (waitpid(watcher_, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    watcher_ = -1;
}

}  // namespace quorvan::app
