// Answer judgement and the text conversions over random pupil lines.
// Byte 0 picks the check (terms, value, conversions), byte 1 the value of x;
// the rest are two lines split at the first 0xFF, each byte one character of
// the alphabet below.
#include "expr/EEvaluator.h"
#include "expr/Vyhodnoceni_vysledku.h"
#include "expr/Zapis_vyrazu.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

// What answer cells and templates hold, and the evaluator's words that need
// no random numbers (no "D", so no RND).
const QString Abeceda = QString::fromUtf8(
    "0123456789xyzXYZ+-*/\\%^()<>=&#·,. ?~|!SQRINEP"
    "\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9\u00AC");

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    static cEEvaluator vypocet;
    const int kontrola = data[0] % 3;
    const double x = double(int8_t(data[1])) / 4;
    const uint8_t *zaciatok = data + 2, *koniec = data + size;
    const uint8_t *delenie = std::find(zaciatok, koniec, uint8_t(0xFF));
    const QString vstup = Riadok(zaciatok, size_t(delenie - zaciatok));
    const QString vzor = delenie == koniec ? QString() : Riadok(delenie + 1, size_t(koniec - delenie - 1));

    if (kontrola == 0) {
        Over(Vyhodnoceni_vysledku(vypocet, vstup, vstup, u"") == !Tvar_clenov(vstup).isEmpty());
        Over(Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"") == Vyhodnoceni_vysledku(vypocet, vzor, vstup, u""));
    } else if (kontrola == 1) {
        const bool spravne = Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"LP", x, -x, 1);
        Over(spravne == Vyhodnoceni_vysledku(vypocet, vzor, vstup, u"LP", x, -x, 1));
        Over(!Vyhodnoceni_vysledku(vypocet, vstup, vzor, u"lp", x));
    } else {
        const QString zobrazene = Preved_na_zobrazeni(vstup);
        Over(!zobrazene.contains(u'*') && !zobrazene.contains(u'.') && !zobrazene.contains(u'^'));
        Over(Uprav_znamenka(zobrazene).size() <= zobrazene.size());
        Over(Zjednodus_zapis(zobrazene, true).size() <= zobrazene.size());
        (void)Vypocitej_exponenty(vzor, vypocet);
    }
    return 0;
}
