#pragma once
// The shared look: palette, caption font and the few shapes every picture uses.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace Resources::Art {

namespace Palette {
inline const QColor Key{255, 0, 255}; // drawn transparently by the program
inline const QColor Night{16, 48, 92};
inline const QColor Sky{58, 124, 196};
inline const QColor Button{38, 102, 178};
inline const QColor ButtonLight{96, 168, 236};
inline const QColor Glow{255, 214, 90};
inline const QColor Sheet{221, 235, 248};
inline const QColor Paper{255, 250, 238};
inline const QColor Cream{255, 236, 182}; // cells the pupil fills now
inline const QColor Grey{179, 179, 179};  // cells not open yet
inline const QColor Ink{28, 40, 58};
inline const QColor Orange{240, 140, 40};
inline const QColor Green{40, 160, 80};
inline const QColor Red{214, 56, 56};
} // namespace Palette

QImage canvas(int width, int height, const QColor &fill);
void setupPainter(QPainter &p);
QFont captionFont(double pixelSize, bool bold = true);
QFont mathFont(double pixelSize);

// The colour of a screen's backdrop at height y, the backdrop running from
// Night at 0 to Sky at span (480 for whole screens, 83 for the exercise header).
QColor backdropAt(double y, double span = 480);
void backdrop(QPainter &p, const QRectF &r, double span = 480);
void verticalGradient(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom);
void panel(QPainter &p, const QRectF &r, const QColor &fill, double radius = 10,
           const QColor &border = QColor(255, 255, 255, 150));
// A rounded face with a caption; the highlighted face is lighter and glows.
void buttonFace(QPainter &p, const QRectF &r, const QString &caption, bool highlighted,
                double pixelSize, double radius = 8);
// Draws text in r, shrinking the font until it fits.
void fittedText(QPainter &p, const QRectF &r, const QString &text, QFont font, int flags,
                const QColor &colour);

} // namespace Resources::Art
