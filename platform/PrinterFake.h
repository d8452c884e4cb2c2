#pragma once
// A printer that records what is drawn, for checking worksheet layouts.
// Text widths are predictable: every character is half an em wide.
#include "platform/Printer.h"

#include <QList>
#include <QSize>

namespace platform {

struct PrintOp {
    enum Kind { Text, Line, Picture, NewPage, EndDoc, KillDoc };
    Kind kind = Text;
    float x = 0, y = 0;   // text and picture corner, line start
    float x2 = 0, y2 = 0; // line end
    QString text;
    QString fontName;
    float fontSize = 0;
    bool bold = false;
    bool italic = false;
    QColor color;
    QSize pictureSize;
};

class FakePrinter final : public Printer {
public:
    // The sheet upright; Landscape swaps width and height. A4 in twips by default.
    explicit FakePrinter(float sheetWidth = 11906.0f, float sheetHeight = 16838.0f)
        : sheetWidth_(sheetWidth), sheetHeight_(sheetHeight) {}

    float TextWidth(const QString &text) override;
    void Line(float x1, float y1, float x2, float y2, const QColor &color) override;
    void PaintPicture(const QImage &picture, float x, float y) override;
    void NewPage() override { Record(PrintOp::NewPage); }
    void EndDoc() override;
    void KillDoc() override { Record(PrintOp::KillDoc); }
    QString DocumentFile() const override { return OutputFileName(); }
    float Width() override;
    float Height() override;

    // From now on the printer refuses every document, for the reason why:
    // at its first mark as one that does not take jobs, or with
    // afterSending at its end as one whose job the print system refused.
    void Refuse(const QString &why, bool afterSending = false)
    {
        refusal_ = why;
        refusesAfterSending_ = afterSending;
    }

    const QList<PrintOp> &Ops() const { return ops_; }
    // The texts printed so far, in order.
    QList<PrintOp> Texts() const;
    // Pages the recorded document would print, as the real printer counts them.
    int PageCount() const;

protected:
    void DrawText(float x, float y, const QString &text) override;
    float LineHeight() override { return FontSize() * 24.0f; }

private:
    PrintOp &Record(PrintOp::Kind kind);

    float sheetWidth_;
    float sheetHeight_;
    QList<PrintOp> ops_;
    QString refusal_;
    bool refusesAfterSending_ = false;
};

} // namespace platform
