#pragma once
// The hint window of one-line answers, of fractions (tasks 3, 12 to 14:
// numerator, bar, denominator) and of task 21's value table of two rows
// and seven columns.
#include "shell/Okno_napovedy.h"

namespace Shell {

class frm_Chybovy : public Okno_napovedy {
    Q_OBJECT
public:
    frm_Chybovy();

protected:
    void Vloz_radky(const Radky &radky) override;
    bool Rozloz_zvlastne() override;
    Cara Druh_cary() const override;
};

} // namespace Shell
