// The answer cells and their keys, and the relation signs of task 18, driven
// through the real widgets of a shown screen.
#include "Hra_support.h"

#include <QApplication>

namespace {

using namespace hra_test;
using BunkyOdpovedi = Obrazovka;

QWidget *Fokus() { return QApplication::focusWidget(); }

TEST_F(BunkyOdpovedi, TypedCharactersTakeTheirDisplayedForm)
{
    const struct {
        const char *meno, *pisane, *zobrazene;
    } Pripady[] = {
        {"decimal point becomes a comma", "3.5", "3,5"},
        {"asterisk becomes a middle dot", "2*x", "2\u00B7x"},
        {"a comma stays", "1,5", "1,5"},
        {"everything else passes", "x^2-(a/b)", "x^2-(a/b)"},
    };
    Hra &h = Nacitaj("1", 0, 5);
    Zobraz();
    for (int stlpec = 1; stlpec <= 2; ++stlpec) {
        platform::TextBox *bunka = stlpec == 1 ? h.TV1(1) : h.TV2(1);
        for (const auto &p : Pripady) {
            bunka->Text = QString();
            bunka->SetFocus();
            QTest::keyClicks(bunka->editor(), QString::fromUtf8(p.pisane));
            EXPECT_EQ(bunka->Text, QString::fromUtf8(p.zobrazene)) << p.meno << " in TV" << stlpec;
        }
    }
    EXPECT_EQ(klavesnica.ActiveLayoutName(), platform::UsKeyboardLayout) << "every key forces the US layout";
}

TEST_F(BunkyOdpovedi, EnterAndTheSeparatorKeyMoveOnLikeTab)
{
    const struct {
        const char *meno;
        Qt::Key kluc;
        Qt::KeyboardModifiers modifikatory;
        bool posunie;
    } Pripady[] = {
        {"Enter", Qt::Key_Return, {}, true},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true},
        {"keypad separator (108)", Qt::Key_Comma, Qt::KeypadModifier, true},
        {"a digit stays", Qt::Key_5, {}, false},
    };
    Hra &h = Nacitaj("4", 0, 5);
    for (int i = 2; i <= 5; ++i)
        h.TV1(i)->Visible = true;
    Zobraz();
    for (const auto &p : Pripady) {
        h.TV1(1)->SetFocus();
        QTest::keyClick(h.TV1(1)->editor(), p.kluc, p.modifikatory);
        EXPECT_EQ(Fokus(), p.posunie ? h.TV1(2)->editor() : h.TV1(1)->editor()) << p.meno;
    }
}

TEST_F(BunkyOdpovedi, QuestionMarkRuleOfPercentageRows)
{
    const struct {
        const char *meno;
        const char *uloha;
        int varianta;
        int stlpec;                     // the cell typed in
        const char *pred[4];            // TV1..TV4 of a row before the key
        const char *po[4];              // and after ("?" red, the key's digit aside)
    } Pripady[] = {
        {"base given: the percentage is asked", "19", 2, 1, {"", "50", "", ""}, {"5", "50", "?", ""}},
        {"percentage given: the part is asked", "19", 2, 1, {"", "", "20", ""}, {"5", "?", "20", ""}},
        {"typing the part", "19", 2, 2, {"80", "", "", ""}, {"80", "5", "?", ""}},
        {"typing the percentage", "19", 2, 3, {"", "7", "", ""}, {"?", "7", "5", ""}},
        {"both filled: nothing", "19", 2, 1, {"", "50", "20", ""}, {"5", "50", "20", ""}},
        {"both empty: nothing", "19", 2, 1, {"", "", "", ""}, {"5", "", "", ""}},
        {"one is already asked: nothing", "19", 2, 1, {"", "50", "?", ""}, {"5", "50", "?", ""}},
        {"an asked cell is not a given one", "19", 2, 1, {"", "", "?", ""}, {"5", "", "?", ""}},
        {"nor the other way round", "19", 2, 1, {"", "?", "", ""}, {"5", "?", "", ""}},
        {"the fourth column has no rule", "19", 2, 4, {"", "50", "", ""}, {"", "50", "", "5"}},
        {"not in variant a", "19", 1, 1, {"", "50", "", ""}, {"5", "50", "", ""}},
    };
    for (const auto &p : Pripady) {
        SCOPED_TRACE(p.meno);
        Hra &h = Nacitaj(p.uloha, p.varianta, 5);
        Zobraz();
        platform::TextBox *bunky[4] = {h.TV1(1), h.TV2(1), h.TV3(1), h.TV4(1)};
        for (int s = 0; s < 4; ++s) {
            bunky[s]->Visible = true;
            bunky[s]->Text = QString::fromUtf8(p.pred[s]);
            bunky[s]->ForeColor = platform::RGB(0, 0, 0);
        }
        bunky[p.stlpec - 1]->SetFocus();
        QTest::keyClick(bunky[p.stlpec - 1]->editor(), Qt::Key_5);
        for (int s = 0; s < 4; ++s) {
            EXPECT_EQ(bunky[s]->Text, QString::fromUtf8(p.po[s])) << "TV" << s + 1;
            const bool novy_otaznik = QString::fromUtf8(p.po[s]) == QLatin1String("?")
                                      && QString::fromUtf8(p.pred[s]) != QLatin1String("?");
            EXPECT_EQ(bunky[s]->ForeColor, novy_otaznik ? platform::RGB(255, 0, 0) : platform::RGB(0, 0, 0))
                << "TV" << s + 1;
        }
        h.Unload();
    }
}

TEST_F(BunkyOdpovedi, KeyInARedQuestionMarkTurnsItBlack)
{
    Hra &h = Nacitaj("19", 2, 4);
    Zobraz();
    for (auto *stlpec : {&h.TV1, &h.TV2, &h.TV3, &h.TV4}) {
        platform::TextBox *b = (*stlpec)(1);
        b->Text = QStringLiteral("?");
        b->ForeColor = platform::RGB(255, 0, 0);
        b->SetFocus();
        QTest::keyClick(b->editor(), Qt::Key_End);
    }
    EXPECT_EQ(h.TV1(1)->ForeColor, platform::RGB(0, 0, 0));
    EXPECT_EQ(h.TV3(1)->ForeColor, platform::RGB(0, 0, 0));
    EXPECT_EQ(h.TV4(1)->ForeColor, platform::RGB(255, 0, 0)) << "TV4 to TV6 keep their colour";
}

TEST_F(BunkyOdpovedi, ClicksAndPointerBeforeAndAfterTheCheck)
{
    Hra &h = Nacitaj("4", 0, 5);
    h.TV1(2)->Visible = true;
    Zobraz();
    QTest::mouseClick(h.TV1(1)->editor(), Qt::LeftButton);
    EXPECT_EQ(Zvuky(), QStringLiteral("click"));
    EXPECT_EQ(Fokus(), h.TV1(1)->editor());
    for (int i : {1, 1, 2, 2, 1})
        QTest::mouseMove(h.TV1(i)->editor(), QPoint(5 + i, 5));
    EXPECT_EQ(Zvuky(), QStringLiteral("enter enter enter")) << "once per cell entered";
    EXPECT_EQ(Misc::Zvyrazneny_prvek, 1101);
    EXPECT_EQ(h.TV1(1)->mouseIcon().image(), Misc::Kurzor_ruka.image());

    h.PicTop(1)->Enabled = false; // the check has run
    QTest::mouseClick(h.TV1(2)->editor(), Qt::LeftButton);
    EXPECT_EQ(Zvuky(), QString());
    EXPECT_EQ(Fokus(), h.Text1->editor()) << "the focus sink takes it while no cell may";
    QTest::mouseMove(h.TV1(2)->editor(), QPoint(4, 4));
    EXPECT_EQ(Zvuky(), QString());
    EXPECT_EQ(h.TV1(2)->mouseIcon().image(), Misc::Kurzor_sipka.image());
    EXPECT_EQ(Misc::Zvyrazneny_prvek, 1101);
}

TEST_F(BunkyOdpovedi, Task11DecidesByTheCellsOwnLock)
{
    Hra &h = Nacitaj("11", 0, 5);
    h.TV1(4)->Visible = true;
    Zobraz();
    h.PicTop(1)->Enabled = false;
    h.TV1(1)->Locked = true; // the first row has been checked
    QTest::mouseClick(h.TV1(1)->editor(), Qt::LeftButton);
    EXPECT_EQ(Zvuky(), QString());
    EXPECT_EQ(Fokus(), h.Text1->editor());
    QTest::mouseClick(h.TV1(4)->editor(), Qt::LeftButton);
    EXPECT_EQ(Zvuky(), QStringLiteral("click"));
    EXPECT_EQ(Fokus(), h.TV1(4)->editor());
}

TEST_F(BunkyOdpovedi, FocusIsRememberedAndOnlyTheSixthColumnClosesPanelsOnIt)
{
    Hra &h = Nacitaj("1", 0, 5);
    h.TV5(1)->Visible = h.TV6(1)->Visible = true;
    Zobraz();
    h.Kalkulacka_otevrena = 1;
    h.PicKalk->Visible = true;
    h.TV5(1)->SetFocus();
    h.TV2(1)->SetFocus();
    EXPECT_TRUE(h.PicKalk->Visible);
    EXPECT_EQ(h.Aktivni_pole + QString::number(h.Aktivni_index), QStringLiteral("tv21"));
    h.TV6(1)->SetFocus();
    EXPECT_FALSE(h.PicKalk->Visible);
    EXPECT_EQ(h.Aktivni_pole + QString::number(h.Aktivni_index), QStringLiteral("tv61"));
    h.Text1->SetFocus();
    EXPECT_EQ(h.Aktivni_pole, QStringLiteral("tv6")) << "kept for the superscript bar";

    h.Poznamky_otevrene = 1;
    h.PicPozn->Visible = true;
    QTest::mouseClick(h.TV1(1)->editor(), Qt::LeftButton);
    EXPECT_FALSE(h.PicPozn->Visible) << "a click closes the open panel";
}

// Task 18: the relation sign between the two sides of every line.
class ZnamienkaRelacie : public Obrazovka {
protected:
    Hra &Priprav()
    {
        Hra &h = Nacitaj("18", 0, 5);
        for (int k = 2; k <= 7; ++k)
            h.Obr_znamenka[k] = platform::Picture(lktest::solid(24, 32, QColor(k * 30, 0, 0)));
        for (int i = 1; i <= 2; ++i) {
            h.IZnam(i)->Tag = QStringLiteral("?");
            h.IZnam(i)->Visible = true;
        }
        h.TZ1(1)->Tag = QStringLiteral("check");
        h.TZ1(2)->Tag = QStringLiteral("check_zlomek");
        Zobraz();
        return h;
    }
    QString Znamienko(Hra &h, int i)
    {
        for (int k = 2; k <= 7; ++k)
            if (h.IZnam(i)->picture().image() == h.Obr_znamenka[k].image())
                return h.IZnam(i)->Tag + QString::number(k);
        return h.IZnam(i)->Tag + QStringLiteral("-");
    }
    void Klikni(Hra &h, int i) { QTest::mouseClick(h.IZnam(i), Qt::LeftButton, {}, QPoint(5, 5)); }
};

TEST_F(ZnamienkaRelacie, ClicksCycleTheSignWithThePictureOfTheLine)
{
    Hra &h = Priprav();
    QStringList r;
    for (int i = 1; i <= 2; ++i)
        for (int k = 0; k < 3; ++k) {
            Klikni(h, i);
            r << Znamienko(h, i);
        }
    EXPECT_EQ(r.join(' '), QStringLiteral("<4 >3 <4 <7 >6 <7"));
    EXPECT_EQ(Zvuky(), QStringLiteral("click click click click click click"));
}

TEST_F(ZnamienkaRelacie, DoubleClickSwitchesTwiceAndAPanelClosesOnTheSameClick)
{
    Hra &h = Priprav();
    // A double click: the first press, then the double-click event.
    QTest::mouseClick(h.IZnam(1), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(h.IZnam(1), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Znamienko(h, 1), QStringLiteral(">3"));
    h.Kalkulacka_otevrena = 1;
    h.PicKalk->Visible = true;
    Klikni(h, 1);
    EXPECT_FALSE(h.PicKalk->Visible);
    EXPECT_EQ(Znamienko(h, 1), QStringLiteral("<4"));
}

} // namespace
