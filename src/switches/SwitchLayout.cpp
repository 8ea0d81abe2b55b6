#include "SwitchLayout.h"

#include "SwitchDefinition.h"

#include <QLabel>

namespace {

// A caption label shows "&&" as "&" and drops a single "&", the accelerator mark.
QString labelText(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
}

} // namespace

QLabel *makeSwitchLabel(QWidget *surface, const SwitchDefinition &d, const QString &text)
{
    auto *label = new QLabel(labelText(text), surface);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QStringLiteral("Label") + d.name);
    label->setStatusTip(d.hint);
    label->adjustSize();
    label->move(d.left, d.top);
    return label;
}

QRect SwitchAreaEstimate::alone(const SwitchDefinition &d) const
{
    return QRect(d.left, d.top, d.width, controlHeight());
}

QRect SwitchAreaEstimate::labelLeft(const SwitchDefinition &d)
{
    const int labelWidth = widthOf(d.caption);
    return QRect(d.left, d.top, labelWidth, m_lineHeight) | alone(d).translated(labelWidth + 2, 0);
}

QRect SwitchAreaEstimate::labelAbove(const SwitchDefinition &d, int height)
{
    const int labelWidth = widthOf(d.caption) + m_metrics.maxWidth();
    return QRect(d.left, d.top, labelWidth, m_lineHeight) |
           QRect(d.left, d.top + m_lineHeight, d.width, height);
}

int SwitchAreaEstimate::widthOf(const QString &caption)
{
    int width = 0;
    for (const QChar c : caption) {
        if (c.unicode() >= m_advances.size())
            return m_metrics.horizontalAdvance(caption) + m_metrics.maxWidth();
        int &advance = m_advances[c.unicode()];
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(c);
        width += advance;
    }
    return width + m_metrics.maxWidth();
}
