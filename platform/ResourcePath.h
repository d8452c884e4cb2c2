#pragma once
// Resource paths are written with "\" and in any letter case, as on the
// original file system; they are resolved here against the real one.
#include <QString>

namespace platform {

// The existing file or directory that `path` names when "\" is read as "/"
// and every component is matched case-insensitively; when nothing matches,
// the path with "/" separators. Results are cached.
QString resolvePath(const QString &path);
bool fileExists(const QString &path);
void clearPathCache();

} // namespace platform
