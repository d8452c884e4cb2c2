#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "platform/ResourcePath.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFontInfo>
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

QByteArray encoded(const QImage &img, const char *format)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return bytes;
}

TEST(ResourcePath, BackslashesAndAnyCaseNameOneFile)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    writeFile(root + "/Sound/Click.wav", "x");
    writeFile(root + "/Bitmap/Games/check.bmp", "x");
    const QString click = root + "/Sound/Click.wav";
    struct Row { const char *name; QString path, want; };
    const Row rows[] = {
        {"exact", root + "/Sound/Click.wav", click},
        {"backslashes", root + "\\Sound\\Click.wav", click},
        {"other case", root + "\\sound\\click.WAV", click},
        {"nested folders", root + "\\BITMAP\\games\\Check.bmp", root + "/Bitmap/Games/check.bmp"},
        {"missing stays as written, with slashes", root + "\\Sound\\none.wav", root + "/Sound/none.wav"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(resolvePath(r.path), r.want) << r.name;
    EXPECT_TRUE(fileExists(root + "\\SOUND\\click.wav"));
    EXPECT_FALSE(fileExists(root + "\\Sound")) << "a folder is no file";
}

TEST(ResourcePath, CacheFollowsARenamedFile)
{
    QTemporaryDir dir;
    writeFile(dir.path() + "/Data/A.txt", "x");
    EXPECT_EQ(resolvePath(dir.path() + "\\data\\a.txt"), dir.path() + "/Data/A.txt");
    QFile::rename(dir.path() + "/Data/A.txt", dir.path() + "/Data/a.TXT");
    EXPECT_EQ(resolvePath(dir.path() + "\\data\\a.txt"), dir.path() + "/Data/a.TXT");
}

TEST(LoadPicture, ReadsBitmapsIconsAndCursors)
{
    QTemporaryDir dir;
    QImage img(16, 8, QImage::Format_ARGB32);
    img.fill(QColor(255, 0, 255));
    img.setPixelColor(3, 2, QColor(0, 0, 255));
    writeFile(dir.path() + "/Bitmap/Back.BMP", encoded(img, "bmp"));
    writeFile(dir.path() + "/Bitmap/ico.ico", encoded(img.scaled(32, 32), "ico"));
    QByteArray cur = encoded(img.scaled(32, 32), "ico");
    cur[2] = 2;  // a cursor file
    cur[10] = 5; // hotspot x
    cur[12] = 9; // hotspot y
    writeFile(dir.path() + "/Cur/Hand.cur", cur);

    const Picture bmp = LoadPicture(dir.path() + "\\bitmap\\back.bmp");
    ASSERT_FALSE(bmp.isNull());
    EXPECT_EQ(bmp.Width(), 16);
    EXPECT_EQ(QColor(bmp.image().pixel(3, 2)), QColor(0, 0, 255));
    const QImage keyed = bmp.withTransparentKey();
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0) << "key colour becomes transparent";
    EXPECT_EQ(qAlpha(keyed.pixel(3, 2)), 255);

    EXPECT_EQ(LoadPicture(dir.path() + "\\Bitmap\\ICO.ICO").Width(), 32);
    const Picture hand = LoadPicture(dir.path() + "\\cur\\hand.cur");
    ASSERT_FALSE(hand.isNull());
    EXPECT_EQ(hand.hotspot(), QPoint(5, 9));

    EXPECT_TRUE(LoadPicture("").isNull());
    EXPECT_TRUE(LoadPicture(dir.path() + "\\Bitmap\\none.bmp").isNull());
    writeFile(dir.path() + "/bad.bmp", "not a picture");
    EXPECT_TRUE(LoadPicture(dir.path() + "/bad.bmp").isNull());
}

TEST(Fonts, PointsArePixelsOfA96DpiScreen)
{
    struct Row { double points; int pixels; double readBack; };
    const Row rows[] = {{12, 16, 12}, {10, 13, 9.75}, {8, 11, 8.25}, {9.6, 13, 9.75}};
    for (const Row &r : rows) {
        EXPECT_EQ(pointsToPixels(r.points), r.pixels) << r.points;
        EXPECT_DOUBLE_EQ(pixelsToPoints(pointsToPixels(r.points)), r.readBack) << r.points;
    }
    const QFont design = makeFont(kDesignFont, 12, false);
    EXPECT_EQ(QFontInfo(design).family(), "DejaVu Sans") << "the design font is the bundled one";
    EXPECT_EQ(QFontInfo(design).pixelSize(), 16);
    EXPECT_EQ(mapFontFamily("Ruvo"), "Ruvo");
}

} // namespace
