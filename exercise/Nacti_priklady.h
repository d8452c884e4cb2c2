#pragma once
// The template records of the current task, owned by the module for the run.
// The exercise screen's load fills them; the generators only read them:
//   for k in 1..Pocet_vzoru(): Vzory[k].Druh(), Vzory[k].Zadani(i), ...
#include "exercise/Vzor_prikladu.h"
#include "services/Chyba_suboru.h"

#include <array>

namespace Misc {

extern Sada_vzoru Vzory;

inline int Pocet_vzoru() { return Vzory.Pocet(); }

// The template drawn for example i of the screen now shown (element i); the
// worksheet printing reads it after each generator call.
inline std::array<int, 31> Vybrany_vzor{};

// The last line of the task data file.
inline const QString Koniec_suboru_uloh = QStringLiteral("[koniec]");

// Reads the section of task `uloha` (variant `varianta` for task 19) of the
// scrambled task data file at `cesta` into Vzory. On an error Vzory is empty
// and the result says why; a file without its end line was cut short.
Chyba_suboru Nacti_priklady_ze_souboru(const QString &cesta, const QString &uloha, int varianta);

} // namespace Misc
