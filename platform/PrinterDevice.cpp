#include "platform/PrinterDevice.h"

#include "platform/Fonts.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace platform {

namespace {

QPageSize PageSizeOf(int paper)
{
    // The worksheets are laid out on A4; Letter is the only other size a
    // caller might pass.
    return QPageSize(paper == 1 ? QPageSize::Letter : QPageSize::A4);
}

// libcups, loaded when a printer is first asked about, as Qt's own print
// support loads it: linked in, it and its libraries would cost every run
// memory at start.
struct Cups {
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;

    bool loaded() const { return getNamedDest && getOption && freeDests && lastError && lastErrorString; }

    static const Cups &instance()
    {
        static const Cups cups = [] {
            Cups c;
            QLibrary library(QStringLiteral("cups"), 2);
            if (!library.load())
                return c;
            c.getNamedDest = reinterpret_cast<decltype(getNamedDest)>(library.resolve("cupsGetNamedDest"));
            c.getOption = reinterpret_cast<decltype(getOption)>(library.resolve("cupsGetOption"));
            c.freeDests = reinterpret_cast<decltype(freeDests)>(library.resolve("cupsFreeDests"));
            c.lastError = reinterpret_cast<decltype(lastError)>(library.resolve("cupsLastError"));
            c.lastErrorString = reinterpret_cast<decltype(lastErrorString)>(library.resolve("cupsLastErrorString"));
            return c;
        }();
        return cups;
    }
};

// Why the print system would not take a job for the queue now; empty when
// it would. A stopped queue holds its jobs, so the teacher would wait for
// paper that does not come.
QString QueueRefusal(const QString &printer)
{
    const Cups &cups = Cups::instance();
    if (!cups.loaded())
        return {};
    // Qt names an instance of a queue "queue/instance".
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_dest_t *dest = cups.getNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (!dest)
        return {};
    const auto option = [&cups, dest](const char *name) {
        return QByteArray(cups.getOption(name, dest->num_options, dest->options));
    };
    QString why;
    if (option("printer-is-accepting-jobs") == "false")
        why = QStringLiteral("Tlačiareň %1 neprijíma úlohy.").arg(printer);
    else if (option("printer-state").toInt() == IPP_PSTATE_STOPPED)
        why = QStringLiteral("Tlačiareň %1 je zastavená.").arg(printer);
    cups.freeDests(1, dest);
    return why;
}

// Why the print system refused the job that Qt has just sent from this
// thread; Qt itself does not look.
QString JobRefusal()
{
    const Cups &cups = Cups::instance();
    if (!cups.loaded() || cups.lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QStringLiteral("Tlačový systém úlohu odmietol: %1").arg(QString::fromUtf8(cups.lastErrorString()));
}

} // namespace

PrinterDevice::PrinterDevice(bool useSystemPrinters)
    : useSystemPrinters_(useSystemPrinters), device_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    SetUpPage();
}

PrinterDevice::~PrinterDevice()
{
    if (painter_.isActive())
        painter_.end();
}

QString PrinterDevice::OutputPrinterName() const
{
    if (!useSystemPrinters_ || !OutputFileName().isEmpty())
        return {};
    if (!DeviceName().isEmpty() && !QPrinterInfo::printerInfo(DeviceName()).isNull())
        return DeviceName();
    return QPrinterInfo::defaultPrinter().printerName();
}

void PrinterDevice::SetUpPage()
{
    device_->setResolution(PrintQuality() > 0 ? PrintQuality() : 300);
    device_->setFullPage(true);
    device_->setPageSize(PageSizeOf(PaperSize()));
    device_->setPageOrientation(Orientation() == PageOrientation::Landscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
}

void PrinterDevice::SetUpJob()
{
    const QString printerName = OutputPrinterName();
    if (printerName.isEmpty()) {
        documentFile_ = OutputFileName().isEmpty() ? DefaultPdfPath() : OutputFileName();
        device_->setOutputFormat(QPrinter::PdfFormat);
        device_->setOutputFileName(documentFile_);
    } else {
        documentFile_.clear();
        device_->setOutputFormat(QPrinter::NativeFormat);
        device_->setPrinterName(printerName);
    }
    SetUpPage();
    // Every copy is a worksheet of its own, printed by the program itself.
    device_->setCopyCount(1);
    device_->setDocName(QStringLiteral("Loravik Kvantira 2 - Algebra"));
}

void PrinterDevice::Drop()
{
    breaksDue_ = 0;
    if (painter_.isActive()) {
        device_->abort();
        painter_.end();
        // Only a file that this document opened is removed.
        if (!documentFile_.isEmpty())
            QFile::remove(documentFile_);
    }
    documentFile_.clear();
}

void PrinterDevice::Fail(const QString &why)
{
    Drop();
    throw PrinterError(why.toStdString());
}

void PrinterDevice::Break()
{
    if (!device_->newPage())
        Fail(QStringLiteral("Na tlačiarni sa nedá začať ďalšia strana."));
}

void PrinterDevice::StartPage()
{
    if (!painter_.isActive()) {
        SetUpJob();
        if (documentFile_.isEmpty())
            if (const QString why = QueueRefusal(device_->printerName()); !why.isEmpty())
                Fail(why);
        if (!painter_.begin(device_.get()))
            Fail(documentFile_.isEmpty()
                     ? QStringLiteral("Tlačiareň %1 sa nedá použiť.").arg(device_->printerName())
                     : QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(QDir::toNativeSeparators(documentFile_)));
        // A graph blurred by JPEG is no use on paper.
        painter_.setRenderHint(QPainter::LosslessImageRendering);
        breaksDue_ = 0;
    }
    for (; breaksDue_ > 0; --breaksDue_)
        Break();
}

double PrinterDevice::DotsPerTwip() const { return device_->resolution() / double(TwipsPerInch); }

QPointF PrinterDevice::ToDevice(float x, float y) const
{
    return QPointF(x * DotsPerTwip(), y * DotsPerTwip());
}

QFont PrinterDevice::CurrentFont() const
{
    // The design face is the bundled one here as on screen, so a worksheet
    // measures and wraps the same on every machine.
    registerBundledFonts();
    QFont font(mapFontFamily(FontName()));
    font.setPointSizeF(FontSize() > 0 ? FontSize() : 1.0);
    font.setBold(FontBold());
    font.setItalic(FontItalic());
    return font;
}

void PrinterDevice::DrawText(float x, float y, const QString &text)
{
    if (text.isEmpty())
        return;
    StartPage();
    const QFont font = CurrentFont();
    const QFontMetricsF metrics(font, device_.get());
    painter_.setFont(font);
    painter_.setPen(ForeColor());
    // The position is the text's top-left corner; Qt draws from the baseline.
    painter_.drawText(ToDevice(x, y) + QPointF(0, metrics.ascent()), text);
}

float PrinterDevice::TextWidth(const QString &text)
{
    const QFontMetricsF metrics(CurrentFont(), device_.get());
    return float(metrics.horizontalAdvance(text) / DotsPerTwip());
}

float PrinterDevice::LineHeight()
{
    const QFontMetricsF metrics(CurrentFont(), device_.get());
    return float(metrics.lineSpacing() / DotsPerTwip());
}

void PrinterDevice::Line(float x1, float y1, float x2, float y2, const QColor &color)
{
    StartPage();
    painter_.setPen(QPen(color, 1.0)); // one printer dot, the default thickness
    painter_.drawLine(ToDevice(x1, y1), ToDevice(x2, y2));
}

void PrinterDevice::PaintPicture(const QImage &picture, float x, float y)
{
    if (picture.isNull())
        return;
    StartPage();
    const QSizeF size(picture.width() * TwipsPerPicturePixel * DotsPerTwip(),
                      picture.height() * TwipsPerPicturePixel * DotsPerTwip());
    painter_.drawImage(QRectF(ToDevice(x, y), size), picture);
}

void PrinterDevice::NewPage()
{
    StartPage();
    ++breaksDue_;
}

void PrinterDevice::EndDoc()
{
    if (!painter_.isActive())
        Fail(QStringLiteral("Nebolo čo tlačiť."));
    // The last break closes the last page; only breaks before it add pages.
    for (; breaksDue_ > 1; --breaksDue_)
        Break();
    breaksDue_ = 0;
    if (!painter_.end()) {
        if (!documentFile_.isEmpty())
            QFile::remove(documentFile_);
        Fail(QStringLiteral("Dokument sa nepodarilo dokončiť."));
    }
    if (documentFile_.isEmpty())
        if (const QString why = JobRefusal(); !why.isEmpty())
            Fail(why);
}

void PrinterDevice::KillDoc()
{
    if (painter_.isActive())
        Drop();
}

QSizeF PrinterDevice::SheetTwips() const
{
    // Millimetres are exact for A4; whole points are not.
    QSizeF mm = PageSizeOf(PaperSize()).size(QPageSize::Millimeter);
    if (Orientation() == PageOrientation::Landscape)
        mm.transpose();
    return mm * (TwipsPerInch / 25.4);
}

float PrinterDevice::Width() { return float(SheetTwips().width()); }

float PrinterDevice::Height() { return float(SheetTwips().height()); }

} // namespace platform
