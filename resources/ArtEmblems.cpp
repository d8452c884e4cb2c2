// Task emblems, the mouse cursors and the window icon.
#include "resources/Art.h"
#include "resources/ArtKit.h"

#include <QHash>
#include <QPainterPath>

namespace Resources::Art {

namespace {

void fractionEmblem(QPainter &p, const QRectF &r, const QString &top, const QString &bottom)
{
    const QFont f = mathFont(r.height() * 0.34);
    fittedText(p, QRectF(r.left(), r.top() + r.height() * 0.06, r.width(), r.height() * 0.4), top, f,
               Qt::AlignCenter, Palette::Night);
    fittedText(p, QRectF(r.left(), r.top() + r.height() * 0.54, r.width(), r.height() * 0.4), bottom, f,
               Qt::AlignCenter, Palette::Night);
    p.setPen(QPen(Palette::Night, qMax(1.5, r.height() / 24)));
    p.drawLine(QPointF(r.left() + r.width() * 0.2, r.center().y()), QPointF(r.right() - r.width() * 0.2, r.center().y()));
}

void graphEmblem(QPainter &p, const QRectF &r)
{
    const QRectF a = r.adjusted(r.width() * 0.15, r.height() * 0.15, -r.width() * 0.15, -r.height() * 0.15);
    p.setPen(QPen(Palette::Night, qMax(1.5, r.width() / 28)));
    p.drawLine(a.bottomLeft(), a.topLeft());
    p.drawLine(a.bottomLeft(), a.bottomRight());
    p.setPen(QPen(Palette::Red, qMax(2.0, r.width() / 16), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a.bottomLeft(), QPointF(a.right(), a.top() + a.height() * 0.15));
}

} // namespace

void drawLogo(QPainter &p, const QRectF &r, const QString &kind)
{
    p.save();
    p.setPen(QPen(Palette::Orange.darker(115), 2));
    p.setBrush(Palette::Glow);
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), r.width() / 5, r.width() / 5);
    const QRectF inner = r.adjusted(3, 3, -3, -3);
    static const QHash<QString, QString> formulas{
        {"number", "3+4·2"}, {"formula", "2x²"}, {"condition", "x≠0"}, {"equation", "x=5"},
        {"inequality", "x<3"}, {"percent", "%"}, {"proportion", "a:b"}};
    if (kind == QLatin1String("fraction"))
        fractionEmblem(p, inner, QStringLiteral("2"), QStringLiteral("3"));
    else if (kind == QLatin1String("graph"))
        graphEmblem(p, inner);
    else
        fittedText(p, inner, formulas.value(kind, kind), mathFont(inner.height() * 0.5),
                   Qt::AlignCenter, Palette::Night);
    p.restore();
}

QImage drawCursor(const QString &kind)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    if (kind == QLatin1String("hand")) {
        // The fingertip at (11, 1) is the hot spot.
        QPainterPath hand;
        hand.addRoundedRect(QRectF(8.5, 0.5, 6, 16), 3, 3);
        hand.addRoundedRect(QRectF(5.5, 11.5, 19, 14), 5, 5);
        hand.addRoundedRect(QRectF(14.5, 9.5, 5, 9), 2.5, 2.5);
        hand.addRoundedRect(QRectF(19.5, 10.5, 5, 9), 2.5, 2.5);
        hand.addRoundedRect(QRectF(2.5, 13.5, 6, 9), 3, 3);
        p.drawPath(hand.simplified());
        return img;
    }
    const QPolygonF arrow{{1, 1}, {1, 19}, {5.5, 15}, {8.5, 22}, {11.5, 20.5}, {8.5, 14}, {14, 14}};
    p.drawPolygon(arrow);
    if (kind == QLatin1String("help")) {
        p.setBrush(Palette::Button);
        p.setPen(QPen(Qt::white, 1));
        p.drawEllipse(QRectF(16.5, 14.5, 14, 14));
        fittedText(p, QRectF(16.5, 14.5, 14, 14), QStringLiteral("?"), captionFont(11), Qt::AlignCenter, Qt::white);
    }
    return img;
}

QImage drawIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    setupPainter(p);
    const QRectF r(0.5, 0.5, size - 1, size - 1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Palette::ButtonLight);
    g.setColorAt(1, Palette::Night);
    p.setPen(QPen(Palette::Glow, size / 16.0));
    p.setBrush(g);
    p.drawRoundedRect(r, size / 5.0, size / 5.0);
    fittedText(p, r, QStringLiteral("x²"), captionFont(size * 0.55), Qt::AlignCenter, Qt::white);
    return img;
}

} // namespace Resources::Art
