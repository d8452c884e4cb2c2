#pragma once
// The grammar of the task data file: the section of one task, one template
// per line, pieces separated by marker characters that differ by group of
// tasks. In: the lines of the plain file. Out: the task's template records.
#include "exercise/Vzor_prikladu.h"

#include <QStringList>

namespace Misc {

struct Vzory_ulohy {
    Sada_vzoru vzory;
    int chybny_riadok = 0; // line (from 1) that exceeds the tables; 0 when none
};

// `uloha` is the task number "1" to "21"; `varianta` (1 or 2) selects the
// lines of task 19. Blank and comment lines take no record number. On an
// error the records are empty.
Vzory_ulohy Precti_vzory(const QStringList &riadky, const QString &uloha, int varianta);

} // namespace Misc
