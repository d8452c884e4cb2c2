#include "platform/PrinterFake.h"

namespace platform {

PrintOp &FakePrinter::Record(PrintOp::Kind kind)
{
    if (!refusal_.isEmpty() && !refusesAfterSending_ && kind != PrintOp::KillDoc)
        throw PrinterError(refusal_.toStdString());
    PrintOp op;
    op.kind = kind;
    op.fontName = FontName();
    op.fontSize = FontSize();
    op.bold = FontBold();
    op.italic = FontItalic();
    op.color = ForeColor();
    ops_.append(op);
    return ops_.last();
}

void FakePrinter::EndDoc()
{
    Record(PrintOp::EndDoc);
    if (!refusal_.isEmpty())
        throw PrinterError(refusal_.toStdString());
}

void FakePrinter::DrawText(float x, float y, const QString &text)
{
    PrintOp &op = Record(PrintOp::Text);
    op.x = x;
    op.y = y;
    op.text = text;
}

float FakePrinter::TextWidth(const QString &text)
{
    // Half an em: size in points x 20 twips x 0.5.
    return float(text.size()) * FontSize() * 10.0f;
}

void FakePrinter::Line(float x1, float y1, float x2, float y2, const QColor &color)
{
    PrintOp &op = Record(PrintOp::Line);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
}

void FakePrinter::PaintPicture(const QImage &picture, float x, float y)
{
    PrintOp &op = Record(PrintOp::Picture);
    op.x = x;
    op.y = y;
    op.pictureSize = picture.size();
}

float FakePrinter::Width()
{
    return Orientation() == PageOrientation::Landscape ? sheetHeight_ : sheetWidth_;
}

float FakePrinter::Height()
{
    return Orientation() == PageOrientation::Landscape ? sheetWidth_ : sheetHeight_;
}

QList<PrintOp> FakePrinter::Texts() const
{
    QList<PrintOp> texts;
    for (const PrintOp &op : ops_)
        if (op.kind == PrintOp::Text)
            texts.append(op);
    return texts;
}

int FakePrinter::PageCount() const
{
    int total = 0;
    int docPages = 0;
    int breaksDue = 0;
    for (const PrintOp &op : ops_) {
        const bool marks = op.kind == PrintOp::Line || op.kind == PrintOp::Picture
                           || (op.kind == PrintOp::Text && !op.text.isEmpty());
        if (op.kind == PrintOp::NewPage) {
            docPages = qMax(docPages, 1);
            ++breaksDue;
        } else if (op.kind == PrintOp::EndDoc) {
            total += docPages + qMax(0, breaksDue - 1);
            docPages = breaksDue = 0;
        } else if (op.kind == PrintOp::KillDoc) {
            docPages = breaksDue = 0;
        } else if (marks) {
            docPages = qMax(docPages, 1) + breaksDue;
            breaksDue = 0;
        }
    }
    return total + docPages + qMax(0, breaksDue - 1);
}

} // namespace platform
