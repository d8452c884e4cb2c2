// The exercise screen driven through the real widgets of a shown screen:
// the answer cells and their keys, the relation signs of task 18, and the
// side tools (the calculator and notes panels with their tabs, the logo's
// help page and the superscript bar).
#include "Kontrola_support.h"
#include "shell/Formulare.h"
#include "shell/frm_Intro.h"

namespace {

using namespace hra_test;
using Panely = Kontrola;
using BunkyOdpovedi = Kontrola;

// Entering a region or a top-bar button sounds and highlights once.
TEST_F(Panely, HoverSoundsOnceOnEnteringARegion)
{
    // kde: 0 the form, 1 to 4 a top-bar button; zvyraznene: the calculator
    // tab ("tab") and the buttons highlighted; kurzor: the form's, if checked
    const struct { const char *name; int kde, x, y, zvuky; const platform::Picture *kurzor; const char *zvyraznene; }
        rows[] = {
            {"logo entered", 0, 100, 40, 1, &Misc::Kurzor_napoveda, ""},
            {"moving within the logo", 0, 120, 50, 1, &Misc::Kurzor_napoveda, ""},
            {"calculator tab", 0, 8, 130, 2, &Misc::Kurzor_ruka, "tab"},
            {"background: arrow, no sound, the tab drawn again", 0, 300, 300, 2, &Misc::Kurzor_sipka, ""},
            {"onto new examples", 2, 10, 10, 3, nullptr, "2"},
            {"onto check", 1, 10, 10, 4, nullptr, "1"},
            {"back onto the background", 0, 300, 300, 4, &Misc::Kurzor_sipka, ""},
        };
    Hra &h = Ukaz("1", 0, 5);
    const QImage normalna = h.persistentImage(); // the buttons are widgets of their own
    const auto zvyraznene = [&] {
        QString z = h.persistentImage() != normalna ? QStringLiteral("tab") : QString();
        for (int i = 1; i <= 4; ++i)
            if (Obraz(h.PicTop(i)->Picture, {"mkonth", "mnoveh", "mtabh", "mzpeth"}) != QLatin1String("?"))
                z += QString::number(i);
        return z;
    };
    for (const auto &r : rows) {
        Pohyb(r.kde ? static_cast<QWidget *>(h.PicTop(r.kde)) : &h, r.x, r.y);
        EXPECT_EQ(Zvuky("enter"), r.zvuky) << r.name;
        EXPECT_TRUE(!r.kurzor || Rovnake(h.MouseIcon, *r.kurzor)) << r.name;
        EXPECT_EQ(zvyraznene(), QLatin1String(r.zvyraznene)) << r.name;
    }
}

// At most one panel is open; a click elsewhere on the form only closes it.
TEST_F(Panely, PanelsSlideOneAtATimeAndKeepWhatTheyHold)
{
    Hra &h = Ukaz("4", 0, 5);
    Kresleni kresleni(h.PicKalk);
    Klik(&h, 8, 130);
    EXPECT_TRUE(h.Kalkulacka_otevrena == 1 && h.PicKalk->Visible && h.PicKalk->Left == 0);
    EXPECT_GE(kresleni.pocet, hodiny.Waits().size()) << "every frame painted before its wait";
    EXPECT_EQ(Fokus(), h.TKalk->editor());
    QTest::keyClicks(h.TKalk->editor(), "12");
    Klik(h.PicKalk, 200, 200);
    EXPECT_EQ(h.Kalkulacka_otevrena, 1) << "the face between the keys does nothing";

    Klik(&h, 630, 130);
    EXPECT_TRUE(h.Kalkulacka_otevrena == 0 && !h.PicKalk->Visible && h.Poznamky_otevrene == 1 && h.PicPozn->Visible);
    h.TPoznamky->Text = QStringLiteral("2x + 3x = 5x");
    h.tzlomek(0)->Text = QStringLiteral("3");
    Klik(h.PicPozn, 100, 270);
    EXPECT_EQ(h.Poznamky_otevrene, 1) << "the panel face outside the tab does nothing";
    Klik(&h, 300, 300);
    EXPECT_FALSE(h.Poznamky_otevrene || h.PicPozn->Visible);
    EXPECT_EQ(Zvuky("click"), 2) << "a click on the background only closes";

    Klik(&h, 8, 130);
    EXPECT_EQ(h.TKalk->Text, QStringLiteral("12")) << "the display keeps its text";
    Pohyb(h.PicKalk, 210, 40);
    EXPECT_TRUE(Rovnake(h.PicKalk->MouseIcon, Misc::Kurzor_ruka));
    Klik(h.PicKalk, 210, 40);
    EXPECT_FALSE(h.Kalkulacka_otevrena || h.PicKalk->Visible) << "its tab closes it";
    EXPECT_EQ(Fokus(), h.Text1->editor());

    Klik(&h, 630, 130);
    EXPECT_EQ(QString(h.TPoznamky->Text) + h.tzlomek(0)->Text, QStringLiteral("2x + 3x = 5x3")) << "the notes are kept";
    Obrazok(QStringLiteral("panely_poznamky"));
    Klik(h.PicPozn, 17, 40);
    EXPECT_FALSE(h.Poznamky_otevrene || h.PicPozn->Visible) << "X = 17 still belongs to the open tab";
    Obrazok(QStringLiteral("panely_zavrete"));
}

// Keys go where the pupil looks: into the notes once their tab opened them
// (Tab goes on within the panel), and after they close, wherever the
// calculator's closing sends them; never into an answer cell the panel hides.
TEST_F(Panely, KeysTypedWhileTheNotesAreOpenGoIntoTheNotes)
{
    const struct { const char *uloha; int varianta; } rows[] = {{"19", 2}, {"1", 0}, {"10", 0}, {"11", 0}};
    // How a panel is closed: by its own tab, or by a click on the form.
    const std::function<void(Hra &)> zatvor_kalkulacku[] = {[](Hra &h) { Klik(h.PicKalk, 210, 40); },
                                                           [](Hra &h) { Klik(&h, 300, 300); }};
    const std::function<void(Hra &)> zatvor_poznamky[] = {[](Hra &h) { Klik(h.PicPozn, 8, 40); },
                                                         [](Hra &h) { Klik(&h, 300, 300); }};
    for (const auto &r : rows)
        for (int z = 0; z < 2; ++z) {
            const std::string meno = std::string("task ") + r.uloha + (r.varianta == 2 ? "b" : "")
                                     + (z ? ", closed on the form" : ", closed by the tab");
            Hra &h = Ukaz(r.uloha, r.varianta, 5);
            const std::vector<platform::TextBox *> bunky = Bunky(h);
            platform::TextBox *bunka = *std::find_if(bunky.begin(), bunky.end(), [](platform::TextBox *b) {
                return b->Visible && b->Enabled && !b->Locked;
            });
            Klik(bunka->editor());
            QTest::keyClicks(Fokus(), "11");
            Klik(&h, 8, 130);
            zatvor_kalkulacku[z](h);
            QWidget *po_kalkulacke = Fokus();
            EXPECT_TRUE(z || po_kalkulacke == h.Text1->editor()) << meno;

            Klik(&h, 630, 130);
            QTest::keyClicks(Fokus(), "66");
            EXPECT_EQ(QString(h.TPoznamky->Text), QStringLiteral("66")) << meno;
            QTest::keyClick(Fokus(), Qt::Key_Tab);
            EXPECT_TRUE(h.PicPozn->isAncestorOf(Fokus())) << meno << ": Tab stays in the panel";
            zatvor_poznamky[z](h);
            EXPECT_EQ(Fokus(), po_kalkulacke) << meno;
            QTest::keyClicks(Fokus(), "5");
            EXPECT_EQ(QString(bunka->Text), QStringLiteral("11")) << meno;
            EXPECT_EQ(QString(h.TPoznamky->Text), QStringLiteral("66")) << meno;
        }
}

TEST_F(Panely, CalculatorKeysAndKeyboard)
{
    Hra &h = Ukaz("1", 0, 5);
    Klik(&h, 8, 130);
    const int zvuky = Zvuky("enter");
    for (int k : {2, 17, 3}) // 2 + 3
        Klik(h.PicKalkButton(k));
    Klik(h.PicKalkButton(18));
    EXPECT_EQ(Zvuky("enter"), zvuky + 4) << "keys play the hover sound";
    EXPECT_EQ(h.TKalk->Text, QStringLiteral("5"));
    EXPECT_EQ(Fokus(), h.TKalk->editor());

    h.TKalk->Text = QString();
    QTest::keyClicks(h.TKalk->editor(), "1.5x*2");
    EXPECT_EQ(klavesnica.ActiveLayoutName(), platform::UsKeyboardLayout) << "keyboard guard";
    EXPECT_EQ(h.TKalk->Text, QStringLiteral("1,5*2")) << "point becomes comma, letters are dropped";
    QTest::keyClick(h.TKalk->editor(), Qt::Key_Return);
    EXPECT_EQ(h.TKalk->Text, QStringLiteral("3"));
    QTest::keyClicks(h.TKalk->editor(), "-1 =");
    EXPECT_EQ(h.TKalk->Text, QStringLiteral("2")) << "the equals sign evaluates too; blanks are dropped";
    EXPECT_TRUE(QString(h.TKalkPoznamky->Text).endsWith(QLatin1String("=2"))) << "the newest line of the tape last";
    Obrazok(QStringLiteral("panely_kalkulacka"));
    Klik(h.TKalkPoznamky->editor(), 20, 20);
    EXPECT_EQ(Fokus(), h.TKalk->editor()) << "the tape never keeps the focus";
}

// Task 19a has neither a calculator nor a superscript bar.
TEST_F(Panely, LogoClosesAnOpenPanelThenShowsTheHelpPageOfTheTasksVariant)
{
    Hra &h = Ukaz("19", 1, 5);
    Pohyb(&h, 8, 130);
    Klik(&h, 8, 130);
    EXPECT_EQ(zvuk.Played().size(), 0);
    EXPECT_FALSE(h.Kalkulacka_otevrena || h.PicKalk->Visible || h.ExpPic(0)->Visible);
    Klik(&h, 630, 130);
    Klik(&h, 100, 40);
    EXPECT_FALSE(h.Poznamky_otevrene || h.PicPozn->Visible);
    auto &intro = Formulare::frm_Intro;
    EXPECT_EQ(platform::Stage::instance()->frontPage(), intro.get());
    EXPECT_TRUE(Rovnake(intro->Picture, platform::LoadPicture(Misc::Cesta_CD + "Bitmap/Help/19a.bmp")));
    EXPECT_TRUE(h.isLoaded());
    Klik(intro.get(), 10, 10);
    EXPECT_EQ(platform::Stage::instance()->frontPage(), &h) << "the viewer brings the screen back";
}

// A key of the superscript bar closes an open panel, then types its glyph
// into the answer cell that had the focus last, at the caret that cell had;
// a locked cell or a row the screen never loaded takes nothing.
TEST_F(Panely, SuperscriptKeys)
{
    // riadok: the row of TV1 that had the focus last; kurzor 0: no glyph typed
    const struct { const char *name, *uloha; QString text; int start, dlzka, klavesa; const char *po; int kurzor, riadok; bool zamknuta; } rows[] = {
        {"long bar: key i is superscript i, in the middle", "1", "x+y", 1, 0, 3, "x³+y", 2, 1, false},
        {"long bar: a selection is replaced", "1", "abcd", 1, 2, 9, "a⁹d", 2, 1, false},
        {"short bar: leftmost is superscript 2", "15", "x", 0, 0, 0, "²x", 1, 1, false},
        {"a locked cell", "4", "x", 0, 0, 2, "x", 0, 1, true},
        {"a row the screen never loaded", "4", "x", 0, 0, 2, "x", 0, 7, false},
    };
    for (const auto &r : rows) {
        Hra &h = Ukaz(r.uloha, 0, 5);
        platform::TextBox *C = h.TV1(1);
        C->Visible = C->Enabled = true; // as the rows of an equation open
        C->Text = r.text;
        C->SetFocus();
        C->SelStart = r.start;
        C->SelLength = r.dlzka;
        C->Locked = r.zamknuta;
        h.Aktivni_index = r.riadok;
        Klik(&h, 630, 130); // the notes open and take the focus
        Klik(h.ExpPic(r.klavesa));
        EXPECT_EQ(h.Poznamky_otevrene, 0) << r.name;
        EXPECT_EQ(C->Text, Glyfy(r.po)) << r.name;
        if (r.kurzor) {
            EXPECT_EQ(C->SelStart, r.kurzor) << r.name;
            EXPECT_EQ(Fokus(), C->editor()) << r.name;
        }
    }
}

TEST_F(BunkyOdpovedi, KeysInACell)
{
    // fokus: the TV1 element with the focus afterwards
    const struct { const char *meno, *pisane, *zobrazene; int fokus; } Pripady[] = {
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

// Of base, part and percentage, typing one of them marks the empty other
// one with a red "?" once the third is filled.
TEST_F(BunkyOdpovedi, RedQuestionMarkOfPercentageRows)
{
    // pred, po: TV1 to TV4 of the row before and after "5" is typed into column `stlpec`
    const struct { const char *meno; int varianta, stlpec; const char *pred, *po; } Pripady[] = {
        {"base given", 2, 1, "|50||", "5|50|?|"},        {"percentage given", 2, 1, "||20|", "5|?|20|"},
        {"one already asked", 2, 1, "||?|", "5||?|"},    {"fourth column", 2, 4, "|50||", "|50||5"},
        {"variant a", 1, 1, "|50||", "5|50||"},
    };
    for (const auto &p : Pripady) {
        Hra &h = Ukaz("19", p.varianta, 5);
        platform::TextBox *bunky[4] = {h.TV1(1), h.TV2(1), h.TV3(1), h.TV4(1)};
        for (int s = 0; s < 4; ++s)
            bunky[s]->Text = QString::fromLatin1(p.pred).section('|', s, s);
        QTest::keyClick(bunky[p.stlpec - 1]->editor(), Qt::Key_5);
        QStringList po;
        QString cervene;
        for (platform::TextBox *b : bunky) {
            po << b->Text;
            cervene += b->ForeColor == platform::RGB(255, 0, 0) ? QString(b->Text) : QString();
        }
        EXPECT_EQ(po.join('|'), QLatin1String(p.po)) << p.meno;
        EXPECT_EQ(cervene, QString(p.po).count('?') > QString(p.pred).count('?') ? "?" : "")
            << p.meno << ": only a new ? is red";
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
