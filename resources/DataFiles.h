#pragma once
// The default data directory: texts, marks, task templates, empty results.
#include <QString>

namespace Resources {

// sourceDir holds data/texty.txt, data/znamky.txt and data/tasks/NN.txt.
void writeDataFiles(const QString &sourceDir, const QString &dataDir);

// Windows-1250 with CR LF line ends; throws when a character has no code.
QByteArray toWindowsText(const QStringList &lines);

} // namespace Resources
