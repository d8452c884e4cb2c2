#include "expr/Vyhodnoceni_vysledku.h"

#include "expr/Prevedeni_vstupu.h"

#include <QList>
#include <algorithm>

namespace {

// The terms of a line, sorted, so that equal multisets give equal lists.
QList<QStringView> Cleny(QStringView riadok, QString &pamat)
{
    pamat = Bez_medzier(riadok);
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
