// Sound playback: files that cannot be played stay silent, good files are
// loaded once and kept.
#include "platform/Sound.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// A short, valid 8-bit mono WAV file of silence.
void WriteWav(const QString &path)
{
    const QByteArray samples(800, char(0x80));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    file.write("RIFF");
    out << quint32(36 + samples.size());
    file.write("WAVEfmt ");
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(8000) << quint16(1) << quint16(8);
    file.write("data");
    out << quint32(samples.size());
    file.write(samples);
}

} // namespace

TEST(QtSound, OnlyPlayableFilesAreKeptAndNoneFails)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("Sound");
    WriteWav(dir.filePath("Sound/click.wav"));
    const QString garbage = dir.filePath("broken.wav");
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a sound at all");
    file.close();
    const QString unreadable = dir.filePath("locked.wav");
    WriteWav(unreadable);
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);

    struct Row { const char *name; QString path; bool kept; };
    const Row rows[] = {
        {"good file named with backslashes", dir.path() + "\\Sound\\click.wav", true},
        {"missing file", dir.filePath("Sound\\enter.wav"), false},
        {"a directory", dir.path(), false},
        {"unreadable file", unreadable, QFileInfo(unreadable).isReadable()},
        {"file that is no WAV", garbage, true},
    };
    QtSound sound;
    for (const Row &row : rows) {
        sound.Play(row.path);
        sound.Play(row.path); // a second try must not fail either
        EXPECT_EQ(sound.IsCached(row.path), row.kept) << row.name;
    }
    EXPECT_TRUE(sound.IsCached(dir.filePath("Sound/click.wav"))) << "one entry whatever the separators";
}
