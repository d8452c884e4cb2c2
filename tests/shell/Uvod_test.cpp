// Start-up and the title screen: a click ends it, a missing INI ends the
// program. The full title, the backdrop and the exit are on the
// whole-program runs.
#include "Program.h"

using namespace lktest;

namespace {

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
