#pragma once
// The hint window of the equation tasks 15 to 18 (one line, or a fraction
// with, in tasks 17 and 18, a text line to its left) and of task 21's
// one-line answers.
#include "shell/Okno_napovedy.h"

namespace Shell {

class frm_Chybovy2 : public Okno_napovedy {
    Q_OBJECT
public:
    frm_Chybovy2();

protected:
    void Vloz_radky(const Radky &radky) override;
    Cara Druh_cary() const override;
};

} // namespace Shell
