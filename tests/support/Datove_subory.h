#pragma once
// Data files as the program finds them on disk: Windows-1250, CR LF, scrambled.
#include "services/Prekodovani.h"
#include "services/Text_1250.h"

#include <QFile>
#include <QStringList>

inline bool Zapis_subor(const QString &cesta, const QByteArray &bajty)
{
    QFile f(cesta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bajty) == bajty.size();
}

inline bool Zapis_prekodovany(const QString &cesta, const QStringList &riadky)
{
    QByteArray bajty = Misc::Text_do_1250(riadky.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    Misc::Prekoduj_bajty(bajty);
    return Zapis_subor(cesta, bajty);
}

inline QByteArray Obsah(const QString &cesta)
{
    QFile f(cesta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
