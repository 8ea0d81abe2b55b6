#pragma once

#include "Registry.h"

#include <QString>

// The registry on systems that have none: a file in the registry-export text
// format ("REGEDIT4", then "[HKEY_LOCAL_MACHINE\<key>]" headers followed by
// "name"=dword:0000000a and "name"="text" lines). Value types are kept, every
// write rewrites the file atomically, and a file that cannot be parsed reads as
// holding no keys at all.
class FileRegistry final : public Registry
{
public:
    explicit FileRegistry(QString fileName);

    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override;

    const QString &fileName() const { return m_fileName; }

private:
    QString m_fileName;
};
