#include "platform/Canvas.h"

#include "platform/Fonts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <cmath>
#include <cstring>
#include <utility>

namespace platform {

QImage *Dc::image() const
{
    if (!canvas)
        return nullptr;
    canvas->fitImages();
    if (persistent)
        return &canvas->persistent_;
    canvas->flush();
    return &canvas->screen_;
}

void Dc::changed(const QRect &area) const
{
    if (!canvas)
        return;
    if (persistent) {
        // Kept to a few rectangles: a graph drawn line by line would
        // otherwise cost more in joining its pieces than in drawing them.
        // What lies between them is compared before it is shown anyway.
        canvas->stale_ += area;
        if (canvas->stale_.rectCount() > 8)
            canvas->stale_ = canvas->stale_.boundingRect();
        canvas->showLater();
    } else {
        canvas->screenOnly_ += area;
        canvas->update(area);
    }
}

namespace {

bool refreshAsked = false;

// Canvases drawn on since their drawing was last shown; one queued call
// shows them all, before the repaints that Qt queues behind other events.
QList<QPointer<Canvas>> &waiting()
{
    static QList<QPointer<Canvas>> canvases;
    return canvases;
}

void showAllChanges()
{
    const QList<QPointer<Canvas>> canvases = std::exchange(waiting(), {});
    for (const QPointer<Canvas> &c : canvases)
        if (c)
            c->showChanges();
}

// The rectangle round the pixels of `r` in which the two images differ.
QRect differingIn(const QImage &a, const QImage &b, const QRect &r)
{
    int top = -1, bottom = -1, left = r.right() + 1, right = r.left() - 1;
    const size_t bytes = size_t(r.width()) * sizeof(QRgb);
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y)) + r.left();
        const auto *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y)) + r.left();
        if (std::memcmp(pa, pb, bytes) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int from = 0, to = r.width() - 1;
        while (pa[from] == pb[from])
            ++from;
        while (pa[to] == pb[to])
            --to;
        left = std::min(left, r.left() + from);
        right = std::max(right, r.left() + to);
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where within `r` the two images differ: a rectangle round the differing
// pixels of each band of rows, so that scattered changes (a graph's dots)
// are painted without everything between them.
QRegion differing(const QImage &a, const QImage &b, QRect r)
{
    r &= a.rect() & b.rect();
    if (r.isEmpty() || a.constBits() == b.constBits())
        return {};
    constexpr int Band = 16;
    QRegion differs;
    for (int top = r.top(); top <= r.bottom(); top += Band)
        differs += differingIn(a, b, QRect(r.left(), top, r.width(), std::min(Band, r.bottom() + 1 - top)));
    return differs;
}

} // namespace

void Canvas::showLater()
{
    if (showQueued_)
        return;
    showQueued_ = true;
    if (waiting().isEmpty())
        QMetaObject::invokeMethod(qApp, &showAllChanges, Qt::QueuedConnection);
    waiting().append(this);
}

void Canvas::showChanges()
{
    showQueued_ = false;
    flush();
    // Alike, the two layers are one image until one of them is drawn on:
    // a surface keeps no second copy of what it shows.
    if (layersAlike())
        screen_ = persistent_;
}

void Canvas::showScreen(const QImage &image)
{
    QRegion differs = rect();
    if (image.size() == screen_.size())
        differs = differing(image, screen_, rect());
    screen_ = image;
    update(differs);
}

Canvas::Canvas(QWidget *parent) : QWidget(parent)
{
    // Its image covers it all: nothing beneath needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    persistent_ = QImage(1, 1, kPictureFormat);
    persistent_.fill(backColor_);
    screen_ = persistent_;
}

void Canvas::setCanvasBackColor(QColor v)
{
    backColor_ = v;
    // As after a Cls: the persistent image becomes the new background.
    persistent_ = background();
    stale_ = QRegion();
    screenOnly_ = QRegion();
    showScreen(persistent_);
}

double Canvas::canvasFontSize() const { return pixelsToPoints(fontPixels_); }

void Canvas::setCanvasFontSize(double v) { fontPixels_ = std::max(1, pointsToPixels(v)); }

QFont Canvas::drawingFont() const
{
    QFont f = makeFont(fontName_, 12, fontBold_);
    f.setPixelSize(fontPixels_);
    return f;
}

QImage Canvas::background() const
{
    // A picture that covers the whole surface is its background as it is,
    // shared rather than copied until something is drawn on it.
    if (picture_.isOpaque() && picture_.image().size() == QSize(std::max(1, width()), std::max(1, height())))
        return picture_.image();
    QImage img(std::max(1, width()), std::max(1, height()), kPictureFormat);
    img.fill(backColor_);
    if (!picture_.isNull()) {
        QPainter p(&img);
        p.drawImage(0, 0, picture_.image());
    }
    return img;
}

void Canvas::setPicture(platform::Picture v)
{
    picture_ = std::move(v);
    persistent_ = background();
    stale_ = QRegion();
    screenOnly_ = QRegion();
    showScreen(persistent_);
}

void Canvas::Line(double x1, double y1, double x2, double y2, bool box)
{
    Line(x1, y1, x2, y2, foreColor_, box);
}

void Canvas::Line(double x1, double y1, double x2, double y2, const QColor &colour, bool box)
{
    Dc dc = hDC();
    QPainter p(dc.image());
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                          Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    QPen pen(colour, 1, styles[std::clamp(drawStyle_, 0, 5)]);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    const QPointF a(std::round(x1), std::round(y1)), b(std::round(x2), std::round(y2));
    if (box)
        p.drawRect(QRectF(a, b).normalized());
    else
        p.drawLine(a, b);
    p.end();
    currentX_ = x2;
    currentY_ = y2;
    dc.changed(QRectF(a, b).normalized().toAlignedRect().adjusted(-1, -1, 2, 2));
}

void Canvas::Print(const QString &text)
{
    Dc dc = hDC();
    QPainter p(dc.image());
    p.setFont(drawingFont());
    p.setPen(foreColor_);
    const QFontMetrics fm(drawingFont());
    const QPoint at(int(std::round(currentX_)), int(std::round(currentY_)));
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
    p.end();
    currentX_ = 0;
    currentY_ += fm.height();
    dc.changed(QRect(at, QSize(fm.horizontalAdvance(text) + 2, fm.height())));
}

void Canvas::Cls()
{
    if (autoRedraw_)
        persistent_ = background();
    stale_ = QRegion();
    screenOnly_ = QRegion();
    currentX_ = currentY_ = 0;
    showScreen(persistent_);
}

QColor Canvas::Point(int x, int y) const
{
    flush();
    const QImage &img = autoRedraw_ ? persistent_ : screen_;
    if (!img.valid(x, y))
        return QColor(); // invalid, as the runtime's -1
    return QColor(img.pixel(x, y));
}

int Canvas::TextWidth(const QString &text) const
{
    return QFontMetrics(drawingFont()).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString &text) const
{
    const int lines = std::max<qsizetype>(1, text.count('\n') + 1);
    return QFontMetrics(drawingFont()).height() * lines;
}

void Canvas::PaintPicture(const platform::Picture &picture, int x, int y, int width, int height)
{
    Dc dc = hDC();
    QPainter p(dc.image());
    const QRect area(x, y, width < 0 ? picture.Width() : width, height < 0 ? picture.Height() : height);
    // Stretched, a picture of one colour is that colour over the area.
    if (const QColor plain = picture.plainColour(); plain.isValid())
        p.fillRect(area, plain);
    else
        p.drawImage(area, picture.image());
    p.end();
    dc.changed(area);
}

// A screen is built and then refreshed inside one click: painted at once,
// it would be painted again for what changes after it, and each paint of a
// scaled form costs milliseconds.
void Canvas::Refresh()
{
    flush();
    if (!screenOnly_.isEmpty()) {
        screen_ = persistent_;
        update(screenOnly_);
        screenOnly_ = QRegion();
    }
    // A hidden surface has nothing to show before its form is shown.
    if (isVisible())
        refreshAsked = true;
}

void showRefreshes()
{
    if (!refreshAsked || !QCoreApplication::instance())
        return;
    refreshAsked = false;
    showAllChanges();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// Only what was drawn on the persistent image is shown again, so a
// screen-only drawing beside it stays until a Refresh.
// A new screen is drawn over much the same one: a blue sheet, the same
// frames in the same places. Only the pixels that differ from what the
// screen image held are painted and sent to the window system again.
void Canvas::flush() const
{
    if (stale_.isEmpty())
        return;
    QRegion differs;
    for (const QRect &r : stale_)
        differs += differing(screen_, persistent_, r);
    stale_ = QRegion();
    if (differs.isEmpty())
        return;
    QPainter s(&screen_);
    s.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &r : differs)
        s.drawImage(r, persistent_, r);
    s.end();
    const_cast<Canvas *>(this)->update(differs);
}

void drawStretched(QPainter &p, const QImage &image)
{
    p.drawImage(0, 0, image);
    // Scaled, Qt's fast copy ends where its corner and its size, each
    // rounded, add up to: a column or row short of the scaled edge rounded,
    // where the general one ends. On an opaque surface that pixel would
    // keep what the screen before left there. The general one draws it.
    const QTransform toDevice = p.deviceTransform();
    if (toDevice.type() != QTransform::TxScale
        || (image.format() != QImage::Format_ARGB32_Premultiplied && image.format() != QImage::Format_RGB32))
        return;
    const QRectF across = toDevice.mapRect(QRectF(image.rect()));
    const QPoint corner(qRound(across.left()), qRound(across.top()));
    const QRect fast(corner, QSize(qRound(across.width()), qRound(across.height())));
    const QRect general(corner, QPoint(qRound(across.right()) - 1, qRound(across.bottom()) - 1));
    const QRegion missing = QRegion(general) - fast;
    // A surface is painted clip rectangle by clip rectangle, most of them
    // clear of its last column and row.
    const bool clippedAway
        = p.hasClipping() && !missing.intersects(toDevice.mapRect(p.clipBoundingRect()).toAlignedRect());
    if (missing.isEmpty() || clippedAway)
        return;
    p.save();
    const QTransform world = p.worldTransform();
    p.setWorldTransform(toDevice.inverted() * world);
    p.setClipRegion(missing, Qt::IntersectClip);
    p.setWorldTransform(world);
    const auto drawGenerally = [&](QRect edge) {
        p.drawImage(QRectF(edge), image.copy(edge).convertToFormat(QImage::Format_ARGB32));
    };
    if (general.right() > fast.right())
        drawGenerally(QRect(image.width() - 1, 0, 1, image.height()));
    if (general.bottom() > fast.bottom())
        drawGenerally(QRect(0, image.height() - 1, image.width(), 1));
    p.restore();
}

void Canvas::paintEvent(QPaintEvent *e)
{
    flush();
    QPainter p(this);
    // Clipped to one rectangle, a scaled image is drawn by Qt's fast path;
    // clipped to a region, by its general one, handed out in pieces to a
    // pool of threads while this one waits.
    for (const QRect &r : e->region()) {
        p.setClipRect(r);
        drawStretched(p, screen_);
    }
}

void Canvas::resizeEvent(QResizeEvent *) { fitImages(); }

void Canvas::fitImages()
{
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (persistent_.size() == size && screen_.size() == size)
        return;
    // Grown areas take the background; what was drawn stays.
    auto grow = [this](QImage &img) {
        QImage bigger = background();
        QPainter p(&bigger);
        p.drawImage(0, 0, img);
        img = bigger;
    };
    grow(persistent_);
    grow(screen_);
}

namespace {

void copyRect(Dc dest, int x, int y, const QImage &src, QRect from, const QSize &size)
{
    QImage *d = dest.image();
    if (!d || src.isNull())
        return;
    QPainter p(d);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRect(QPoint(x, y), size), src, from);
    p.end();
    dest.changed(QRect(QPoint(x, y), size));
}

} // namespace

void BitBlt(Dc dest, int x, int y, int width, int height, Dc source, int sx, int sy)
{
    if (!source.image())
        return;
    // Only the part that lies on the source is copied: callers may pass a
    // size larger than the source (the hint windows pass twips).
    const QRect from = QRect(sx, sy, width, height) & source.image()->rect();
    if (from.isEmpty())
        return;
    // A copy of the source, so a surface may be copied onto itself.
    const QImage src = source.image()->copy(from);
    copyRect(dest, x + from.x() - sx, y + from.y() - sy, src, src.rect(), src.size());
}

void StretchBlt(Dc dest, int x, int y, int width, int height, Dc source, int sx, int sy, int sw,
                int sh)
{
    if (!source.image())
        return;
    const QImage src = source.image()->copy(sx, sy, sw, sh);
    copyRect(dest, x, y, src, src.rect(), QSize(width, height));
}

void TransparentBlt(Dc dest, int x, int y, int width, int height, Dc source, int sx, int sy,
                    const QColor &key)
{
    if (!source.image() || !dest.image())
        return;
    const platform::Picture part(source.image()->copy(sx, sy, width, height));
    QPainter p(dest.image());
    p.drawImage(x, y, part.withTransparentKey(key));
    p.end();
    dest.changed(QRect(x, y, width, height));
}

void DrawPicture(Dc dest, int x, int y, const platform::Picture &picture, bool transparent)
{
    if (!dest.image() || picture.isNull())
        return;
    QPainter p(dest.image());
    if (transparent) {
        p.drawImage(x, y, picture.withTransparentKey());
    } else {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(x, y, picture.image());
    }
    p.end();
    dest.changed(QRect(QPoint(x, y), picture.image().size()));
}

} // namespace platform
