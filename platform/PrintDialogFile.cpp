#include "platform/PrintDialogFile.h"

#include "platform/DocumentFiles.h"
#include "platform/Services.h"
#include "platform/Stage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QLocale>
#include <QScopeGuard>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

QString Native(const QString &path) { return QDir::toNativeSeparators(path); }

// The home folder of the user named, as the system knows it; nothing for a
// user it does not know.
std::optional<QString> HomeOf(const QString &user)
{
    const QByteArray name = QFile::encodeName(user);
    std::vector<char> buffer(4096);
    passwd entry{};
    passwd *found = nullptr;
    int error = 0;
    while ((error = ::getpwnam_r(name.constData(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (error != 0 || !found || !*entry.pw_dir)
        return std::nullopt;
    return QFile::decodeName(entry.pw_dir);
}

// The file a name typed in the dialog means: one without a folder is in the
// home folder, and "~/" at its start is the home folder, "~user/" that
// user's, as in the file chooser. A user the system does not know is put in
// `unknownUser`, and the name is then left as typed.
QFileInfo Typed(const QString &name, QString *unknownUser = nullptr)
{
    QString path = QDir::fromNativeSeparators(name.trimmed());
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/"))) {
        path = QDir::homePath() + path.mid(1);
    } else if (path.startsWith(QLatin1Char('~')) && slash > 1) {
        const QString user = path.mid(1, slash - 1);
        if (const std::optional<QString> home = HomeOf(user))
            path = *home + path.mid(slash);
        else if (unknownUser)
            *unknownUser = user;
    }
    return QFileInfo(QDir::home().absoluteFilePath(path));
}

// The nearest of the folders on the path that is there: where the missing
// ones would be made, and what a chooser can show.
QString NearestFolderThere(QString path)
{
    while (!QFileInfo(path).isDir()) {
        const QString up = QFileInfo(path).absolutePath();
        if (up == path)
            break;
        path = up;
    }
    return path;
}

// Whether the last part of a path names no file: empty (a folder's "/"),
// dots, or the extension alone, which would be written as a hidden file.
bool NamesNoFile(QString name)
{
    if (name.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        name.chop(4);
    while (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    return name.isEmpty();
}

// The outermost of the file and the folders still to be made for it whose
// name is longer, in bytes, than the file system of the nearest folder
// there takes: said before any folder is made. Empty when none is.
QString LongerThanItsFolderTakes(const QFileInfo &file)
{
    const QString there = NearestFolderThere(file.absolutePath());
    const long longest = ::pathconf(QFile::encodeName(there).constData(), _PC_NAME_MAX);
    QString tooLong;
    if (longest <= 0)
        return tooLong;
    for (QString part = file.absoluteFilePath(); part.size() > there.size(); part = QFileInfo(part).absolutePath())
        if (QFile::encodeName(QFileInfo(part).fileName()).size() > longest)
            tooLong = part;
    return tooLong;
}

// The file chooser's sizes and times of files in Slovak whatever the
// machine's language: Qt's file model writes them in the system's.
class SlovakFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != 1 && index.column() != 3))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        const QLocale slovak(QLocale::Slovak);
        if (index.column() == 3)
            return slovak.toString(files->lastModified(file), QLocale::ShortFormat);
        return files->isDir(file) ? QString() : slovak.formattedDataSize(files->size(file));
    }
};

} // namespace

std::optional<QString> ChoosePdfFile(const QString &typed, QWidget *dialog)
{
    const QFileInfo now = Typed(typed);
    // The folder is made when a file is written there, not for looking.
    QFileDialog chooser(dialog, QStringLiteral("Súbor pre pracovný list"), NearestFolderThere(now.absolutePath()),
                        QStringLiteral("Dokumenty PDF (*.pdf)"));
    chooser.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    chooser.setProxyModel(new SlovakFileDetails(&chooser));
    // Qt names the kinds of files in the default locale's language: Slovak
    // while the chooser is open.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Slovak));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(QStringLiteral("pdf"));
    chooser.selectFile(now.fileName());
    // The names take the width the sizes, kinds and times leave them whole,
    // so the list needs no bar to scroll sideways on a screen the program
    // fills at a large scale.
    for (QHeaderView *columns : chooser.findChildren<QHeaderView *>()) {
        columns->setSectionResizeMode(QHeaderView::ResizeToContents);
        columns->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    if (Stage::runDialog(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return Native(chooser.selectedFiles().constFirst());
}

std::optional<CheckedPdfFile> CheckPdfFile(QLineEdit &field, const QString &title)
{
    MessageBox &box = services().messageBox();
    const auto refused = [&](const QString &why) -> std::optional<CheckedPdfFile> {
        box.Show(why, MessageStyle::OkOnly | MessageStyle::Critical, title);
        return std::nullopt;
    };
    QString name = field.text().trimmed();
    if (name.isEmpty())
        return refused(QStringLiteral("Napíšte názov súboru, do ktorého sa má pracovný list uložiť."));
    QString unknownUser;
    QFileInfo file = Typed(name, &unknownUser);
    if (!unknownUser.isEmpty())
        return refused(QStringLiteral("Používateľ %1 neexistuje, preto ~%1/ neoznačuje žiadny domovský priečinok.\n"
                                      "Napíšte iný názov súboru.")
                           .arg(unknownUser));
    if (file.isDir())
        return refused(QStringLiteral("%1 je priečinok.\nNapíšte aj názov súboru.").arg(Native(file.filePath())));
    if (NamesNoFile(file.fileName()))
        return refused(QStringLiteral("%1 nie je názov súboru.\nNapíšte aj názov súboru.").arg(Native(file.filePath())));
    if (file.fileName().startsWith(QLatin1Char('.')))
        return refused(QStringLiteral("%1 by bol skrytý súbor, lebo jeho názov začína bodkou.\nNapíšte názov "
                                      "súboru bez bodky na začiatku.")
                           .arg(Native(file.filePath())));
    if (!file.fileName().endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) {
        name += name.endsWith(QLatin1Char('.')) ? QStringLiteral("pdf") : QStringLiteral(".pdf");
        field.setText(name);
        file = Typed(name);
    }
    if (const QString tooLong = LongerThanItsFolderTakes(file); !tooLong.isEmpty()) {
        const QString what = tooLong == file.absoluteFilePath() ? QStringLiteral("súboru") : QStringLiteral("priečinka");
        return refused(QStringLiteral("Názov %1 %2 je dlhší, než aký súborový systém dovoľuje.\nNapíšte kratší názov.")
                           .arg(what, Native(tooLong)));
    }
    // The folders made here go again where no file is written in them.
    QStringList made;
    for (QString folder = file.absolutePath(); !QFileInfo::exists(folder); folder = QFileInfo(folder).absolutePath())
        made << folder;
    auto unmake = qScopeGuard([&] { RemoveEmptyFolders(made); });
    if (!QDir().mkpath(file.absolutePath()))
        return refused(QStringLiteral("Priečinok %1 neexistuje a nedá sa vytvoriť.").arg(Native(file.absolutePath())));
    // The file is written in its folder, the one a link leads to, by a new
    // file renamed over it: a folder that takes no new file is said first.
    const QFileInfo written(DocumentTarget(file.absoluteFilePath()));
    if (!QFileInfo(written.absolutePath()).isWritable())
        return refused(QStringLiteral("Do priečinka %1 sa nedá zapisovať.\nVyberte iný priečinok.")
                           .arg(Native(written.absolutePath())));
    const QString path = Native(file.absoluteFilePath());
    if (file.exists() && (!file.isFile() || !file.isWritable()))
        return refused(QStringLiteral("Súbor %1 sa nedá prepísať.\nVyberte iný názov súboru.").arg(path));
    if (file.exists()
        && box.Show(QStringLiteral("Súbor %1 už existuje.\nChcete ho prepísať?").arg(path),
                    MessageStyle::YesNo | MessageStyle::Question, title)
               != MessageAnswer::Yes)
        return std::nullopt;
    unmake.dismiss();
    return CheckedPdfFile{file.absoluteFilePath(), made};
}

} // namespace platform
