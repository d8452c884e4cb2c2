#pragma once
// The printer on a real device: the PDF file asked for, else the printer
// named or, none named, the default one, else a new PDF file
// (DefaultPdfPath). A document that cannot be started, paged or finished
// throws PrinterError, as does one that cannot be written whole, one for a
// printer that cannot be reached or does not take jobs, before anything is
// sent, and one whose job the print system refused, or stopped, held or
// ended while it was followed, at its end (PrintQueue); a job whose end the
// print system could not tell throws PrintFateUnknown. A document is made
// as a PDF in memory and then written (DocumentFiles): to its file, or to
// a temporary one that the print system gets whole. Nothing is asked of the
// print system on the screen's thread.
#include "platform/Printer.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QBuffer;
class QPdfWriter;

namespace platform {

class PrintJob;

class PrinterDevice final : public Printer {
public:
    // useSystemPrinters false never prints on paper.
    explicit PrinterDevice(bool useSystemPrinters = true);
    ~PrinterDevice() override;

    float TextWidth(const QString &text) override;
    void Line(float x1, float y1, float x2, float y2, const QColor &color) override;
    void PaintPicture(const QImage &picture, float x, float y) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;
    QString DocumentFile() const override { return documentFile_; }
    float Width() override;
    float Height() override;

protected:
    void DrawText(float x, float y, const QString &text) override;
    float LineHeight() override;

private:
    void StartPage();
    void Break();
    // Abandons the document, and the folders made for its file while they
    // are empty; Fail then throws why (PrintFateUnknown when the job was
    // sent and its end is not known).
    void Drop();
    [[noreturn]] void Fail(const QString &why, bool fateUnknown = false);
    // The document made so far, which the device then lets go of.
    QByteArray Finished();
    void SetUpPage();
    void SetUpJob();
    QSizeF SheetTwips() const;
    QFont CurrentFont() const;
    double DotsPerTwip() const;
    QPointF ToDevice(float x, float y) const;

    bool useSystemPrinters_;
    // The printer this document goes to; empty for a file.
    QString queue_;
    QString documentFile_;
    std::unique_ptr<QBuffer> document_;
    std::unique_ptr<PrintJob> job_;
    std::unique_ptr<QPdfWriter> device_;
    QPainter painter_;
    int breaksDue_ = 0;
};

} // namespace platform
