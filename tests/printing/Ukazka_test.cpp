// Sample pages of the example blocks, build/print/pracovny_list_NN.pdf and
// _1.png: the examples of tasks 1 to 15 are made up here, in the displayed
// form the generators give their captions; tasks 16 to 18 read theirs from
// row 1 of the answer sheet, in all the shapes their blocks lay out.
#include "Rovnice_support.h"
#include "Ukazka_support.h"

using namespace Misc;
using ukazka::Z;

namespace {

struct Ukazka {
    const char *uloha, *skupina, *nazov, *zadanie;
    QList<rovnice_test::Popisy> priklady; // none for tasks 16 to 18: theirs are the shared rows
};

const QList<Ukazka> &Ukazky()
{
    static const QList<Ukazka> u{
        {"2", "Číselné výrazy", "Desatinné čísla",
         "Vypočítaj hodnotu každého výrazu. Desatinné čísla píš s desatinnou čiarkou, napríklad 2,5. Dodrž "
         "poradie počtových operácií: najprv zátvorky, potom mocniny, násobenie a delenie, nakoniec sčítanie "
         "a odčítanie.",
         {{{"TZ1(1)", Z("2.5+3*(1.2-0.4)")}},
          {{"TZ1(1)", Z("(-3)^(2)-4*0.75")}},
          {{"TZ1(1)", Z("(4.5-6)*(-2)+10^(2)/25")}}}},
        {"13", "Lomené výrazy", "Sčítanie a odčítanie",
         "Sčítaj alebo odčítaj lomené výrazy. Výsledok zapíš ako jeden zlomok v základnom tvare.",
         {{{"TZ1(1)", Z("3*x")}, {"TZ1(2)", Z("x^(2)-1")}, {"TZR(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", Z("x+1")}},
          {{"TZ1(1)", "5"}, {"TZ1(2)", Z("2*y^(3)")}, {"TZR(1)", "+"}, {"TZ2(1)", "7"}, {"TZ2(2)", Z("4*y^(2)")}}}},
        {"15", "Rovnice a nerovnice", "Lineárne rovnice",
         "Vyrieš rovnicu. Zapisuj jednotlivé kroky riešenia, na koniec napíš koreň x.",
         {{{"TZ1(1)", Z("3*(x-2)+4")}, {"TZR(1)", "="}, {"TZ2(1)", Z("2*x+5")}}}},
        {"16", "Rovnice a nerovnice", "Rovnice so zlomkami",
         "Vyrieš rovnicu so zlomkami. Najprv ju vynásob spoločným menovateľom, potom rieš po krokoch.", {}},
        {"17", "Rovnice a nerovnice", "Rovnice s podmienkami",
         "Urč podmienky, vyrieš rovnicu a over, či koreň podmienky spĺňa.", {}},
        {"18", "Rovnice a nerovnice", "Lineárne nerovnice",
         "Vyrieš nerovnicu. Keď násobíš alebo delíš záporným číslom, otoč znak nerovnosti.", {}},
    };
    return u;
}

// A page as the worksheet driver prints it, with the captions above.
void Vytlac_stranu(const Ukazka &u)
{
    const qint16 Y = ukazka::Vytlac_ramec(u.skupina, u.nazov, u.zadanie, 1);
    const QString uloha = QLatin1String(u.uloha);
    Cislo_tisteneho_prikladu = 1;
    int s = 0;
    for (const rovnice_test::Popisy &popisy : u.priklady) {
        ++s;
        Vytiskni_blok(*Blok_pre_ulohu(uloha), s, s, Y, [&popisy](Harok::Pole pole, int i) {
            const QString meno = QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(pole))).arg(i);
            for (const auto &[m, text] : popisy)
                if (meno == QLatin1String(m))
                    return text;
            return QString();
        });
    }
    for (const rovnice_test::Priklad &p : rovnice_test::priklady) {
        if (uloha != QLatin1String(p.uloha))
            continue;
        const auto f = rovnice_test::Riadok_1(p.uloha, p.zlomek, QString::fromLatin1(p.znamienko), p.popisy);
        ++s;
        Blok_rovnice_pre_ulohu(uloha)(*f, s, s, Y);
    }
    platform::services().printer().NewPage();
}

TEST(Ukazka, SamplePagesToPdfAndPng)
{
    for (const Ukazka &u : Ukazky()) {
        SCOPED_TRACE(u.uloha);
        ukazka::Uloz(QStringLiteral("pracovny_list_%1").arg(QLatin1String(u.uloha)), 1, [&u] { Vytlac_stranu(u); });
    }
}

} // namespace
