#include "TestFiles.h"

#include "platform/Cp1252.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#ifndef DVV_SAMPLE_DATA
#error "DVV_SAMPLE_DATA must name the shipped Data folder"
#endif

QByteArray crlf(const QString &text)
{
    QString withCrLf = text;
    withCrLf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return Cp1252::encode(withCrLf);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

void writeText(const QString &path, const QString &text)
{
    writeBytes(path, crlf(text));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TestProgramFolder::TestProgramFolder() : m_files(m_dir.path())
{
    QDir(m_dir.path()).mkdir(QStringLiteral("Data"));
}

void TestProgramFolder::copySampleData(const QString &name)
{
    const QString source = QStringLiteral(DVV_SAMPLE_DATA) + QLatin1Char('/') + name;
    const QString target = m_dir.path() + QStringLiteral("/Data/") + name;
    QFile::remove(target);
    ASSERT_TRUE(QFile::copy(source, target)) << source.toStdString();
}
