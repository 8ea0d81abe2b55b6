#include "QtPrinters.h"

#include <QDebug>

void PrintTo(const QString &text, std::ostream *out)
{
    QString shown;
    QDebug(&shown) << text;
    *out << shown.toStdString();
}

void PrintTo(const QByteArray &bytes, std::ostream *out)
{
    QString shown;
    QDebug(&shown) << bytes;
    *out << shown.toStdString();
}
