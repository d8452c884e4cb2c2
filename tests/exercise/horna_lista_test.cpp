// The top bar of the exercise screen: its four buttons, their highlight
// under the mouse and the commands new examples, results table and back,
// driven with the mouse on a shown screen.
#include "Kontrola_support.h"
#include "services/Klavesnice.h"
#include "shell/Formulare.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"

namespace {

using namespace hra_test;

class HornaLista : public Kontrola {
protected:
    void TearDown() override
    {
        for (platform::Form *f : std::initializer_list<platform::Form *>{Formulare::frm_Tabulka.existing(),
                                                                         Formulare::frm_Setup.existing()})
            if (f)
                f->Unload();
    }
    Hra &Ukaz(const char *uloha, int pocet = 10)
    {
        Hra &h = Kontrola::Ukaz(uloha, 0, pocet);
        h.Sleduj_generator();
        return h;
    }
    // Press, release, then the second press as a double click.
    static void Dvojklik(QWidget *w) { Klik(w), QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5)); }
    std::string Zaznam() const { return hra->zaznam.join('|').toStdString(); }
    // "0001": which buttons are on.
    static QString Zapnute(Hra &h)
    {
        QString z;
        for (int i = 1; i <= 4; ++i)
            z += h.PicTop(i)->Enabled ? '1' : '0';
        return z;
    }
};

// A double click on check checks once; on new examples it brings two screens.
TEST_F(HornaLista, CheckLeavesOnlyBackOnAndTheContinueButtonBringsNewExamples)
{
    Hra &h = Ukaz("1");
    Dvojklik(h.PicTop(1));
    EXPECT_EQ(Zapnute(h), "0001");
    EXPECT_EQ(Fokus(), h.Text1->editor());
    EXPECT_TRUE(h.picPokracuj->Visible && h.picPokracuj->Enabled);
    EXPECT_EQ(Zvuky("click.wav"), 1) << "a check runs once";

    Klik(h.PicTop(2));
    Klik(h.PicTop(3));
    EXPECT_EQ(Zaznam(), "hints loaded") << "the switched-off buttons do nothing";
    EXPECT_TRUE(h.isVisible());

    h.IHod(3)->Visible = true;
    Klik(h.picPokracuj);
    EXPECT_EQ(Zaznam(), "hints loaded|generated false");
    EXPECT_EQ(Zapnute(h), "1111");
    EXPECT_FALSE(h.picPokracuj->Visible || h.IHod(3)->Visible);
    EXPECT_EQ(Fokus(), h.TV1(1)->editor()) << "the activation focuses the first cell again";

    h.Otevri_kalkulacku();
    Dvojklik(h.PicTop(2));
    EXPECT_EQ(Zaznam(), "hints loaded|generated false|generated false|generated false");
    EXPECT_FALSE(h.Kalkulacka_otevrena || h.PicKalk->Visible) << "the open calculator closed first";
}

// The results table hides the screen and brings it back as it was; back
// abandons the series for the setup screen.
TEST_F(HornaLista, ResultsTableAndBack)
{
    Misc::Uloz_klavesnici();
    Hra &h = Ukaz("1");
    Napis(h, "TV2(1)=12");
    ASSERT_EQ(klavesnica.ActiveLayoutName(), platform::UsKeyboardLayout);
    QTest::mouseClick(h.PicTop(3), Qt::RightButton, {}, QPoint(5, 5)); // as a left click
    auto *tabulka = Formulare::frm_Tabulka.existing();
    ASSERT_NE(tabulka, nullptr);
    EXPECT_EQ(Misc::Aktualni_formular, tabulka);
    EXPECT_TRUE(!h.isVisible() && h.isLoaded());
    Klik(tabulka->picKonec);
    EXPECT_EQ(platform::Stage::instance()->frontPage(), &h);
    EXPECT_EQ(QString(h.TV2(1)->Text), "12");
    EXPECT_EQ(Zapnute(h), "1111");

    Misc::Pocet_spravnych = 2;
    // Press only: the button goes with the screen before a release could reach it.
    QTest::mousePress(h.PicTop(4), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(h.isLoaded());
    auto *nastavenie = Formulare::frm_Setup.existing();
    ASSERT_NE(nastavenie, nullptr);
    EXPECT_EQ(platform::Stage::instance()->frontPage(), nastavenie);
    EXPECT_EQ(Zaznam(), "hints loaded|hints unloaded") << "nothing of the series is recorded";
    EXPECT_EQ(klavesnica.ActiveLayoutName(), QStringLiteral("0000041B"));
}

} // namespace
