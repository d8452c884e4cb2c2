#pragma once
// What the printer's tests share: a script played on a printer, queues of a
// print server of the test's own set up by name, and the threads and waits
// that show whether the talk with the print server ended.
#include "platform/PrintQueue.h"
#include "platform/Printer.h"
#include "support/Fixtures.h"
#include "support/PdfText.h"
#include "support/PrintServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QRandomGenerator>
#include <QThread>

#include <functional>

namespace lktest {

// Plays a script on a printer: T text, E empty text, L line, P picture,
// G a large picture (of noise, which no compression makes small: more than
// a connection to the print server holds), N new page, D end of document,
// K kill document.
inline void Play(platform::Printer &printer, const char *script)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QImage noise(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, QRandomGenerator::global()->generate());
    for (const char *c = script; *c; ++c) {
        printer.SetCurrentX(1000);
        printer.SetCurrentY(2000);
        switch (*c) {
        case 'T': printer.Print("Stránka: 1"); break;
        case 'E': printer.Print(""); break;
        case 'L': printer.Line(0, 1417, 11906, 1417, Qt::black); break;
        case 'P': printer.PaintPicture(picture, 1700, 3000); break;
        case 'G': printer.PaintPicture(noise, 1700, 3000); break;
        case 'N': printer.NewPage(); break;
        case 'D': printer.EndDoc(); break;
        case 'K': printer.KillDoc(); break;
        }
    }
}

// A queue by its name: "Kabinet" keeps what it prints (Kept), "StauN" on a
// jammed printer whose backend ends with status N, "Pomala" takes 3 s a job.
inline bool AddQueue(lktest::PrintServer &server, const QString &queue)
{
    if (queue == QLatin1String("Kabinet"))
        return server.AddKeepingQueue(queue);
    server.AddBackend(queue.toLower(), queue == QLatin1String("Pomala")
                                           ? lktest::PrintServer::SlowBackend(3)
                                           : lktest::PrintServer::JammedBackend(queue.mid(4).toInt()));
    return server.AddQueue(queue, queue.toLower() + ":/");
}

// The print's waits set for a test, and as they were again after it.
class WaitsOfTheTest {
public:
    explicit WaitsOfTheTest(const platform::PrintWaitLimits &limits) : usual_(platform::PrintWaits())
    {
        platform::PrintWaits() = limits;
    }
    ~WaitsOfTheTest() { platform::PrintWaits() = usual_; }
    WaitsOfTheTest(const WaitsOfTheTest &) = delete;
    WaitsOfTheTest &operator=(const WaitsOfTheTest &) = delete;

private:
    const platform::PrintWaitLimits usual_;
};

// The threads of this program now.
inline int Threads() { return int(QDir("/proc/self/task").entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size()); }

// Whether done() comes true within the time, the screen's events handled.
inline bool Within(int ms, const std::function<bool()> &done)
{
    for (QDeadlineTimer deadline(ms); !done();) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return true;
}

// Why the job the queue printed is not the document a script of Play
// makes (its pages, those with text saying "Stránka: 1", once): empty when
// it is.
inline QString NotTheDocument(const lktest::KeptJob &job, int pages, int withText = -1)
{
    const QStringList printed = PdfPages(job.file);
    if (!job.Document().startsWith("%PDF-") || printed.size() != pages)
        return QStringLiteral("%1 bytes, %2 pages where %3 are right").arg(job.Document().size()).arg(printed.size()).arg(pages);
    if (printed.filter("Stránka: 1").size() != (withText < 0 ? pages : withText))
        return QStringLiteral("pages without their text: ") + printed.join(" | ");
    if (job.copies != 1)
        return QStringLiteral("%1 copies asked of the print system").arg(job.copies);
    return {};
}

} // namespace lktest
