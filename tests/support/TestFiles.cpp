#include "TestFiles.h"

#include "platform/Cp1252.h"
#include "platform/DvsError.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

QByteArray crlf(const QString &text)
{
    return Cp1252::encode(QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n"))).value();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QString writeProgram(const QString &path, const QByteArray &bytes)
{
    writeBytes(path, bytes);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

void writeText(const QString &path, const QString &text)
{
    writeBytes(path, crlf(text));
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void makeOld(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
}

QString errorOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const DvsError &error) {
        return error.message();
    }
    return QStringLiteral("<no error>");
}

void withFileSizeLimit(long bytes, const std::function<void()> &action)
{
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const rlimit small{rlim_t(bytes), old.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    action();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}

static constexpr uid_t kOrdinaryUser = 65534;
static constexpr gid_t kOrdinaryGroup = 65534;

bool asOrdinaryUser(const std::function<void()> &action)
{
    if (geteuid() != 0) {
        action();
        return true;
    }
    std::vector<gid_t> groups(std::size_t(std::max(0, getgroups(0, nullptr))));
    if (getgroups(int(groups.size()), groups.data()) < 0 || setgroups(0, nullptr) != 0)
        return false;
    const bool dropped = setegid(kOrdinaryGroup) == 0 && seteuid(kOrdinaryUser) == 0;
    if (dropped)
        action();
    const bool restored = seteuid(0) == 0 && setegid(0) == 0 && setgroups(groups.size(), groups.data()) == 0;
    EXPECT_TRUE(restored) << "the tests could not take their rights back";
    return dropped;
}

void giveToOrdinaryUser(const QString &path, int mode)
{
    const QByteArray name = QFile::encodeName(path);
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(name.constData(), kOrdinaryUser, kOrdinaryGroup), 0) << path.toStdString();
    }
    ASSERT_EQ(::chmod(name.constData(), mode_t(mode)), 0) << path.toStdString();
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

QByteArray mzFile(const QByteArray &header)
{
    QByteArray bytes(0x80, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    bytes[0x3C] = header.isEmpty() ? '\0' : '\x80';
    return bytes + header;
}

QByteArray windowsProgram()
{
    return mzFile(QByteArray("PE\0\0\x4c\x01", 6));
}
