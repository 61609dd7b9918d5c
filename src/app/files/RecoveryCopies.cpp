// Recovery copies of a return with unsaved changes: the copy written through the client file
// writer, the note of the client file it belongs to, the lock of the run that writes it, and the
// copies earlier runs left behind.

#include "app/files/RecoveryCopies.h"

#include "files/ClientFile.h"
#include "store/Answers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvan::app {
namespace {

constexpr char kCopyExtension[] = ".fq6";
constexpr char kNoteExtension[] = ".info";
constexpr char kLockExtension[] = ".lock";
constexpr char kNoteHeading[] = "Quorvan_16 recovery copy";
constexpr char kClientKey[] = "client=";
constexpr char kWrittenKey[] = "written=";

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr mode_t kPrivateFolder = 0700;

enum class Entry { Missing, RegularFile, Other };

// What stands at `path`, links not followed: only a regular file is ever opened or locked, since
// opening a named pipe blocks and a link may lead anywhere.
Entry EntryAt(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? Entry::Missing : Entry::Other;
    return S_ISREG(info.st_mode) ? Entry::RegularFile : Entry::Other;
}

QString ModeText(mode_t mode)
{
    return QStringLiteral("%1").arg(mode & 0777, 4, 8, QLatin1Char('0'));
}

// Locks count as held only by a running program: a lock whose process has gone is free at once,
// however recent, and a live one never grows stale by age.
std::unique_ptr<QLockFile> TryLock(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock->tryLock(0) ? std::move(lock) : nullptr;
}

bool WriteOwnerOnly(const QString& path, const QByteArray& bytes, QString& error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    file.setPermissions(kOwnerOnly);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error = file.errorString();
        return false;
    }
    QFile::setPermissions(path, kOwnerOnly);
    return true;
}

// The note beside a copy: which client file it belongs to and when it was written.
bool ReadNote(const QString& path, RecoveryCopy& copy)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QStringList lines = QString::fromUtf8(file.read(64 * 1024)).split(QStringLiteral("\r\n"));
    if (lines.value(0) != QLatin1String(kNoteHeading))
        return false;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String(kClientKey)))
            copy.clientFileName = line.mid(sizeof kClientKey - 1);
        else if (line.startsWith(QLatin1String(kWrittenKey)))
            copy.written = QDateTime::fromString(line.mid(sizeof kWrittenKey - 1), Qt::ISODate);
    }
    return !copy.clientFileName.isEmpty();
}

}  // namespace

RecoveryFolder::RecoveryFolder(const QString& folder)
    : folder_(folder),
      id_(QStringLiteral("run-%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QDateTime::currentMSecsSinceEpoch()))
{
}

RecoveryFolder::~RecoveryFolder() = default;

QString RecoveryFolder::PathOf(const QString& id, const char* extension) const
{
    return folder_ + QLatin1Char('/') + id + QLatin1String(extension);
}

QString RecoveryFolder::CopyPath() const
{
    return PathOf(id_, kCopyExtension);
}

bool RecoveryFolder::HasCopy() const
{
    return QFileInfo::exists(CopyPath());
}

bool RecoveryFolder::Prepare(QString& problem) const
{
    return CheckFolder(true, problem);
}

// The folder as the class comment has it. `create`: a missing folder is made (private); else a
// missing folder is no problem, and nothing is in it.
bool RecoveryFolder::CheckFolder(bool create, QString& problem) const
{
    const QByteArray path = QFile::encodeName(folder_);
    struct stat entry {};
    if (::lstat(path.constData(), &entry) != 0) {
        if (errno != ENOENT) {
            problem = QStringLiteral("The recovery folder %1 cannot be looked at: %2.")
                          .arg(folder_, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        if (!create)
            return true;
        if (!QDir().mkpath(QFileInfo(folder_).absolutePath()) ||
            (::mkdir(path.constData(), kPrivateFolder) != 0 && errno != EEXIST) ||
            ::lstat(path.constData(), &entry) != 0) {
            problem = QStringLiteral("The recovery folder %1 cannot be made.").arg(folder_);
            return false;
        }
    }
    struct stat folder = entry;
    const bool link = S_ISLNK(entry.st_mode);
    if ((link && ::stat(path.constData(), &folder) != 0) || !S_ISDIR(folder.st_mode)) {
        problem = QStringLiteral("The recovery folder %1 is no folder%2.")
                      .arg(folder_, link ? QStringLiteral(" (a link to none)") : QString());
        return false;
    }
    const bool ours = folder.st_uid == ::geteuid();
    if (link || !ours) {
        // Not ours to change: used as it is, when it is private already.
        if ((folder.st_mode & 0777) == kPrivateFolder)
            return true;
        problem = QStringLiteral("The recovery folder %1 is %2, and others may open it (mode %3). Recovery copies hold "
                                 "identifying numbers, so none is kept there; make it a folder of your own.")
                      .arg(folder_, link ? QStringLiteral("a symbolic link") : QStringLiteral("another user's folder"),
                           ModeText(folder.st_mode));
        return false;
    }
    if ((folder.st_mode & 0777) == kPrivateFolder)
        return true;
    // Our own folder, no link: made private through a descriptor that cannot have followed one.
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const bool made = fd >= 0 && ::fchmod(fd, kPrivateFolder) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!made)
        problem = QStringLiteral("The recovery folder %1 cannot be made private to you.").arg(folder_);
    return made;
}

bool RecoveryFolder::Write(TAnswer& store, const QString& clientFileName, QString& error)
{
    if (!Prepare(error))
        return false;
    const QString lockPath = PathOf(id_, kLockExtension);
    if (!lock_ && (EntryAt(lockPath) == Entry::Other || !(lock_ = TryLock(lockPath)))) {
        error = QStringLiteral("The recovery folder %1 cannot be locked.").arg(folder_);
        return false;
    }
    std::ostringstream text(std::ios::binary);
    if (!WriteClientFile(store, text)) {
        error = QStringLiteral("The return could not be prepared for writing.");
        return false;
    }
    // The note first: a copy without its note could never be offered.
    const QByteArray note = QStringLiteral("%1\r\n%2%3\r\n%4%5\r\n")
                                .arg(QLatin1String(kNoteHeading), QLatin1String(kClientKey), clientFileName,
                                     QLatin1String(kWrittenKey),
                                     QDateTime::currentDateTime().toString(Qt::ISODate))
                                .toUtf8();
    return WriteOwnerOnly(PathOf(id_, kNoteExtension), note, error)
           && WriteOwnerOnly(CopyPath(), QByteArray::fromStdString(text.str()), error);
}

void RecoveryFolder::Remove()
{
    QFile::remove(CopyPath());
    QFile::remove(PathOf(id_, kNoteExtension));
}

QList<RecoveryCopy> RecoveryFolder::LeftOver(QStringList* skipped, QString* problem)
{
    QList<RecoveryCopy> copies;
    QString why;
    if (!CheckFolder(false, why)) {
        if (problem)
            *problem = why;
        return copies;
    }
    // The runs that left something: every copy and every note names one.
    std::set<QString> ids;
    const QFileInfoList entries =
        QDir(folder_).entryInfoList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        const bool copyOrNote =
            name.endsWith(QLatin1String(kCopyExtension)) || name.endsWith(QLatin1String(kNoteExtension));
        if (!copyOrNote && !name.endsWith(QLatin1String(kLockExtension)))
            continue;
        if (EntryAt(entry.filePath()) == Entry::Other && skipped)
            skipped->append(entry.filePath());
        if (copyOrNote)
            ids.insert(entry.completeBaseName());
    }
    for (const QString& id : ids) {
        if (id == id_ || claimed_.count(id))
            continue;
        const QString copyPath = PathOf(id, kCopyExtension);
        const QString notePath = PathOf(id, kNoteExtension);
        const QString lockPath = PathOf(id, kLockExtension);
        if (EntryAt(lockPath) == Entry::Other || EntryAt(copyPath) == Entry::Other)
            continue;  // named in `skipped`; nothing of it is touched
        std::unique_ptr<QLockFile> lock = TryLock(lockPath);
        if (!lock)
            continue;  // the run that writes it is still going
        if (EntryAt(copyPath) == Entry::Missing) {
            // Cut off before its copy was written: nothing to offer; the note alone goes.
            if (EntryAt(notePath) == Entry::RegularFile)
                QFile::remove(notePath);
            continue;
        }
        RecoveryCopy copy;
        copy.id = id;
        copy.returnPath = copyPath;
        if (EntryAt(notePath) != Entry::RegularFile || !ReadNote(notePath, copy)) {
            // The copy is all there is: offered as of unknown origin, never dropped unasked.
            copy.clientFileName.clear();
            copy.written = QDateTime();
        }
        if (!copy.written.isValid())
            copy.written = QFileInfo(copyPath).lastModified();
        claimed_[id] = std::move(lock);
        copies.append(copy);
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written > b.written; });
    return copies;
}

void RecoveryFolder::Discard(const RecoveryCopy& copy)
{
    QFile::remove(PathOf(copy.id, kCopyExtension));
    QFile::remove(PathOf(copy.id, kNoteExtension));
    claimed_.erase(copy.id);
}

void RecoveryFolder::Keep(const RecoveryCopy& copy)
{
    claimed_.erase(copy.id);
}

Autosave::Autosave(const QString& folder, std::function<TAnswer*()> openReturn, std::function<bool()> unsavedChanges,
                   std::function<QString()> clientFileName, QObject* parent)
    : QObject(parent),
      folder_(folder),
      openReturn_(std::move(openReturn)),
      unsavedChanges_(std::move(unsavedChanges)),
      clientFileName_(std::move(clientFileName))
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { WriteNow(); });
}

void Autosave::NoteChange()
{
    if (!timer_.isActive())
        timer_.start(interval_);
}

void Autosave::PageChanged()
{
    if (unsavedChanges_())
        WriteNow();
}

void Autosave::ChangesSettled()
{
    timer_.stop();
    folder_.Remove();
}

void Autosave::ReportFailure(const QString& reason)
{
    if (failureReported_ || !onFailure)
        return;
    failureReported_ = true;
    onFailure(reason);
}

bool Autosave::WriteNow()
{
    timer_.stop();
    if (!unsavedChanges_()) {
        folder_.Remove();
        return true;
    }
    QString error;
    TAnswer* store = openReturn_();
    if (!store)
        error = QStringLiteral("No return is open.");
    else if (folder_.Write(*store, clientFileName_(), error))
        return true;
    ReportFailure(error);
    return false;
}

}  // namespace quorvan::app
