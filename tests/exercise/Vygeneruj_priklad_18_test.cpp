// Task 18: inequalities from the shipped templates hold on the side of the
// boundary that the result cells expect, and fail on the other; the sign
// images start unchosen; the result cells expect the boundary in one form.
#include "Stupne_support.h"
#include "exercise/Gramatika_vzoru.h"
#include "exercise/Nacti_priklady.h"
#include "platform/Fonts.h"

#include <set>

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
    std::set<int> vzory;
    int zlomky = 0, cele = 0;
    for (quint32 seed = 1; seed <= 400; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_18(false);
        const int t = Misc::Vybrany_vzor[1];
        const auto [lava, prava] = h.Je_zlomek ? std::pair{Strana(h.TZ1, {{h.TR2(1), &h.TZ2}}),
                                                           Strana(h.TZ3, {{h.TR3(1), &h.TZ4}})}
                                               : std::pair{h.Leva_strana[1], h.Prava_strana[1]};
        const QString zadanie = h.IZnam(1)->Tag, vysledok = h.TZR(6)->Caption;
        SCOPED_TRACE(QStringLiteral("seed %1, template %2: %3 %4 %5, x %6 %7%8/%9")
                         .arg(seed).arg(t).arg(lava, zadanie, prava, vysledok, h.TV1(6)->Tag(), h.TV1(7)->Tag(),
                                               h.TV1(8)->Tag())
                         .toStdString());
        vzory.insert(t);
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
        EXPECT_EQ(h.Faze_kontroly, 1);
        zlomky += h.Je_zlomek;
        cele += !h.TV1(6)->Tag().isEmpty();
    }
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
    EXPECT_GT(zlomky, 80);
    EXPECT_GT(cele, 40);
    EXPECT_LT(cele, 360) << "fractional boundaries too";
}

// Row 1 shows the given sign as a fixed picture, one line or two.
TEST_F(Priklad18, SignOfRowOneByKind)
{
    Hra &h = Nacitaj("18", 0, 5);
    const struct {
        const char *meno, *riadok, *znamienko;
        int obrazok, nad_riadkom;
    } Riadky[] = {
        {"formula, less than", "vzorec$Ax+B<$C#Ax<@C-B#x<@C-B@/@A", "<", 4, 5},
        {"formula, greater than", "vzorec$Ax+B>$C#Ax>@C-B#x>@C-B@/@A", ">", 3, 5},
        {"fractions, greater than", "zlomek$x/A$$$>$B#x>@A*B", ">", 6, 16},
        {"fractions, less than", "zlomek$x/A$-$1$<$B#x<@A*(B+1)", "<", 7, 16},
    };
    for (const auto &r : Riadky) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[18]"), QString::fromUtf8(r.riadok)}, "18", 0).vzory;
        Randomize_seed(7);
        h.Vygeneruj_priklad_18(false);
        platform::Image *z = h.IZnam(1);
        EXPECT_EQ(z->Tag(), r.znamienko) << r.meno;
        EXPECT_EQ(z->Picture().image(), h.Obr_znamenka[size_t(r.obrazok)].image()) << r.meno;
        EXPECT_TRUE(z->Visible && !z->Enabled) << r.meno;
        EXPECT_EQ(z->Top, h.TZR(1)->Top - r.nad_riadkom) << r.meno;
        EXPECT_FALSE(h.TZR(1)->Visible) << r.meno;
        EXPECT_EQ(h.TV3(1)->Visible, h.Je_zlomek) << r.meno << ": the first step asked for in row 1";
    }
}

// A stage is split at its first ">", or else at its first "<".
TEST_F(Priklad18, StagesSplitAtTheirRelationSign)
{
    Hra &h = Nacitaj("18", 0, 5);
    const struct {
        const char *meno, *riadok, *ocakavane; // left | sign | right of stage 1
    } Riadky[] = {
        {"greater than", "vzorec$x>$1#2x>@3-5#x>@1", "2x|>|-2"},
        {"less than", "vzorec$x<$1#2x<@3*4#x<@1", "2x|<|12"},
        {"both signs: the first greater than", "vzorec$x>$1#1<x>@0#x>@1", "1<x|>|0"},
        {"a sign after text", "vzorec$x>$1#x-@A*B@<2x#x>@1", "x-6|<|2x"},
    };
    for (const auto &r : Riadky) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[18]"), QString::fromUtf8(r.riadok)}, "18", 0).vzory;
        platform::FakeRandom nahoda({0.0f, 0.0f, 0.25f}); // A = 2, B = 3
        platform::ScopedService<platform::RandomSource> g(nahoda);
        h.Vygeneruj_priklad_18(false);
        const QString stav =
            h.Vysledek_prikladu(1, 1) + '|' + h.Vysledek_prikladu(1, 3) + '|' + h.Vysledek_prikladu(1, 2);
        EXPECT_EQ(stav.toStdString(), r.ocakavane) << r.meno;
    }
}

// The result row: its sign for both forms, the boundary in one of them.
TEST_F(Priklad18, ResultCells)
{
    Hra &h = Nacitaj("18", 0, 5);
    const struct {
        const char *meno, *riadok, *ocakavane; // TZR(6) TZR(7) | TV1(6) | TV1(7) | TV1(8)
    } Riadky[] = {
        {"whole quotient", "vzorec$x>$1#x>@6@/@3", "> > |2||"},
        {"reduced fraction", "vzorec$x<$1#x<@6@/@4", "< < ||3|2"},
        {"zero numerator", "vzorec$x>$1#x>@0@/@5", "> > |0||"},
        {"negative numerator", "vzorec$x<$1#x<@-6@/@4", "< < ||-3|2"},
        {"negative denominator", "vzorec$x<$1#x<@6@/@-4", "< < ||3|-2"},
        {"both negative", "vzorec$x<$1#x<@-6@/@-4", "< < ||3|2"},
        {"no fraction", "vzorec$x>$1#x>@4", "> > |4||"},
        {"the last row with x on the left", "vzorec$x>$1#x>@4#2x>@6#x>@5", "> > |5||"},
    };
    for (const auto &r : Riadky) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[18]"), QString::fromUtf8(r.riadok)}, "18", 0).vzory;
        h.Vygeneruj_priklad_18(false);
        const QString stav = QStringLiteral("%1 %2 |%3|%4|%5")
                                 .arg(h.TZR(6)->Caption(), h.TZR(7)->Caption(), h.TV1(6)->Tag(), h.TV1(7)->Tag(),
                                      h.TV1(8)->Tag());
        EXPECT_EQ(stav.toStdString(), r.ocakavane) << r.meno;
    }
    EXPECT_EQ((h.TZ1(6)->Tag() + '|' + h.TZ1(7)->Tag() + '|' + h.IHod(1)->Tag()).toStdString(),
              "check|check_zlomek|check");
    EXPECT_EQ(h.TZ1(6)->Caption(), "x");
    EXPECT_EQ(h.IZnam(6)->Picture().image(), h.Obr_znamenka[2].image());
    EXPECT_EQ(h.IZnam(7)->Picture().image(), h.Obr_znamenka[5].image());
    EXPECT_EQ(h.TV1(6)->Left, h.IZnam(6)->Left + h.IZnam(6)->Width) << "the cell after the sign";
    EXPECT_EQ(h.IZnam(6)->Left, h.TZ1(6)->Left + h.TZ1(6)->Width);
    EXPECT_EQ(h.TZ1(7)->Left, h.TZ1(6)->Left + 300);
    EXPECT_EQ(h.TV1(7)->Left, h.IZnam(7)->Left + h.IZnam(7)->Width);
    EXPECT_EQ(QStringLiteral("%1 %2").arg(h.TV1(7)->Top - h.TZ1(7)->Top).arg(h.TV1(8)->Top - h.TZ1(7)->Top), "-10 11");
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
    for (int k = 2; k <= 5; ++k) {
        EXPECT_FALSE(h.TZR(k)->Visible) << k << ": the sign image stands for the label";
        EXPECT_EQ(h.IZnam(k)->Top, h.TZR(k)->Top - 5) << k;
        EXPECT_TRUE(h.TV1(k)->Visible && h.TV2(k)->Visible && h.TV3(k)->Visible) << k;
    }
}

// Templates that can give no example end in a message, never in a loop
// without end; a boundary over 0 is no example.
TEST_F(Priklad18, TemplatesThatGiveNoExampleEndInAMessage)
{
    Hra &h = Nacitaj("18", 0, 5);
    for (const char *riadok : {"Vzorec$x>$1#x>@1", "vzorec$x>$1#x>@1@/@0", "vzorec$x>$1#x>@A@/@(A-A)",
                               "zlomek$x/A$$$>$1#x>@A/#"}) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[18]"), QString::fromUtf8(riadok)}, "18", 0).vzory;
        const int pred = int(box.AskedBoxes().size());
        h.TV1(6)->Tag = QStringLiteral("7");
        h.Vygeneruj_priklad_18(false);
        EXPECT_EQ(int(box.AskedBoxes().size()), pred + 1) << riadok;
        EXPECT_EQ(h.TV1(6)->Tag() + h.TV1(7)->Tag() + h.TV1(8)->Tag(), QString()) << riadok;
    }
}

TEST_F(Priklad18, PictureOfAGeneratedSheet)
{
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    Hra &h = Nacitaj("18", 0, 5);
    for (quint32 seed = 1; seed < 100; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_18(false);
        if (Misc::Vybrany_vzor[1] == 9)
            break;
    }
    Uloz_obrazok(h, QStringLiteral("harok_18_priklad.png"));
}

} // namespace
