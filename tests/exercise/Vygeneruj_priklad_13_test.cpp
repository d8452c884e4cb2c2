// The generators of tasks 13 and 14 with the shipped templates: whole series
// with fixed seeds, each expected fraction checked against its assignment
// through the engine and for lowest terms; templates that cannot give an
// example.
#include "Generatory_support.h"
#include "expr/Nsd.h"

#include <QRegularExpression>

namespace {

using namespace hra_test;

// The greatest whole number that divides every coefficient of a displayed
// polynomial, written as a sum of terms, each a number times variables,
// powers and bracketed sums.
double Obsah(QStringView text)
{
    double sucet = 0; // gcd of the terms so far; 0 before the first
    int hlbka = 0;
    qsizetype zaciatok = 0;
    for (qsizetype k = 0; k <= text.size(); ++k) {
        const bool koniec = k == text.size();
        if (!koniec && text[k] == u'(')
            ++hlbka;
        else if (!koniec && text[k] == u')')
            --hlbka;
        if (!koniec && (hlbka > 0 || k == 0 || (text[k] != u'+' && text[k] != u'-')))
            continue;
        QStringView clen = text.mid(zaciatok, k - zaciatok);
        zaciatok = k;
        if (clen.startsWith(u'+') || clen.startsWith(u'-'))
            clen = clen.mid(1);
        qsizetype cislic = 0;
        while (cislic < clen.size() && clen[cislic].isDigit())
            ++cislic;
        double c = cislic ? clen.left(cislic).toDouble() : 1;
        for (qsizetype j = cislic, h = 0, od = 0; j < clen.size(); ++j) {
            if (clen[j] == u'(' && h++ == 0)
                od = j + 1;
            else if (clen[j] == u')' && --h == 0)
                c *= Obsah(clen.mid(od, j - od));
        }
        sucet = sucet == 0 ? c : std::abs(Misc::Najdi_NSD(sucet, c));
    }
    return sucet;
}

struct Zlomok {
    QString citatel, menovatel;
    QString Text() const { return citatel + u'/' + menovatel; }
    // As one line for the engine.
    QString Riadok() const { return u'(' + citatel + QStringLiteral(")/(") + menovatel + u')'; }
};

class Zlomky : public Generatory_test<Obrazovka> {
protected:
    // The two given fractions joined by the example's sign, as one line.
    QString Zadanie(Hra &h, int i)
    {
        const int u = 2 * i - 1, l = 2 * i;
        return u'(' + Zlomok{h.TZ1(u)->Caption, h.TZ1(l)->Caption}.Riadok() + u')' + h.TZR(u)->Caption + u'('
               + Zlomok{h.TZ2(u)->Caption, h.TZ2(l)->Caption}.Riadok() + u')';
    }
    // Empty when numerator and denominator share no factor: no whole number
    // above 1 divides both, and neither x, y nor a bracket (x ± c) of the
    // denominator is a factor of the numerator.
    QString Nekratitelny(const Zlomok &z)
    {
        if (const double c = Misc::Najdi_NSD(Obsah(z.citatel), Obsah(z.menovatel)); c != 1)
            return QStringLiteral("common divisor %1").arg(c);
        const QString N = u'(' + z.citatel + u')', D = u'(' + z.menovatel + u')';
        std::vector<std::pair<double, double>> korene{{0, 1.3}, {1.3, 0}};
        static const QRegularExpression zatvorka(QStringLiteral(R"(\(x([+-]\d+)\))"));
        for (auto it = zatvorka.globalMatch(z.menovatel); it.hasNext();)
            korene.push_back({-it.next().captured(1).toDouble(), 1.3});
        for (auto [x, y] : korene)
            if (Hodnota(*hra, D, x, y) == 0.0 && Hodnota(*hra, N, x, y) == 0.0)
                return QStringLiteral("common zero at x=%1, y=%2").arg(x).arg(y);
        return {};
    }
    // What a simplified line never holds: an empty line, a bracketed
    // negative number, a double sign, a factor 1, a zero coefficient, a
    // minus in the denominator.
    static bool Zjednoduseny(const Zlomok &z)
    {
        static const QRegularExpression zle(QStringLiteral(R"(^$|\(-|[+-][+-]|(^|[^0-9])1[xy(]|(^|[^0-9])0)"));
        return !z.citatel.contains(zle) && !z.menovatel.contains(zle) && !z.menovatel.startsWith(u'-');
    }
};

TEST_F(Zlomky, ShippedTemplatesGiveRightFractionsInLowestTerms)
{
    for (const char *uloha : {"13", "14"}) {
        const bool trinast = QByteArray(uloha) == "13";
        int druhych = 0;
        Kazdy_priklad_ulohy(uloha, [&](Hra &h, int i) {
            const int r = 2 * i - 1;
            const QString zadanie = Zadanie(h, i);
            const Zlomok z{h.TV2(r)->Tag, h.TV2(r + 1)->Tag}, druhy{h.TV1(r)->Tag, h.TV1(r + 1)->Tag};
            const QString riadok = zadanie + " = " + z.Text();
            QStringList chyby;
            if (const QString d = Rozdiel(zadanie, z.Riadok()); !d.isEmpty())
                chyby << riadok + ": " + d;
            if (const QString n = Nekratitelny(z); !n.isEmpty())
                chyby << riadok + ": " + n;
            if (!Zjednoduseny(z))
                chyby << riadok + " not simplified";
            if (z.citatel != h.Vysledek_prikladu(1, i) || z.menovatel != h.Vysledek_prikladu(2, i))
                chyby << riadok + " differs from the example table";
            if (h.TZ1(r + 1)->Caption().startsWith(u'-') || h.TZ2(r + 1)->Caption().startsWith(u'-'))
                chyby << zadanie + " shows a minus below";
            if (trinast && !druhy.citatel.isEmpty()) {
                ++druhych;
                if (!Rozdiel(zadanie, druhy.Riadok()).isEmpty() || !Nekratitelny(druhy).isEmpty() || !Zjednoduseny(druhy))
                    chyby << riadok + ", second form " + druhy.Text();
            }
            // Odd templates add or multiply, even ones subtract or divide.
            if (QString(h.TZR(r)->Caption) != QString(trinast ? "+-" : "\u00B7:").at(Misc::Vybrany_vzor[i] % 2 ? 0 : 1))
                chyby << riadok + " has the sign " + h.TZR(r)->Caption;
            return chyby;
        });
        EXPECT_EQ(druhych > Serii, trinast) << "second forms are given in task 13 only";
    }
}

// One template alone: what the first example shows and expects, as
// "sign|numerator|denominator|first column's Tags", or "-" when the template
// cannot give an example.
TEST_F(Zlomky, SingleTemplates)
{
    const struct {
        const char *nazov, *uloha, *sablona, *ocakavane;
    } Riadky[] = {
        {"negative piece unwrapped", "13", "vzorec$1/x~$1/x#0-2#/x", "+|-2|x||"},
        {"factor 1 dropped", "13", "vzorec$1/x~$1/x#1#x+#2-1#/#3-2#y", "+|x+1|y||"},
        {"second result out of range", "13", "vzorec$1/x~$1/x#1/x|1001", "-"},
        {"side without a bar", "13", "vzorec$x~$1/x#1/x", "-"},
        {"result without a bar", "13", "vzorec$1/x~$1/x#2", "-"},
        {"second result without a bar", "13", "vzorec$1/x~$1/x#2/x|2", "-"},
        {"no result at all", "13", "vzorec$1/x~$1/x", "-"},
        {"task 14 multiplies, first column kept", "14", "vzorec$1/x~$1/x#1/x^(2)", "*|1|x^(2)|?|?"},
        {"bar inside a text piece", "14", "vzorec$x^(2)-$2*2$/x~$x/x+2#x-2/x", "*|x-2|x|?|?"},
    };
    for (const auto &r : Riadky) {
        SCOPED_TRACE(r.nazov);
        const QString ziskane = Z_jedneho_vzoru(r.uloha, r.sablona, [](Hra &h) {
            if (!h.TV2(1)->Visible) {
                EXPECT_FALSE(h.TZ2(1)->Visible || h.TZR(1)->Visible || h.TZ1(2)->Visible || !QString(h.TV2(2)->Tag).isEmpty());
                return QStringLiteral("-");
            }
            return QStringList{h.TZR(1)->Caption, h.TV2(1)->Tag, h.TV2(2)->Tag, h.TV1(1)->Tag, h.TV1(2)->Tag}.join(u'|');
        });
        EXPECT_EQ(ziskane, Preved_na_zobrazeni(QString::fromUtf8(r.ocakavane)));
    }
}

} // namespace
