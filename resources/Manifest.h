#pragma once
// The resource manifest: one line per file the program loads, read by the
// generator (to draw it) and by the tests (to check it).
#include <QList>
#include <QString>

namespace Resources {

struct Entry {
    QString path;     // relative to the resource directory, "/" separated
    int width = 0;    // 0 for files without a picture size
    int height = 0;
    QString screen;
    QString style;    // drawing routine
    QString argument; // the part of the style after ":"
    QString caption;  // as written; "@k" refers to text k
    QString note;
    int line = 0;
};

// Reads the manifest; throws std::runtime_error naming the line on a bad line.
QList<Entry> readManifest(const QString &fileName);

} // namespace Resources
