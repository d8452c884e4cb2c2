// The service registry, the fake clock other tests stand on, and the real
// message box and display mode. The random source is the engine's and is
// checked there; the other fakes are driven by the services and screens
// that use them.
#include "platform/Services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace platform;

TEST(ServiceRegistry, FakeIsUsedWhileInstalledAndRealComesBack)
{
    Clock &real = services().clock();
    FakeClock outer;
    {
        ScopedService<Clock> outerGuard(outer);
        FakeClock inner;
        {
            ScopedService<Clock> innerGuard(inner);
            EXPECT_EQ(&services().clock(), &inner);
        }
        EXPECT_EQ(&services().clock(), &outer);
    }
    EXPECT_EQ(&services().clock(), &real);
}

TEST(ServiceRegistry, EachServiceHasItsOwnPlace)
{
    FakeMessageBox box;
    ScopedService<MessageBox> guard(box);
    EXPECT_EQ(&services().messageBox(), &box);
    EXPECT_NE(dynamic_cast<SystemClock *>(&services().clock()), nullptr);
    EXPECT_NE(dynamic_cast<ScreenDisplayMode *>(&services().displayMode()), nullptr);
    // Real sound and printer objects are made here and must be released
    // cleanly when the application object goes at the end of the run.
    services().sound().Play("missing.wav");
    EXPECT_GT(services().printer().Width(), 0.0f);
}

// Waits of the screens (the wraps of the tick count included) are checked
// through the services that wait, the wait for a click on the title screen.
TEST(FakeClock, NegativeWaitEndsAtOnce)
{
    FakeClock clock(1000);
    clock.Wait(-5);
    EXPECT_EQ(clock.TickCount(), 1000);
}

TEST(FakeClock, HandlerThatWaitsDuringAWaitDoesNotTurnTimeBack)
{
    FakeClock clock(0);
    QTimer::singleShot(0, qApp, [&] { clock.Wait(500); });
    clock.WaitWithEvents(100);
    EXPECT_EQ(clock.TickCount(), 501);
}

namespace {

struct SeenBox {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString button; // text of the button clicked
};

// Notes what the modal box shows and clicks one of its buttons.
void ClickWhenShown(QMessageBox::StandardButton button, SeenBox *seen)
{
    QTimer::singleShot(0, qApp, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ClickWhenShown(button, seen);
            return;
        }
        *seen = {true, box->windowTitle(), box->text(), box->icon(), box->button(button)->text()};
        box->button(button)->click();
    });
}

} // namespace

TEST(QtMessageBox, ShowsAModalBoxAndReportsTheButton)
{
    struct Row {
        const char *name;
        int style;
        QMessageBox::StandardButton click;
        MessageAnswer answer;
        QMessageBox::Icon icon;
        const char *button;
    };
    const Row rows[] = {
        {"question answered Yes", MessageStyle::YesNo | MessageStyle::Question,
         QMessageBox::Yes, MessageAnswer::Yes, QMessageBox::Question, "&Áno"},
        {"question answered No", MessageStyle::YesNo | MessageStyle::Question,
         QMessageBox::No, MessageAnswer::No, QMessageBox::Question, "&Nie"},
        {"critical error with OK", MessageStyle::OkOnly | MessageStyle::Critical,
         QMessageBox::Ok, MessageAnswer::Ok, QMessageBox::Critical, "OK"},
        {"plain OK without icon", MessageStyle::OkOnly, QMessageBox::Ok, MessageAnswer::Ok,
         QMessageBox::NoIcon, "OK"},
    };
    for (const Row &row : rows) {
        QtMessageBox real;
        SeenBox seen;
        ClickWhenShown(row.click, &seen);
        EXPECT_EQ(real.Show("Text správy", row.style, "Titulok"), row.answer) << row.name;
        EXPECT_TRUE(seen.shown) << row.name;
        EXPECT_EQ(seen.icon, row.icon) << row.name;
        EXPECT_EQ(seen.title, "Titulok") << row.name;
        EXPECT_EQ(seen.text, "Text správy") << row.name;
        EXPECT_EQ(seen.button, QString::fromUtf8(row.button)) << row.name << ": Slovak buttons";
    }
}

TEST(DisplayMode, ScreenReportsSuccessAndChangesNothing)
{
    ScreenDisplayMode display;
    const DisplayModeRecord before = display.CurrentMode();
    EXPECT_GT(before.width, 0);
    EXPECT_EQ(display.ChangeMode({640, 480, 16, 0, 0x1C0000}, DisplayChangeReset),
              DisplayChangeSuccessful);
    EXPECT_EQ(display.CurrentMode().width, before.width);
}
