// Whole worksheets as the setup screen's print command makes them: the
// exercise screen loaded in print mode prints one worksheet per copy on the
// fake printer. The examples come from whatever the task's generator puts
// on the answer sheet; these tests look at pages, numbering and places.
#include "Pracovny_list_support.h"

using namespace Misc;
using platform::PrintOp;
using namespace pracovny_list_test;

namespace {

struct Plan {
    const char *name;
    const char *uloha;
    int varianta, pocet;
    QList<QList<int>> priklady; // per page
};

TEST_F(Pracovny_list, PagesAndNumbersFollowThePlanOfTheTask)
{
    const Plan plany[] = {
        {"task 1: 25 examples on one page", "1", 0, 25, {Od_do(1, 25)}},
        {"task 3: 15 examples, 10 and 5", "3", 0, 15, {Od_do(1, 10), Od_do(11, 15)}},
        {"task 11: 25 examples, 8 + 8 + 8 + 1", "11", 0, 25, {Od_do(1, 8), Od_do(9, 16), Od_do(17, 24), {25}}},
        {"task 14: 20 examples, 10 and 10", "14", 0, 20, {Od_do(1, 10), Od_do(11, 20)}},
        {"task 15: 10 examples, 5 and 5", "15", 0, 10, {Od_do(1, 5), Od_do(6, 10)}},
        {"task 7: 5 examples, the rest of the page blank", "7", 0, 5, {Od_do(1, 5)}},
        {"task 16: 15 examples, three pages of 5", "16", 0, 15, {Od_do(1, 5), Od_do(6, 10), Od_do(11, 15)}},
        {"task 17: 10 examples, 5 and 5", "17", 0, 10, {Od_do(1, 5), Od_do(6, 10)}},
    };
    for (const Plan &p : plany) {
        tlaciaren = platform::FakePrinter();
        Vytlac(p.uloha, p.varianta, p.pocet);
        const QList<Strana> strany = Strany();
        ASSERT_EQ(strany.size(), p.priklady.size()) << p.name;
        for (qsizetype i = 0; i < strany.size(); ++i) {
            EXPECT_EQ(strany[i].priklady, p.priklady[i]) << p.name << ", page " << i + 1;
            EXPECT_EQ(strany[i].cislo_strany, QStringLiteral(" %1").arg(i + 1)) << p.name;
        }
    }
}

TEST_F(Pracovny_list, WordProblemsCountInFoursForTheirPages)
{
    // 8 of the word problems of task 19 fill two pages; 10 is no count of
    // theirs and keeps the plan of the worksheet before.
    Vytlac("19", 2, 8);
    const qsizetype dve = Strany().size();
    EXPECT_EQ(dve, 2);
    tlaciaren = platform::FakePrinter();
    Vytlac("19", 2, 16);
    EXPECT_EQ(Strany().size(), 3);
    tlaciaren = platform::FakePrinter();
    Vytlac("19", 2, 10);
    EXPECT_EQ(Strany().size(), 3) << "the pages of the worksheet before";
}

TEST_F(Pracovny_list, ExamplesStandUnderTheStatementInTheMathsFont)
{
    // 89 characters of the fake fill a 190 mm line: three words of 60 make
    // three lines.
    const QString a(60, QLatin1Char('a')), b(60, QLatin1Char('b')), c(60, QLatin1Char('c'));
    Texty[45] = a + QLatin1Char(' ') + b + QLatin1Char(' ') + c;
    Vytlac("1", 0, 5);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 1);
    ASSERT_EQ(strany[0].zadanie.size(), 5);
    EXPECT_EQ(strany[0].zadanie[2].text, c + QLatin1Char(' '));
    EXPECT_EQ(Radky_zadani[3], c + QLatin1Char(' '));

    const auto &t = strany[0].texty_ruvo;
    ASSERT_EQ(t.size(), 10) << "an answer line and the numbered assignment per example";
    for (int k = 1; k <= 5; ++k) {
        const PrintOp &ciara = t[2 * k - 2], &priklad = t[2 * k - 1];
        EXPECT_EQ(ciara.text, QString(48, QLatin1Char('_')) + " = " + QString(21, QLatin1Char('_')));
        EXPECT_TRUE(priklad.text.startsWith(QStringLiteral("%1)  ").arg(k))) << priklad.text.toStdString();
        EXPECT_TRUE(priklad.text.endsWith(QStringLiteral(" = ")));
        EXPECT_EQ(priklad.x, Prepocitej_mm_x(20));
        EXPECT_EQ(priklad.y, Prepocitej_mm_y(47 + 8 * k)) << "example " << k << " under three lines";
        EXPECT_EQ(ciara.y, priklad.y);
        EXPECT_EQ(priklad.fontSize, 12);
        EXPECT_FALSE(priklad.bold);
        EXPECT_FALSE(priklad.italic);
        EXPECT_EQ(priklad.color, QColor(0, 0, 0));
    }
    // The last example is the one still on the answer sheet.
    EXPECT_EQ(t.last().text, QStringLiteral("5)  ") + formular->TZ1(1)->Caption() + QStringLiteral(" = "));
}

TEST_F(Pracovny_list, EquationsStandFortyMillimetresApartAndShowTheGeneratedExample)
{
    for (const char *uloha : {"16", "17"}) {
        SCOPED_TRACE(uloha);
        tlaciaren = platform::FakePrinter();
        Vytlac(uloha, 0, 5);
        const QList<Strana> strany = Strany();
        ASSERT_EQ(strany.size(), 1);
        // One statement line: the slots' base lines at 37 + 40 s mm, the
        // numbers 16 mm above them.
        QList<float> cisla;
        QString texty;
        for (const PrintOp &op : strany[0].texty_ruvo) {
            if (QRegularExpression(QStringLiteral("^\\d+\\) $")).match(op.text).hasMatch()) {
                cisla.append(op.y);
                texty.clear();
            }
            texty += op.text + QLatin1Char('|');
        }
        EXPECT_EQ(cisla, (QList<float>{Prepocitej_mm_y(61), Prepocitej_mm_y(101), Prepocitej_mm_y(141),
                                        Prepocitej_mm_y(181), Prepocitej_mm_y(221)}));
        // The last slot prints the example still on the answer sheet.
        EXPECT_FALSE(formular->TZ1(1)->Caption().isEmpty());
        EXPECT_TRUE(texty.contains(formular->TZ1(1)->Caption())) << texty.toStdString();
        EXPECT_TRUE(texty.endsWith(QString(55, QLatin1Char('_')) + QLatin1Char('|')));
    }
}

TEST_F(Pracovny_list, EveryCopyIsAWholeWorksheetNumberedFromOne)
{
    Vytlac("13", 0, 15, 2);
    const QList<Strana> strany = Strany();
    ASSERT_EQ(strany.size(), 4);
    QList<int> vsetky;
    for (const Strana &s : strany)
        vsetky += s.priklady;
    EXPECT_EQ(vsetky, Od_do(1, 15) + Od_do(1, 15));
    EXPECT_EQ(strany[2].cislo_strany, QStringLiteral(" 1"));
    EXPECT_FALSE(Tisk) << "the next load shows the screen";
}

TEST_F(Pracovny_list, HeaderCarriesTitlesAndThePupilsName)
{
    Vytlac("12", 0, 5);
    QStringList texty;
    for (const PrintOp &op : tlaciaren.Texts())
        texty << op.text;
    // Group, task title and statement of task 12 in the text table.
    EXPECT_TRUE(texty.contains(QStringLiteral("T16")));
    EXPECT_TRUE(texty.contains(QStringLiteral("T18")));
    EXPECT_TRUE(texty.contains(QStringLiteral("T56 ")));
    EXPECT_TRUE(texty.contains(QStringLiteral("Jano")));
    EXPECT_TRUE(texty.contains(QStringLiteral("Dátum: 05.03.2027")));
}

} // namespace
