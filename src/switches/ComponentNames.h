#pragma once

#include <QSet>
#include <QString>

// A switch's control is named after the switch, so its name must be a valid
// identifier and differ, regardless of case, from every other component name.
bool isValidComponentName(const QString &name);

QString invalidComponentNameMessage(const QString &name);
QString duplicateComponentNameMessage(const QString &name);

// Component names compared regardless of case.
class ComponentNameSet final
{
public:
    bool contains(const QString &name) const { return m_names.contains(name.toCaseFolded()); }
    void insert(const QString &name) { m_names.insert(name.toCaseFolded()); }

private:
    QSet<QString> m_names;
};
