// The row-check button of tasks 11 and 17: the pupil clicks beside a row;
// a right row opens the next cells, a wrong one gets the error bubble, and
// a second wrong click ends the example.
#include "Kontrola_support.h"
#include "exercise/Nacti_priklady.h"
#include "expr/NumberText.h"
#include "expr/Random.h"

#include <QCursor>
#include <QRegularExpression>
#include <cmath>
#include <set>

namespace {

using namespace hra_test;

class KontrolaRiadku : public Kontrola {
protected:
    // A screen of task 11 with these Tags, the second row's element by
    // `druhy` ("Check" or "Switcher_and").
    Hra &Uloha_11(int pocet, const char *tagy, const char *druhy = "Check")
    {
        Hra &h = Ukaz("11", 0, pocet);
        for (int p = 1; p <= pocet; ++p)
            h.ICheck(3 * p - 1)->Tag = QString::fromLatin1(druhy);
        Ako_generator(h, tagy);
        return h;
    }
    // A screen of task 17 whose x is 3, excluding 1 and -2.
    Hra &Uloha_17(int pocet)
    {
        Hra &h = Ukaz("17", 0, pocet);
        h.Sleduj_generator();
        Ako_generator(h, "TV1(6)=3 TV1(12)=1 TV2(12)=-2");
        h.Hodnota_X_kontroly = 3;
        return h;
    }
    static void Klikni(Hra &h, int r, QPoint kurzor = {400, 300})
    {
        QCursor::setPos(kurzor);
        Klik(h.ICheck(r), 3, 3);
    }
    // The bubble stands, the screen shut, until the first tick after its
    // deadline; the ticks before it return at once.
    bool Bublina_zmizne(Hra &h, qint64 trvanie = 0)
    {
        const qint64 zostava = h.Konec_bubliny - hodiny.TickCount();
        if (trvanie && zostava != trvanie)
            return false;
        hodiny.Advance(zostava - 1);
        QTest::qWait(250);
        if (!h.PicIcheck->Visible || h.Enabled)
            return false;
        hodiny.Advance(1);
        return QTest::qWaitFor([&] { return !h.PicIcheck->Visible; }, 2000) && h.Enabled;
    }
    static bool Bublina_na_javisku(Hra &h) { return h.PicIcheck->Visible && Na_javisku(h.PicIcheck->geometry()); }
    static std::string Bunka(const platform::TextBox *b)
    {
        return !b->Visible ? "hidden" : b->Locked ? "locked" : !b->Enabled ? "waiting"
               : QColor(b->BackColor) == platform::RGB(255, 236, 182) ? "open" : "?";
    }
};

TEST_F(KontrolaRiadku, ARightRowOpensTheNextOne)
{
    Hra &k = Uloha_11(3, "TV1(1)=x TV2(1)=2 TV3(1)=x TV4(1)=-1");
    Napis(k, "TV1(1)=x TV2(1)=-1");
    Klikni(k, 1);
    EXPECT_FALSE(k.PicIcheck->Visible) << "either condition of the row is right";
    EXPECT_TRUE(k.ICheck(2)->Visible);
    EXPECT_EQ(Bunka(k.TV1(2)) + " " + Bunka(k.TV2(2)) + " " + Bunka(k.TV1(3)), "open open waiting");

    // Before a switch the second condition of the next row waits for it.
    Hra &h = Uloha_11(3, "TV1(1)=x TV2(1)=2", "Switcher_and");
    Napis(h, "TV1(1)=x TV2(1)=2");
    Klikni(h, 1);
    EXPECT_EQ(Bunka(h.TV1(2)) + " " + Bunka(h.TV2(2)) + " " + Bunka(h.TV3(2)), "open open waiting");
    // The switch opens it, right or not.
    Napis(h, "TV1(2)=y TV2(2)=0");
    Klikni(h, 2);
    EXPECT_EQ(Bunka(h.TV3(2)) + " " + Bunka(h.TV4(2)) + (h.PicIcheck->Visible ? " bubble" : ""), "open open");
}

// The bubble lies wholly on the stage even where the pointer is near its edge.
TEST_F(KontrolaRiadku, AWrongRowGetsTheBubbleForFourSecondsAndASecondWrongClickEndsTheExample)
{
    Hra &h = Uloha_11(3, "TV1(1)=x TV2(1)=2 TV1(3)=x TV2(3)=5 TV1(4)=x TV2(4)=2 TV1(5)=x TV2(5)=4");
    Napis(h, "TV1(1)=x TV2(1)=3");
    Klikni(h, 1, h.mapToGlobal(QPoint(20, 470)));
    EXPECT_TRUE(Bublina_na_javisku(h));
    Obrazok(QStringLiteral("bublina_11"));
    ASSERT_TRUE(Bublina_zmizne(h, 4000));
    Klikni(h, 1);
    EXPECT_FALSE(h.PicIcheck->Visible);
    EXPECT_EQ(Znacky(h, 2), "ko! -");
    EXPECT_EQ(Misc::Pocet_spravnych + Misc::Pocet_spatnych, 0) << "uncounted";
    EXPECT_TRUE(h.TV1(1)->Locked && !h.ICheck(1)->Enabled);
    EXPECT_FALSE(h.TV1(4)->Locked) << "the other examples stay open";
    EXPECT_TRUE(h.PicTop(1)->Enabled) << "the screen is not checked yet";

    // The next example: a right row after a bubble leaves the next wrong row its bubble.
    Napis(h, "TV1(4)=x TV2(4)=3");
    Klikni(h, 4);
    ASSERT_TRUE(Bublina_zmizne(h));
    QTest::keyClick(h.TV2(4)->editor(), Qt::Key_Backspace);
    Napis(h, "TV2(4)=2");
    Klikni(h, 4);
    Napis(h, "TV1(5)=x TV2(5)=5");
    Klikni(h, 5);
    EXPECT_TRUE(h.PicIcheck->Visible && Znacka(h, 2) == "-") << "a bubble, not the end of the example";
}

// The rows after the first that the help page names for the lower part
// `m`, as the tables write it ("3x-24", "x²+5x", "4(x-3)"): the step for its
// kind, then x and the values it must not take, a row's two conditions
// joined by " a ".
QStringList Kroky_11(const QString &m)
{
    const auto rozne = [](const QString &lava, double prava) { return lava + " ≠ " + FormatNumber(prava); };
    const auto koren = [](const QString &zatvorka) { return -zatvorka.mid(1).toDouble(); }; // of "x+5"
    static const QRegularExpression krat(QStringLiteral(R"(^(\d+|x)\((x[+-]\d+)\)$)"));
    static const QRegularExpression clen(QStringLiteral("[+-]?[^+-]+"));
    if (const QRegularExpressionMatch s = krat.match(m); s.hasMatch()) {
        const QString zatvorka = s.captured(2), posledny = rozne("x", koren(zatvorka));
        // A product: each factor at once; a number times a bracket: divided by the number.
        if (s.captured(1) == "x")
            return {rozne("x", 0) + " a " + posledny};
        return {zatvorka + " ≠ 0", posledny};
    }
    QStringList cleny;
    for (auto it = clen.globalMatch(m); it.hasNext();)
        cleny << it.next().captured();
    for (int c = 0; c < cleny.size(); ++c)
        if (!cleny[c].contains(u'x')) {
            // The number moved to the right, then divided by the number at x, and the root taken of x².
            const double cislo = cleny.takeAt(c).toDouble();
            const QString lava = cleny.join(QString()).remove(QRegularExpression(QStringLiteral("^\\+")));
            const QString pri_x = lava.section(u'x', 0, 0);
            const double v = -cislo / (pri_x.isEmpty() ? 1 : pri_x.toDouble());
            const QString posledny = lava.contains(u'²') ? rozne("x", std::sqrt(v)) + " a " + rozne("x", -std::sqrt(v))
                                                         : rozne("x", v);
            return {rozne(lava, -cislo), posledny};
        }
    // No number: x taken out of every term.
    QString zatvorka;
    for (QString c : cleny) {
        c.chop(1); // x² gives x, 5x gives 5
        zatvorka += c.isEmpty() || c == "+" || c == "-" ? c + '1' : c;
    }
    return {"x(" + zatvorka + ") ≠ 0", rozne("x", 0) + " a " + rozne("x", koren(zatvorka))};
}

// As the help page says: the first row is the whole lower part, as the
// expression shows it, not equal to 0; the next rows are the steps that
// the page names for the kind of lower part, each worked there on an
// example; the last row, the one with „a“, is x and a value it must not
// take, a second one after „a“.
TEST_F(KontrolaRiadku, Task11RowsWrittenAsTheHelpSaysAreAccepted)
{
    const QString stranka = Napoveda(QStringLiteral("11"));
    for (const char *m : {"3x-24", "2x²-18", "x²+5x", "x(x-2)", "4(x-3)"}) {
        const QString menovatel = QString::fromUtf8(m);
        const QString priklad = (QStringList{menovatel + " ≠ 0"} + Kroky_11(menovatel)).join(", ");
        EXPECT_TRUE(stranka.contains(priklad)) << "the page works " << priklad.toStdString();
    }
    Hra &h = Ukaz("11", 0, 3);
    QStringList odmietnute;
    std::set<int> vzory;
    for (quint32 s = 1; s <= 40; ++s) {
        Randomize_seed(s);
        h.PicTop_MouseDown(2, 1, 0, 1, 1);
        for (int i = 1; i <= Misc::Pocet_prikladu; ++i) {
            const QString m = Bez_glyfov(h.TZ1(3 * i - 1)->Caption);
            const QStringList riadky = QStringList{m + " ≠ 0"} + Kroky_11(m);
            const QString priklad =
                QStringLiteral("seed %1, template %2: %3: ").arg(s).arg(Misc::Vybrany_vzor[i]).arg(riadky.join(", "));
            vzory.insert(Misc::Vybrany_vzor[i]);
            for (int k = 0, r = 3 * i - 2; k < riadky.size(); ++k, ++r) {
                const QStringList podmienky = riadky[k].split(QStringLiteral(" a "));
                for (int p = 0; p < podmienky.size(); ++p) {
                    if (p)
                        Klikni(h, r); // „a“
                    if (!(p ? h.TV3(r) : h.TV1(r))->Enabled) {
                        odmietnute << priklad + QStringLiteral("row %1 not open").arg(k + 1);
                        break;
                    }
                    const QStringList strany = podmienky[p].split(QStringLiteral(" ≠ "));
                    Napis(p ? h.TV3(r) : h.TV1(r), Glyfy(strany[0].toUtf8().constData()));
                    Napis(p ? h.TV4(r) : h.TV2(r), Glyfy(strany[1].toUtf8().constData()));
                }
                if ((k + 1 == riadky.size()) != (h.ICheck(r)->Tag() == "Switcher_and"))
                    odmietnute << priklad + QStringLiteral("row %1 is not the one with „a“").arg(k + 1);
                else if (k + 1 < riadky.size()) {
                    Klikni(h, r);
                    if (h.PicIcheck->Visible) {
                        odmietnute << priklad + QStringLiteral("row %1 refused").arg(k + 1);
                        ASSERT_TRUE(Bublina_zmizne(h));
                        h.Faze_kontroly = 1;
                    }
                }
            }
        }
        Skontroluj(h);
        for (int i = 1; i <= Misc::Pocet_prikladu; ++i)
            if (Znacka(h, i) != "ok")
                odmietnute << QStringLiteral("seed %1, example %2 marked %3").arg(s).arg(i).arg(Znacka(h, i));
    }
    EXPECT_EQ(int(vzory.size()), Misc::Pocet_vzoru());
    EXPECT_TRUE(odmietnute.isEmpty()) << odmietnute.mid(0, 12).join('\n').toStdString();
}

TEST_F(KontrolaRiadku, ARowOfAnExampleNotMadeChecksNothing)
{
    Hra &k = Uloha_11(1, "TV1(1)=x TV2(1)=2");
    k.ICheck(4)->Tag = QStringLiteral("Check");
    k.Faze_kontroly = 2;
    Napis(k, "TV1(4)=x");
    Klikni(k, 4);
    EXPECT_EQ(Znacky(k, 2), "- -");
    EXPECT_EQ(k.Faze_kontroly, 2) << "example 2 is not on the screen";

    Hra &h = Uloha_17(1);
    h.Priklad_vytvoreny[1] = false; // as the generator leaves an example it gave up on
    for (int klik = 0; klik < 2; ++klik)
        Klikni(h, 1);
    EXPECT_FALSE(h.PicIcheck->Visible);
    EXPECT_TRUE(h.isLoaded() && h.PicTop(1)->Enabled && Misc::Pocet_spatnych == 0) << "nothing judged nor counted";
}

TEST_F(KontrolaRiadku, Task17SwitchOpensTheSecondConditionAndRightRowsAreAccepted)
{
    Hra &h = Uloha_17(1);
    h.TV2(12)->Text = QStringLiteral("9");
    h.FontName = QStringLiteral("MS Sans Serif");
    Klikni(h, 12);
    EXPECT_EQ(Bunka(h.TV2(12)) + QString(h.TV2(12)->Text).toStdString(), "open") << "opened empty";
    EXPECT_EQ(Fokus(), h.TV2(12)->editor());
    EXPECT_EQ(QString(h.FontName), "MS Sans Serif") << "the form keeps its face";

    Napis(h, "TV1(12)=-2 TV2(12)=1");
    Klikni(h, 1);
    EXPECT_FALSE(h.PicIcheck->Visible);
    EXPECT_FALSE(h.ICheck(1)->Enabled || h.ICheck(12)->Enabled || !h.TV2(12)->Locked);
    EXPECT_EQ(Obraz(h.ICheck(1)->Picture, {"Check_ok"}), "Check_ok");

    // A row is right when both sides have one value at x = 3.
    Hra &g = Uloha_17(1);
    Napis(g, "TV1(1)=x²(x-1) TV2(1)=18");
    Klikni(g, 1);
    EXPECT_TRUE(!g.PicIcheck->Visible && g.TV2(1)->Locked && !g.ICheck(1)->Enabled);
}

// Both sides of a row are read as the pupil's lines and compared at the
// example's x: a root that is a fraction leaves a side 0 only up to the
// last bits; an operator beside nothing, or a letter but x, leaves a side
// without a value.
TEST_F(KontrolaRiadku, Task17RowsAreJudgedByTheirValueAtTheSolution)
{
    const struct { const char *riadok; double x; bool spravny; } Riadky[] = {
        {"TV1(1)=(x+8)7 TV2(1)=77", 3, true},
        {"TV1(1)=·(x+8)7 TV2(1)=77", 3, false},
        {"TV1(1)=7(x+3)+2x TV2(1)=0", -7.0 / 3, true},
        {"TV1(1)=6(x+3)+4x TV2(1)=0", -9.0 / 5, true},
        {"TV1(1)=10(x+2)+4x TV2(1)=0", -10.0 / 7, true},
        {"TV1(1)=x²+10x+25 TV2(1)=x²-2x", -25.0 / 12, true},
        {"TV1(1)=·x3 TV2(1)=9", 3, false},
        {"TV1(1)=/x7 TV2(1)=3/7", 3, false},
        {"TV1(1)=(·x3) TV2(1)=9", 3, false},
        {"TV1(1)=2x+·x2-8 TV2(1)=4", 3, false},
        {"TV1(1)=x3· TV2(1)=9", 3, false},
        {"TV1(1)=2(5y-5) TV2(1)=5(x-2)", 0, false},
    };
    for (const auto &r : Riadky) {
        Hra &h = Uloha_17(1);
        h.Hodnota_X_kontroly = r.x;
        Napis(h, r.riadok);
        Klikni(h, 1);
        EXPECT_EQ(bool(h.TV2(1)->Locked), r.spravny) << r.riadok;
        EXPECT_EQ(bool(h.PicIcheck->Visible), !r.spravny) << r.riadok;
        if (h.PicIcheck->Visible) {
            ASSERT_TRUE(Bublina_zmizne(h));
        }
    }
}

// Every stage row that a generated screen expects, written as the first
// row, is accepted, whatever fraction the solution is.
TEST_F(KontrolaRiadku, Task17AcceptsEveryRowOfItsOwnSolution)
{
    Hra &h = Ukaz("17", 0, 1);
    QStringList odmietnute;
    int riadkov = 0, zlomkov = 0;
    for (quint32 s = 1; s <= 1000; ++s) {
        Randomize_seed(s);
        h.Vygeneruj_priklad_17(false);
        zlomkov += h.Hodnota_X_kontroly != std::round(h.Hodnota_X_kontroly);
        for (int k = 1; k <= 50; ++k) {
            const QString lava = h.Vysledek_prikladu(k, 1), prava = h.Vysledek_prikladu(k, 2);
            if (lava.isEmpty() || prava.isEmpty())
                continue;
            for (platform::TextBox *b : {h.TV1(1), h.TV2(1)}) {
                b->Text = QString();
                b->Locked = false;
            }
            h.ICheck(1)->Enabled = true;
            h.Faze_kontroly = 1;
            Napis(h.TV1(1), lava);
            Napis(h.TV2(1), prava);
            Klikni(h, 1);
            ++riadkov;
            if (!h.TV2(1)->Locked) {
                odmietnute << QStringLiteral("seed %1: %2 = %3").arg(s).arg(lava, prava);
                ASSERT_TRUE(Bublina_zmizne(h));
            }
        }
    }
    EXPECT_GT(zlomkov, 400) << "solutions that are fractions";
    EXPECT_GT(riadkov, 3000);
    EXPECT_TRUE(odmietnute.isEmpty()) << odmietnute.size() << " of " << riadkov << " refused\n"
                                      << odmietnute.mid(0, 8).join('\n').toStdString();
}

TEST_F(KontrolaRiadku, Task17SecondWrongClickChecksAndGoesOn)
{
    // zaznam: the calls out after the second wrong click
    const struct { int pocet; const char *zaznam; } Serie[] = {
        {2, "generated false"}, {1, "table loaded|mark 0 1|Hra.res 17 Jano 0 1 2 1"}};
    for (const auto &s : Serie) {
        Hra &h = Uloha_17(s.pocet);
        Napis(h, "TV1(1)=2x TV2(1)=7");
        Klikni(h, 1, h.mapToGlobal(QPoint(590, 470)));
        EXPECT_TRUE(Bublina_na_javisku(h));
        if (s.pocet == 2)
            Obrazok(QStringLiteral("bublina_17"));
        ASSERT_TRUE(Bublina_zmizne(h, 5000));
        const qsizetype pred = h.zaznam.size();
        Klikni(h, 1);
        EXPECT_EQ(Misc::Pocet_spatnych, 1) << s.pocet;
        EXPECT_EQ(hodiny.WaitsWithEvents().size(), 0) << "the continue button is not drawn";
        EXPECT_TRUE(h.zaznam.mid(pred).join('|').startsWith(QLatin1String(s.zaznam)))
            << h.zaznam.mid(pred).join('|').toStdString();
        EXPECT_EQ(h.isLoaded(), s.pocet == 2);
    }
}

} // namespace
