#pragma once
// The worksheet of the chosen task: pages with their frame and statement,
// and a numbered column of examples that the task's generator makes on the
// exercise screen, one screen per printed example, read back from the
// captions of its answer sheet.
#include "exercise/layouts/Harok.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

class frm_Game01;

namespace Misc {

// --- What the worksheet printing keeps between its steps -----------------------

// Pages of the worksheet being printed; a chosen count that its task does
// not offer leaves the value of the worksheet before.
inline qint16 Pocet_stran = 0;
// The row, within the generated screen, of the example being printed.
inline qint16 Cislo_tisteneho_prikladu = 0;
// The statement wrapped at 190 mm: elements 1 to 5.
inline std::array<QString, 6> Radky_zadani;

// --- Example blocks as data -----------------------------------------------------

// A part of one printed text: a literal, the example's number on the
// worksheet, or the caption of label pole(nasobok * C + posun), C being
// Cislo_tisteneho_prikladu.
struct Kus_textu {
    enum class Druh : quint8 { Text, Cislo, Popisek };
    Druh druh = Druh::Text;
    QString text;
    Harok::Pole pole = Harok::Pole::TZ1;
    int nasobok = 0, posun = 0;
};

// One text of an example at (x, y of the slot + dy) mm, its parts joined.
struct Riadok_bloku {
    qint16 x = 0;
    qint16 dy = 0;
    std::vector<Kus_textu> text;
};

// How a task prints one example: the slots' spacing and the texts of a slot
// in the order they are printed, every one in the maths font.
struct Blok_ulohy {
    qint16 vyska_slotu = 0;
    std::vector<Riadok_bloku> riadky;
};

// The block of a task ("1" to "15"); nullptr for a task without one.
const Blok_ulohy *Blok_pre_ulohu(const QString &uloha);

// The caption of element `index` of a label array.
using Citac_popisku = std::function<QString(Harok::Pole pole, int index)>;

// Prints one example of the block: number `cislo`, in slot `slot` of a
// page whose example column starts at Y_zacatku mm.
void Vytiskni_blok(const Blok_ulohy &blok, int cislo, int slot, qint16 Y_zacatku, const Citac_popisku &popisek);

// --- Example blocks in code: tasks 19 to 21 ---------------------------------------

// What such a block reads of the driver, and moves on: it generates for
// itself, and the blocks of task 21 use up several slots.
struct Slot_listu {
    frm_Game01 &hra;
    int Strana, Prikladu_na_strane;
    int &Poradi_na_strane;
    qint16 Y_zacatku;
    // Word problems of task 19: the examples of the worksheet and the
    // record printed as example n (element n); empty when the call begins.
    int Prikladu_listu;
    std::array<int, 31> &Vytistene_vzory;
};

// Prints what belongs in the slot; false when it printed nothing, which
// then counts no example.
using Blok_v_kode = bool (*)(Slot_listu &slot);

// The block of a task ("19" to "21"); nullptr for a task without one.
Blok_v_kode Blok_v_kode_pre_ulohu(const QString &uloha);

// --- Example blocks of tasks 16 to 18 -------------------------------------------

// How tasks 16 to 18 print one example from row 1 of the answer sheet that
// the generator has just filled: number `cislo`, in slot `slot` of a page
// whose example column starts at Y_zacatku mm.
using Blok_rovnice = std::function<void(frm_Game01 &hra, int cislo, int slot, qint16 Y_zacatku)>;
// The block of task "16", "17" or "18"; empty for any other task.
Blok_rovnice Blok_rovnice_pre_ulohu(const QString &uloha);

// --- The worksheet ----------------------------------------------------------------

// One whole worksheet of the chosen task (Cislo_ulohy, Varianta_ulohy) on
// the printer: Pocet_stran_N[i] pages for the i-th of the task's five
// counts, Prikladu_na_strane slots a page, at most Zbyva_vytisknout
// examples. Every page, the last included, is closed by NewPage; the
// document is left open. Errors of the printer or of a generator pass on.
void Vytiskni_pracovni_list(frm_Game01 &hra, QString Skupina, QString Uloha, QString Text_zadani,
                            std::array<int, 5> Pocet_stran_N, int Prikladu_na_strane, int Zbyva_vytisknout);

} // namespace Misc
