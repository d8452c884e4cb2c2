#include "expr/Vyhodnoceni_vysledku.h"

#include "expr/Prevedeni_vstupu.h"
#include "expr/Zapis_vyrazu.h"

#include <QList>
#include <QStringList>
#include <algorithm>

namespace {

constexpr char16_t Bodka_sucinu = u'\u00B7';

bool Je_cifra(QChar c) { return c >= u'0' && c <= u'9'; }

bool Je_exponent(QChar c) { return !Misc::Preved_z_exponentu(c).isNull(); }

// Signs and products hold no value of their own: a line of nothing else is
// no answer.
bool Ma_operand(QStringView riadok)
{
    return std::any_of(riadok.begin(), riadok.end(),
                       [](QChar c) { return !QStringView(u"+-*/:()\u00B7").contains(c); });
}

// What a pupil may write another way for the same number: "^" and a whole
// number is the superscript, zeros ending a decimal part say nothing ("7,840"
// is 7,84, "5,0" is 5).
QString Jednotny_zapis(QStringView s)
{
    QString vysledok;
    vysledok.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        qsizetype k = i + 1;
        if (c == u'^') {
            const bool minus = k < s.size() && s[k] == u'-';
            k += minus;
            const qsizetype cifry = k;
            while (k < s.size() && Je_cifra(s[k]))
                ++k;
            if (k == cifry) {
                vysledok += c;
                continue;
            }
            for (qsizetype j = i + 1; j < k; ++j)
                vysledok += Misc::Preved_na_exponent(s.sliced(j, 1));
            i = k - 1;
        } else if (c == u',' && i > 0 && Je_cifra(s[i - 1]) && k < s.size() && Je_cifra(s[k])) {
            while (k < s.size() && Je_cifra(s[k]))
                ++k;
            qsizetype koniec = k;
            while (koniec > i + 1 && s[koniec - 1] == u'0')
                --koniec;
            if (koniec > i + 1)
                vysledok += s.sliced(i, koniec - i);
            i = k - 1;
        } else {
            vysledok += c;
        }
    }
    return vysledok;
}

// One order for what may be written in any order: the terms of a bracket,
// as a sum is the same sum whatever the order of its terms, and the factors
// of a product that holds a bracketed factor (its exponent with it), with the
// "·" beside them. What follows a "/" or ":" in a product is a divisor and
// keeps its order; a product without a bracket keeps its order ("x·2",
// "yx" stay what they are).
class Poradie {
public:
    explicit Poradie(QStringView s) : s(s), par(s.size(), -1)
    {
        QList<qsizetype> otvorene;
        for (qsizetype k = 0; k < s.size(); ++k) {
            if (s[k] == u'(')
                otvorene.append(k);
            else if (s[k] == u')' && !otvorene.isEmpty())
                par[otvorene.takeLast()] = k;
        }
    }
    QString Usporiadane() const { return Sucet(0, s.size(), 0); }

private:
    // Deeper than any answer a pupil writes; beyond it the text stays as it is.
    static constexpr int Max_hlbka = 32;

    // One past the factor whose bracket opens at k, its superscripts with it;
    // -1 when no factor opens there.
    qsizetype Koniec_zatvorky(qsizetype k, qsizetype po) const
    {
        if (k >= po || s[k] != u'(' || par[k] < 0 || par[k] >= po)
            return -1;
        qsizetype e = par[k] + 1;
        while (e < po && Je_exponent(s[e]))
            ++e;
        return e;
    }

    // The terms of s[od, po), each with its sign ("+" put before the first
    // when it has none), sorted. A sign right after an operator belongs to
    // the number it stands before.
    QString Sucet(qsizetype od, qsizetype po, int hlbka) const
    {
        if (hlbka > Max_hlbka)
            return s.sliced(od, po - od).toString();
        QStringList cleny;
        qsizetype zaciatok = od;
        for (qsizetype i = od; i <= po; ++i) {
            if (i < po && s[i] == u'(' && par[i] >= 0 && par[i] < po) {
                i = par[i];
                continue;
            }
            const bool znamienko = i < po && (s[i] == u'+' || s[i] == u'-') && i > zaciatok
                                   && !QStringView(u"+-*/:^(\u00B7").contains(s[i - 1]);
            if (i == po || znamienko) {
                if (i > zaciatok)
                    cleny << Clen(zaciatok, i, hlbka);
                zaciatok = i;
            }
        }
        cleny.sort();
        return cleny.join(QString());
    }

    QString Clen(qsizetype od, qsizetype po, int hlbka) const
    {
        QString znamienko = QStringLiteral("+");
        if (s[od] == u'+' || s[od] == u'-')
            znamienko = s[od++];
        return znamienko + Sucin(od, po, hlbka);
    }

    // A product: up to its first divisor its factors are put in order when
    // one of them is bracketed.
    QString Sucin(qsizetype od, qsizetype po, int hlbka) const
    {
        qsizetype lomka = od;
        bool zatvorka = false;
        for (; lomka < po && s[lomka] != u'/' && s[lomka] != u':'; ++lomka) {
            if (Koniec_zatvorky(lomka, po) >= 0) {
                zatvorka = true;
                lomka = par[lomka];
            }
        }
        if (!zatvorka)
            return Prepis(od, po, hlbka);
        QStringList cinitele;
        for (qsizetype i = od; i < lomka;) {
            qsizetype k = Koniec_zatvorky(i, lomka);
            if (k < 0) {
                k = i;
                while (k < lomka && Koniec_zatvorky(k, lomka) < 0)
                    ++k;
            }
            QString cinitel = Prepis(i, k, hlbka);
            while (cinitel.startsWith(Bodka_sucinu))
                cinitel.remove(0, 1);
            while (cinitel.endsWith(Bodka_sucinu))
                cinitel.chop(1);
            if (!cinitel.isEmpty())
                cinitele << cinitel;
            i = k;
        }
        cinitele.sort();
        // "·" between the factors: juxtaposed numbers would read as one.
        return cinitele.join(Bodka_sucinu) + Prepis(lomka, po, hlbka);
    }

    // s[od, po) in its order, the terms of every bracket in it sorted.
    QString Prepis(qsizetype od, qsizetype po, int hlbka) const
    {
        QString vysledok;
        vysledok.reserve(po - od);
        for (qsizetype i = od; i < po; ++i) {
            if (s[i] == u'(' && par[i] >= 0 && par[i] < po) {
                vysledok += u'(' + Sucet(i + 1, par[i], hlbka + 1) + u')';
                i = par[i];
            } else {
                vysledok += s[i];
            }
        }
        return vysledok;
    }

    QStringView s;
    QList<qsizetype> par; // the ")" that closes the "(" at each index, else -1
};

} // namespace

QString Tvar_clenov(QStringView riadok)
{
    const QString bez_medzier = Bez_medzier(riadok);
    if (!Ma_operand(bez_medzier))
        return {};
    const QString jednotny = Jednotny_zapis(bez_medzier);
    const QString pamat = Poradie(jednotny).Usporiadane();
    QList<QStringView> cleny;
    qsizetype zaciatok = 0;
    for (qsizetype i = 1; i <= pamat.size(); ++i) {
        if (i == pamat.size() || pamat[i] == u'+' || pamat[i] == u'-' || pamat[i] == u'*') {
            cleny.append(QStringView(pamat).sliced(zaciatok, i - zaciatok));
            zaciatok = i;
        }
    }
    std::sort(cleny.begin(), cleny.end());
    QString tvar;
    tvar.reserve(pamat.size() + cleny.size());
    for (QStringView c : cleny)
        (tvar += c) += u'\n';
    return tvar;
}

namespace {

// A check compares one pupil's line with several expected texts (task 10
// with ten accepted forms): the line is put in its normal form once.
const QString &Tvar_vstupu(QStringView vstup)
{
    thread_local QString posledny, tvar;
    if (vstup != posledny) {
        posledny = vstup.toString();
        tvar = Tvar_clenov(vstup);
    }
    return tvar;
}

} // namespace

bool Rovnake_cleny(QStringView vstup, QStringView vzor)
{
    const QString &tvar = Tvar_vstupu(vstup);
    return !tvar.isEmpty() && tvar == Tvar_clenov(vzor);
}

bool Vyhodnoceni_vysledku(cEEvaluator &vypocet, QStringView vstup, QStringView vzor, QStringView druh,
                          double Prom_X, double Prom_Y, double Prom_Z)
{
    if (druh.isEmpty())
        return Rovnake_cleny(vstup, vzor);
    if (druh != u"LP" || !Ma_operand(Bez_medzier(vstup)) || !Ma_operand(Bez_medzier(vzor)))
        return false;
    const auto a = Prevedeni_vstupu_na_vysledek(vypocet, vzor, Prom_X, Prom_Y, Prom_Z);
    const auto b = Prevedeni_vstupu_na_vysledek(vypocet, vstup, Prom_X, Prom_Y, Prom_Z);
    return a && b && *a == *b;
}
