#include "RegistryExport.h"

#include "Cp1252.h"

#include <QtEndian>

namespace RegistryExport {

namespace {

const QString kRoot = QStringLiteral("HKEY_LOCAL_MACHINE\\");
// regedit wraps long binary values near this column.
constexpr qsizetype kWrapColumn = 76;

QString folded(const QString &name)
{
    return name.toCaseFolded();
}

// Reads a quoted text starting at text[pos] == '"'; leaves pos after the closing quote.
std::optional<QString> readQuoted(QStringView text, qsizetype &pos)
{
    // Most texts hold no escapes: taken whole up to the closing quote.
    const qsizetype close = text.indexOf(QLatin1Char('"'), pos + 1);
    if (close >= 0 && !text.mid(pos + 1, close - pos - 1).contains(QLatin1Char('\\'))) {
        const QString whole = text.mid(pos + 1, close - pos - 1).toString();
        pos = close + 1;
        return whole;
    }
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

// "hex:" or "hex(N):" followed by bytes written as one or two hexadecimal
// digits, separated by commas; nothing when the text is not of that form.
std::optional<Value> parseBinary(QStringView rest)
{
    if (!rest.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
        return std::nullopt;
    Value v;
    v.type = Value::Type::Binary;
    qsizetype pos = 3;
    if (pos < rest.size() && rest[pos] == QLatin1Char('(')) {
        const qsizetype close = rest.indexOf(QLatin1Char(')'), pos);
        bool ok = false;
        v.binaryType = close < 0 ? 0 : rest.mid(pos + 1, close - pos - 1).toInt(&ok, 16);
        if (!ok || close - pos - 1 > 8 || v.binaryType < 0)
            return std::nullopt;
        pos = close + 1;
    }
    if (pos >= rest.size() || rest[pos] != QLatin1Char(':'))
        return std::nullopt;
    for (QStringView token : rest.mid(pos + 1).split(QLatin1Char(','))) {
        token = token.trimmed();
        if (token.isEmpty())
            continue;
        bool ok = false;
        const uint byte = token.toUInt(&ok, 16);
        if (!ok || token.size() > 2)
            return std::nullopt;
        v.bytes.append(char(byte));
    }
    // Strings and numbers in their binary form are strings and numbers.
    if (v.binaryType == 4 && v.bytes.size() == 4) {
        v.type = Value::Type::DWord;
        v.dword = qFromLittleEndian<quint32>(v.bytes.constData());
        v.bytes.clear();
        v.binaryType = Value().binaryType;
    } else if (v.binaryType == 1 && v.bytes.size() % 2 == 0 && v.bytes.endsWith(QByteArray(2, '\0'))) {
        v.type = Value::Type::String;
        v.text = QString::fromUtf16(reinterpret_cast<const char16_t *>(v.bytes.constData()),
                                    v.bytes.size() / 2 - 1);
        v.bytes.clear();
        v.binaryType = Value().binaryType;
    }
    return v;
}

std::optional<Value> parseValue(QStringView line)
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
    const QStringView rest = line.mid(pos + 1).trimmed();
    if (rest.startsWith(QLatin1Char('"'))) {
        qsizetype p = 0;
        auto text = readQuoted(rest, p);
        if (!text || !rest.mid(p).trimmed().isEmpty())
            return std::nullopt;
        v.type = Value::Type::String;
        v.text = *text;
    } else if (rest.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QStringView digits = rest.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return std::nullopt;
        v.type = Value::Type::DWord;
        v.dword = number;
    } else if (std::optional<Value> binary = parseBinary(rest)) {
        binary->name = v.name;
        return binary;
    } else if (!rest.isEmpty()) {
        v.type = Value::Type::Raw;
        v.text = rest.toString();
    } else {
        return std::nullopt;
    }
    return v;
}

// A value whose last line went on into a blank line or the end of the file
// ends there, without the marks that promised more.
QString endedValueLine(QString line)
{
    for (;;) {
        line = line.trimmed();
        if (!line.endsWith(QLatin1Char('\\')))
            return line;
        line.chop(1);
    }
}

void appendBinary(QString &out, int type, const QByteArray &bytes)
{
    qsizetype column = out.size() - (out.lastIndexOf(QLatin1Char('\n')) + 1);
    const QString prefix = type == 3 ? QStringLiteral("hex:") : QStringLiteral("hex(%1):").arg(type, 0, 16);
    out += prefix;
    column += prefix.size();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += QStringLiteral("%1").arg(uchar(bytes[i]), 2, 16, QLatin1Char('0'));
        column += 2;
        if (i + 1 == bytes.size())
            break;
        out += QLatin1Char(',');
        ++column;
        if (column >= kWrapColumn) {
            out += QStringLiteral("\\\r\n  ");
            column = 2;
        }
    }
}

QByteArray utf16WithZero(const QString &text)
{
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return bytes;
}

bool isWritableName(const QString &name)
{
    return !name.contains(QLatin1Char('\n')) && Cp1252::canEncode(name);
}

} // namespace

const Value *Key::find(const QString &name) const
{
    // Keys hold a few values each; only a key of very many is indexed.
    if (m_byName.isEmpty()) {
        for (const Value &v : values) {
            if (v.name.compare(name, Qt::CaseInsensitive) == 0)
                return &v;
        }
        return nullptr;
    }
    const auto it = m_byName.constFind(folded(name));
    return it == m_byName.cend() ? nullptr : &values[std::size_t(*it)];
}

void Key::set(const Value &value)
{
    if (const Value *found = find(value.name)) {
        Value &old = values[std::size_t(found - values.data())];
        const QString keptName = old.name;
        old = value;
        old.name = keptName;
        return;
    }
    values.push_back(value);
    constexpr std::size_t kIndexedFrom = 16;
    if (values.size() == kIndexedFrom) {
        for (std::size_t i = 0; i < values.size(); ++i)
            m_byName.insert(folded(values[i].name), qsizetype(i));
    } else if (values.size() > kIndexedFrom) {
        m_byName.insert(folded(value.name), qsizetype(values.size() - 1));
    }
}

const Key *Contents::find(const QString &path) const
{
    const auto it = m_byPath.constFind(folded(path));
    return it == m_byPath.cend() ? nullptr : &keys[std::size_t(*it)];
}

Key &Contents::findOrAdd(const QString &path)
{
    const QString f = folded(path);
    if (const auto it = m_byPath.constFind(f); it != m_byPath.cend())
        return keys[std::size_t(*it)];
    m_byPath.insert(f, qsizetype(keys.size()));
    keys.emplace_back(path);
    return keys.back();
}

QString normalisedPath(QString path)
{
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    return path;
}

Contents parse(QByteArrayView bytes)
{
    Contents contents;
    const QString text = Cp1252::decode(Cp1252::withoutByteOrderMark(bytes));
    Key *current = nullptr;
    QString pending; // a value line that goes on in the next one
    bool continued = false;
    const auto take = [&](QStringView line) {
        if (line.isEmpty() || line == QLatin1String("REGEDIT4") ||
            line.startsWith(QLatin1String("Windows Registry Editor")) || line.startsWith(QLatin1Char(';')))
            return true;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')) || !line.mid(1).startsWith(kRoot, Qt::CaseInsensitive))
                return false;
            const QString path =
                normalisedPath(line.mid(1 + kRoot.size(), line.size() - 2 - kRoot.size()).toString());
            current = &contents.findOrAdd(path);
            return true;
        }
        std::optional<Value> value = parseValue(line);
        if (!current || !value)
            return false;
        current->set(*value);
        return true;
    };
    for (QStringView raw : QStringView(text).split(QLatin1Char('\n'))) {
        const QStringView line = raw.trimmed();
        bool ok = true;
        if (continued) {
            if (line.isEmpty()) {
                ok = take(endedValueLine(pending));
                continued = false;
            } else if (line.endsWith(QLatin1Char('\\'))) {
                pending += line.chopped(1);
            } else {
                ok = take(endedValueLine(pending + line.toString()));
                continued = false;
            }
        } else if (line.endsWith(QLatin1Char('\\')) && !line.startsWith(QLatin1Char('[')) &&
                   !line.startsWith(QLatin1Char(';'))) {
            pending = line.chopped(1).toString();
            continued = true;
        } else {
            ok = take(line);
        }
        if (!ok) {
            contents.damaged = true;
            break;
        }
    }
    if (!contents.damaged && continued && !take(endedValueLine(pending)))
        contents.damaged = true;
    if (!contents.damaged)
        return contents;
    Contents damaged;
    damaged.damaged = true;
    return damaged;
}

std::optional<QByteArray> serialise(const Contents &contents)
{
    QString text = QStringLiteral("REGEDIT4\r\n");
    for (const Key &key : contents.keys) {
        if (!isWritableName(key.path))
            return std::nullopt;
        text += QStringLiteral("\r\n[") + kRoot + key.path + QStringLiteral("]\r\n");
        for (const Value &v : key.values) {
            if (!isWritableName(v.name))
                return std::nullopt;
            text += v.name.isEmpty() ? QStringLiteral("@") : quoted(v.name);
            text += QLatin1Char('=');
            switch (v.type) {
            case Value::Type::DWord:
                text += QStringLiteral("dword:%1").arg(v.dword, 8, 16, QLatin1Char('0'));
                break;
            case Value::Type::String:
                if (isWritableName(v.text) && !v.text.contains(QLatin1Char('\r')))
                    text += quoted(v.text);
                else
                    appendBinary(text, 1, utf16WithZero(v.text));
                break;
            case Value::Type::Binary:
                appendBinary(text, v.binaryType, v.bytes);
                break;
            case Value::Type::Raw:
                text += v.text;
                break;
            }
            text += QStringLiteral("\r\n");
        }
    }
    return Cp1252::encode(text + QStringLiteral("\r\n"));
}

} // namespace RegistryExport
