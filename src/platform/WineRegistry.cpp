#include "WineRegistry.h"

#include "DvsError.h"

#include <QRegularExpression>
#include <QStandardPaths>

namespace {

QString machineKey(const QString &path)
{
    return QStringLiteral("HKLM\\") + path;
}

QString withReason(const QString &message, const QString &reason)
{
    return reason.isEmpty() ? message : message + QLatin1Char('\n') + reason;
}

class WineRegistryKey final : public RegistryKey
{
public:
    WineRegistryKey(WineTool tool, QString key, bool open, QHash<QString, WineRegistry::Value> values,
                    QString problem)
        : m_tool(std::move(tool)), m_key(std::move(key)), m_open(open), m_values(std::move(values)),
          m_problem(std::move(problem))
    {}

    bool isOpen() const override { return m_open; }
    QString problem() const override { return m_problem; }
    bool valueExists(const QString &name) const override { return m_values.contains(name.toLower()); }

    int readInteger(const QString &name) const override
    {
        const auto found = m_values.constFind(name.toLower());
        bool ok = false;
        quint32 number = 0;
        if (found != m_values.constEnd() && found->type == QLatin1String("REG_DWORD")) {
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
        const auto found = m_values.constFind(name.toLower());
        if (found == m_values.constEnd() ||
            (found->type != QLatin1String("REG_SZ") && found->type != QLatin1String("REG_EXPAND_SZ")))
            throw DvsError(RegistryErrors::invalidDataType(name));
        return found->data;
    }

    void writeInteger(const QString &name, int value) override
    {
        write(name, QStringLiteral("REG_DWORD"), QString::number(static_cast<quint32>(value)),
              QStringLiteral("0x") + QString::number(static_cast<quint32>(value), 16));
    }

    void writeString(const QString &name, const QString &value) override
    {
        write(name, QStringLiteral("REG_SZ"), value, value);
    }

    void writeFolder(const QString &name, const QString &folder) override
    {
        const WineTool::Result result =
            m_tool.run({QStringLiteral("winepath"), QStringLiteral("-w"), folder});
        const QString seen = QString::fromLocal8Bit(result.output).section(QLatin1Char('\n'), 0, 0).trimmed();
        if (!result.finished || result.exitCode != 0 || !seen.contains(QLatin1Char('\\')))
            throw DvsError(withReason(RegistryErrors::failedToSetData(name),
                                      result.problem.isEmpty() ? QStringLiteral("wine winepath could not "
                                                                                "name the folder %1.")
                                                                     .arg(folder)
                                                               : result.problem));
        writeString(name, seen);
    }

private:
    void write(const QString &name, const QString &type, const QString &data, const QString &shown)
    {
        const QString failed = RegistryErrors::failedToSetData(name);
        if (!m_open)
            throw DvsError(withReason(failed, m_problem));
        const WineTool::Result result =
            m_tool.run({QStringLiteral("reg"), QStringLiteral("add"), m_key, QStringLiteral("/v"), name,
                        QStringLiteral("/t"), type, QStringLiteral("/d"), data, QStringLiteral("/f"),
                        QStringLiteral("/reg:32")});
        if (!result.finished || result.exitCode != 0)
            throw DvsError(withReason(failed, result.problem));
        m_values.insert(name.toLower(), {name, type, shown});
    }

    WineTool m_tool;
    QString m_key;
    bool m_open;
    QHash<QString, WineRegistry::Value> m_values;
    QString m_problem;
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
    const auto opened = [&](bool open, QHash<QString, Value> values = {}, QString problem = {}) {
        return std::make_unique<WineRegistryKey>(m_tool, key, open, std::move(values), std::move(problem));
    };
    const auto inPrefix = [&](const QString &problem) {
        return QStringLiteral("The registry of the Wine prefix %1 could not be used: %2")
            .arg(m_tool.prefix(), problem);
    };
    const WineTool::Result query =
        m_tool.run({QStringLiteral("reg"), QStringLiteral("query"), key, QStringLiteral("/reg:32")});
    if (!query.finished)
        return opened(false, {}, inPrefix(query.problem));
    // "reg" ends with 0 when it found the key and 1 when not, whatever
    // language its messages are in.
    if (query.exitCode == 0)
        return opened(true, parseQuery(query.output));
    if (!create)
        return opened(false);
    const WineTool::Result add = m_tool.run(
        {QStringLiteral("reg"), QStringLiteral("add"), key, QStringLiteral("/f"), QStringLiteral("/reg:32")});
    if (!add.finished)
        return opened(false, {}, inPrefix(add.problem));
    return opened(add.exitCode == 0);
}

GameRegistry::GameRegistry(std::unique_ptr<Registry> fallback, std::function<QString()> gameFolder,
                           PrefixFinder findPrefix, int wineTimeLimitMs)
    : m_fallback(std::move(fallback)), m_gameFolder(std::move(gameFolder)),
      m_findPrefix(std::move(findPrefix)), m_wineTimeLimitMs(wineTimeLimitMs)
{}

std::unique_ptr<RegistryKey> GameRegistry::openKey(const QString &path, bool create)
{
    // Looked for each time: Wine may be installed while the program runs.
    const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
    const std::optional<QString> prefix = wine.isEmpty() ? std::nullopt : m_findPrefix(m_gameFolder());
    if (!prefix)
        return m_fallback->openKey(path, create);
    return WineRegistry(WineTool(wine, *prefix, m_wineTimeLimitMs)).openKey(path, create);
}
