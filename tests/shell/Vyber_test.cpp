// The task chooser: groups, their task buttons, the chosen task and hover.
#include "Program.h"

using namespace lktest;

namespace {

Shell::frm_Select &Vyber() { return *Formulare::frm_Select.get(); }

TEST(Chooser, EachGroupShowsItsTaskButtonsStackedAndNoMore)
{
    Program p;
    p.Prejdi_titulok();
    // Group 6 after group 3: a fourth button left from before must go.
    for (const auto &[g, pocet] : {std::pair{1, 3}, {3, 4}, {6, 3}}) {
        Klik(Vyber().LI(g));
        for (int k = 2; k <= pocet; ++k)
            EXPECT_GE(Vyber().RI(k)->Top + 1, Vyber().RI(k - 1)->Top + Vyber().RI(k - 1)->Height) << g << ", row " << k;
        EXPECT_EQ(bool(Vyber().RI(4)->Visible), pocet == 4) << g;
    }
}

TEST(Chooser, HoverSoundOnlyWhenTheHighlightedElementChangesAndTheChosenGroupKeepsItsFace)
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
        Pohyb(k.kam, k.kam == &Vyber() ? QPoint(600, 450) : k.kam->rect().center());
        EXPECT_EQ(hover(), k.zvukov) << k.nazov;
    }
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().IKonec->Picture, "Bitmap/Select/mkoneh.bmp"));
    Pohyb(&Vyber(), {600, 450});
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().IKonec->Picture, "Bitmap/Select/mkone.bmp"));
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().LI(3)->Picture, "Bitmap/Select/l_3_1.bmp"));
    EXPECT_TRUE(Rovnaky_obrazok(Vyber().LI(2)->Picture, "Bitmap/Select/l_2_0.bmp"));
    EXPECT_EQ(Misc::Zvyrazneny_prvek, 0);
}

} // namespace
