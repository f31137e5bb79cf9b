#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

namespace platform {

// The lock one running copy of the organiser holds on its data file: a lock
// file beside the file data.xml really is (a link's target) or, where that
// folder refuses one, in /tmp named after that folder, so every copy working
// on the same data file meets the same lock whatever its user, runtime folder
// or environment. The system releases the lock when its holder ends, however
// it ends, so a killed copy never blocks the next one.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // Takes the lock; false when another holder has it or neither lock file can
    // be opened (a shared one of an untrusted owner counts as unopenable).
    // Never waits.
    bool tryLock();
    // After a failed tryLock: whether another holder has the lock (rather than
    // the lock file being refused).
    bool heldByAnother() const { return m_heldByAnother; }
    bool isLocked() const { return m_fd >= 0 || m_sharedFd >= 0; }
    void unlock();
    QString fileName() const { return m_fileName; }
    // The lock file in /tmp used where the data file's folder refuses one.
    QString sharedFileName() const { return m_sharedFileName; }

private:
    QString m_fileName;
    QString m_dataFolder;
    QString m_sharedFileName;
    int m_fd = -1;
    int m_sharedFd = -1;
    bool m_heldByAnother = false;
};

// The lock file beside the data file of a program folder.
QString SingleInstanceLockFile(const QString& folder);

// Whether another copy of the organiser is running on this program folder. The
// first call takes the process's own lock on the folder, held until the process
// ends; later calls give the same answer. A lock file that cannot be made
// counts as no other copy, so the organiser still starts.
bool PrevInstance();
// Whether this process holds the lock on its program folder (taking it as
// PrevInstance does): false when another copy has it or no lock file could be
// made, so work that only the one copy on a data file may do is skipped.
bool InstanceLockHeld();

// The running copy's line to later starts on the same data file: a local
// socket in the user's runtime folder, named after the folder the data file
// really lies in, so copies on different data files never meet. A later start
// sends one request and ends; the running copy raises showRequested. (Plain
// system sockets: Qt's network library would cost every start of the program
// a few milliseconds of loading.)
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(const QString& folder, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // Starts taking requests. Only the holder of the lock may: it replaces
    // whatever a copy that ended left under the name. False when the socket
    // cannot be made; the copy then runs on without it.
    bool listen();

signals:
    void showRequested();

private:
    struct Caller;
    void accept();
    void hear(int fd);

    QString m_name;
    int m_fd = -1;
    QSocketNotifier* m_listening = nullptr;
    std::vector<std::unique_ptr<Caller>> m_callers;
};

// The socket of a program folder's data file.
QString InstanceChannelName(const QString& folder);
// Asks the copy running on a program folder's data file to bring its window
// forward. Waits at most timeoutMs for it; false when no copy took the request.
bool AskRunningCopyToShow(const QString& folder, int timeoutMs = 2000);

} // namespace platform
