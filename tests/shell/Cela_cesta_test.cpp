// The whole program from its start to its exit, as a pupil goes through
// it, with a picture of every screen (the results table's comes with a
// series); the backdrop of a refused display switch and the refused way
// back, and a missing INI.
#include "Program.h"

using namespace lktest;

namespace {

QString Dve(int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar('0')); }

TEST(WholeProgram, EveryScreenFromTheTitleToTheExit)
{
    Program p;
    const qint64 start = p.hodiny.TickCount();
    p.Spusti();
    ASSERT_FALSE(Shell::Program_ukonceny());
    EXPECT_EQ(Vpredu(), Formulare::frm_Intro.get()) << "the title is in front";
    ASSERT_EQ(p.displej.Changes().size(), 1) << "the display was switched";
    const platform::DisplayModeRecord &tam = p.displej.Changes()[0].mode;
    EXPECT_EQ(QList<int>({tam.width, tam.height, tam.bitsPerPixel}), QList<int>({640, 480, 16}));
    EXPECT_EQ(Formulare::frm_Pozadi.existing(), nullptr) << "no backdrop after a good switch";
    Odfot("01_title");
    // The title stays ten seconds from its load.
    p.Tik_titulku();
    EXPECT_EQ(p.hodiny.TickCount(), start + 10000);
    auto *vyber = Formulare::frm_Select.get();
    ASSERT_EQ(Vpredu(), vyber);
    EXPECT_EQ(Formulare::frm_Intro.existing(), nullptr) << "the title is unloaded";
    Odfot("02_chooser");
    // The hover sound plays once per element the pointer enters.
    for (QWidget *kam : {vyber->LI(1)->widget(), vyber->LI(1)->widget(), vyber->IKonec->widget()})
        Pohyb(kam, kam->rect().center());
    EXPECT_EQ(p.zvuk.Played().filter("enter.wav", Qt::CaseInsensitive).size(), 2);

    Klik(vyber->IHelp);
    ASSERT_EQ(Vpredu(), Formulare::frm_Intro.get());
    EXPECT_TRUE(Rovnaky_obrazok(Formulare::frm_Intro->Picture, "Bitmap/Help/autori.bmp"));
    Odfot("03_credits");
    Klik(Formulare::frm_Intro.get(), {320, 240});
    ASSERT_EQ(Vpredu(), vyber);

    // Every task of every group, numbered on in order.
    const int ulohy_skupiny[] = {3, 3, 4, 4, 4, 3};
    int uloha = 0;
    for (int g = 1; g <= 6; ++g) {
        Klik(vyber->LI(g));
        EXPECT_EQ(bool(vyber->RI(4)->Visible), ulohy_skupiny[g - 1] == 4) << "no button left from the group before";
        Odfot(QStringLiteral("04_group_%1").arg(g));
        for (int k = 1; k <= ulohy_skupiny[g - 1]; ++k) {
            ++uloha;
            Klik(vyber->RI(k));
            auto *s = Formulare::frm_Setup.get();
            ASSERT_EQ(Vpredu(), s) << uloha;
            EXPECT_EQ(Misc::Cislo_ulohy, QString::number(uloha));
            EXPECT_TRUE(Rovnaky_obrazok(s->Picture, QStringLiteral("Bitmap/Setup/bg_%1.bmp").arg(Dve(uloha))));
            Napis(s->TJmeno, QStringLiteral("Ľudmila Šťastná"));
            Klik(s->ICislo(k + 1));
            const bool varianty = uloha == 19 || uloha == 21;
            EXPECT_EQ(s->picPokracuj->Visible || s->picTiskni->Visible, !varianty) << uloha << ": a variant first";
            if (varianty)
                Klik(s->ICisloUloha(2));
            EXPECT_TRUE(s->picPokracuj->Visible && s->picTiskni->Visible) << uloha;
            EXPECT_EQ(Misc::Zvoleny_pocet_prikladu, (uloha == 19 ? 4 : 5) * (k + 1)) << uloha << ": 19 b counts by four";
            Odfot(QStringLiteral("05_setup_%1").arg(Dve(uloha)));

            Klik(s->IHelp);
            ASSERT_EQ(Vpredu(), Formulare::frm_Intro.get());
            const QString pomoc = varianty ? QStringLiteral("setup%1").arg(uloha) : QStringLiteral("setup");
            EXPECT_TRUE(Rovnaky_obrazok(Formulare::frm_Intro->Picture, "Bitmap/Help/" + pomoc + ".bmp"));
            if (uloha == 1 || varianty)
                Odfot(QStringLiteral("06_setup_help_%1").arg(Dve(uloha)));
            Klik(Formulare::frm_Intro.get(), {320, 240});
            ASSERT_EQ(Vpredu(), s);
            EXPECT_EQ(QString(s->TJmeno->Text), "Ľudmila Šťastná");

            Klik(s->IKonec);
            ASSERT_EQ(Vpredu(), vyber);
        }
    }

    // Exit: No keeps everything, Yes restores the saved display mode and ends.
    p.box.Script({platform::MessageAnswer::No, platform::MessageAnswer::Yes});
    Klik(vyber->IKonec);
    EXPECT_FALSE(Shell::Program_ukonceny());
    ASSERT_EQ(p.box.AskedBoxes().size(), 1);
    EXPECT_EQ(p.box.AskedBoxes()[0].text, Misc::Texty[1]);
    EXPECT_EQ(p.displej.Changes().size(), 1);
    Klik(vyber->IKonec);
    EXPECT_TRUE(Shell::Program_ukonceny());
    ASSERT_EQ(p.displej.Changes().size(), 2);
    const platform::DisplayModeRecord &spat = p.displej.Changes()[1].mode;
    const platform::DisplayModeRecord stary = platform::FakeDisplayMode().CurrentMode(); // as at the start
    EXPECT_EQ(QList<int>({spat.width, spat.height, spat.bitsPerPixel, spat.frequency}),
              QList<int>({stary.width, stary.height, stary.bitsPerPixel, stary.frequency}))
        << "the saved mode comes back, refresh rate included";
    EXPECT_TRUE(Program::Formy().empty()) << "every screen is unloaded";
}

TEST(WholeProgram, TheBackdropOnTheTourAndAClickThatEndsTheTitle)
{
    Program p;
    // A refused display switch: the message, then the backdrop, which brings
    // the current form back when the pupil clicks it.
    p.displej.FailWith(-1);
    p.Spusti();
    const qint64 start = p.hodiny.TickCount();
    Klik(Formulare::frm_Intro.get(), {320, 240});
    p.Tik_titulku();
    EXPECT_EQ(p.hodiny.TickCount(), start) << "a click ends the title at once";
    ASSERT_NE(Formulare::frm_Pozadi.existing(), nullptr);
    EXPECT_EQ(p.box.AskedBoxes().size(), 1) << "the display message";
    Formulare::frm_Select->Hide();
    Formulare::frm_Pozadi->ZOrder(0);
    Odfot("08_backdrop");
    Formulare::frm_Pozadi->Show();
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());
    // The way back is refused too, and said after the exit question.
    p.box.Script({platform::MessageAnswer::Yes});
    Klik(Formulare::frm_Select->IKonec);
    const auto &boxy = p.box.AskedBoxes();
    ASSERT_EQ(boxy.size(), 3);
    EXPECT_EQ(boxy[0].text + "|" + boxy[0].title, Misc::Texty[40] + "|" + Misc::Texty[41]);
    EXPECT_EQ(boxy[2].text + "|" + boxy[2].title, Misc::Texty[43] + "|" + Misc::Texty[44]);
}

TEST(StartUp, AMissingIniEndsTheProgramWithTheMessage)
{
    Program p;
    QFile::remove(p.config() + "/Loravik.ini");
    p.Spusti();
    EXPECT_TRUE(Shell::Program_ukonceny());
    EXPECT_EQ(Shell::Kod_ukoncenia(), 1);
    ASSERT_EQ(p.box.AskedBoxes().size(), 1);
    EXPECT_EQ(Formulare::frm_Intro.existing(), nullptr) << "nothing after the failed check runs";
}

} // namespace
