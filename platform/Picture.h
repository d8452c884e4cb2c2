#pragma once
// Pictures loaded from BMP, ICO and CUR files, as the forms use them:
// backgrounds, button faces, mouse cursors and window shapes.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QString>

class QWidget;

namespace platform {

// Key colour of transparent drawing: magenta.
inline const QColor kKeyColour(255, 0, 255);

QColor RGB(int red, int green, int blue);

// The format of pictures and drawing surfaces.
constexpr QImage::Format kPictureFormat = QImage::Format_ARGB32_Premultiplied;

class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image, QPoint hotspot = {});

    bool isNull() const { return image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage &image() const { return image_; }
    // Hotspot of a cursor file; (0, 0) for other pictures.
    QPoint hotspot() const { return hotspot_; }
    // Every pixel opaque: the file had no alpha channel.
    bool isOpaque() const { return opaque_; }
    // An opaque picture of one colour: that colour, else invalid.
    QColor plainColour() const { return plain_; }

    // The picture with every pixel of `key` fully transparent.
    QImage withTransparentKey(const QColor &key = kKeyColour) const;

private:
    QImage image_;
    QPoint hotspot_;
    bool opaque_ = false;
    QColor plain_;
};

// Loads a BMP, ICO or CUR file by resource path (any case, "\" or "/").
// An empty path gives an empty picture, as does a missing or unreadable
// file; the latter also logs a warning.
Picture LoadPicture(const QString &path);

// Mouse pointers: 0 default, 1 arrow, 99 the object's own MouseIcon.
enum { vbDefault = 0, vbArrow = 1, vbCustom = 99 };
// Gives `widget` the pointer that MousePointer and MouseIcon select.
void applyMousePointer(QWidget *widget, int pointer, const Picture &icon);

// The rectangle of `image` minus every pixel of colour `key`.
QRegion regionWithout(const QImage &image, const QColor &key);

} // namespace platform
