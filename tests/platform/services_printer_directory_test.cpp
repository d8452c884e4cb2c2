// The printer directory: the printers the print dialog shows and a
// printer's details, asked of a print server of the test's own on a thread
// of their own, within the bound while the screen goes on.
#include "Printing.h"

#include "platform/PrintQueue.h"
#include "platform/PrinterDirectory.h"
#include "platform/ThreadHandOff.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <future>
#include <list>
#include <optional>
#include <thread>
#include <tuple>

using namespace lktest;
using namespace platform;

namespace {

// What a printer directory answered to one question: each answer, when the
// first and the last came (by the wall clock, and by the screen's thread's
// own), and the longest the screen's thread went without a turn meanwhile
// (a timer there fires every 20 ms).
template <typename T>
struct Heard {
    QList<T> answers;
    qint64 ms = -1, ownMs = -1, lastMs = -1, lastOwnMs = -1, longestStill = 0;
};

// Whether an answer is told again, whole, later: the printers told while
// the default is awaited.
bool ToldAgain(const PrinterListing &listing) { return listing.defaultAwaited; }
bool ToldAgain(const PrinterDetails &) { return false; }

// Asks, and listens until the bound and its grace are well past (or, with
// an answer, a while longer, for one more); with dropContext the context
// goes before any answer can come; with stallMs the screen's thread stands
// that long from the question on, as on a busy machine, so that whatever
// became due meanwhile is handled in one pass.
template <typename T>
Heard<T> Hear(const std::function<void(QObject *, std::function<void(const T &)>)> &ask, bool dropContext = false,
              int stallMs = 0)
{
    Heard<T> heard;
    QElapsedTimer since;
    ThreadClock own;
    since.start(), own.start();
    qint64 last = 0;
    QTimer screen;
    QObject::connect(&screen, &QTimer::timeout, [&] {
        heard.longestStill = std::max(heard.longestStill, own.elapsed() - last);
        last = own.elapsed();
    });
    screen.start(20);
    auto context = std::make_unique<QObject>();
    ask(context.get(), [&](const T &answer) {
        heard.answers << answer;
        if (heard.ms < 0)
            heard.ms = since.elapsed(), heard.ownMs = own.elapsed();
        heard.lastMs = since.elapsed(), heard.lastOwnMs = own.elapsed();
    });
    if (dropContext)
        context.reset();
    std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
    const int bound = int((PrintWaits().queue + PrintGrace).count());
    Within(bound + 2000, [&] { return !heard.answers.isEmpty() && !ToldAgain(heard.answers.back()); });
    Within(300, [] { return false; });
    return heard;
}

} // namespace

// The printers the print dialog shows and a printer's details, asked of a
// print server of the test's own on a thread of their own: its queues, its
// default one (none of either is no failure), and a printer's place, model
// and state in Slovak. A server stopped at the question is said not to
// answer once the bound is past, and so is a thread stuck past it; one that
// wants a login to refuse, once, with no one asked for a password, and one
// that is not there to be not there; the screen's thread goes on all the
// while, a question whose context is gone is never answered, and one is
// answered once with what the server said when the screen's thread stood
// until both that answer and the bound were due.
TEST(PrinterDirectory, ThePrintersAndTheirDetailsComeWithinTheBoundWhileTheScreenGoesOn)
{
    PrintWaitLimits &limits = PrintWaits();
    const PrintWaitLimits usual = limits;
    const auto restore = qScopeGuard([&] { limits = usual; });
    limits.queue = std::chrono::milliseconds(1500);
    const auto directory = MakeSystemPrinterDirectory();
    const auto listing = [&](QObject *c, std::function<void(const PrinterListing &)> a) {
        directory->AskPrinters(c, std::move(a));
    };
    const auto details = [&](const QString &printer) {
        return [&, printer](QObject *c, std::function<void(const PrinterDetails &)> a) {
            directory->AskDetails(printer, c, std::move(a));
        };
    };
    // Answered once, whole and last, in time, the screen going on (the
    // printers may come before, the default awaited); what it said.
    const auto once = [&](const auto &heard, const char *name, qint64 atLeastMs = 0) {
        EXPECT_EQ(std::count_if(heard.answers.begin(), heard.answers.end(), [](const auto &a) { return !ToldAgain(a); }),
                  1)
            << name;
        EXPECT_TRUE(!heard.answers.isEmpty() && !ToldAgain(heard.answers.back())) << name << ": not told whole last";
        EXPECT_TRUE(heard.lastMs >= atLeastMs && heard.lastOwnMs <= (limits.queue + PrintGrace).count() + 1500)
            << name << ": answered after " << heard.lastMs << " ms, " << heard.lastOwnMs << " ms of the screen's own";
        EXPECT_LE(heard.longestStill, 1000) << name << ": the screen's thread stood still";
        return heard.answers.value(heard.answers.size() - 1);
    };

    const PrinterListing none = once(Hear<PrinterListing>(listing), "no print server");
    EXPECT_EQ(none.why, "Tlačiarne sa nedajú zistiť: tlačový systém nie je dostupný.");
    {
        lktest::PrintServer server;
        if (!server.Running())
            GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
        const PrinterListing empty = once(Hear<PrinterListing>(listing), "a print server without printers");
        EXPECT_TRUE(empty.printers.isEmpty() && empty.defaultPrinter.isEmpty() && empty.why.isEmpty())
            << "a print server without printers: " << empty.why.toStdString();
        for (const char *queue : {"Zborovna", "Kabinet", "Stau4"})
            ASSERT_TRUE(AddQueue(server, queue)) << queue;
        ASSERT_TRUE(server.Run("lpadmin", {"-d", "Zborovna"})
                    && server.Run("lpadmin", {"-p", "Kabinet", "-L", "Kabinet matematiky"})
                    && server.Run("cupsreject", {"Zborovna"})
                    && server.Run("cupsdisable", {"-r", "Vymeňte toner", "Zborovna"})
                    && server.Run("cupsdisable", {"Stau4"}));

        PrinterListing all = once(Hear<PrinterListing>(listing), "queues and the default");
        all.printers.sort();
        EXPECT_EQ(all.printers.join(", ").toStdString(), "Kabinet, Stau4, Zborovna");
        EXPECT_EQ(all.defaultPrinter, "Zborovna");
        EXPECT_EQ(all.why, "");

        const struct { const char *name, *printer, *location, *state; bool accepts; const char *why; } rows[] = {
            {"ready, with its place", "Kabinet", "Kabinet matematiky", "Pripravená.", true, ""},
            {"stopped with its reason, taking no jobs", "Zborovna", "", "Zastavená. Tlačiareň hlási: „Vymeňte toner“.",
             false, ""},
            {"stopped with no reason: the print server's own word in ours", "Stau4", "",
             "Zastavená. Pozastavil ju správca tlačového systému.", true, ""},
            {"one the print system does not know", "Nikde", "", "", true,
             "Údaje o tlačiarni Nikde sa nedajú zistiť. Tlačový systém tlačiareň nepozná."},
        };
        for (const auto &row : rows) {
            const PrinterDetails d = once(Hear<PrinterDetails>(details(row.printer)), row.name);
            EXPECT_EQ(std::tuple(d.printer, d.location, d.state, d.acceptsJobs, d.why),
                      std::tuple(QString(row.printer), QString(row.location), QString(row.state), row.accepts,
                                 QString(row.why)))
                << row.name << ": " << d.state.toStdString() << " / " << d.why.toStdString();
            EXPECT_TRUE(row.why[0] || !d.model.isEmpty()) << row.name << ": no model";
        }

        const int stall = int((limits.queue + PrintGrace).count()) + 500;
        const Heard<PrinterListing> stood = Hear<PrinterListing>(listing, false, stall);
        EXPECT_EQ(std::count_if(stood.answers.begin(), stood.answers.end(), [](auto &a) { return !ToldAgain(a); }),
                  1)
            << "the screen's thread stood past the bound";
        for (const PrinterListing &heard : stood.answers)
            EXPECT_TRUE(heard.printers.size() == 3 && heard.why.isEmpty())
                << "the screen's thread stood past the bound: " << heard.why.toStdString();
        const Heard<PrinterDetails> stoodDetails = Hear<PrinterDetails>(details("Kabinet"), false, stall);
        EXPECT_EQ(stoodDetails.answers.size(), 1) << "the screen's thread stood past the bound, details";
        for (const PrinterDetails &heard : stoodDetails.answers)
            EXPECT_TRUE(heard.location == "Kabinet matematiky" && heard.why.isEmpty())
                << "the screen's thread stood past the bound, details: " << heard.why.toStdString();

        const int threads = Threads();
        {
            // The default's thread stuck past its own bound on a file of the
            // teacher's that never opens (a home folder on a server that
            // went away): the printers come, the default is said not told.
            QTemporaryDir home;
            const QByteArray usualHome = qgetenv("HOME");
            const auto back = qScopeGuard([&] { qputenv("HOME", usualHome); });
            const QByteArray options = QFile::encodeName(home.filePath(".cups/lpoptions"));
            ASSERT_TRUE(QDir(home.path()).mkpath(".cups") && ::mkfifo(options.constData(), 0600) == 0);
            qputenv("HOME", QFile::encodeName(home.path()));
            const auto stuck = once(Hear<PrinterListing>(listing), "a thread stuck past its bound",
                                    limits.queue.count());
            EXPECT_EQ(std::tuple(stuck.printers.size(), stuck.defaultPrinter, stuck.why),
                      std::tuple(qsizetype(3), QString(),
                                 QString("Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.")));
            ::close(::open(options.constData(), O_RDWR)); // it opens at last, empty
        }
        server.Pause();
        const auto lateListing = once(Hear<PrinterListing>(listing), "stopped at the question", limits.queue.count());
        EXPECT_EQ(lateListing.why, "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas.");
        const auto lateDetails = once(Hear<PrinterDetails>(details("Kabinet")), "stopped, details",
                                      limits.queue.count());
        EXPECT_EQ(lateDetails.why, "Údaje o tlačiarni Kabinet sa nedajú zistiť: tlačový systém neodpovedal včas.");
        const Heard<PrinterListing> dropped = Hear<PrinterListing>(listing, true);
        EXPECT_TRUE(dropped.answers.isEmpty()) << "answered a context that is gone";
        server.Resume();
        EXPECT_TRUE(Within(5000, [&] { return Threads() <= threads; }))
            << Threads() - threads << " threads more: a thread that asked did not end";
    }
    lktest::PrintServer login({.refuses = "CUPS-Get-Printers Get-Printer-Attributes"});
    ASSERT_TRUE(login.Running() && AddQueue(login, "Kabinet"));
    const auto refused = once(Hear<PrinterListing>(listing), "a login wanted");
    EXPECT_EQ(refused.why, "Tlačiarne sa nedajú zistiť. Vyžaduje sa prihlásenie menom a heslom.");
    const auto refusedDetails = once(Hear<PrinterDetails>(details("Kabinet")), "a login wanted, details");
    EXPECT_EQ(refusedDetails.why,
              "Údaje o tlačiarni Kabinet sa nedajú zistiť. Vyžaduje sa prihlásenie menom a heslom.");
}

// The printers are told as soon as the print server names them, the default
// awaited, and the listing again, whole, once the default is told: late
// alone, past the bound (said not told, the printers kept), with every
// answer late, or named for this user in their own settings, taken when the
// server has it, and when it does not, said so with the server's own
// default offered.
TEST(PrinterDirectory, ThePrintersComeAtOnceAndTheDefaultWhenItIsTold)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    for (const char *queue : {"Zborovna", "Kabinet", "Stau4"})
        ASSERT_TRUE(AddQueue(server, queue)) << queue;
    ASSERT_TRUE(server.Run("lpadmin", {"-d", "Zborovna"}));
    lktest::SlowLink link(server.Socket());
    ASSERT_TRUE(link.Running());
    const WaitsOfTheTest waits({std::chrono::milliseconds(4000), std::chrono::milliseconds(12000),
                                std::chrono::milliseconds(5000)});
    const auto directory = MakeSystemPrinterDirectory();
    const QString notTold = "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.";
    using ms = std::chrono::milliseconds;
    const struct {
        const char *name;
        ms defaultsDelay, everyDelay; // of each part of an answer
        const char *ownDefault;       // named in the user's settings
        bool printersFirst;           // told before the default, which is awaited (else they may be)
        const char *defaultPrinter;
        bool ownMissing;
        QString why;
    } rows[] = {
        {"the default's answer alone late: the printers first", ms(600), ms(0), nullptr, true, "Zborovna", false, ""},
        {"the default's answer past the bound: said not told, the printers kept", ms(6000), ms(0), nullptr, true, "",
         false, notTold},
        {"every answer late: the listing whole", ms(400), ms(400), nullptr, false, "Zborovna", false, ""},
        {"the user's own default, which the server has", ms(0), ms(0), "Kabinet", false, "Kabinet", false, ""},
        {"the user's own default, which the server lacks: the server's offered", ms(0), ms(0), "Chyba", false,
         "Zborovna", true,
         "Tlačiareň Chyba, ktorú máte nastavenú ako predvolenú, tlačový systém nepozná. Predvolená tlačiareň tlačového "
         "systému je Zborovna."},
    };
    for (const auto &row : rows) {
        link.SetDelay(row.everyDelay);
        link.SetDelayOf(IPP_OP_CUPS_GET_DEFAULT, row.defaultsDelay);
        QTemporaryDir home;
        const QByteArray usualHome = qgetenv("HOME");
        const auto back = qScopeGuard([&] { qputenv("HOME", usualHome); });
        qputenv("HOME", QFile::encodeName(home.path()));
        if (row.ownDefault) {
            QDir(home.path()).mkpath(".cups");
            QFile options(home.filePath(".cups/lpoptions"));
            ASSERT_TRUE(options.open(QIODevice::WriteOnly) && options.write("Default ") > 0
                        && options.write(row.ownDefault) > 0 && options.write("\n") > 0);
        }
        const Heard<PrinterListing> heard = Hear<PrinterListing>(
            [&](QObject *c, std::function<void(const PrinterListing &)> a) { directory->AskPrinters(c, std::move(a)); });
        ASSERT_FALSE(heard.answers.isEmpty()) << row.name;
        const PrinterListing first = heard.answers.front(), last = heard.answers.back();
        EXPECT_TRUE(heard.answers.size() == 2 || (heard.answers.size() == 1 && !row.printersFirst)) << row.name;
        EXPECT_EQ(first.defaultAwaited, heard.answers.size() == 2) << row.name;
        EXPECT_TRUE(!first.defaultAwaited
                    || (first.printers.size() == 3 && first.defaultPrinter.isEmpty() && first.why.isEmpty()))
            << row.name;
        EXPECT_EQ(std::tuple(last.printers.size(), last.defaultPrinter, last.ownDefaultMissing, last.defaultAwaited,
                             last.why),
                  std::tuple(qsizetype(3), QString(row.defaultPrinter), row.ownMissing, false, row.why))
            << row.name << ": " << last.why.toStdString();
        EXPECT_LE(heard.longestStill, 1000) << row.name << ": the screen's thread stood still";
    }
}

// "Late" is said once the bound has passed by the steady clock, never
// before it, whatever bound and whenever asked: a timer that may fire early
// to fall in with others would say it some 5 % before (at 47 of 50 ms).
TEST(ThreadHandOff, LateIsNeverSaidBeforeTheBoundHasPassed)
{
    using Clock = std::chrono::steady_clock;
    std::promise<void> release;
    const std::shared_future<void> gate = release.get_future().share();
    const auto open = qScopeGuard([&] { release.set_value(); });
    struct Asked {
        std::chrono::milliseconds bound;
        Clock::time_point at;
        std::optional<Clock::time_point> late;
    };
    std::list<Asked> asked;
    QObject context;
    for (int round = 0; round < 8; ++round) {
        for (const int ms : {50, 77, 120, 333, 1000}) {
            Asked &a = asked.emplace_back(Asked{std::chrono::milliseconds(ms), Clock::now(), {}});
            AnswerOnScreenThread<int>(
                &context, a.bound, [gate] { return gate.wait(), 0; }, [&a] { return a.late.emplace(Clock::now()), 1; },
                [](int) {});
        }
        Within(7, [] { return false; }); // asked at other moments of the screen's clock
    }
    ASSERT_TRUE(Within(10000, [&] {
        return std::all_of(asked.begin(), asked.end(), [](const Asked &a) { return a.late.has_value(); });
    }));
    for (const Asked &a : asked)
        EXPECT_GE(*a.late - a.at, a.bound) << "said late "
                                           << std::chrono::duration<double, std::milli>(*a.late - a.at).count()
                                           << " ms into a bound of " << a.bound.count() << " ms";
}

// What the work tells before its answer is handed over as it comes, and
// late, when the answer does not come within the bound, is given the last
// thing told; nothing told or answered is heard after that.
TEST(ThreadHandOff, WhatIsToldComesFirstAndLateKeepsTheLastOfIt)
{
    const struct {
        const char *name;
        QList<int> told;   // by the work, at once
        bool answers;      // the work answers 9 at once (well within the bound), else only past it
        QList<int> heard;  // -1: late with nothing told, 100 + n: late with n told last
    } rows[] = {
        {"told, then answered", {1, 2}, true, {1, 2, 9}},
        {"told, then late: late gets the last told", {1, 2}, false, {1, 2, 102}},
        {"nothing told, late", {}, false, {-1}},
    };
    for (const auto &row : rows) {
        std::promise<void> release;
        const std::shared_future<void> gate = release.get_future().share();
        QList<int> heard;
        QObject context;
        AnswerOnScreenThread<int>(
            &context, std::chrono::milliseconds(row.answers ? 10000 : 300),
            [&row, gate](const std::function<void(const int &)> &tell) {
                for (int t : row.told)
                    tell(t);
                if (!row.answers)
                    gate.wait();
                return 9;
            },
            [](const std::optional<int> &told) { return told ? 100 + *told : -1; },
            [&heard](const int &said) { heard << said; });
        Within(12000, [&] { return heard.size() >= row.heard.size(); });
        release.set_value();
        Within(200, [] { return false; });
        EXPECT_EQ(heard, row.heard) << row.name;
    }
}
