#include "SpinEdit.h"

#include "ini/IntegerText.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

SpinEdit::SpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(false);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textChanged);
}

int SpinEdit::value() const
{
    return parseInteger(lineEdit()->text()).value_or(m_min);
}

int SpinEdit::bounded(int value, int min, int max)
{
    if (max != min) {
        if (value < min)
            return min;
        if (value > max)
            return max;
    }
    return value;
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(checkValue(value)));
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString &text)
{
    lineEdit()->setText(text);
}

void SpinEdit::stepBy(int steps)
{
    // Every step is one, also for the page keys and a fast wheel.
    steps = steps > 0 ? 1 : (steps < 0 ? -1 : 0);
    const qint64 next = std::clamp<qint64>(qint64(value()) + steps, std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max());
    setValue(int(next));
}

QValidator::State SpinEdit::validate(QString &, int &) const
{
    // What may be typed is decided by the switch's key filter and its value rule.
    return QValidator::Acceptable;
}

void SpinEdit::fixup(QString &) const {}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

void SpinEdit::focusOutEvent(QFocusEvent *event)
{
    const int current = value();
    if (checkValue(current) != current)
        setValue(current);
    QAbstractSpinBox::focusOutEvent(event);
}
