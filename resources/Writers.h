#pragma once
// File formats the generator writes: 24-bit BMP, ICO, CUR and PCM WAV.
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>

namespace Resources {

void writeBmp(const QImage &image, const QString &fileName);
void writeIcon(const QList<QImage> &sizes, const QString &fileName);
void writeCursor(const QImage &image, QPoint hotSpot, const QString &fileName);
// Mono 16-bit samples in -1..1.
void writeWav(const QList<float> &samples, int sampleRate, const QString &fileName);
void writeBytes(const QByteArray &bytes, const QString &fileName);

} // namespace Resources
