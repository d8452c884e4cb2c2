#include "platform/ResourcePath.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace platform {
namespace {

QHash<QString, QString> &cache()
{
    static QHash<QString, QString> c;
    return c;
}

// The entry of `dir` whose name equals `name` ignoring case; exact match wins.
QString matchEntry(const QString &dir, const QString &name)
{
    if (QFileInfo::exists(dir + name))
        return name;
    const QStringList entries = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

QString walk(const QString &normalised)
{
    const bool absolute = normalised.startsWith('/');
    const QStringList parts = normalised.split('/', Qt::SkipEmptyParts);
    QString resolved = absolute ? QStringLiteral("/") : QString();
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part == "." || part == "..") {
            resolved += part + '/';
            continue;
        }
        const QString entry = matchEntry(resolved, part);
        if (entry.isEmpty())
            return {};
        resolved += entry;
        if (i + 1 < parts.size())
            resolved += '/';
    }
    return resolved;
}

} // namespace

QString resolvePath(const QString &path)
{
    QString normalised = path;
    normalised.replace('\\', '/');
    const QString key = normalised.toLower();
    auto hit = cache().constFind(key);
    // A cached answer is trusted only while the file is still there.
    if (hit != cache().constEnd() && QFileInfo::exists(*hit))
        return *hit;
    if (QFileInfo::exists(normalised)) {
        cache().insert(key, normalised);
        return normalised;
    }
    const QString found = walk(normalised);
    if (found.isEmpty())
        return normalised;
    cache().insert(key, found);
    return found;
}

bool fileExists(const QString &path)
{
    return QFileInfo(resolvePath(path)).isFile();
}

void clearPathCache()
{
    cache().clear();
}

} // namespace platform
