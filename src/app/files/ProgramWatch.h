#pragma once
// Starting a program detached from this one while watching its first seconds. A word processor
// that cannot open its window usually ends at once with an error; the preparer should hear of it
// instead of waiting for a window that never comes. A small watcher process is the program's
// parent for that time, so its exit status can be read; then the program runs on by itself.

#include "print/WordProcessor.h"

#include <QObject>
#include <QString>

#include <functional>
#include <sys/types.h>

class QSocketNotifier;

namespace quorvan::app {

// What became of a started program within the time it was watched.
struct ProgramEnd {
    enum class Kind {
        Running,     // still running when the watch ended
        Exited,      // ended by itself; `value` is its exit status
        Signalled,   // killed; `value` is the signal number
        NotStarted,  // could not be run; `value` is the system's error number
    };
    Kind kind = Kind::Running;
    int value = 0;
    QString output;  // the last lines it wrote to its standard output or error

    // An exit status of 0 is a success: LibreOffice hands its document to a copy already running
    // and ends at once.
    bool Failed() const
    {
        return kind == Kind::NotStarted || kind == Kind::Signalled || (kind == Kind::Exited && value != 0);
    }
};

using ProgramEndHandler = std::function<void(const ProgramEnd&)>;

class ProgramWatch : public QObject {
    Q_OBJECT
public:
    // Starts `command` and watches it for `watchMs`; `ended` is called once, from the event loop,
    // when the program ends in that time or when the time is up (Kind::Running). The watch is a
    // child of `owner`: when the owner goes first, nothing is called and the program runs on.
    // False when the program cannot be found or is not executable; nothing is called then.
    static bool Start(const LaunchCommand& command, int watchMs, QObject* owner, ProgramEndHandler ended);

    ~ProgramWatch() override;

private:
    ProgramWatch(QObject* owner, pid_t watcher, int reportFd, int outputFd, ProgramEndHandler ended);
    void ReadReport();
    QString LastOutput() const;
    void Release();

    pid_t watcher_ = -1;
    int reportFd_ = -1;
    int outputFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    ProgramEndHandler ended_;
};

}  // namespace quorvan::app
