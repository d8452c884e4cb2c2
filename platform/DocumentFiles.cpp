#include "platform/DocumentFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

DocumentWriter *writer = nullptr;

// Only a program that never handed its writer over gets here.
QString NoWriter() { return QStringLiteral("program nemá čím zapisovať."); }

} // namespace

void UseDocumentWriter(DocumentWriter &documentWriter) { writer = &documentWriter; }

// The safe write replaces the name it is given, and a link is a name of its
// own: the file it names is what the teacher means.
QString DocumentTarget(const QString &path)
{
    const QFileInfo named(path);
    if (!named.isSymLink())
        return path;
    return named.exists() ? named.canonicalFilePath() : named.symLinkTarget();
}

QString SaveDocument(const QString &path, const QByteArray &pdf)
{
    const QString why = writer ? writer->Replace(DocumentTarget(path), pdf) : NoWriter();
    if (why.isEmpty())
        return {};
    return QStringLiteral("Súbor %1 sa nepodarilo uložiť: %2").arg(QDir::toNativeSeparators(path), why);
}

void RemoveEmptyFolders(const QStringList &folders)
{
    // rmdir takes an empty folder only, never one a link names.
    for (const QString &folder : folders)
        ::rmdir(QFile::encodeName(folder).constData());
}

int TemporaryDocument(const QByteArray &pdf, QString &why)
{
    if (!writer) {
        why = NoWriter();
        return -1;
    }
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
    int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // A file system without unnamed files: the name goes at once.
        QByteArray name = folder + "/kvantira2-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0)
            ::unlink(name.constData());
    }
    if (fd >= 0 && writer->WriteWhole(fd, pdf) && ::lseek(fd, 0, SEEK_SET) == 0)
        return fd;
    why = writer->Why(errno);
    if (fd >= 0)
        ::close(fd);
    return -1;
}

} // namespace platform
