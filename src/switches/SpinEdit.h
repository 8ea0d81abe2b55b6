#pragma once

#include <QAbstractSpinBox>

// An integer field with up and down buttons (and the Up and Down keys) that
// step by 1. Every value set is clamped to the limits unless the two limits
// are equal. Its value is its text read as an integer; a text that is not one,
// such as "off", reads as the lower limit, so stepping starts from there.
class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit SpinEdit(QWidget *parent = nullptr);

    int minValue() const { return m_min; }
    int maxValue() const { return m_max; }
    // Changing a limit leaves the shown text as it is.
    void setMinValue(int value) { m_min = value; }
    void setMaxValue(int value) { m_max = value; }

    int value() const;
    void setValue(int value);
    int checkValue(int value) const { return bounded(value, m_min, m_max); }
    // `value` within the limits; equal limits set none.
    static int bounded(int value, int min, int max);

    // The shown text, which need not be a number.
    QString text() const;
    void setText(const QString &text);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

signals:
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_min = 0;
    int m_max = 0;
};
