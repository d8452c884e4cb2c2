#include "resources/Writers.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QtEndian>
#include <cmath>
#include <stdexcept>

namespace Resources {

namespace {

void fail(const QString &what, const QString &fileName)
{
    throw std::runtime_error((what + QLatin1String(": ") + fileName).toStdString());
}

void makeParent(const QString &fileName)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
}

QByteArray encode(const QList<QImage> &images, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    for (const QImage &image : images)
        if (!writer.write(image))
            throw std::runtime_error("cannot encode " + std::string(format));
    return bytes;
}

void put16(QByteArray &bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

} // namespace

void writeBytes(const QByteArray &bytes, const QString &fileName)
{
    makeParent(fileName);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write"), fileName);
}

void writeBmp(const QImage &image, const QString &fileName)
{
    // RGB888 makes the writer store 24 bits per pixel, the depth the program expects.
    writeBytes(encode({image.convertToFormat(QImage::Format_RGB888)}, "bmp"), fileName);
}

void writeIcon(const QList<QImage> &sizes, const QString &fileName)
{
    QList<QImage> images;
    for (const QImage &image : sizes)
        images.append(image.convertToFormat(QImage::Format_ARGB32));
    QByteArray bytes;
    // The ico writer takes one image per write; join them into one directory.
    QList<QByteArray> singles;
    for (const QImage &image : images)
        singles.append(encode({image}, "ico"));
    const int count = singles.size();
    bytes.append(singles.first().left(6));
    put16(bytes, 4, quint16(count));
    QByteArray data;
    for (const QByteArray &single : singles) {
        QByteArray dirEntry = single.mid(6, 16);
        const quint32 offset = 6 + 16 * count + data.size();
        qToLittleEndian(offset, dirEntry.data() + 12);
        bytes.append(dirEntry);
        data.append(single.mid(6 + 16));
    }
    bytes.append(data);
    writeBytes(bytes, fileName);
}

void writeCursor(const QImage &image, QPoint hotSpot, const QString &fileName)
{
    // A cursor file is an icon file of type 2 whose directory entry holds the
    // hot spot where an icon keeps planes and bit count.
    QByteArray bytes = encode({image.convertToFormat(QImage::Format_ARGB32)}, "ico");
    put16(bytes, 2, 2);
    put16(bytes, 6 + 4, quint16(hotSpot.x()));
    put16(bytes, 6 + 6, quint16(hotSpot.y()));
    writeBytes(bytes, fileName);
}

void writeWav(const QList<float> &samples, int sampleRate, const QString &fileName)
{
    QByteArray pcm(samples.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < samples.size(); ++i) {
        const float s = std::clamp(samples[i], -1.0f, 1.0f);
        qToLittleEndian(qint16(std::lround(s * 32767.0f)), pcm.data() + 2 * i);
    }
    QByteArray h(44, '\0');
    auto put32 = [&h](int offset, quint32 v) { qToLittleEndian(v, h.data() + offset); };
    h.replace(0, 4, "RIFF");
    put32(4, quint32(36 + pcm.size()));
    h.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(h, 20, 1); // PCM
    put16(h, 22, 1); // mono
    put32(24, quint32(sampleRate));
    put32(28, quint32(sampleRate * 2));
    put16(h, 32, 2);
    put16(h, 34, 16);
    h.replace(36, 4, "data");
    put32(40, quint32(pcm.size()));
    writeBytes(h + pcm, fileName);
}

} // namespace Resources
