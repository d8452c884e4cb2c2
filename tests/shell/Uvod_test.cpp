// Start-up and the title screen. The backdrop and the exit are on the
// whole-program runs.
#include "Program.h"

using namespace lktest;

namespace {

TEST(StartUp, TitleStaysTenSecondsFromItsLoadThenTheChooser)
{
    Program p;
    const qint64 start = p.hodiny.TickCount();
    p.Spusti();
    EXPECT_EQ(Vpredu(), Formulare::frm_Intro.get()) << "the title is in front, the chooser hidden";
    EXPECT_FALSE(Formulare::frm_Select->isVisible());
    EXPECT_EQ(p.displej.Changes().size(), 1) << "the display was switched to 640 x 480";
    EXPECT_EQ(Formulare::frm_Pozadi.existing(), nullptr) << "no backdrop after a good switch";
    EXPECT_EQ(Misc::Cislo_ulohy, "0");

    p.Tik_titulku();
    EXPECT_EQ(p.hodiny.TickCount(), start + 10000);
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());
    EXPECT_EQ(Misc::Aktualni_formular, Formulare::frm_Select.get());
    EXPECT_EQ(Formulare::frm_Intro.existing(), nullptr) << "the title is unloaded";
}

TEST(StartUp, AClickEndsTheTitleAtOnce)
{
    Program p;
    p.Spusti();
    const qint64 start = p.hodiny.TickCount();
    Klik(Formulare::frm_Intro.get(), {320, 240});
    p.Tik_titulku();
    EXPECT_EQ(p.hodiny.TickCount(), start);
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());
    EXPECT_EQ(Pocet(p.zvuk.Played(), "click.wav"), 1);
}

TEST(StartUp, AMissingIniEndsTheProgramWithTheMessage)
{
    Program p;
    QFile::remove(p.config() + "/Loravik.ini");
    p.Spusti();
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_EQ(Shell::Kod_ukoncenia(), 1);
    ASSERT_EQ(p.box.AskedBoxes().size(), 1);
    EXPECT_EQ(p.box.AskedBoxes()[0].title, "Chyba");
    EXPECT_EQ(Formulare::frm_Intro.existing(), nullptr) << "nothing after the failed check runs";
}

} // namespace
