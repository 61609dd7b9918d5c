#pragma once
// Recovery copies: while a return has unsaved changes, a copy of it is kept in the Recovery
// folder beside the program's files (within half a minute of a change and at each page change),
// so that a crash or a power cut loses at most the last half minute of typing. The copy goes when
// the changes are saved or dropped; a copy that a run left behind is offered at the next start.

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

class QLockFile;

namespace quorvan {
class TAnswer;
}

namespace quorvan::app {

// A copy left by a run of the program that ended without closing.
struct RecoveryCopy {
    QString id;              // the run that wrote it
    QString returnPath;      // the copy: a client file
    QString clientFileName;  // the client file it belongs to; "Untitled.fq6" when never saved;
                             // empty when its note could not be read (a return of unknown origin)
    QDateTime written;
};

// The Recovery folder. This run's copy is guarded by a lock the run holds while it lasts (a copy
// whose lock nobody holds was left by a run that ended); copies hold identifying numbers, so the
// folder and every file in it are the owner's only. A folder that is a symbolic link, or that
// belongs to someone else, is used only when it is private already (mode 0700): its permissions
// are never changed, and one that others can enter is not used at all. Only regular files in it
// are ever opened or locked: a named pipe, a device or a link there is left alone.
class RecoveryFolder {
public:
    explicit RecoveryFolder(const QString& folder);
    ~RecoveryFolder();  // lets go of the locks; a copy still there is offered at the next start

    const QString& Folder() const { return folder_; }
    // Makes the folder when it is missing and checks it as above. False, with `problem` naming
    // the folder and what is wrong with it, when copies must not go there.
    bool Prepare(QString& problem) const;
    // Writes the return in `store` through the client file writer as this run's copy, naming the
    // client file it belongs to. False, with `error`, when it cannot.
    bool Write(TAnswer& store, const QString& clientFileName, QString& error);
    void Remove();  // this run's copy
    bool HasCopy() const;
    QString CopyPath() const;

    // Copies of runs that have ended, newest first. Each stays claimed by this run (so that a
    // second program starting now does not offer it too) until Discard or Keep. A copy whose
    // note cannot be read is offered all the same, as of unknown origin. Entries that are no
    // regular file are skipped and named in `skipped`; nothing is read from a folder that fails
    // Prepare (its problem in `problem`).
    QList<RecoveryCopy> LeftOver(QStringList* skipped = nullptr, QString* problem = nullptr);
    void Discard(const RecoveryCopy& copy);
    void Keep(const RecoveryCopy& copy);  // for a later start

private:
    QString PathOf(const QString& id, const char* extension) const;
    bool CheckFolder(bool create, QString& problem) const;

    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    std::map<QString, std::unique_ptr<QLockFile>> claimed_;
};

// When to write: a change schedules a copy within the interval; a page change writes one at
// once; saving, closing or dropping the changes removes it.
class Autosave : public QObject {
public:
    static constexpr int kIntervalMs = 30000;

    // `openReturn` gives the store of the open return (null when none is open); `unsavedChanges`
    // says whether it has changes not yet saved; `clientFileName` names the file it belongs to.
    Autosave(const QString& folder, std::function<TAnswer*()> openReturn, std::function<bool()> unsavedChanges,
             std::function<QString()> clientFileName, QObject* parent = nullptr);

    void NoteChange();
    void PageChanged();
    void ChangesSettled();
    // Writes the copy now when there are unsaved changes; false when writing failed.
    bool WriteNow();

    bool Pending() const { return timer_.isActive(); }
    void SetInterval(int milliseconds) { interval_ = milliseconds; }
    RecoveryFolder& Folder() { return folder_; }
    // Told once per run when a copy cannot be written, with the reason.
    std::function<void(const QString&)> onFailure;
    // Tells onFailure now, unless it was told already: copies cannot be kept this run.
    void ReportFailure(const QString& reason);

private:
    RecoveryFolder folder_;
    std::function<TAnswer*()> openReturn_;
    std::function<bool()> unsavedChanges_;
    std::function<QString()> clientFileName_;
    QTimer timer_;
    int interval_ = kIntervalMs;
    bool failureReported_ = false;
};

}  // namespace quorvan::app
