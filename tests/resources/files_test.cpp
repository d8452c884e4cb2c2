// Every file of the manifest is generated with its size, format and role.
#include "support.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTextStream>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace ResourcesTest;

namespace {

QString normalised(QString path)
{
    return path.replace(QLatin1Char('\\'), QLatin1Char('/')).toLower();
}

QStringList namesUsed()
{
    QFile file(sourceFile(QStringLiteral("names-used.txt")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList names;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            names.append(line);
    }
    return names;
}

bool isBitmap(const Resources::Entry &e) { return e.path.endsWith(QLatin1String(".bmp")); }

} // namespace

TEST(ResourceFiles, EveryManifestFileExistsWithItsSize)
{
    ASSERT_GT(manifest().size(), 300);
    for (const Resources::Entry &e : manifest()) {
        const QString file = resourceDir() + QLatin1Char('/') + e.path;
        ASSERT_TRUE(QFile::exists(file)) << e.path.toStdString();
        if (!isBitmap(e))
            continue;
        const QByteArray bytes = readAll(file);
        ASSERT_GE(bytes.size(), 54) << e.path.toStdString();
        EXPECT_EQ(bytes.left(2), "BM") << e.path.toStdString();
        EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24) << e.path.toStdString();
        const QImage image(file);
        EXPECT_EQ(image.size(), QSize(e.width, e.height)) << e.path.toStdString();
    }
}

TEST(ResourceFiles, ManifestAndCodeNamesAgree)
{
    QSet<QString> inManifest;
    for (const Resources::Entry &e : manifest()) {
        EXPECT_FALSE(inManifest.contains(normalised(e.path))) << "twice: " << e.path.toStdString();
        inManifest.insert(normalised(e.path));
    }
    QSet<QString> used;
    for (const QString &name : namesUsed()) {
        used.insert(normalised(name));
        EXPECT_TRUE(inManifest.contains(normalised(name))) << "missing: " << name.toStdString();
    }
    for (const QString &path : inManifest)
        EXPECT_TRUE(used.contains(path)) << "named by no code: " << path.toStdString();
}

TEST(ResourceFiles, KeyColouredPicturesKeepAnOpaqueFace)
{
    static const QStringList keyed{"reveal", "side_tab", "side_tab_hi", "calc_panel", "notes_panel", "hint", "bubble"};
    for (const Resources::Entry &e : manifest()) {
        if (!keyed.contains(e.style))
            continue;
        const QImage image(resourceDir() + QLatin1Char('/') + e.path);
        // Tabs are rounded on the side away from the screen edge they sit on.
        const bool onLeftEdge = e.style.startsWith(QLatin1String("side_tab")) && e.argument.endsWith(QLatin1String("left"));
        const QPoint corner = onLeftEdge ? QPoint(e.width - 1, 0) : QPoint(0, e.height - 1);
        EXPECT_EQ(image.pixel(corner) & 0xffffff, 0xff00ffu) << e.path.toStdString();
        EXPECT_NE(image.pixel(e.width / 2, e.height / 2) & 0xffffff, 0xff00ffu) << e.path.toStdString();
    }
    // The hint windows cut out the colour of their pixel (1, 1).
    EXPECT_EQ(QImage(resourceDir() + QStringLiteral("/Bitmap/Games/Hint01.bmp")).pixel(1, 1) & 0xffffff, 0xff00ffu);
}

TEST(ResourceFiles, CursorsAndSounds)
{
    struct Row { const char *file; int x, y; };
    for (const Row &row : {Row{"Arrow.cur", 1, 1}, Row{"Hand.cur", 11, 1}, Row{"Help.cur", 1, 1}}) {
        const QImage image(resourceDir() + QStringLiteral("/Cur/") + QLatin1String(row.file), "ico");
        const QByteArray b = readAll(resourceDir() + QStringLiteral("/Cur/") + QLatin1String(row.file));
        ASSERT_GE(b.size(), 22) << row.file;
        EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 10), row.x) << row.file;
        EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 12), row.y) << row.file;
        EXPECT_GT(qAlpha(image.pixel(row.x, row.y)), 0) << "hot spot on the drawing: " << row.file;
    }
    for (const char *name : {"enter.wav", "click.wav"}) {
        const QByteArray b = readAll(resourceDir() + QStringLiteral("/Sound/") + QLatin1String(name));
        ASSERT_GT(b.size(), 44) << name;
        EXPECT_EQ(b.left(4) + b.mid(8, 4), "RIFFWAVE") << name;
        const quint32 rate = qFromLittleEndian<quint32>(b.constData() + 24);
        EXPECT_EQ(qFromLittleEndian<quint32>(b.constData() + 40) + 44, quint32(b.size())) << name;
        EXPECT_LT((b.size() - 44) / 2.0 / rate, 0.1) << "a click or hover must not linger: " << name;
        int peak = 0;
        for (int i = 44; i + 1 < b.size(); i += 2)
            peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(b.constData() + i))));
        EXPECT_GT(peak, 3000) << "audible: " << name;
    }
}
