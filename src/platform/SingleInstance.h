#pragma once
// One running copy of the desktop program per user: a lock file in the per-user runtime folder.
// A copy that ends, normally or by a crash, leaves no lock that counts: a lock file whose owner
// process is gone is taken over, so only a copy that really runs refuses the start.
#include <QString>
#include <memory>

class QLockFile;

namespace tz {

class SingleInstanceLock {
public:
    enum class Result {
        Acquired,        // this copy is the only one
        AlreadyRunning,  // another running copy holds the lock
        Unavailable,     // the lock file cannot be made (folder missing or not writable)
    };

    // The lock file "tz7300-setup.lock" in the given folder; an empty folder means the per-user
    // runtime folder (needs a QCoreApplication).
    explicit SingleInstanceLock(const QString& folder = {});
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Tries once, without waiting; the lock is held until Release or destruction.
    Result TryAcquire();
    void Release();
    bool Held() const;
    QString FilePath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace tz
