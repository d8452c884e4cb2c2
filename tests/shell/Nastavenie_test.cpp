// The setup screen: the name, the revealed buttons and the variant's help
// page before the exercise. Its print has tests of its own.
#include "Nastavenie.h"

#include <QClipboard>

using namespace lktest;

namespace {

TEST_F(Nastavenie, TheNameIsCleanedContinueRisesOnceAndLeadsThroughTheVariantsHelpPage)
{
    Otvor(21);
    const struct { const char *nazov; QString vlozene, meno; } pripady[] = {
        {"leading blanks vanish, blanks inside stay", "  Ľubo š", "Ľubo š"},
        {"pasted line break", "Ján\r\nKováč", "Ján Kováč"},
        {"field separator", " A|B", "A/B"},
        {"control character", "Ev\x01" "a", "Eva"},
        {"outside Windows-1250", "Zoë 漢😀", "Zoë ??"},
    };
    for (const auto &c : pripady) {
        s->TJmeno->Text = QString();
        QApplication::clipboard()->setText(c.vlozene);
        QTest::keyClick(s->TJmeno->editor(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(QString(s->TJmeno->Text), c.meno) << c.nazov;
    }
    s->TJmeno->SelStart = 3;
    Napis(s->TJmeno, "漢x");
    EXPECT_EQ(QString(s->TJmeno->Text), "Zoë?x ??") << "typing goes on where it was";

    // Continue rises for a name, a count and a variant, once; a rise that a
    // letter starts takes no click either.
    Klik(s->ICislo(2));
    Klik(s->ICisloUloha(2));
    const int vysunutia = Vysunutia();
    s->TJmeno->Text = "   ";
    EXPECT_FALSE(s->picPokracuj->Visible) << "a name of blanks is no name";
    Stlac_neskor(s->IKonec);
    Napis(s->TJmeno, "E");
    ASSERT_EQ(Vpredu(), s);
    EXPECT_TRUE(s->picPokracuj->Visible && Vysunutia() > vysunutia);
    const int znova = Vysunutia();
    Napis(s->TJmeno, "va");
    EXPECT_EQ(Vysunutia(), znova);

    // With help ticked, the variant's help page comes before the exercise.
    Klik(s->INapoveda);
    Klik(s->picPokracuj);
    auto *intro = Formulare::frm_Intro.existing();
    ASSERT_EQ(Vpredu(), intro);
    EXPECT_TRUE(Rovnaky_obrazok(intro->Picture, "Bitmap/Help/21b.bmp"));
    EXPECT_EQ(Cvicenie::nacitani, 0);
    Klik(intro, {200, 200});
    EXPECT_EQ(Misc::Aktualni_formular, cvicenie.get());
    EXPECT_FALSE(Formulare::frm_Intro.existing() || Cvicenie::tisk);
}

} // namespace
