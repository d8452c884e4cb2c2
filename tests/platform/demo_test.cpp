// A small form built the way the screens are built, driven like a pupil
// would drive it; its picture is saved under build/screens/ for review.
#include "Fixtures.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Runtime.h"

#include <QDir>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// A face drawn on the key colour, which is cut out or shows what lies below.
QImage onKeyColour(int w, int h, const std::function<void(QPainter &)> &draw)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(kKeyColour);
    QPainter p(&img);
    draw(p);
    return img;
}

struct frm_Hint : Form {
    ControlArray<Label> Label1{this};
    frm_Hint() : Form(Kind::Overlay) {}
    void Form_Load() override
    {
        Width = 160 * Screen::TwipsPerPixelX;
        Height = 40 * Screen::TwipsPerPixelY;
        AutoRedraw = true;
        Picture = platform::Picture(onKeyColour(160, 40, [](QPainter &p) {
            p.setBrush(QColor(255, 255, 210));
            p.drawRoundedRect(QRect(0, 0, 159, 39), 12, 12);
        }));
        setWindowRegion(regionWithout(persistentImage(), Point(0, 0)));
        Label1(1)->Move(10, 12, 140, 20);
        Label1(1)->BackStyle = vbTransparent;
        Label1(1)->Alignment = vbCenter;
        Label1(1)->FontSize = 10;
    }
};

struct frm_Demo : Form {
    ControlArray<TextBox> TV1{this};
    Label *TVysledok = new Label(this);
    PictureBox *PicTop = new PictureBox(this);
    frm_Hint hint;

    frm_Demo()
    {
        TV1(1)->Move(260, 95, 100, 20);
        TV1(1)->Alignment = vbCenter;
        TVysledok->Move(40, 200, 300, 20);
        PicTop->Move(400, 95, 96, 32);
        PicTop->AutoRedraw = true;
        TV1.KeyDown = [](int, KeyArgs &k) { if (k.KeyCode == 13) SendKeys("{TAB}"); };
        TV1.KeyPress = [](int, KeyPressArgs &k) { if (k.KeyAscii == '.') k.KeyAscii = ','; };
        PicTop->MouseDown = [this](int, int, int X, int Y) { PicTop_MouseDown(X, Y); };
        PicTop->MouseUp = [this](int, int, int, int) { hint.Hide(); };
    }

    void Form_Load() override
    {
        BackColor = RGB(200, 220, 255);
        AutoRedraw = true;
        Line(20, 80, 620, 240, true);
        CurrentX = 40;
        CurrentY = 30;
        FontSize = 16;
        Print("Ukážkový formulár");
        TV1.Load(2)->Top = TV1(1)->Top + 35;
        TV1(2)->Visible = true;
        TV1(2)->TabIndex = 1; // after the cell above, before the button
        PicTop->BackColor = BackColor;
        DrawPicture(PicTop->hDC(), 0, 0, platform::Picture(onKeyColour(96, 32, [](QPainter &p) {
            p.setBrush(QColor(0, 140, 0));
            p.drawEllipse(QRect(2, 2, 91, 27));
            p.setPen(Qt::white);
            p.drawText(QRect(0, 0, 96, 32), Qt::AlignCenter, "Spolu");
        })), true);
        hint.Load();
    }

    void PicTop_MouseDown(int X, int Y)
    {
        double sum = 0;
        for (int i = 1; i <= TV1.UBound(); ++i)
            sum += QString(TV1(i)->Text).replace(',', '.').toDouble();
        TVysledok->Caption = "Spolu: " + QString::number(sum).replace('.', ',');
        const QPoint at = PicTop->mapToGlobal(QPoint(X, Y));
        hint.Label1(1)->Caption = "Výsledok je hotový";
        hint.Left = (at.x() + 5) * Screen::TwipsPerPixelX - hint.Width;
        hint.Top = at.y() * Screen::TwipsPerPixelY;
        hint.Show();
    }
};

TEST(DemoForm, PupilTypesTwoNumbersAndGetsTheirSum)
{
    frm_Demo f;
    lktest::showAndActivate(&f);
    QTest::mouseClick(f.TV1(1)->editor(), Qt::LeftButton);
    QTest::keyClicks(f.TV1(1)->editor(), "12");
    QTest::keyClick(f.TV1(1)->editor(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), "3.5");
    EXPECT_EQ(f.TV1(2)->Text(), "3,5");

    QTest::mousePress(f.PicTop, Qt::LeftButton, {}, QPoint(48, 16));
    EXPECT_EQ(f.TVysledok->Caption(), "Spolu: 15,5");
    EXPECT_TRUE(f.hint.isVisible());
    QWidget *focused = QApplication::focusWidget();
    QTest::mouseClick(&f.hint, Qt::LeftButton, {}, QPoint(80, 20));
    EXPECT_EQ(QApplication::focusWidget(), focused) << "the hint takes no focus";
    EXPECT_EQ(f.hint.geometry().right() + 1, f.PicTop->mapTo(Stage::instance(), QPoint(48, 16)).x() + 5)
        << "the hint's right edge stands 5 px right of the mouse";
    EXPECT_FALSE(f.hint.mask().contains(QPoint(0, 0))) << "the magenta corner is cut out";
    EXPECT_EQ(f.PicTop->Point(1, 1), f.BackColor()) << "the button's magenta lets the form colour through";

    const QString dir = QStringLiteral(LK_BUILD_DIR) + "/screens";
    QDir().mkpath(dir);
    EXPECT_TRUE(Stage::instance()->grab().save(dir + "/demo_form.png"));

    QTest::mouseRelease(f.PicTop, Qt::LeftButton, {}, QPoint(48, 16));
    EXPECT_FALSE(f.hint.isVisible());
}

} // namespace
