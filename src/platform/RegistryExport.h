#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <optional>
#include <vector>

// The registry-export text format, as the registry file keeps it: "REGEDIT4",
// then "[HKEY_LOCAL_MACHINE\<key>]" headers, each followed by its values:
// "name"="text", "name"=dword:0000000a, "name"=hex(N):01,02,... (a line ending
// in "\" goes on in the next one), and "@" for a key's default value. What
// the reader accepts, the writer writes back so that it reads the same.
namespace RegistryExport {

struct Value
{
    enum class Type
    {
        DWord,
        String,
        Binary, // hex(N): bytes of another type
        Raw     // text after "=" in no known form, kept as it stands
    };
    QString name; // empty: the default value "@"
    Type type = Type::Raw;
    quint32 dword = 0;
    QString text;       // String, Raw
    int binaryType = 3; // Binary: N of hex(N); 3 is the plain "hex:"
    QByteArray bytes;   // Binary

    friend bool operator==(const Value &, const Value &) = default;
};

struct Key
{
    explicit Key(QString keyPath) : path(std::move(keyPath)) {}

    QString path; // below HKEY_LOCAL_MACHINE
    std::vector<Value> values;

    const Value *find(const QString &name) const;
    // Replaces the value of that name in any letter case, keeping its spelling.
    void set(const Value &value);

private:
    QHash<QString, qsizetype> m_byName; // case-folded name -> index, once a key holds many values
};

class Contents final
{
public:
    std::vector<Key> keys;
    // The text could not be read as a registry export; it then holds no keys.
    bool damaged = false;

    const Key *find(const QString &path) const;
    Key &findOrAdd(const QString &path);

private:
    QHash<QString, qsizetype> m_byPath; // case-folded path -> index into keys
};

// A key path as the file holds it: backslashes, none at either end.
QString normalisedPath(QString path);

Contents parse(QByteArrayView bytes);

// Texts the code page cannot hold, or that hold line breaks, are written in
// their binary form, hex(1): UTF-16 with a closing zero. Nothing when a name
// or key path cannot be written at all.
std::optional<QByteArray> serialise(const Contents &contents);

} // namespace RegistryExport
