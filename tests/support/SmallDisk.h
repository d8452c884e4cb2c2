#pragma once
// A small file system of the test's own: a tmpfs of a few KiB mounted on a
// temporary folder, holding the files asked for and then left so, filled to
// the last byte, or made read-only, as a small, full or write-protected
// disk or stick. It
// needs root (mount, CAP_SYS_ADMIN); without it Mounted() is false and the
// test skips.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <QProcess>

#include <fcntl.h>
#include <map>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lktest {

class SmallDisk {
public:
    enum class Mode { AsIs, Full, ReadOnly };

    explicit SmallDisk(Mode mode, const std::map<QString, QByteArray> &files = {}, int kib = 16)
    {
        const QByteArray path = QFile::encodeName(dir_.path());
        const QByteArray size = "size=" + QByteArray::number(kib) + "k";
        mounted_ = onIt_ = dir_.isValid() && ::mount("tmpfs", path.constData(), "tmpfs", 0, size.constData()) == 0;
        if (!onIt_)
            return;
        for (const auto &[name, bytes] : files) {
            QFile f(FilePath(name));
            mounted_ = mounted_ && f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        }
        if (mode == Mode::Full) {
            // Written until the disk takes no more.
            QFile filler(FilePath(Filler));
            const QByteArray block(512, 'x');
            if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                while (filler.write(block) > 0) {
                }
        } else if (mode == Mode::ReadOnly) {
            mounted_ = mounted_
                       && ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, size.constData()) == 0;
        }
    }
    ~SmallDisk()
    {
        if (onIt_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool Mounted() const { return mounted_; }
    QString Path() const { return dir_.path(); }
    QString FilePath(const QString &name) const { return dir_.filePath(name); }
    // What is on it, but what filled it.
    QStringList Files() const
    {
        QStringList files = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        files.removeAll(Filler);
        return files;
    }

private:
    static inline const QString Filler = QStringLiteral(".vypln");
    QTemporaryDir dir_;
    bool mounted_ = false, onIt_ = false;
};

// A small ext2 file system mounted over `folder`, the files that were in it
// carried onto it: a disk that keeps no birth time (its 128-byte inodes have
// no room for one) and gives a freed inode number out again at once, as an
// ext3 or an older shared folder does. It needs root, mkfs.ext2 and a loop
// device; without them Mounted() is false and Why() says what failed.
class Ext2Disk {
public:
    explicit Ext2Disk(const QString &folder, int mib = 8) : folder_(folder)
    {
        const QString image = dir_.filePath(QStringLiteral("disk.img"));
        QFile f(image);
        if (!dir_.isValid() || !f.open(QIODevice::WriteOnly) || !f.resize(qint64(mib) << 20)) {
            why_ = QStringLiteral("no room for the image");
            return;
        }
        f.close();
        if (!Run(QStringLiteral("mkfs.ext2"), {"-q", "-F", "-I", "128", image}))
            return;
        const QDir from(folder);
        const QStringList files = from.entryList(QDir::Files | QDir::Hidden);
        std::map<QString, QByteArray> kept;
        for (const QString &name : files) {
            QFile file(from.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                kept[name] = file.readAll();
        }
        if (!Run(QStringLiteral("mount"), {"-o", "loop", image, folder}))
            return;
        onIt_ = true;
        from.rmdir(QStringLiteral("lost+found"));
        mounted_ = true;
        for (const auto &[name, bytes] : kept) {
            QFile file(from.filePath(name));
            mounted_ = mounted_ && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
    }
    ~Ext2Disk()
    {
        // The loop device goes with the last use of the mount.
        if (onIt_)
            ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    Ext2Disk(const Ext2Disk &) = delete;
    Ext2Disk &operator=(const Ext2Disk &) = delete;

    bool Mounted() const { return mounted_; }
    QString Why() const { return why_; }
    // Whether the system tells the birth time of a file made on it.
    bool KeepsBirthTimes() const
    {
        const QByteArray path = QFile::encodeName(folder_);
        struct statx sx {};
        return ::statx(AT_FDCWD, path.constData(), 0, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME);
    }

private:
    bool Run(const QString &program, const QStringList &arguments)
    {
        QProcess p;
        p.start(program, arguments);
        if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return true;
        why_ = program + QStringLiteral(" failed: ") + p.errorString() + QLatin1Char(' ')
               + QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return false;
    }

    QString folder_, why_;
    QTemporaryDir dir_;
    bool mounted_ = false, onIt_ = false;
};

// A folder on a FUSE file system of the test's own (bindfs over another
// temporary folder), as a network's often is: it makes no unnamed files
// (O_TMPFILE), and a file removed while open stays there, hidden, until it
// is closed. It needs bindfs and /dev/fuse; without them Mounted() is false.
class FuseDisk {
public:
    FuseDisk()
    {
        QProcess bindfs;
        bindfs.start(QStringLiteral("bindfs"), {under_.path(), folder_.path()});
        mounted_ = bindfs.waitForFinished() && bindfs.exitStatus() == QProcess::NormalExit && bindfs.exitCode() == 0;
    }
    ~FuseDisk()
    {
        if (mounted_ && QProcess::execute(QStringLiteral("fusermount"), {"-u", folder_.path()}) != 0)
            ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
    }
    FuseDisk(const FuseDisk &) = delete;
    FuseDisk &operator=(const FuseDisk &) = delete;

    bool Mounted() const { return mounted_; }
    QString Path() const { return folder_.path(); }
    bool MakesUnnamedFiles() const
    {
        const int fd = ::open(QFile::encodeName(folder_.path()).constData(), O_TMPFILE | O_RDWR, 0600);
        if (fd >= 0)
            ::close(fd);
        return fd >= 0;
    }
    // What lies in it, as the disk beneath has it: FUSE's hidden names of
    // files removed while open (".fuse_hidden...") included.
    QStringList Files() const
    {
        return QDir(under_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    // The same once the hidden files of the files closed are gone: FUSE
    // hears of a close only after it.
    QStringList FilesAfterCloses() const
    {
        const QDeadlineTimer deadline(10000);
        while (!Files().filter(QStringLiteral(".fuse_hidden")).isEmpty() && !deadline.hasExpired())
            QThread::msleep(10);
        return Files();
    }

private:
    QTemporaryDir under_, folder_;
    bool mounted_ = false;
};

} // namespace lktest
