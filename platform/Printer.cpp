#include "platform/Printer.h"

#include "platform/Services.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>

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

void MakeMissingFolderOnPrint(QPrintDialog &dialog)
{
    // The dialog checks the file in a private slot that its buttons call,
    // and calls a missing folder write-protected; the folder is made first.
    auto *buttons = dialog.findChild<QDialogButtonBox *>(QString(), Qt::FindDirectChildrenOnly);
    auto *fileName = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
    if (!buttons || !fileName || dialog.metaObject()->indexOfMethod("_q_checkFields()") < 0)
        return;
    QObject::disconnect(buttons, &QDialogButtonBox::accepted, &dialog, nullptr);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, fileName] {
        if (fileName->isEnabled()) {
            // The dialog takes a relative name as one in the home folder.
            const QString folder = QFileInfo(QDir::home().absoluteFilePath(fileName->text())).absolutePath();
            if (!QDir().mkpath(folder)) {
                services().messageBox().Show(
                    QStringLiteral("Priečinok %1 neexistuje a nedá sa vytvoriť.").arg(QDir::toNativeSeparators(folder)),
                    MessageStyle::OkOnly | MessageStyle::Critical, dialog.windowTitle());
                return;
            }
        }
        QMetaObject::invokeMethod(&dialog, "_q_checkFields");
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
