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
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QThread>

#include <QProcess>

#include <fcntl.h>
#include <map>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace lktest {

// Runs a tool that makes or mounts a disk; false with `why` set when it fails.
inline bool Run(const QString &program, const QStringList &arguments, QString &why)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, arguments);
    if (p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    why = program + QStringLiteral(" failed: ") + p.errorString() + QLatin1Char(' ')
          + QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    return false;
}

// The files of a folder, to carry them onto a disk mounted over it.
inline std::map<QString, QByteArray> FilesIn(const QString &folder)
{
    const QDir from(folder);
    std::map<QString, QByteArray> files;
    for (const QString &name : from.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(from.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files[name] = file.readAll();
    }
    return files;
}

inline bool PutInto(const QString &folder, const std::map<QString, QByteArray> &files)
{
    for (const auto &[name, bytes] : files) {
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

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
        if (!Run(QStringLiteral("mkfs.ext2"), {"-q", "-F", "-I", "128", image}, why_))
            return;
        const std::map<QString, QByteArray> kept = FilesIn(folder);
        if (!Run(QStringLiteral("mount"), {"-o", "loop", image, folder}, why_))
            return;
        onIt_ = true;
        QDir(folder).rmdir(QStringLiteral("lost+found"));
        mounted_ = PutInto(folder, kept);
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
    QString folder_, why_;
    QTemporaryDir dir_;
    bool mounted_ = false, onIt_ = false;
};

// A folder on a FUSE file system of the test's own (bindfs over another
// temporary folder), as a network's often is: it makes no unnamed files
// (O_TMPFILE), and a file removed while open stays there, hidden, until it
// is closed. It needs bindfs and /dev/fuse; without them Mounted() is false.
//
// Or a FAT file system, an image made by mkfs.fat and mounted through
// fusefat over a folder given, the files that were in it carried onto it:
// a USB stick or a FAT partition as a class's folder. It keeps no modes,
// owners or links (chmod fails with ENOSYS, link with EPERM), no birth
// times and times in whole seconds, and it refuses a write that starts at
// the end of a file it did not just make (EPERM); a file written through a
// handle opened before the file was renamed spoils the folder's entries. It
// needs fusefat,
// mkfs.fat and /dev/fuse; without them Mounted() is false and Why() says
// what is missing.
//
// Or FAT's rules without fusefat's faults (FatRules): the tests' own file
// system (tests/support/fat_disk.c) over another temporary folder, mounted
// over a folder given with the files that were in it carried onto it. It
// keeps no modes (ENOSYS), owners or links (EPERM), no birth times and
// times in whole seconds; it refuses a write that starts at the end of a
// file its open did not make, and a write past its size, with EPERM; with
// tellsSize false, statvfs tells no size (0 blocks). Or bindfs with
// options of its own over a folder given (--chmod-deny: every chmod
// refused with EPERM).
class FuseDisk {
public:
    FuseDisk() : path_(folder_.path()), program_(QStringLiteral("bindfs")), arguments_{under_.path(), path_}
    {
        mounted_ = Run(program_, arguments_, why_);
    }
    struct Fat {};
    FuseDisk(Fat, const QString &folder, int mib = 16) : path_(folder)
    {
        const QString image = under_.filePath(QStringLiteral("fat.img"));
        QFile f(image);
        if (::access("/dev/fuse", R_OK | W_OK) != 0)
            why_ = QStringLiteral("no /dev/fuse");
        else if (!under_.isValid() || !f.open(QIODevice::WriteOnly) || !f.resize(qint64(mib) << 20))
            why_ = QStringLiteral("no room for the image");
        if (!why_.isEmpty())
            return;
        f.close();
        const std::map<QString, QByteArray> kept = FilesIn(folder);
        // fusefat says nothing when the mount fails: the folder tells.
        mounted_ = Run(QStringLiteral("mkfs.fat"), {image}, why_)
                   && Run(QStringLiteral("fusefat"), {"-o", "rw+,nonempty", image, folder}, why_) && OnFuse(folder);
        if (mounted_)
            carried_ = PutInto(folder, kept);
        else if (why_.isEmpty())
            why_ = QStringLiteral("fusefat mounted nothing");
    }
    struct FatRules {
        bool tellsSize = true;
    };
    FuseDisk(FatRules rules, const QString &folder, int mib = 16) : path_(folder)
    {
        const QString program = QStringLiteral(LK_FAT_DISK);
        if (program.isEmpty()) {
            why_ = QStringLiteral("fat_disk was not built: no libfuse (libfuse-dev)");
            return;
        }
        QString options = QStringLiteral("nonempty,size=%1").arg(qint64(mib) << 20);
        if (!rules.tellsSize)
            options += QStringLiteral(",nosize");
        MountOver(folder, program, {under_.path(), folder, "-s", "-o", options});
    }
    // bindfs over a folder given, the files that were in it carried onto it.
    explicit FuseDisk(const QString &folder, const QStringList &bindfsOptions = {}) : path_(folder)
    {
        MountOver(folder, QStringLiteral("bindfs"), bindfsOptions + QStringList{"-o", "nonempty", under_.path(), folder});
    }
    ~FuseDisk()
    {
        if (mounted_ && QProcess::execute(QStringLiteral("fusermount"), {"-u", path_}) != 0)
            ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    }
    FuseDisk(const FuseDisk &) = delete;
    FuseDisk &operator=(const FuseDisk &) = delete;

    bool Mounted() const { return mounted_ && carried_; }
    static bool OnFuse(const QString &folder)
    {
        struct statfs fs {};
        return ::statfs(QFile::encodeName(folder).constData(), &fs) == 0 && fs.f_type == 0x65735546; // FUSE_SUPER_MAGIC
    }
    QString Why() const { return why_; }
    QString Path() const { return path_; }
    // The process (bindfs or fat_disk) that serves the disk; 0 where none
    // is found. Killed, it leaves the disk mounted, every call on it
    // failing with ENOTCONN, as a disk whose program died does.
    pid_t Process() const
    {
        const QByteArray under = QFile::encodeName(under_.path()), path = QFile::encodeName(path_);
        const QByteArray name = QFile::encodeName(QFileInfo(program_).fileName());
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            const QList<QByteArray> arguments =
                cmdline.open(QIODevice::ReadOnly) ? cmdline.readAll().split('\0') : QList<QByteArray>();
            if (!name.isEmpty() && arguments.value(0).endsWith(name) && arguments.contains(under)
                && arguments.contains(path))
                return pid.toInt();
        }
        return 0;
    }
    // A bindfs or fat_disk disk whose process died mounted again over the
    // same files.
    bool Remount()
    {
        if (QProcess::execute(QStringLiteral("fusermount"), {"-u", path_}) != 0)
            ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
        return mounted_ = !program_.isEmpty() && Run(program_, arguments_, why_) && OnFuse(path_);
    }
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
    void MountOver(const QString &folder, const QString &program, const QStringList &arguments)
    {
        if (::access("/dev/fuse", R_OK | W_OK) != 0) {
            why_ = QStringLiteral("no /dev/fuse");
            return;
        }
        const std::map<QString, QByteArray> kept = FilesIn(folder);
        program_ = program, arguments_ = arguments;
        mounted_ = Run(program, arguments, why_) && OnFuse(folder);
        if (mounted_)
            carried_ = PutInto(folder, kept);
        else if (why_.isEmpty())
            why_ = program + QStringLiteral(" mounted nothing");
    }

    QTemporaryDir under_, folder_;
    QString path_, why_;
    QString program_;       // what serves the disk and what it was started with,
    QStringList arguments_; // for a mount again (fusefat's are not kept)
    bool mounted_ = false, carried_ = true;
};

} // namespace lktest
