#include "FileRegistry.h"

#include "AtomicFile.h"
#include "Cp1252.h"
#include "DvsError.h"

#include <QFile>

#include <optional>
#include <vector>

namespace {

const QString kRoot = QStringLiteral("HKEY_LOCAL_MACHINE\\");

struct Value
{
    enum class Type
    {
        DWord,
        String,
        Other
    };
    QString name;
    Type type = Type::Other;
    quint32 dword = 0;
    QString text; // the string, or the raw text after "=" for other types
};

struct Key
{
    QString path; // below HKEY_LOCAL_MACHINE
    std::vector<Value> values;

    Value *find(const QString &name)
    {
        for (Value &v : values) {
            if (v.name.compare(name, Qt::CaseInsensitive) == 0)
                return &v;
        }
        return nullptr;
    }
};

struct Store
{
    std::vector<Key> keys;
    bool damaged = false;

    Key *find(const QString &path)
    {
        for (Key &k : keys) {
            if (k.path.compare(path, Qt::CaseInsensitive) == 0)
                return &k;
        }
        return nullptr;
    }
};

QString normalisedPath(QString path)
{
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path;
}

// Reads a quoted text starting at text[pos] == '"'; leaves pos after the closing quote.
std::optional<QString> readQuoted(const QString &text, qsizetype &pos)
{
    QString out;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == QLatin1Char('\\')) {
            if (++pos >= text.size())
                return std::nullopt;
            out += text[pos];
        } else if (c == QLatin1Char('"')) {
            ++pos;
            return out;
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('"');
}

std::optional<Value> parseValue(const QString &line)
{
    Value v;
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else {
        auto name = readQuoted(line, pos);
        if (!name)
            return std::nullopt;
        v.name = *name;
    }
    if (pos >= line.size() || line[pos] != QLatin1Char('='))
        return std::nullopt;
    ++pos;
    const QString rest = line.mid(pos);
    if (rest.startsWith(QLatin1Char('"'))) {
        qsizetype p = 0;
        auto text = readQuoted(rest, p);
        if (!text || !rest.mid(p).trimmed().isEmpty())
            return std::nullopt;
        v.type = Value::Type::String;
        v.text = *text;
    } else if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString digits = rest.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return std::nullopt;
        v.type = Value::Type::DWord;
        v.dword = number;
    } else if (!rest.isEmpty()) {
        v.type = Value::Type::Other;
        v.text = rest;
    } else {
        return std::nullopt;
    }
    return v;
}

Store parse(const QByteArray &bytes)
{
    Store store;
    const QStringList lines = Cp1252::decode(bytes).split(QLatin1Char('\n'));
    Key *current = nullptr;
    QString pending; // a value continued on the next line with a trailing backslash
    for (const QString &raw : lines) {
        QString line = raw.trimmed();
        if (!pending.isEmpty()) {
            line = pending + line;
            pending.clear();
        }
        if (line.isEmpty() || line == QLatin1String("REGEDIT4") ||
            line.startsWith(QLatin1String("Windows Registry Editor")) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')) || !line.mid(1).startsWith(kRoot, Qt::CaseInsensitive)) {
                store.damaged = true;
                break;
            }
            const QString path = normalisedPath(line.mid(1 + kRoot.size(), line.size() - 2 - kRoot.size()));
            if (Key *existing = store.find(path)) {
                current = existing;
            } else {
                store.keys.push_back(Key{path, {}});
                current = &store.keys.back();
            }
            continue;
        }
        if (line.endsWith(QLatin1Char('\\')) && !line.endsWith(QLatin1String("\"\\"))) {
            pending = line.left(line.size() - 1);
            continue;
        }
        std::optional<Value> value = parseValue(line);
        if (!current || !value) {
            store.damaged = true;
            break;
        }
        if (Value *old = current->find(value->name))
            *old = *value;
        else
            current->values.push_back(*value);
    }
    if (store.damaged)
        store.keys.clear();
    return store;
}

QByteArray serialise(const Store &store)
{
    QString text = QStringLiteral("REGEDIT4\r\n");
    for (const Key &key : store.keys) {
        text += QStringLiteral("\r\n[") + kRoot + key.path + QStringLiteral("]\r\n");
        for (const Value &v : key.values) {
            text += v.name.isEmpty() ? QStringLiteral("@") : quoted(v.name);
            text += QLatin1Char('=');
            switch (v.type) {
            case Value::Type::DWord:
                text += QStringLiteral("dword:%1").arg(v.dword, 8, 16, QLatin1Char('0'));
                break;
            case Value::Type::String:
                text += quoted(v.text);
                break;
            case Value::Type::Other:
                text += v.text;
                break;
            }
            text += QStringLiteral("\r\n");
        }
    }
    return Cp1252::encode(text + QStringLiteral("\r\n"));
}

class FileRegistryKey final : public RegistryKey
{
public:
    FileRegistryKey(QString fileName, QString path, bool open)
        : m_fileName(std::move(fileName)), m_path(std::move(path)), m_open(open)
    {}

    bool isOpen() const override { return m_open; }

    bool valueExists(const QString &name) const override
    {
        std::optional<Store> store = m_open ? load() : std::nullopt;
        Key *key = store ? store->find(m_path) : nullptr;
        return key && key->find(name);
    }

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
        // The export format keeps one value per line.
        if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r')))
            throw DvsError(RegistryErrors::failedToSetData(name));
        Value v;
        v.name = name;
        v.type = Value::Type::String;
        v.text = value;
        write(v);
    }

private:
    // Empty when there is no file; nothing when the file is there but cannot
    // be read, so a write never replaces values it could not see.
    std::optional<Store> load() const
    {
        QFile file(m_fileName);
        if (!file.open(QIODevice::ReadOnly))
            return file.exists() ? std::nullopt : std::optional<Store>(Store{});
        return parse(file.readAll());
    }

    std::optional<Value> read(const QString &name) const
    {
        std::optional<Store> store = m_open ? load() : std::nullopt;
        if (!store)
            return std::nullopt;
        Key *key = store->find(m_path);
        Value *v = key ? key->find(name) : nullptr;
        if (!v)
            return std::nullopt;
        return *v;
    }

    void write(const Value &value)
    {
        std::optional<Store> loaded = m_open ? load() : std::nullopt;
        if (!loaded)
            throw DvsError(RegistryErrors::failedToSetData(value.name));
        Store &store = *loaded;
        Key *key = store.find(m_path);
        if (!key) {
            store.keys.push_back(Key{m_path, {}});
            key = &store.keys.back();
        }
        if (Value *old = key->find(value.name)) {
            const QString keptName = old->name;
            *old = value;
            old->name = keptName;
        } else {
            key->values.push_back(value);
        }
        if (!writeFileAtomically(m_fileName, serialise(store)))
            throw DvsError(RegistryErrors::failedToSetData(value.name));
    }

    QString m_fileName;
    QString m_path;
    bool m_open;
};

} // namespace

FileRegistry::FileRegistry(QString fileName) : m_fileName(std::move(fileName)) {}

std::unique_ptr<RegistryKey> FileRegistry::openKey(const QString &path, bool create)
{
    const QString keyPath = normalisedPath(path);
    Store store;
    QFile file(m_fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) {
        bytes = file.readAll();
        store = parse(bytes);
        file.close();
    } else if (file.exists()) {
        // A registry that cannot be read cannot be written without losing it.
        return std::make_unique<FileRegistryKey>(m_fileName, keyPath, false);
    }
    if (store.find(keyPath))
        return std::make_unique<FileRegistryKey>(m_fileName, keyPath, true);
    if (!create)
        return std::make_unique<FileRegistryKey>(m_fileName, keyPath, false);

    // A damaged file is kept aside rather than lost when the key is created anew.
    if (store.damaged)
        (void)writeFileAtomically(m_fileName + QStringLiteral(".damaged"), bytes);
    store.keys.push_back(Key{keyPath, {}});
    const bool created = writeFileAtomically(m_fileName, serialise(store));
    return std::make_unique<FileRegistryKey>(m_fileName, keyPath, created);
}
