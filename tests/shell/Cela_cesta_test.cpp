// The whole program from its start to its exit, as a pupil goes through
// it, with a picture of every screen under build/screens/shell/ to look at;
// the backdrop of a refused display switch, and a missing INI.
#include "Program.h"

using namespace lktest;

namespace {

struct Prehliadka {
    Prehliadka() { QDir().mkpath(LK_BUILD_DIR "/screens/shell/"); }
    void Odfot(const QString &meno)
    {
        QApplication::processEvents();
        EXPECT_TRUE(platform::Stage::instance()->grab().save(LK_BUILD_DIR "/screens/shell/" + meno + ".png")) << meno.toStdString();
    }
};

QString Dve(int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar('0')); }

TEST(WholeProgram, EveryScreenFromTheTitleToTheExit)
{
    Program p;
    Prehliadka foto;
    const qint64 start = p.hodiny.TickCount();
    p.Spusti();
    ASSERT_FALSE(Shell::Program_ukonceny());
    EXPECT_EQ(Vpredu(), Formulare::frm_Intro.get()) << "the title is in front";
    EXPECT_EQ(p.displej.Changes().size(), 1) << "the display was switched";
    EXPECT_EQ(Formulare::frm_Pozadi.existing(), nullptr) << "no backdrop after a good switch";
    foto.Odfot("01_title");
    // The title stays ten seconds from its load.
    p.Tik_titulku();
    EXPECT_EQ(p.hodiny.TickCount(), start + 10000);
    auto *vyber = Formulare::frm_Select.get();
    ASSERT_EQ(Vpredu(), vyber);
    EXPECT_EQ(Formulare::frm_Intro.existing(), nullptr) << "the title is unloaded";
    foto.Odfot("02_chooser");
    // The hover sound plays once per element the pointer enters.
    for (QWidget *kam : {vyber->LI(1)->widget(), vyber->LI(1)->widget(), vyber->IKonec->widget()})
        Pohyb(kam, kam->rect().center());
    EXPECT_EQ(Pocet(p.zvuk.Played(), "enter.wav"), 2);

    Klik(vyber->IHelp);
    ASSERT_EQ(Vpredu(), Formulare::frm_Intro.get());
    EXPECT_TRUE(Rovnaky_obrazok(Formulare::frm_Intro->Picture, "Bitmap/Help/autori.bmp"));
    foto.Odfot("03_credits");
    Klik(Formulare::frm_Intro.get(), {320, 240});
    ASSERT_EQ(Vpredu(), vyber);

    // Every task of every group, numbered on in order.
    const int ulohy_skupiny[] = {3, 3, 4, 4, 4, 3};
    int uloha = 0;
    for (int g = 1; g <= 6; ++g) {
        Klik(vyber->LI(g));
        EXPECT_EQ(bool(vyber->RI(4)->Visible), ulohy_skupiny[g - 1] == 4) << "no button left from the group before";
        foto.Odfot(QStringLiteral("04_group_%1").arg(g));
        for (int k = 1; k <= ulohy_skupiny[g - 1]; ++k) {
            ++uloha;
            Klik(vyber->RI(k));
            auto *s = Formulare::frm_Setup.get();
            ASSERT_EQ(Vpredu(), s) << uloha;
            EXPECT_EQ(Misc::Cislo_ulohy, QString::number(uloha));
            EXPECT_TRUE(Rovnaky_obrazok(s->Picture, QStringLiteral("Bitmap/Setup/bg_%1.bmp").arg(Dve(uloha))));
            Napis(s->TJmeno, QStringLiteral("Ľudmila Šťastná"));
            const bool varianty = uloha == 19 || uloha == 21;
            if (varianty)
                Klik(s->ICisloUloha(2));
            Klik(s->ICislo(k + 1));
            EXPECT_TRUE(s->picPokracuj->Visible && s->picTiskni->Visible) << uloha;
            foto.Odfot(QStringLiteral("05_setup_%1").arg(Dve(uloha)));

            Klik(s->IHelp);
            ASSERT_EQ(Vpredu(), Formulare::frm_Intro.get());
            const QString pomoc = varianty ? QStringLiteral("setup%1").arg(uloha) : QStringLiteral("setup");
            EXPECT_TRUE(Rovnaky_obrazok(Formulare::frm_Intro->Picture, "Bitmap/Help/" + pomoc + ".bmp"));
            if (uloha == 1 || varianty)
                foto.Odfot(QStringLiteral("06_setup_help_%1").arg(Dve(uloha)));
            Klik(Formulare::frm_Intro.get(), {320, 240});
            ASSERT_EQ(Vpredu(), s);
            EXPECT_EQ(QString(s->TJmeno->Text), "Ľudmila Šťastná");

            Klik(s->IKonec);
            ASSERT_EQ(Vpredu(), vyber);
        }
    }

    // The table as the end of a series shows it, over the setup screen.
    Klik(vyber->LI(3));
    Klik(vyber->RI(1));
    auto *s = Formulare::frm_Setup.get();
    Zapis_subor(p.hd() + "Hra.res", "7|Eva| 5| 0| 1| 0\r\n7|Juraj| 2| 3| 4| 0\r\n");
    auto *t = Formulare::frm_Tabulka.get();
    t->Load();
    t->Vloz_novy_zaznam(7, QStringLiteral("Ľudmila Šťastná"), "4", "1", t->Vlozeni_znamky(4, 5), 1);
    t->Nadrazeny_form = s;
    s->Hide(); // as the exercise screen left it
    t->Show();
    foto.Odfot("07_results");
    Klik(t->picKonec);
    ASSERT_EQ(Vpredu(), s);
    EXPECT_EQ(Formulare::frm_Tabulka.existing(), nullptr);
    Klik(s->IKonec);

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
    EXPECT_EQ(p.displej.Changes()[1].mode.width, 1920) << "the saved mode comes back";
    EXPECT_TRUE(Program::Formy().empty()) << "every screen is unloaded";
}

TEST(WholeProgram, TheBackdropOnTheTourAndAClickThatEndsTheTitle)
{
    Program p;
    Prehliadka foto;
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
    foto.Odfot("08_backdrop");
    Formulare::frm_Pozadi->Show();
    EXPECT_EQ(Vpredu(), Formulare::frm_Select.get());
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
