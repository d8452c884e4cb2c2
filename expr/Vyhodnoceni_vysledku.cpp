#include "expr/Vyhodnoceni_vysledku.h"

#include "expr/Prevedeni_vstupu.h"
#include "expr/Zapis_vyrazu.h"

#include <QList>
#include <algorithm>

namespace {

constexpr char16_t Bodka_sucinu = u'\u00B7';

// A product written with its bracketed factors in any order, with or without
// "·" beside them, is one term: every run of such factors is put in one
// order and the "·" beside it dropped. A run after "/" starts with a divisor
// and keeps its order; the rest of the line is left as it is.
class Cinitele {
public:
    explicit Cinitele(QStringView s) : s(s), par(s.size(), -1)
    {
        QList<qsizetype> otvorene;
        for (qsizetype k = 0; k < s.size(); ++k) {
            if (s[k] == u'(')
                otvorene.append(k);
            else if (s[k] == u')' && !otvorene.isEmpty())
                par[otvorene.takeLast()] = k;
        }
    }
    QString Usporiadane() const { return Usporiadaj(0, s.size(), 0); }

private:
    // Deeper than any answer a pupil writes; beyond it the text stays as it is.
    static constexpr int Max_hlbka = 32;

    // One past the factor whose bracket opens at k (its exponent's
    // superscripts with it); -1 when no factor opens there.
    qsizetype Koniec(qsizetype k, qsizetype po) const
    {
        if (k >= po || s[k] != u'(' || par[k] < 0 || par[k] >= po)
            return -1;
        qsizetype e = par[k] + 1;
        while (e < po && !Misc::Preved_z_exponentu(s[e]).isNull())
            ++e;
        return e;
    }

    QString Usporiadaj(qsizetype od, qsizetype po, int hlbka) const
    {
        if (hlbka > Max_hlbka)
            return s.sliced(od, po - od).toString();
        QString vysledok;
        vysledok.reserve(po - od);
        qsizetype i = od;
        while (i < po) {
            qsizetype koniec = Koniec(i, po);
            if (koniec < 0) {
                vysledok += s[i++];
                continue;
            }
            if (vysledok.endsWith(Bodka_sucinu))
                vysledok.chop(1);
            QStringList run;
            while (koniec >= 0) {
                run << u'(' + Usporiadaj(i + 1, par[i], hlbka + 1) + s.sliced(par[i], koniec - par[i]).toString();
                i = koniec;
                const qsizetype dalsi = i < po && s[i] == Bodka_sucinu ? i + 1 : i;
                koniec = Koniec(dalsi, po);
                if (koniec >= 0)
                    i = dalsi;
            }
            if (i < po && s[i] == Bodka_sucinu)
                ++i;
            if (!vysledok.endsWith(u'/'))
                run.sort();
            vysledok += run.join(QString());
        }
        return vysledok;
    }

    QStringView s;
    QList<qsizetype> par; // the ")" that closes the "(" at each index, else -1
};

// The terms of a line, sorted, so that equal multisets give equal lists.
QList<QStringView> Cleny(QStringView riadok, QString &pamat)
{
    pamat = Cinitele(Bez_medzier(riadok)).Usporiadane();
    if (pamat.isEmpty() || (pamat.front() != u'+' && pamat.front() != u'-'))
        pamat.prepend(u'+');
    QList<QStringView> cleny;
    qsizetype zaciatok = 0;
    for (qsizetype i = 0; i <= pamat.size(); ++i) {
        if (i == pamat.size() || pamat[i] == u'+' || pamat[i] == u'-' || pamat[i] == u'*') {
            cleny.append(QStringView(pamat).sliced(zaciatok, i - zaciatok));
            zaciatok = i;
        }
    }
    std::sort(cleny.begin(), cleny.end());
    return cleny;
}

} // namespace

bool Rovnake_cleny(QStringView vstup, QStringView vzor)
{
    QString pamat_vstupu, pamat_vzoru;
    return Cleny(vstup, pamat_vstupu) == Cleny(vzor, pamat_vzoru);
}

bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X, double Prom_Y, double Prom_Z)
{
    if (druh.isEmpty())
        return Rovnake_cleny(vstup, vzor);
    if (druh != u"LP")
        return false;
    const auto a = Prevedeni_vstupu_na_vysledek(vypocet, vzor, Prom_X, Prom_Y, Prom_Z);
    const auto b = Prevedeni_vstupu_na_vysledek(vypocet, vstup, Prom_X, Prom_Y, Prom_Z);
    return a && b && *a == *b;
}
