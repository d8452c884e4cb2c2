#include "resources/Manifest.h"

#include <QFile>
#include <QTextStream>
#include <stdexcept>

namespace Resources {

namespace {

Entry parseLine(const QString &text, int line)
{
    const QStringList f = text.split(QLatin1Char('|'));
    if (f.size() < 5)
        throw std::runtime_error("manifest line " + std::to_string(line) + ": too few fields");
    Entry e;
    e.path = f[0].trimmed();
    bool okW = false, okH = false;
    e.width = f[1].trimmed().toInt(&okW);
    e.height = f[2].trimmed().toInt(&okH);
    if (!okW || !okH || e.path.isEmpty())
        throw std::runtime_error("manifest line " + std::to_string(line) + ": bad path or size");
    e.screen = f[3].trimmed();
    const QString style = f[4].trimmed();
    e.style = style.section(QLatin1Char(':'), 0, 0);
    e.argument = style.section(QLatin1Char(':'), 1);
    if (f.size() > 5)
        e.caption = f[5].trimmed().replace(QLatin1String("\\n"), QLatin1String("\n"));
    if (f.size() > 6)
        e.note = f[6].trimmed();
    e.line = line;
    return e;
}

} // namespace

QList<Entry> readManifest(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read " + fileName.toStdString());
    QList<Entry> entries;
    QTextStream in(&file);
    int line = 0;
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++line;
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        entries.append(parseLine(trimmed, line));
    }
    return entries;
}

} // namespace Resources
