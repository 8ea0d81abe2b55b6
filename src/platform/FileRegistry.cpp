#include "FileRegistry.h"

#include "AtomicFile.h"
#include "DvsError.h"
#include "FileLock.h"
#include "FileStamp.h"
#include "RegistryExport.h"

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <optional>

using RegistryExport::Contents;
using RegistryExport::Value;

// The registry file as last read, kept while the file is unchanged: a start
// reads several values, and a file of many keys is parsed once for all.
class RegistryFileStore final
{
public:
    explicit RegistryFileStore(QString fileName) : m_fileName(std::move(fileName)) {}

    const QString &fileName() const { return m_fileName; }

    // Nothing when the file is there but cannot be read; an empty registry
    // when there is no file.
    std::shared_ptr<const Contents> load()
    {
        const std::optional<FileStamp> before = fileStamp(m_fileName);
        if (!before) {
            if (QFileInfo::exists(m_fileName))
                return nullptr;
            static const auto empty = std::make_shared<const Contents>();
            return empty;
        }
        if (m_contents && m_stamp == *before && !mayHideAChange(*before))
            return m_contents;
        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        const QByteArray bytes = file.readAll();
        if (m_contents && bytes == m_bytes) {
            m_stamp = *before;
            return m_contents;
        }
        remember(*before, bytes, std::make_shared<const Contents>(RegistryExport::parse(bytes)));
        return m_contents;
    }

    // Writes the contents whole; the next reads see what reached the disk.
    bool write(const Contents &contents)
    {
        const std::optional<QByteArray> bytes = RegistryExport::serialise(contents);
        if (!bytes || !writeFileAtomically(m_fileName, *bytes))
            return false;
        if (const std::optional<FileStamp> stamp = fileStamp(m_fileName))
            remember(*stamp, *bytes, std::make_shared<const Contents>(RegistryExport::parse(*bytes)));
        return true;
    }

    // Keeps a damaged file aside under the first free name of its own;
    // false when no copy could be written.
    bool keepAside(const QByteArray &bytes)
    {
        constexpr int kMostCopies = 100;
        for (int n = 1; n <= kMostCopies; ++n) {
            const QString copy =
                m_fileName + QStringLiteral(".damaged") + (n == 1 ? QString() : QStringLiteral("-%1").arg(n));
            if (QFileInfo::exists(copy) || QFileInfo(copy).isSymLink())
                continue;
            return writeNewFileAtomically(copy, bytes);
        }
        return false;
    }

    QByteArray bytesOnDisk()
    {
        QFile file(m_fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void remember(const FileStamp &stamp, const QByteArray &bytes, std::shared_ptr<const Contents> contents)
    {
        m_stamp = stamp;
        m_bytes = bytes;
        m_contents = std::move(contents);
    }

    QString m_fileName;
    FileStamp m_stamp;
    QByteArray m_bytes;
    std::shared_ptr<const Contents> m_contents;
};

namespace {

class FileRegistryKey final : public RegistryKey
{
public:
    FileRegistryKey(std::shared_ptr<RegistryFileStore> store, QString path, bool open, QString whyClosed = {})
        : m_store(std::move(store)), m_path(std::move(path)), m_open(open), m_whyClosed(std::move(whyClosed))
    {}

    bool isOpen() const override { return m_open; }

    bool valueExists(const QString &name) const override { return read(name).has_value(); }

    int readInteger(const QString &name) const override
    {
        const std::optional<Value> v = read(name);
        if (!v || v->type != Value::Type::DWord)
            throw DvsError(RegistryErrors::invalidDataType(name));
        return static_cast<int>(v->dword);
    }

    QString readString(const QString &name) const override
    {
        const std::optional<Value> v = read(name);
        if (!v || v->type != Value::Type::String)
            throw DvsError(RegistryErrors::invalidDataType(name));
        return v->text;
    }

    void writeInteger(const QString &name, int value) override
    {
        Value v;
        v.name = name;
        v.type = Value::Type::DWord;
        v.dword = static_cast<quint32>(value);
        write(v);
    }

    void writeString(const QString &name, const QString &value) override
    {
        Value v;
        v.name = name;
        v.type = Value::Type::String;
        v.text = value;
        write(v);
    }

private:
    std::optional<Value> read(const QString &name) const
    {
        const std::shared_ptr<const Contents> contents = m_open ? m_store->load() : nullptr;
        const RegistryExport::Key *key = contents ? contents->find(m_path) : nullptr;
        const Value *v = key ? key->find(name) : nullptr;
        return v ? std::optional<Value>(*v) : std::nullopt;
    }

    void write(const Value &value)
    {
        const QString failed = RegistryErrors::failedToSetData(value.name);
        if (!m_open)
            throw DvsError(m_whyClosed.isEmpty() ? failed : failed + QLatin1Char('\n') + m_whyClosed);
        const FileLock lock(AtomicFileDetail::replacedFile(m_store->fileName()));
        // A file that cannot be read, or no longer parses, is not written over.
        const std::shared_ptr<const Contents> current = lock.isHeld() ? m_store->load() : nullptr;
        if (!current || current->damaged)
            throw DvsError(failed);
        Contents changed = *current;
        changed.findOrAdd(m_path).set(value);
        if (!m_store->write(changed))
            throw DvsError(failed);
    }

    std::shared_ptr<RegistryFileStore> m_store;
    QString m_path;
    bool m_open;
    QString m_whyClosed;
};

} // namespace

FileRegistry::FileRegistry(QString fileName)
    : m_fileName(std::move(fileName)), m_store(std::make_shared<RegistryFileStore>(m_fileName))
{}

FileRegistry::~FileRegistry() = default;

std::unique_ptr<RegistryKey> FileRegistry::openKey(const QString &path, bool create)
{
    const QString keyPath = RegistryExport::normalisedPath(path);
    const auto opened = [&](bool open, QString why = {}) {
        return std::make_unique<FileRegistryKey>(m_store, keyPath, open, std::move(why));
    };
    std::shared_ptr<const Contents> contents = m_store->load();
    // A registry that cannot be read cannot be written without losing it.
    if (!contents)
        return opened(false);
    if (contents->find(keyPath))
        return opened(true);
    if (!create)
        return opened(false);

    const FileLock lock(AtomicFileDetail::replacedFile(m_fileName));
    contents = lock.isHeld() ? m_store->load() : nullptr;
    if (!contents)
        return opened(false);
    if (contents->find(keyPath))
        return opened(true);
    Contents created;
    if (contents->damaged) {
        // What the file held is lost unless a copy of it was kept first.
        if (!m_store->keepAside(m_store->bytesOnDisk()))
            return opened(false, QStringLiteral("The damaged registry file %1 could not be kept aside, "
                                                "so it was left as it is.")
                                     .arg(m_fileName));
    } else {
        created = *contents;
    }
    created.findOrAdd(keyPath);
    return opened(m_store->write(created));
}
