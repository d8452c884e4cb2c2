// Sample worksheets of the equations and the inequality (tasks 16 to 18),
// one page each, build/print/pracovny_list_NN.pdf and _1.png: row 1 of the
// answer sheet filled by hand for every example, in all the shapes the
// blocks lay out.
#include "Rovnice_support.h"
#include "Ukazka_support.h"

using namespace Misc;
using ukazka::Z;

namespace {

struct Priklad {
    bool zlomek;
    const char *znamienko;
    rovnice_test::Popisy popisy;
};

struct Ukazka {
    const char *uloha, *nazov, *zadanie;
    QList<Priklad> priklady;
};

const QList<Ukazka> &Ukazky()
{
    static const QList<Ukazka> u{
        {"16", "Rovnice so zlomkami",
         "Vyrieš rovnicu so zlomkami. Najprv ju vynásob spoločným menovateľom, potom rieš po krokoch.",
         {{false, "", {{"TZ1(1)", Z("3*(x-2)+4")}, {"TZR(1)", "="}, {"TZ3(1)", Z("2*x+5")}}},
          {true, "", {{"TZ1(1)", "x"}, {"TZ1(2)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "1"}, {"TZ3(1)", "x"},
                      {"TZ3(2)", "3"}, {"TR3(1)", "-"}, {"TZ4(1)", "5"}, {"TZ4(2)", "6"}}},
          {true, "", {{"TZ1(1)", Z("2*x+3")}, {"TZ1(2)", "4"}, {"TZ3(1)", Z("x-1")}, {"TZ3(2)", "2"}}},
          {true, "", {{"TZ1(1)", "3x"}, {"TR2(1)", "-"}, {"TZ2(1)", "x"}, {"TZ2(2)", "5"}, {"TZ3(1)", "14"}}},
          {false, "", {{"TZ1(1)", Z("x^(2)-4*x")}, {"TZR(1)", "="}, {"TZ3(1)", Z("(x+2)^(2)")}}}}},
        {"17", "Rovnice s podmienkami",
         "Urč podmienky, vyrieš rovnicu a over, či koreň podmienky spĺňa.",
         {{true, "", {{"TZ1(1)", "1"}, {"TZ1(2)", "x"}, {"TR2(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", Z("x-1")},
                      {"TR3(1)", "-"}, {"TZ3(1)", "3"}, {"TZ3(2)", Z("x+1")}, {"TZ4(1)", "4"}, {"TZ4(2)", "x"},
                      {"TR4(1)", "+"}, {"TZ5(1)", "5"}, {"TZ5(2)", "2x"}}},
          {true, "", {{"TZ1(1)", "3"}, {"TZ1(2)", Z("x-2")}, {"TZ4(1)", "5"}, {"TZ4(2)", Z("x+2")}}},
          {true, "", {{"TZ1(1)", "x"}, {"TZ1(2)", Z("x-3")}, {"TR2(1)", "-"}, {"TZ2(1)", "2"}, {"TZ4(1)", "1"}}},
          {true, "", {{"TZ1(1)", Z("2*x")}, {"TZ1(2)", Z("x+4")}, {"TZ4(1)", "1"}, {"TR4(1)", "+"},
                      {"TZ5(1)", "3"}, {"TZ5(2)", Z("x+4")}}},
          {true, "", {{"TZ1(1)", "6"}, {"TZ1(2)", Z("x^(2)-1")}, {"TR2(1)", "+"}, {"TZ2(1)", "1"},
                      {"TZ2(2)", Z("x+1")}, {"TZ4(1)", "2"}, {"TZ4(2)", Z("x-1")}}}}},
        {"18", "Lineárne nerovnice",
         "Vyrieš nerovnicu. Keď násobíš alebo delíš záporným číslom, otoč znak nerovnosti.",
         {{false, ">", {{"TZ1(1)", Z("2*x-3")}, {"TZ3(1)", "5"}}},
          {true, "<", {{"TZ1(1)", "x"}, {"TZ1(2)", "4"}, {"TR2(1)", "-"}, {"TZ2(1)", "1"}, {"TZ3(1)", "x"},
                       {"TZ3(2)", "3"}, {"TR3(1)", "+"}, {"TZ4(1)", "3"}, {"TZ4(2)", "2"}}},
          {true, ">", {{"TZ1(1)", Z("3*x-1")}, {"TZ1(2)", "5"}, {"TZ3(1)", Z("x+2")}}},
          {false, "<", {{"TZ1(1)", Z("4*(x+1)")}, {"TZ3(1)", Z("7*x-2")}}},
          {true, ">", {{"TZ1(1)", Z("5*x")}, {"TR2(1)", "-"}, {"TZ2(1)", "x"}, {"TZ2(2)", "2"}, {"TZ3(1)", "9"}}}}},
    };
    return u;
}

TEST(Ukazka, SampleWorksheetsOfTheEquationsToPdfAndPng)
{
    for (const Ukazka &u : Ukazky()) {
        SCOPED_TRACE(u.uloha);
        ukazka::Uloz(QStringLiteral("pracovny_list_%1").arg(QLatin1String(u.uloha)), 1, [&u] {
            const qint16 Y = ukazka::Vytlac_ramec("Rovnice a nerovnice", u.nazov, u.zadanie, 1);
            const Blok_rovnice blok = Blok_rovnice_pre_ulohu(QLatin1String(u.uloha));
            for (int s = 1; s <= u.priklady.size(); ++s) {
                const Priklad &p = u.priklady[s - 1];
                const auto f = rovnice_test::Riadok_1(u.uloha, p.zlomek, QString::fromLatin1(p.znamienko), p.popisy);
                blok(*f, s, s, Y);
            }
            platform::services().printer().NewPage();
        });
    }
}

} // namespace
