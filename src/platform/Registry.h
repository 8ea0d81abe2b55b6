#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <utility>

// One opened registry key. A key that could not be opened still answers:
// nothing exists in it, reads fail and writes fail, as the messages say.
class RegistryKey
{
public:
    virtual ~RegistryKey() = default;

    virtual bool isOpen() const = 0;
    // Why the registry could not be asked at all (a tool that hung or is
    // missing), as against a key that is simply not there; empty otherwise.
    virtual QString problem() const { return {}; }
    virtual bool valueExists(const QString &name) const = 0;

    // Raise DvsError "Invalid data type for '<name>'" when the value is absent
    // or of another type.
    virtual int readInteger(const QString &name) const = 0;
    virtual QString readString(const QString &name) const = 0;
    bool readBool(const QString &name) const { return readInteger(name) != 0; }

    // Raise DvsError "Failed to set data for '<name>'" when the write is refused.
    virtual void writeInteger(const QString &name, int value) = 0;
    virtual void writeString(const QString &name, const QString &value) = 0;
    void writeBool(const QString &name, bool value) { writeInteger(name, value ? 1 : 0); }
    // Writes a folder of this system as a string, in the form the programs
    // that read this key see it.
    virtual void writeFolder(const QString &name, const QString &folder) { writeString(name, folder); }
    // Writes integer values in order, in one go where the registry can; the
    // first that is refused raises DvsError as writeInteger does.
    virtual void writeIntegers(const QList<std::pair<QString, int>> &values)
    {
        for (const auto &[name, value] : values)
            writeInteger(name, value);
    }
    // A key opened for creating may be made only by its first write; this
    // makes it now.
    virtual void makeNow() {}
};

// A key being opened, without creating it, while the program does other work.
class PendingKey
{
public:
    virtual ~PendingKey() = default;
    // The key, once its opening has ended.
    virtual std::unique_ptr<RegistryKey> take() = 0;
};

// The machine-wide part of the registry (HKEY_LOCAL_MACHINE).
class Registry
{
public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) = 0;
    // Begins opening a key without creating it; here it is opened at once.
    virtual std::unique_ptr<PendingKey> openKeyLater(const QString &path);
    // The registry calls made while the returned object lives are one user's
    // command, bounded as a whole; a command begun inside another joins it.
    virtual std::shared_ptr<void> beginCommand() { return {}; }
};

namespace RegistryErrors {
QString invalidDataType(const QString &name);
QString failedToSetData(const QString &name);
} // namespace RegistryErrors
