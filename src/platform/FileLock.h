#pragma once

#include <QString>

#include <memory>

// Serialises the read-modify-write of one file across processes: a lock file
// beside it (".<name>.lock") is held for the duration and removed afterwards.
// Two copies of the program changing the same settings file then each see
// what the other wrote instead of overwriting it.
class FileLock final
{
public:
    // How long a writer waits for another one before it gives up.
    static constexpr int DefaultWaitMs = 5000;

    enum class State
    {
        Held,
        Busy,  // another writer kept it for longer than the wait
        Failed // the lock file could not be made (a folder that refuses writes)
    };

    // Takes the lock of `file`, waiting at most `waitMs` for another holder.
    explicit FileLock(const QString &file, int waitMs = DefaultWaitMs);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    State state() const { return m_state; }
    bool isHeld() const { return m_state == State::Held; }

    static QString lockFileOf(const QString &file);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QString m_lockFile;
    State m_state = State::Failed;
};
