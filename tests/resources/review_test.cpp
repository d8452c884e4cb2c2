// Writes the contact sheets of all pictures and a line of the maths font
// under build/review/ for a person to look at.
#include "support.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace ResourcesTest;

namespace {

QString reviewDir()
{
    const QString dir = QStringLiteral(LK_BUILD_DIR "/review");
    QDir().mkpath(dir);
    return dir;
}

// Lays pictures out in cells with their names; scale shrinks big ones.
QImage sheet(const QList<Resources::Entry> &entries, QSize cell, int columns, double scale)
{
    const int rows = (int(entries.size()) + columns - 1) / columns;
    QImage out(cell.width() * columns, cell.height() * rows, QImage::Format_RGB32);
    out.fill(QColor(60, 60, 60));
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 7));
    for (int i = 0; i < entries.size(); ++i) {
        const QImage image(resourceDir() + QLatin1Char('/') + entries[i].path);
        const QPoint at(i % columns * cell.width() + 4, i / columns * cell.height() + 4);
        const QSizeF size = QSizeF(image.size()) * scale;
        p.drawImage(QRectF(at, size.boundedTo(QSizeF(cell.width() - 8, cell.height() - 20))), image);
        p.setPen(Qt::white);
        p.drawText(QRect(at.x(), at.y() + cell.height() - 20, cell.width() - 8, 14), Qt::AlignLeft,
                   QFileInfo(entries[i].path).fileName());
    }
    return out;
}

} // namespace

TEST(Review, ContactSheetsAndFontLine)
{
    QList<Resources::Entry> screens, pieces;
    for (const Resources::Entry &e : manifest())
        if (e.path.endsWith(QLatin1String(".bmp")))
            (e.width == 640 ? screens : pieces).append(e);
    EXPECT_TRUE(sheet(screens, {328, 262}, 6, 0.5).save(reviewDir() + QStringLiteral("/screens.png")));
    EXPECT_TRUE(sheet(pieces, {320, 120}, 8, 1.0).save(reviewDir() + QStringLiteral("/pieces.png")));

    ASSERT_GE(QFontDatabase::addApplicationFont(resourceDir() + QStringLiteral("/Data/Ruvo.ttf")), 0);
    QImage line(900, 200, QImage::Format_RGB32);
    line.fill(Qt::white);
    QPainter p(&line);
    // "2x² − 3·(x + 1) ≠ 0", "10⁻³", "√9", "∞", "0123456789" and their superscripts, in the program's code points.
    const QString text = QString::fromUtf16(u"2x\u00C2 - 3\u00B7(x + 1) \u017C 0   10\u00AC\u0102   \u00A99   \u00B4");
    const QString digits = QString::fromUtf16(u"0123456789 x\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9");
    QFont font(QStringLiteral("Ruvo"));
    font.setPixelSize(34);
    for (int bold = 0; bold < 2; ++bold) {
        font.setBold(bold);
        p.setFont(font);
        p.drawText(QPointF(10, 45 + 95 * bold), text);
        p.drawText(QPointF(10, 88 + 95 * bold), digits);
    }
    p.end();
    EXPECT_TRUE(line.save(reviewDir() + QStringLiteral("/font.png")));
}
