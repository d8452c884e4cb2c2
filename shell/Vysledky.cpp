#include "shell/Vysledky.h"

#include "platform/ResourcePath.h"
#include "services/Text_1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
                         if ((a.Znamka > 0) != (b.Znamka > 0))
                             return a.Znamka > 0;
                         if (a.Znamka != b.Znamka)
                             return a.Znamka < b.Znamka;
                         if (a.spravne != b.spravne)
                             return a.spravne > b.spravne;
                         return a.spatne < b.spatne;
                     });
}

QString Jmeno_pro_soubor(const QString &jmeno)
{
    // Almost every name is fine as it is; the table writes every name each time.
    bool v_1250 = false;
    Misc::Text_do_1250(jmeno, &v_1250);
    if (v_1250 && std::none_of(jmeno.cbegin(), jmeno.cend(), [](QChar c) {
            return c == QLatin1Char('|') || c.category() == QChar::Other_Control;
        }))
        return jmeno;
    QString s;
    for (const char32_t c : QString(jmeno).replace(QLatin1String("\r\n"), QLatin1String("\n")).toUcs4()) {
        if (c == U'\r' || c == U'\n' || c == U'\t') {
            s += QLatin1Char(' ');
        } else if (c == U'|') {
            s += QLatin1Char('/');
        } else if (QChar::category(c) != QChar::Other_Control) {
            const QString znak = QString::fromUcs4(&c, 1);
            Misc::Text_do_1250(znak, &v_1250);
            s += v_1250 ? znak : QStringLiteral("?");
        }
    }
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

Tabulka_zo_suboru Nacti_tabulku_ze_souboru(const QString &cesta)
{
    Tabulka_zo_suboru tabulka;
    QFile subor(platform::resolvePath(cesta));
    if (!subor.exists())
        return tabulka;
    QByteArray bajty;
    if (QFileInfo(subor).isDir() || !subor.open(QIODevice::ReadOnly)
        || (bajty = subor.readAll(), subor.error() != QFileDevice::NoError)) {
        tabulka.precitana = false;
        return tabulka;
    }
    for (const QString &riadok : Misc::Riadky_suboru(bajty)) {
        if (const auto z = Zaznam_z_riadku(riadok))
            tabulka.zaznamy.append(*z);
        else if (!riadok.trimmed().isEmpty())
            ++tabulka.neprecitane;
    }
    return tabulka;
}

bool Uloz_tabulku_do_souboru(const QString &cesta, const QList<Zaznam_vysledku> &zaznamy)
{
    QString text;
    for (const Zaznam_vysledku &z : zaznamy)
        text += Riadok_zaznamu(z) + konec_riadku;
    const QByteArray bajty = Misc::Text_do_1250(text);
    QSaveFile subor(platform::resolvePath(cesta));
    if (!subor.open(QIODevice::WriteOnly))
        return false;
    // commit() does not see a failed flush (a full disk): check each step.
    if (subor.write(bajty) != bajty.size() || !subor.flush() || subor.error() != QFileDevice::NoError) {
        subor.cancelWriting();
        subor.commit();
        return false;
    }
    return subor.commit();
}

Zamok_vysledkov::Zamok_vysledkov(const QString &subor, std::chrono::milliseconds cakanie)
    : zamok_(QFileInfo(platform::resolvePath(subor)).absolutePath() + QStringLiteral("/Vysledky.lock"))
{
    // The lock is held for milliseconds; an older one was left behind.
    zamok_.setStaleLockTime(std::chrono::seconds(3));
    if (!zamok_.tryLock(cakanie))
        stav_ = zamok_.error() == QLockFile::LockFailedError ? Zapis::Obsadeny : Zapis::Nezapisany;
}

QString Text_zapisu(Zapis z, const QString &cesta)
{
    static const struct {
        Zapis zapis;
        const char *text; // %1 the file
    } texty[] = {
        {Zapis::Hotovy, ""},
        {Zapis::Obsadeny, "Výsledok sa nepodarilo zapísať do súboru %1: súbor práve zapisuje iný program."},
        {Zapis::Necitatelny, "Súbor %1 sa nedá prečítať, preto doň výsledok nebol zapísaný."},
        {Zapis::Nezapisany, "Výsledok sa nepodarilo zapísať do súboru %1."},
    };
    for (const auto &t : texty)
        if (t.zapis == z)
            return QString::fromUtf8(t.text).arg(QDir::toNativeSeparators(platform::resolvePath(cesta)));
    return {};
}

namespace {

void Pridaj(QList<Zaznam_vysledku> &zaznamy, const Zaznam_vysledku &novy)
{
    for (Zaznam_vysledku &z : zaznamy)
        z.ID = 0;
    zaznamy.append(novy);
    Zorad_zaznamy(zaznamy);
}

// A byte-for-byte copy beside the file under a name not yet taken; empty
// when none could be made.
QString Odloz_kopiu(const QString &cesta)
{
    const QString subor = platform::resolvePath(cesta);
    for (int n = 1; n < 100; ++n) {
        const QString kopia = subor + (n == 1 ? QStringLiteral(".bak") : QStringLiteral(".%1.bak").arg(n));
        if (QFile::copy(subor, kopia))
            return kopia;
        if (!QFile::exists(kopia))
            break;
    }
    return {};
}

} // namespace

Pridanie Pridaj_do_tabulky(const QString &cesta, QList<Zaznam_vysledku> &zaznamy, const Zaznam_vysledku &novy,
                           std::chrono::milliseconds cakanie)
{
    const Zamok_vysledkov zamok(cesta, cakanie);
    if (zamok.Stav() != Zapis::Hotovy) {
        Pridaj(zaznamy, novy);
        return {zamok.Stav(), {}};
    }
    Tabulka_zo_suboru tabulka = Nacti_tabulku_ze_souboru(cesta);
    if (!tabulka.precitana) {
        Pridaj(zaznamy, novy);
        return {Zapis::Necitatelny, {}};
    }
    zaznamy = std::move(tabulka.zaznamy);
    Pridaj(zaznamy, novy);
    Pridanie pridanie;
    if (tabulka.neprecitane > 0 && (pridanie.kopia = Odloz_kopiu(cesta)).isEmpty())
        return {Zapis::Nezapisany, {}};
    if (!Uloz_tabulku_do_souboru(cesta, zaznamy)) {
        if (!pridanie.kopia.isEmpty())
            QFile::remove(pridanie.kopia);
        return {Zapis::Nezapisany, {}};
    }
    return pridanie;
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

Zapis Pripis_do_logu(const QString &cesta, const QString &zaznam, std::chrono::milliseconds cakanie)
{
    const Zamok_vysledkov zamok(cesta, cakanie);
    if (zamok.Stav() != Zapis::Hotovy)
        return zamok.Stav();
    QFile subor(platform::resolvePath(cesta));
    // Unbuffered, so that nothing of a failed write is flushed after it is taken back.
    if (!subor.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return Zapis::Nezapisany;
    const qint64 povodna = subor.size();
    const QByteArray bajty = Misc::Text_do_1250(zaznam);
    if (subor.write(bajty) == bajty.size())
        return Zapis::Hotovy;
    subor.resize(povodna);
    return Zapis::Nezapisany;
}

} // namespace Vysledky
