// One example of each worksheet block of tasks 16 to 18, from row 1 of the
// task's answer sheet filled as its generator leaves it: which labels are
// read and where every text lands, on a sheet in tenths of a millimetre.
#include "Tlac_support.h"

#include "Rovnice_support.h"
#include "printing/Pracovni_list.h"

using namespace Misc;
using tlac_test::Tlac;
using rovnice_test::Riadok_1;

namespace {

QString U(int n) { return QString(n, QLatin1Char('_')); }

struct Text {
    QString text;
    int x, dy; // mm, y below the slot's base line
};

struct Priklad {
    const char *name;
    const char *uloha;
    bool zlomek;
    const char *znamienko; // the Tag of IZnam(1)
    rovnice_test::Popisy popisy;
    QList<Text> texty;
};

const QString vzorec_16 = QStringLiteral("2x+3 = 5");

const Priklad priklady[] = {
    {"16, formula: one line read from TZ1, TZR and TZ3 over four answer lines", "16", false, "",
     {{"TZ1(1)", "2x+3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}, {"TZ1(2)", "9"}, {"TR2(1)", "+"}, {"TZ2(1)", "y"}},
     {{"1) ", 20, -16}, {vzorec_16, 40, -16}, {U(55), 20, -9}, {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"16, fractions: one line term a side around the literal sign", "16", true, "",
     {{"TZ1(1)", "3x"}, {"TZR(1)", "≠"}, {"TZ3(1)", "12"}, {"TZ2(1)", "not read"}, {"TZ4(1)", "not read"}},
     {{"1) ", 20, -16}, {"3x", 57, -12}, {"=", 70, -12}, {"12", 74, -12}, {U(55), 20, -2}, {U(55), 20, 5},
      {U(55), 20, 12}}},
    {"16, fractions: two terms a side, each term a fraction by its own denominator", "16", true, "",
     {{"TZ1(1)", "x"}, {"TZ1(2)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "1"}, {"TZ3(1)", "x"}, {"TZ3(2)", "3"},
      {"TR3(1)", "−"}, {"TZ4(1)", "5"}, {"TZ4(2)", "6"}},
     {{"1) ", 20, -16},
      {U(5), 40, -14}, {"x", 40, -16}, {"2", 40, -9},
      {"+", 53, -12},
      {"1", 57, -12},
      {"=", 70, -12},
      {U(5), 74, -14}, {"x", 74, -16}, {"3", 74, -9},
      {"−", 87, -12},
      {U(5), 91, -14}, {"5", 91, -16}, {"6", 91, -9},
      {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"17: three fractions on the left, two on the right", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ1(2)", "x"}, {"TR2(1)", "+"}, {"TZ2(1)", "2"}, {"TZ2(2)", "x−1"}, {"TR3(1)", "−"},
      {"TZ3(1)", "3"}, {"TZ3(2)", "x+1"}, {"TZR(1)", "≠"}, {"TZ4(1)", "4"}, {"TZ4(2)", "x"}, {"TR4(1)", "+"},
      {"TZ5(1)", "5"}, {"TZ5(2)", "2x"}},
     {{"1) ", 20, -16},
      {U(5), 40, -14}, {"1", 40, -16}, {"x", 40, -9},
      {"+", 53, -12},
      {U(5), 57, -14}, {"2", 57, -16}, {"x−1", 57, -9},
      {"−", 70, -12},
      {U(5), 74, -14}, {"3", 74, -16}, {"x+1", 74, -9},
      {"=", 87, -12},
      {U(5), 91, -14}, {"4", 91, -16}, {"x", 91, -9},
      {"+", 104, -12},
      {U(5), 108, -14}, {"5", 108, -16}, {"2x", 108, -9},
      {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"17: of three left terms only the third is a fraction", "17", true, "",
     {{"TZ1(1)", "2"}, {"TR2(1)", "+"}, {"TZ2(1)", "x"}, {"TR3(1)", "−"}, {"TZ3(1)", "1"}, {"TZ3(2)", "x"},
      {"TZ4(1)", "3"}},
     {{"1) ", 20, -16}, {"2", 40, -12}, {"+", 53, -12}, {"x", 57, -12}, {"−", 70, -12},
      {U(5), 74, -14}, {"1", 74, -16}, {"x", 74, -9},
      {"=", 87, -12}, {"3", 91, -12}, {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"17: two left terms end at 74 mm", "17", true, "",
     {{"TZ1(1)", "3"}, {"TZ1(2)", "x"}, {"TR2(1)", "−"}, {"TZ2(1)", "1"}, {"TZ3(1)", "not read"},
      {"TZ4(1)", "2"}, {"TZ5(1)", "not read"}},
     {{"1) ", 20, -16}, {U(5), 57, -14}, {"3", 57, -16}, {"x", 57, -9}, {"−", 70, -12}, {"1", 74, -12},
      {"=", 87, -12}, {"2", 91, -12}, {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"17: one term a side", "17", true, "",
     {{"TZ1(1)", "5"}, {"TZ1(2)", "x+2"}, {"TZ4(1)", "1"}},
     {{"1) ", 20, -16}, {U(5), 74, -14}, {"5", 74, -16}, {"x+2", 74, -9}, {"=", 87, -12}, {"1", 91, -12},
      {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"17: a third left term without a second prints no left side", "17", true, "",
     {{"TZ1(1)", "1"}, {"TZ2(1)", "2"}, {"TR3(1)", "+"}, {"TZ3(1)", "3"}, {"TZ4(1)", "4"}},
     {{"1) ", 20, -16}, {"=", 87, -12}, {"4", 91, -12}, {U(55), 20, -2}, {U(55), 20, 5}, {U(55), 20, 12}}},
    {"18, formula: the sign of the image, not of TZR", "18", false, ">",
     {{"TZ1(1)", "2x−3"}, {"TZR(1)", "="}, {"TZ3(1)", "5"}},
     {{"1) ", 20, -16}, {"2x−3 > 5", 40, -16}, {U(55), 20, -9}, {U(55), 20, -2}, {U(55), 20, 5},
      {U(55), 20, 12}}},
    {"18, fractions: one term a side around \"<\"", "18", true, "<",
     {{"TZ1(1)", "4x"}, {"TZR(1)", ">"}, {"TZ3(1)", "8"}},
     {{"1) ", 20, -16}, {"4x", 57, -12}, {"<", 70, -12}, {"8", 74, -12}, {U(55), 20, -2}, {U(55), 20, 5},
      {U(55), 20, 12}}},
};

std::unique_ptr<frm_Game01> Harok(const Priklad &p)
{
    return Riadok_1(p.uloha, p.zlomek, QString::fromLatin1(p.znamienko), p.popisy);
}

TEST_F(Tlac, Blok_rovnice_PlacesEveryTextOfRowOne)
{
    for (const Priklad &p : priklady) {
        SCOPED_TRACE(p.name);
        const auto f = Harok(p);
        platform::FakePrinter zaznam(2100, 2970);
        platform::ScopedService<platform::Printer> g(zaznam);
        zaznam.SetFontSize(12);
        zaznam.SetFontItalic(true); // as the statement leaves it
        const Blok_rovnice blok = Blok_rovnice_pre_ulohu(QLatin1String(p.uloha));
        ASSERT_TRUE(blok);
        blok(*f, 1, 1, 37); // Y = 77
        const auto t = zaznam.Texts();
        ASSERT_EQ(t.size(), p.texty.size());
        for (qsizetype i = 0; i < t.size(); ++i) {
            SCOPED_TRACE(QStringLiteral("text %1").arg(i + 1).toStdString());
            EXPECT_EQ(t[i].text, p.texty[i].text);
            EXPECT_EQ(t[i].x, 10 * p.texty[i].x);
            EXPECT_EQ(t[i].y, 10 * (77 + p.texty[i].dy));
            EXPECT_EQ(t[i].fontName, QStringLiteral("Ruvo"));
            EXPECT_FALSE(t[i].italic);
        }
    }
}

TEST_F(Tlac, Blok_rovnice_SlotsAreFortyMillimetresApart)
{
    // Slot 3 of page 2 under two statement lines: base line 162 mm.
    const Priklad vzorec{"", "18", false, ">", {{"TZ1(1)", "2x−3"}, {"TZ3(1)", "5"}}, {}};
    const auto f = Harok(vzorec);
    Blok_rovnice_pre_ulohu(QStringLiteral("18"))(*f, 8, 3, 42);
    QList<std::pair<QString, float>> texty;
    for (const platform::PrintOp &op : tlaciaren.Texts())
        texty.append({op.text, op.y});
    const decltype(texty) ocakavane{{"8) ", 1460},  {"2x−3 > 5", 1460}, {U(55), 1530},
                                    {U(55), 1600}, {U(55), 1670},      {U(55), 1740}};
    EXPECT_EQ(texty, ocakavane);
}

TEST(Blok_rovnice_pre_ulohu, OnlyTheEquationsAndTheInequalityHaveOne)
{
    for (const char *u : {"16", "17", "18"})
        EXPECT_TRUE(Blok_rovnice_pre_ulohu(QLatin1String(u))) << u;
    for (const char *u : {"15", "19", "21", "016", ""})
        EXPECT_FALSE(Blok_rovnice_pre_ulohu(QLatin1String(u))) << u;
}

} // namespace
