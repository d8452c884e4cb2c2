// Answer judgement and the text conversions over random pupil lines.
// Byte 0 picks the check (terms, value, conversions, terms of a line with
// two pieces of it swapped), byte 1 the value of x; the rest are two lines
// split at the first 0xFF, each byte one character of the alphabet below
// (for the swap, the second line's first three bytes say where the pieces lie).
#include "expr/EEvaluator.h"
#include "expr/Vyhodnoceni_vysledku.h"
#include "expr/Zapis_vyrazu.h"
#include "tests/expr/Rovnake_hodnoty.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// What answer cells and templates hold, and the evaluator's words that need
// no random numbers (no "D", so no RND).
const QString Abeceda = QString::fromUtf8(
    "0123456789xyzXYZ+-*/\\%^()<>=&#·,. ?~|!SQRINEP"
    "\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u00AC\u2212");

QString Riadok(const uint8_t *data, size_t size)
{
    QString s;
    for (size_t i = 0; i < size; ++i)
        s += Abeceda[data[i] % Abeceda.size()];
    return s;
}

void Over(bool podmienka)
{
    if (!podmienka)
        std::abort();
}

// The line with its pieces [a, b) and [b, c) in the other order; a, b, c
// from three bytes.
QString Prehodene(const QString &riadok, const uint8_t *miesta, size_t pocet)
{
    const qsizetype n = riadok.size() + 1;
    qsizetype m[3] = {};
    for (size_t i = 0; i < 3 && i < pocet; ++i)
        m[i] = miesta[i] % n;
    std::sort(std::begin(m), std::end(m));
    return riadok.left(m[0]) + riadok.mid(m[1], m[2] - m[1]) + riadok.mid(m[0], m[1] - m[0]) + riadok.mid(m[2]);
}

// Lines equal by their terms have one value, and the judgement is symmetric.
void Over_cleny(cEEvaluator &vypocet, const QString &vstup, const QString &vzor)
{
    const bool rovnake = Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"");
    Over(rovnake == Vyhodnoceni_vysledku(vypocet, vzor, vstup, u""));
    Over(!rovnake || hodnoty::Hodnoty_sedia(vypocet, vstup, vzor));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    static cEEvaluator vypocet;
    const int kontrola = data[0] % 4;
    const double x = double(int8_t(data[1])) / 4;
    const uint8_t *zaciatok = data + 2, *koniec = data + size;
    const uint8_t *delenie = std::find(zaciatok, koniec, uint8_t(0xFF));
    const QString vstup = Riadok(zaciatok, size_t(delenie - zaciatok));
    const QString vzor = delenie == koniec ? QString() : Riadok(delenie + 1, size_t(koniec - delenie - 1));

    if (kontrola == 0) {
        Over(Vyhodnoceni_vysledku(vypocet, vstup, vstup, u"") == !Tvar_clenov(vstup).isEmpty());
        Over_cleny(vypocet, vstup, vzor);
    } else if (kontrola == 3) {
        const uint8_t *miesta = delenie == koniec ? koniec : delenie + 1;
        Over_cleny(vypocet, vstup, Prehodene(vstup, miesta, size_t(koniec - miesta)));
    } else if (kontrola == 1) {
        const bool spravne = Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"LP", x, -x, 1);
        Over(spravne == Vyhodnoceni_vysledku(vypocet, vzor, vstup, u"LP", x, -x, 1));
        Over(!Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"lp", x));
        // In x alone too, whichever line is the pupil's.
        Over(Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"LP", x)
             == Vyhodnoceni_vysledku(vypocet, vzor, vstup, u"LP", x));
        // A dot beside nothing leaves no value, whatever the line it garbles.
        for (const QString &zly : {QStringLiteral("·") + vstup, vstup + QStringLiteral("·"),
                                   QStringLiteral("(·") + vstup + QStringLiteral(")")})
            Over(!Vyhodnoceni_vysledku(vypocet, zly, vzor, u"LP", x, -x, 1));
    } else {
        const QString zobrazene = Preved_na_zobrazeni(vstup);
        Over(!zobrazene.contains(u'*') && !zobrazene.contains(u'.') && !zobrazene.contains(u'^'));
        Over(Uprav_znamenka(zobrazene).size() <= zobrazene.size());
        Over(Zjednodus_zapis(zobrazene, true).size() <= zobrazene.size());
        (void)Vypocitej_exponenty(vzor, vypocet);
    }
    return 0;
}
