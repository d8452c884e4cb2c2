// Start-up, the title screen, the credits viewer and the backdrop.
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

TEST(StartUp, ARefusedDisplaySwitchShowsTheBackdropWhichBringsTheCurrentFormBack)
{
    Program p;
    p.displej.FailWith(-1);
    p.Prejdi_titulok();
    ASSERT_NE(Formulare::frm_Pozadi.existing(), nullptr);
    EXPECT_EQ(p.box.AskedBoxes().size(), 1) << "the display message";
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());

    Formulare::frm_Pozadi->Show(); // the pupil clicks the backdrop
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());
    EXPECT_EQ(p.hodiny.WaitsWithEvents().last(), 100);
}

TEST(Exit, NoKeepsEverythingYesRestoresTheDisplayAndEnds)
{
    Program p;
    p.Prejdi_titulok();
    p.box.Script({platform::MessageAnswer::No});
    Klik(Formulare::frm_Select->IKonec);
    ASSERT_EQ(p.box.AskedBoxes().size(), 1);
    EXPECT_EQ(p.box.AskedBoxes()[0].text, Misc::Texty[1]);
    EXPECT_EQ(p.box.AskedBoxes()[0].title, Misc::Texty[2]);
    EXPECT_EQ(p.box.AskedBoxes()[0].style, platform::MessageStyle::YesNo | platform::MessageStyle::Question);
    EXPECT_FALSE(Shell::Program_ukonceny());
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());
    EXPECT_EQ(p.displej.Changes().size(), 1);

    p.box.Script({platform::MessageAnswer::Yes});
    Klik(Formulare::frm_Select->IKonec);
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_EQ(Shell::Kod_ukoncenia(), 0);
    ASSERT_EQ(p.displej.Changes().size(), 2);
    EXPECT_EQ(p.displej.Changes()[1].mode.width, 1920) << "the saved mode comes back";
    EXPECT_EQ(Formulare::frm_Select.existing(), nullptr);
}

} // namespace
