#include "WineRegistry.h"

#include "DvsError.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString machineKey(const QString &path)
{
    return QStringLiteral("HKLM\\") + path;
}

QString withReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

// Why an answer of exit code 0 is no answer: it is not text.
QString unreadable(const QString &command)
{
    return QStringLiteral("%1 gave an answer that cannot be read.").arg(command);
}

// A call that ran: its problem, or that of an answer that is not text.
QString problemOf(const WineTool::Result &result, const QString &command)
{
    if (!result.finished)
        return result.problem;
    return result.readable() ? QString() : unreadable(command);
}

class WineRegistryKey final : public RegistryKey
{
public:
    // `values` is nothing for a key opened for creating: they are asked for when first needed.
    WineRegistryKey(WineTool tool, QString key, bool open,
                    std::optional<QHash<QString, WineRegistry::Value>> values, QString problem)
        : m_tool(std::move(tool)), m_key(std::move(key)), m_open(open), m_made(values.has_value()),
          m_values(std::move(values)), m_problem(std::move(problem))
    {}

    bool isOpen() const override { return m_open; }
    QString problem() const override { return m_problem; }
    bool valueExists(const QString &name) const override { return find(name) != nullptr; }

    int readInteger(const QString &name) const override
    {
        const WineRegistry::Value *found = find(name);
        bool ok = false;
        quint32 number = 0;
        if (found && found->type == QLatin1String("REG_DWORD")) {
            QString hex = found->data;
            if (hex.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
                number = hex.mid(2).toUInt(&ok, 16);
        }
        if (!ok)
            throw DvsError(RegistryErrors::invalidDataType(name));
        return static_cast<int>(number);
    }

    QString readString(const QString &name) const override
    {
        const WineRegistry::Value *found = find(name);
        if (!found ||
            (found->type != QLatin1String("REG_SZ") && found->type != QLatin1String("REG_EXPAND_SZ")))
            throw DvsError(RegistryErrors::invalidDataType(name));
        return found->data;
    }

    void writeInteger(const QString &name, int value) override
    {
        write(name, QStringLiteral("REG_DWORD"), QString::number(static_cast<quint32>(value)), hexOf(value));
    }

    void writeString(const QString &name, const QString &value) override
    {
        write(name, QStringLiteral("REG_SZ"), value, value);
    }

    void writeFolder(const QString &name, const QString &folder) override
    {
        const WineTool::Result result =
            m_tool.run({QStringLiteral("winepath"), QStringLiteral("-w"), folder});
        QString problem = problemOf(result, QStringLiteral("wine winepath"));
        const QString seen = QString::fromLocal8Bit(result.output).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (problem.isEmpty() && (result.exitCode != 0 || !seen.contains(QLatin1Char('\\'))))
            problem = QStringLiteral("wine winepath could not name the folder %1.").arg(folder);
        if (!problem.isEmpty())
            throw DvsError(withReason(RegistryErrors::failedToSetData(name), problem));
        writeString(name, seen);
    }

    // One "reg import" of a file made for the purpose, in the 32-bit view:
    // a single Wine process however many values there are.
    void writeIntegers(const QList<std::pair<QString, int>> &values) override
    {
        if (values.isEmpty())
            return;
        const QString failed = RegistryErrors::failedToSetData(values.front().first);
        if (!m_open)
            throw DvsError(withReason(failed, m_problem));
        // Inside the prefix's drive C, so that the tool finds it by a Windows name.
        const QString temp = m_tool.prefix() + QStringLiteral("/drive_c/windows/temp");
        QDir().mkpath(temp);
        QTemporaryFile file(temp + QStringLiteral("/dvv-XXXXXX.reg"));
        QByteArray text = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + m_key.mid(5).toLatin1() + "]\r\n";
        for (const auto &[name, value] : values)
            text += '"' + name.toLatin1() +
                    "\"=dword:" + QByteArray::number(static_cast<quint32>(value), 16).rightJustified(8, '0') +
                    "\r\n";
        if (!file.open() || file.write(text) != text.size() || !file.flush())
            throw DvsError(
                withReason(failed, QStringLiteral("%1 could not be written.").arg(file.fileName())));
        const WineTool::Result result =
            m_tool.run({QStringLiteral("reg"), QStringLiteral("import"),
                        QStringLiteral("C:\\windows\\temp\\") + QFileInfo(file.fileName()).fileName(),
                        QStringLiteral("/reg:32")});
        const QString problem = problemOf(result, QStringLiteral("wine reg"));
        if (!problem.isEmpty() || result.exitCode != 0)
            throw DvsError(withReason(failed, problem));
        m_made = true;
        for (const auto &[name, value] : values)
            remember(name, QStringLiteral("REG_DWORD"), hexOf(value));
    }

    void makeNow() override
    {
        if (m_made || !m_open)
            return;
        const WineTool::Result add = m_tool.run({QStringLiteral("reg"), QStringLiteral("add"), m_key,
                                                 QStringLiteral("/f"), QStringLiteral("/reg:32")});
        const QString problem = problemOf(add, QStringLiteral("wine reg"));
        if (!problem.isEmpty() || add.exitCode != 0)
            throw DvsError(
                withReason(QStringLiteral("The registry key %1 could not be made.").arg(m_key), problem));
        m_made = true;
    }

private:
    static QString hexOf(int value)
    {
        return QStringLiteral("0x") + QString::number(static_cast<quint32>(value), 16);
    }

    // A value as written by this key, without asking; else as the key holds it.
    const WineRegistry::Value *find(const QString &name) const
    {
        const auto written = m_written.constFind(name.toLower());
        if (written != m_written.constEnd())
            return &*written;
        const QHash<QString, WineRegistry::Value> &known = values();
        const auto found = known.constFind(name.toLower());
        return found == known.constEnd() ? nullptr : &*found;
    }

    // The key's values, asked for once; what was written since is kept with them.
    const QHash<QString, WineRegistry::Value> &values() const
    {
        if (!m_values) {
            m_values.emplace();
            const WineTool::Result query = m_tool.run(
                {QStringLiteral("reg"), QStringLiteral("query"), m_key, QStringLiteral("/reg:32")});
            const QString problem = problemOf(query, QStringLiteral("wine reg"));
            if (!problem.isEmpty())
                m_problem = problem;
            else if (query.exitCode == 0)
                *m_values = WineRegistry::parseQuery(query.output);
            for (auto it = m_written.cbegin(); it != m_written.cend(); ++it)
                m_values->insert(it.key(), it.value());
        }
        return *m_values;
    }

    void remember(const QString &name, const QString &type, const QString &shown)
    {
        const WineRegistry::Value value{name, type, shown};
        m_written.insert(name.toLower(), value);
        if (m_values)
            m_values->insert(name.toLower(), value);
    }

    void write(const QString &name, const QString &type, const QString &data, const QString &shown)
    {
        const QString failed = RegistryErrors::failedToSetData(name);
        if (!m_open)
            throw DvsError(withReason(failed, m_problem));
        const WineTool::Result result =
            m_tool.run({QStringLiteral("reg"), QStringLiteral("add"), m_key, QStringLiteral("/v"), name,
                        QStringLiteral("/t"), type, QStringLiteral("/d"), data, QStringLiteral("/f"),
                        QStringLiteral("/reg:32")});
        const QString problem = problemOf(result, QStringLiteral("wine reg"));
        if (!problem.isEmpty() || result.exitCode != 0)
            throw DvsError(withReason(failed, problem));
        m_made = true;
        remember(name, type, shown);
    }

    WineTool m_tool;
    QString m_key;
    bool m_open;
    bool m_made;
    mutable std::optional<QHash<QString, WineRegistry::Value>> m_values;
    QHash<QString, WineRegistry::Value> m_written;
    mutable QString m_problem;
};

QString inPrefix(const WineTool &tool, const QString &problem)
{
    return QStringLiteral("The registry of the Wine prefix %1 could not be used: %2")
        .arg(tool.prefix(), problem);
}

// What a query says of a key opened without creating it.
std::unique_ptr<RegistryKey> queried(const WineTool &tool, const QString &key, const WineTool::Result &query)
{
    const QString problem = problemOf(query, QStringLiteral("wine reg"));
    if (!problem.isEmpty())
        return std::make_unique<WineRegistryKey>(tool, key, false, QHash<QString, WineRegistry::Value>(),
                                                 inPrefix(tool, problem));
    // "reg" ends with 0 when it found the key and 1 when not, whatever
    // language its messages are in.
    if (query.exitCode == 0)
        return std::make_unique<WineRegistryKey>(tool, key, true, WineRegistry::parseQuery(query.output),
                                                 QString());
    return std::make_unique<WineRegistryKey>(tool, key, false, QHash<QString, WineRegistry::Value>(),
                                             QString());
}

class PendingQuery final : public PendingKey
{
public:
    PendingQuery(WineTool tool, QString key)
        : m_tool(std::move(tool)), m_key(std::move(key)),
          m_call(m_tool.start(
              {QStringLiteral("reg"), QStringLiteral("query"), m_key, QStringLiteral("/reg:32")}))
    {}

    std::unique_ptr<RegistryKey> take() override { return queried(m_tool, m_key, m_call->finish()); }

private:
    WineTool m_tool;
    QString m_key;
    std::unique_ptr<WineTool::Call> m_call;
};

} // namespace

QHash<QString, WineRegistry::Value> WineRegistry::parseQuery(const QByteArray &output)
{
    // "    <name>    <type>    <data>", the data empty for an empty string.
    static const QRegularExpression line(QStringLiteral("^    (.+?)    (REG_[A-Z_]+)    (.*)$"));
    QHash<QString, Value> values;
    for (QString text : QString::fromLocal8Bit(output).split(QLatin1Char('\n'))) {
        if (text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            values.insert(match.captured(1).toLower(),
                          {match.captured(1), match.captured(2), match.captured(3)});
    }
    return values;
}

std::unique_ptr<RegistryKey> WineRegistry::openKey(const QString &path, bool create)
{
    const QString key = machineKey(path);
    // "reg add" makes the key with the first value written, so opening for
    // creating costs no call of its own.
    if (create)
        return std::make_unique<WineRegistryKey>(m_tool, key, true, std::nullopt, QString());
    return queried(
        m_tool, key,
        m_tool.run({QStringLiteral("reg"), QStringLiteral("query"), key, QStringLiteral("/reg:32")}));
}

std::unique_ptr<PendingKey> WineRegistry::openKeyLater(const QString &path)
{
    return std::make_unique<PendingQuery>(m_tool, machineKey(path));
}

GameRegistry::GameRegistry(std::unique_ptr<Registry> fallback, std::function<QString()> gameFolder,
                           PrefixFinder findPrefix, EventWait &wait, int commandLimitMs)
    : m_fallback(std::move(fallback)), m_gameFolder(std::move(gameFolder)),
      m_findPrefix(std::move(findPrefix)), m_wait(wait),
      m_budget(std::make_shared<WineBudget>(commandLimitMs))
{}

std::optional<WineRegistry> GameRegistry::wineRegistry() const
{
    // Looked for each time: Wine may be installed while the program runs.
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    const std::optional<QString> prefix = wine.isEmpty() ? std::nullopt : m_findPrefix(m_gameFolder());
    if (!prefix)
        return std::nullopt;
    return WineRegistry(WineTool(wine, *prefix, m_wait, m_budget));
}

std::unique_ptr<RegistryKey> GameRegistry::openKey(const QString &path, bool create)
{
    std::optional<WineRegistry> wine = wineRegistry();
    return wine ? wine->openKey(path, create) : m_fallback->openKey(path, create);
}

std::unique_ptr<PendingKey> GameRegistry::openKeyLater(const QString &path)
{
    std::optional<WineRegistry> wine = wineRegistry();
    return wine ? wine->openKeyLater(path) : m_fallback->openKeyLater(path);
}
