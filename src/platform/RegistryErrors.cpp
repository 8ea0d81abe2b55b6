#include "Registry.h"

namespace RegistryErrors {

QString invalidDataType(const QString &name)
{
    return QStringLiteral("Invalid data type for '%1'").arg(name);
}

QString failedToSetData(const QString &name)
{
    return QStringLiteral("Failed to set data for '%1'").arg(name);
}

} // namespace RegistryErrors

namespace {

class OpenedKey final : public PendingKey
{
public:
    explicit OpenedKey(std::unique_ptr<RegistryKey> key) : m_key(std::move(key)) {}
    std::unique_ptr<RegistryKey> take() override { return std::move(m_key); }

private:
    std::unique_ptr<RegistryKey> m_key;
};

} // namespace

std::unique_ptr<PendingKey> Registry::openKeyLater(const QString &path)
{
    return std::make_unique<OpenedKey>(openKey(path, false));
}
