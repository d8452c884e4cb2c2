#include "resources/ArtKit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

namespace Resources::Art {

QImage canvas(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void setupPainter(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QFont captionFont(double pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    // Antialiased edges against the key colour would leave pink fringes, so
    // pictures with the key colour draw their text on an opaque face.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont mathFont(double pixelSize)
{
    QFont font = captionFont(pixelSize, false);
    font.setFamily(QStringLiteral("DejaVu Serif"));
    font.setItalic(true);
    return font;
}

QColor backdropAt(double y, double span)
{
    const double t = qBound(0.0, y / span, 1.0);
    auto mix = [t](int a, int b) { return int(a + (b - a) * t + 0.5); };
    return QColor(mix(Palette::Night.red(), Palette::Sky.red()), mix(Palette::Night.green(), Palette::Sky.green()),
                  mix(Palette::Night.blue(), Palette::Sky.blue()));
}

void backdrop(QPainter &p, const QRectF &r, double span)
{
    verticalGradient(p, r, backdropAt(r.top(), span), backdropAt(r.bottom(), span));
}

void verticalGradient(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void panel(QPainter &p, const QRectF &r, const QColor &fill, double radius, const QColor &border)
{
    p.save();
    p.setPen(QPen(border, 2));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
    p.restore();
}

void buttonFace(QPainter &p, const QRectF &r, const QString &caption, bool highlighted,
                double pixelSize, double radius)
{
    p.save();
    const QRectF face = r.adjusted(2, 2, -2, -2);
    if (highlighted) {
        p.setPen(QPen(Palette::Glow, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), radius + 1, radius + 1);
    }
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    g.setColorAt(0, highlighted ? Palette::ButtonLight.lighter(125) : Palette::Button.lighter(130));
    g.setColorAt(1, highlighted ? Palette::ButtonLight : Palette::Button);
    p.setPen(QPen(highlighted ? Palette::Glow : Palette::Night, 1.5));
    p.setBrush(g);
    p.drawRoundedRect(face, radius, radius);
    p.restore();
    // One line: a long caption gets a smaller font rather than a second line.
    fittedText(p, face.adjusted(4, 1, -4, -1), caption, captionFont(pixelSize), Qt::AlignCenter, Qt::white);
}

void fittedText(QPainter &p, const QRectF &r, const QString &text, QFont font, int flags,
                const QColor &colour)
{
    if (text.isEmpty())
        return;
    for (int px = font.pixelSize(); px > 6; --px) {
        font.setPixelSize(px);
        const QRectF need = QFontMetricsF(font).boundingRect(r, flags, text);
        if (need.width() <= r.width() + 0.5 && need.height() <= r.height() + 0.5)
            break;
    }
    p.save();
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags, text);
    p.restore();
}

} // namespace Resources::Art
