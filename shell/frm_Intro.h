#pragma once
// One full-window picture in three modes: the title screen at start, the
// task's help page before an exercise, and a viewer of help and credits
// pages that returns to the form that opened it.
#include "platform/Controls.h"
#include "platform/Form.h"

#include <QPointer>

namespace Shell {

class frm_Intro : public platform::Form {
    Q_OBJECT
public:
    frm_Intro();

    // Modes, set before the form is loaded; any other value is the viewer.
    static inline const QString Uvodni_obrazovka = QStringLiteral("Je_to_uvodni_obrazovka");
    static inline const QString Uvodni_napoveda = QStringLiteral("Je_to_uvodni_napoveda");
    QString STAV_FORMU;
    // Shown again when the viewer is left.
    QPointer<platform::Form> Nadrazeny_form;

    platform::Timer *Timer1 = new platform::Timer(this);

    static constexpr qint64 Doba_titulku = 10000;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;

private:
    void Timer1_Timer();
    bool Je_titulok() const { return STAV_FORMU == Uvodni_obrazovka; }

    bool Kliknuto = false;
    qint64 Cas_konce = 0;
};

} // namespace Shell
