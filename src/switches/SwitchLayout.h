#pragma once

#include <QFontMetrics>
#include <QRect>
#include <QString>

#include <array>

class QLabel;
class QWidget;
struct SwitchDefinition;

// The caption label of a switch at (left, top): named "Label" followed by the
// switch name, bearing its hint, as large as `text` drawn.
QLabel *makeSwitchLabel(QWidget *surface, const SwitchDefinition &d, const QString &text);

// Where the label and control of a switch will stand, at most, before they are
// made: the label as wide as its characters' advances, the controls of one
// text line as high as two lines.
class SwitchAreaEstimate
{
public:
    explicit SwitchAreaEstimate(const QFont &font) : m_metrics(font), m_lineHeight(m_metrics.height() + 1) {}

    // A control without a label, at (left, top).
    QRect alone(const SwitchDefinition &d) const;
    // The label at (left, top) and the control right of it.
    QRect labelLeft(const SwitchDefinition &d);
    // The label at (left, top) and the control, `height` high, below it.
    QRect labelAbove(const SwitchDefinition &d, int height);
    QRect labelAbove(const SwitchDefinition &d) { return labelAbove(d, controlHeight()); }

private:
    int controlHeight() const { return 2 * m_lineHeight + 4; }
    int widthOf(const QString &caption);

    QFontMetrics m_metrics;
    int m_lineHeight;
    std::array<int, 256> m_advances = makeUnknown();
    static std::array<int, 256> makeUnknown()
    {
        std::array<int, 256> a;
        a.fill(-1);
        return a;
    }
};
