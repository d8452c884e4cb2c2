#include "services/Ini_subor.h"

#include <QFile>
#include <QStringDecoder>

namespace Misc {

namespace {

// The file is read as UTF-8, the encoding of paths on this system; a byte
// order mark in front of it is dropped by the decoder.
QStringList Riadky_ini(const QString &cesta)
{
    QFile subor(cesta);
    if (!subor.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(subor.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text.split(QLatin1Char('\n'));
}

// "[name]" gives name; any other line gives a null text.
QString Nazov_sekcie(const QString &riadok)
{
    if (!riadok.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype koniec = riadok.indexOf(QLatin1Char(']'));
    if (koniec < 0)
        return {};
    return riadok.mid(1, koniec - 1).trimmed();
}

} // namespace

QString Hodnota_z_ini(const QString &cesta, const QString &sekcia, const QString &klic,
                      const QString &predvolene)
{
    bool v_sekcii = false;
    for (const QString &surovy : Riadky_ini(cesta)) {
        const QString riadok = surovy.trimmed();
        if (riadok.isEmpty() || riadok.startsWith(QLatin1Char(';')))
            continue;
        if (const QString nazov = Nazov_sekcie(riadok); !nazov.isNull()) {
            // Only the first section of that name is searched.
            if (v_sekcii)
                break;
            v_sekcii = nazov.compare(sekcia, Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype rovna_sa = riadok.indexOf(QLatin1Char('='));
        if (!v_sekcii || rovna_sa < 0)
            continue;
        if (riadok.left(rovna_sa).trimmed().compare(klic, Qt::CaseInsensitive) != 0)
            continue;
        const QString hodnota = riadok.mid(rovna_sa + 1).trimmed();
        return hodnota.isEmpty() ? predvolene : hodnota;
    }
    return predvolene;
}

} // namespace Misc
