#pragma once
// The module's exercise variables: the pupil's choices and the state of the
// running series, shared by the shell screens and the exercise screen.
#include "platform/Form.h"
#include "platform/Picture.h"

#include <QPointer>
#include <QString>

namespace Misc {

// Chosen on the chooser: the task as "1" to "21" ("0" before a choice),
// with the titles of its group and of the task from the text table.
inline QString Cislo_ulohy = QStringLiteral("0");
inline QString Nazev_skupiny;
inline QString Nazev_ulohy;

// Chosen on the setup screen.
inline QString Jmeno_zaka;
inline quint8 Zvoleny_pocet_prikladu = 0; // 0 = none chosen
inline quint8 Varianta_ulohy = 0;         // 0 none, 1 = a, 2 = b (tasks 19 and 21)
inline bool Zobrazit_napovedu = false;    // the task's help page before the exercise
inline bool Tisk = false;                 // the exercise screen prints instead of showing

// The running series.
inline int Pocet_spravnych = 0;
inline int Pocet_spatnych = 0;
inline int Pocet_prikladu = 0;
inline int Pocet_zbyvajicich_prikladu = 0;

// The form in front, which the backdrop brings back.
inline QPointer<platform::Form> Aktualni_formular;
// The button now shown highlighted on the screen in front (0 = none).
inline int Zvyrazneny_prvek = 0;

// Faces of the continue and print buttons, shared with the exercise screen.
inline platform::Picture Obr_pokracuj;
inline platform::Picture Obr_tiskni;

// Faces of the exercise screen's top bar, normal and highlighted: check,
// new example, results table, back. Loaded anew by every exercise screen.
inline platform::Picture Obr_mkont, Obr_mkonth;
inline platform::Picture Obr_mnove, Obr_mnoveh;
inline platform::Picture Obr_mtab, Obr_mtabh;
inline platform::Picture Obr_mzpet, Obr_mzpeth;

} // namespace Misc
