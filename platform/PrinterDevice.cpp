#include "platform/PrinterDevice.h"

#include "platform/DocumentFiles.h"
#include "platform/Fonts.h"
#include "platform/PrintQueue.h"
#include "platform/Runtime.h"
#include "platform/Services.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>

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
    documentFile_.clear();
    if (queue_.isEmpty())
        documentFile_ = OutputFileName().isEmpty() ? DefaultPdfPath() : OutputFileName();
    // Made in memory: the PDF engine does not say whether its writes went
    // through, so the finished document is written, or handed to the print
    // system (which then gives the job a number to follow), whole or not at
    // all.
    auto document = std::make_unique<QBuffer>();
    document->open(QIODevice::WriteOnly);
    // The writer goes before the buffer it wrote into.
    device_ = std::make_unique<QPdfWriter>(document.get());
    document_ = std::move(document);
    SetUpPage();
    device_->setTitle(DocumentName);
}

void PrinterDevice::Drop()
{
    breaksDue_ = 0;
    job_.reset();
    if (painter_.isActive())
        painter_.end();
    documentFile_.clear();
    Finished();
    RemoveEmptyFolders(FoldersMadeFor());
}

QByteArray PrinterDevice::Finished()
{
    if (!document_)
        return {};
    QByteArray pdf = document_->data();
    document_->close();
    document_->setData(QByteArray());
    return pdf;
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
            Fail(QStringLiteral("Dokument sa nedá začať."));
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
    if (!painter_.end())
        Fail(QStringLiteral("Dokument sa nepodarilo dokončiť."));
    const QByteArray pdf = Finished();
    if (queue_.isEmpty()) {
        // The documents folder may not exist until a file is written there.
        if (documentFile_ != OutputFileName())
            QDir().mkpath(QFileInfo(documentFile_).absolutePath());
        if (const QString why = SaveDocument(documentFile_, pdf); !why.isEmpty())
            Fail(why);
        return;
    }
    QString why;
    const int file = TemporaryDocument(pdf, why);
    if (file < 0)
        Fail(QStringLiteral("Na tlačiareň %1 sa nič neposlalo, lebo dočasný súbor na tlač sa nepodarilo zapísať do "
                            "priečinka %2: %3")
                 .arg(queue_, QDir::toNativeSeparators(QDir::tempPath()), why));
    const JobEnd end = job_->Print(file, DocumentName, device_->pageLayout().pageSize().key());
    job_.reset();
    if (!end.why.isEmpty())
        Fail(end.why, end.unknown);
}

void PrinterDevice::KillDoc()
{
    if (painter_.isActive())
        Drop();
    else
        RemoveEmptyFolders(FoldersMadeFor());
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
