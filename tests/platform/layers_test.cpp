#include "Fixtures.h"
#include "platform/Controls.h"

#include <gtest/gtest.h>

using namespace platform;
using lktest::solid;

namespace {

const QColor kWhite(255, 255, 255), kRed(255, 0, 0), kBlue(0, 0, 255), kGreen(0, 128, 0);

QColor onScreen(Canvas &c, int x, int y)
{
    c.repaint();
    return QColor(c.screenImage().pixel(x, y));
}

TEST(TwoLayers, ScreenOnlyDrawingGoesOnRefreshPersistentSurvives)
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
    f.Hide();
}

// The drawing services flip AutoRedraw, draw, flip back and draw again, so
// the picture is on both layers whichever value the target had.
TEST(TwoLayers, DrawingTwiceWithAutoRedrawFlippedPutsItOnBoth)
{
    for (bool start : {false, true}) {
        PictureBox box(nullptr);
        box.resize(40, 40);
        box.AutoRedraw = start;
        const Picture pic(solid(8, 8, kGreen));
        box.AutoRedraw = !start;
        DrawPicture(box.hDC(), 5, 5, pic);
        box.AutoRedraw = start;
        DrawPicture(box.hDC(), 5, 5, pic);
        EXPECT_EQ(box.AutoRedraw(), start);
        EXPECT_EQ(QColor(box.persistentImage().pixel(8, 8)), kGreen) << "start " << start;
        EXPECT_EQ(onScreen(box, 8, 8), kGreen) << "start " << start;
        box.Refresh();
        EXPECT_EQ(onScreen(box, 8, 8), kGreen) << "survives a repaint, start " << start;
    }
}

TEST(TwoLayers, ClsClearsOnlyTheLayerInUse)
{
    PictureBox box(nullptr);
    box.resize(40, 40);
    box.AutoRedraw = true;
    box.Line(0, 5, 39, 5, kRed);
    box.AutoRedraw = false;
    box.Line(0, 9, 39, 9, kBlue);
    box.CurrentX = 7;
    box.Cls();
    EXPECT_EQ(onScreen(box, 3, 5), kRed) << "AutoRedraw off: the persistent image stays";
    EXPECT_EQ(onScreen(box, 3, 9), kWhite);
    EXPECT_EQ(box.CurrentX(), 0);
    box.AutoRedraw = true;
    box.Cls();
    EXPECT_EQ(onScreen(box, 3, 5), kWhite) << "AutoRedraw on: back to the background";
}

TEST(Drawing, LineBoxPrintAndPoint)
{
    PictureBox box(nullptr);
    box.resize(100, 60);
    box.AutoRedraw = true;
    box.Line(10, 10, 30, 20, kRed, true);
    struct Row { const char *name; int x, y; QColor want; };
    const Row rows[] = {
        {"box corner", 10, 10, kRed}, {"far corner included", 30, 20, kRed},
        {"box edge", 20, 20, kRed},   {"inside stays", 20, 15, kWhite},
    };
    for (const Row &r : rows)
        EXPECT_EQ(box.Point(r.x, r.y), r.want) << r.name;
    box.Line(10, 40, 20, 40, kBlue);
    EXPECT_EQ(box.Point(10, 40), kBlue) << "a line starts on its first point";
    EXPECT_EQ(box.Point(19, 40), kBlue);
    EXPECT_EQ(box.Point(20, 40), kWhite) << "and leaves out its end point";
    EXPECT_FALSE(box.Point(200, 5).isValid()) << "outside the surface";
    box.CurrentX = 5;
    box.CurrentY = 30;
    box.Print("x");
    EXPECT_EQ(box.CurrentX(), 0);
    EXPECT_EQ(box.CurrentY(), 30 + box.TextHeight("x"));
}

TEST(Blit, TransparentCopyKeepsTheDestinationUnderTheKeyColour)
{
    const QColor key(255, 0, 255);
    struct Row { const char *name; QColor left, right; QColor wantLeft, wantRight; };
    const Row rows[] = {
        {"all key colour leaves the destination", key, key, kBlue, kBlue},
        {"no key colour copies as an opaque copy", kRed, kGreen, kRed, kGreen},
        {"mixed", key, kGreen, kBlue, kGreen},
    };
    for (const Row &r : rows) {
        PictureBox src(nullptr), dst(nullptr);
        src.resize(20, 10);
        dst.resize(20, 10);
        QImage pic = solid(20, 10, r.left);
        for (int y = 0; y < 10; ++y)
            for (int x = 10; x < 20; ++x)
                pic.setPixelColor(x, y, r.right);
        src.AutoRedraw = dst.AutoRedraw = true;
        src.Picture = Picture(pic);
        dst.BackColor = kBlue;
        const QImage before = src.persistentImage();
        TransparentBlt(dst.hDC(), 0, 0, 20, 10, src.hDC(), 0, 0);
        EXPECT_EQ(dst.Point(2, 2), r.wantLeft) << r.name;
        EXPECT_EQ(dst.Point(15, 2), r.wantRight) << r.name;
        EXPECT_EQ(src.persistentImage(), before) << r.name << ": the source is unchanged";
    }
}

TEST(Blit, OpaqueAndStretchedCopies)
{
    PictureBox src(nullptr), dst(nullptr);
    src.resize(4, 4);
    dst.resize(20, 20);
    src.AutoRedraw = dst.AutoRedraw = true;
    src.Picture = Picture(solid(4, 4, kRed));
    BitBlt(dst.hDC(), 2, 2, 4, 4, src.hDC(), 0, 0);
    EXPECT_EQ(dst.Point(5, 5), kRed);
    EXPECT_EQ(dst.Point(6, 6), kWhite) << "no more than the given size";
    BitBlt(dst.hDC(), 0, 12, 300, 300, src.hDC(), 0, 0);
    EXPECT_EQ(dst.Point(3, 15), kRed);
    EXPECT_EQ(dst.Point(5, 17), kWhite) << "a size beyond the source copies only the source";
    StretchBlt(dst.hDC(), 10, 10, 8, 8, src.hDC(), 0, 0, 4, 4);
    EXPECT_EQ(dst.Point(17, 17), kRed);
    EXPECT_EQ(dst.Point(18, 18), kWhite);
}

TEST(WindowShape, KeyColourPixelsAreCutOut)
{
    QImage pic = solid(30, 20, kBlue);
    for (int x = 0; x < 30; ++x)
        pic.setPixelColor(x, 0, kGreen); // the border row is the key colour
    pic.setPixelColor(5, 10, kGreen);
    const QRegion shape = regionWithout(pic, kGreen);
    EXPECT_FALSE(shape.contains(QPoint(3, 0)));
    EXPECT_FALSE(shape.contains(QPoint(5, 10)));
    EXPECT_TRUE(shape.contains(QPoint(6, 10)));
    EXPECT_EQ(regionWithout(solid(30, 20, kBlue), kGreen), QRegion(0, 0, 30, 20))
        << "no key pixel keeps the full rectangle";

    Form hint(Form::Kind::Overlay);
    hint.Width = 30 * 15;
    hint.Height = 20 * 15;
    hint.AutoRedraw = true;
    hint.Picture = Picture(pic);
    hint.setWindowRegion(regionWithout(hint.persistentImage(), hint.Point(1, 0)));
    EXPECT_FALSE(hint.mask().contains(QPoint(3, 0)));
    EXPECT_TRUE(hint.mask().contains(QPoint(3, 5)));
}

} // namespace

namespace {

// A hidden box learns of its new size only when shown; what is drawn on it
// before then, at its new size, must still be there.
TEST(TwoLayers, HiddenBoxResizedThenDrawnKeepsTheDrawing)
{
    Form f;
    PictureBox box(&f);
    box.Visible = false;
    box.Move(0, 0, 60, 30);
    box.AutoRedraw = true;
    DrawPicture(box.hDC(), 40, 20, Picture(solid(8, 8, kRed)));
    lktest::showAndActivate(&f);
    box.Visible = true;
    EXPECT_EQ(QColor(box.persistentImage().pixel(44, 24)), kRed);
    EXPECT_EQ(onScreen(box, 44, 24), kRed);
    f.Hide();
}

} // namespace
