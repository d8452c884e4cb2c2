#pragma once
// A small file system of the test's own: a tmpfs of a few KiB mounted on a
// temporary folder, holding the files asked for and then left so, filled to
// the last byte, or made read-only, as a small, full or write-protected
// disk or stick. It
// needs root (mount, CAP_SYS_ADMIN); without it Mounted() is false and the
// test skips.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <sys/mount.h>

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

} // namespace lktest
