#include "resources/Art.h"
#include "resources/ArtKit.h"

#include <QHash>
#include <QPainterPath>
#include <functional>

namespace Resources::Art {

namespace {

using Piece = std::function<void(QImage &, const Entry &, const QString &)>;

QPainterPath rounded(const QRectF &r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void bigButton(QImage &img, const Entry &e, const QString &caption)
{
    QPainter p(&img);
    setupPainter(p);
    const bool hi = e.style.endsWith(QLatin1String("_hi"));
    const QRectF r = img.rect();
    // These buttons stand at y 5 on the header of their screen.
    p.save();
    p.translate(0, -5);
    backdrop(p, r.translated(0, 5), e.screen == QLatin1String("game") ? 83 : 480);
    p.restore();
    buttonFace(p, r.adjusted(3, 3, -3, -3), QString(), hi, 12, 12);
    // Symbol above, caption below.
    static const QHash<QString, QString> symbols{{"exit", "✕"}, {"back", "↩"}, {"kont", "✔"},
                                                 {"nove", "✚"}, {"tab", "☰"}, {"zpet", "↩"}};
    fittedText(p, QRectF(6, 8, r.width() - 12, 38), symbols.value(e.argument), captionFont(30),
               Qt::AlignCenter, hi ? Palette::Glow : Qt::white);
    fittedText(p, QRectF(6, 46, r.width() - 12, 22), caption, captionFont(13), Qt::AlignCenter,
               Qt::white);
}

void simpleButton(QImage &img, const Entry &e, const QString &caption)
{
    QPainter p(&img);
    setupPainter(p);
    const QRectF r = img.rect();
    // Group buttons stand on the backdrop at the height in their argument,
    // count and variant buttons on paper panels.
    if (e.style.startsWith(QLatin1String("group"))) {
        p.save();
        p.translate(0, -e.argument.toDouble());
        backdrop(p, r.translated(0, e.argument.toDouble()));
        p.restore();
    } else {
        img.fill(Palette::Paper);
    }
    const double px = e.style.startsWith(QLatin1String("count")) ? 14 : e.style.startsWith(QLatin1String("variant")) ? 15 : 17;
    buttonFace(p, r, caption, e.style.endsWith(QLatin1String("_hi")), px, qMin(10.0, r.height() / 3));
}

void taskButton(QImage &img, const Entry &e, const QString &caption)
{
    QPainter p(&img);
    setupPainter(p);
    const QRectF r = img.rect();
    verticalGradient(p, r, Palette::Night.lighter(115), Palette::Night.lighter(130));
    const bool hi = e.style.endsWith(QLatin1String("_hi"));
    const QRectF face = r.adjusted(4, 4, -4, -4);
    buttonFace(p, face, QString(), hi, 18, 12);
    const double logo = qMin(face.height() - 16, 64.0);
    drawLogo(p, QRectF(face.left() + 10, face.center().y() - logo / 2, logo, logo), e.argument);
    fittedText(p, face.adjusted(logo + 20, 4, -8, -4), caption, captionFont(20),
               Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, Qt::white);
}

void revealButton(QImage &img, const Entry &, const QString &caption)
{
    const QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    keyedPicture(img, rounded(r, 8), [&](QPainter &p) {
        p.fillRect(img.rect(), Palette::Night);
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, Palette::Orange.lighter(130));
        g.setColorAt(1, Palette::Orange);
        // A rim of its own colour: a light one would ring it on the dark bar.
        p.setPen(QPen(Palette::Orange.darker(125), 1));
        p.setBrush(g);
        p.drawRoundedRect(r, 8, 8);
        fittedText(p, r, caption + QStringLiteral(" ▶"), captionFont(14), Qt::AlignCenter, Qt::white);
    });
}

void dialPointer(QImage &img, const Entry &e, const QString &)
{
    img.fill(Palette::Paper);
    QPainter p(&img);
    setupPainter(p);
    // Directions from the dial's centre (141, 349) to the five count buttons.
    static const QPointF targets[5] = {{150, 267}, {221, 307}, {220, 384}, {145, 423}, {69, 384}};
    const QPointF centre(40, 56);
    const QPointF target = targets[qBound(1, e.argument.toInt(), 5) - 1] - QPointF(101, 293);
    QLineF line(centre, target);
    line.setLength(qMin(line.length() - 18, 50.0));
    p.setPen(QPen(Palette::Orange, 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(line);
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Orange);
    QLineF normal = line.normalVector();
    normal.setLength(8);
    QLineF back(line.p2(), line.p1());
    back.setLength(12);
    const QPointF side = normal.p2() - normal.p1();
    p.drawPolygon(QPolygonF{line.p2() + (line.p2() - back.p2()) * 0.4, back.p2() + side, back.p2() - side});
    p.setBrush(Palette::Night);
    p.drawEllipse(centre, 9, 9);
}

void variantMarker(QImage &img, const Entry &e, const QString &)
{
    img.fill(Palette::Paper);
    QPainter p(&img);
    setupPainter(p);
    // Points left at the chosen variant button: a is level with y 273, b with y 309.
    const double y = e.argument == QLatin1String("1") ? 8 : 44;
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Orange);
    p.drawPolygon(QPolygonF{{4, y}, {34, y - 8}, {34, y + 8}});
}

void helpSwitch(QImage &img, const Entry &e, const QString &)
{
    img.fill(Palette::Paper);
    QPainter p(&img);
    setupPainter(p);
    const bool on = e.style == QLatin1String("switch_on");
    panel(p, QRectF(img.rect()).adjusted(1, 1, -1, -1), on ? Palette::Green : Qt::white, 5, Palette::Night);
    if (on)
        fittedText(p, img.rect(), QStringLiteral("✔"), captionFont(18), Qt::AlignCenter, Qt::white);
}

void mark(QImage &img, const Entry &e, const QString &caption)
{
    img.fill(Palette::Sheet);
    QPainter p(&img);
    setupPainter(p);
    const QRectF r = QRectF(img.rect()).adjusted(2, 2, -2, -2);
    QColor fill = Palette::Button;
    QString symbol = caption;
    if (e.style == QLatin1String("mark"))
        fill = e.argument == QLatin1String("ok") ? Palette::Green : Palette::Red;
    if (e.style == QLatin1String("mark"))
        symbol = e.argument == QLatin1String("ok") ? QStringLiteral("✔") : QStringLiteral("✘");
    if (e.style == QLatin1String("check"))
        symbol = QStringLiteral("?");
    if (e.style == QLatin1String("and"))
        fill = Palette::Orange;
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(fill);
    p.drawEllipse(r);
    fittedText(p, r, symbol, captionFont(18), Qt::AlignCenter, Qt::white);
}

void relationSign(QImage &img, const Entry &, const QString &caption)
{
    img.fill(Palette::Sheet);
    QPainter p(&img);
    setupPainter(p);
    const QRectF r = QRectF(img.rect()).adjusted(1, (img.height() - 28) / 2.0, -1, -(img.height() - 28) / 2.0);
    panel(p, r, caption == QLatin1String("?") ? Palette::Cream : Qt::white, 5, Palette::Sky);
    fittedText(p, r, caption, captionFont(18), Qt::AlignCenter, Palette::Ink);
}

void stageLabel(QImage &img, const Entry &, const QString &caption)
{
    img.fill(Palette::Sheet);
    QPainter p(&img);
    setupPainter(p);
    fittedText(p, img.rect(), caption, captionFont(14), Qt::AlignLeft | Qt::AlignVCenter, Palette::Night);
}

void arrow(QImage &img, const Entry &e, const QString &)
{
    img.fill(Palette::Sheet);
    QPainter p(&img);
    setupPainter(p);
    const bool up = e.argument == QLatin1String("up");
    const double w = img.width(), h = img.height();
    p.setPen(QPen(Palette::Orange, 2));
    p.drawLine(QPointF(w / 2, 6), QPointF(w / 2, h - 6));
    p.setPen(Qt::NoPen);
    p.setBrush(Palette::Orange);
    if (up)
        p.drawPolygon(QPolygonF{{w / 2, 0}, {w, 9}, {0, 9}});
    else
        p.drawPolygon(QPolygonF{{w / 2, h}, {w, h - 9}, {0, h - 9}});
}

void row19(QImage &img, const Entry &, const QString &)
{
    img.fill(Palette::Sheet);
    QPainter p(&img);
    setupPainter(p);
    // The row mark stands at form x 592, 577 px into the picture: the band
    // stops short of it so that the mark sits on the sheet.
    const QRectF r(1.5, 1.5, 565, img.height() - 3);
    QPainterPath shape;
    shape.addRoundedRect(r, 10, 10);
    p.fillPath(shape, Qt::white);
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(0, 0, img.width(), 45), Palette::Button); // white text stands here
    p.restore();
    p.setPen(QPen(Palette::Sky, 2));
    p.drawPath(shape);
}

void fill(QImage &img, const Entry &, const QString &)
{
    img.fill(Palette::Sheet);
}

const QHash<QString, Piece> &pieces();

} // namespace

QImage drawPiece(const Entry &entry, const QString &caption)
{
    const auto it = pieces().find(entry.style);
    if (it == pieces().end())
        return {};
    QImage img = canvas(entry.width, entry.height, Palette::Sheet);
    (*it)(img, entry, caption);
    return img;
}

void keyedPicture(QImage &image, const QPainterPath &shape, const std::function<void(QPainter &)> &draw)
{
    image.fill(Palette::Key);
    {
        QPainter p(&image);
        setupPainter(p);
        draw(p);
    }
    keyOutside(image, shape);
}

void keyOutside(QImage &image, const QPainterPath &shape)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!shape.contains(QPointF(x + 0.5, y + 0.5)))
                image.setPixelColor(x, y, Palette::Key);
}

// Defined in ArtPanels.cpp: strips, panels, keys, tabs and hint windows.
void addPanelPieces(QHash<QString, Piece> &table);

namespace {

const QHash<QString, Piece> &pieces()
{
    static const QHash<QString, Piece> table = [] {
        QHash<QString, Piece> t{
            {"bigbutton", bigButton}, {"bigbutton_hi", bigButton},
            {"group", simpleButton}, {"group_hi", simpleButton},
            {"count", simpleButton}, {"count_hi", simpleButton},
            {"variant", simpleButton}, {"variant_hi", simpleButton},
            {"task", taskButton}, {"task_hi", taskButton},
            {"reveal", revealButton}, {"dial", dialPointer}, {"marker", variantMarker},
            {"switch", helpSwitch}, {"switch_on", helpSwitch},
            {"mark", mark}, {"check", mark}, {"and", mark}, {"sign", relationSign},
            {"label", stageLabel}, {"arrow", arrow}, {"row19", row19}, {"fill", fill}};
        addPanelPieces(t);
        return t;
    }();
    return table;
}

} // namespace

} // namespace Resources::Art
