#pragma once

#include "SwitchKind.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class IniSnapshot;

// Everything the panel needs to build one switch, read from its section of
// patch.ini with the database's defaults. Positions, sizes and item counts are
// bounded so that a damaged database cannot make the panel unusable or huge.
struct SwitchDefinition
{
    static constexpr int MaxCoordinate = 20000;
    static constexpr int MaxExtent = 10000;
    static constexpr int MaxItems = 1000;

    QString name;
    SwitchKind kind = SwitchKind::OnOff;
    QString caption;
    QString hint;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0; // check lists only

    // number
    int minValue = 0;
    int maxValue = 0;
    int value = 0; // number default, or the default sum of a check list

    bool checked = false; // on/off default as the panel builds it
    QString text;         // text default
    QStringList items;    // choice texts, or check-list texts
    int droppedWidth = 0; // width of a choice's opened list
    QList<int> weights;   // check-list weights

    // The switch of `section` with the keys that every kind has, or nothing
    // when its "component" is not 1-5. The keys of its kind are read by its
    // control class (SwitchFactory's readSwitch reads both).
    static std::optional<SwitchDefinition> readCommonKeys(const IniSnapshot &patch, const QString &section);

    // `value` within 0..`high`.
    static int bounded(int value, int high);
};

// A choice's texts number0..numberN-1 of `section`, N being its "number".
QStringList readChoiceItems(const IniSnapshot &patch, const QString &section);
// A check list's texts number0..numberM of `section`, M being its "number".
QStringList readCheckListItems(const IniSnapshot &patch, const QString &section);
// Reads a check list's item weights value0..valueM of `section`.
QList<int> readCheckListWeights(const IniSnapshot &patch, const QString &section);
