#pragma once
// Draws one manifest entry. Pieces are small pictures sized to their
// controls; screens are the composed 640 x 480 backgrounds and pages.
#include "resources/Manifest.h"

#include <QImage>
#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace Resources {
class Texts;
}

namespace Resources::Art {

struct Context {
    const Texts *texts = nullptr;
    QMap<QString, QString> helpPages; // by base name of the picture
};

// Returns a null image when the style is not a picture style.
QImage drawPicture(const Entry &entry, const Context &context);
QImage drawPiece(const Entry &entry, const QString &caption);
QImage drawScreen(const Entry &entry, const QString &caption, const Context &context);
QImage drawCursor(const QString &kind);
QImage drawIcon(int size);

// Everything outside the shape becomes the key colour.
void keyOutside(QImage &image, const QPainterPath &shape);
// Draws on the picture, then keys out everything outside the shape.
void keyedPicture(QImage &image, const QPainterPath &shape, const std::function<void(QPainter &)> &draw);
// A small emblem of a task kind ("fraction", "equation", "graph", ...).
void drawLogo(QPainter &p, const QRectF &r, const QString &kind);

} // namespace Resources::Art
