// The two drawing layers of a surface and its own drawing calls. Pictures,
// copies between surfaces and window shapes are checked through the drawing
// services that the screens call (tests/services/Kresleni_test.cpp).
#include "Fixtures.h"
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
