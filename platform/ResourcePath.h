#pragma once
// Resource paths are written with "\" and in any letter case, as the screens
// and the data files give them; they are resolved here against the file
// system, which separates with "/" and tells the cases apart.
#include <QString>

namespace platform {

// The existing file or directory that `path` names when "\" is read as "/"
// and every component is matched case-insensitively; when nothing matches,
// the path with "/" separators. Results are cached.
QString resolvePath(const QString &path);
bool fileExists(const QString &path);
void clearPathCache();

} // namespace platform
