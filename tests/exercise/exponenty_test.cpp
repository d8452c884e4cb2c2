// The superscript bar: a key types its glyph into the answer cell that had
// the focus last, at the caret that cell had.
#include "Panely_support.h"
#include "expr/Glyfy.h"

namespace {

using namespace panely_test;

TEST_F(Obrazovka, SuperscriptKeyTypesItsGlyphAtTheCaret)
{
    const struct { const char *name, *uloha, *lista; QString text; int start, dlzka, klavesa; const char *po; int kurzor; } rows[] = {
        {"long bar: key i is superscript i, in the middle", "1", "dlouhe", "x+y", 1, 0, 3, "x³+y", 2},
        {"long bar: key 0", "1", "dlouhe", "a", 1, 0, 0, "a⁰", 2},
        {"a selection is replaced", "1", "dlouhe", "abcd", 1, 2, 9, "a⁹d", 2},
        {"short bar: leftmost is superscript 2", "15", "kratke", "x", 1, 0, 0, "x²", 2},
        {"short bar: rightmost is superscript 4", "15", "kratke", "x", 0, 0, 2, "⁴x", 1},
    };
    for (const auto &r : rows) {
        Nacti(r.uloha, 0, r.uloha[1] ? "15" : "01", QLatin1String(r.lista));
        platform::TextBox *C = f->TV1(1);
        C->Text = r.text;
        C->SetFocus();
        C->SelStart = r.start;
        C->SelLength = r.dlzka;
        f->Aktivni_pole = QStringLiteral("tv1");
        f->Aktivni_index = 1;
        f->Text1->SetFocus(); // the focus has since gone elsewhere
        Klik(f->ExpPic(r.klavesa), 5, 5);
        EXPECT_EQ(C->Text, Glyfy(r.po)) << r.name;
        EXPECT_EQ(C->SelStart, r.kurzor) << r.name;
        EXPECT_EQ(Fokus(), C->editor()) << r.name;
    }
}

TEST_F(Obrazovka, SuperscriptKeyWithoutAFreeTargetOnlyLooksPressed)
{
    Nacti("4", 0, "04", QStringLiteral("dlouhe"));
    f->TV1(1)->Text = QStringLiteral("x");
    const auto stisk = [&](int k) {
        QTest::mousePress(f->ExpPic(k), Qt::LeftButton, {}, QPoint(5, 5));
        return f->ExpPic(k)->Picture().image().cacheKey();
    };
    EXPECT_EQ(stisk(2), f->Obr_exponent_zvyraznene[2].image().cacheKey()) << "no cell had the focus";
    EXPECT_EQ(Zvuky("click"), 1);
    QTest::mouseRelease(f->ExpPic(2), Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(f->ExpPic(2)->Picture().image().cacheKey(), f->Obr_exponent[2].image().cacheKey())
        << "released away from the key";

    f->Aktivni_pole = QStringLiteral("tv1");
    f->Aktivni_index = 7; // a row this screen never loaded
    stisk(2);
    f->Aktivni_index = 1;
    f->TV1(1)->Locked = true; // checked
    stisk(2);
    EXPECT_EQ(f->TV1(1)->Text, QStringLiteral("x")) << "a missing or locked cell takes no glyph";

    f->TV1(1)->Locked = false;
    Klik(f.get(), 630, 130);
    Klik(f->ExpPic(2), 5, 5);
    EXPECT_EQ(f->Poznamky_otevrene, 0) << "an open panel closes first";
    EXPECT_FALSE(f->PicPozn->Visible);
    EXPECT_EQ(f->TV1(1)->Text, Glyfy("²x")) << "at the caret, which setting the text left at the start";
}

TEST_F(Obrazovka, BarsByKind)
{
    const struct { const char *name, *uloha; QString lista; int kluce, x0; bool prva_vidno; } rows[] = {
        {"long", "1", "dlouhe", 10, 209, true},
        {"short", "16", "kratke", 3, 307, true},
        {"none: key 0 hidden", "20", "", 1, 209, false},
        {"unknown word builds nothing", "20", "stredne", 1, 209, true},
    };
    for (const auto &r : rows) {
        Nacti(r.uloha, 0, "04", r.lista);
        EXPECT_EQ(f->ExpPic.UBound() + 1, r.kluce) << r.name;
        EXPECT_EQ(f->ExpPic(0)->Left, r.x0) << r.name;
        EXPECT_EQ(f->ExpPic(0)->Visible, r.prva_vidno) << r.name;
        EXPECT_EQ(f->ExpPic(r.kluce - 1)->Left, r.x0 + 29 * (r.kluce - 1)) << r.name;
    }
}

} // namespace
