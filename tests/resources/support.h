#pragma once
// Shared helpers of the resources tests: the generated directories and the manifest.
#include "resources/Manifest.h"
#include "services/Prekodovany_soubor.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

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

// A scrambled data file read through the program's reading protocol.
inline QStringList unscrambledLines(const QString &fileName)
{
    QStringList lines;
    Misc::Precti_prekodovany_soubor(fileName, lines);
    return lines;
}

} // namespace ResourcesTest
