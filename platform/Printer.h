#pragma once
// The printer as the worksheet printing sees it: a current font, colour and
// position, text output, lines, pictures and page breaks. All coordinates,
// widths and the page size are in one unit, the twip (1/1440 inch), on the
// whole sheet with (0, 0) at its top-left corner.
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace platform {

enum class PageOrientation { Portrait = 1, Landscape = 2 };

inline constexpr int PaperA4 = 9;
inline constexpr float TwipsPerInch = 1440.0f;
// Pictures are placed at their size on a 96-dpi screen.
inline constexpr float TwipsPerPicturePixel = 15.0f;

class Printer {
public:
    virtual ~Printer() = default;

    // Font of every later Print and TextWidth.
    void SetFontName(const QString &name) { fontName_ = name; }
    QString FontName() const { return fontName_; }
    void SetFontSize(float points) { fontSize_ = points; }
    float FontSize() const { return fontSize_; }
    void SetFontBold(bool on) { bold_ = on; }
    bool FontBold() const { return bold_; }
    void SetFontItalic(bool on) { italic_ = on; }
    bool FontItalic() const { return italic_; }

    void SetForeColor(const QColor &color) { foreColor_ = color; }
    QColor ForeColor() const { return foreColor_; }

    // Top-left corner of the next Print.
    void SetCurrentX(float x) { currentX_ = x; }
    float CurrentX() const { return currentX_; }
    void SetCurrentY(float y) { currentY_ = y; }
    float CurrentY() const { return currentY_; }

    // Prints the text at the current position, then moves to the start of
    // the next line. An empty text leaves no mark.
    void Print(const QString &text);
    // Width of the text as Print would put it on the page.
    virtual float TextWidth(const QString &text) = 0;
    virtual void Line(float x1, float y1, float x2, float y2, const QColor &color) = 0;
    // The picture at its own size, top-left corner at (x, y).
    virtual void PaintPicture(const QImage &picture, float x, float y) = 0;

    // Ends the page; a page break just before EndDoc adds no blank page. A
    // device that cannot start, page or finish a document throws
    // PrinterError from the call that found it out.
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    // Abandons the document: nothing of it is printed.
    virtual void KillDoc() = 0;
    // The PDF file the last document went to; empty when it went to a printer.
    virtual QString DocumentFile() const { return {}; }

    // Size of the sheet in the current orientation.
    virtual float Width() = 0;
    virtual float Height() = 0;

    // Job settings, taken over when the next document starts.
    void SetDeviceName(const QString &name) { deviceName_ = name; }
    QString DeviceName() const { return deviceName_; }
    // A PDF file to write instead of printing; empty leaves the choice to
    // the device. The folders made for it (deepest first) are removed,
    // while empty, when it is not written.
    void SetOutputFileName(const QString &path, const QStringList &madeFor = {})
    {
        outputFileName_ = path;
        foldersMadeFor_ = madeFor;
    }
    QString OutputFileName() const { return outputFileName_; }
    QStringList FoldersMadeFor() const { return foldersMadeFor_; }
    // Read by the program, which prints each copy itself.
    void SetCopies(int copies) { copies_ = copies; }
    int Copies() const { return copies_; }
    // Pages of each copy to print, counted from 1; 0 to 0 is all of them.
    // Read by the program, which numbers the pages of a copy itself.
    void SetPageRange(int from, int to)
    {
        fromPage_ = from;
        toPage_ = to;
    }
    bool PageInRange(int page) const
    {
        return (fromPage_ < 1 || page >= fromPage_) && (toPage_ < 1 || page <= toPage_);
    }
    void SetOrientation(PageOrientation orientation) { orientation_ = orientation; }
    PageOrientation Orientation() const { return orientation_; }
    void SetPaperSize(int paper) { paperSize_ = paper; }
    int PaperSize() const { return paperSize_; }
    // Dots per inch.
    void SetPrintQuality(int dpi) { printQuality_ = dpi; }
    int PrintQuality() const { return printQuality_; }

protected:
    virtual void DrawText(float x, float y, const QString &text) = 0;
    virtual float LineHeight() = 0;

private:
    QString fontName_ = QStringLiteral("MS Sans Serif");
    float fontSize_ = 12.0f;
    bool bold_ = false;
    bool italic_ = false;
    QColor foreColor_ = Qt::black;
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;
    QString deviceName_;
    QString outputFileName_;
    QStringList foldersMadeFor_;
    int copies_ = 1;
    int fromPage_ = 0;
    int toPage_ = 0;
    PageOrientation orientation_ = PageOrientation::Portrait;
    int paperSize_ = PaperA4;
    int printQuality_ = 300;
};

// A document that could not be started, paged or finished; the text says
// why, for the teacher.
class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A document the print system took whose end could not be learnt: it may
// be on paper or not. The text says why it is not known.
class PrintFateUnknown : public PrinterError {
public:
    using PrinterError::PrinterError;
};

// The teacher's choice in the printer dialog (PrintDialog.h): the printer
// or the PDF file, the copies and the pages. Applied, it sets them on the
// printer, and always A4 upright at 300 dpi, for the worksheets are laid
// out on nothing else.
struct PrintDialogChoice {
    QString deviceName;
    QString fileName;
    int copies = 1;
    int fromPage = 0, toPage = 0;
    // The folders the dialog made for the file, deepest first.
    QStringList madeFolders;
};

void ApplyPrintDialogChoice(Printer &printer, const PrintDialogChoice &choice);

} // namespace platform
