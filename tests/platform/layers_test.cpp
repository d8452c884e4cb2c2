// The two drawing layers of a surface and its own drawing calls. Pictures,
// copies between surfaces and window shapes are checked through the drawing
// services that the screens call (tests/services/Kresleni_test.cpp).
#include "support/Fixtures.h"
#include "platform/Controls.h"

#include <gtest/gtest.h>

using namespace platform;
using lktest::solid;

namespace {

const QColor kWhite(255, 255, 255), kRed(255, 0, 0), kBlue(0, 0, 255);

QColor onScreen(Canvas &c, int x, int y)
{
    c.repaint();
    return QColor(c.screenImage().pixel(x, y));
}

TEST(TwoLayers, ScreenOnlyDrawingGoesOnRefreshOrClsPersistentSurvives)
{
    Form f;
    lktest::showAndActivate(&f);
    f.AutoRedraw = true;
    f.Line(10, 10, 50, 10, kRed);
    f.AutoRedraw = false;
    f.Line(10, 20, 50, 20, kBlue);
    EXPECT_EQ(onScreen(f, 30, 10), kRed) << "persistent drawing shows at the next repaint";
    EXPECT_EQ(onScreen(f, 30, 20), kBlue) << "screen drawing shows at once";
    f.Refresh();
    EXPECT_EQ(onScreen(f, 30, 10), kRed);
    EXPECT_EQ(onScreen(f, 30, 20), kWhite) << "a screen-only line is gone after Refresh";
    f.Line(10, 20, 50, 20, kBlue);
    f.CurrentX = 7;
    f.Cls();
    EXPECT_EQ(onScreen(f, 30, 10), kRed) << "Cls with AutoRedraw off keeps the persistent image";
    EXPECT_EQ(onScreen(f, 30, 20), kWhite);
    EXPECT_EQ(f.CurrentX(), 0);
    f.AutoRedraw = true;
    f.Cls();
    EXPECT_EQ(onScreen(f, 30, 10), kWhite) << "with AutoRedraw on, Cls clears to the background";
}

TEST(Drawing, LineBoxPrintAndPoint)
{
    PictureBox box(nullptr);
    box.resize(100, 60);
    box.AutoRedraw = true;
    box.Line(10, 10, 30, 20, kRed, true);
    box.Line(10, 40, 20, 40, kBlue);
    struct Row { const char *name; int x, y; QColor want; };
    const Row rows[] = {
        {"box's far corner included", 30, 20, kRed}, {"box's inside stays", 20, 15, kWhite},
        {"line's first point drawn", 10, 40, kBlue}, {"line's end point left out", 20, 40, kWhite},
        {"just outside the surface", 100, 5, QColor()},
    };
    for (const Row &r : rows)
        EXPECT_EQ(box.Point(r.x, r.y), r.want) << r.name;
    box.CurrentX = 5;
    box.CurrentY = 30;
    box.Print("x");
    EXPECT_EQ(box.CurrentX(), 0);
    EXPECT_EQ(box.CurrentY(), 30 + box.TextHeight("x"));
}

// A picture stretched over an area covers that area and nothing else, as
// Qt scales it, whether it is of one colour (filled) or not.
TEST(Drawing, StretchedPictureCoversItsAreaAsQtScalesIt)
{
    QImage stripes(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < stripes.height(); ++y)
        for (int x = 0; x < stripes.width(); ++x)
            stripes.setPixel(x, y, qRgb(40 * x, 60 * y, 200));
    const struct {
        const char *name;
        QImage image;
    } rows[] = {{"one colour, opaque", solid(16, 372, kBlue).convertToFormat(QImage::Format_RGB32)},
                {"one colour with an alpha channel", solid(4, 4, QColor(0, 0, 255, 128))},
                {"many colours", stripes}};
    for (const auto &r : rows) {
        PictureBox box(nullptr);
        box.resize(100, 80);
        box.AutoRedraw = true;
        box.PaintPicture(Picture(r.image), 7, 5, 61, 43);
        QImage want(100, 80, kPictureFormat);
        want.fill(kWhite);
        QPainter p(&want);
        p.drawImage(QRect(7, 5, 61, 43), r.image.convertToFormat(kPictureFormat));
        p.end();
        EXPECT_TRUE(box.persistentImage() == want) << r.name;
    }
}

// A hidden box learns of its new size only when shown; what is drawn on it
// before then, at its new size, must still be there, and growing keeps it.
TEST(TwoLayers, HiddenBoxResizedThenDrawnKeepsTheDrawing)
{
    Form f;
    PictureBox box(&f);
    box.Visible = false;
    box.Move(0, 0, 60, 30);
    box.AutoRedraw = true;
    DrawPicture(box.hDC(), 40, 20, Picture(solid(8, 8, kRed)));
    box.Move(0, 0, 80, 40);
    lktest::showAndActivate(&f);
    box.Visible = true;
    EXPECT_EQ(onScreen(box, 44, 24), kRed);
}

} // namespace

// A surface on a scaled screen is drawn by Qt's fast path; it must cover
// the same screen pixels with the same colours as the general one.
TEST(Drawing, ScaledSurfaceShowsAsQtsGeneralPathDraws)
{
    struct Row {
        const char *name;
        double scale;
        QPointF at; // screen pixels
        QSize size;
    } rows[] = {{"lower edge on a pixel centre", 2.25, {243, 209.25}, {220, 301}},
                {"lower edge between pixels", 2.25, {870.75, 11.25}, {91, 75}},
                {"whole pixels", 2.25, {0, 0}, {64, 48}},
                // A stage placed at 173.72 screen pixels on a 1366 x 768 screen.
                {"51/32: right edge past a pixel centre", 51 / 32.0, {186.46875, 197.625}, {300, 46}},
                {"51/32: lower edge past a pixel centre", 51 / 32.0, {173.71875, 3.1875}, {40, 4}},
                {"51/32: both", 51 / 32.0, {186.46875, 3.1875}, {300, 4}},
                {"51/32: right edge short of a pixel centre", 51 / 32.0, {173.71875, 1.59375}, {1, 480}}};
    for (const Row &r : rows) {
        QImage image(r.size, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 7, y * 5, (x + y) * 3));
        // Whole, and clip rectangle by clip rectangle as a surface paints.
        const QRect lowerRight(QPoint(image.width() / 2, image.height() / 2), image.size());
        for (const QRect &clip : {QRect(), lowerRight}) {
            QImage want(1200, 1000, QImage::Format_RGB32), got = want.copy();
            want.fill(kRed);
            got.fill(kRed);
            const QTransform toScreen = QTransform::fromTranslate(r.at.x(), r.at.y()).scale(r.scale, r.scale);
            QPainter general(&want), fast(&got);
            for (QPainter *p : {&general, &fast}) {
                p->setTransform(toScreen);
                if (!clip.isNull())
                    p->setClipRect(clip);
            }
            general.drawImage(0, 0, image.convertToFormat(QImage::Format_ARGB32));
            drawStretched(fast, image);
            general.end();
            fast.end();
            EXPECT_TRUE(got == want) << r.name << (clip.isNull() ? "" : ", clipped");
        }
    }
}
