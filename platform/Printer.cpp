#include "platform/Printer.h"

#include "platform/Services.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>

#include <optional>

namespace platform {

void Printer::Print(const QString &text)
{
    DrawText(currentX_, currentY_, text);
    currentX_ = 0.0f;
    currentY_ += LineHeight();
}

PrintDialogChoice ChoiceFromDialog(const QPrinter &dialogPrinter)
{
    PrintDialogChoice choice;
    if (dialogPrinter.outputFormat() == QPrinter::NativeFormat) {
        choice.deviceName = dialogPrinter.printerName();
    } else {
        // A file asked for without a name (some dialogs offer the home
        // folder as one) must still not reach a printer.
        const QFileInfo file(dialogPrinter.outputFileName());
        choice.fileName = file.fileName().isEmpty() || file.isDir() ? DefaultPdfPath() : file.filePath();
    }
    choice.copies = qMax(1, dialogPrinter.copyCount());
    if (dialogPrinter.printRange() == QPrinter::PageRange) {
        choice.fromPage = dialogPrinter.fromPage();
        choice.toPage = dialogPrinter.toPage();
    }
    return choice;
}

void StartOnNextWorksheetFile(QPrinter &dialogPrinter)
{
    const QString printerName =
        dialogPrinter.outputFormat() == QPrinter::NativeFormat ? dialogPrinter.printerName() : QString();
    // Naming a PDF file switches the printer to PDF output.
    dialogPrinter.setOutputFileName(DefaultPdfPath());
    if (!printerName.isEmpty()) {
        dialogPrinter.setOutputFormat(QPrinter::NativeFormat);
        dialogPrinter.setPrinterName(printerName);
    }
}

namespace {

// Why the file named in the dialog cannot be written, for the teacher;
// empty when it can. A name without an extension gets ".pdf" first, and a
// missing folder is made.
QString FileRefusal(QLineEdit &fileName)
{
    QString name = fileName.text();
    // The dialog takes a relative name as one in the home folder.
    QFileInfo file(QDir::home().absoluteFilePath(name));
    if (!file.fileName().isEmpty() && file.suffix().isEmpty() && !file.isDir()) {
        name += name.endsWith(QLatin1Char('.')) ? QStringLiteral("pdf") : QStringLiteral(".pdf");
        fileName.setText(name);
        file.setFile(QDir::home().absoluteFilePath(name));
    }
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (!QDir().mkpath(file.absolutePath()))
        return QStringLiteral("Priečinok %1 neexistuje a nedá sa vytvoriť.").arg(folder);
    // Qt would call the new file write-protected.
    if (!file.exists() && !QFileInfo(file.absolutePath()).isWritable())
        return QStringLiteral("Do priečinka %1 sa nedá zapisovať.\nVyberte iný priečinok.").arg(folder);
    return {};
}

// The printer, copies and pages the dialog shows; nothing when the pages
// typed are no list of pages, which is said while the dialog stays.
std::optional<PrintDialogChoice> PrinterChoice(QPrintDialog &dialog, const QString &printer)
{
    PrintDialogChoice choice;
    choice.deviceName = printer;
    if (auto *copies = dialog.findChild<QSpinBox *>(QStringLiteral("copies")))
        choice.copies = qMax(1, copies->value());
    const auto checked = [&dialog](const char *name) {
        auto *button = dialog.findChild<QRadioButton *>(QLatin1String(name));
        return button && button->isEnabled() && button->isChecked();
    };
    auto *from = dialog.findChild<QSpinBox *>(QStringLiteral("from"));
    auto *to = dialog.findChild<QSpinBox *>(QStringLiteral("to"));
    auto *pages = dialog.findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"));
    if (checked("printRange") && from && to) {
        choice.fromPage = from->value();
        choice.toPage = qMax(from->value(), to->value());
    } else if (checked("pagesRadioButton") && pages) {
        const QPageRanges ranges = QPageRanges::fromString(pages->text());
        if (ranges.isEmpty()) {
            services().messageBox().Show(
                QCoreApplication::translate("QPrintDialog",
                                            "%1 does not follow the correct syntax. Please use ',' to separate "
                                            "ranges and pages, '-' to define ranges and make sure ranges do not "
                                            "intersect with each other.")
                    .arg(pages->text()),
                MessageStyle::OkOnly | MessageStyle::Critical, dialog.windowTitle());
            return std::nullopt;
        }
        choice.fromPage = ranges.firstPage();
        choice.toPage = ranges.lastPage();
    }
    return choice;
}

} // namespace

void HandlePrintButton(QPrintDialog &dialog, PrintDialogChoice &choice)
{
    // The dialog checks the file in a private slot that its buttons call;
    // what it would say wrongly is found out first.
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QString(), Qt::FindDirectChildrenOnly);
    auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("printers"));
    if (!buttons || !fileName || !printers || dialog.metaObject()->indexOfMethod("_q_checkFields()") < 0) {
        QObject::connect(&dialog, &QDialog::accepted, &dialog,
                         [&dialog, &choice] { choice = ChoiceFromDialog(*dialog.printer()); });
        return;
    }
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, &choice, fileName, printers] {
        if (!fileName->isEnabled()) {
            if (const std::optional<PrintDialogChoice> printer = PrinterChoice(dialog, printers->currentText())) {
                choice = *printer;
                dialog.done(QDialog::Accepted);
            }
            return;
        }
        if (const QString why = FileRefusal(*fileName); !why.isEmpty()) {
            services().messageBox().Show(why, MessageStyle::OkOnly | MessageStyle::Critical, dialog.windowTitle());
            return;
        }
        QMetaObject::invokeMethod(&dialog, "_q_checkFields");
        if (dialog.result() == QDialog::Accepted)
            choice = ChoiceFromDialog(*dialog.printer());
    });
}

void ApplyPrintDialogChoice(Printer &printer, const PrintDialogChoice &choice)
{
    printer.SetDeviceName(choice.deviceName);
    printer.SetOutputFileName(choice.fileName);
    printer.SetCopies(choice.copies);
    printer.SetPageRange(choice.fromPage, choice.toPage);
    printer.SetOrientation(PageOrientation::Portrait);
    printer.SetPaperSize(PaperA4);
    printer.SetPrintQuality(300);
}

} // namespace platform
