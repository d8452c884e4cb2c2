// The printer: the real one writes a PDF, and the fake that stands in for it
// agrees on how many pages a sequence of operations makes.
#include "platform/PrinterDevice.h"
#include "platform/PrinterFake.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
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
        {"empty text alone makes no page", "ET", 1},
        {"picture alone makes a page", "PD", 1},
    };
    QTemporaryDir dir;
    for (const auto &row : rows) {
        FakePrinter fake;
        Play(fake, row.script);
        EXPECT_EQ(fake.PageCount(), row.pages) << row.name;
        const QString path = dir.filePath(QString(row.script) + ".pdf");
        PrinterDevice printer(path, false);
        Play(printer, row.script);
        printer.EndDoc(); // a second EndDoc must change nothing
        EXPECT_EQ(PdfPageCount(path), row.pages) << row.name;
    }
    const QString killed = dir.filePath("killed.pdf");
    PrinterDevice printer(killed, false);
    Play(printer, "TNTK");
    EXPECT_FALSE(QFile::exists(killed)) << "a killed document leaves no file";
    Play(printer, "TND");
    EXPECT_EQ(PdfPageCount(killed), 1) << "a new document after a killed one";
}

TEST(PrinterDevice, A4InTwipsAndWidthsOfTheBundledDesignFace)
{
    PrinterDevice printer(QString(), false);
    EXPECT_NEAR(printer.Width(), 11905.5, 1.0);
    EXPECT_NEAR(printer.Height(), 16837.8, 1.0);
    // Worksheets wrap their statements by these widths: they must not
    // depend on what the machine substitutes for "MS Sans Serif".
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
    printer.SetOrientation(PageOrientation::Landscape);
    EXPECT_NEAR(printer.Width(), 16837.8, 1.0);
}

TEST(PrintDialog, ChoiceSetsDeviceCopiesOrientationA4And300Dpi)
{
    QPrinter dialogPrinter;
    dialogPrinter.setOutputFormat(QPrinter::PdfFormat);
    dialogPrinter.setCopyCount(3);
    dialogPrinter.setPageOrientation(QPageLayout::Landscape);
    const PrintDialogChoice choice = ChoiceFromDialog(dialogPrinter);
    EXPECT_TRUE(choice.deviceName.isEmpty()) << "a PDF target is no device";
    FakePrinter printer;
    printer.SetPaperSize(1);
    printer.SetPrintQuality(600);
    ApplyPrintDialogChoice(printer, choice);
    EXPECT_EQ(std::tuple(printer.Copies(), printer.Orientation(), printer.PaperSize(), printer.PrintQuality()),
              std::tuple(3, PageOrientation::Landscape, int(PaperA4), 300));
}
