#pragma once
// Shared helpers of the resources tests: the generated directories and the manifest.
#include "resources/Manifest.h"
#include "services/Prekodovani.h"

#include <QFile>
#include <QStringDecoder>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ResourcesTest {

inline QString resourceDir() { return QStringLiteral(LK_RESOURCE_DIR); }
inline QString dataDir() { return QStringLiteral(LK_DEFAULT_DATA_DIR); }
inline QString sourceFile(const QString &name) { return QStringLiteral(LK_SOURCE_DIR "/resources/") + name; }

inline const QList<Resources::Entry> &manifest()
{
    static const QList<Resources::Entry> entries = Resources::readManifest(sourceFile(QStringLiteral("manifest.txt")));
    return entries;
}

inline QByteArray readAll(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A data file as text lines; every line must end in CR LF.
inline QStringList windowsLines(const QByteArray &bytes)
{
    QList<QByteArray> parts = bytes.split('\n');
    if (parts.last().isEmpty())
        parts.removeLast(); // after the last line end
    else
        parts.last() += "<no line end>";
    QStringDecoder decoder("windows-1250");
    QStringList lines;
    for (const QByteArray &part : parts)
        lines.append(decoder.decode(part.endsWith('\r') ? part.chopped(1) : part + "<LF only>"));
    return lines;
}

inline QStringList unscrambledLines(const QString &fileName)
{
    QByteArray bytes = readAll(fileName);
    Misc::Prekoduj_bajty(bytes);
    return windowsLines(bytes);
}

} // namespace ResourcesTest
