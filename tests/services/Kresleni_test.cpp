// Pictures on forms and picture boxes as the screens draw them: the key
// colour left out, pictures loaded once, the frame strips behind example
// rows, controls rescaled to the screen. Drawing on both layers is seen by
// every screen's test.
#include "services/Formular.h"
#include "services/Kresleni.h"

#include "platform/Controls.h"
#include "support/Fixtures.h"
#include "platform/Fonts.h"

#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Misc;
using namespace platform;
using lktest::solid;

namespace {

const QColor Biela(Qt::white), Cervena(Qt::red), Zelena(0, 128, 0), Modra(Qt::blue), Zlta(Qt::yellow),
    Magenta = kKeyColour;

QColor Na_obrazovke(Canvas &c, int x, int y) { return c.repaint(), QColor(c.screenImage().pixel(x, y)); }
QColor Trvalo(const Canvas &c, int x, int y) { return QColor(c.persistentImage().pixel(x, y)); }

// A 4 x 4 picture: a magenta frame of one pixel around a red 2 x 2 middle.
Picture S_ramom()
{
    QImage obraz = solid(4, 4, Magenta);
    QPainter(&obraz).fillRect(1, 1, 2, 2, Cervena);
    return Picture(obraz);
}

struct Plocha : PictureBox {
    explicit Plocha(bool autoRedraw, QColor pozadie = Biela, QSize rozmer = {60, 40}) : PictureBox(nullptr)
    {
        resize(rozmer);
        BackColor = pozadie;
        AutoRedraw = autoRedraw;
    }
};

} // namespace

TEST(Vykresli_pruhledne, KeyColourIsLeftOutOnAPictureAndBetweenSurfaces)
{
    // Twice: the see-through copy made at the first draw serves the second.
    for (int opakovanie = 1; opakovanie <= 2; ++opakovanie) {
        Plocha plocha(false, Zlta);
        Vykresli_obrazek_na_objekt(S_ramom(), plocha, 20, 10, true);
        EXPECT_EQ(Trvalo(plocha, 21, 11), Cervena);
        EXPECT_EQ(Na_obrazovke(plocha, 20, 10), Zlta);
    }
    Plocha zdroj(true, Biela, {4, 4}), ciel(true, Zlta);
    Vykresli_obrazek(S_ramom(), zdroj, 0, 0);
    Vykresli_pruhledne(ciel.hDC(), 5, 5, 4, 4, zdroj.hDC(), 0, 0);
    EXPECT_EQ(Trvalo(ciel, 5, 5), Zlta);
    EXPECT_EQ(Trvalo(ciel, 6, 6), Cervena);
}

TEST(Nacti_obrazek, LoadsOnceByPathInAnyCaseAndRetriesAMissingOne)
{
    QTemporaryDir adresar;
    QDir().mkpath(adresar.filePath("Bitmap/Games"));
    ASSERT_TRUE(solid(3, 2, Modra).save(adresar.filePath("Bitmap/Games/check.bmp"), "BMP"));
    const Picture prvy = Nacti_obrazek(adresar.path() + "/bitmap\\GAMES\\Check.bmp");
    const Picture druhy = Nacti_obrazek(adresar.path() + "/Bitmap/Games/check.bmp");
    EXPECT_EQ(prvy.Width(), 3);
    EXPECT_EQ(prvy.image().cacheKey(), druhy.image().cacheKey()) << "the same picture, not a new load";

    const QString neskor = adresar.path() + "/Bitmap/Games/neskor.bmp";
    EXPECT_TRUE(Nacti_obrazek(neskor).isNull());
    ASSERT_TRUE(solid(1, 1, Modra).save(neskor, "BMP"));
    EXPECT_FALSE(Nacti_obrazek(neskor).isNull());
}

TEST(Vykresli_ramecek, ThreePiecesSideBySideWhateverTheRowsHeight)
{
    const Picture lavy(solid(15, 10, Cervena)), stredny(solid(4, 10, Zelena)), pravy(solid(6, 10, Modra));
    for (int vyska : {0, 500}) {
        Plocha plocha(false);
        Vykresli_ramecek(plocha, 20, 10, 10, vyska, true, lavy, stredny, pravy);
        EXPECT_TRUE(plocha.AutoRedraw());
        // The middle piece stretched to the row's width, no overlap, no gap.
        const QImage obraz = plocha.persistentImage();
        int pocet = 0;
        for (int y = 0; y < obraz.height(); ++y)
            for (int x = 0; x < obraz.width(); ++x)
                pocet += QColor(obraz.pixel(x, y)) != Biela;
        EXPECT_EQ(pocet, (15 + 10 + 6) * 10) << vyska;
        EXPECT_EQ(Trvalo(plocha, 20, 9), Zelena) << "the middle piece starts at the row";
    }
}

TEST(Prizpusob_ovladace, ScalesEveryControlAndItsFontByTheScreensTwipsPerPixel)
{
    // A label and a timer, which has no size or font.
    Form formular;
    auto *popis = new Label(&formular);
    popis->Move(30, 60, 150, 45);
    new Timer(&formular);
    Prizpusob_ovladace(formular, 12); // 0.8 times the designed size
    EXPECT_EQ(popis->widget()->geometry(), QRect(24, 48, 120, 36));
    for (Control *c : formular.Controls()) {
        EXPECT_FALSE(c->TabStop());
        EXPECT_DOUBLE_EQ(c->FontSize(), pixelsToPoints(pointsToPixels(9.6)));
    }
}
