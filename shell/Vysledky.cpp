#include "shell/Vysledky.h"

#include "platform/ResourcePath.h"
#include "services/Text_1250.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <limits>

namespace Vysledky {

namespace {

const QString konec_riadku = QStringLiteral("\r\n");

// A field as the runtime's conversion reads it: blanks around the digits
// allowed, nothing else, and the value within [od, po].
std::optional<int> Cislo_pola(const QString &pole, int od, int po)
{
    bool ok = false;
    const int n = pole.trimmed().toInt(&ok);
    if (!ok || n < od || n > po)
        return std::nullopt;
    return n;
}

} // namespace

void Zorad_zaznamy(QList<Zaznam_vysledku> &zaznamy)
{
    std::stable_sort(zaznamy.begin(), zaznamy.end(),
                     [](const Zaznam_vysledku &a, const Zaznam_vysledku &b) {
                         if (a.Znamka != b.Znamka)
                             return a.Znamka < b.Znamka;
                         if (a.spravne != b.spravne)
                             return a.spravne > b.spravne;
                         return a.spatne < b.spatne;
                     });
}

QString Jmeno_pro_soubor(const QString &jmeno)
{
    QString s = jmeno;
    s.replace(QLatin1Char('|'), QLatin1Char('/'));
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return s;
}

QString Cislo_so_znamienkom(int n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString Riadok_zaznamu(const Zaznam_vysledku &z)
{
    return QString::number(z.cislo_ulohy) + QLatin1Char('|') + Jmeno_pro_soubor(z.jmeno)
        + QLatin1Char('|') + Cislo_so_znamienkom(z.spravne) + QLatin1Char('|')
        + Cislo_so_znamienkom(z.spatne) + QLatin1Char('|') + Cislo_so_znamienkom(z.Znamka)
        + QLatin1Char('|') + Cislo_so_znamienkom(z.ID);
}

std::optional<Zaznam_vysledku> Zaznam_z_riadku(const QString &riadok)
{
    // Characters after a sixth "|" belong to no field.
    const QStringList polia = riadok.split(QLatin1Char('|')).mid(0, 6);
    if (polia.size() < 6)
        return std::nullopt;
    constexpr int min = std::numeric_limits<qint16>::min();
    constexpr int max = std::numeric_limits<qint16>::max();
    const auto uloha = Cislo_pola(polia[0], min, max);
    const auto spravne = Cislo_pola(polia[2], min, max);
    const auto spatne = Cislo_pola(polia[3], min, max);
    const auto znamka = Cislo_pola(polia[4], min, max);
    const auto id = Cislo_pola(polia[5], 0, 255);
    if (!uloha || !spravne || !spatne || !znamka || !id)
        return std::nullopt;
    return Zaznam_vysledku{*uloha, polia[1], *spravne, *spatne, *znamka, *id};
}

QList<Zaznam_vysledku> Nacti_tabulku_ze_souboru(const QString &cesta)
{
    QList<Zaznam_vysledku> zaznamy;
    QFile subor(platform::resolvePath(cesta));
    if (!subor.open(QIODevice::ReadOnly))
        return zaznamy;
    for (const QString &riadok : Misc::Riadky_textu(Misc::Text_z_1250(subor.readAll())))
        if (const auto z = Zaznam_z_riadku(riadok))
            zaznamy.append(*z);
    return zaznamy;
}

bool Uloz_tabulku_do_souboru(const QString &cesta, const QList<Zaznam_vysledku> &zaznamy)
{
    QString text;
    for (const Zaznam_vysledku &z : zaznamy)
        text += Riadok_zaznamu(z) + konec_riadku;
    QSaveFile subor(platform::resolvePath(cesta));
    if (!subor.open(QIODevice::WriteOnly))
        return false;
    subor.write(Misc::Text_do_1250(text));
    return subor.commit();
}

QString Text_zaznamu_logu(const Zaznam_logu &z, const std::function<QString(int)> &text)
{
    const auto pole = [](const QString &s, int n) { return s.leftJustified(n, QLatin1Char(' ')); };
    const auto stitok = [&text](int i, const char *za) { return text(i) + QLatin1String(za); };
    const QLocale c = QLocale::c();
    QString s;
    s += stitok(31, ": ") + pole(z.jmeno, 35) + QLatin1String("   ")
        + stitok(32, ": ") + pole(c.toString(z.kedy.date(), QStringLiteral("d.M.yyyy")), 10)
        + QLatin1String("   ") + stitok(33, ": ") + c.toString(z.kedy.time(), QStringLiteral("HH:mm"))
        + konec_riadku;
    s += stitok(34, ": ") + pole(z.uloha, 20) + QLatin1Char(' ') + stitok(35, ": ")
        + pole(z.typulohy, 30) + konec_riadku;
    s += stitok(36, ":  ") + pole(Cislo_so_znamienkom(z.pocet_prikladu), 6) + QLatin1String("   ")
        + stitok(37, ":  ") + pole(z.spravne, 6) + QLatin1String("    ")
        + stitok(38, ":  ") + pole(z.spatne, 6) + QLatin1String("    ")
        + stitok(39, ":  ") + z.Znamka + konec_riadku;
    s += QString(75, QLatin1Char('=')) + konec_riadku;
    return s;
}

bool Pripis_do_logu(const QString &cesta, const QString &zaznam)
{
    QFile subor(platform::resolvePath(cesta));
    if (!subor.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bajty = Misc::Text_do_1250(zaznam);
    const bool cely = subor.write(bajty) == bajty.size();
    return subor.flush() && cely;
}

} // namespace Vysledky
