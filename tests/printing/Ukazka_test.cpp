// Sample pages of the blocks of tasks 1 to 15, build/print/pracovny_list_ukazka.*:
// the examples are made up here, in the displayed form the generators give
// their captions.
#include "Ukazka_support.h"

using namespace Misc;
using ukazka::Z;

namespace {

// One sample page: the task whose block prints it, and the captions of the
// labels of each example.
struct Ukazka {
    const char *uloha;
    const char *skupina, *nazov, *zadanie;
    QList<QMap<QString, QString>> priklady; // "TZ1(1)" -> caption
};

QList<Ukazka> Ukazky()
{
    return {
        {"2", "Číselné výrazy", "Desatinné čísla",
         "Vypočítaj hodnotu každého výrazu. Desatinné čísla píš s desatinnou čiarkou, napríklad 2,5. Dodrž "
         "poradie počtových operácií: najprv zátvorky, potom mocniny, násobenie a delenie, nakoniec sčítanie "
         "a odčítanie.",
         {{{"TZ1(1)", Z("2.5+3*(1.2-0.4)")}},
          {{"TZ1(1)", Z("(-3)^(2)-4*0.75")}},
          {{"TZ1(1)", Z("12.6/(2.1*3)+1.5^(2)")}},
          {{"TZ1(1)", Z("0.2^(3)*1000-7")}},
          {{"TZ1(1)", Z("(4.5-6)*(-2)+10^(2)/25")}}}},
        {"13", "Lomené výrazy", "Sčítanie a odčítanie",
         "Sčítaj alebo odčítaj lomené výrazy. Výsledok zapíš ako jeden zlomok v základnom tvare.",
         {{{"TZ1(1)", Z("3*x")}, {"TZ1(2)", Z("x^(2)-1")}, {"TZR(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", Z("x+1")}},
          {{"TZ1(1)", Z("a+b")}, {"TZ1(2)", Z("a*b")}, {"TZR(1)", "-"}, {"TZ2(1)", "1"}, {"TZ2(2)", "b"}},
          {{"TZ1(1)", "5"}, {"TZ1(2)", Z("2*y^(3)")}, {"TZR(1)", "+"}, {"TZ2(1)", "7"}, {"TZ2(2)", Z("4*y^(2)")}}}},
        {"15", "Rovnice a nerovnice", "Lineárne rovnice",
         "Vyrieš rovnicu. Zapisuj jednotlivé kroky riešenia, na koniec napíš koreň x.",
         {{{"TZ1(1)", Z("3*(x-2)+4")}, {"TZR(1)", "="}, {"TZ2(1)", Z("2*x+5")}},
          {{"TZ1(1)", Z("5*x-7")}, {"TZR(1)", "="}, {"TZ2(1)", Z("3*(x+1)")}}}},
    };
}

// A page as the worksheet driver prints it, with the captions above.
void Vytlac_stranu(const Ukazka &u, int strana)
{
    const qint16 Y = ukazka::Vytlac_ramec(u.skupina, u.nazov, u.zadanie, strana);
    const Blok_ulohy &blok = *Blok_pre_ulohu(QLatin1String(u.uloha));
    Cislo_tisteneho_prikladu = 1;
    for (int s = 1; s <= u.priklady.size(); ++s) {
        const auto &popisky = u.priklady[s - 1];
        Vytiskni_blok(blok, s, s, Y, [&popisky](Harok::Pole pole, int i) {
            return popisky.value(QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(pole))).arg(i));
        });
    }
    platform::services().printer().NewPage();
}

TEST(Ukazka, SamplePagesToPdfAndPng)
{
    const QList<Ukazka> ukazky = Ukazky();
    ukazka::Uloz(QStringLiteral("pracovny_list_ukazka"), int(ukazky.size()), [&ukazky] {
        for (int i = 0; i < ukazky.size(); ++i)
            Vytlac_stranu(ukazky[i], i + 1);
    });
}

} // namespace
