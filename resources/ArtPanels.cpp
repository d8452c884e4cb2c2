// Pieces of the exercise screen's sheet and panels: frame strips, the
// calculator and notes panels with their tabs, keys, hint windows.
#include "resources/Art.h"
#include "resources/ArtKit.h"

#include <QHash>
#include <QPainterPath>
#include <functional>

namespace Resources::Art {

using Piece = std::function<void(QImage &, const Entry &, const QString &)>;

namespace {

QPainterPath roundedWithin(const QRectF &r, double radius, const QRectF &bounds)
{
    QPainterPath shape, box;
    shape.addRoundedRect(r, radius, radius);
    box.addRect(bounds);
    return shape.intersected(box);
}

QColor stripFill(const QString &argument)
{
    if (argument == QLatin1String("grey"))
        return Palette::Grey.lighter(115);
    return Qt::white;
}

// A strip is one long rounded band; each piece draws its share of it.
void strip(QImage &img, const Entry &e, const QString &)
{
    img.fill(Palette::Sheet);
    QPainter p(&img);
    setupPainter(p);
    const double h = img.height(), w = img.width();
    const bool left = e.style == QLatin1String("strip_left");
    const bool right = e.style == QLatin1String("strip_right");
    const QRectF band(left ? 2 : -20, 1, w + (left || right ? 18 : 40), h - 2);
    QRectF r = band;
    if (right)
        r.moveLeft(-20);
    p.setPen(QPen(e.argument == QLatin1String("grey") ? Palette::Grey.darker(130) : Palette::Sky, 2));
    p.setBrush(stripFill(e.argument));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 10, 10);
    if (e.argument == QLatin1String("yellow")) {
        // The open line: a cream tab at its start.
        p.setPen(Qt::NoPen);
        p.setBrush(Palette::Orange);
        p.drawRoundedRect(QRectF(5, h / 2 - 7, 6, 14), 3, 3);
    }
    if (e.argument == QLatin1String("white")) {
        // Closing piece of the last line of a solution.
        p.setPen(QPen(Palette::Green, 2));
        p.drawLine(QPointF(w - 7, 6), QPointF(w - 7, h - 6));
    }
}

void sideTab(QImage &img, const Entry &e, const QString &caption)
{
    const bool hi = e.style.endsWith(QLatin1String("_hi"));
    const bool onLeft = e.argument.endsWith(QLatin1String("left"));
    // Rounded on the side that faces the sheet.
    const QPainterPath shape = roundedWithin(QRectF(onLeft ? -12 : 0.5, 0.5, img.width() + 12, img.height() - 1),
                                             8, img.rect());
    keyedPicture(img, shape, [&](QPainter &p) {
        QLinearGradient g(0, 0, img.width(), 0);
        g.setColorAt(0, hi ? Palette::ButtonLight.lighter(120) : Palette::Button.lighter(120));
        g.setColorAt(1, hi ? Palette::ButtonLight : Palette::Button);
        p.fillPath(shape, g);
        p.setPen(QPen(hi ? Palette::Glow : Palette::Night, 1.5));
        p.drawPath(shape);
        p.translate(img.width() / 2.0, img.height() / 2.0);
        p.rotate(-90);
        fittedText(p, QRectF(-40, -8, 80, 16), caption, captionFont(11), Qt::AlignCenter, Qt::white);
    });
}

void calcPanel(QImage &img, const Entry &, const QString &caption)
{
    const QPainterPath face = roundedWithin(QRectF(-10, 0.5, 214, 300), 10, QRectF(0, 0, 204, 301));
    keyedPicture(img, face, [&](QPainter &p) {
        p.fillPath(face, Palette::Night.lighter(120));
        p.setPen(QPen(Palette::Glow, 1.5));
        p.drawPath(face);
        fittedText(p, QRectF(6, 2, 192, 17), caption, captionFont(12), Qt::AlignCenter, Qt::white);
        p.setPen(Qt::NoPen);
        p.setBrush(Palette::Paper);
        p.drawRoundedRect(QRectF(3, 19, 199, 135), 4, 4); // tape
        p.setBrush(Palette::Sheet);
        p.drawRoundedRect(QRectF(10, 155, 182, 24), 4, 4); // display
    });
}

void notesPanel(QImage &img, const Entry &, const QString &)
{
    // The tab's own picture is drawn over the top-left 17 x 83.
    QPainterPath tab;
    tab.addRect(0, 0, 17, 83);
    const QPainterPath face = roundedWithin(QRectF(17, 0.5, 360, 300), 10, QRectF(0, 0, 361, 301)).united(tab);
    keyedPicture(img, face, [&](QPainter &p) {
        p.fillPath(face, Palette::Night.lighter(120));
        p.setPen(Qt::NoPen);
        p.setBrush(Palette::Paper);
        p.drawRoundedRect(QRectF(20, 5, 339, 248), 4, 4);
        p.setPen(QPen(Palette::Sheet.darker(110), 1));
        for (int y = 30; y < 250; y += 20)
            p.drawLine(24, y, 354, y);
        p.setPen(QPen(Palette::Glow, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(17.5, 0.5, 400, 300), 10, 10);
    });
}

void calcKey(QImage &img, const Entry &e, const QString &caption)
{
    img.fill(Palette::Night.lighter(120));
    QPainter p(&img);
    setupPainter(p);
    const bool pressed = e.style.endsWith(QLatin1String("_hi"));
    const bool digit = caption.size() == 1 && caption[0].isDigit();
    const QRectF r = QRectF(img.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QColor face = digit ? Palette::Paper : Palette::Button.lighter(140);
    if (caption == QLatin1String("C"))
        face = Palette::Orange;
    if (pressed)
        face = Palette::Glow;
    p.setPen(QPen(pressed ? Qt::white : Palette::Night, 1));
    p.setBrush(face);
    p.drawRoundedRect(r.translated(0, pressed ? 1 : 0), 5, 5);
    fittedText(p, r.translated(0, pressed ? 1 : 0), caption, captionFont(15), Qt::AlignCenter,
               digit || pressed ? Palette::Ink : Qt::white);
}

void expBar(QImage &img, const Entry &, const QString &caption)
{
    QPainter p(&img);
    setupPainter(p);
    verticalGradient(p, img.rect(), Palette::Night, Palette::Night.lighter(130));
    const double keysLeft = 71; // keys start 71 px from the bar's left edge
    panel(p, QRectF(keysLeft - 5, 1, img.width() - keysLeft + 2, 24), Palette::Night.lighter(160), 6);
    fittedText(p, QRectF(4, 0, keysLeft - 10, 25), caption, captionFont(11), Qt::AlignCenter, Qt::white);
}

void expKey(QImage &img, const Entry &e, const QString &caption)
{
    img.fill(Palette::Night.lighter(160));
    QPainter p(&img);
    setupPainter(p);
    const bool pressed = e.style.endsWith(QLatin1String("_hi"));
    const QRectF r = QRectF(img.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(Palette::Night, 1));
    p.setBrush(pressed ? Palette::Glow : Palette::Paper);
    p.drawRoundedRect(r, 4, 4);
    // "x" with the superscript digit, so the key shows what it types.
    QFont f = captionFont(13);
    fittedText(p, r, QStringLiteral("x") + caption, f, Qt::AlignCenter, Palette::Ink);
}

void hintWindow(QImage &img, const Entry &, const QString &)
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(img.rect()).adjusted(2, 2, -2, -2), 9, 9);
    keyedPicture(img, shape, [&](QPainter &p) {
        p.fillPath(shape, Palette::Cream);
        p.setPen(QPen(Palette::Orange, 2));
        p.drawPath(shape);
    });
}

void bubble(QImage &img, const Entry &, const QString &)
{
    // The bubble's top-right corner sits at the mouse pointer.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(2, 6, img.width() - 4, img.height() - 8), 10, 10);
    shape.addPolygon(QPolygonF{{img.width() - 1.0, 0.0}, {img.width() - 30.0, 8.0}, {img.width() - 10.0, 8.0}});
    shape = shape.simplified();
    keyedPicture(img, shape, [&](QPainter &p) {
        p.fillPath(shape, QColor(255, 226, 226));
        p.setPen(QPen(Palette::Red, 2));
        p.drawPath(shape);
    });
}

void variantPanel(QImage &img, const Entry &e, const QString &caption)
{
    QPainter p(&img);
    setupPainter(p);
    // Drawn at y 111 (task 19) or 120 (task 21) on the setup backdrop.
    const double top = e.argument.startsWith(QLatin1String("19")) ? 111 : 120;
    p.translate(0, -top);
    backdrop(p, QRectF(img.rect()).translated(0, top));
    p.translate(0, top);
    const QRectF r = QRectF(img.rect()).adjusted(2, 2, -2, -2);
    panel(p, r, Palette::Paper, 12, Palette::Glow);
    const double logo = qMin(r.height() - 20, 64.0);
    drawLogo(p, QRectF(r.left() + 12, r.center().y() - logo / 2, logo, logo),
             e.argument.startsWith(QLatin1String("19")) ? QStringLiteral("percent") : QStringLiteral("graph"));
    fittedText(p, r.adjusted(logo + 24, 8, -10, -8), caption, captionFont(17),
               Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, Palette::Night);
}

} // namespace

void addPanelPieces(QHash<QString, Piece> &t)
{
    const std::pair<const char *, Piece> table[] = {
        {"strip_left", strip}, {"strip_middle", strip}, {"strip_right", strip},
        {"side_tab", sideTab}, {"side_tab_hi", sideTab}, {"calc_panel", calcPanel},
        {"notes_panel", notesPanel}, {"calc_key", calcKey}, {"calc_key_hi", calcKey},
        {"exp_bar", expBar}, {"exp_key", expKey}, {"exp_key_hi", expKey},
        {"hint", hintWindow}, {"bubble", bubble}, {"variant_panel", variantPanel}};
    for (const auto &[style, piece] : table)
        t.insert(QLatin1String(style), piece);
}

} // namespace Resources::Art
