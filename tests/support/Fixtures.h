#pragma once
// Helpers shared by every test that drives forms.
#include "platform/Form.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTest>
#include <ostream>
#include <unistd.h>

QT_BEGIN_NAMESPACE
// Readable failure messages for texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace lktest {

// A page form shown on the stage, so focus and painting behave as in use.
inline void showAndActivate(platform::Form *form)
{
    form->Show();
    QWidget *stage = platform::Stage::instance();
    stage->activateWindow();
    QApplication::setActiveWindow(stage);
    (void)QTest::qWaitForWindowExposed(stage);
}

inline QImage solid(int w, int h, const QColor &c)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

// A QElapsedTimer of the thread that starts it, less the time that thread
// stood ready to run with no processor free for it (the kernel's run delay
// in its schedstat): its own work and its waits on others are in it whole,
// a busy machine's turns hardly at all. So a bound on how long the screen's
// thread stood holds however loaded the machine, while a wait on a server
// that does not answer still shows whole (a wait that wakes every few
// milliseconds shows less of itself on a busy machine). Where the kernel
// keeps no such count, the wall clock. Read on the thread that started it.
class ThreadClock {
public:
    void start() { wall_.start(), startDelay_ = RunDelayMs(); }
    qint64 restart()
    {
        const qint64 was = elapsed();
        start();
        return was;
    }
    qint64 elapsed() const { return wall_.elapsed() - (RunDelayMs() - startDelay_); }
    bool isValid() const { return wall_.isValid(); }

private:
    static qint64 RunDelayMs()
    {
        // Its second figure: nanoseconds spent waiting on a run queue.
        QFile stat(QStringLiteral("/proc/self/task/%1/schedstat").arg(::gettid()));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        return stat.readAll().split(' ').value(1).toLongLong() / 1000000;
    }
    QElapsedTimer wall_;
    qint64 startDelay_ = 0;
};

} // namespace lktest
