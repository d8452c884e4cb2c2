// The check command: the pupil types answers into the cells that a
// generator has filled, presses the check button, and sees one mark per
// example and the counts of the series.
#include "Hra_support.h"

namespace {

using namespace hra_test;

class Kontrola : public Obrazovka {
protected:
    // A screen of the task, shown, with `pocet` examples chosen.
    Hra &Ukaz(const char *uloha, int varianta, int pocet)
    {
        Hra &h = Nacitaj(uloha, varianta, pocet);
        lktest::showAndActivate(&h);
        return h;
    }
    static platform::TextBox *Bunka(Hra &h, const QString &stlpec, int riadok)
    {
        platform::ControlArray<platform::TextBox> *stlpce[] = {&h.TV1, &h.TV2, &h.TV3, &h.TV4, &h.TV5, &h.TV6};
        return (*stlpce[stlpec.mid(2).toInt() - 1])(riadok);
    }
    // "TV2(3)=12 TZ1(1)=x V(2,1)=a": Tags of cells and labels, entries
    // of Vysledek_prikladu, as a generator leaves them; the cells shown.
    static void Ako_generator(Hra &h, const char *tagy)
    {
        for (const QString &t : QString::fromUtf8(tagy).split(' ', Qt::SkipEmptyParts)) {
            const QString meno = t.section('=', 0, 0), hodnota = t.section('=', 1);
            const QStringList c = meno.section('(', 1).chopped(1).split(',');
            if (meno.startsWith('V'))
                h.Vysledek_prikladu(c[0].toInt(), c[1].toInt()) = hodnota;
            else if (meno.startsWith(QLatin1String("TZ1")))
                h.TZ1(c[0].toInt())->Tag = hodnota;
            else {
                platform::TextBox *b = Bunka(h, meno.section('(', 0, 0), c[0].toInt());
                b->Tag = hodnota;
                b->Visible = true;
            }
        }
    }
    // "TV1(1)=5+7": typed key by key into the cells.
    static void Napis(Hra &h, const char *odpovede)
    {
        for (const QString &t : QString::fromUtf8(odpovede).split(' ', Qt::SkipEmptyParts)) {
            const QString meno = t.section('=', 0, 0);
            platform::TextBox *b = Bunka(h, meno.section('(', 0, 0), meno.section('(', 1).chopped(1).toInt());
            b->Visible = true;
            b->SetFocus();
            QTest::keyClicks(b->editor(), t.section('=', 1));
        }
    }
    static void Skontroluj(Hra &h) { QTest::mouseClick(h.PicTop(1), Qt::LeftButton, {}, QPoint(5, 5)); }
    // A mark as the pupil sees it: "ok", "ko" (pressable) or "-" hidden.
    static QString Znacka(Hra &h, int i)
    {
        platform::Image *z = h.IHod(i);
        if (!z->Visible)
            return QStringLiteral("-");
        const QImage obraz = platform::Picture(z->Picture).image();
        for (const char *meno : {"ok", "ko"})
            if (obraz == platform::LoadPicture(Misc::Cesta_CD + "Bitmap/Games/Check_" + meno + ".bmp").image())
                return QLatin1String(meno) + (z->Enabled ? QStringLiteral("!") : QString());
        return QStringLiteral("?");
    }
};

TEST_F(Kontrola, OneRightAndOneWrongExampleAreMarkedAndCounted)
{
    Hra &h = Ukaz("1", 0, 10);
    Ako_generator(h, "TV2(1)=12 TV2(3)=3 TV2(4)=4");
    Napis(h, "TV2(1)=12 TV2(3)=3 TV2(4)=5");
    Skontroluj(h);
    QStringList znacky;
    for (int i = 1; i <= 10; ++i)
        znacky << Znacka(h, i);
    EXPECT_EQ(znacky.join(' ').toStdString(), "ok - ko! - ko! - ko! - ko! -") << "empty examples are wrong";
    EXPECT_EQ(Misc::Pocet_spravnych, 1);
    EXPECT_EQ(Misc::Pocet_spatnych, 4);
    EXPECT_TRUE(h.picPokracuj->Visible);

    QTest::keyClicks(h.TV2(1)->editor(), QStringLiteral("3"));
    QTest::mouseClick(h.TV1(2)->editor(), Qt::LeftButton);
    QTest::keyClicks(h.TV1(2)->editor(), QStringLiteral("3"));
    EXPECT_EQ(QString(h.TV2(1)->Text).toStdString(), "12") << "the checked cells are locked";
    EXPECT_EQ(QString(h.TV1(2)->Text).toStdString(), "");
}

TEST_F(Kontrola, OnlyTheExamplesOfTheScreenAreTouched)
{
    Hra &h = Ukaz("1", 0, 2);
    Skontroluj(h);
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(bool(h.TV1(r)->Locked), r <= 4) << r;
        EXPECT_EQ(bool(h.TV2(r)->Locked), r <= 4) << r;
    }
    EXPECT_EQ(Znacka(h, 1) + Znacka(h, 3) + Znacka(h, 5), "ko!ko!-");
    EXPECT_EQ(Misc::Pocet_spatnych, 2);
}

TEST_F(Kontrola, TheRowCheckSuppressesTheContinueButtonOnce)
{
    Hra &h = Ukaz("1", 0, 10);
    h.Zobrazit_pokracuj = false;
    Skontroluj(h);
    EXPECT_FALSE(h.picPokracuj->Visible);
    EXPECT_TRUE(h.Zobrazit_pokracuj);
    EXPECT_EQ(hodiny.WaitsWithEvents().size(), 0) << "no slide";
}

struct Pripad {
    const char *meno, *uloha;
    int varianta;
    const char *tagy, *odpovede;
    int znacka;
    bool spravne;
};

// Every rule, row by row: one example on the screen.
const Pripad Pripady[] = {
    // Tasks 1 to 3 and 12: rows 1 and 2, expected lines in the second column.
    {"one row: the result in the second column", "1", 0, "TV2(1)=12", "TV2(1)=12", 1, true},
    {"one row: a step in the first column, the result in the second", "2", 0, "TV2(1)=12", "TV1(1)=5+7 TV2(1)=12",
     1, true},
    {"one row: the result in the first column", "1", 0, "TV2(1)=12", "TV1(1)=12", 1, true},
    {"one row: terms added in another order", "1", 0, "TV2(1)=2x+3", "TV2(1)=3+2x", 1, true},
    {"one row: a wrong result", "1", 0, "TV2(1)=12", "TV2(1)=13", 1, false},
    {"one row: 0,750 is not 0,75", "1", 0, "TV2(1)=0,75", "TV2(1)=0,750", 1, false},
    {"fraction in the second column", "3", 0, "TV2(1)=3 TV2(2)=4", "TV2(1)=3 TV2(2)=4", 1, true},
    {"fraction right in the second column, wrong in the first", "3", 0, "TV2(1)=3 TV2(2)=4",
     "TV1(1)=6 TV1(2)=8 TV2(1)=3 TV2(2)=4", 1, true},
    {"fraction right in the first column, anything above in the second", "3", 0, "TV2(1)=3 TV2(2)=4",
     "TV1(1)=3 TV1(2)=4 TV2(1)=9", 1, true},
    {"fraction right in the first column, a wrong one in the second", "3", 0, "TV2(1)=3 TV2(2)=4",
     "TV1(1)=3 TV1(2)=4 TV2(1)=6 TV2(2)=8", 1, true},
    {"numerator in one column, denominator in the other", "3", 0, "TV2(1)=3 TV2(2)=4", "TV1(1)=3 TV2(2)=4", 1,
     false},
    {"a fraction without its lower line", "3", 0, "TV2(1)=3 TV2(2)=4", "TV2(1)=3", 1, false},
    {"task 12 as task 3", "12", 0, "TV2(1)=x+1 TV2(2)=x", "TV1(1)=1+x TV1(2)=x", 1, true},
};

TEST_F(Kontrola, RulesOfTheTasks)
{
    for (const Pripad &p : Pripady) {
        Misc::Pocet_spravnych = Misc::Pocet_spatnych = 0;
        Hra &h = Ukaz(p.uloha, p.varianta, 1);
        Ako_generator(h, p.tagy);
        Napis(h, p.odpovede);
        Skontroluj(h);
        EXPECT_EQ(Znacka(h, p.znacka).toStdString(), p.spravne ? "ok" : "ko!") << p.meno;
        EXPECT_EQ(Misc::Pocet_spravnych * 10 + Misc::Pocet_spatnych, p.spravne ? 10 : 1) << p.meno;
    }
}

} // namespace
