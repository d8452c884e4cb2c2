// Task 16: formula and fraction examples from the shipped templates solve
// their equations; row 1 is laid out by kind; the result cells expect the
// solution in one form.
#include "Stupne_support.h"
#include "exercise/Gramatika_vzoru.h"
#include "exercise/Nacti_priklady.h"
#include "platform/Fonts.h"

#include <set>

namespace {

using namespace hra_test;
using namespace stupne_test;
using Priklad16 = Obrazovka;

// The two sides of a fraction example as the pupil reads row 1.
std::pair<QString, QString> Strany_zlomkov(frm_Game01 &f)
{
    return {Strana(f.TZ1, {{f.TR2(1), &f.TZ2}}), Strana(f.TZ3, {{f.TR3(1), &f.TZ4}})};
}

TEST_F(Priklad16, ShippedTemplatesGiveSolvedEquationsOfBothKinds)
{
    Hra &h = Nacitaj("16", 0, 5);
    ASSERT_GE(Misc::Pocet_vzoru(), 10);
    std::set<int> vzory;
    int zlomky = 0, cele_vzorce = 0;
    for (quint32 seed = 1; seed <= 400; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_16(false);
        const int t = Misc::Vybrany_vzor[1];
        const auto [lava, prava] = h.Je_zlomek ? Strany_zlomkov(h) : std::pair{h.Leva_strana[1], h.Prava_strana[1]};
        SCOPED_TRACE(QStringLiteral("seed %1, template %2: %3 = %4").arg(seed).arg(t).arg(lava, prava).toStdString());
        vzory.insert(t);
        EXPECT_EQ(h.Je_zlomek, Misc::Vzory[t].Druh() == u"zlomek");
        EXPECT_TRUE(Parametre_2_az_5(h));
        const Riesenie r = Riesenie_z_tagov(h, 6, 7, 8);
        ASSERT_TRUE(r.x) << r.chyba.toStdString();
        EXPECT_EQ(Plati(h.Evaluator_formulara(), lava, prava, *r.x), QString());
        EXPECT_EQ(Riadky_platia(h, *r.x), QString());
        if (h.Je_zlomek) {
            EXPECT_DOUBLE_EQ(h.Hodnota_X_kontroly, *r.x);
        }
        zlomky += h.Je_zlomek;
        if (!h.Je_zlomek && t <= 4)
            cele_vzorce += !h.TV1(6)->Tag().isEmpty();
        if (t == 6 || t == 9) {
            EXPECT_EQ(h.Par_K, std::gcd(int(t == 6 ? h.Par_A : h.Par_C), int(t == 6 ? h.Par_B : h.Par_E)));
        }
        EXPECT_EQ(h.Faze_kontroly, 1);
    }
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru()) << "every template drawn";
    EXPECT_GT(zlomky, 80);
    EXPECT_GT(cele_vzorce, 5) << "formula templates 1-4 give whole solutions too";
}

// Row 1 of each kind, with the labels that a fraction example shows and
// where they stand.
TEST_F(Priklad16, RowOneByKind)
{
    Hra &h = Nacitaj("16", 0, 5);
    const auto stav = [&](std::initializer_list<platform::Label *> popisy) {
        QStringList s;
        for (platform::Label *p : popisy)
            s << (p->Visible ? QStringLiteral("%1@%2/%3").arg(p->Caption(), QString::number(p->Top), QString::number(p->Width))
                             : QStringLiteral("-"));
        return s.join(' ').toStdString();
    };
    const struct {
        const char *meno, *riadok, *ocakavane; // TZ1(1) TZ1(2) TR2 TZ2(1) TZ2(2) TZR TZ3(1) TZ3(2) TR3 TZ4(1) TZ4(2)
        const char *pruhy;                     // under TZ1 to TZ4
    } Riadky[] = {
        {"two fractions a side", "zlomek$x/A$+$x/B$=$x/C$-$D/E#x@=@1",
         "x@119/82 2@140/82 +@130/15 x@119/82 3@140/82 =@130/15 x@119/82 4@140/82 -@130/15 5@119/82 2@140/82", "1111"},
        {"one term a side, one line on the right", "zlomek$Ax+B/C$$$=$D#x@=@1",
         "2x+3@119/179 4@140/179 - - - =@130/15 5@130/179 - - - -", "1-0-"},
        {"a line term after a fraction", "zlomek$Ax/B$-$D$=$C#x@=@1",
         "2x@119/82 3@140/82 -@130/15 5@130/82 - =@130/15 4@130/179 - - - -", "100-"},
        {"formula", "vzorec$Ax+B=$C*D#x@=@1", "2x+3@130/179 - - - - =@130/15 20@130/179 - - - -", "0-0-"},
    };
    for (const auto &r : Riadky) {
        // Template 5 (the formula templates before it have rules of their
        // own), then A = 2, B = 3, C = 4, D = 5, E = 2, F = 3.
        const QString vypln = QStringLiteral("zlomek$x$$$=$1#x@=@1");
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[16]"), vypln, vypln, vypln, vypln, QString::fromUtf8(r.riadok)},
                                         "16", 0).vzory;
        platform::FakeRandom nahoda({0.9f, 0.0f, 0.25f, 0.5f, 0.75f, 0.0f, 0.25f});
        platform::ScopedService<platform::RandomSource> g(nahoda);
        h.Vygeneruj_priklad_16(false);
        EXPECT_EQ(stav({h.TZ1(1), h.TZ1(2), h.TR2(1), h.TZ2(1), h.TZ2(2), h.TZR(1), h.TZ3(1), h.TZ3(2), h.TR3(1),
                        h.TZ4(1), h.TZ4(2)}),
                  QString::fromUtf8(r.ocakavane).toStdString())
            << r.meno;
        // A bar under every fraction, none through a term on the line.
        QString pruhy;
        for (auto *clen : {&h.TZ1, &h.TZ2, &h.TZ3, &h.TZ4}) {
            platform::Label *n = (*clen)(1);
            const bool pruh = h.persistentImage().pixel(n->Left + 5, h.TZR(1)->Top + 9) == qRgb(0, 0, 0);
            pruhy += !n->Visible ? '-' : pruh ? '1' : '0';
        }
        EXPECT_EQ(pruhy.toStdString(), r.pruhy) << r.meno;
        EXPECT_EQ(h.TV3(1)->Visible, h.Je_zlomek) << r.meno << ": the first step asked for in row 1";
        EXPECT_EQ(h.TR1(1)->Visible, h.Je_zlomek) << r.meno;
        EXPECT_EQ(h.TV1(1)->Visible || h.TV2(1)->Visible, false) << r.meno;
    }
}

// A template drawn after another within one call shows none of its terms.
TEST_F(Priklad16, NoTermOfAnEarlierTemplate)
{
    Hra &h = Nacitaj("16", 0, 5);
    Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[16]"), QStringLiteral("zlomek$x/A$+$x/5$=$1#x@=@A*1000"),
                                      QStringLiteral("zlomek$x/A$+$7$=$1#x@=@A")}, "16", 0).vzory;
    for (quint32 seed = 1; seed <= 12; ++seed) {
        Randomize_seed(seed);
        h.Vygeneruj_priklad_16(false);
        ASSERT_EQ(Misc::Vybrany_vzor[1], 2);
        EXPECT_EQ(h.TZ2(1)->Caption(), "7");
        EXPECT_FALSE(h.TZ2(2)->Visible) << seed;
    }
}

TEST_F(Priklad16, ResultCellsAndWorkingRows)
{
    Hra &h = Nacitaj("16", 0, 5);
    for (int k = 1; k <= 8; ++k)
        h.TV1(k)->Text = QStringLiteral("staré");
    Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[16]"), QStringLiteral("zlomek$Ax$$$=$B#x@=@B@/@A")}, "16", 0).vzory;
    platform::FakeRandom nahoda({0.0f, 0.0f, 0.5f}); // A = 2, B = 4
    platform::ScopedService<platform::RandomSource> g(nahoda);
    h.Vygeneruj_priklad_16(false);
    EXPECT_EQ((h.TV1(6)->Tag() + '|' + h.TV1(7)->Tag() + '|' + h.TV1(8)->Tag()).toStdString(), "2||") << "whole";
    for (int k = 2; k <= 8; ++k) {
        EXPECT_TRUE(h.TV1(k)->Visible && h.TV1(k)->Enabled && !h.TV1(k)->Locked) << k;
        EXPECT_EQ(h.TV1(k)->Text(), QString()) << k;
    }
    for (int k = 2; k <= 5; ++k)
        EXPECT_EQ(h.TV1(k)->Tag() + h.TV2(k)->Tag() + h.TV3(k)->Tag(), QString()) << k;
    EXPECT_EQ(h.TZ1(7)->Left, h.TZ1(6)->Left + 300);
    EXPECT_EQ(QStringLiteral("%1 %2").arg(h.TV1(7)->Top - h.TZ1(7)->Top).arg(h.TV1(8)->Top - h.TZ1(7)->Top), "-10 11");
    EXPECT_EQ(h.IHod(1)->Left, h.TV1(8)->Left + h.TV1(8)->Width + 20);
    EXPECT_EQ(h.IHod(1)->Top, h.TZ1(6)->Top - 5);

    nahoda = platform::FakeRandom({0.0f, 0.0f, 0.75f}); // A = 2, B = 5
    h.Vygeneruj_priklad_16(false);
    EXPECT_EQ((h.TV1(6)->Tag() + '|' + h.TV1(7)->Tag() + '|' + h.TV1(8)->Tag()).toStdString(), "|5|2");
}

TEST_F(Priklad16, TemplatesThatGiveNoExampleEndInAMessage)
{
    Hra &h = Nacitaj("16", 0, 5);
    for (const char *riadok : {"rovnica$Ax=B#x@=@B", "vzorec$Ax=B#x@=@B@/@A-A", "zlomek$x/A$$$=$B#x@=@(B"}) {
        Misc::Vzory = Misc::Precti_vzory({QStringLiteral("[16]"), QString::fromUtf8(riadok)}, "16", 0).vzory;
        const int pred = int(box.AskedBoxes().size());
        h.TV1(6)->Tag = QStringLiteral("7");
        h.Vygeneruj_priklad_16(false);
        EXPECT_EQ(int(box.AskedBoxes().size()), pred + 1) << riadok;
        EXPECT_EQ(h.TV1(6)->Tag(), QString()) << riadok;
    }
}

TEST_F(Priklad16, PicturesOfGeneratedSheets)
{
    platform::registerFontFile(QStringLiteral(LK_RESOURCE_DIR "/Data/Ruvo.ttf"));
    Hra &h = Nacitaj("16", 0, 5);
    for (bool zlomok : {false, true}) {
        for (quint32 seed = 1; seed < 100; ++seed) {
            Randomize_seed(seed);
            h.Vygeneruj_priklad_16(false);
            if (h.Je_zlomek == zlomok && (zlomok ? Misc::Vybrany_vzor[1] >= 9 : Misc::Vybrany_vzor[1] <= 4))
                break;
        }
        Uloz_obrazok(h, zlomok ? QStringLiteral("harok_16_priklad_zlomky.png") : QStringLiteral("harok_16_priklad.png"));
    }
}

} // namespace
