#pragma once
// Writes data files as the program finds them on disk: Windows-1250, CR LF,
// scrambled when asked.
#include "services/Prekodovani.h"
#include "services/Text_1250.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

inline QByteArray Bajty_riadkov(const QStringList &riadky)
{
    QByteArray bajty;
    for (const QString &r : riadky)
        bajty += Misc::Text_do_1250(r) + "\r\n";
    return bajty;
}

inline void Zapis_subor(const QString &cesta, const QByteArray &bajty)
{
    QFile f(cesta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << cesta.toStdString();
    ASSERT_EQ(f.write(bajty), bajty.size());
}

inline void Zapis_prekodovany(const QString &cesta, const QStringList &riadky)
{
    QByteArray bajty = Bajty_riadkov(riadky);
    Misc::Prekoduj_bajty(bajty);
    Zapis_subor(cesta, bajty);
}

inline QByteArray Obsah(const QString &cesta)
{
    QFile f(cesta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}
