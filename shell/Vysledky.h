#pragma once
// Marks, the results table kept in "Hra.res" and the results log
// "Vysledky.dat": the parts of the results screen that need no screen.
#include <QDateTime>
#include <QList>
#include <QString>

#include <cmath>
#include <functional>
#include <optional>

namespace Vysledky {

// One result: one row of the results table, one line of "Hra.res".
struct Zaznam_vysledku {
    int cislo_ulohy = 0;
    QString jmeno;
    int spravne = 0;
    int spatne = 0;
    int Znamka = 0;
    int ID = 0; // 1 = the result added last
    bool operator==(const Zaznam_vysledku &) const = default;
};

// The mark for `spravne` right rows out of `celkove`, as text, from a marks
// table whose rows 1 to size() - 1 hold Dolni_hranice, Horni_hranice and
// Hodnota_znamky. Where ranges overlap, the last row holding the percentage
// wins. The file's bounds are whole numbers while the percentage is not
// (11 of 20 gives a little over 55), so a percentage in a gap between rows
// belongs to the row whose upper bound lies just below it. The empty text:
// no examples, or a percentage below every row.
template <class Tabulka>
QString Vlozeni_znamky(int spravne, int celkove, const Tabulka &tabulka)
{
    if (celkove <= 0)
        return {};
    const double p = (double(spravne) / double(celkove)) * 100.0;
    int najdeny = 0;
    int pod_medzerou = 0;
    for (int k = 1; k < int(tabulka.size()); ++k) {
        const double dolni = tabulka[k].Dolni_hranice;
        const double horni = tabulka[k].Horni_hranice;
        if (dolni <= p && p <= horni)
            najdeny = k;
        else if (horni < p && (pod_medzerou == 0 || horni >= tabulka[pod_medzerou].Horni_hranice))
            pod_medzerou = k;
    }
    const int k = najdeny ? najdeny : pod_medzerou;
    if (k == 0)
        return {};
    return QString::number(int(tabulka[k].Hodnota_znamky));
}

// Best first: lower mark, then more right, then fewer wrong; equal results
// keep their order, so a new one goes after its equals.
void Zorad_zaznamy(QList<Zaznam_vysledku> &zaznamy);

// The name as it may stand in "Hra.res": "|" separates the fields and a
// line break ends the record, so neither may stay in it.
QString Jmeno_pro_soubor(const QString &jmeno);

// A whole number as the runtime writes it with a sign position: " 4", "-4".
QString Cislo_so_znamienkom(int n);

// One line of "Hra.res" (without its CR LF) and back. A line that does not
// hold six fields with numbers in range gives nothing.
QString Riadok_zaznamu(const Zaznam_vysledku &z);
std::optional<Zaznam_vysledku> Zaznam_z_riadku(const QString &riadok);

// A missing or unreadable file is an empty table; lines that do not parse
// are left out.
QList<Zaznam_vysledku> Nacti_tabulku_ze_souboru(const QString &cesta);
// Replaces the file as a whole or not at all: a failed write keeps the old
// results. Returns whether the new table is saved.
bool Uloz_tabulku_do_souboru(const QString &cesta, const QList<Zaznam_vysledku> &zaznamy);

// One finished series as the results log records it.
struct Zaznam_logu {
    QString jmeno, uloha, typulohy, spravne, spatne, Znamka;
    int pocet_prikladu = 0;
    QDateTime kedy;
};

// The four lines of one log entry, each ended by CR LF; label i (31 to 39)
// comes from `text`.
QString Text_zaznamu_logu(const Zaznam_logu &z, const std::function<QString(int)> &text);
// Appends the entry in one write, so an entry is in the log whole or not at all.
bool Pripis_do_logu(const QString &cesta, const QString &zaznam);

} // namespace Vysledky
