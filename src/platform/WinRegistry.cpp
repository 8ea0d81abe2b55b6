#include "WinRegistry.h"

#include "DvsError.h"

#include <windows.h>

namespace {

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

class WinRegistryKey final : public RegistryKey
{
public:
    explicit WinRegistryKey(HKEY key) : m_key(key) {}
    ~WinRegistryKey() override
    {
        if (m_key)
            RegCloseKey(m_key);
    }

    bool isOpen() const override { return m_key != nullptr; }

    bool valueExists(const QString &name) const override
    {
        return m_key &&
               RegQueryValueExW(m_key, wide(name), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    int readInteger(const QString &name) const override
    {
        DWORD type = 0;
        DWORD data = 0;
        DWORD size = sizeof(data);
        if (!m_key ||
            RegQueryValueExW(m_key, wide(name), nullptr, &type, reinterpret_cast<BYTE *>(&data), &size) !=
                ERROR_SUCCESS ||
            type != REG_DWORD)
            throw DvsError(RegistryErrors::invalidDataType(name));
        return static_cast<int>(data);
    }

    QString readString(const QString &name) const override
    {
        DWORD type = 0;
        DWORD size = 0;
        if (!m_key || RegQueryValueExW(m_key, wide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            throw DvsError(RegistryErrors::invalidDataType(name));
        std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
        if (RegQueryValueExW(m_key, wide(name), nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()),
                             &size) != ERROR_SUCCESS)
            throw DvsError(RegistryErrors::invalidDataType(name));
        return QString::fromWCharArray(buffer.c_str());
    }

    void writeInteger(const QString &name, int value) override
    {
        const DWORD data = static_cast<DWORD>(value);
        if (!m_key || RegSetValueExW(m_key, wide(name), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&data),
                                     sizeof(data)) != ERROR_SUCCESS)
            throw DvsError(RegistryErrors::failedToSetData(name));
    }

    void writeString(const QString &name, const QString &value) override
    {
        const DWORD size = DWORD((value.size() + 1) * sizeof(wchar_t));
        if (!m_key || RegSetValueExW(m_key, wide(name), 0, REG_SZ,
                                     reinterpret_cast<const BYTE *>(wide(value)), size) != ERROR_SUCCESS)
            throw DvsError(RegistryErrors::failedToSetData(name));
    }

private:
    HKEY m_key;
};

} // namespace

std::unique_ptr<RegistryKey> WinRegistry::openKey(const QString &path, bool create)
{
    HKEY key = nullptr;
    LONG result;
    if (create)
        result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, wide(path), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                 nullptr);
    else
        result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, wide(path), 0, KEY_ALL_ACCESS, &key);
    return std::make_unique<WinRegistryKey>(result == ERROR_SUCCESS ? key : nullptr);
}
