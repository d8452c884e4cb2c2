// A small form built the way the screens are built, driven as a pupil would
// drive it; its picture is saved under build/screens/ for review.
#include "support/Fixtures.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Runtime.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct frm_Demo : Form {
    ControlArray<TextBox> TV1{this};
    Label *TVysledok = new Label(this);
    PictureBox *PicTop = new PictureBox(this);
    std::vector<int> gotFocus;
    int tabsSeen = 0;

    frm_Demo()
    {
        TV1(1)->Move(260, 95, 100, 20);
        TVysledok->Move(40, 200, 300, 20);
        PicTop->Move(400, 95, 96, 32);
        TV1.GotFocus = [this](int Index) { gotFocus.push_back(Index); };
        TV1.KeyDown = [this](int, KeyArgs &k) {
            tabsSeen += k.KeyCode == 9;
            if (k.KeyCode == 13)
                SendKeys("{TAB}");
        };
        TV1.KeyPress = [](int, KeyPressArgs &k) { if (k.KeyAscii == '.') k.KeyAscii = ','; };
        PicTop->Click = [this] {
            double sum = 0;
            for (int i = 1; i <= TV1.UBound(); ++i)
                sum += QString(TV1(i)->Text).replace(',', '.').toDouble();
            TVysledok->Caption = "Spolu: " + QString::number(sum).replace('.', ',');
        };
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
        TV1(2)->Text = "0";
        PicTop->AutoRedraw = true;
        PicTop->BackColor = RGB(0, 140, 0);
        PicTop->ForeColor = RGB(255, 255, 255);
        PicTop->CurrentX = (PicTop->Width() - PicTop->TextWidth("Spolu")) / 2;
        PicTop->CurrentY = 8;
        PicTop->Print("Spolu");
    }
};

TEST(DemoForm, PupilTypesTwoNumbersWithEnterBetweenAndGetsTheirSum)
{
    frm_Demo f;
    lktest::showAndActivate(&f);
    QTest::mouseClick(f.TV1(1)->editor(), Qt::LeftButton);
    QTest::keyClicks(f.TV1(1)->editor(), "12");
    f.TV1(1)->SelStart = 1;
    f.TV1(1)->SelLength = 1;
    QTest::keyClick(f.TV1(1)->editor(), Qt::Key_Return);
    ASSERT_TRUE(f.TV1(2)->editor()->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "3.5");
    EXPECT_EQ(f.TV1(1)->SelText(), "2") << "the cell left keeps its selection";
    EXPECT_EQ(f.TV1(2)->Text(), "3,50") << "the cell reached keeps its text, caret at the start";
    EXPECT_EQ(f.gotFocus, (std::vector<int>{1, 2}));
    EXPECT_EQ(f.tabsSeen, 0) << "Tab moves the focus and is no key of the cell";
    EXPECT_FALSE(SendKeys("{ENTER}")) << "only {TAB} is understood";
    QTest::mouseClick(f.PicTop, Qt::LeftButton, {}, QPoint(48, 16));
    EXPECT_EQ(f.TVysledok->Caption(), "Spolu: 15,5");

    const QString dir = QStringLiteral(LK_BUILD_DIR) + "/screens";
    QDir().mkpath(dir);
    EXPECT_TRUE(Stage::instance()->grab().save(dir + "/demo_form.png"));
}

} // namespace
