#pragma once

#include "Registry.h"

#include <QString>

#include <memory>

class RegistryFileStore;

// The registry on systems that have none: a file in the registry-export text
// format (see RegistryExport.h). Value types are kept, every write rewrites the
// file atomically under a lock shared with other copies of the program, and a
// file that cannot be parsed reads as holding no keys at all; before a key is
// created in its place, it is kept aside under a name of its own.
class FileRegistry final : public Registry
{
public:
    explicit FileRegistry(QString fileName);
    ~FileRegistry() override;

    std::unique_ptr<RegistryKey> openKey(const QString &path, bool create) override;

    const QString &fileName() const { return m_fileName; }

private:
    QString m_fileName;
    // Shared with the keys it opens, which may outlive it.
    std::shared_ptr<RegistryFileStore> m_store;
};
