// One example of each worksheet block of tasks 1 to 15: which labels are
// read and where every text lands, on a sheet in tenths of a millimetre.
#include "Tlac_support.h"

#include "printing/Pracovni_list.h"

using namespace Misc;
using tlac_test::Tlac;

namespace {

// Names every caption by its label, so that the printed text shows which
// label was read.
QString Meno_popisku(Harok::Pole pole, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(Harok::Meno(pole))).arg(index);
}

QString U(int n) { return QString(n, QLatin1Char('_')); }

struct Text {
    QString text;
    int x, y; // mm
};

struct Priklad {
    const char *name;
    const char *uloha;
    int cislo, slot;
    qint16 Y_zacatku;
    int C; // row of the screen being printed
    QList<Text> texty;
};

const Priklad priklady[] = {
    {"tasks 1 and 2: the assignment over its answer line, two-line statement", "2", 1, 1, 42, 1,
     {{U(48) + " = " + U(21), 20, 50}, {"1)  TZ1(1) = ", 20, 50}}},
    {"tasks 1 and 2 read the first line of example C", "1", 7, 3, 37, 2,
     {{U(48) + " = " + U(21), 20, 61}, {"7)  TZ1(3) = ", 20, 61}}},
    {"tasks 4 to 10: one underscore moves before the sign", "9", 12, 12, 37, 1,
     {{U(49) + " = " + U(20), 20, 133}, {"12)  TZ1(1) = ", 20, 133}}},
    {"task 12, slot 10 of page 2 under five lines", "12", 20, 10, 57, 1,
     {{U(13), 27, 239},
      {U(55), 65, 239},
      {"20) ", 20, 241},
      {" = ", 60, 241},
      {" = ", 135, 241},
      {"TZ1(1)", 30, 237},
      {"TZ1(2)", 30, 245}}},
    {"task 11, slot 8: the answer lines stay above the footer", "11", 8, 8, 57, 1,
     {{U(13), 27, 259},
      {"8) ", 20, 261},
      {"TZ1(1)", 30, 257},
      {"TZ1(2)", 30, 265},
      {U(45), 80, 257},
      {U(45), 80, 264},
      {U(45), 80, 271}}},
    {"tasks 13 and 14: two fractions and the sign", "14", 3, 3, 37, 1,
     {{"3) ", 20, 95},
      {U(7), 27, 93},
      {"TZ1(1)", 29, 91},
      {"TZ1(2)", 29, 99},
      {"TZR(1)", 45, 95},
      {U(7), 48, 93},
      {"TZ2(1)", 50, 91},
      {"TZ2(2)", 50, 99},
      {" = ", 65, 95},
      {U(33) + " = " + U(19), 70, 93}}},
    {"task 15, slot 1: the equation above four answer lines", "15", 1, 1, 57, 1,
     {{"1) ", 20, 81},
      {"TZ1(1) TZR(1) TZ2(1)", 40, 81},
      {U(55), 20, 88},
      {U(55), 20, 95},
      {U(55), 20, 102},
      {U(55), 20, 109}}},
    {"task 15, slot 5 ends at 269 mm", "15", 10, 5, 57, 1,
     {{"10) ", 20, 241},
      {"TZ1(1) TZR(1) TZ2(1)", 40, 241},
      {U(55), 20, 248},
      {U(55), 20, 255},
      {U(55), 20, 262},
      {U(55), 20, 269}}},
};

TEST_F(Tlac, Vytiskni_blok_PlacesEveryTextOfTheExample)
{
    for (const Priklad &p : priklady) {
        platform::FakePrinter zaznam(2100, 2970);
        platform::ScopedService<platform::Printer> g(zaznam);
        zaznam.SetFontSize(12);
        zaznam.SetFontItalic(true); // as the statement leaves it
        const Blok_ulohy *blok = Blok_pre_ulohu(QLatin1String(p.uloha));
        ASSERT_NE(blok, nullptr) << p.name;
        Cislo_tisteneho_prikladu = qint16(p.C);
        Vytiskni_blok(*blok, p.cislo, p.slot, p.Y_zacatku, Meno_popisku);
        const auto t = zaznam.Texts();
        ASSERT_EQ(t.size(), p.texty.size()) << p.name;
        for (qsizetype i = 0; i < t.size(); ++i) {
            SCOPED_TRACE(QStringLiteral("%1, text %2").arg(QLatin1String(p.name)).arg(i + 1).toStdString());
            EXPECT_EQ(t[i].text, p.texty[i].text);
            EXPECT_EQ(t[i].x, 10 * p.texty[i].x);
            EXPECT_EQ(t[i].y, 10 * p.texty[i].y);
            EXPECT_EQ(t[i].fontName, QStringLiteral("Ruvo"));
            EXPECT_FALSE(t[i].italic);
        }
    }
    Cislo_tisteneho_prikladu = 0;
}

TEST(Blok_pre_ulohu, TasksOneToFifteenShareSixBlocks)
{
    const std::pair<const char *, const char *> rovnake[] = {
        {"1", "2"}, {"4", "10"}, {"5", "7"}, {"3", "12"}, {"13", "14"},
    };
    for (auto [a, b] : rovnake)
        EXPECT_EQ(Blok_pre_ulohu(QLatin1String(a)), Blok_pre_ulohu(QLatin1String(b))) << a << " and " << b;
    QSet<const Blok_ulohy *> bloky;
    for (int u = 1; u <= 15; ++u) {
        ASSERT_NE(Blok_pre_ulohu(QString::number(u)), nullptr) << u;
        bloky.insert(Blok_pre_ulohu(QString::number(u)));
    }
    EXPECT_EQ(bloky.size(), 6);
    const int vysky[] = {8, 8, 18, 8, 8, 8, 8, 8, 8, 8, 25, 18, 18, 18, 40};
    for (int u = 1; u <= 15; ++u)
        EXPECT_EQ(Blok_pre_ulohu(QString::number(u))->vyska_slotu, vysky[u - 1]) << "task " << u;
    for (const char *bez : {"0", "16", "21", "01", ""})
        EXPECT_EQ(Blok_pre_ulohu(QLatin1String(bez)), nullptr) << bez;
}

} // namespace
