#pragma once
// The setup screen between the chooser and the exercise: the pupil's name,
// the number of examples on a dial, the variant of tasks 19 and 21 and the
// help-first switch; continue starts the exercise, print a worksheet.
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <array>

namespace Shell {

class frm_Setup : public platform::Form {
    Q_OBJECT
public:
    frm_Setup();

    platform::TextBox *TJmeno = new platform::TextBox(this);
    platform::ControlArray<platform::Image> ICislo{this};
    platform::ControlArray<platform::Image> ICisloUloha{this};
    platform::Image *INapoveda = new platform::Image(this);
    platform::Image *IHelp = new platform::Image(this);
    platform::PictureBox *IKonec = new platform::PictureBox(this);
    platform::PictureBox *picPokracuj = new platform::PictureBox(this);
    platform::PictureBox *picTiskni = new platform::PictureBox(this);

    bool Pokracuj_zobrazeno = false;
    bool Tiskni_zobrazeno = false;

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;

private:
    void TJmeno_Change();
    void ICislo_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void ICisloUloha_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void INapoveda_MouseDown(int Button, int Shift, int X, int Y);
    void IHelp_Click();
    void IKonec_MouseDown(int Button, int Shift, int X, int Y);
    void picPokracuj_Click();
    void picTiskni_Click();
    void Hover(int kod);

    void Aktualizuj_tlacitko_pokracuj();
    void Aktualizuj_tlacitko_tiskni();
    void Aktualizuj_tlacitko(platform::PictureBox *tlacitko, bool nalezite, bool &zobrazeno,
                             const platform::Picture &tvar);
    void Vytiskni();
    void Nacti_tvary_poctu(bool po_styroch);
    void Normalne_pocty();
    bool Ma_varianty() const;
    QString Nazov_s_variantom() const;

    std::array<platform::Picture, 6> Obr_sipka, Obr_pocet_0, Obr_pocet_1;
    std::array<platform::Picture, 3> Obr_sipkat, Obr_varianta_0, Obr_varianta_1;
    platform::Picture Obr_konec_0, Obr_konec_1, Obr_nap_0, Obr_nap_1;
};

} // namespace Shell
