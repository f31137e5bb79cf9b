#pragma once

#include <QString>
#include <memory>

class QLockFile;

namespace platform {

// A lock that one running copy of a program holds: a lock file in the user's
// runtime folder, named after a hash of the program's path, so copies of the
// organiser installed in two folders do not stop each other. A copy that
// ended without releasing it (a crash) leaves no lasting lock: the file names
// a process that no longer runs and is taken over.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& programPath);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock; false when another holder has it or the file cannot be
    // made. Never waits.
    bool tryLock();
    // After a failed tryLock: whether another holder has the lock (rather than
    // the runtime folder refusing the file).
    bool heldByAnother() const;
    bool isLocked() const;
    void unlock();
    QString fileName() const { return m_fileName; }

private:
    QString m_fileName;
    std::unique_ptr<QLockFile> m_lock;
};

// The lock file's path for a program path.
QString SingleInstanceLockFile(const QString& programPath);

// Whether another copy of this program is running. The first call takes the
// process's own lock, held until the process ends; later calls give the same
// answer. A runtime folder that refuses the lock file counts as no other copy,
// so the organiser still starts.
bool PrevInstance();

} // namespace platform
