// Printing onto queues of a print server of the test's own: queues that
// refuse jobs, stop or fail them, servers that forget jobs, stall, answer
// late, restart or go away, a program ended in the middle of a job. What is
// known is said, the print system's words put into ours (PrintTexts), and
// nothing is left behind.
#include "Printing.h"

#include "platform/PrintQueue.h"
#include "platform/PrintTalk.h"
#include "platform/PrintTexts.h"
#include "platform/PrinterDevice.h"
#include "platform/Signals.h"
#include "support/SmallDisk.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <barrier>
#include <iostream>
#include <linux/sockios.h>
#include <optional>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

using namespace lktest;
using namespace platform;

namespace {

// The words of the print system's English that a teacher must not meet:
// its keywords and its status texts. What a printer says itself stands in
// quotes and is its own.
QStringList EnglishIn(QString said)
{
    static const QRegularExpression quoted(QStringLiteral("„[^“]*“"));
    static const QRegularExpression english(QStringLiteral(
        "\\b([a-z]+-[a-z-]+|[Jj]obs?|[Cc]ancel(l)?ed|[Aa]borted|[Pp]rinter|[Ss]ystem|[Tt]oo|[Mm]any|[Aa]ctive|[Uu]ser|"
        "[Ff]orbidden|[Uu]nauthorized|[Nn]ot|[Tt]he|[Dd]ue|[Ee]rrors?|[Qq]uota|[Dd]estination|[Aa]ccepting)\\b"));
    said.remove(quoted);
    QStringList found;
    for (auto it = english.globalMatch(said); it.hasNext();)
        found << it.next().captured();
    return found;
}

} // namespace

// Queues of a print server of the test's own that refuse jobs, are
// stopped, fail a job after taking it, are deleted or whose server goes
// away: said before anything is sent, or at the end once the print system
// has taken or refused the job, and never a file instead. Skipped without
// a print server to start; the fake printer stands in for it in the
// shell's tests.
TEST(PrinterDevice, AQueueThatCannotPrintIsSaidAndNoFileIsWritten)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    const auto restoreHome = qScopeGuard([&] { qputenv("HOME", oldHome); });
    const struct { const char *name, *queue, *command, *before, *after, *said; } rows[] = {
        {"takes jobs: printed", "Kabinet", nullptr, "", "TD", nullptr},
        {"refuses jobs", "Kabinet", "cupsreject", "", "TD", "Tlačiareň Kabinet neprijíma úlohy."},
        {"stopped", "Kabinet", "cupsdisable", "", "TD", "Tlačiareň Kabinet je zastavená."},
        {"refused on the way: said at the end", "Kabinet", "cupsreject", "T", "D", "Tlačový systém úlohu odmietol"},
        {"failed after it was taken, to be tried again: said with the backend's reason", "Stau1", nullptr, "", "TD",
         "Tlačový systém pozdržal úlohu"},
        {"failed after it was taken, the queue stopped", "Stau4", nullptr, "", "TD", "Tlačiareň Stau4 sa zastavila"},
        {"failed after it was taken, the job cancelled", "Stau5", nullptr, "", "TD", "Úloha"},
        {"deleted", "Kabinet", "lpadmin -x", "", "TD", "Tlačiareň Kabinet sa nedá použiť"},
        {"the server gone while the sheet is made", "Kabinet", "stop", "T", "D", "Tlačiareň Kabinet sa nedá použiť"},
        {"the server gone", "Kabinet", nullptr, "", "TD", "Tlačiareň Kabinet sa nedá použiť"},
    };
    bool gone = false;
    for (const auto &row : rows) {
        if (!gone) {
            ASSERT_TRUE(AddQueue(server, row.queue)) << row.name;
        }
        PrinterDevice printer;
        printer.SetDeviceName(row.queue);
        Play(printer, row.before);
        QStringList command = QString(row.command).split(' ', Qt::SkipEmptyParts);
        if (command == QStringList{"stop"})
            server.Stop(), gone = true;
        else if (!command.isEmpty()) {
            ASSERT_TRUE(server.Run(command.takeFirst(), command << row.queue)) << row.name;
        }
        const size_t kept = server.Kept().size();
        try {
            Play(printer, row.after);
            EXPECT_FALSE(row.said) << row.name << ": printed as if done";
        } catch (const PrinterError &e) {
            const QString said = QString::fromUtf8(e.what());
            // A jammed printer's message reaches the teacher.
            const bool jammed = QString(row.queue).startsWith("Stau");
            EXPECT_TRUE(row.said && said.startsWith(row.said) && said.contains("paper jam") == jammed)
                << row.name << ": " << e.what();
        }
        // What the printer got: the sheet whole, once, or nothing.
        const std::vector<KeptJob> printed = server.Kept();
        ASSERT_EQ(printed.size(), kept + (row.said ? 0 : 1)) << row.name;
        if (!row.said) {
            EXPECT_EQ(NotTheDocument(printed.back(), 1), "") << row.name;
        }
        EXPECT_TRUE(printer.DocumentFile().isEmpty()) << row.name;
        EXPECT_TRUE(QDir(home.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            << row.name << ": a file or folder made in the home folder";
    }
}

// Jobs on a print server that keeps no job history are forgotten as they
// end: their end is learnt as it happens, so one that printed is printed
// and one that failed is said; where the server does not tell it, the job
// may not have been printed, and so may one lost with its server, killed
// in the middle of it. A job the server still holds is said as before.
TEST(PrinterDevice, AJobWhoseEndCannotBeLearntMayNotHaveBeenPrinted)
{
    const struct {
        const char *name;
        bool history, tellsEnds;
        const char *queue;
        int killAfterMs;
        const char *said;
        bool unknown;
    } rows[] = {
        {"printed, and forgotten", false, true, "Kabinet", 0, nullptr, false},
        {"cancelled, and forgotten", false, true, "Stau5", 0, "Úloha 1 na tlačiarni Stau5 bola zrušená", false},
        {"forgotten, its end not told", false, false, "Kabinet", 0, "Tlačový systém už nevie o úlohe", true},
        {"held on a stopped printer, without history too", false, true, "Stau4", 0, "Tlačiareň Stau4 sa zastavila",
         false},
        {"the server killed in the middle of the job", true, true, "Pomala", 1500,
         "Tlačový systém prijal úlohu 1 na tlačiarni Pomala, ale potom už neodpovedal včas", true},
    };
    for (const auto &row : rows) {
        lktest::PrintServer server({.keepsJobHistory = row.history, .tellsJobEnds = row.tellsEnds});
        if (!server.Running())
            GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
        const QString queue = row.queue;
        ASSERT_TRUE(AddQueue(server, queue)) << row.name;
        PrinterDevice printer;
        printer.SetDeviceName(queue);
        if (row.killAfterMs)
            QTimer::singleShot(row.killAfterMs, [&server] { server.Kill(); });
        try {
            Play(printer, "TD");
            EXPECT_FALSE(row.said) << row.name << ": printed as if done";
        } catch (const PrinterError &e) {
            const QString said = QString::fromUtf8(e.what());
            EXPECT_TRUE(row.said && said.startsWith(row.said)) << row.name << ": " << e.what();
            EXPECT_EQ(dynamic_cast<const PrintFateUnknown *>(&e) != nullptr, row.unknown) << row.name;
        }
    }
}

// Why a job did not print, as the print system tells it in its keywords and
// its English, is said in words of our own, and never as if the teacher had
// cancelled it; a refusal is a refusal, not a print system gone quiet.
TEST(PrinterDevice, WhyAJobDidNotPrintIsSaidInOurWordsBlamingNoOne)
{
    const struct {
        const char *name;
        lktest::PrintServerOptions options;
        const char *queue;
        const char *before; // an lpadmin or lp command before the job
        int deleteAfterMs;  // the queue deleted this long after the job started
        const char *said;
        const char *also; // what else the message says
        bool unknown;
    } rows[] = {
        {"cancelled by the jammed printer, forgotten at once", {.keepsJobHistory = false}, "Stau5", nullptr, 0,
         "Úloha 1 na tlačiarni Stau5 bola zrušená. Zrušila ju tlačiareň.", "„paper jam“", false},
        {"cancelled by the jammed printer, kept in the history", {}, "Stau5", nullptr, 0,
         "Úloha 1 na tlačiarni Stau5 bola zrušená. Zrušila ju tlačiareň.", "„paper jam“", false},
        {"aborted by the print system after the printer failed", {.keepsJobHistory = false}, "Stau1",
         "lpadmin -p Stau1 -o printer-error-policy=abort-job", 0,
         "Tlačový systém zrušil úlohu 1 na tlačiarni Stau1. Tlačiareň ju nedokázala vytlačiť.", "„paper jam“", false},
        {"the queue deleted in the middle of the job", {}, "Pomala", nullptr, 1000,
         "Úloha 1 na tlačiarni Pomala bola zrušená. Tlačiareň bola z tlačového systému odstránená.", "", false},
        // Known after all when the print system's note of the end came before it forgot the job.
        {"the queue deleted in the middle of the job, forgotten at once", {.keepsJobHistory = false}, "Pomala",
         nullptr, 1000,
         "Tlačiareň Pomala bola z tlačového systému odstránená, a tak sa nedá zistiť, či sa úloha 1|"
         "Úloha 1 na tlačiarni Pomala bola zrušená. Tlačiareň bola z tlačového systému odstránená.",
         "", true},
        {"the print system's queue full", {.maxJobs = 1}, "Kabinet", "lp -d Kabinet -H indefinite /etc/hostname", 0,
         "Tlačový systém úlohu odmietol. Rad úloh tlačového systému je plný.", "", false},
        {"printing only for a user who logs in", {.refuses = "Print-Job Create-Job"}, "Kabinet", nullptr, 0,
         "Tlačový systém úlohu odmietol. Vyžaduje sa prihlásenie menom a heslom.", "", false},
        {"following the job only for a user who logs in", {.refuses = "Get-Job-Attributes Get-Jobs Get-Notifications"},
         "Kabinet", nullptr, 0, "Tlačový systém nedovolí zistiť, či sa úloha 1 na tlačiarni Kabinet vytlačila.", "",
         true},
        {"the queue shown only to a user who logs in", {.refuses = "Get-Printer-Attributes"}, "Kabinet", nullptr, 0,
         "Tlačiareň Kabinet sa nedá použiť. Vyžaduje sa prihlásenie menom a heslom.", "", false},
    };
    for (const auto &row : rows) {
        lktest::PrintServer server(row.options);
        if (!server.Running())
            GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
        const QString queue = row.queue;
        ASSERT_TRUE(AddQueue(server, queue)) << row.name;
        if (row.before) {
            QStringList command = QString(row.before).split(' ');
            ASSERT_TRUE(server.Run(command.takeFirst(), command)) << row.name;
        }
        PrinterDevice printer;
        printer.SetDeviceName(queue);
        if (row.deleteAfterMs)
            QTimer::singleShot(row.deleteAfterMs, [&] { server.Run("lpadmin", {"-x", queue}); });
        try {
            Play(printer, "TD");
            ADD_FAILURE() << row.name << ": printed as if done";
        } catch (const PrinterError &e) {
            const QString said = QString::fromUtf8(e.what());
            // One of the true ends the row allows ("|" between them); only the first is not known.
            const QStringList allowed = QString(row.said).split('|');
            const qsizetype which = std::find_if(allowed.begin(), allowed.end(),
                                                 [&said](const QString &a) { return said.startsWith(a); })
                - allowed.begin();
            EXPECT_TRUE(which < allowed.size() && said.contains(row.also)) << row.name << ": " << e.what();
            EXPECT_EQ(dynamic_cast<const PrintFateUnknown *>(&e) != nullptr, row.unknown && which == 0) << row.name;
            EXPECT_EQ(EnglishIn(said).join(", ").toStdString(), "") << row.name << ": " << e.what();
            EXPECT_FALSE(said.contains(QRegularExpression("\\bste\\b|používateľ|učiteľ"))) << row.name << ": " << e.what();
        }
    }
}

// A print server that stops answering, before the job or in the middle of
// it, keeps the program waiting a few seconds at most, while the screen's
// thread goes on (a timer there keeps firing), and what is known is said:
// nothing sent, or sent and its end not known. One that stops for a moment
// only is followed to the end of the job.
TEST(PrinterDevice, AStalledPrintServerIsWaitedForAFewSecondsWhileTheScreenGoesOn)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet") && AddQueue(server, "Pomala"));
    const WaitsOfTheTest waits({std::chrono::milliseconds(1500), std::chrono::milliseconds(3500),
                                std::chrono::milliseconds(3000)});
    const struct {
        const char *name, *queue;
        const char *stopBefore; // the script played before the server stops ("": before the job)
        int stopAtMs, resumeAtMs; // else: stopped this long into the end of the document, resumed (0: never)
        const char *said;
        bool unknown;
        int withinMs;
        const char *sheet = "TD";
    } rows[] = {
        {"stopped before the queue is asked: nothing sent", "Kabinet", "", 0, 0,
         "Tlačiareň Kabinet sa nedá použiť: tlačový systém neodpovedal včas.", false, 4000},
        {"stopped once the sheet is made: it may have taken the job", "Kabinet", "T", 0, 0,
         "Tlačový systém neodpovedal včas, a tak sa nedá zistiť, či prijal úlohu pre tlačiareň Kabinet.", true, 6000},
        {"stopped once a sheet larger than the connection holds is made: the sending waits too", "Kabinet", "T", 0,
         0, "Tlačový systém neodpovedal včas, a tak sa nedá zistiť, či prijal úlohu pre tlačiareň Kabinet.", true,
         6000, "TGD"},
        {"stopped in the middle of the job, for good", "Pomala", nullptr, 1000, 0,
         "Tlačový systém prijal úlohu 1 na tlačiarni Pomala, ale potom už neodpovedal včas", true, 6000},
        {"stopped for a moment in the middle of the job: followed on", "Pomala", nullptr, 1000, 2000, nullptr, false,
         6000},
    };
    for (const auto &row : rows) {
        PrinterDevice printer;
        printer.SetDeviceName(row.queue);
        ThreadClock since;
        std::vector<qint64> ticks;
        QTimer screen;
        QObject::connect(&screen, &QTimer::timeout, [&] { ticks.push_back(since.elapsed()); });
        screen.start(20);
        since.start();
        if (row.stopBefore) {
            Play(printer, row.stopBefore);
            server.Pause();
        } else {
            QTimer::singleShot(row.stopAtMs, [&] { server.Pause(); });
            if (row.resumeAtMs)
                QTimer::singleShot(row.resumeAtMs, [&] { server.Resume(); });
        }
        try {
            Play(printer, QByteArray(row.sheet).mid(qstrlen(row.stopBefore)).constData());
            EXPECT_FALSE(row.said) << row.name << ": printed as if done";
        } catch (const PrinterError &e) {
            const QString said = QString::fromUtf8(e.what());
            EXPECT_TRUE(row.said && said.startsWith(row.said)) << row.name << ": " << e.what();
            EXPECT_EQ(dynamic_cast<const PrintFateUnknown *>(&e) != nullptr, row.unknown) << row.name;
        }
        const qint64 took = since.elapsed();
        screen.stop();
        server.Resume();
        // Past the bound and its grace by the screen's own work at most.
        EXPECT_LE(took, row.withinMs) << row.name;
        ticks.push_back(took);
        qint64 longest = ticks.front();
        for (size_t i = 1; i < ticks.size(); ++i)
            longest = std::max(longest, ticks[i] - ticks[i - 1]);
        EXPECT_LE(longest, 1000) << row.name << ": the screen's thread stood still";
    }
}

// A temporary folder smaller than the sheet: nothing reaches the queue (the print server has
// no job), the teacher is told why, and the talk with the print server ends
// with its subscription given up.
TEST(PrinterDevice, AFullTemporaryFolderSendsNothingToTheQueueAndSaysWhy)
{
    lktest::SmallDisk disk(lktest::SmallDisk::Mode::AsIs);
    if (!disk.Mounted())
        GTEST_SKIP() << "no small file system of the test's own here (mounting a tmpfs needs root)";
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", disk.Path().toUtf8());
    const auto restoreTemp = qScopeGuard([&] { qputenv("TMPDIR", oldTemp); });
    const int threads = Threads();
    {
        PrinterDevice printer;
        printer.SetDeviceName("Kabinet");
        try {
            Play(printer, "TGD");
            ADD_FAILURE() << "said to be printed";
        } catch (const PrinterError &e) {
            const QString said = QString::fromUtf8(e.what());
            EXPECT_TRUE(said.startsWith("Na tlačiareň Kabinet sa nič neposlalo") && said.endsWith("disk je plný."))
                << e.what();
            EXPECT_EQ(dynamic_cast<const PrintFateUnknown *>(&e), nullptr) << e.what();
        }
    }
    EXPECT_EQ(server.Jobs(), 0) << "a document went to the queue";
    EXPECT_EQ(disk.Files().join(", ").toStdString(), "");
    EXPECT_TRUE(Within(10000, [&] { return Threads() <= threads && server.Subscriptions() == 0; }))
        << Threads() - threads << " threads more, " << server.Subscriptions() << " subscriptions";
}

// A temporary folder on a file system without unnamed files (one of FUSE,
// as a network's often is): the sheet goes to the queue whole all the
// same, and nothing of it stays in the folder. Skipped without bindfs to
// make one.
TEST(PrinterDevice, ATemporaryFolderWithoutUnnamedFilesPrintsTheSheetAndKeepsNothing)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    const FuseDisk fuse;
    if (!fuse.Mounted())
        GTEST_SKIP() << "no FUSE file system of the test's own here (needs bindfs and /dev/fuse)";
    ASSERT_FALSE(fuse.MakesUnnamedFiles());
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", fuse.Path().toUtf8());
    const auto restoreTemp = qScopeGuard([&] { qputenv("TMPDIR", oldTemp); });
    {
        PrinterDevice printer;
        printer.SetDeviceName("Kabinet");
        EXPECT_NO_THROW(Play(printer, "TGD"));
    }
    const std::vector<KeptJob> printed = server.Kept();
    ASSERT_EQ(printed.size(), 1u);
    EXPECT_EQ(NotTheDocument(printed.back(), 1), "");
    EXPECT_EQ(fuse.FilesAfterCloses().join(", ").toStdString(), "");
}

// A document dropped after the queue said it would take it (the sheet
// failed, or the printer went with the document unfinished): the thread
// that talked to the print server ends, and the printer's subscription is
// given up.
TEST(PrinterDevice, ADocumentDroppedAfterTheQueueSaidYesEndsTheTalkAndItsSubscription)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    const struct { const char *name; bool kill; } rows[] = {
        {"the sheet failed: the document killed", true},
        {"the printer gone with the document unfinished", false},
    };
    for (const auto &row : rows) {
        const int threads = Threads();
        {
            PrinterDevice printer;
            printer.SetDeviceName("Kabinet");
            Play(printer, "T");
            EXPECT_EQ(server.Subscriptions(), 1) << row.name << ": the queue was asked and said yes";
            if (row.kill)
                Play(printer, "K");
        }
        EXPECT_TRUE(Within(10000, [&] { return Threads() <= threads && server.Subscriptions() == 0; }))
            << row.name << ": " << Threads() - threads << " threads more, " << server.Subscriptions()
            << " subscriptions";
        EXPECT_EQ(server.Jobs(), 0) << row.name;
    }
}

// A print server that restarts while a job is followed (for a moment
// nothing answers at its address): the follow goes on, and the job's end
// is said as it came.
TEST(PrinterDevice, AJobIsFollowedToItsEndThroughARestartOfThePrintServer)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    // A printer that jams two seconds into a job, and the job is cancelled.
    server.AddBackend("neskoro", "#!/bin/sh\n[ $# -eq 0 ] && exit 0\nsleep 2\ncat ${6:--} >/dev/null\n"
                                 "echo 'ERROR: paper jam' >&2\nexit 5\n");
    ASSERT_TRUE(server.AddQueue("Neskoro", "neskoro:/"));
    PrinterDevice printer;
    printer.SetDeviceName("Neskoro");
    bool restarted = false;
    QTimer::singleShot(700, [&] { restarted = server.Restart(); });
    try {
        Play(printer, "TD");
        ADD_FAILURE() << "printed as if done";
    } catch (const PrinterError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("Úloha 1 na tlačiarni Neskoro bola zrušená."))
            << e.what();
        EXPECT_EQ(dynamic_cast<const PrintFateUnknown *>(&e), nullptr) << e.what();
    }
    EXPECT_TRUE(restarted);
}

// The print system's words said in ours: its keywords and messages, its
// refusals and the ends of jobs, never blaming the teacher, nor the
// computer for a refusal of the user's; and what came of a request.
TEST(PrintTexts, ThePrintSystemsWordsAreSaidInOursBlamingNoOne)
{
    const struct { const char *name, *server; std::optional<QString> ours; } words[] = {
        {"a keyword", "job-canceled-at-device", "Zrušila ju tlačiareň."},
        {"its English, the star a number", "Job held for 120 seconds since it could not be sent.",
         "Do tlačiarne sa nedala poslať; tlačový systém to o chvíľu skúsi znova."},
        {"the star a file", "Job stopped due to filter errors; please consult the error_log file for details.",
         "Dokument sa nepodarilo pripraviť pre tlačiareň."},
        {"a star stands for something", "Job held for  seconds since it could not be sent.", std::nullopt},
        {"blanks around it", "  job-canceled-at-device\n", "Zrušila ju tlačiareň."},
        {"every cancel is the user's to CUPS: no one named", "job-canceled-by-user", ""},
        {"what the job's state says already", "job-printing", ""},
        {"unknown", "job-canceled-by-the-moon", std::nullopt},
        {"a refusal of the user's names no computer", "client-error-forbidden", "Chýba na to povolenie."},
        {"not authorized, likewise", "client-error-not-authorized", "Chýba na to povolenie."},
        {"a login wanted", "client-error-not-authenticated", "Vyžaduje sa prihlásenie menom a heslom."},
    };
    for (const auto &w : words)
        EXPECT_EQ(InOurWords(w.server).value_or("(none)").toStdString(), w.ours.value_or("(none)").toStdString())
            << w.name;

    const struct { const char *name, *message, *said; } printer[] = {
        {"known", "The printer is not responding.", "Tlačiareň neodpovedá."},
        {"the print server's own, a queue paused", "Paused", "Pozastavil ju správca tlačového systému."},
        {"the print server's own, a queue taking no jobs", "Rejecting Jobs", "Tlačiareň neprijíma úlohy."},
        {"the print server's own, its backend failed", "Backend failed", "Spojenie s tlačiarňou zlyhalo."},
        {"the print server's own, a filter failed", "Filter failed", "Dokument sa nepodarilo pripraviť pre tlačiareň."},
        {"the print server's own, stopped for its backend's errors", "Printer stopped due to backend errors.",
         "Tlačiareň zlyhala a tlačový systém ju zastavil."},
        {"a backend's, the printer busy", "The printer is in use.", "Tlačiareň je zaneprázdnená."},
        {"a backend's, the printer out of reach", "The printer is unreachable at this time.",
         "Tlačiareň je teraz nedostupná."},
        {"a backend's, the printer not connected", "The printer is not connected.", "Tlačiareň nie je pripojená."},
        {"the printer's own, quoted", " paper jam ", "Tlačiareň hlási: „paper jam“."},
        {"the print server's own word, but not all of it: quoted", "Paused for lunch",
         "Tlačiareň hlási: „Paused for lunch“."},
    };
    for (const auto &p : printer)
        EXPECT_EQ(PrinterSays(p.message), p.said) << p.name;

    const struct { const char *name, *status, *text, *said; } refusals[] = {
        {"its text first", "client-error-not-possible", "Too many active jobs.", "Rad úloh tlačového systému je plný."},
        {"its status when the text is unknown", "server-error-busy", "Busy, go away.",
         "Tlačový systém je zaneprázdnený."},
        {"its status when the text says nothing", "server-error-busy", "Job canceled.",
         "Tlačový systém je zaneprázdnený."},
        {"the text quoted when neither is known", "client-error-gone", "Gone fishing.",
         "Tlačový systém hlási: „Gone fishing.“."},
        {"nothing known and nothing said", "client-error-gone", "", ""},
    };
    for (const auto &r : refusals)
        EXPECT_EQ(RefusalInOurWords(r.status, r.text), r.said) << r.name;

    const struct { const char *name; JobReport report; const char *said; } ends[] = {
        {"held, its reasons once each",
         {"K", 7, IPP_JSTATE_HELD, {"resources-are-not-ready", "resources-are-not-ready", "none"}, "", false},
         "Tlačový systém pozdržal úlohu 7 na tlačiarni K. Tlačiareň nie je pripravená.\nÚloha čaká v rade tlačiarne."},
        {"stopped, the printer's message quoted",
         {"K", 7, IPP_JSTATE_STOPPED, {}, "paper jam", false},
         "Tlačový systém zastavil úlohu 7 na tlačiarni K. Tlačiareň hlási: „paper jam“.\nÚloha čaká v rade "
         "tlačiarne."},
        {"cancelled by \"the user\": no one named",
         {"K", 7, IPP_JSTATE_CANCELED, {"job-canceled-by-user", "Job canceled by user."}, "", false},
         "Úloha 7 na tlačiarni K bola zrušená."},
        {"cancelled with the printer deleted",
         {"K", 7, IPP_JSTATE_CANCELED, {}, "", true},
         "Úloha 7 na tlačiarni K bola zrušená. Tlačiareň bola z tlačového systému odstránená."},
        {"aborted, what we do not know left out",
         {"K", 7, IPP_JSTATE_ABORTED, {"job-fell-over", "aborted-by-system"}, "", false},
         "Tlačový systém zrušil úlohu 7 na tlačiarni K."},
        {"waiting on a printer that stopped",
         {"K", 7, IPP_JSTATE_PENDING, {}, "Printer stopped due to backend errors; please consult the error_log file "
                                          "for details.", false},
         "Tlačiareň K sa zastavila. Tlačiareň zlyhala a tlačový systém ju zastavil.\nÚloha 7 čaká v jej rade."},
    };
    for (const auto &e : ends)
        EXPECT_EQ(WhyNotPrinted(e.report), e.said) << e.name;

    const auto refusal = [](const char *status, const char *text) {
        Reply reply(Reply::Refused);
        reply.statusName = status;
        reply.statusText = text;
        return reply;
    };
    const struct { const char *name; Reply reply; const char *said; } talks[] = {
        {"nothing at its address", Reply::NoServer, "Tlačiareň K sa nedá použiť: tlačový systém nie je dostupný."},
        {"no answer by the bound", Reply::Late, "Tlačiareň K sa nedá použiť: tlačový systém neodpovedal včas."},
        {"the connection broke", Reply::Broken,
         "Tlačiareň K sa nedá použiť: spojenie s tlačovým systémom sa prerušilo."},
        {"a refusal, a sentence of its own", refusal("client-error-not-authenticated", "Unauthorized"),
         "Tlačiareň K sa nedá použiť. Vyžaduje sa prihlásenie menom a heslom."},
        {"a refusal with nothing known of it", refusal("client-error-gone", ""), "Tlačiareň K sa nedá použiť."},
    };
    for (const auto &t : talks)
        EXPECT_EQ(NotDone("Tlačiareň K sa nedá použiť", t.reply), t.said) << t.name;
}

// A print server behind a slow network, every part of every answer late
// (an answer's body apart from its head too): the print waits, however far
// apart the parts come, while its bounds hold (5 s for the queue's answer,
// 12 s in all); what reached the printer is the sheet, and "neodpovedal
// včas" is said only once a bound has passed, never that the connection
// broke; a network that cuts the connection is said to have cut it, at
// once.
TEST(PrinterDevice, APrintServerWhoseEveryAnswerComesLateIsWaitedForWithinTheBounds)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    lktest::SlowLink link(server.Socket());
    ASSERT_TRUE(link.Running());
    const PrintWaitLimits &limits = PrintWaits();
    const struct { const char *name; int lateMs; bool printed; const char *cut; bool bodyApart = false; } rows[] = {
        {"every part half a second late: printed", 500, true, nullptr},
        {"every part a second late", 1000, false, nullptr},
        {"every part three seconds late", 3000, false, nullptr},
        {"the body of every answer two seconds after its head", 2000, false, nullptr, true},
        {"the connection cut as the answer comes", 0, false,
         "Tlačiareň Kabinet sa nedá použiť: spojenie s tlačovým systémom sa prerušilo."},
    };
    for (const auto &row : rows) {
        link.SetDelay(std::chrono::milliseconds(row.lateMs));
        link.SetFaults({.cutAnswers = row.cut != nullptr, .bodyApart = row.bodyApart});
        PrinterDevice printer;
        printer.SetDeviceName("Kabinet");
        QElapsedTimer since;
        ThreadClock own; // for the bounds from above
        since.start(), own.start();
        QString said;
        try {
            Play(printer, "TD");
        } catch (const PrinterError &e) {
            said = QString::fromUtf8(e.what());
        }
        const qint64 took = since.elapsed(), ownTook = own.elapsed();
        if (row.printed || row.cut) {
            EXPECT_EQ(said, row.cut) << row.name;
        } else {
            // However far apart its parts come within the bound, an answer
            // late is awaited (printed, or late), never given up as broken.
            EXPECT_TRUE(said.isEmpty() || said.contains("neodpovedal včas")) << row.name << ": " << said.toStdString();
        }
        if (row.printed) {
            const std::vector<KeptJob> printed = server.Kept();
            ASSERT_FALSE(printed.empty()) << row.name << ": nothing reached the printer";
            EXPECT_EQ(NotTheDocument(printed.back(), 1), "") << row.name;
        }
        if (row.cut) {
            EXPECT_LT(ownTook, 3500) << row.name << ": said long after";
        }
        if (said.contains("neodpovedal včas")) {
            const auto bound = said.startsWith("Tlačiareň Kabinet sa nedá použiť") ? limits.queue : limits.job;
            EXPECT_GE(took, bound.count()) << row.name << ": said before its bound passed: " << said.toStdString();
        }
        EXPECT_LE(ownTook, (limits.job + PrintGrace).count() + 2500) << row.name;
    }
    link.SetDelay(std::chrono::milliseconds(0));
    link.SetFaults({});
}

// A request during which libcups connects anew (a proxy on the way will not
// have "Expect: 100-continue"), the answer on the new connection trickling
// in a byte at a time: given up at its bound all the same, and the thread
// that talked to the print server ends; also where libcups connects anew
// only once the bound has cut its first connection, on which it still read
// the proxy's refusal.
TEST(PrinterDevice, ARequestOnAConnectionLibcupsMadeAnewEndsAtTheBound)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    lktest::SlowLink link(server.Socket());
    ASSERT_TRUE(link.Running());
    const struct { const char *name; int lateMs, queueMs; bool slowRefusal; } rows[] = {
        {"anew before the bound", 100, 1500, false},
        // The refusal's head takes 1.1 s, its text until 9 s; the answer on
        // the new connection 10 s more.
        {"anew after the bound, the first connection cut", 20, 3000, true},
    };
    for (const auto &row : rows) {
        const WaitsOfTheTest waits({std::chrono::milliseconds(row.queueMs), std::chrono::milliseconds(row.queueMs + 1500),
                                    std::chrono::milliseconds(2000)});
        const int threads = Threads();
        link.SetFaults({.refuseExpectation = true, .slowRefusal = row.slowRefusal, .trickle = true});
        link.SetDelay(std::chrono::milliseconds(row.lateMs));
        {
            PrinterDevice printer;
            printer.SetDeviceName("Kabinet");
            try {
                Play(printer, "TD");
                ADD_FAILURE() << row.name << ": printed as if done";
            } catch (const PrinterError &e) {
                EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(
                    "Tlačiareň Kabinet sa nedá použiť: tlačový systém neodpovedal včas."))
                    << row.name << ": " << e.what();
            }
        }
        EXPECT_TRUE(Within(3000, [&] { return Threads() <= threads; }))
            << row.name << ": " << Threads() - threads << " threads more: the talk with the print server goes on";
    }
}

// The bound cuts the request's own connection, never another's to the same
// server that got the number libcups had for it once the request is on its
// way: one of the test's own, the print server stopped; or another print
// connection of the program given the same bound and asking at the same
// moment (the kernel keeps a socket's wait for an answer in its clock's
// ticks, so theirs would come out alike), answered at once on the server's
// own socket while a slow link holds the request's answer. The request
// ends, late, and the other connection goes on.
TEST(PrintConnection, TheBoundCutsTheRequestsOwnConnectionNotAnotherGivenItsNumber)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    const QByteArray serverSocket = QFile::encodeName(server.Socket());
    const struct { const char *name; bool overTheLink, otherAsks; } rows[] = {
        {"the test's own on the server's own socket", false, false},
        {"the test's own through a port of the machine", true, false},
        {"another print connection given the same bound", true, true},
    };
    for (const auto &row : rows) {
        std::optional<lktest::SlowLink> link;
        if (row.overTheLink)
            link.emplace(server.Socket());
        const QByteArray address = qgetenv("CUPS_SERVER");
        PrintClock::time_point by = PrintClock::now() + std::chrono::seconds(10);
        // Connected, asked at once, the other looked at, ended.
        std::barrier meet(row.otherAsks ? 3 : 2);
        std::atomic<Reply::Kind> kind{Reply::Answered}, otherKind{Reply::Late};
        const auto asker = [&](const QByteArray &to, std::atomic<Reply::Kind> &said) {
            return std::thread([&, to] {
                cupsSetServer(to.constData()); // for this thread
                PrintConnection connection;
                const auto ask = [&] {
                    return Ask(connection, IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", PrinterUri("Kabinet"),
                               {"printer-state"})
                        .reply.kind;
                };
                connection.Until(by);
                ask();
                meet.arrive_and_wait();
                meet.arrive_and_wait();
                connection.Until(by);
                said = ask();
                meet.arrive_and_wait();
                meet.arrive_and_wait();
            });
        };
        std::thread request = asker(address, kind);
        std::thread other = row.otherAsks ? asker(serverSocket, otherKind) : std::thread();
        int phase = 0;
        const auto next = [&] { ++phase, meet.arrive_and_wait(); };
        const auto ended = qScopeGuard([&] {
            while (phase < 4)
                next();
            for (std::thread *t : {&request, &other})
                if (t->joinable())
                    t->join();
            server.Resume();
        });
        next();
        if (link)
            link->SetDelay(row.otherAsks ? std::chrono::seconds(30) : std::chrono::seconds(0));
        if (!row.otherAsks)
            server.Pause();
        by = PrintClock::now() + std::chrono::milliseconds(3000);
        next();
        // Sent: passed on by the link, or lying unread for the stopped server.
        int requests = -1;
        ASSERT_TRUE(Within(10000, [&] {
            const std::vector<int> found = lktest::ConnectionsTo(address);
            int unread = 0;
            const bool sent = found.size() == 1 && (!row.otherAsks || otherKind == Reply::Answered)
                              && (row.overTheLink ? link->FirstContact().has_value()
                                                  : ::ioctl(found[0], SIOCOUTQ, &unread) == 0 && unread > 0);
            requests = sent ? found[0] : -1;
            return sent;
        })) << row.name;
        // The other print connection's is the one with a wait for an answer
        // set, the link's own are without.
        int theOther = row.otherAsks ? -1 : lktest::ConnectTo(address);
        for (const int fd : row.otherAsks ? lktest::ConnectionsTo(serverSocket) : std::vector<int>()) {
            timeval wait{};
            socklen_t length = sizeof wait;
            if (::getsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, &length) == 0 && (wait.tv_sec || wait.tv_usec))
                theOther = fd;
        }
        ASSERT_GE(theOther, 0) << row.name;
        ASSERT_EQ(::dup2(theOther, requests), requests) << row.name;
        next();
        EXPECT_EQ(kind.load(), Reply::Late) << row.name;
        char byte;
        EXPECT_EQ(::recv(theOther, &byte, 1, MSG_PEEK | MSG_DONTWAIT), -1)
            << row.name << ": the other connection was cut";
        if (!row.otherAsks)
            ::close(theOther);
    }
}

// A queue whose answer came late leaves the job only the rest of its
// bound: the bound counts from the note, however long the queue took.
TEST(PrinterDevice, TheJobsBoundCountsTheWaitForTheQueue)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    const WaitsOfTheTest waits({std::chrono::milliseconds(6000), std::chrono::milliseconds(6500),
                                std::chrono::milliseconds(3000)});
    const PrintWaitLimits &limits = PrintWaits();
    PrinterDevice printer;
    printer.SetDeviceName("Kabinet");
    // The server answers about the queue after a stall of 4.5 s, and then
    // stalls for good.
    server.Pause();
    QTimer::singleShot(4500, [&server] { server.Resume(); });
    QElapsedTimer since;
    ThreadClock own; // for the bound from above
    since.start(), own.start();
    Play(printer, "T");
    const qint64 asked = since.elapsed();
    ASSERT_GE(asked, 4000) << "the queue answered too soon to tell";
    server.Pause();
    try {
        Play(printer, "D");
        ADD_FAILURE() << "printed as if done";
    } catch (const PrinterError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("neodpovedal včas")) << e.what();
    }
    const qint64 took = own.elapsed();
    server.Resume();
    // The screen's own work at most past the bound and its grace.
    EXPECT_LE(took, (limits.job + PrintGrace).count() + 2000) << "asked the queue for " << asked << " ms";
}

// Started by the test below: a program that prints to Kabinet on the print
// server LK_TLAC_DIETA names and is ended in the middle of the job.
TEST(PrinterDeviceChild, Program)
{
    if (!qEnvironmentVariableIsSet("LK_TLAC_DIETA"))
        GTEST_SKIP() << "started by NothingTheProgramMadeStaysInTheTemporaryFolderWhenItEndsMidJob";
    qputenv("CUPS_SERVER", qgetenv("LK_TLAC_DIETA"));
    handleSignals();
    PrinterDevice printer;
    printer.SetDeviceName("Kabinet");
    Play(printer, "T");
    std::cout << "drawn" << std::endl;
    std::string go;
    std::getline(std::cin, go);
    try {
        Play(printer, "GD");
    } catch (const PrinterError &) {
    }
    std::cout << "ended" << std::endl;
}

// The program ended while its print thread is still inside the print
// library, sending to a print server that stopped answering: nothing it
// made stays in the temporary folder.
TEST(PrinterDevice, NothingTheProgramMadeStaysInTheTemporaryFolderWhenItEndsMidJob)
{
    lktest::PrintServer server;
    if (!server.Running())
        GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
    ASSERT_TRUE(AddQueue(server, "Kabinet"));
    const struct { const char *name; bool kill; } rows[] = {
        {"ended the ordinary way", false},
        {"killed", true},
    };
    for (const auto &row : rows) {
        QTemporaryDir temp, runtime;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LK_TLAC_DIETA", server.Socket());
        env.insert("TMPDIR", temp.path());
        // Else Qt makes its runtime folder in the temporary one.
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        program.setProcessEnvironment(env);
        program.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=PrinterDeviceChild.Program"});
        QByteArray said;
        while (!said.contains("drawn") && program.waitForReadyRead(10000))
            said += program.readAllStandardOutput();
        ASSERT_TRUE(said.contains("drawn")) << row.name << ": " << said.constData();
        server.Pause();
        program.write("go\n");
        QThread::msleep(1500);
        row.kill ? program.kill() : program.terminate();
        EXPECT_TRUE(program.waitForFinished(10000)) << row.name;
        server.Resume();
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).join(", ")
                      .toStdString(),
                  "")
            << row.name;
    }
}
