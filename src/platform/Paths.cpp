#include "Paths.h"

#include "Cp1252.h"

#include <QStringDecoder>

namespace Paths {

QString storedText(const QString &path)
{
    return Cp1252::decode(path.toUtf8());
}

QString fromStoredText(const QString &text)
{
    const std::optional<QByteArray> bytes = Cp1252::encode(text);
    if (!bytes)
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString path = utf8.decode(*bytes);
    // Not UTF-8: written as Windows-1252 text, as files were before.
    return utf8.hasError() ? text : path;
}

} // namespace Paths
