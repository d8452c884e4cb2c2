#include "platform/Picture.h"

#include "platform/KeptForTheRun.h"
#include "platform/ResourcePath.h"

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QtEndian>

namespace platform {

QColor RGB(int red, int green, int blue)
{
    return QColor(red, green, blue);
}

Picture::Picture(QImage image, QPoint hotspot)
    : image_(std::move(image)), hotspot_(hotspot), opaque_(!image_.isNull() && !image_.hasAlphaChannel())
{
    // Premultiplied, as the painter blends: drawn or drawn on in any other
    // format, every call goes through a slow generic path, converting line
    // by line.
    if (!image_.isNull() && image_.format() != kPictureFormat)
        image_ = image_.convertToFormat(kPictureFormat);
    // Fills stretched over a whole sheet are such pictures: found here, at
    // once, in the first pixels for any other.
    if (!opaque_)
        return;
    const QRgb first = image_.pixel(0, 0);
    for (int y = 0; y < image_.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image_.constScanLine(y));
        for (int x = 0; x < image_.width(); ++x)
            if (line[x] != first)
                return;
    }
    plain_ = QColor::fromRgba(first);
}

QImage Picture::withTransparentKey(const QColor &key) const
{
    QImage out = image_;
    const QRgb k = key.rgb() & RGB_MASK;
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((qUnpremultiply(line[x]) & RGB_MASK) == k)
                line[x] = 0;
    }
    return out;
}

namespace {

// A CUR file is an ICO file with type 2 whose directory entries hold the
// hotspot where an icon holds its planes and bit count.
Picture readCursor(QByteArray bytes)
{
    if (bytes.size() < 22)
        return {};
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
    const QPoint hotspot(qFromLittleEndian<quint16>(d + 10), qFromLittleEndian<quint16>(d + 12));
    bytes[2] = 1; // read the rest as an icon
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    return Picture(reader.read(), hotspot);
}

} // namespace

Picture LoadPicture(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QString real = resolvePath(path);
    QFile file(real);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("LoadPicture: cannot open %s", qPrintable(real));
        return {};
    }
    const QByteArray bytes = file.readAll();
    Picture picture;
    if (bytes.size() > 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 2 && bytes[3] == 0) {
        picture = readCursor(bytes);
    } else {
        QImage image;
        image.loadFromData(bytes);
        picture = Picture(image);
    }
    if (picture.isNull())
        qWarning("LoadPicture: cannot read %s", qPrintable(real));
    return picture;
}

namespace {

// Screens set a pointer on every mouse move: each picture's cursor is made
// once (a program has a handful). A cursor's picture is shown as it is, so
// on a scaled screen it is drawn at the screen's scale, its hot spot on the
// same stage pixel.
QCursor cursorOf(const Picture &icon)
{
    static const KeptForTheRun<QHash<std::pair<qint64, QPoint>, QCursor>> cursors;
    const std::pair key(icon.image().cacheKey(), icon.hotspot());
    auto hit = cursors->constFind(key);
    if (hit != cursors->constEnd())
        return *hit;
    if (cursors->size() >= 32)
        cursors->clear();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double s = screen ? screen->devicePixelRatio() : 1.0;
    QPixmap picture = QPixmap::fromImage(icon.image());
    QPoint hotspot = icon.hotspot();
    if (s != 1.0) {
        picture = picture.scaled(qRound(picture.width() * s), qRound(picture.height() * s), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        hotspot = QPoint(int((hotspot.x() + 0.5) * s), int((hotspot.y() + 0.5) * s));
    }
    return *cursors->insert(key, QCursor(picture, hotspot.x(), hotspot.y()));
}

void showPointer(QWidget *widget, int pointer, const Picture &icon, Qt::CursorShape fallback)
{
    if (pointer == vbCustom && !icon.isNull()) {
        const QCursor cursor = cursorOf(icon);
        if (!widget->testAttribute(Qt::WA_SetCursor) || widget->cursor() != cursor)
            widget->setCursor(cursor);
    } else if (pointer == vbArrow)
        widget->setCursor(Qt::ArrowCursor);
    else if (fallback != Qt::ArrowCursor)
        widget->setCursor(fallback);
    else
        widget->unsetCursor();
}

} // namespace

// A text box's editor covers it: the pointer is shown there too, the
// editor's text cursor being its default.
void applyMousePointer(QWidget *widget, int pointer, const Picture &icon)
{
    showPointer(widget, pointer, icon, Qt::ArrowCursor);
    if (QWidget *editor = widget->focusProxy()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(editor);
        showPointer(area ? area->viewport() : editor, pointer, icon, Qt::IBeamCursor);
    }
}

QRegion regionWithout(const QImage &image, const QColor &key)
{
    // Built from runs of kept pixels per row: one rectangle per run rather
    // than one region operation per removed pixel.
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb k = key.rgb() & RGB_MASK;
    QRegion region;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        int x = 0;
        while (x < img.width()) {
            while (x < img.width() && (line[x] & RGB_MASK) == k)
                ++x;
            const int start = x;
            while (x < img.width() && (line[x] & RGB_MASK) != k)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

} // namespace platform
