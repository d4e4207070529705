#include "platform/SingleInstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace tz {

namespace {

QString RuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder;
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(const QString& folder)
    : path_(QDir(folder.isEmpty() ? RuntimeFolder() : folder).filePath("tz7300-setup.lock")),
      lock_(std::make_unique<QLockFile>(path_)) {
    // A lock is stale only when its owner process is gone, never because it is old: a copy that
    // has run for days still holds it.
    lock_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

SingleInstanceLock::Result SingleInstanceLock::TryAcquire() {
    if (lock_->isLocked()) return Result::Acquired;
    // QLockFile removes a lock whose process no longer runs and takes it.
    if (lock_->tryLock(0)) return Result::Acquired;
    return lock_->error() == QLockFile::LockFailedError ? Result::AlreadyRunning
                                                        : Result::Unavailable;
}

void SingleInstanceLock::Release() { lock_->unlock(); }

bool SingleInstanceLock::Held() const { return lock_->isLocked(); }

}  // namespace tz
