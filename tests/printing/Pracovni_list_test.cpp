// Whole worksheets as the setup screen's print command makes them: the
// exercise screen loaded in print mode prints one worksheet per copy on the
// fake printer. The examples come from whatever the task's generator puts
// on the answer sheet; these tests look at pages, numbering and places.
#include "Pracovny_list_support.h"

#include "expr/Random.h"

#include <QDir>
#include <QPdfDocument>

using namespace Misc;
using platform::PrintOp;
using namespace pracovny_list_test;

namespace {

struct Plan {
    const char *name;
    const char *uloha;
    int pocet;
    QList<QList<int>> priklady; // per page
    int od = 0, po = 0;         // the pages chosen in the printer dialog
};

TEST_F(Pracovny_list, PagesAndNumbersFollowThePlanOfTheTask)
{
    const Plan plany[] = {
        {"task 1: 25 examples on one page", "1", 25, {Od_do(1, 25)}},
        {"task 3: 15 examples, 10 and 5", "3", 15, {Od_do(1, 10), Od_do(11, 15)}},
        {"task 11: 25 examples, 8 + 8 + 8 + 1", "11", 25, {Od_do(1, 8), Od_do(9, 16), Od_do(17, 24), {25}}},
        {"task 15: 10 examples, 5 and 5", "15", 10, {Od_do(1, 5), Od_do(6, 10)}},
        {"task 7: 5 examples, the rest of the page blank", "7", 5, {Od_do(1, 5)}},
        {"task 16: 15 examples, three pages of 5", "16", 15, {Od_do(1, 5), Od_do(6, 10), Od_do(11, 15)}},
        {"task 11: pages 2 and 3 of 25 examples keep their numbers", "11", 25, {Od_do(9, 16), Od_do(17, 24)}, 2, 3},
        {"task 3: from page 2 on", "3", 15, {Od_do(11, 15)}, 2, 9},
    };
    for (const Plan &p : plany) {
        tlaciaren = platform::FakePrinter();
        tlaciaren.SetPageRange(p.od, p.po);
        Vytlac(p.uloha, 0, p.pocet);
        const QList<Strana> strany = Strany();
        ASSERT_EQ(strany.size(), p.priklady.size()) << p.name;
        for (qsizetype i = 0; i < strany.size(); ++i) {
            EXPECT_EQ(strany[i].priklady, p.priklady[i]) << p.name << ", page " << i + 1;
            EXPECT_EQ(strany[i].cislo_strany, QStringLiteral(" %1").arg(i + qMax(p.od, 1))) << p.name;
        }
        // The last example printed is the one still on the answer sheet.
        const QString popisok = formular->TZ1(1)->Caption();
        QString posledny;
        for (const PrintOp &op : strany.last().texty_ruvo)
            posledny = op.text.startsWith(QString::number(p.priklady.last().last()) + ')') ? op.text
                                                                                          : posledny + '|' + op.text;
        EXPECT_TRUE(!popisok.isEmpty() && posledny.contains(popisok)) << p.name << ": " << posledny.toStdString();
    }
}

TEST_F(Pracovny_list, WordProblemsCountInFoursForTheirPages)
{
    // 10 is no count of the word problems of task 19 and keeps the plan of
    // the worksheet before.
    for (const auto &[pocet, strany] : {std::pair{8, 2}, std::pair{16, 3}, std::pair{10, 3}}) {
        tlaciaren = platform::FakePrinter();
        Vytlac("19", 2, pocet);
        EXPECT_EQ(Strany().size(), strany) << pocet << " word problems";
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
    for (const char *text : {"T16", "T18", "T56 ", "Jano", "Dátum: 05.03.2027"})
        EXPECT_TRUE(texty.contains(QString::fromUtf8(text))) << text;
}

// Every task's worksheet as the print command makes it, laid out with the
// real measures: no ink out of place on any page, and for a person to look
// at, build/print/pracovny_list_NN.pdf with a PNG of each of its pages.
TEST_F(Pracovny_list, EveryWorksheetKeepsItsInkOnThePageClearOfBarsAndLines)
{
    Nacti_texty(Cesta_HD + QStringLiteral("Texty.dat"));
    Jmeno_zaka = QStringLiteral("Ľudmila Šťastná");
    const QString vystup = QStringLiteral(LK_BUILD_DIR "/print/");
    ASSERT_TRUE(QDir().mkpath(vystup));
    for (int uloha = 1; uloha <= 21; ++uloha) {
        for (int varianta : uloha == 19 || uloha == 21 ? QList<int>{1, 2} : QList<int>{0}) {
            const QByteArray cislo = QByteArray::number(uloha);
            const QString meno = vystup + QStringLiteral("pracovny_list_%1%2").arg(uloha, 2, 10, QLatin1Char('0'))
                                              .arg(QLatin1String(varianta ? varianta == 1 ? "a" : "b" : ""));
            const int pocet = uloha == 19 && varianta == 2 ? 20 : 25;
            SCOPED_TRACE(meno.toStdString());
            int strany = 0;
            {
                tlac_test::Meriaca_tlaciaren tlaciaren;
                platform::ScopedService<platform::Printer> g(tlaciaren);
                Randomize_seed(uloha);
                Vytlac(cislo.constData(), varianta, pocet);
                QList<PrintOp> strana;
                for (const PrintOp &op : tlaciaren.Ops()) {
                    if (op.kind != PrintOp::NewPage) {
                        strana << op;
                        continue;
                    }
                    const QStringList chyby = tlac_test::Chyby_strany(strana, tlaciaren.Width(), tlaciaren.Height());
                    ++strany;
                    EXPECT_TRUE(chyby.isEmpty()) << "page " << strany << ":\n" << chyby.join('\n').toStdString();
                    strana.clear();
                }
            }
            {
                platform::PrinterDevice zariadenie(false);
                zariadenie.SetOutputFileName(meno + QStringLiteral(".pdf"));
                platform::ScopedService<platform::Printer> g(zariadenie);
                Randomize_seed(uloha);
                Vytlac(cislo.constData(), varianta, pocet);
                zariadenie.EndDoc();
            }
            QPdfDocument pdf;
            ASSERT_EQ(pdf.load(meno + QStringLiteral(".pdf")), QPdfDocument::Error::None);
            EXPECT_EQ(pdf.pageCount(), strany);
            for (int i = 0; i < pdf.pageCount(); ++i)
                EXPECT_TRUE(pdf.render(i, QSize(827, 1169)).save(meno + QStringLiteral("_%1.png").arg(i + 1)));
        }
    }
}

} // namespace
