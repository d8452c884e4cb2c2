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
    struct Row { const char *name; QString path, want; };
    const Row rows[] = {
        {"backslashes and other case", root + "\\sound\\click.WAV", root + "/Sound/Click.wav"},
        {"nested folders", root + "\\BITMAP\\games\\Check.bmp", root + "/Bitmap/Games/check.bmp"},
        {"missing stays as written, with slashes", root + "\\Sound\\none.wav", root + "/Sound/none.wav"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(resolvePath(r.path), r.want) << r.name;
    EXPECT_TRUE(fileExists(root + "\\SOUND\\click.wav"));
    EXPECT_FALSE(fileExists(root + "\\Sound")) << "a folder is no file";
    QFile::rename(root + "/Sound/Click.wav", root + "/Sound/click.WAV");
    EXPECT_EQ(resolvePath(root + "\\sound\\click.wav"), root + "/Sound/click.WAV") << "a renamed file is found";
}

TEST(LoadPicture, ReadsBitmapsAndCursors)
{
    QTemporaryDir dir;
    QImage img(16, 8, QImage::Format_ARGB32);
    img.fill(QColor(255, 0, 255));
    img.setPixelColor(3, 2, QColor(0, 0, 255));
    writeFile(dir.path() + "/Bitmap/Back.BMP", encoded(img, "bmp"));
    QByteArray cur = encoded(img.scaled(32, 32), "ico");
    cur[2] = 2;  // a cursor file
    cur[10] = 5; // hotspot x
    cur[12] = 9; // hotspot y
    writeFile(dir.path() + "/Cur/Hand.cur", cur);

    const Picture bmp = LoadPicture(dir.path() + "\\bitmap\\back.bmp");
    EXPECT_EQ(QColor(bmp.image().pixel(3, 2)), QColor(0, 0, 255));
    const QImage keyed = bmp.withTransparentKey();
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0) << "key colour becomes transparent";
    EXPECT_EQ(qAlpha(keyed.pixel(3, 2)), 255);
    EXPECT_EQ(LoadPicture(dir.path() + "\\cur\\hand.cur").hotspot(), QPoint(5, 9));

    EXPECT_TRUE(LoadPicture(dir.path() + "\\Bitmap\\none.bmp").isNull());
    writeFile(dir.path() + "/bad.bmp", "not a picture");
    EXPECT_TRUE(LoadPicture(dir.path() + "/bad.bmp").isNull());
}

TEST(Fonts, PointsArePixelsOfA96DpiScreen)
{
    // 10 points reading back as 9.75 is checked with the cloned label's font.
    EXPECT_EQ(pointsToPixels(9.6), 13) << "a scaled screen's size rounds to whole pixels";
    const QFont design = makeFont(kDesignFont, 12, false);
    EXPECT_EQ(QFontInfo(design).family(), "DejaVu Sans") << "the design font is the bundled one";
    EXPECT_EQ(QFontInfo(design).pixelSize(), 16);
}

} // namespace
