#include "Cp1252.h"

#include <array>

namespace {

// 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control characters of the same value so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

bool appendEncoded(QByteArray &bytes, QStringView text)
{
    for (const QChar c : text) {
        const std::optional<char> byte = encodeOne(c.unicode());
        if (!byte)
            return false;
        bytes += *byte;
    }
    return true;
}

} // namespace

namespace Cp1252 {

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    if (!appendEncoded(bytes, text))
        return std::nullopt;
    return bytes;
}

std::optional<QByteArray> encodeLines(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &line : lines)
        total += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(total);
    for (const QString &line : lines) {
        if (!appendEncoded(bytes, line))
            return std::nullopt;
        bytes += "\r\n";
    }
    return bytes;
}

QByteArrayView withoutByteOrderMark(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
}

bool canEncode(QStringView text)
{
    for (const QChar c : text) {
        if (!encodeOne(c.unicode()))
            return false;
    }
    return true;
}

QString unencodable(QStringView text)
{
    QString found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character beyond the basic plane is a pair of halves, shown whole.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QStringView character = text.mid(i, length);
        if (!encodeOne(text[i].unicode()) && !found.contains(character))
            found += character;
        i += length - 1;
    }
    return found;
}

QString whyNotStored(QStringView text)
{
    constexpr qsizetype kShown = 80;
    const QString shown =
        text.size() > kShown ? text.left(kShown).toString() + QStringLiteral("...") : text.toString();
    return QStringLiteral("These characters cannot be stored in it: %1\n(in \"%2\")\n"
                          "The file holds Western European (Windows-1252) text only.")
        .arg(unencodable(text), shown);
}

QString refusal(const QString &fileName, QStringView text)
{
    return QStringLiteral("Unable to write to %1\n").arg(fileName) + whyNotStored(text);
}

QString firstUnencodableLine(const QStringList &lines)
{
    for (const QString &line : lines) {
        if (!canEncode(line))
            return line;
    }
    return QString();
}

} // namespace Cp1252
