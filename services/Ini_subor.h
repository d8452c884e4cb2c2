#pragma once
// Reads one value of an INI file the way the Windows profile call does:
// section and key names compared without regard to case, the first match
// wins, blanks around names and values dropped, the value otherwise taken
// as it stands (backslashes are path separators here, not escapes).
#include <QString>

namespace Misc {

// The value of `klic` in section `sekcia` of the file at `cesta`, or
// `predvolene` when the file, the section or the key is missing. A key that
// is present with nothing after "=" counts as missing: an empty directory
// would only lead to a misleading message later.
QString Hodnota_z_ini(const QString &cesta, const QString &sekcia, const QString &klic,
                      const QString &predvolene);

} // namespace Misc
