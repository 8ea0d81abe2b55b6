#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One run of a Windows tool through wine, in a given prefix, never longer
// than a time limit: a hang or a missing wine comes back as a reason, so the
// window that asked can say so instead of freezing.
class WineTool final
{
public:
    struct Result
    {
        bool finished = false; // the tool ran and ended within the limit
        int exitCode = -1;
        QByteArray output; // what it wrote, both channels
        QString problem;   // why it did not finish; empty when it did
    };

    WineTool(QString wine, QString prefix, int timeLimitMs = 10000)
        : m_wine(std::move(wine)), m_prefix(std::move(prefix)), m_timeLimitMs(timeLimitMs)
    {}

    const QString &prefix() const { return m_prefix; }
    Result run(const QStringList &arguments) const;

private:
    QString m_wine;
    QString m_prefix;
    int m_timeLimitMs;
};
