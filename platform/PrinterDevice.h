#pragma once
// The printer on a real device: the chosen or default system printer, or a
// PDF file when the machine has no printer.
#include "platform/Printer.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QPrinter;

namespace platform {

class PrinterDevice final : public Printer {
public:
    // pdfPath receives the output when no system printer is used;
    // useSystemPrinters false always writes the PDF.
    explicit PrinterDevice(QString pdfPath, bool useSystemPrinters = true);
    ~PrinterDevice() override;

    float TextWidth(const QString &text) override;
    void Line(float x1, float y1, float x2, float y2, const QColor &color) override;
    void PaintPicture(const QImage &picture, float x, float y) override;
    void NewPage() override;
    void EndDoc() override;
    void KillDoc() override;
    float Width() override;
    float Height() override;

    // Where the document goes: a printer name, or empty for the PDF file.
    QString OutputPrinterName() const;

protected:
    void DrawText(float x, float y, const QString &text) override;
    float LineHeight() override;

private:
    bool StartPage();
    void SetUpJob();
    QSizeF SheetTwips() const;
    QFont CurrentFont() const;
    double DotsPerTwip() const;
    QPointF ToDevice(float x, float y) const;

    QString pdfPath_;
    bool useSystemPrinters_;
    std::unique_ptr<QPrinter> device_;
    QPainter painter_;
    int breaksDue_ = 0;
};

} // namespace platform
