// Recovery copies of a return with unsaved changes: the copy written through the client file
// writer, the note of the client file it belongs to, the lock of the run that writes it, and the
// copies earlier runs left behind.

#include "RecoveryCopies.h"

#include "files/ClientFile.h"
#include "store/Answers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <algorithm>
#include <sstream>

namespace quorvan::app {
namespace {

constexpr char kCopyExtension[] = ".fq6";
constexpr char kNoteExtension[] = ".info";
constexpr char kLockExtension[] = ".lock";
constexpr char kNoteHeading[] = "Quorvan_16 recovery copy";
constexpr char kClientKey[] = "client=";
constexpr char kWrittenKey[] = "written=";

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

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

bool RecoveryFolder::PrepareFolder(QString& error) const
{
    if (!QDir().mkpath(folder_)) {
        error = QStringLiteral("The folder %1 cannot be made.").arg(folder_);
        return false;
    }
    QFile::setPermissions(folder_, kOwnerOnly | QFileDevice::ExeOwner);
    return true;
}

bool RecoveryFolder::Write(TAnswer& store, const QString& clientFileName, QString& error)
{
    if (!PrepareFolder(error))
        return false;
    if (!lock_ && !(lock_ = TryLock(PathOf(id_, kLockExtension)))) {
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

QList<RecoveryCopy> RecoveryFolder::LeftOver()
{
    QList<RecoveryCopy> copies;
    const QStringList notes = QDir(folder_).entryList({QStringLiteral("*") + QLatin1String(kNoteExtension)}, QDir::Files);
    for (const QString& name : notes) {
        const QString id = QFileInfo(name).completeBaseName();
        if (id == id_ || claimed_.count(id))
            continue;
        std::unique_ptr<QLockFile> lock = TryLock(PathOf(id, kLockExtension));
        if (!lock)
            continue;  // the run that writes it is still going
        RecoveryCopy copy;
        copy.id = id;
        copy.returnPath = PathOf(id, kCopyExtension);
        if (!QFileInfo::exists(copy.returnPath) || !ReadNote(PathOf(id, kNoteExtension), copy)) {
            // Cut off before its copy was written: nothing to offer.
            QFile::remove(copy.returnPath);
            QFile::remove(PathOf(id, kNoteExtension));
            continue;
        }
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
    if (!failureReported_ && onFailure) {
        failureReported_ = true;
        onFailure(error);
    }
    return false;
}

}  // namespace quorvan::app
