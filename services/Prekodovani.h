#pragma once
// The byte transform of the scrambled data files. It is its own inverse, so
// the same call scrambles plain text and unscrambles a scrambled file.
#include <QByteArray>

namespace Misc {

// Bytes are processed in chunks of this size; the transform restarts per chunk.
inline constexpr qsizetype Velikost_bloku = 0x100001;

// Transforms the whole buffer in place, in one pass.
void Prekoduj_bajty(QByteArray &data);

} // namespace Misc
