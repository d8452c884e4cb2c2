// The service registry, the fake clock other tests stand on, and the real
// message box, display mode and sound. The random source is the engine's and
// is checked there; the other fakes are driven by the services and screens
// that use them.
#include "platform/Services.h"
#include "platform/Signals.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTimer>
#include <gtest/gtest.h>

#include <cerrno>
#include <iostream>
#include <sys/resource.h>
#include <unistd.h>

using namespace platform;

TEST(ServiceRegistry, FakeIsUsedWhileInstalledAndRealComesBack)
{
    Clock &real = services().clock();
    FakeClock outer, inner;
    {
        ScopedService<Clock> outerGuard(outer);
        { ScopedService<Clock> innerGuard(inner); } // a nested fake gives the outer one back
        EXPECT_EQ(&services().clock(), &outer);
    }
    EXPECT_EQ(&services().clock(), &real);
    // Real sound and printer objects are made here and must be released
    // cleanly when the application object goes at the end of the run.
    services().sound().Play("missing.wav");
    EXPECT_GT(services().printer().Width(), 0.0f);
    DisplayMode &display = services().displayMode();
    DisplayModeRecord desktop = display.CurrentMode();
    desktop.fields = DisplayField::Width | DisplayField::Height;
    EXPECT_EQ(display.ChangeMode({640, 480, 16, 0, 0x1C0000}, DisplayChangeReset), DisplayChangeSuccessful);
    EXPECT_EQ(display.ChangeMode(desktop, DisplayChangeReset), DisplayChangeSuccessful) << "and back";
    EXPECT_EQ(display.CurrentMode().width, desktop.width) << "the real display mode changes nothing";
}

// The factor that lets the stage fill a screen: the largest that fits, in
// 32nds so that the stage covers whole pixels, never below 1.
TEST(DisplayModeScale, LargestWholeThirtySecondThatFits)
{
    const struct {
        const char *name;
        QSize screen;
        double scale;
    } rows[] = {
        {"full HD, height bound", {1920, 1080}, 2.25},
        {"1366 x 768, 1.6 rounded down", {1366, 768}, 51 / 32.0},
        {"1024 x 768", {1024, 768}, 51 / 32.0},
        {"1152 x 864: 57.6 rounded down, 58/32 would not fit", {1152, 864}, 57 / 32.0},
        {"2560 x 1600: 106.7 rounded down", {2560, 1600}, 106 / 32.0},
        {"the stage's own size", {640, 480}, 1},
        {"smaller than the stage", {600, 400}, 1},
    };
    for (const auto &r : rows)
        EXPECT_EQ(stageScaleFor(r.screen), r.scale) << r.name;
}

// Waits of the screens (the wraps of the tick count included) are checked
// through the services that wait, the wait for a click on the title screen.
TEST(FakeClock, WaitsEndAtOnceAndANestedWaitDoesNotTurnTimeBack)
{
    FakeClock clock(0);
    clock.Wait(-5);
    EXPECT_EQ(clock.TickCount(), 0);
    QTimer::singleShot(0, qApp, [&] { clock.Wait(500); });
    clock.WaitWithEvents(100);
    EXPECT_EQ(clock.TickCount(), 501);
}

// The real waits sleep between events: an event that satisfies the wait
// ends it long before its deadline, and without one it lasts to the end.
TEST(SystemClock, AWaitEndsAtTheEventThatSatisfiesItOrAtItsDeadline)
{
    SystemClock clock;
    bool done = false;
    QTimer::singleShot(20, qApp, [&] { done = true; });
    qint64 start = clock.TickCount();
    EXPECT_TRUE(clock.WaitWithEventsUntil(start + 60000, [&] { return done; }));
    EXPECT_LT(clock.TickCount() - start, 30000);
    start = clock.TickCount();
    EXPECT_FALSE(clock.WaitWithEventsUntil(start + 30, [] { return false; }));
    EXPECT_GE(clock.TickCount() - start, 30);
}

// Started again by the test below: a program that has handled its signals.
TEST(Signals, Program)
{
    if (!qEnvironmentVariableIsSet("LK_SIGNALY"))
        GTEST_SKIP() << "started by SignalsEndTheProgramTheOrdinaryWay";
    handleSignals();
    QTemporaryFile subor;
    ASSERT_TRUE(subor.open());
    // Past the file-size limit the parent set.
    const QByteArray bajty(4096, 'x');
    const ssize_t prvy = ::write(subor.handle(), bajty.constData(), size_t(bajty.size()));
    const ssize_t druhy = ::write(subor.handle(), bajty.constData(), size_t(bajty.size()));
    std::cout << "write " << prvy << " " << druhy << " " << (druhy < 0 && errno == EFBIG) << std::endl;
    SystemClock clock;
    qint64 cakal = -1;
    QTimer::singleShot(0, qApp, [&] {
        std::cout << "ready" << std::endl;
        const qint64 start = clock.TickCount();
        clock.WaitWithEvents(20000);
        cakal = clock.TickCount() - start;
    });
    const int kod = QApplication::exec();
    std::cout << "waited " << cakal << " exec " << kod << std::endl;
}

// SIGTERM ends a wait and the event loop the ordinary way; a write past a
// file-size limit fails instead of killing the program.
TEST(Signals, SignalsEndTheProgramTheOrdinaryWay)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LK_SIGNALY", "1");
    program.setProcessEnvironment(env);
    program.setChildProcessModifier([] {
        const rlimit limit{1000, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    program.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=Signals.Program"});
    QByteArray vystup;
    while (!vystup.contains("ready") && program.waitForReadyRead(10000))
        vystup += program.readAllStandardOutput();
    ASSERT_TRUE(vystup.contains("ready")) << vystup.constData();
    QElapsedTimer cas;
    cas.start();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_LT(cas.elapsed(), 5000);
    vystup += program.readAllStandardOutput();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << vystup.constData();
    EXPECT_TRUE(vystup.contains("write 1000 -1 1")) << vystup.constData();
    const qsizetype waited = vystup.indexOf("waited ");
    ASSERT_GE(waited, 0) << vystup.constData();
    EXPECT_LT(vystup.mid(waited + 7).split(' ').first().toLongLong(), 5000) << "the wait ended early";
    EXPECT_TRUE(vystup.contains(" exec 0")) << vystup.constData();
}

namespace {

// Clicks a button of the modal box once it shows; notes what the box showed.
void ClickWhenShown(QMessageBox::StandardButton button, QString *seen)
{
    QTimer::singleShot(0, qApp, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return ClickWhenShown(button, seen);
        *seen = QStringList{box->windowTitle(), box->text(), QString::number(box->icon()),
                            box->button(button)->text()}.join('|');
        box->button(button)->click();
    });
}

} // namespace

TEST(QtMessageBox, ShowsAModalBoxWithSlovakButtonsAndReportsTheButton)
{
    struct Row { const char *name; int style; QMessageBox::StandardButton click; MessageAnswer answer;
                 QMessageBox::Icon icon; const char *button; };
    const Row rows[] = {
        {"question answered Yes", MessageStyle::YesNo | MessageStyle::Question,
         QMessageBox::Yes, MessageAnswer::Yes, QMessageBox::Question, "&Áno"},
        {"question answered No", MessageStyle::YesNo | MessageStyle::Question,
         QMessageBox::No, MessageAnswer::No, QMessageBox::Question, "&Nie"},
        {"critical error with OK", MessageStyle::OkOnly | MessageStyle::Critical,
         QMessageBox::Ok, MessageAnswer::Ok, QMessageBox::Critical, "OK"},
    };
    for (const Row &row : rows) {
        QtMessageBox real;
        QString seen;
        ClickWhenShown(row.click, &seen);
        EXPECT_EQ(real.Show("Text správy", row.style, "Titulok"), row.answer) << row.name;
        EXPECT_EQ(seen, QString("Titulok|Text správy|%1|%2").arg(row.icon).arg(QString::fromUtf8(row.button)))
            << row.name;
    }
}

// Files that cannot be played stay silent; good files are loaded once and kept.
TEST(QtSound, OnlyPlayableFilesAreKeptAndNoneFails)
{
    QTemporaryDir dir;
    const QString good = QStringLiteral(LK_RESOURCE_DIR "/Sound/click.wav");
    const QString unreadable = dir.filePath("locked.wav");
    ASSERT_TRUE(QFile::copy(good, unreadable));
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);
    const QString cut = dir.filePath("cut.wav");
    {
        QFile from(good), to(cut);
        ASSERT_TRUE(from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly));
        to.write(from.read(20));
    }
    struct Row { const char *name; QString path; bool kept, sound; };
    const Row rows[] = {
        {"good file named with backslashes", QStringLiteral(LK_RESOURCE_DIR "\\Sound\\click.wav"), true, true},
        {"the other sound", QStringLiteral(LK_RESOURCE_DIR "/Sound/enter.wav"), true, true},
        {"a directory", dir.path(), false, false},
        {"unreadable file", unreadable, QFileInfo(unreadable).isReadable(), QFileInfo(unreadable).isReadable()},
        {"file that is no sound", QStringLiteral(LK_RESOURCE_DIR "/Cur/Hand.cur"), true, false},
        {"a sound cut short in its head", cut, true, false},
    };
    QtSound sound;
    for (const Row &row : rows) {
        sound.Play(row.path);
        sound.Play(row.path); // a second try must not fail either
        EXPECT_EQ(sound.IsCached(row.path), row.kept) << row.name;
        EXPECT_EQ(sound.IsSound(row.path), row.sound) << row.name;
    }
    EXPECT_TRUE(sound.IsCached(good)) << "one entry whatever the separators";
}

// Started by the test below: loads many sounds and ends while they load.
TEST(QtSoundChild, Program)
{
    const QString folder = qEnvironmentVariable("LK_ZVUKY_DIETATA");
    if (folder.isEmpty())
        GTEST_SKIP() << "started by AProgramEndingWhileSoundsLoadEndsAtOnce";
    auto *sound = new QtSound; // as the program's, kept to its end
    for (const QFileInfo &wav : QDir(folder).entryInfoList(QDir::Files))
        sound->Preload(wav.filePath());
}

// Qt's sample cache, torn down at exit while it still decodes a sound,
// waits on a lock its own loading thread waits for: the program hung at its
// end. It ends, whenever that is.
TEST(QtSound, AProgramEndingWhileSoundsLoadEndsAtOnce)
{
    QTemporaryDir dir;
    const QString good = QStringLiteral(LK_RESOURCE_DIR "/Sound/click.wav");
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(QFile::copy(good, dir.filePath(QString("zvuk%1.wav").arg(i))));
    for (int run = 1; run <= 5; ++run) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LK_ZVUKY_DIETATA", dir.path());
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=QtSoundChild.Program"});
        const bool ended = program.waitForFinished(20000);
        if (!ended)
            program.kill(), program.waitForFinished();
        ASSERT_TRUE(ended) << "run " << run << " did not end";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "run " << run;
        EXPECT_EQ(program.exitCode(), 0) << "run " << run;
    }
}
