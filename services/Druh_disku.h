#pragma once
// What disk a folder lies on, as the system's table of mounts names it
// (Priecinok::Druh_disku, Priecinok::Kazi_subory), and what a failed write
// there means: a disk that refuses data may be full.
#include "services/Bezpecny_subor.h"

namespace Misc {

// Why writing `velkost` bytes into the folder failed, from the errno
// `chyba` of the write or its sync. EPERM there is no user's permission
// (that is asked at the open) but the disk refusing the data, as FAT
// through FUSE refuses what it has no room for: ENOSPC where the disk tells
// its size and lacks the room, else Disk_odmietol_zapis, or
// Disk_odmietol_zapis_mozno_plny where it tells no size (FAT32 through
// FUSE may tell 0 blocks of 0).
int Dovod_zapisu_do(const Priecinok &priecinok, qint64 velkost, int chyba);

} // namespace Misc
