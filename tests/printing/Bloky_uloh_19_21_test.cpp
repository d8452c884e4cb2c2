// Worksheets of tasks 19 to 21 as the print command makes them: what each
// page's example column holds, where, and in which face.
#include "Pracovny_list_support.h"

#include "exercise/Nacti_priklady.h"
#include "expr/Random.h"

#include <QDir>
#include <QFile>
#include <set>

using namespace Misc;
using platform::PrintOp;
using namespace pracovny_list_test;

namespace {

// The example column of one page: what lies between the statement and the
// footer rule, texts and lines apart, in print order.
struct Stlpec {
    QList<PrintOp> texty, ciary, obrazky;
};

class Bloky_19_21 : public Pracovny_list {
protected:
    QList<Stlpec> Stlpce() const
    {
        QList<Stlpec> strany(1);
        for (const PrintOp &op : tlaciaren.Ops()) {
            if (op.kind == PrintOp::NewPage)
                strany.append(Stlpec());
            const bool v_stlpci = op.y > Prepocitej_mm_y(25) && op.y < Prepocitej_mm_y(282) && !op.italic;
            if (!v_stlpci)
                continue;
            if (op.kind == PrintOp::Text)
                strany.last().texty.append(op);
            else if (op.kind == PrintOp::Line)
                strany.last().ciary.append(op);
            else if (op.kind == PrintOp::Picture)
                strany.last().obrazky.append(op);
        }
        strany.removeLast();
        return strany;
    }
    // The text printed at (x, y) mm of the page; "?" when there is none.
    static QString Na(const Stlpec &s, int x, int y)
    {
        for (const PrintOp &op : s.texty)
            if (op.x == Prepocitej_mm_x(float(x)) && op.y == Prepocitej_mm_y(float(y)))
                return op.text;
        return QStringLiteral("?");
    }
    static bool Ciara(const Stlpec &s, int x1, int y1, int x2, int y2)
    {
        for (const PrintOp &op : s.ciary)
            if (op.x == Prepocitej_mm_x(float(x1)) && op.y == Prepocitej_mm_y(float(y1))
                && op.x2 == Prepocitej_mm_x(float(x2)) && op.y2 == Prepocitej_mm_y(float(y2)))
                return true;
        return false;
    }
};

// The statements of these tasks in the text table take one line: the
// example column starts at 37 mm.
constexpr int Y0 = 37;

TEST_F(Bloky_19_21, PercentageQuestionsTenAPageWithTheirAnswerLines)
{
    Randomize_seed(1);
    Vytlac("19", 1, 15);
    const QList<Stlpec> strany = Stlpce();
    ASSERT_EQ(strany.size(), 2);
    for (int n = 1; n <= 15; ++n) {
        const Stlpec &s = strany[(n - 1) / 10];
        const int Y = Y0 + 18 * ((n - 1) % 10 + 1);
        const QString otazka = Na(s, 20, Y);
        EXPECT_TRUE(otazka.startsWith(QStringLiteral("%1)  ").arg(n)) && otazka.size() > 12) << otazka.toStdString();
        EXPECT_EQ(Na(s, 20, Y + 7), QString(72, QLatin1Char('_')));
    }
    EXPECT_EQ(strany[1].texty.size(), 10) << "the slots after example 15 stay empty";
    for (const PrintOp &op : strany[0].texty)
        EXPECT_EQ(op.fontName, QLatin1String("MS Sans Serif"));
}

TEST_F(Bloky_19_21, WordProblemsAreNotRepeatedOnASheet)
{
    Randomize_seed(2);
    Vytlac("19", 2, 20);
    const QList<Stlpec> strany = Stlpce();
    ASSERT_EQ(strany.size(), 4);
    const QString zaklad = QStringLiteral("Základ:_____________, časť:_____________, percentá:_____________.");
    const QString vysledok = QStringLiteral("Výsledok:") + QString(52, QLatin1Char('_')) + QLatin1Char('.');
    std::set<QString> ulohy;
    for (int n = 1; n <= 20; ++n) {
        SCOPED_TRACE(n);
        const Stlpec &s = strany[(n - 1) / 6];
        const int Y = Y0 + 32 * ((n - 1) % 6 + 1);
        const QString prvy = Na(s, 20, Y - 14);
        ASSERT_TRUE(prvy.startsWith(QStringLiteral("%1)  ").arg(n))) << prvy.toStdString();
        ulohy.insert(prvy.mid(prvy.indexOf(QLatin1Char(')'))));
        if (Na(s, 20, Y - 7) == zaklad) {
            EXPECT_EQ(Na(s, 20, Y), vysledok) << "a problem of one line";
        } else {
            EXPECT_EQ(Na(s, 20, Y), zaklad);
            EXPECT_EQ(Na(s, 20, Y + 7), vysledok);
        }
    }
    EXPECT_EQ(ulohy.size(), 20u) << "twenty different word problems";
}

TEST_F(Bloky_19_21, ProportionsWithArrowsOfTheirKind)
{
    Randomize_seed(3);
    Vytlac("20", 0, 10);
    const QList<Stlpec> strany = Stlpce();
    ASSERT_EQ(strany.size(), 2);
    EXPECT_EQ(strany[1].texty.size(), 7) << "example 10 alone on page 2";
    int dole = 0;
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        const Stlpec &s = strany[(n - 1) / 9];
        const int Y = Y0 + 25 * ((n - 1) % 9 + 1);
        EXPECT_EQ(Na(s, 20, Y - 5), QStringLiteral("%1) ").arg(n));
        EXPECT_TRUE(Na(s, 30, Y - 5).contains(QStringLiteral(" .  .  . ")));
        EXPECT_TRUE(Na(s, 30, Y + 2).endsWith(QStringLiteral(".     x")));
        EXPECT_EQ(Na(s, 106, Y - 1), QStringLiteral(" = "));
        EXPECT_EQ(Na(s, 80, Y + 9), "x = " + QString(25, '_') + " = " + QString(11, '_'));
        EXPECT_TRUE(Ciara(s, 28, Y - 5, 28, Y + 7) && Ciara(s, 28, Y - 5, 27, Y - 2) && Ciara(s, 28, Y - 5, 29, Y - 2))
            << "left arrow up";
        const bool hore = Ciara(s, 68, Y - 5, 67, Y - 2) && Ciara(s, 68, Y - 5, 69, Y - 2);
        const bool dolu = Ciara(s, 68, Y + 7, 67, Y + 4) && Ciara(s, 68, Y + 7, 69, Y + 4);
        EXPECT_TRUE(Ciara(s, 68, Y - 5, 68, Y + 7) && hore != dolu) << "right arrow";
        dole += dolu;
        if (n == 10) {
            EXPECT_EQ(dolu, Vybrany_vzor[1] == 2) << "the kind of the example on the screen";
        }
    }
    EXPECT_TRUE(dole > 0 && dole < 10) << "both kinds on the sheet";
}

TEST_F(Bloky_19_21, LinearFunctionFiveExamplesOfOneScreenAPage)
{
    Randomize_seed(4);
    Vytlac("21", 1, 10);
    const QList<Stlpec> strany = Stlpce();
    ASSERT_EQ(strany.size(), 2);
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p + 1);
        const Stlpec &s = strany[p];
        EXPECT_EQ(s.texty.size(), 38);
        EXPECT_EQ(s.ciary.size(), 20);
        for (int e = 1; e <= 5; ++e)
            EXPECT_EQ(Na(s, 20, Y0 + 30 * e), QStringLiteral("%1) ").arg(5 * p + e));
        for (int e : {1, 3}) {
            const QString rovnica = Na(s, 150, Y0 + 30 * e);
            EXPECT_TRUE(rovnica.startsWith("y = 1") || rovnica == "y = 2 \u00B7 x") << rovnica.toStdString();
            EXPECT_TRUE(rovnica.endsWith(QStringLiteral(" \u00B7 x")));
            EXPECT_TRUE(Ciara(s, 28, Y0 + 30 * e + 6, 130, Y0 + 30 * e + 6));
        }
        for (int e : {2, 4, 5})
            EXPECT_EQ(Na(s, 100, Y0 + 30 * e), QStringLiteral("y = _____________ \u00B7 x"));
        ASSERT_EQ(s.obrazky.size(), 1);
        EXPECT_EQ(s.obrazky[0].x, Prepocitej_mm_x(30));
        EXPECT_EQ(s.obrazky[0].y, Prepocitej_mm_y(Y0 + 150));
        EXPECT_EQ(s.obrazky[0].pictureSize, QSize(260, 260)) << "the graph at its own size";
    }
    EXPECT_EQ(Na(strany[1], 30, Y0 + 30), QStringLiteral("x"));
    EXPECT_EQ(Na(strany[1], 40, Y0 + 30), formular->TZ2(1)->Caption()) << "page 2 from the last screen";
}

TEST_F(Bloky_19_21, InverseProportionWithKAsTheNumerator)
{
    Randomize_seed(5);
    Vytlac("21", 2, 5);
    const QList<Stlpec> strany = Stlpce();
    ASSERT_EQ(strany.size(), 1);
    const Stlpec &s = strany[0];
    EXPECT_EQ(s.texty.size(), 59);
    EXPECT_EQ(s.ciary.size(), 27);
    for (int e = 1; e <= 5; ++e) {
        SCOPED_TRACE(e);
        const int Y = Y0 + 30 * e;
        if (e % 2) {
            const QString k = Na(s, 163, Y);
            EXPECT_EQ(k, formular->TZ1(2 * e - 1)->Tag());
            EXPECT_TRUE(k.toInt() >= 1 && k.toInt() <= 20) << k.toStdString();
            EXPECT_EQ(Na(s, 150, Y + 4), QStringLiteral("y =  "));
            EXPECT_EQ(Na(s, 163, Y + 7), QStringLiteral("x"));
        } else {
            EXPECT_EQ(Na(s, 113, Y), QStringLiteral("?")) << "the numerator is the pupil's";
            EXPECT_EQ(Na(s, 100, Y + 4), QStringLiteral("y ="));
            EXPECT_EQ(Na(s, 55, Y + 7), formular->TZ3(2 * e)->Caption());
            EXPECT_TRUE(Ciara(s, 28, Y + 6, 70, Y + 6) && Ciara(s, 53, Y, 53, Y + 12));
        }
    }
}

// The worksheets as the printer's PDF in build/print/, for a person to
// look at.
TEST_F(Bloky_19_21, SampleWorksheetsToPdf)
{
    const QString adresar = QStringLiteral(LK_BUILD_DIR "/print");
    ASSERT_TRUE(QDir().mkpath(adresar));
    const struct {
        const char *uloha;
        int varianta, pocet;
        const char *subor;
    } Listy[] = {{"19", 1, 10, "19a"}, {"19", 2, 8, "19b"}, {"20", 0, 10, "20"}, {"21", 1, 5, "21a"},
                 {"21", 2, 5, "21b"}};
    for (const auto &l : Listy) {
        const QString pdf = adresar + QStringLiteral("/pracovny_list_%1.pdf").arg(QLatin1String(l.subor));
        QFile::remove(pdf);
        {
            platform::PrinterDevice zariadenie(pdf, false);
            platform::ScopedService<platform::Printer> g(zariadenie);
            Randomize_seed(6);
            Vytlac(l.uloha, l.varianta, l.pocet);
            zariadenie.EndDoc();
        }
        EXPECT_GT(QFileInfo(pdf).size(), 10000) << pdf.toStdString();
    }
}

} // namespace
