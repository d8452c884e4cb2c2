#include "platform/PrinterDevice.h"

#include "platform/Fonts.h"
#include "platform/PrintQueue.h"
#include "platform/Runtime.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <fcntl.h>

namespace platform {

namespace {

QPageSize PageSizeOf(int paper)
{
    // The worksheets are laid out on A4; Letter is the only other size a
    // caller might pass.
    return QPageSize(paper == 1 ? QPageSize::Letter : QPageSize::A4);
}

const QString DocumentName = QStringLiteral("Loravik Kvantira 2 - Algebra");

} // namespace

// The device measures text before any document is started.
PrinterDevice::PrinterDevice(bool useSystemPrinters)
    : useSystemPrinters_(useSystemPrinters), device_(std::make_unique<QPdfWriter>(QString()))
{
    SetUpPage();
}

PrinterDevice::~PrinterDevice()
{
    if (painter_.isActive())
        painter_.end();
}


void PrinterDevice::SetUpPage()
{
    device_->setResolution(PrintQuality() > 0 ? PrintQuality() : 300);
    QPageLayout layout(PageSizeOf(PaperSize()),
                       Orientation() == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    device_->setPageLayout(layout);
}

void PrinterDevice::SetUpJob()
{
    spool_.reset();
    queue_.clear();
    if (useSystemPrinters_ && OutputFileName().isEmpty()) {
        // A printer named is used or said to be unusable, never swapped for
        // another or for a file; none named, the print system's default one.
        job_ = std::make_unique<PrintJob>(DeviceName());
        const QString why = job_->Refusal();
        queue_ = job_->Printer();
        if (queue_.isEmpty())
            job_.reset();
        else if (!why.isEmpty())
            Fail(why);
    }
    if (queue_.isEmpty()) {
        documentFile_ = OutputFileName();
        if (documentFile_.isEmpty()) {
            documentFile_ = DefaultPdfPath();
            // The documents folder may not exist until a file is written there.
            QDir().mkpath(QFileInfo(documentFile_).absolutePath());
        }
        device_ = std::make_unique<QPdfWriter>(documentFile_);
    } else {
        // The print system gets the finished document, so it gives the job
        // a number to follow.
        documentFile_.clear();
        spool_ = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("kvantira2-XXXXXX.pdf")));
        if (!spool_->open())
            Fail(QStringLiteral("Tlačiareň %1 sa nedá použiť: dočasný súbor na tlač sa nedá vytvoriť.").arg(queue_));
        spool_->close();
        device_ = std::make_unique<QPdfWriter>(spool_->fileName());
    }
    SetUpPage();
    device_->setTitle(DocumentName);
}

void PrinterDevice::Drop()
{
    breaksDue_ = 0;
    job_.reset();
    if (painter_.isActive()) {
        painter_.end();
        // Only a file that this document opened is removed.
        if (!documentFile_.isEmpty())
            QFile::remove(documentFile_);
    }
    documentFile_.clear();
    spool_.reset();
}

void PrinterDevice::Fail(const QString &why, bool fateUnknown)
{
    Drop();
    if (fateUnknown)
        throw PrintFateUnknown(why.toStdString());
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
        if (!painter_.begin(device_.get()))
            Fail(queue_.isEmpty()
                     ? QStringLiteral("Súbor %1 sa nedá vytvoriť.").arg(QDir::toNativeSeparators(documentFile_))
                     : QStringLiteral("Tlačiareň %1 sa nedá použiť.").arg(queue_));
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
    if (queue_.isEmpty())
        return;
    // The print job reads the file it has open; its name goes at once.
    const int pdf = ::open(QFile::encodeName(spool_->fileName()).constData(), O_RDONLY | O_CLOEXEC);
    spool_.reset();
    if (pdf < 0)
        Fail(QStringLiteral("Tlačiareň %1 sa nedá použiť: dočasný súbor na tlač sa nedá otvoriť.").arg(queue_));
    const JobEnd end = job_->Print(pdf, DocumentName, device_->pageLayout().pageSize().key());
    job_.reset();
    if (!end.why.isEmpty())
        Fail(end.why, end.unknown);
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
