#include "support/Fixtures.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Clock.h"
#include "platform/Fonts.h"
#include "platform/MessageBox.h"
#include "platform/Runtime.h"
#include "platform/ThreadHandOff.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

using namespace platform;

namespace {

struct Recorder : Form {
    PictureBox *PicTop = new PictureBox(this);
    TextBox *TV = new TextBox(this);
    Label *TZ = new Label(this);
    std::vector<QString> log;
    int activations = 0;

    Recorder()
    {
        PicTop->Move(10, 10, 100, 40);
        TV->Move(10, 80, 100, 20);
        TZ->Move(10, 120, 100, 20);
        const auto noting = [this](const char *what) {
            return [this, what](int b, int s, int x, int y) { note(what, b, s, x, y); };
        };
        PicTop->MouseDown = noting("down");
        PicTop->MouseUp = noting("up");
        PicTop->MouseMove = noting("move");
        PicTop->Click = [this] { log.push_back("click"); };
        PicTop->DblClick = [this] { log.push_back("dblclick"); };
        TZ->MouseDown = noting("label");
    }
    void note(const char *what, int b, int s, int x, int y)
    {
        log.push_back(QString("%1 %2 %3 %4,%5").arg(what).arg(b).arg(s).arg(x).arg(y));
    }
    void Form_Activate() override { ++activations; }
    void Form_MouseDown(int b, int s, int x, int y) override { note("form", b, s, x, y); }
};

TEST(MouseEvents, ReachTheHandlersWithButtonShiftAndPositionUnlessTheFormIsBusyOrDisabled)
{
    Recorder f;
    lktest::showAndActivate(&f);
    QTest::mouseClick(f.PicTop, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier,
                      QPoint(5, 7));
    QTest::mouseDClick(f.PicTop, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(f.TZ, Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseClick(&f, Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(f.PicTop, QPoint(8, 9));
    const std::vector<QString> want = {"down 2 7 5,7", "up 2 7 5,7", "click", "dblclick",
                                       "label 1 0 4,4", "form 1 0 300,300", "move 0 0 8,9"};
    std::erase_if(f.log, [](const QString &s) { return s.startsWith("move") && s != "move 0 0 8,9"; });
    EXPECT_EQ(f.log, want);

    f.log.clear();
    {
        Form::Busy busy(&f);
        QTest::mouseClick(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(&f, Qt::LeftButton, {}, QPoint(300, 300));
        QTest::keyClicks(f.TV->editor(), "ab");
    }
    EXPECT_TRUE(f.log.empty());
    EXPECT_EQ(f.TV->Text(), "ab") << "typing during the wait is kept";
    f.Enabled = false;
    QTest::mouseClick(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(f.log.empty()) << "a disabled form takes no input";
    f.Enabled = true;
    f.PicTop->Enabled = false;
    QTest::mouseDClick(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(f.log.empty()) << "nor does a disabled control";
    f.PicTop->Enabled = true;
    QTest::mouseClick(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(f.log.empty()) << "input comes back after the wait";
}

TEST(KeyEvents, KeyDownGetsTheCodesKeyPressMayReplaceOrDropTheCharacterOrReadTheUsPosition)
{
    Recorder f;
    lktest::showAndActivate(&f);
    f.TV->SetFocus();
    const auto send = [&f](Qt::Key key, Qt::KeyboardModifiers mods, quint32 scan, const QString &text) {
        QKeyEvent e(QEvent::KeyPress, key, mods, scan, 0, 0, text);
        QApplication::sendEvent(f.TV->editor(), &e);
    };
    KeyArgs seen;
    f.TV->KeyDown = [&](KeyArgs &k) { seen = k; };
    struct Down { const char *name; Qt::Key key; Qt::KeyboardModifiers mods; QString text; int code, shift; };
    const Down downs[] = {
        {"keypad digit", Qt::Key_5, Qt::KeypadModifier, "5", 101, 0},
        {"keypad separator", Qt::Key_Comma, Qt::KeypadModifier, ",", 108, 0},
        {"letter with shift", Qt::Key_X, Qt::ShiftModifier, "X", 88, 1},
        {"period", Qt::Key_Period, {}, ".", 190, 0},
    };
    for (const auto &r : downs) {
        send(r.key, r.mods, 42, r.text);
        EXPECT_EQ(std::tuple(seen.KeyCode, seen.Shift, seen.Text, seen.ScanCode),
                  std::tuple(r.code, r.shift, r.text, 42u)) << r.name;
    }

    f.TV->Text = QString();
    f.TV->KeyPress = [](KeyPressArgs &k) {
        const std::map<int, int> swap{{'.', ','}, {'*', 0x00B7}, {'q', 0}}; // 0 drops the key
        if (auto it = swap.find(k.KeyAscii); it != swap.end())
            k.KeyAscii = it->second;
    };
    f.TV->KeyDown = [](KeyArgs &k) { k.KeyCode = k.KeyCode == 'Z' ? 0 : k.KeyCode; };
    QTest::keyClicks(f.TV->editor(), "2.5q*zx");
    EXPECT_EQ(f.TV->Text(), QString::fromUtf8("2,5\u00B7x"));
    f.TV->Locked = true;
    QTest::keyClicks(f.TV->editor(), "1.");
    EXPECT_EQ(f.TV->Text(), QString::fromUtf8("2,5\u00B7x")) << "a locked cell takes no replaced key either";
    f.TV->Locked = false;

    const struct { const char *name; quint32 scan; Qt::KeyboardModifiers mods; QString text, typed; } us[] = {
        {"Slovak digit row gives digits", 11, {}, QString::fromUtf8("ľ"), "2"},
        {"Slovak key 8 cannot type a glyph letter", 17, Qt::ShiftModifier, QString::fromUtf8("Á"), "*"},
        {"keypad star", 63, Qt::KeypadModifier, "*", "*"},
        {"no scan code keeps the text", 0, {}, QString::fromUtf8("Č"), QString::fromUtf8("Č")},
    };
    f.TV->KeyPress = [](KeyPressArgs &k) { k.KeyAscii = usKeyAscii(k); };
    for (const auto &r : us) {
        f.TV->Text = QString();
        send(Qt::Key_unknown, r.mods, r.scan, r.text);
        EXPECT_EQ(f.TV->Text(), r.typed) << r.name;
    }
}

struct CellsForm : Form {
    ControlArray<TextBox> TV1{this};
    CellsForm()
    {
        for (int i = 1; i <= 4; ++i) {
            TextBox *cell = i == 1 ? TV1(1) : TV1.Load(i);
            cell->Move(10, 30 * i, 100, 20);
            cell->Visible = true;
        }
    }
};

TEST(TabOrder, FollowsTabIndexWrapsRoundAndSkipsWhatCannotTakeTheFocus)
{
    struct Row { const char *name; std::vector<int> tabIndex /* of TV1(1..4) */; bool skip; int from, to; };
    const Row rows[] = {
        {"by TabIndex, not creation order", {1, 3, 2, 4}, false, 1, 3},
        {"wraps round to the lowest", {1, 3, 2, 4}, false, 4, 1},
        {"skips a hidden cell and one without TabStop", {1, 2, 3, 4}, true, 1, 4},
    };
    for (const Row &r : rows) {
        CellsForm f;
        for (int i = 1; i <= 4; ++i)
            f.TV1(i)->TabIndex = r.tabIndex[size_t(i - 1)];
        f.TV1(2)->Visible = !r.skip;
        f.TV1(3)->TabStop = !r.skip;
        lktest::showAndActivate(&f);
        f.TV1(r.from)->SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_TRUE(f.TV1(r.to)->editor()->hasFocus()) << r.name;
    }
}

// A dialog over the stage, whatever it or the window system did with the
// focus meanwhile, leaves it where it was: on the cell the pupil was typing
// in; also for a dialog that opens before the stage has it back.
TEST(TabOrder, ADialogGivesTheFocusBackToTheCellThatHadIt)
{
    struct Row {
        const char *name;
        bool stageActive;  // when the dialog opens
        int movedTo;       // the cell the stage's focus went to meanwhile, 0: none
    } rows[] = {
        {"the dialog took the focus", true, 0},
        {"the window system put the stage's focus on another cell", true, 1},
        {"opened while another dialog's window still had the focus, moved meanwhile", false, 1},
    };
    for (const Row &r : rows) {
        CellsForm f;
        lktest::showAndActivate(&f);
        f.TV1(3)->SetFocus();
        QWidget other;
        if (!r.stageActive) {
            other.show();
            QApplication::setActiveWindow(&other);
            ASSERT_EQ(QApplication::focusWidget(), nullptr) << r.name;
        }
        // Over the stage's window, as on the full screen, active or not.
        QDialog d(platform::Stage::instance());
        QLineEdit inside(&d);
        QTimer::singleShot(0, &d, [&] {
            inside.setFocus();
            if (r.movedTo)
                f.TV1(r.movedTo)->SetFocus();
            d.reject();
        });
        platform::Stage::runDialog(d);
        QApplication::processEvents(); // the window system's answer to the activation
        EXPECT_TRUE(f.TV1(3)->editor()->hasFocus()) << r.name;
    }
}

// Where the keys go after a dialog when the control that had the focus is
// no place to type any more: where the page the pupil now sees put the
// focus as it came up (its Form_Activate).
TEST(TabOrder, AfterADialogTheKeysGoWhereThePageInFrontPutsThem)
{
    struct Page : Form {
        PictureBox *Pic = new PictureBox(this);
        TextBox *TV = new TextBox(this);
        Page()
        {
            Pic->Move(10, 10, 100, 40);
            TV->Move(10, 80, 100, 20);
        }
        void Form_Activate() override { TV->SetFocus(); }
    };
    struct Row {
        const char *name;
        std::function<void(Page &first, Page &second)> beforeTheDialog, meanwhile;
        bool secondInFront;
    } rows[] = {
        {"a click on a picture took the focus from the page's cell",
         [](Page &a, Page &) { QTest::mouseClick(a.Pic, Qt::LeftButton); }, {}, false},
        {"the page came in front while the cell of the one behind had the focus",
         [](Page &, Page &b) { b.TV->SetFocus(); }, {}, false},
        {"the cell's page went behind another page meanwhile", {}, [](Page &, Page &b) { b.Show(); }, true},
        {"the page with the cell was unloaded meanwhile", {}, [](Page &a, Page &b) {
             b.Show();
             a.TV->SetFocus();
             a.Unload();
         }, true},
    };
    for (const Row &r : rows) {
        Page second, first;
        second.Show();
        lktest::showAndActivate(&first);
        if (r.beforeTheDialog)
            r.beforeTheDialog(first, second);
        QDialog d(Stage::instance());
        QTimer::singleShot(0, &d, [&] {
            if (r.meanwhile)
                r.meanwhile(first, second);
            d.reject();
        });
        Stage::runDialog(d);
        QApplication::processEvents();
        Page &front = r.secondInFront ? second : first;
        EXPECT_EQ(Stage::instance()->frontPage(), &front) << r.name;
        EXPECT_TRUE(front.TV->editor()->hasFocus()) << r.name;
    }
}

// A dialog over a window that goes while it is open, the dialog with it
// (as the full-screen window goes when the stage leaves the screen):
// nothing of that window is touched afterwards.
TEST(TabOrder, ADialogOverAWindowThatGoesMeanwhile)
{
    auto *window = new QWidget;
    auto *cell = new QLineEdit(window);
    window->show();
    QApplication::setActiveWindow(window);
    cell->setFocus();
    auto *d = new QDialog(window);
    QTimer::singleShot(0, [window] { delete window; });
    EXPECT_EQ(platform::Stage::runDialog(*d), QDialog::Rejected);
}

// A dialog takes the mouse: the control pressed when it opens is let go
// then, as its release will not reach it, and no click follows.
TEST(MouseEvents, ADialogEndsThePressUnderWay)
{
    Recorder f;
    lktest::showAndActivate(&f);
    QTest::mousePress(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
    std::vector<QString> during;
    QDialog d(Stage::instance());
    QTimer::singleShot(0, &d, [&] {
        during = f.log;
        d.reject();
    });
    Stage::runDialog(d);
    ASSERT_EQ(during.size(), 2u);
    EXPECT_TRUE(during[1].startsWith("up 1 0 ")) << during[1].toStdString();
    QTest::mouseRelease(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "click"), 0);
}

// Qt makes a double click of a press and the one before it, also where
// that one reached no control: dropped during a wait's note, taken by a
// dialog, or ignored by a busy form. The control then has its press.
TEST(MouseEvents, ADoubleClickWhoseFirstPressReachedNoControlIsAPress)
{
    Recorder f;
    lktest::showAndActivate(&f);
    const auto press = [&f] { QTest::mousePress(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5)); };
    const std::pair<const char *, std::function<void()>> rows[] = {
        {"dropped during a wait's note", [&] { const WaitNote note(QStringLiteral("Čakám …")); press(); }},
        {"taken by a dialog", [] {
             QDialog d(Stage::instance());
             QTimer::singleShot(0, &d, &QDialog::reject);
             Stage::runDialog(d);
         }},
        {"ignored by a busy form", [&] { const Form::Busy busy(&f); press(); }},
    };
    for (const auto &[name, lose] : rows) {
        lose();
        f.log.clear();
        QTest::mouseDClick(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(f.log, (std::vector<QString>{"down 1 0 5,5", "up 1 0 5,5", "click"})) << name;
    }
}

// Keys and clicks that come while a wait's note is shown are dropped, also
// those that come in the last turn of events, as the note goes; what comes
// after it goes where it always goes.
TEST(WaitNote, WhatComesWhileItIsShownIsDroppedToTheLast)
{
    Recorder f;
    lktest::showAndActivate(&f);
    f.TV->SetFocus();
    const auto shown = [] {
        const auto labels = Stage::instance()->findChildren<QLabel *>();
        return std::any_of(labels.begin(), labels.end(), [](QLabel *l) { return l->isVisible(); });
    };
    // At every turn of events, while the note is shown.
    int given = 0;
    QTimer teacher;
    QObject::connect(&teacher, &QTimer::timeout, [&] {
        if (!shown())
            return;
        ++given;
        QApplication::postEvent(f.TV->editor(), new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x"));
        for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QApplication::postEvent(f.PicTop, new QMouseEvent(t, QPointF(5, 5), f.PicTop->mapToGlobal(QPointF(5, 5)),
                                                              Qt::LeftButton, t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {}));
    });
    teacher.start(0);
    {
        WaitNote note(QStringLiteral("Čakám …"));
        AwaitWithEvents([&] { return given >= 3; }, std::chrono::steady_clock::now() + std::chrono::seconds(10));
    }
    QApplication::processEvents();
    teacher.stop();
    EXPECT_GE(given, 3);
    EXPECT_EQ(f.TV->Text(), "") << "typed during the wait";
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "click"), 0) << "clicked during the wait";
    const QString before = f.TV->Text();
    f.log.clear();
    QTest::keyClicks(f.TV->editor(), "ab");
    QTest::mouseClick(f.PicTop, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(f.TV->Text(), before + "ab") << "typed after it";
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "click"), 1) << "clicked after it";
}

// A close asked while code runs below a wait that handles events is
// answered once that wait is over, also when more closes come, and never
// inside it, where the code around would go on under the answer.
TEST(WindowClose, IsAnsweredOnceAfterEveryWaitThatHandlesEvents)
{
    Stage *stage = Stage::instance();
    const auto closeTwice = [stage] {
        QTimer::singleShot(0, stage, [stage] { stage->close(), stage->close(); });
    };
    const auto closeBox = [] {
        QTimer::singleShot(30, [] {
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
        });
    };
    const struct {
        const char *name;
        std::function<void()> wait;
    } rows[] = {
        {"DoEvents", [] { DoEvents(); }},
        {"a wait with events", [] { SystemClock().WaitWithEvents(30); }},
        {"a busy wait painting", [] { BusyWait().Paint(); }},
        {"a wait note", [] { WaitNote note(QStringLiteral("Čakám …")); }},
        {"a message box", [&] { closeBox(), QtMessageBox().Show("Text", MessageStyle::OkOnly, "Chyba"); }},
        {"the full-screen set-up", [stage] { stage->fillScreen(), stage->leaveScreen(); }},
        {"a message box in a wait with events, the close in the box",
         [&] {
             SystemClock clock;
             clock.WaitWithEventsUntil(clock.TickCount() + 2000, [&] {
                 closeTwice(), closeBox();
                 QtMessageBox().Show("Text", MessageStyle::OkOnly, "Chyba");
                 return true;
             });
         }},
    };
    for (const auto &r : rows) {
        int asked = 0;
        bool inside = false, askedInside = false;
        Stage::onCloseRequest([&] { ++asked, askedInside |= inside; });
        closeTwice();
        inside = true;
        r.wait();
        inside = false;
        QTest::qWait(100);
        EXPECT_EQ(asked, 1) << r.name;
        EXPECT_FALSE(askedInside) << r.name;
    }
    Stage::onCloseRequest({});
}

TEST(FormLifecycle, ShowActivatesEveryTimeOverlaysStayOnTopLabelsStayUnderWindowedControls)
{
    Recorder page;
    Form hint(Form::Kind::Overlay);
    page.Show();
    page.Show();
    EXPECT_EQ(page.activations, 2);
    hint.Width = 100 * 15;
    hint.Height = 40 * 15;
    hint.Show();
    Recorder other;
    other.Show();
    const QObjectList order = Stage::instance()->children();
    EXPECT_GT(order.indexOf(&hint), order.indexOf(&other)) << "a page shown later stays under the overlay";
    EXPECT_EQ(Stage::instance()->frontPage(), &other) << "the overlay is no page";
    page.ZOrder(0);
    EXPECT_GT(Stage::instance()->children().indexOf(&page), Stage::instance()->children().indexOf(&other));
    EXPECT_EQ(hint.width(), 100) << "form sizes are twips";

    page.TZ->Caption = "Meno";
    page.TZ->AutoSize = true;
    Canvas probe;
    probe.setCanvasFontName(kDesignFont);
    EXPECT_EQ(page.TZ->Width(), probe.TextWidth("Meno")) << "an AutoSize label fits its text";
    page.TZ->ZOrder(0);
    EXPECT_LT(page.children().indexOf(page.TZ), page.children().indexOf(page.TV)) << "windowless under windowed";
    Label later(&page);
    EXPECT_LT(page.children().indexOf(&later), page.children().indexOf(page.TV)) << "also when made later";
    EXPECT_GT(page.children().indexOf(&later), page.children().indexOf(page.TZ)) << "over the older label";
}

} // namespace
