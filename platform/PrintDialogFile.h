#pragma once
// The PDF file of the print dialog: what a name typed there means (one
// without a folder is in the home folder, "~/" at its start the home
// folder, "~user/" that user's, as in the file chooser), the checks it
// passes before the dialog closes, and the file chooser that picks one.
#include <QString>
#include <QStringList>

#include <optional>

class QLineEdit;
class QWidget;

namespace platform {

struct CheckedPdfFile {
    QString path;
    // The folders made for it, deepest first.
    QStringList madeFolders;
};

// The file named in `field` of the dialog titled `title`, ready to be
// written, its missing folders made; or nothing when it cannot be or the
// teacher would not write over it, why said while the dialog stays, and
// nothing left made. ".pdf" is added in `field` to a name that lacks it.
std::optional<CheckedPdfFile> CheckPdfFile(QLineEdit &field, const QString &title);

// The file picked in a file chooser over `dialog`, which opens on the
// folder of the file `typed` names, or the nearest of its folders there
// (none is made for looking); nothing when cancelled.
std::optional<QString> ChoosePdfFile(const QString &typed, QWidget *dialog);

} // namespace platform
