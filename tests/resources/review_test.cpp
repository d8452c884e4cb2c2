// The maths font: the family the program asks for, ASCII, and at each code
// point where the program's texts put a sign the font lacks in Windows-1250,
// the glyph of that sign. For a person to look at, the contact sheets of all
// pictures and a line of the maths font under build/review/.
#include "support.h"

#include "expr/Zapis_vyrazu.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>

using namespace ResourcesTest;

namespace {

// The glyph of c filled in black on white, its origin 10 px from the left
// and 50 px from the top.
QImage glyph(const QRawFont &font, QChar c)
{
    QImage image(60, 64, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    const QList<quint32> ids = font.glyphIndexesForString(QString(c));
    QPainter p(&image);
    p.translate(10, 50);
    p.fillPath(ids.isEmpty() ? QPainterPath() : font.pathForGlyph(ids.first()), Qt::black);
    return image;
}

TEST(MathsFont, IsFamilyRuvoWithTheSignsAtTheProgramsCodePoints)
{
    const QString fontFile = resourceDir() + QStringLiteral("/Data/Ruvo.ttf");
    const int id = QFontDatabase::addApplicationFont(fontFile);
    ASSERT_GE(id, 0);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("Ruvo")));
    const QRawFont font(fontFile, 40, QFont::PreferNoHinting),
        source(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"), 40, QFont::PreferNoHinting);
    ASSERT_TRUE(font.isValid() && source.isValid());
    for (char16_t c = 0x20; c < 0x7F; ++c)
        EXPECT_TRUE(font.supportsCharacter(QChar(c))) << "ASCII " << int(c);
    // The signs of the calculator (square root, overflow), of the conditions
    // and of a product, then the exponents as the expression text writes them.
    QList<std::pair<char16_t, char16_t>> znaky{{0x00A9, 0x221A}, {0x00B4, 0x221E}, {0x017C, 0x2260}, {0x00B7, 0x00B7}};
    const char16_t horne[] = {0x2070, 0x00B9, 0x00B2, 0x00B3, 0x2074, 0x2075, 0x2076, 0x2077, 0x2078, 0x2079, 0x207B};
    for (int i = 0; i < 11; ++i) {
        const QString v_texte = Misc::Preved_na_exponent(QStringLiteral("0123456789-").mid(i, 1));
        znaky.append({v_texte.isEmpty() ? u'?' : v_texte[0].unicode(), horne[i]});
    }
    for (const auto &[v_texte, znak] : znaky) {
        SCOPED_TRACE(QStringLiteral("U+%1 for U+%2").arg(v_texte, 4, 16).arg(znak, 4, 16).toStdString());
        const QImage got = glyph(font, QChar(v_texte)), want = glyph(source, QChar(znak));
        int ink = 0, off = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x)
                ink += qGray(want.pixel(x, y)) < 128, off += got.pixel(x, y) != want.pixel(x, y);
        EXPECT_TRUE(ink > 0 && off <= ink / 20) << off << " of " << ink << " pixels differ";
    }
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
    p.setPen(Qt::white);
    for (int i = 0; i < entries.size(); ++i) {
        const QImage image(resourceDir() + QLatin1Char('/') + entries[i].path);
        const QPoint at(i % columns * cell.width() + 4, i / columns * cell.height() + 4);
        const QSizeF size = QSizeF(image.size()) * scale;
        p.drawImage(QRectF(at, size.boundedTo(QSizeF(cell.width() - 8, cell.height() - 20))), image);
        p.drawText(QRect(at.x(), at.y() + cell.height() - 20, cell.width() - 8, 14), Qt::AlignLeft,
                   QFileInfo(entries[i].path).fileName());
    }
    return out;
}

TEST(Review, ContactSheetsAndFontLine)
{
    const QString dir = QStringLiteral(LK_BUILD_DIR "/review/");
    ASSERT_TRUE(QDir().mkpath(dir));
    QList<Resources::Entry> screens, pieces;
    for (const Resources::Entry &e : manifest())
        if (e.path.endsWith(QLatin1String(".bmp")))
            (e.width == 640 ? screens : pieces).append(e);
    EXPECT_TRUE(sheet(screens, {328, 262}, 6, 0.5).save(dir + QStringLiteral("screens.png")));
    EXPECT_TRUE(sheet(pieces, {320, 120}, 8, 1.0).save(dir + QStringLiteral("pieces.png")));

    ASSERT_GE(QFontDatabase::addApplicationFont(resourceDir() + QStringLiteral("/Data/Ruvo.ttf")), 0);
    QImage line(900, 200, QImage::Format_RGB32);
    line.fill(Qt::white);
    QPainter p(&line);
    QFont font(QStringLiteral("Ruvo"));
    font.setPixelSize(34);
    // "2x² − 3·(x + 1) ≠ 0", "10⁻³", "√9", "∞", "0123456789" and their
    // superscripts, in the program's code points, upright and bold.
    for (int bold = 0; bold < 2; ++bold) {
        font.setBold(bold);
        p.setFont(font);
        p.drawText(QPointF(10, 45 + 95 * bold), QString::fromUtf16(u"2x\u00C2 - 3\u00B7(x + 1) \u017C 0   10\u00AC\u0102   \u00A99   \u00B4"));
        p.drawText(QPointF(10, 88 + 95 * bold), QString::fromUtf16(u"0123456789 x\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7\u010C\u00C9"));
    }
    p.end();
    EXPECT_TRUE(line.save(dir + QStringLiteral("font.png")));
}

} // namespace
