// Sound playback: files that cannot be played stay silent, good files are
// loaded once and kept.
#include "platform/Sound.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

TEST(QtSound, OnlyPlayableFilesAreKeptAndNoneFails)
{
    QTemporaryDir dir;
    const QString good = QStringLiteral(LK_RESOURCE_DIR "/Sound/click.wav");
    const QString garbage = QStringLiteral(LK_RESOURCE_DIR "/Cur/Hand.cur");
    const QString unreadable = dir.filePath("locked.wav");
    ASSERT_TRUE(QFile::copy(good, unreadable));
    QFile::setPermissions(unreadable, QFileDevice::WriteOwner);

    struct Row { const char *name; QString path; bool kept; };
    const Row rows[] = {
        {"good file named with backslashes", QStringLiteral(LK_RESOURCE_DIR "\\Sound\\click.wav"), true},
        {"missing file", dir.filePath("Sound\\enter.wav"), false},
        {"a directory", dir.path(), false},
        {"unreadable file", unreadable, QFileInfo(unreadable).isReadable()},
        {"file that is no sound", garbage, true},
    };
    QtSound sound;
    for (const Row &row : rows) {
        sound.Play(row.path);
        sound.Play(row.path); // a second try must not fail either
        EXPECT_EQ(sound.IsCached(row.path), row.kept) << row.name;
    }
    EXPECT_TRUE(sound.IsCached(good)) << "one entry whatever the separators";
}
