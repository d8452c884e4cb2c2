// The correct answer of a wrong example, shown in a hint window while the
// pupil holds the mouse button on its mark.
#include "Kontrola_support.h"
#include "shell/Formulare.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"

#include <QCursor>

namespace {

using namespace hra_test;

class SpravnaOdpoved : public Kontrola {
protected:
    // A screen with the real hint windows loaded for its task.
    Hra &S_oknami(const char *uloha, int varianta, const char *tagy)
    {
        Hra &h = Ukaz(uloha, varianta, 5);
        h.frm_Game01::Nacti_chybova_okna();
        Ako_generator(h, tagy);
        return h;
    }
    static void Stlac(Hra &h, int znacka, QPoint kurzor = {200, 150})
    {
        QCursor::setPos(kurzor);
        QTest::mousePress(h.IHod(znacka), Qt::LeftButton, {}, QPoint(3, 3));
    }
    static void Pusti(Hra &h, int znacka) { QTest::mouseRelease(h.IHod(znacka), Qt::LeftButton, {}, QPoint(3, 3)); }
    static Shell::Okno_napovedy *Okno()
    {
        Shell::Okno_napovedy *prve = Formulare::frm_Chybovy.get(), *druhe = Formulare::frm_Chybovy2.get();
        return prve->isVisible() ? prve : druhe->isVisible() ? druhe : nullptr;
    }
    // The window shown with its first `pocet` lines: "1:3|4", "2:x", "-" for none.
    static std::string Ukazane(int pocet = 1)
    {
        Shell::Okno_napovedy *o = Okno();
        if (!o)
            return "-";
        QStringList r;
        for (int k = 1; k <= pocet; ++k)
            r << (o->Label1.exists(k) ? QString(o->Label1(k)->Caption) : QStringLiteral("<none>"));
        return (o == Formulare::frm_Chybovy2.get() ? "2:" : "1:") + r.join('|').toStdString();
    }
};

TEST_F(SpravnaOdpoved, BeforeTheCheckMarksShowNothingAndAfterItTheyGetTheHandAndOneSound)
{
    Hra &h = S_oknami("20", 0, "TV3(4)=6");
    h.IHod(4)->Visible = true;
    h.Otevri_kalkulacku();
    Stlac(h, 4);
    EXPECT_TRUE(Ukazane() == "-" && Zvuky("click.wav") == 0);
    EXPECT_EQ(h.Kalkulacka_otevrena, 0) << "the open calculator is closed all the same";
    Pusti(h, 4);
    Pohyb(h.IHod(4), 3, 3);
    EXPECT_TRUE(Zvuky("enter.wav") == 0 && Rovnake(h.IHod(4)->MouseIcon, Misc::Kurzor_sipka));
    Skontroluj(h);
    Pohyb(h.IHod(4), 4, 4);
    Pohyb(h.IHod(4), 5, 5);
    EXPECT_EQ(Zvuky("enter.wav"), 1) << "once on entering";
    EXPECT_TRUE(Rovnake(h.IHod(10)->MouseIcon, Misc::Kurzor_ruka)) << "every mark of the sheet";
    h.frm_Game01::Uvolni_chybova_okna();
}

// Pressed with the pointer near the stage's bottom left corner, every
// window lies wholly on the stage; a click sounds, the release hides it.
TEST_F(SpravnaOdpoved, EachTaskShowsItsAnswerOnTheStage)
{
    // ukazane: the window shown and its lines, as Ukazane() gives them
    const struct { const char *meno, *uloha; int varianta; std::string tagy; int znacka; const char *ukazane; }
        Pripady[] = {
        {"task 1: one line", "1", 0, "TV2(1)=12", 1, "1:12"},
        {"task 2: a fraction on one line", "2", 0, "TV2(3)=3 TV2(4)=4", 3, "1:3 / 4"},
        {"task 3: numerator and denominator", "3", 0, "TV2(1)=3 TV2(2)=4", 1, "1:3|4"},
        {"task 10: the first accepted form", "10", 0, "V(1,2)=3x V(2,2)=x+2x", 2, "1:3x"},
        {"task 11: both conditions of the row before", "11", 0, "TV1(2)=x TV2(2)=0 TV3(2)=x TV4(2)=6", 1, "1:xż0, xż6"},
        {"task 11: no whole condition", "11", 0, "TV1(3)=x", 1, "-"},
        {"task 16: a fraction", "16", 0, "TV1(7)=2 TV1(8)=3", 1, "2:2|3"},
        {"task 17: the conditions and the number", "17", 0, "TV1(6)=3 TV1(12)=1 TV2(12)=-2", 1, "1:x ż 1, x ż -2, x = 3"},
        {"task 17: a fraction, the condition left of it", "17", 0, "TV1(7)=2 TV1(8)=3 TV1(12)=1", 1, "2:2|3|x ż 1, x = "},
        {"task 18: the sign and the number", "18", 0, "TZ1(6).Caption=x TZR(6).Caption=< TV1(6)=4", 1, "1:x < 4"},
        {"task 19b: the fourth cell", "19", 2, "TV4(2)=40 TV1(2)=8", 2, "1:40"},
        {"task 20: x of the lower row", "20", 0, "TV3(4)=6", 4, "1:6"},
        {"task 21: the coefficient", "21", 1, "IHod(2)=label TV5(4)=3", 2, "2:3"},
        {"task 21: a value table", "21", 1, "IHod(1)=table TZ1(1).Caption=x TZ1(2).Caption=y " + Tabulka_21, 1,
         "1:x|y|1|2|2|4|3|6|4|8|5|10|6|12"},
    };
    for (const auto &p : Pripady) {
        Hra &h = S_oknami(p.uloha, p.varianta, p.tagy.c_str());
        Skontroluj(h);
        h.IHod(p.znacka)->Visible = true; // as the check leaves a wrong example
        h.IHod(p.znacka)->Enabled = true;
        const int kliky = Zvuky("click.wav");
        Stlac(h, p.znacka, h.mapToGlobal(QPoint(10, 470)));
        EXPECT_EQ(Ukazane(int(QString::fromUtf8(p.ukazane).count('|')) + 1), p.ukazane) << p.meno;
        EXPECT_EQ(Zvuky("click.wav"), kliky + 1) << p.meno;
        if (Shell::Okno_napovedy *o = Okno()) {
            EXPECT_TRUE(Na_javisku(o->geometry())) << p.meno;
        }
        Pusti(h, p.znacka);
        EXPECT_EQ(Ukazane(), "-") << p.meno << ": hidden on release";
        h.frm_Game01::Uvolni_chybova_okna();
    }
}

} // namespace
