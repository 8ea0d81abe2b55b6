#pragma once

#include <QFont>

// The program's typeface: Tahoma where it exists, else a condensed face of
// about its width, so captions fit the sizes the windows were laid out for.
inline QFont tahomaFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Nimbus Sans Narrow")});
    return font;
}
