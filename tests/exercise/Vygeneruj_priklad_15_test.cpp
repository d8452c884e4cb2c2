// Task 15: examples from the shipped templates solve their equations, the
// sheet shows the equation and the result cells, a broken template set
// ends with a message instead of a screen that never comes.
#include "Stupne_support.h"
#include "exercise/Nacti_priklady.h"
#include "exercise/Gramatika_vzoru.h"
#include "exercise/generators/Stupne_rovnice.h"
#include "platform/Fonts.h"

#include <set>

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad15 = Obrazovka;

TEST_F(Priklad15, ShippedTemplatesGiveSolvedEquations)
{
    Hra &h = Nacitaj("15", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 8);
    std::set<int> vzory;
    int zlomky = 0;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_15(false);
        const int t = Misc::Vybrany_vzor[1];
        SCOPED_TRACE(QStringLiteral("seed %1, template %2: %3 = %4")
                         .arg(seed).arg(t).arg(h.Leva_strana[1], h.Prava_strana[1]).toStdString());
        vzory.insert(t);
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 5, 6, 7);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        zlomky += !h.TV1(6)->Tag().isEmpty();
        EXPECT_EQ(Plati(h.Evaluator_formulara(), h.Leva_strana[1], h.Prava_strana[1], *r.x), QString());
        EXPECT_EQ(Riadky_platia(h, *r.x), QString());
        EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, *r.x);
        EXPECT_EQ(h.TZ1(1)->Caption() + '=' + h.TZ2(1)->Caption(), h.Leva_strana[1] + '=' + h.Prava_strana[1]);
        EXPECT_EQ(h.Faze_kontroly, 1);
    }
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
    EXPECT_GT(zlomky, 30) << "fractions as well as whole numbers";
    EXPECT_LT(zlomky, 270);
}

TEST_F(Priklad15, SheetShowsEquationWorkingRowsAndBothResultForms)
{
    Hra &h = Nacitaj("15", 0, 5);
    h.TV2(3)->Text = QStringLiteral("staré");
    h.TV2(3)->Locked = true;
    h.TV1(2)->Tag = QStringLiteral("staré");
    h.Vygeneruj_priklad_15(false);

    const auto viditelne = [&](std::initializer_list<platform::Control *> c) {
        QString s;
        for (auto *k : c)
            s += k->Visible ? '1' : '0';
        return s;
    };
    EXPECT_EQ(viditelne({h.TZ1(1), h.TZR(1), h.TZ2(1), h.TV1(1), h.TV2(1), h.TR1(1), h.TV3(1)}), "1110000");
    for (int k = 2; k <= 4; ++k) {
        EXPECT_EQ(viditelne({h.TV1(k), h.TZR(k), h.TV2(k), h.TR1(k), h.TV3(k)}), "11111") << k;
        EXPECT_EQ(h.TZR(k)->Caption() + h.TR1(k)->Caption(), "=/");
        EXPECT_EQ(h.TV1(k)->Tag() + h.TV2(k)->Tag() + h.TV3(k)->Tag(), QString()) << "working rows are not judged";
    }
    EXPECT_EQ(h.TV2(3)->Text, QString());
    EXPECT_FALSE(h.TV2(3)->Locked);
    EXPECT_EQ(h.TZ1(5)->Caption() + '|' + h.TZ1(6)->Caption(), "x =|x =");
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4").arg(h.TV1(5)->Left).arg(h.TV1(5)->Width).arg(h.TZ1(6)->Left).arg(h.TZ1(6)->Top),
              QStringLiteral("%1 152 %2 %3").arg(h.TZ1(5)->Left + 54).arg(h.TZ1(5)->Left + 300).arg(h.TZ1(5)->Top));
    EXPECT_EQ(h.TV1(6)->Top + 10, h.TZ1(6)->Top);
    EXPECT_EQ(h.TV1(7)->Top - 11, h.TZ1(6)->Top);
    EXPECT_EQ(h.IHod(1)->Left, h.TV1(7)->Left + h.TV1(7)->Width + 20);
    EXPECT_EQ(h.IHod(1)->Tag, "check");
    EXPECT_EQ(h.persistentImage().pixel(h.TV1(6)->Left + 20, h.TV1(6)->Top + 20), qRgb(0, 0, 0)) << "fraction bar";
    for (int k : {1, 2, 4})
        EXPECT_FALSE(h.Obr_levy[k].isNull() || h.Obr_pravy[k].isNull()) << k;
    EXPECT_TRUE(h.Obr_stred[3].isNull() && h.Obr_stred[5].isNull() && h.Obr_znamenka[1].isNull());
    EXPECT_FALSE(h.Obr_check.isNull() || h.Obr_a_zar.isNull() || h.Obr_znamenka[12].isNull());
}

// The result cells' Tags from the solution row, as the pupil must write it.
TEST(Vysledok15, SolutionRowToCells)
{
    const struct {
        const char *meno, *prava, *tagy; // whole | numerator | denominator
    } Riadky[] = {
        {"whole", "4", "4||"},
        {"fraction that is whole", "6/3", "2||"},
        {"fraction reduced", "4/6", "|2|3"},
        {"negative numerator", "-6/4", "|-3|2"},
        {"negative denominator as left", "6/-4", "|3|-2"},
        {"both negative", "-6/-4", "|3|2"},
        {"bracketed denominator", "6/(-4)", "|3|-2"},
        {"zero is the whole number 0", "0/5", "0||"},
        {"whole from a negative quotient", "6/-2", "-3||"},
    };
    for (const auto &r : Riadky) {
        Tabulka_prikladov t;
        t(3, 1) = QStringLiteral("x");
        t(3, 2) = QString::fromUtf8(r.prava);
        const Stupne::Vysledok v = Stupne::Vysledok_rovnice(t);
        EXPECT_TRUE(v.platny) << r.meno;
        EXPECT_EQ(v.cele + '|' + v.citatel + '|' + v.menovatel, QString::fromUtf8(r.tagy)) << r.meno;
    }
    Tabulka_prikladov t;
    t(2, 1) = QStringLiteral("x");
    t(2, 2) = QStringLiteral("1");
    t(4, 1) = QStringLiteral("x");
    t(4, 2) = QStringLiteral("5/0");
    EXPECT_FALSE(Stupne::Vysledok_rovnice(t).platny) << "denominator 0";
    EXPECT_EQ(Stupne::Vysledok_rovnice(t).riadok, 4) << "the last row with x";
    t(4, 1) = QStringLiteral("2x");
    EXPECT_EQ(Stupne::Vysledok_rovnice(t).cele, "1");
}

TEST_F(Priklad15, TemplatesThatGiveNoExampleEndInAMessage)
{
    Hra &h = Nacitaj("15", 0, 5);
    const struct {
        const char *meno, *riadok;
    } Chybne[] = {
        {"value beyond 1000", "$Ax=$A*1000#x@=@1"},
        {"no solution row", "$Ax=$B#Ax@=@B"},
        {"denominator always 0", "$Ax=B#x@=@B@/@A-A"},
        {"piece that does not compile", "$Ax=$B+*#x@=@B"},
        {"equation without =", "$Ax+B#x@=@B"},
    };
    for (const auto &c : Chybne) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[15]"), QString::fromUtf8(c.riadok)}, "15", 0).vzory;
        ASSERT_EQ(Misc::Pocet_vzoru(), 1) << c.meno;
        h.TV1(5)->Tag = QStringLiteral("7");
        const int pred = int(box.AskedBoxes().size());
        h.Vygeneruj_priklad_15(false);
        ASSERT_EQ(int(box.AskedBoxes().size()), pred + 1) << c.meno;
        EXPECT_EQ(box.AskedBoxes().last().title, "Chyba");
        EXPECT_EQ(h.TV1(5)->Tag() + h.TV1(6)->Tag() + h.TV1(7)->Tag(), QString()) << c.meno;
    }
    Misc::Vzory.Vyprazdni();
    const int bez_vzorov = int(box.AskedBoxes().size());
    h.Vygeneruj_priklad_15(false);
    EXPECT_EQ(int(box.AskedBoxes().size()), bez_vzorov + 1) << "no templates at all";

    Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[15]"), QStringLiteral("$Ax=$A*1000#x@=@1"),
                                      QStringLiteral("$Ax=$A*B#x@=@B")}, "15", 0).vzory;
    const int pred = int(box.AskedBoxes().size());
    h.Vygeneruj_priklad_15(false);
    EXPECT_EQ(int(box.AskedBoxes().size()), pred) << "a sound template among broken ones";
    EXPECT_EQ(h.TV1(5)->Tag, QString::number(h.Par_B));
}

TEST_F(Priklad15, PictureOfAGeneratedSheet)
{
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    Hra &h = Nacitaj("15", 0, 5);
    Randomize_seed(15);
    h.Vygeneruj_priklad_15(false);
    Uloz_obrazok(h, QStringLiteral("harok_15_priklad.png"));
}

} // namespace
