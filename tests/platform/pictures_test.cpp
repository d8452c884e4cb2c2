#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "platform/ResourcePath.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(ResourcePath, BackslashesAndAnyCaseNameOneFile)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + "/Bitmap/Games/Click.wav", "x");
    EXPECT_EQ(resolvePath(root + "\\BITMAP\\games\\click.WAV"), root + "/Bitmap/Games/Click.wav");
    EXPECT_EQ(resolvePath(root + "\\Sound\\none.wav"), root + "/Sound/none.wav") << "missing stays as written";
    EXPECT_TRUE(fileExists(root + "\\bitmap\\GAMES\\click.wav"));
    EXPECT_FALSE(fileExists(root + "\\Bitmap")) << "a folder is no file";
    QFile::rename(root + "/Bitmap/Games/Click.wav", root + "/Bitmap/Games/click.WAV");
    EXPECT_EQ(resolvePath(root + "\\bitmap\\games\\click.wav"), root + "/Bitmap/Games/click.WAV")
        << "a renamed file is found";
}

TEST(LoadPicture, ReadsBitmapsAndCursors)
{
    QTemporaryDir dir;
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(QColor(255, 0, 255));
    img.setPixelColor(3, 2, QColor(0, 0, 255));
    ASSERT_TRUE(img.save(dir.filePath("Back.BMP"), "bmp"));
    QByteArray cur;
    QBuffer buf(&cur);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "ico");
    cur[2] = 2;  // a cursor file
    cur[10] = 5; // hotspot x
    cur[12] = 9; // hotspot y
    writeFile(dir.filePath("Hand.cur"), cur);
    writeFile(dir.filePath("bad.bmp"), "not a picture");

    const Picture bmp = LoadPicture(dir.path() + "\\back.bmp");
    const QImage keyed = bmp.withTransparentKey();
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0) << "key colour becomes transparent";
    EXPECT_EQ(keyed.pixelColor(3, 2), QColor(0, 0, 255));
    EXPECT_EQ(LoadPicture(dir.path() + "\\hand.cur").hotspot(), QPoint(5, 9));
    EXPECT_TRUE(LoadPicture(dir.path() + "\\none.bmp").isNull());
    EXPECT_TRUE(LoadPicture(dir.filePath("bad.bmp")).isNull());
}

TEST(Fonts, PointsArePixelsOfA96DpiScreenInTheBundledDesignFace)
{
    // 10 points reading back as 9.75 is checked with the cloned label's font.
    EXPECT_EQ(pointsToPixels(9.6), 13) << "a scaled screen's size rounds to whole pixels";
    EXPECT_EQ(makeFont(kDesignFont, 12, false).family(), "DejaVu Sans") << "whatever this machine falls back to";
}

} // namespace
