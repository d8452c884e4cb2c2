#pragma once
// The task chooser: the start-up form. Its load runs the program's whole
// start-up; then the pupil picks one of six groups and a task of the group,
// opens the credits, or leaves the program.
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <array>

namespace Shell {

// The chooser's groups: their tasks and the text-table indices of the titles.
struct Skupina_uloh {
    std::array<int, 4> ulohy; // 0 past the group's last task
    int nazev_skupiny;        // index into Texty
    int prvni_nazev_ulohy;    // index of the first task's title; the rest follow
    int pocet() const { return ulohy[3] ? 4 : 3; }
};
inline constexpr std::array<Skupina_uloh, 7> Skupiny{{
    {{0, 0, 0, 0}, 0, 0},
    {{1, 2, 3, 0}, 3, 4},
    {{4, 5, 6, 0}, 7, 8},
    {{7, 8, 9, 10}, 11, 12},
    {{11, 12, 13, 14}, 16, 17},
    {{15, 16, 17, 18}, 21, 22},
    {{19, 20, 21, 0}, 26, 27},
}};

class frm_Select : public platform::Form {
    Q_OBJECT
public:
    frm_Select();

    // The window system's close (its close button, Alt+F4): the exit
    // question over whatever screen is in front.
    void Zatvorenie_okna();

    platform::ControlArray<platform::PictureBox> LI{this};
    platform::ControlArray<platform::PictureBox> RI{this};
    platform::PictureBox *IKonec = new platform::PictureBox(this);
    platform::Image *IHelp = new platform::Image(this);
    platform::PictureBox *PicHelp = new platform::PictureBox(this);

protected:
    void Form_Load() override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;

private:
    void LI_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void RI_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void IHelp_Click();
    void IKonec_Click();
    bool Chce_skoncit();
    void Skonci();
    void LI_MouseMove(int Index, int Button, int Shift, int X, int Y);
    void RI_MouseMove(int Index, int Button, int Shift, int X, int Y);
    void IKonec_MouseMove(int Button, int Shift, int X, int Y);
    void IHelp_MouseMove(int Button, int Shift, int X, int Y);

    void Nacti_obrazky();
    void Rozloz_ulohy(int skupina);
    void Normalne_skupiny();
    void Normalne_ulohy();
    int Zvolena_skupina() const;

    std::array<platform::Picture, 7> Obr_skupin, Obr_skupin_zvyraznene;
    std::array<platform::Picture, 5> Obr_uloh, Obr_uloh_zvyraznene;
    platform::Picture Obr_mkone, Obr_mkoneh;
};

} // namespace Shell
