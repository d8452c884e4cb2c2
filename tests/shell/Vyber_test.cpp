// The task chooser: groups, their task buttons, the chosen task and hover.
#include "Program.h"

using namespace lktest;

namespace {

Shell::frm_Select &Vyber() { return *Formulare::frm_Select.get(); }

TEST(Chooser, TaskButtonLayouts)
{
    Program p;
    p.Prejdi_titulok();
    struct Rozlozenie {
        const char *nazov;
        int g;
        QList<int> vrchy, vysky;
    } rozlozenia[] = {
        {"three rows overlap by a pixel", 1, {136, 237, 329}, {102, 93, 105}},
        {"four rows touch", 3, {140, 220, 289, 358}, {80, 69, 69, 83}},
        {"three rows again after four: the fourth is hidden", 6, {136, 237, 329}, {102, 93, 105}},
    };
    for (const Rozlozenie &r : rozlozenia) {
        Klik(Vyber().LI(r.g));
        for (int k = 1; k <= r.vrchy.size(); ++k) {
            EXPECT_EQ(int(Vyber().RI(k)->Top), r.vrchy[k - 1]) << r.nazov << ", row " << k;
            EXPECT_EQ(int(Vyber().RI(k)->Height), r.vysky[k - 1]) << r.nazov << ", row " << k;
        }
        EXPECT_EQ(bool(Vyber().RI(4)->Visible), r.vrchy.size() == 4) << r.nazov;
    }
    for (int g = 1; g <= 6; ++g)
        EXPECT_EQ(int(Vyber().LI(g)->Top), 123 + (g - 1) * 54);
}

TEST(Chooser, TheChosenGroupKeepsItsFaceAndClickingItAgainChangesNoTags)
{
    Program p;
    p.Prejdi_titulok();
    Klik(Vyber().LI(4));
    Klik(Vyber().RI(2));
    EXPECT_EQ(Misc::Cislo_ulohy, "12");
    Klik(Formulare::frm_Setup->IKonec);
    Klik(Vyber().LI(4));
    EXPECT_EQ(QString(Vyber().LI(4)->Tag), "1");
    EXPECT_EQ(QString(Vyber().RI(2)->Tag), "1") << "the last task clicked stays marked";
    Pohyb(&Vyber(), {600, 450});
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().LI(4)->Picture, "Bitmap/Select/l_4_1.bmp"));
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().LI(3)->Picture, "Bitmap/Select/l_3_0.bmp"));
}

TEST(Chooser, HoverSoundOnlyWhenTheHighlightedElementChanges)
{
    Program p;
    p.Prejdi_titulok();
    Klik(Vyber().LI(3));
    const auto hover = [&p] { return Pocet(p.zvuk.Played(), "enter.wav"); };
    struct Krok {
        const char *nazov;
        QWidget *kam;
        int zvukov;
    } kroky[] = {
        {"onto a group", Vyber().LI(1)->widget(), 1},
        {"within the same group", Vyber().LI(1)->widget(), 1},
        {"straight onto another group", Vyber().LI(2)->widget(), 2},
        {"onto a task", Vyber().RI(4)->widget(), 3},
        {"task 4 and the credits share a code", Vyber().IHelp->widget(), 3},
        {"onto exit", Vyber().IKonec->widget(), 4},
        {"the background plays nothing", &Vyber(), 4},
        {"exit again after the background", Vyber().IKonec->widget(), 5},
    };
    for (const Krok &k : kroky) {
        Pohyb(k.kam, k.kam == &Vyber() ? QPoint(600, 450) : QPoint(-1, -1));
        EXPECT_EQ(hover(), k.zvukov) << k.nazov;
    }
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().IKonec->Picture, "Bitmap/Select/mkoneh.bmp"));
    Pohyb(&Vyber(), {600, 450});
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().IKonec->Picture, "Bitmap/Select/mkone.bmp"));
    EXPECT_EQ(Misc::Zvyrazneny_prvek, 0);
}

} // namespace
