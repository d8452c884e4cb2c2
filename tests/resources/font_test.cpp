// The maths font: family, the program's glyph mapping, raised superscripts.
#include "support.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <gtest/gtest.h>

using namespace ResourcesTest;

namespace {

QString fontFile() { return resourceDir() + QStringLiteral("/Data/Ruvo.ttf"); }
const QString Dejavu = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf");

struct Mapped { char16_t inText; char16_t shows; const char *what; };
const Mapped mapping[] = {
    {0x0154, 0x2070, "superscript 0"}, {0x00C1, 0x00B9, "superscript 1"}, {0x00C2, 0x00B2, "superscript 2"},
    {0x0102, 0x00B3, "superscript 3"}, {0x00C4, 0x2074, "superscript 4"}, {0x0139, 0x2075, "superscript 5"},
    {0x0106, 0x2076, "superscript 6"}, {0x00C7, 0x2077, "superscript 7"}, {0x010C, 0x2078, "superscript 8"},
    {0x00C9, 0x2079, "superscript 9"}, {0x00AC, 0x207B, "superscript minus"}, {0x00A9, 0x221A, "square root"},
    {0x00B4, 0x221E, "overflow sign"}, {0x017C, 0x2260, "not equal"}, {0x00B7, 0x00B7, "middle dot"}};

QRectF glyphBounds(const QRawFont &font, QChar c)
{
    const QList<quint32> ids = font.glyphIndexesForString(QString(c));
    return ids.isEmpty() ? QRectF() : font.pathForGlyph(ids.first()).boundingRect();
}

// The box of the dark pixels of `text`; `count` takes their number.
QRect inkOf(const QString &text, QFont font, int *count = nullptr)
{
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPointF(20, 90), text);
    p.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128 && (!count || ++*count))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QFont ruvo(int px, bool bold = false)
{
    static const int id = QFontDatabase::addApplicationFont(fontFile());
    EXPECT_GE(id, 0);
    QFont font(QStringLiteral("Ruvo"));
    font.setPixelSize(px);
    font.setBold(bold);
    return font;
}

} // namespace

TEST(MathsFont, IsFamilyRuvoWithAsciiAndTheProgramsGlyphs)
{
    const int id = QFontDatabase::addApplicationFont(fontFile());
    ASSERT_GE(id, 0);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).contains(QStringLiteral("Ruvo")));
    const QRawFont font(fontFile(), 40);
    const QRawFont source(Dejavu, 40);
    ASSERT_TRUE(font.isValid());
    for (char16_t c = 0x20; c < 0x7F; ++c)
        EXPECT_TRUE(font.supportsCharacter(QChar(c))) << "ASCII " << int(c);
    for (const Mapped &m : mapping) {
        EXPECT_TRUE(font.supportsCharacter(QChar(m.inText))) << m.what;
        // The glyph at the program's code point is the sign it stands for.
        const QRectF got = glyphBounds(font, QChar(m.inText)), want = glyphBounds(source, QChar(m.shows));
        EXPECT_FALSE(got.isEmpty()) << m.what;
        for (double d : {got.left() - want.left(), got.top() - want.top(), got.width() - want.width(),
                         got.height() - want.height()})
            EXPECT_NEAR(d, 0, 0.5) << m.what;
    }
}

TEST(MathsFont, SuperscriptsRenderRaisedAndSmaller)
{
    const QFont font = ruvo(60);
    for (int d = 0; d <= 9; ++d) {
        const QRect digit = inkOf(QString::number(d), font);
        const QRect sup = inkOf(QString(QChar(mapping[d].inText)), font);
        ASSERT_FALSE(sup.isEmpty()) << d;
        EXPECT_LT(sup.height(), digit.height() * 0.75) << "smaller: " << d;
        EXPECT_LT(sup.bottom(), digit.bottom() - digit.height() * 0.3) << "raised: " << d;
    }
    const QRect minus = inkOf(QString(QChar(0x00AC)), font);
    EXPECT_LT(minus.bottom(), inkOf(QStringLiteral("-"), font).top()) << "superscript minus above the minus";
}

TEST(MathsFont, BoldCaptionsAreHeavier)
{
    // The cells use the font bold; Qt emboldens the one face.
    int normalInk = 0, boldInk = 0;
    inkOf(QStringLiteral("x+1"), ruvo(40), &normalInk);
    inkOf(QStringLiteral("x+1"), ruvo(40, true), &boldInk);
    EXPECT_GT(boldInk, normalInk * 1.15);
}
