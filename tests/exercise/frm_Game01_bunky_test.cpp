// The answer cells and their keys, and the relation signs of task 18, driven
// through the real widgets of a shown screen.
#include "Kontrola_support.h"

namespace {

using namespace hra_test;
using BunkyOdpovedi = Kontrola;

TEST_F(BunkyOdpovedi, KeysInACell)
{
    const struct {
        const char *meno, *pisane, *zobrazene;
        int fokus; // TV1 element with the focus afterwards
    } Pripady[] = {
        {"decimal point", "3.5", "3,5", 1}, {"asterisk", "2*x", "2\u00B7x", 1},
        {"a comma stays", "1,5", "1,5", 1}, {"Enter moves on like Tab", "4\r", "4", 2},
    };
    Hra &h = Ukaz("4", 0, 2); // two rows: Tab from the second wraps to the first
    for (const auto &p : Pripady) {
        h.TV1(1)->Text = QString();
        h.TV1(1)->SetFocus();
        QTest::keyClicks(h.TV1(1)->editor(), QString::fromUtf8(p.pisane));
        EXPECT_EQ(h.TV1(1)->Text, QString::fromUtf8(p.zobrazene)) << p.meno;
        EXPECT_EQ(Fokus(), h.TV1(p.fokus)->editor()) << p.meno;
    }
    QTest::keyClick(h.TV1(2)->editor(), Qt::Key_Comma, Qt::KeypadModifier);
    EXPECT_EQ(Fokus(), h.TV1(1)->editor()) << "so does the keypad separator";
    EXPECT_EQ(klavesnica.ActiveLayoutName(), platform::UsKeyboardLayout);
    Skontroluj(h); // the check locks the cells
    QTest::mouseDClick(h.TV1(2)->editor(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Fokus(), h.Text1->editor()) << "a double click into a locked cell gives the focus to the sink";
}

TEST_F(BunkyOdpovedi, RedQuestionMarkOfPercentageRows)
{
    const struct {
        const char *meno;
        int varianta, stlpec;  // the cell typed in
        const char *pred, *po; // TV1 to TV4 of the row, "-" empty; a new "?" is red
    } Pripady[] = {
        {"base given", 2, 1, "- 50 - -", "5 50 ? -"},       {"percentage given", 2, 1, "- - 20 -", "5 ? 20 -"},
        {"typing the percentage", 2, 3, "- 7 - -", "? 7 5 -"}, {"one already asked", 2, 1, "- - ? -", "5 - ? -"},
        {"fourth column", 2, 4, "- 50 - -", "- 50 - 5"},     {"variant a", 1, 1, "- 50 - -", "5 50 - -"},
    };
    for (const auto &p : Pripady) {
        Hra &h = Ukaz("19", p.varianta, 5);
        platform::TextBox *bunky[4] = {h.TV1(1), h.TV2(1), h.TV3(1), h.TV4(1)};
        const QStringList pred = QString::fromLatin1(p.pred).split(' ');
        for (int s = 0; s < 4; ++s)
            bunky[s]->Text = pred[s] == QLatin1String("-") ? QString() : pred[s];
        QTest::keyClick(bunky[p.stlpec - 1]->editor(), Qt::Key_5);
        QStringList po;
        for (int s = 0; s < 4; ++s) {
            po << (QString(bunky[s]->Text).isEmpty() ? QStringLiteral("-") : QString(bunky[s]->Text));
            EXPECT_EQ(bunky[s]->ForeColor == platform::RGB(255, 0, 0), po[s] == QLatin1String("?") && pred[s] != po[s])
                << p.meno << " TV" << s + 1;
        }
        EXPECT_EQ(po.join(' '), QLatin1String(p.po)) << p.meno;
    }
}

// Each click turns the sign; the result's row, a fraction, shows the sign
// in its own picture.
TEST_F(BunkyOdpovedi, RelationSignCyclesWithThePictureOfItsLine)
{
    Hra &h = Ukaz("18", 0, 5);
    QStringList r;
    for (int i : {2, 7}) {
        h.IZnam(i)->Tag = QStringLiteral("?");
        h.IZnam(i)->Visible = true;
        for (int k = 0; k < 3; ++k) {
            Klik(h.IZnam(i));
            r << h.IZnam(i)->Tag;
        }
    }
    EXPECT_EQ(r.join(' '), QStringLiteral("< > < < > <"));
    EXPECT_FALSE(Rovnake(h.IZnam(2)->Picture, h.IZnam(7)->Picture));
    EXPECT_FALSE(Rovnake(h.IZnam(2)->Picture, h.IZnam(3)->Picture)) << "a sign, not the empty picture";
    h.Kalkulacka_otevrena = 1;
    h.PicKalk->Visible = true;
    QTest::mouseDClick(h.IZnam(2), Qt::LeftButton, {}, QPoint(5, 5)); // the second click of a double click
    EXPECT_EQ(QString(h.IZnam(2)->Tag), QStringLiteral(">"));
    EXPECT_FALSE(h.PicKalk->Visible) << "an open panel closes on the same click";
}

} // namespace
