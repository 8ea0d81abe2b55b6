#pragma once

#include <QFont>
#include <QPalette>
#include <QWidget>

// The program's typeface: Tahoma where it exists, else a condensed face of
// about its width, so captions fit the sizes the windows were laid out for.
// The colour of a label's text.
inline void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

inline QFont tahomaFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Nimbus Sans Narrow")});
    return font;
}

// The 8-point font every window of the program is drawn in.
inline QFont windowFont()
{
    QFont font = tahomaFont();
    font.setPointSize(8);
    return font;
}
