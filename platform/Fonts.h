#pragma once
// Fonts are set in pixels as on a 96-dpi screen (12 points = 16 px), so
// layouts and measured widths do not move with the desktop's DPI.
#include <QFont>
#include <QString>

namespace platform {

// The design font of labels, cells and the printer; mapped to the bundled
// DejaVu Sans so that text widths are the same on every machine.
inline const QString kDesignFont = QStringLiteral("MS Sans Serif");

// Registers the bundled font files; safe to call more than once.
void registerBundledFonts();

// Registers a font file for the run; returns its id (-1 on failure).
int registerFontFile(const QString &path);
void unregisterFontFile(int id);

// The real family behind a design-time font name.
QString mapFontFamily(const QString &name);

// Whole pixels for a size in points, and the size that reads back from
// them (a request of 10 points reads 9.75, of 8 points 8.25).
int pointsToPixels(double points);
double pixelsToPoints(int pixels);

QFont makeFont(const QString &name, double points, bool bold);

} // namespace platform
