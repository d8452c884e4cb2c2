#pragma once
// Stand-in until the form runtime's resolver is on main.
#include <QFileInfo>
#include <QString>

namespace Misc {

inline QString Skutocna_cesta(QString cesta)
{
    return cesta.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

inline bool Existuje_soubor(const QString &cesta)
{
    return QFileInfo(Skutocna_cesta(cesta)).isFile();
}

} // namespace Misc
