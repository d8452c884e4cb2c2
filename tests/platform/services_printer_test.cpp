// The printer: the real one writes a PDF, and the fake that stands in for it
// agrees on how many pages a sequence of operations makes.
#include "platform/PrinterDevice.h"
#include "platform/PrinterFake.h"
#include "support/PrintServer.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <tuple>

using namespace platform;

namespace {

// Plays a script on a printer: T text, E empty text, L line, P picture,
// N new page, D end of document, K kill document.
void Play(Printer &printer, const char *script)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (const char *c = script; *c; ++c) {
        printer.SetCurrentX(1000);
        printer.SetCurrentY(2000);
        switch (*c) {
        case 'T': printer.Print("Stránka: 1"); break;
        case 'E': printer.Print(""); break;
        case 'L': printer.Line(0, 1417, 11906, 1417, Qt::black); break;
        case 'P': printer.PaintPicture(picture, 1700, 3000); break;
        case 'N': printer.NewPage(); break;
        case 'D': printer.EndDoc(); break;
        case 'K': printer.KillDoc(); break;
        }
    }
}

int PdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(R"(/Type\s*/Page(?![a-zA-Z]))");
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace

TEST(PrinterDevice, WritesAPdfOfThePagesTheFakeCounts)
{
    const struct { const char *name, *script; int pages; } rows[] = {
        {"one page closed by a break adds no blank page", "TLND", 1},
        {"two breaks in a row leave a blank page", "TNNLND", 3},
        {"text after the last break starts a page", "TNTD", 2},
        {"empty text alone makes no page", "ETD", 1},
        {"picture alone makes a page", "PD", 1},
        {"a document with nothing on it fails", "ED", 0},
    };
    QTemporaryDir dir;
    for (const auto &row : rows) {
        FakePrinter fake;
        Play(fake, row.script);
        EXPECT_EQ(fake.PageCount(), row.pages) << row.name;
        const QString path = dir.filePath(QString(row.script) + ".pdf");
        PrinterDevice printer(false);
        printer.SetOutputFileName(path);
        if (row.pages)
            Play(printer, row.script);
        else
            EXPECT_THROW(Play(printer, row.script), PrinterError) << row.name;
        EXPECT_EQ(PdfPageCount(path), row.pages ? row.pages : -1) << row.name;
    }
    const QString killed = dir.filePath("killed.pdf");
    PrinterDevice printer(false);
    printer.SetOutputFileName(killed);
    Play(printer, "TNTK");
    EXPECT_FALSE(QFile::exists(killed)) << "a killed document leaves no file";
    Play(printer, "TND");
    EXPECT_EQ(PdfPageCount(killed), 1) << "a new document after a killed one";
    EXPECT_EQ(printer.DocumentFile(), killed);
    printer.SetOutputFileName(dir.filePath("missing/list.pdf"));
    try {
        Play(printer, "TD");
        ADD_FAILURE() << "a file that cannot be made is reported";
    } catch (const PrinterError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("list.pdf")) << e.what();
    }
}

// The graph of task 21 must not come out blurred.
TEST(PrinterDevice, PicturesAreEmbeddedLosslessly)
{
    QImage graph(260, 260, QImage::Format_RGB32);
    for (int y = 0; y < graph.height(); ++y)
        for (int x = 0; x < graph.width(); ++x)
            graph.setPixel(x, y, qRgb(x, y, (x * y) % 256));
    QTemporaryDir dir;
    PrinterDevice printer(false);
    printer.SetOutputFileName(dir.filePath("graph.pdf"));
    printer.PaintPicture(graph, 1700, 3000);
    printer.EndDoc();
    QFile pdf(dir.filePath("graph.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_FALSE(pdf.readAll().contains("/DCTDecode"));
}

// Worksheets wrap their statements by these widths: they must not depend on
// what the machine substitutes for "MS Sans Serif".
TEST(PrinterDevice, A4InTwipsAndWidthsOfTheBundledDesignFace)
{
    PrinterDevice printer(false);
    EXPECT_NEAR(printer.Width(), 11905.5, 1.0);
    printer.SetFontSize(12);
    const auto width = [&printer](const char *face, bool bold) {
        printer.SetFontName(face);
        printer.SetFontBold(bold);
        return printer.TextWidth(QStringLiteral("Vypočítaj hodnotu každého výrazu."));
    };
    const float dejavu = width("DejaVu Sans", false);
    EXPECT_EQ(width("MS Sans Serif", true), width("DejaVu Sans", true));
    EXPECT_GT(width("DejaVu Sans", true), dejavu);
    EXPECT_TRUE(dejavu > 3000.0f && dejavu < 6000.0f) << dejavu << ": twips, not pixels or points";
}

TEST(PrintDialog, ChoiceCarriesTheFileCopiesAndPagesUprightA4)
{
    QTemporaryDir dir;
    QPrinter dialogPrinter;
    dialogPrinter.setOutputFormat(QPrinter::PdfFormat);
    dialogPrinter.setOutputFileName(dir.filePath("chosen.pdf"));
    dialogPrinter.setCopyCount(3);
    dialogPrinter.setPrintRange(QPrinter::PageRange);
    dialogPrinter.setFromTo(2, 3);
    PrinterDevice printer(false);
    printer.SetPaperSize(1);
    printer.SetPrintQuality(600);
    printer.SetOrientation(PageOrientation::Landscape);
    ApplyPrintDialogChoice(printer, ChoiceFromDialog(dialogPrinter));
    EXPECT_EQ(std::tuple(printer.Copies(), printer.Orientation(), printer.PaperSize(), printer.PrintQuality()),
              std::tuple(3, PageOrientation::Portrait, int(PaperA4), 300));
    EXPECT_EQ(std::tuple(printer.PageInRange(1), printer.PageInRange(3), printer.PageInRange(4)),
              std::tuple(false, true, false));
    Play(printer, "TND");
    EXPECT_EQ(PdfPageCount(dir.filePath("chosen.pdf")), 1);
}

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
    for (int status : {1, 4, 5})
        server.AddBackend(QStringLiteral("stau%1").arg(status), lktest::PrintServer::JammedBackend(status));
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
            const QString queue = row.queue;
            ASSERT_TRUE(server.AddQueue(queue, queue.startsWith("Stau") ? queue.toLower() + ":/" : "file:///dev/null"))
                << row.name;
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
        {"the server killed in the middle of the job", true, true, "Pomala", 1500, "Tlačový systém prestal odpovedať",
         true},
    };
    for (const auto &row : rows) {
        lktest::PrintServer server(row.history, row.tellsEnds);
        if (!server.Running())
            GTEST_SKIP() << "no print server of the test's own here (needs cupsd)";
        for (int status : {4, 5})
            server.AddBackend(QStringLiteral("stau%1").arg(status), lktest::PrintServer::JammedBackend(status));
        server.AddBackend("pomala", lktest::PrintServer::SlowBackend(3));
        const QString queue = row.queue;
        ASSERT_TRUE(server.AddQueue(queue, queue == "Kabinet" ? "file:///dev/null" : queue.toLower() + ":/"))
            << row.name;
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
