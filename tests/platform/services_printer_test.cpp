// The printer's document: the real printer writes a PDF, and the fake that
// stands in for it agrees on how many pages a sequence of operations makes;
// the print dialog's choice set on it; a sheet that cannot be written whole;
// a file name as long as the file system takes.
#include "Printing.h"

#include "platform/PrinterDevice.h"
#include "platform/PrinterFake.h"
#include "services/Bezpecny_subor.h"
#include "support/SmallDisk.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>
#include <unistd.h>

using namespace lktest;
using namespace platform;

namespace {

int PdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(R"(/Type\s*/Page(?![a-zA-Z]))");
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace

// The same pages in the file and on a printer's queue (of a print server
// of the test's own, when one can be started).
TEST(PrinterDevice, WritesAPdfOfThePagesTheFakeCounts)
{
    const struct { const char *name, *script; int pages, withText; } rows[] = {
        {"one page closed by a break adds no blank page", "TLND", 1, 1},
        {"two breaks in a row leave a blank page", "TNNLND", 3, 1},
        {"text after the last break starts a page", "TNTD", 2, 2},
        {"empty text alone makes no page", "ETD", 1, 1},
        {"picture alone makes a page", "PD", 1, 0},
        {"a document with nothing on it fails", "ED", 0, 0},
    };
    QTemporaryDir dir;
    lktest::PrintServer server;
    const bool queue = server.Running() && AddQueue(server, "Kabinet");
    for (const auto &row : rows) {
        FakePrinter fake;
        Play(fake, row.script);
        EXPECT_EQ(fake.PageCount(), row.pages) << row.name;
        const QString path = dir.filePath(QString(row.script) + ".pdf");
        PrinterDevice printer(false);
        printer.SetOutputFileName(path);
        PrinterDevice paper;
        paper.SetDeviceName("Kabinet");
        const size_t kept = server.Kept().size();
        if (row.pages) {
            Play(printer, row.script);
            if (queue)
                Play(paper, row.script);
        } else {
            EXPECT_THROW(Play(printer, row.script), PrinterError) << row.name;
            if (queue) {
                EXPECT_THROW(Play(paper, row.script), PrinterError) << row.name;
            }
        }
        EXPECT_EQ(PdfPageCount(path), row.pages ? row.pages : -1) << row.name;
        const std::vector<KeptJob> printed = server.Kept();
        if (queue && row.pages) {
            ASSERT_EQ(printed.size(), kept + 1) << row.name;
            EXPECT_EQ(NotTheDocument(printed.back(), row.pages, row.withText), "") << row.name;
        }
        EXPECT_TRUE(!queue || row.pages || printed.size() == kept) << row.name << ": an empty document printed";
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
    PrinterDevice printer(false);
    printer.SetPaperSize(1);
    printer.SetPrintQuality(600);
    printer.SetOrientation(PageOrientation::Landscape);
    ApplyPrintDialogChoice(printer, {QString(), dir.filePath("chosen.pdf"), 3, 2, 3, {}});
    EXPECT_EQ(std::tuple(printer.Copies(), printer.Orientation(), printer.PaperSize(), printer.PrintQuality()),
              std::tuple(3, PageOrientation::Portrait, int(PaperA4), 300));
    EXPECT_EQ(std::tuple(printer.PageInRange(1), printer.PageInRange(3), printer.PageInRange(4)),
              std::tuple(false, true, false));
    Play(printer, "TND");
    EXPECT_EQ(PdfPageCount(dir.filePath("chosen.pdf")), 1);
}

// A sheet that cannot be written whole is said, with why, and leaves no
// file cut short; a file that was there stays as it was, and so does a
// folder, but the folders the print dialog made for the file go.
TEST(PrinterDevice, ASheetThatCannotBeWrittenWholeIsSaidAndLeavesNoFileCutShort)
{
    using Mode = lktest::SmallDisk::Mode;
    const struct {
        const char *name;
        Mode mode;
        const char *before; // the file's contents before, if there was one
        const char *why;
        const char *there = "", *made = ""; // the file's folders: there before, then made for it
    } rows[] = {
        {"a disk smaller than the sheet", Mode::AsIs, nullptr, "disk je plný."},
        {"a full disk, over a file that stays as it was", Mode::Full, "starý list", "disk je plný."},
        {"a read-only disk", Mode::ReadOnly, nullptr, "disk je len na čítanie."},
        {"a disk smaller than the sheet, in folders made for it", Mode::AsIs, nullptr, "disk je plný.", "stara",
         "nova/pod"},
    };
    for (const auto &row : rows) {
        std::map<QString, QByteArray> files;
        if (row.before)
            files["list.pdf"] = row.before;
        lktest::SmallDisk disk(row.mode, files);
        if (!disk.Mounted())
            GTEST_SKIP() << "no small file system of the test's own here (mounting a tmpfs needs root)";
        const QDir there(disk.FilePath(row.there));
        QStringList made; // deepest first
        for (QString folder = row.made; !folder.isEmpty(); folder = folder.section('/', 0, -2))
            made << there.filePath(folder);
        there.mkpath(row.made);
        const QString path = QDir(there.filePath(row.made)).filePath("list.pdf");
        PrinterDevice printer(false);
        ApplyPrintDialogChoice(printer, {{}, path, 1, 0, 0, made});
        try {
            Play(printer, "TGD");
            ADD_FAILURE() << row.name << ": said to be written";
        } catch (const PrinterError &e) {
            const QString said = QString::fromUtf8(e.what());
            EXPECT_EQ(said, QStringLiteral("Súbor %1 sa nepodarilo uložiť: %2").arg(path, row.why)) << row.name;
        }
        EXPECT_EQ(disk.Files().join(", ").toStdString(), row.before ? "list.pdf" : row.there) << row.name;
        EXPECT_TRUE(there.isEmpty() || row.before) << row.name;
        QFile kept(path);
        EXPECT_EQ(kept.open(QIODevice::ReadOnly) ? kept.readAll() : QByteArray(), QByteArray(row.before)) << row.name;
    }
}

// A name as long as the file system takes is written, though the new file
// beside it needs a name of its own; one longer is said before any file is
// made. 255 bytes, in ASCII and in two-byte Slovak letters.
TEST(PrinterDevice, AFileNameAsLongAsTheFileSystemTakesIsWrittenAndALongerOneIsSaid)
{
    QTemporaryDir dir;
    if (pathconf(QFile::encodeName(dir.path()).constData(), _PC_NAME_MAX) != 255)
        GTEST_SKIP() << "the temporary folder's file system does not take names of 255 bytes";
    const struct {
        const char *name;
        QString file;
        bool written;
    } rows[] = {
        {"255 bytes of ASCII", QString(251, 'a') + ".pdf", true},
        {"255 bytes of Slovak letters", QString(125, u'č') + "a.pdf", true},
        {"256 bytes of ASCII", QString(252, 'a') + ".pdf", false},
        {"256 bytes of Slovak letters", QString(126, u'č') + ".pdf", false},
    };
    static int writes = 0; // of the safe write's steps
    Misc::Po_kroku = [] { ++writes; };
    for (const auto &row : rows) {
        const QString path = dir.filePath(row.file);
        PrinterDevice printer(false);
        printer.SetOutputFileName(path);
        writes = 0;
        QString said;
        try {
            Play(printer, "TND");
        } catch (const PrinterError &e) {
            said = QString::fromUtf8(e.what());
        }
        const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        if (row.written) {
            EXPECT_EQ(said, QString()) << row.name;
            EXPECT_EQ(files, QStringList{row.file}) << row.name;
            EXPECT_EQ(PdfPageCount(path), 1) << row.name;
        } else {
            EXPECT_EQ(said, QStringLiteral("Súbor %1 sa nepodarilo uložiť: názov súboru je dlhší, než aký súborový "
                                           "systém dovoľuje (ENAMETOOLONG).")
                                .arg(path))
                << row.name;
            EXPECT_EQ(writes, 0) << row.name << ": nothing made";
            EXPECT_EQ(files, QStringList()) << row.name << ": nothing left";
        }
        QFile::remove(path);
    }
    Misc::Po_kroku = nullptr;
}
