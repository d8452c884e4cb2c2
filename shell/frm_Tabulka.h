#pragma once
// The results table: the mark of a finished series, the stored results of
// all pupils kept best first in "Hra.res", the first ten of the current
// task on screen with the new one in red, and the results log.
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "shell/Ulozenie_vysledku.h"

#include <QPointer>

#include <memory>

namespace Shell {

class frm_Tabulka : public platform::Form {
    Q_OBJECT
public:
    frm_Tabulka();

    // The mark for `spravne` right rows out of `celkove`, as text.
    QString Vlozeni_znamky(int spravne, int celkove) const;
    // Adds one result, sorts, saves "Hra.res" and redraws the rows. The save
    // goes on with the log entry that follows.
    void Vloz_novy_zaznam(int cislo_ulohy, const QString &jmeno, const QString &spravne,
                          const QString &spatne, const QString &Znamka, int ID);
    // Appends the series to "Vysledky.dat"; the save is over.
    void Vloz_zaznam_do_souboru_vysledky_dat(const QString &jmeno, const QString &uloha,
                                             const QString &typulohy, const QString &spravne,
                                             const QString &spatne, const QString &Znamka);
    // Shown again when the table is left.
    QPointer<platform::Form> Nadrazeny_form;

    platform::PictureBox *picKonec = new platform::PictureBox(this);
    platform::ControlArray<platform::Label> LPoradi{this}, LJmeno{this}, LSpravne{this}, LSpatne{this},
        LZnamka{this};

    static constexpr int Pocet_riadkov = 10;
    // How long a save waits for another program's lock.
    std::chrono::milliseconds Najdlhsie_cakanie = Vysledky::Cakanie_na_zamok;
    const QList<Vysledky::Zaznam_vysledku> &Zaznamy() const { return Zaznamy_; }

protected:
    void Form_Load() override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;
    void Form_Unload(int &Cancel) override;

private:
    void picKonec_Click();
    void picKonec_MouseMove(int Button, int Shift, int X, int Y);
    void Napln_riadky(bool farby);
    void Oznam(const Vysledky::Odpoved &odpoved, const QString &subor);
    // One log entry as the series control gives it.
    QString Text_logu(const QString &jmeno, const QString &uloha, const QString &typulohy, const QString &spravne,
                      const QString &spatne, const QString &Znamka) const;

    // The save of one series, from its row to its log entry.
    std::unique_ptr<Vysledky::Ulozenie_vysledku> ulozenie_;
    Vysledky::Zaznam_vysledku novy_;
    bool oznamene_ = false; // the row's message already said the result is not saved

    QList<Vysledky::Zaznam_vysledku> Zaznamy_;
    platform::Picture Obr_back_0, Obr_back_1;
};

} // namespace Shell
