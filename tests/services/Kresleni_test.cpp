// Pictures on forms and picture boxes as the screens draw them: on both
// layers, opaque, stretched or with the key colour left out; window shapes;
// the frame strips behind example rows.
#include "services/Kresleni.h"

#include "platform/Controls.h"
#include "platform/Fixtures.h"
#include "platform/ResourcePath.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace Misc;
using namespace platform;
using lktest::solid;

namespace {

const QColor Biela(255, 255, 255), Cervena(255, 0, 0), Zelena(0, 128, 0), Modra(0, 0, 255),
    Zlta(255, 255, 0), Magenta = kKeyColour;

QColor Na_obrazovke(Canvas &c, int x, int y)
{
    c.repaint();
    return QColor(c.screenImage().pixel(x, y));
}

QColor Trvalo(const Canvas &c, int x, int y) { return QColor(c.persistentImage().pixel(x, y)); }

// A 4 x 4 picture: magenta frame of one pixel around a red 2 x 2 middle.
Picture S_ramom()
{
    QImage obraz = solid(4, 4, Magenta);
    for (int y = 1; y <= 2; ++y)
        for (int x = 1; x <= 2; ++x)
            obraz.setPixelColor(x, y, Cervena);
    return Picture(obraz);
}

struct Plocha {
    PictureBox box{nullptr};
    explicit Plocha(bool autoRedraw, QColor pozadie = Biela)
    {
        box.resize(60, 40);
        box.BackColor = pozadie;
        box.AutoRedraw = autoRedraw;
    }
};

} // namespace

TEST(Vykresli_obrazek, EveryServiceDrawsOnBothLayersAndKeepsAutoRedraw)
{
    const Picture zeleny(solid(6, 6, Zelena));
    struct Riadok {
        const char *nazov;
        std::function<void(Canvas &)> kresli;
    } riadky[] = {
        {"full size", [&](Canvas &c) { Vykresli_obrazek(zeleny, c, 10, 10); }},
        {"stretched", [&](Canvas &c) { Vykresli_obrazek_roztazeny(zeleny, c, 10, 10, 3, 3); }},
        {"onto an object", [&](Canvas &c) { Vykresli_obrazek_na_objekt(zeleny, c, 10, 10, false); }},
        {"onto an object, transparent",
         [&](Canvas &c) { Vykresli_obrazek_na_objekt(zeleny, c, 10, 10, true); }},
        {"from a surface",
         [&](Canvas &c) {
             Plocha zdroj(true, Zelena);
             Vykresli_dc_na_formular(c, 10, 10, 4, 4, zdroj.box.hDC());
         }},
    };
    for (const Riadok &r : riadky)
        for (bool autoRedraw : {false, true}) {
            SCOPED_TRACE(std::string(r.nazov) + (autoRedraw ? ", AutoRedraw on" : ", AutoRedraw off"));
            Plocha plocha(autoRedraw);
            r.kresli(plocha.box);
            EXPECT_EQ(plocha.box.AutoRedraw(), autoRedraw);
            EXPECT_EQ(Trvalo(plocha.box, 11, 11), Zelena);
            EXPECT_EQ(Na_obrazovke(plocha.box, 11, 11), Zelena);
            plocha.box.Refresh();
            EXPECT_EQ(Na_obrazovke(plocha.box, 11, 11), Zelena) << "survives a repaint";
            EXPECT_EQ(Na_obrazovke(plocha.box, 20, 20), Biela) << "nothing beyond the picture";
        }
}

TEST(Vykresli_obrazek, StretchedPictureFillsTheGivenRectangle)
{
    QImage obraz(2, 1, QImage::Format_ARGB32);
    obraz.setPixelColor(0, 0, Cervena);
    obraz.setPixelColor(1, 0, Modra);
    Plocha plocha(true);
    Vykresli_obrazek_roztazeny(Picture(obraz), plocha.box, 10, 5, 20, 8);
    struct Bod {
        const char *nazov;
        int x, y;
        QColor farba;
    } body[] = {
        {"top left", 10, 5, Cervena},     {"left half", 19, 12, Cervena},
        {"right half", 20, 5, Modra},     {"bottom right", 29, 12, Modra},
        {"right of it", 30, 5, Biela},    {"below it", 10, 13, Biela},
    };
    for (const Bod &b : body)
        EXPECT_EQ(Trvalo(plocha.box, b.x, b.y), b.farba) << b.nazov;

    Plocha prazdna(true);
    Vykresli_obrazek_roztazeny(Picture(obraz), prazdna.box, 10, 5, 0, 8);
    EXPECT_EQ(Trvalo(prazdna.box, 10, 5), Biela) << "width 0 draws nothing";
}

TEST(Vykresli_obrazek_na_objekt, KeyColourIsLeftOut)
{
    struct Riadok {
        const char *nazov;
        Picture obrazek;
        QColor v_strede, na_okraji;
    } riadky[] = {
        {"all key colour leaves the destination", Picture(solid(4, 4, Magenta)), Zlta, Zlta},
        {"no key colour copies as opaque", Picture(solid(4, 4, Modra)), Modra, Modra},
        {"frame of key colour", S_ramom(), Cervena, Zlta},
    };
    for (const Riadok &r : riadky)
        for (int opakovanie = 1; opakovanie <= 2; ++opakovanie) {
            SCOPED_TRACE(std::string(r.nazov) + (opakovanie == 2 ? ", drawn again" : ""));
            Plocha plocha(false, Zlta);
            const QImage pred = r.obrazek.image();
            Vykresli_obrazek_na_objekt(r.obrazek, plocha.box, 20, 10, true);
            EXPECT_EQ(Trvalo(plocha.box, 21, 11), r.v_strede);
            EXPECT_EQ(Trvalo(plocha.box, 20, 10), r.na_okraji);
            EXPECT_EQ(Na_obrazovke(plocha.box, 20, 10), r.na_okraji);
            EXPECT_EQ(r.obrazek.image(), pred) << "the picture itself is unchanged";
        }
}

TEST(Vykresli_pruhledne, CopiesBetweenSurfacesLeavingOutTheKeyColour)
{
    Plocha zdroj(true);
    Vykresli_obrazek(S_ramom(), zdroj.box, 0, 0);
    const QImage zdroj_pred = zdroj.box.persistentImage();
    Plocha ciel(true, Zlta);

    Vykresli_pruhledne(ciel.box.hDC(), 5, 5, 4, 4, zdroj.box.hDC(), 0, 0);

    EXPECT_EQ(Trvalo(ciel.box, 6, 6), Cervena);
    EXPECT_EQ(Trvalo(ciel.box, 5, 5), Zlta);
    EXPECT_EQ(Trvalo(ciel.box, 9, 9), Zlta) << "outside the rectangle";
    EXPECT_EQ(zdroj.box.persistentImage(), zdroj_pred) << "the source is unchanged";
}

TEST(Vykresli_dc_na_formular, AreaBeyondTheSourceIsLeftAlone)
{
    Plocha zdroj(true, Zelena);
    zdroj.box.resize(4, 4);
    Plocha ciel(true);
    // The hint windows pass their size in twips: 15 times the picture.
    Vykresli_dc_na_formular(ciel.box, 0, 0, 4 * 15, 4 * 15, zdroj.box.hDC());
    EXPECT_EQ(Trvalo(ciel.box, 3, 3), Zelena);
    EXPECT_EQ(Trvalo(ciel.box, 4, 4), Biela);
    EXPECT_EQ(Trvalo(ciel.box, 59, 39), Biela);
}

TEST(Nastav_tvar_okna, PixelsOfTheColourAreCutOut)
{
    struct Riadok {
        const char *nazov;
        QColor farba;
        bool roh_ostava;
    } riadky[] = {
        {"frame colour cut out", Magenta, false},
        {"colour not in the picture keeps the rectangle", Modra, true},
    };
    for (const Riadok &r : riadky) {
        Form okno(Form::Kind::Overlay);
        okno.resize(4, 4);
        okno.BackColor = Biela;
        okno.AutoRedraw = true;
        Vykresli_obrazek(S_ramom(), okno, 0, 0);
        Nastav_tvar_okna(okno, r.farba);
        EXPECT_EQ(okno.mask().contains(QPoint(0, 0)), r.roh_ostava) << r.nazov;
        EXPECT_TRUE(okno.mask().contains(QPoint(1, 1))) << r.nazov;
        EXPECT_EQ(okno.mask().boundingRect().size(), r.roh_ostava ? QSize(4, 4) : QSize(2, 2)) << r.nazov;
    }
}

TEST(Nacti_obrazek, LoadsOnceByPathInAnyCase)
{
    QTemporaryDir adresar;
    QDir().mkpath(adresar.filePath("Bitmap/Games"));
    ASSERT_TRUE(solid(3, 2, Modra).save(adresar.filePath("Bitmap/Games/check.bmp"), "BMP"));
    const QString cesta = adresar.path() + "/bitmap\\GAMES\\Check.bmp";

    const Picture prvy = Nacti_obrazek(cesta);
    const Picture druhy = Nacti_obrazek(adresar.path() + "/Bitmap/Games/check.bmp");

    ASSERT_FALSE(prvy.isNull());
    EXPECT_EQ(prvy.Width(), 3);
    EXPECT_EQ(prvy.image().cacheKey(), druhy.image().cacheKey()) << "the same picture, not a new load";

    const QString neskor = adresar.path() + "/Bitmap/Games/neskor.bmp";
    EXPECT_TRUE(Nacti_obrazek(neskor).isNull());
    ASSERT_TRUE(solid(1, 1, Modra).save(neskor, "BMP"));
    EXPECT_FALSE(Nacti_obrazek(neskor).isNull()) << "a missing picture is not remembered";
}

TEST(Vykresli_ramecek, PiecesLieAroundTheRow)
{
    const Picture lavy(solid(15, 10, Cervena)), stredny(solid(4, 10, Zelena)), pravy(solid(6, 10, Modra));
    struct Bod {
        int x, y;
        QColor farba;
    };
    struct Riadok {
        const char *nazov;
        int X, width;
        Picture stred;
        std::vector<Bod> body;
    } riadky[] = {
        {"three pieces", 20, 10, stredny,
         {{5, 5, Cervena}, {19, 14, Cervena}, {20, 5, Zelena}, {29, 14, Zelena}, {30, 5, Modra},
          {35, 14, Modra}, {36, 5, Biela}, {4, 5, Biela}, {20, 15, Biela}, {20, 4, Biela}}},
        {"empty middle: only the ends", 20, 10, Picture(), {{5, 5, Cervena}, {25, 5, Biela}, {30, 5, Modra}}},
        {"width 0: right piece starts at X", 20, 0, stredny, {{19, 5, Cervena}, {20, 5, Modra}, {25, 5, Modra}}},
    };
    for (const Riadok &r : riadky) {
        for (int height : {0, 32, 500}) {
            SCOPED_TRACE(std::string(r.nazov) + ", height " + std::to_string(height));
            Plocha plocha(false);
            Vykresli_ramecek(plocha.box, r.X, 10, r.width, height, true, lavy, r.stred, pravy);
            EXPECT_TRUE(plocha.box.AutoRedraw());
            for (const Bod &b : r.body)
                EXPECT_EQ(Trvalo(plocha.box, b.x, b.y), b.farba) << b.x << "," << b.y;
        }
    }
}

TEST(Vykresli_ramecek, WithoutAutoRedrawTheStripGoesAtTheNextRefresh)
{
    const Picture kus(solid(15, 10, Cervena));
    Plocha plocha(true);
    Vykresli_ramecek(plocha.box, 20, 10, 10, 32, false, kus, kus, kus);
    EXPECT_FALSE(plocha.box.AutoRedraw());
    EXPECT_EQ(Na_obrazovke(plocha.box, 25, 5), Cervena);
    EXPECT_EQ(Trvalo(plocha.box, 25, 5), Biela);
    plocha.box.Refresh();
    EXPECT_EQ(Na_obrazovke(plocha.box, 25, 5), Biela);
}
