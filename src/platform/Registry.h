#pragma once

#include <QString>

#include <memory>

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
};

// The machine-wide part of the registry (HKEY_LOCAL_MACHINE).
class Registry
{
public:
    virtual ~Registry() = default;
    virtual std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) = 0;
};

namespace RegistryErrors {
QString invalidDataType(const QString &name);
QString failedToSetData(const QString &name);
} // namespace RegistryErrors
