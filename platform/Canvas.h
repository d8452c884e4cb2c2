#pragma once
// A drawing surface with two images, as forms and picture boxes have:
// the persistent image, which repaints restore, and the image on the
// screen. With AutoRedraw on, drawing goes to the persistent image (shown
// at the next repaint); with it off, to the screen image only, so the
// next Refresh or expose wipes it.
#include "platform/Picture.h"
#include "platform/Property.h"

#include <QFont>
#include <QPainter>
#include <QImage>
#include <QRegion>
#include <QWidget>

namespace platform {

class Canvas;

// The surface a drawing call writes to or reads from: the persistent image
// of a canvas with AutoRedraw on, its screen image with it off.
struct Dc {
    Canvas *canvas = nullptr;
    bool persistent = false;
    QImage *image() const;
    // Shows what was drawn in `area` (at once on the screen layer, at the
    // next repaint on the persistent one).
    void changed(const QRect &area) const;
};

class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget *parent = nullptr);

    bool autoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool v) { autoRedraw_ = v; }
    QColor canvasBackColor() const { return backColor_; }
    void setCanvasBackColor(QColor v);
    QColor canvasForeColor() const { return foreColor_; }
    void setCanvasForeColor(QColor v) { foreColor_ = v; }
    double currentX() const { return currentX_; }
    void setCurrentX(double v) { currentX_ = v; }
    double currentY() const { return currentY_; }
    void setCurrentY(double v) { currentY_ = v; }
    QString canvasFontName() const { return fontName_; }
    void setCanvasFontName(QString v) { fontName_ = std::move(v); }
    double canvasFontSize() const;
    void setCanvasFontSize(double v);
    bool canvasFontBold() const { return fontBold_; }
    void setCanvasFontBold(bool v) { fontBold_ = v; }
    int drawStyle() const { return drawStyle_; }
    void setDrawStyle(int v) { drawStyle_ = v; }
    platform::Picture picture() const { return picture_; }
    void setPicture(platform::Picture v);

    LK_PROP(Canvas, bool, AutoRedraw, autoRedraw, setAutoRedraw);
    LK_PROP(Canvas, double, CurrentX, currentX, setCurrentX);
    LK_PROP(Canvas, double, CurrentY, currentY, setCurrentY);
    LK_PROP(Canvas, int, DrawStyle, drawStyle, setDrawStyle);
    LK_PROP(Canvas, platform::Picture, Picture, picture, setPicture);

    // A straight line without its end point, as the runtime draws it, or
    // with `box` the outline of the rectangle between the two corners, both
    // corners included; in ForeColor or `colour`.
    void Line(double x1, double y1, double x2, double y2, bool box = false);
    void Line(double x1, double y1, double x2, double y2, const QColor &colour, bool box = false);
    // Text with its top-left corner at (CurrentX, CurrentY); then CurrentX
    // returns to 0 and CurrentY moves one line down.
    void Print(const QString &text);
    // Clears to BackColor and Picture with AutoRedraw on; with it off only
    // what was drawn on the screen layer goes. CurrentX and CurrentY = 0.
    void Cls();
    QColor Point(int x, int y) const;
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    void PaintPicture(const platform::Picture &picture, int x, int y, int width = -1, int height = -1);
    // Shows the persistent image again: painted with whatever else changed
    // when the event ends, or before a wait that handles no events.
    void Refresh();

    Dc hDC() { return Dc{this, autoRedraw_}; }
    // Whether the screen image shows nothing but the persistent one:
    // nothing has been drawn on the screen alone since they were alike.
    bool layersAlike() const { return screenOnly_.isEmpty(); }
    // Brings what was drawn on the persistent image onto the screen, once
    // the event that drew it is over.
    void showChanges();
    const QImage &persistentImage() const { return persistent_; }
    const QImage &screenImage() const { return screen_; }

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;
    QFont drawingFont() const;
    QImage background() const;

private:
    friend struct Dc;
    QImage persistent_;
    mutable QImage screen_;
    mutable QRegion stale_; // drawn on the persistent image, not yet shown
    QRegion screenOnly_;    // drawn on the screen image alone since they were alike
    bool showQueued_ = false;
    void showLater();
    // The screen image replaced by `image`, painted where they differ.
    void showScreen(const QImage &image);
    // Brings what was drawn on the persistent image onto the screen image
    // and has the pixels that change painted.
    void flush() const;
    // Gives both images the widget's size. A hidden widget learns of a new
    // size only when it is shown, and drawing before that must not be lost.
    void fitImages();
    bool autoRedraw_ = false;
    QColor backColor_{255, 255, 255};
    QColor foreColor_{0, 0, 0};
    double currentX_ = 0, currentY_ = 0;
    QString fontName_;
    int fontPixels_ = 16;
    bool fontBold_ = false;
    int drawStyle_ = 0;
    platform::Picture picture_;
};

// Paints what Refresh asked to show, if anything, at once.
void showRefreshes();

// Draws `image` at the painter's origin; on a scaled screen exactly as
// Qt's general, slower path for unpremultiplied images draws it.
void drawStretched(QPainter &p, const QImage &image);

// Block copies between surfaces. Sizes and positions are pixels.
void BitBlt(Dc dest, int x, int y, int width, int height, Dc source, int sx, int sy);
void StretchBlt(Dc dest, int x, int y, int width, int height, Dc source, int sx, int sy, int sw,
                int sh);
// Leaves the destination unchanged wherever the source has colour `key`.
void TransparentBlt(Dc dest, int x, int y, int width, int height, Dc source, int sx, int sy,
                    const QColor &key = kKeyColour);
// The same, from a picture instead of a surface.
void DrawPicture(Dc dest, int x, int y, const platform::Picture &picture, bool transparent = false);

} // namespace platform
