// Task 18: inequalities from the shipped templates hold on the side of the
// boundary that the result cells expect, and fail on the other; the sign
// images start unchosen; the result cells expect the boundary in one form.
#include "Stupne_support.h"

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad18 = Obrazovka;

bool Vztah(double l, const QString &znamienko, double p) { return znamienko == u">" ? l > p : l < p; }

// The line `lava znamienko prava` has the solution set "x vysledok b": it
// is an equality at b, holds a little on the solution's side and fails a
// little on the other.
QString Ma_riesenie(cEEvaluator &vypocet, const QString &lava, const QString &znamienko, const QString &prava,
                    const QString &vysledok, double b)
{
    const QString riadok = lava + ' ' + znamienko + ' ' + prava;
    if (znamienko != u">" && znamienko != u"<")
        return riadok + QStringLiteral(": no relation sign");
    if (const QString chyba = Plati(vypocet, lava, prava, b); !chyba.isEmpty())
        return QStringLiteral("boundary: ") + chyba;
    const double smer = vysledok == u">" ? 1 : -1;
    for (double krok : {0.01, 1.0}) {
        for (bool v_rieseni : {true, false}) {
            const double x = b + (v_rieseni ? smer : -smer) * krok;
            const auto l = Prevedeni_vstupu_na_vysledek(vypocet, lava, x, 0, 0);
            const auto p = Prevedeni_vstupu_na_vysledek(vypocet, prava, x, 0, 0);
            if (!l || !p || Vztah(*l, znamienko, *p) != v_rieseni)
                return QStringLiteral("%1 at x = %2 %3").arg(riadok, FormatNumber(x),
                                                            v_rieseni ? "fails" : "holds");
        }
    }
    return {};
}

TEST_F(Priklad18, ShippedTemplatesGiveSolvedInequalitiesOfBothKinds)
{
    Hra &h = Nacitaj("18", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 10);
    int zlomky = 0, cele = 0;
    const auto vzory = Kazda_obrazovka(h, [&](int t) {
        const auto [lava, prava] = h.Je_zlomek ? std::pair{Strana(h.TZ1, {{h.TR2(1), &h.TZ2}}),
                                                           Strana(h.TZ3, {{h.TR3(1), &h.TZ4}})}
                                               : std::pair{h.Leva_strana[1], h.Prava_strana[1]};
        const QString zadanie = h.IZnam(1)->Tag, vysledok = h.TZR(6)->Caption;
        SCOPED_TRACE(QStringLiteral("%1 %2 %3, x %4 %5").arg(lava, zadanie, prava, vysledok).arg(QString::fromStdString(Vysledne_tagy(h, 6))).toStdString());
        EXPECT_EQ(h.Je_zlomek, Misc::Vzory[t].Druh() == u"zlomek");
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 6, 7, 8);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        EXPECT_EQ(h.TZR(7)->Caption(), vysledok);
        EXPECT_EQ(Ma_riesenie(h.Evaluator_formulara(), lava, zadanie, prava, vysledok, *r.x), QString());
        for (int riadok = 1; riadok <= 50; ++riadok) {
            const QString &l = h.Vysledek_prikladu(riadok, 1), &p = h.Vysledek_prikladu(riadok, 2);
            if (!l.isEmpty()) {
                EXPECT_EQ(Ma_riesenie(h.Evaluator_formulara(), l, h.Vysledek_prikladu(riadok, 3), p, vysledok, *r.x),
                          QString())
                    << "stage " << riadok;
            }
        }
        if (t == 6 || t == 9 || t == 10) {
            const int p = int(t == 6 ? h.Par_A : h.Par_C), q = int(t == 6 ? h.Par_B : t == 9 ? h.Par_E : h.Par_F);
            EXPECT_EQ(h.Par_K, std::gcd(p, q));
        }
        EXPECT_FALSE(h.IZnam(1)->Enabled) << "the given sign is not the pupil's";
        zlomky += h.Je_zlomek;
        cele += !h.TV1(6)->Tag().isEmpty();
    });
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
    EXPECT_GT(zlomky, 1000);
    EXPECT_GT(cele, 500);
    EXPECT_LT(cele, 4500) << "fractional boundaries too";
}

// Row 1 shows the given sign as a fixed picture; a stage is split at its
// first ">", or else at its first "<"; the result row takes the last stage
// with x on the left.
TEST_F(Priklad18, SignsOfRowOneStagesAndResult)
{
    Hra &h = Nacitaj("18", 0, 5);
    const struct {
        const char *meno, *riadok, *ocakavane; // row 1's sign | stage 1 left | sign | right | result row
        int obrazok;
    } Riadky[] = {
        {"formula, less than", "vzorec$Ax+B<$C#Ax<@C-B#x<@C-B@/@A", "<|2x|<|-1|< < ||-1|2", 4},
        {"formula, greater than", "vzorec$Ax+B>$C#Ax>@C-B#x>@C-B@/@A", ">|2x|>|-1|> > ||-1|2", 3},
        {"fractions, greater than", "zlomek$x/A$$$>$B#x>@A*B", ">|x|>|6|> > |6||", 6},
        {"fractions, less than", "zlomek$x/A$-$1$<$B#x<@A*(B+1)", "<|x|<|8|< < |8||", 7},
        {"both signs: the first greater than", "vzorec$x>$1#1<x>@0#x>@1", ">|1<x|>|0|> > |1||", 3},
        {"a sign after text, shown in row 1", "vzorec$x>$1#x-@A*B@<2x#x>@1", "<|x-6|<|2x|> > |1||", 4},
        {"the last row with x on the left", "vzorec$x>$1#x>@4#2x>@6#x>@5", ">|x|>|4|> > |5||", 3},
    };
    for (const auto &r : Riadky) {
        Vzory("18", {QString::fromUtf8(r.riadok)});
        platform::FakeRandom nahoda({0.0f, 0.0f, 0.25f}); // A = 2, B = 3
        platform::ScopedService<platform::RandomSource> g(nahoda);
        h.Vygeneruj_priklad_18(false);
        platform::Image *z = h.IZnam(1);
        const QString stav = QStringList{z->Tag, h.Vysledek_prikladu(1, 1), h.Vysledek_prikladu(1, 3),
                                         h.Vysledek_prikladu(1, 2), h.TZR(6)->Caption() + ' ' + h.TZR(7)->Caption() + ' '}
                                 .join('|');
        EXPECT_EQ(stav.toStdString() + '|' + Vysledne_tagy(h, 6), r.ocakavane) << r.meno;
        EXPECT_EQ(z->Picture().image(), h.Obr_znamenka[size_t(r.obrazok)].image()) << r.meno;
        EXPECT_TRUE(z->Visible && !z->Enabled && !h.TZR(1)->Visible) << r.meno;
        EXPECT_EQ(h.TV3(1)->Visible, h.Je_zlomek) << r.meno << ": the first step asked for in row 1";
    }
}

// Whatever the pupil chose on the example before, no stage has a sign yet.
TEST_F(Priklad18, SignImagesStartUnchosen)
{
    Hra &h = Nacitaj("18", 0, 5);
    for (int k = 2; k <= 7; ++k) {
        h.IZnam(k)->Tag = QStringLiteral(">");
        h.IZnam(k)->Enabled = false;
    }
    h.Vygeneruj_priklad_18(false);
    for (int k = 2; k <= 7; ++k) {
        EXPECT_EQ(h.IZnam(k)->Tag(), "?") << k;
        EXPECT_TRUE(h.IZnam(k)->Enabled && h.IZnam(k)->Visible) << k;
    }
}

} // namespace
