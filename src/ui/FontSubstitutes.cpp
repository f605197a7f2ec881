#include "ui/FontSubstitutes.h"

#include <QFont>

void installFontSubstitutes()
{
    // Where "MS Sans Serif" exists (Windows) it is used and these are ignored.
    const QString msSansSerif = QStringLiteral("MS Sans Serif");
    QFont::insertSubstitution(msSansSerif, QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(msSansSerif, QStringLiteral("Arial"));
}
