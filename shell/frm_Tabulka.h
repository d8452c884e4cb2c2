#pragma once
// The results table: the mark of a finished series, the stored results of
// all pupils kept best first in "Hra.res", the first ten of the current
// task on screen with the new one in red, and the results log.
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "shell/Vysledky.h"

#include <QPointer>

#include <memory>

namespace Shell {

class frm_Tabulka : public platform::Form {
    Q_OBJECT
public:
    frm_Tabulka();

    // The mark for `spravne` right rows out of `celkove`, as text.
    QString Vlozeni_znamky(int spravne, int celkove) const;
    // Adds one result, sorts, saves "Hra.res" and redraws the rows. The lock
    // on the results files stays held for the log entry that follows.
    void Vloz_novy_zaznam(int cislo_ulohy, const QString &jmeno, const QString &spravne,
                          const QString &spatne, const QString &Znamka, int ID);
    // Appends the series to "Vysledky.dat" and releases the lock.
    void Vloz_zaznam_do_souboru_vysledky_dat(const QString &jmeno, const QString &uloha,
                                             const QString &typulohy, const QString &spravne,
                                             const QString &spatne, const QString &Znamka);
    // Shown again when the table is left.
    QPointer<platform::Form> Nadrazeny_form;

    platform::PictureBox *picKonec = new platform::PictureBox(this);
    platform::ControlArray<platform::Label> LPoradi{this}, LJmeno{this}, LSpravne{this}, LSpatne{this},
        LZnamka{this};

    static constexpr int Pocet_riadkov = 10;
    const QList<Vysledky::Zaznam_vysledku> &Zaznamy() const { return Zaznamy_; }

protected:
    void Form_Load() override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;
    void Form_Unload(int &Cancel) override;

private:
    void picKonec_Click();
    void picKonec_MouseMove(int Button, int Shift, int X, int Y);
    void Napln_riadky(bool farby);
    void Oznam_chybu_zapisu(Vysledky::Zapis zapis, const QString &cesta, bool odlozeny = false);
    void Zamkni();

    // Table and log of one series are written under one lock period.
    std::unique_ptr<Vysledky::Zamok_vysledkov> zamok_;

    QList<Vysledky::Zaznam_vysledku> Zaznamy_;
    platform::Picture Obr_back_0, Obr_back_1;
};

} // namespace Shell
