#pragma once
// The exercise screen: its design (answer-sheet arrays, top bar, continue
// button, side panels, superscript bar, scratch boxes), the fields that its
// generators, checks and panels share, and the answer-sheet layouts.
//
// Positions are pixels of the 640 x 480 client area. Every control is made
// with TabStop False, as the load's rescale leaves it; the layouts give the
// answer cells their tab stops.
#include "exercise/Kalkulacka.h"
#include "exercise/Tabulka.h"
#include "exercise/layouts/Harok.h"
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "expr/EEvaluator.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>

class frm_Game01 : public platform::Form {
public:
    frm_Game01();

    // The task that the sheet is built for. The load fills it from the
    // pupil's choices before it calls a layout.
    struct Uloha {
        QString Cislo_ulohy;    // "1" to "21"
        int Varianta_ulohy = 0; // 1 or 2 for tasks 19 and 21
    };
    Uloha Zvolena_uloha;

    // --- Answer sheet: element i is row (or line) i -------------------------
    platform::ControlArray<platform::TextBox> TV1{this}, TV2{this}, TV3{this}, TV4{this}, TV5{this}, TV6{this};
    platform::ControlArray<platform::Label> TZ1{this}, TZ2{this}, TZ3{this}, TZ4{this}, TZ5{this}, TZ6{this},
        TZ7{this}, TZR{this};
    platform::ControlArray<platform::Label> TR1{this}, TR2{this}, TR3{this}, TR4{this};
    platform::ControlArray<platform::Image> IHod{this}, ICheck{this}, IZnam{this};

    // --- Top bar, continue button, row-check bubble, graph ------------------
    platform::ControlArray<platform::PictureBox> PicTop{this};
    platform::PictureBox *picPokracuj = new platform::PictureBox(this);
    platform::PictureBox *PicIcheck = new platform::PictureBox(this);
    platform::Timer *PicIcheckTimer = new platform::Timer(this);
    platform::PictureBox *PicGraf = new platform::PictureBox(this);
    // Scratch boxes: 1-3 calculator, continue button and bubble; 4-6 notes.
    platform::ControlArray<platform::PictureBox> PomPic{this};
    // Element 1: the surface of the hint windows' background picture.
    platform::ControlArray<platform::PictureBox> PicMain{this};
    // Takes the focus when no answer cell may have it.
    platform::TextBox *Text1 = new platform::TextBox(this);

    // --- Calculator panel ---------------------------------------------------
    platform::PictureBox *PicKalk = new platform::PictureBox(this);
    platform::TextBox *TKalk = new platform::TextBox(PicKalk);
    platform::TextBox *TKalkPoznamky = new platform::TextBox(PicKalk, true);
    platform::ControlArray<platform::PictureBox> PicKalkButton{PicKalk, 0};

    // --- Notes panel ----------------------------------------------------------
    platform::PictureBox *PicPozn = new platform::PictureBox(this);
    platform::TextBox *TPoznamky = new platform::TextBox(PicPozn, true);
    // 0-5 numerators and denominators, 6-8 the fraction lines.
    platform::ControlArray<platform::TextBox> tzlomek{PicPozn, 0};
    platform::TextBox *Text2 = new platform::TextBox(PicPozn);
    platform::TextBox *Text3 = new platform::TextBox(PicPozn);

    // --- Superscript bar ------------------------------------------------------
    platform::ControlArray<platform::PictureBox> ExpPic{this, 0};

    // --- Example tables and the generators' shared fields ---------------------
    Tabulka_prikladov Zadani_prikladu, Vysledek_prikladu, Vysledek_prikladu_2, Vysledek_prikladu_3, Pom_tabulka_1,
        Pom_tabulka_2;
    std::array<QString, 51> Pom_text, Podminky;
    std::array<QString, 11> Leva_strana, Prava_strana;
    std::array<float, 11> Vysledek_cislo{}, Koeficient_k{}, Hodnoty_x{}, Hodnoty_y{};
    std::array<qint16, 11> Pouzite_hodnoty{};
    qint16 Priklad = 0, Pozice = 0, Radek = 0, Pom_i = 0, Pom_j = 0, Pokus = 0;
    float Par_A = 0, Par_B = 0, Par_C = 0, Par_D = 0, Par_E = 0, Par_F = 0;
    qint16 Par_K = 0, Par_L = 0, Par_m = 0, Par_n = 0, Par_o = 0, Par_p = 0;
    qint16 Hodnota_x = 0, Hodnota_y = 0, Hodnota_z = 0;
    qint16 Spolecny_delitel = 0; // of the last fraction shown
    bool Prijato = false, Vyber_vyhovuje = false, Je_zlomek = false;
    // Element i: example i of the screen was made. Emptying the tables marks
    // the screen's examples made; a generator unmarks each one it gives up
    // on, and the checks leave such an example alone.
    std::array<bool, 31> Priklad_vytvoreny{};
    quint8 Faze_kontroly = 0;
    double Hodnota_X_kontroly = 0;
    qint64 Konec_bubliny = 0;
    int Sirka_stlpca_zadania = 0; // the sheet's width of the given fractions' column, once read
    std::array<platform::Picture, 11> Obr_levy, Obr_stred, Obr_pravy;
    std::array<platform::Picture, 21> Obr_znamenka;
    platform::Picture Obr_check, Obr_a_zar;
    // Empties the example tables, sides, values and substitution buffer
    // (elements from 1) and marks examples 1 to Pocet_prikladu made;
    // parameters, conditions and Hodnota_X_kontroly stay.
    void Vymaz_data_prikladu();

    // --- Screen state ---------------------------------------------------------
    bool Zobrazit_pokracuj = true;
    qint16 Kalkulacka_otevrena = 0, Poznamky_otevrene = 0;
    QString Aktivni_pole; // "tv1" to "tv6": the cell that had the focus last
    qint16 Aktivni_index = 0;
    platform::Picture Obr_kalk_pozadi, Obr_kalk_zalozka_00, Obr_kalk_zalozka_01, Obr_kalk_zalozka_10,
        Obr_kalk_zalozka_11;
    std::array<platform::Picture, 21> Obr_kalk_tlacitko, Obr_kalk_tlacitko_zvyraznene;
    platform::Picture Obr_pozn_pozadi, Obr_pozn_zalozka_00, Obr_pozn_zalozka_01, Obr_pozn_zalozka_10,
        Obr_pozn_zalozka_11;
    std::array<platform::Picture, 11> Obr_exponent, Obr_exponent_zvyraznene;

    // --- Answer-sheet layouts (exercise/layouts/) -----------------------------
    // The load calls exactly one, by the task (Vygeneruj_komponenty_ulohy).
    void Vygeneruj_komponenty_01();
    void Vygeneruj_komponenty_13();
    void Vygeneruj_komponenty_15();
    void Vygeneruj_komponenty_16();
    void Vygeneruj_komponenty_18();
    void Vygeneruj_komponenty_17();
    void Vygeneruj_komponenty_19_2();
    void Vygeneruj_komponenty_04();
    void Vygeneruj_komponenty_11();
    void Vygeneruj_komponenty_20();
    void Vygeneruj_komponenty_21();
    // The layout of Zvolena_uloha; throws Harok::Chyba_ulohy for a task
    // without one (task 19 or 21 without variant 1 or 2 among them).
    void Vygeneruj_komponenty_ulohy();

    // An answer-sheet element by array and index, for the layout interpreter.
    platform::Control *Prvok(Harok::Pole pole, int index);
    platform::Control *Nacitaj(Harok::Pole pole, int index);
    bool Existuje(Harok::Pole pole, int index);

public:
    // --- Side tools: calculator, notes, tabs, superscript bar ----------------
    void Otevri_kalkulacku();
    void Otevri_poznamky();
    // What every mouse-press handler of the screen does first.
    void Zavri_otevrene_panely();
    void Vykresli_zalozku_kalkulacky_01();
    void Vykresli_zalozku_poznamek_01();
    // Task 19 in variant 1 has no calculator.
    bool Ma_kalkulacku() const;

    enum class Oblast { Pozadi, Logo, Zalozka_kalkulacky, Zalozka_poznamek };
    // The hot region of the form's background under (X, Y); borders belong to none.
    static Oblast Oblast_formulare(int X, int Y);
    // The task's help page, relative to the resource directory.
    static QString Napoveda_ulohy(const QString &cislo_ulohy, int varianta);

    void PicKalk_MouseDown(int Button, int Shift, int X, int Y);
    void PicKalk_MouseMove(int Button, int Shift, int X, int Y);
    void PicKalkButton_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void PicKalkButton_MouseUp(int Index, int Button, int Shift, int X, int Y);
    void TKalk_KeyPress(platform::KeyPressArgs &k);
    void TKalkPoznamky_MouseDown(int Button, int Shift, int X, int Y);
    void PicPozn_MouseDown(int Button, int Shift, int X, int Y);
    void PicPozn_MouseMove(int Button, int Shift, int X, int Y);
    void ExpPic_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void ExpPic_MouseUp(int Index, int Button, int Shift, int X, int Y);

    // The form's one compiler and program: generators, checks and the
    // calculator share it, so the calculator's last program is the form's.
    cEEvaluator &Evaluator_formulara() { return Evaluator_panelu; }

protected:
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_MouseMove(int Button, int Shift, int X, int Y) override;

private:
    void Zapoj_postranni_nastroje();
    void Zobraz_napovedu_ulohy();
    void Priprav_pomocne_boxy(int prvni, const platform::Picture &tvar);
    void Snimek_panelu(platform::PictureBox *panel, int prvni, int posun);
    void Posun_panelu(platform::PictureBox *panel, int prvni, int od, int cil, int krok,
                      const std::function<void(int)> &posun_obsahu);
    void Priprav_posun_kalkulacky();
    void Posun_kalkulacky(int od, int cil, int krok);
    void Priprav_posun_poznamek();
    void Posun_poznamky(int posun);
    void Zobraz_kalkulacku(const Zobrazeni_kalkulacky &z);
    std::unique_ptr<Kalkulacka> Kalkulacka_panelu;
    qsizetype Zobrazena_dlzka_pasky = 0; // of the calculator's tape, in its box
    cEEvaluator Evaluator_panelu;
    QString Druh_listy_exponentu;
    // --- end of side tools ----------------------------------------------------
public:
    // --- Load, series, cells, relation sign -----------------------------------
    // What the screen differs in by task.
    struct Nastavenie_ulohy {
        const char *Pripona_pozadia; // after "bg_NN": ".bmp", "a.bmp" or "b.bmp"
        int Strop;                   // examples per screen
        void (frm_Game01::*Generator)(bool Prvni_generovani);
        const char *Lista_exponentu; // "dlouhe", "kratke" or "" for none
        bool Kalkulacka;
        int Fokus; // element of TV1 that an activation focuses; 0 none
        // Worksheet: text-table lines of the group, task and statement, the
        // pages for the five lengths of series, the examples on a page.
        int Skupina, Nazov, Zadanie;
        std::array<int, 5> Strany;
        int Na_stranu;
    };
    // Nothing for a task without a screen (19 or 21 without variant 1 or 2).
    static std::optional<Nastavenie_ulohy> Nastavenie(const QString &uloha, int varianta);
    // Decodes the pictures that every task's screen draws, so that the
    // first screen opens without: the title screen calls it while it waits.
    static void Nacti_spolocne_obrazky();
    // The settings of the task being shown, taken by the load.
    Nastavenie_ulohy Nastavenie_obrazovky{};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int &Cancel) override;

    void Zobraz_tlacitko_pokracuj();
    void picPokracuj_Click();
    void picPokracuj_MouseDown(int Button, int Shift, int X, int Y);
    void picPokracuj_MouseMove(int Button, int Shift, int X, int Y);

    void TV1_GotFocus(int Index), TV2_GotFocus(int Index), TV3_GotFocus(int Index), TV4_GotFocus(int Index),
        TV5_GotFocus(int Index), TV6_GotFocus(int Index);
    void TV1_KeyDown(int Index, platform::KeyArgs &k), TV2_KeyDown(int Index, platform::KeyArgs &k),
        TV3_KeyDown(int Index, platform::KeyArgs &k), TV4_KeyDown(int Index, platform::KeyArgs &k),
        TV5_KeyDown(int Index, platform::KeyArgs &k), TV6_KeyDown(int Index, platform::KeyArgs &k);
    void TV1_KeyPress(int Index, platform::KeyPressArgs &k), TV2_KeyPress(int Index, platform::KeyPressArgs &k),
        TV3_KeyPress(int Index, platform::KeyPressArgs &k), TV4_KeyPress(int Index, platform::KeyPressArgs &k),
        TV5_KeyPress(int Index, platform::KeyPressArgs &k), TV6_KeyPress(int Index, platform::KeyPressArgs &k);
    void TV1_MouseDown(int Index, int Button, int Shift, int X, int Y),
        TV2_MouseDown(int Index, int Button, int Shift, int X, int Y),
        TV3_MouseDown(int Index, int Button, int Shift, int X, int Y),
        TV4_MouseDown(int Index, int Button, int Shift, int X, int Y),
        TV5_MouseDown(int Index, int Button, int Shift, int X, int Y),
        TV6_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void TV1_MouseMove(int Index, int Button, int Shift, int X, int Y),
        TV2_MouseMove(int Index, int Button, int Shift, int X, int Y),
        TV3_MouseMove(int Index, int Button, int Shift, int X, int Y),
        TV4_MouseMove(int Index, int Button, int Shift, int X, int Y),
        TV5_MouseMove(int Index, int Button, int Shift, int X, int Y),
        TV6_MouseMove(int Index, int Button, int Shift, int X, int Y);

    void IZnam_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void IZnam_DblClick(int Index);

    // --- Top bar: check, new example, results table, back --------------------
    // (frm_Game01_horna_lista.cpp; the check of the examples in
    // frm_Game01_kontrola.cpp)
    // Buttons 2 to 4 beside the design's button 1, all with their faces.
    void Nacti_tlacitka_menu();
    // Button n highlighted, the other three normal; no button for any n
    // outside 1 to 4.
    void Zvyrazni_tlacitko_menu(int n);
    void PicTop_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void PicTop_MouseMove(int Index, int Button, int Shift, int X, int Y);
    void PicTop_DblClick(int Index);

    // Marks of the checked examples: a wrong one shows the correct answer
    // in a hint window while the mouse button is held on it
    // (frm_Game01_spravna_odpoved.cpp).
    void IHod_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void IHod_MouseUp(int Index, int Button, int Shift, int X, int Y);
    void IHod_MouseMove(int Index, int Button, int Shift, int X, int Y);

    // Row-check button of tasks 11 and 17 and its error bubble
    // (frm_Game01_kontrola_riadku.cpp).
    void ICheck_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void ICheck_MouseUp(int Index, int Button, int Shift, int X, int Y);
    void PicIcheckTimer_Timer();

private:
    // "vypnuto" disables the four buttons, "zapnuto" enables them; any
    // other text changes nothing.
    void Zapni_vypni_tlacitka(const QString &stav);
    void Skontroluj_priklady();
    void Nove_priklady();
    void Otvor_tabulku_vysledkov();
    void Spat_na_nastavenie();

public:

    // The two hint windows: loaded hidden for this screen's task, unloaded
    // when it goes (frm_Game01_chybova_okna.cpp). Virtual, as the calls out
    // below, so that a test can watch them.
    virtual void Nacti_chybova_okna();
    virtual void Uvolni_chybova_okna();

    // The side panels, the generators, and the calls out to the results
    // table and the printer. The calls out are virtual so that a test can
    // watch them.
    void Vytvor_kalkulacku();
    void Skryj_kalkulacku();
    void Zavri_kalkulacku();
    void Vytvor_poznamky();
    void Zavri_poznamky();
    void Vytvor_listu_exponentu(const QString &druh);
    void Skryj_listu_exponentu();
    void Vykresli_zalozku_kalkulacky_00();
    void Vykresli_zalozku_poznamek_00();
    void Vygeneruj_priklad_01(bool Prvni_generovani), Vygeneruj_priklad_04(bool Prvni_generovani),
        Vygeneruj_priklad_07(bool Prvni_generovani), Vygeneruj_priklad_10(bool Prvni_generovani),
        Vygeneruj_priklad_11(bool Prvni_generovani), Vygeneruj_priklad_12(bool Prvni_generovani),
        Vygeneruj_priklad_13(bool Prvni_generovani), Vygeneruj_priklad_14(bool Prvni_generovani),
        Vygeneruj_priklad_15(bool Prvni_generovani), Vygeneruj_priklad_16(bool Prvni_generovani),
        Vygeneruj_priklad_17(bool Prvni_generovani), Vygeneruj_priklad_18(bool Prvni_generovani),
        Vygeneruj_priklad_19(bool Prvni_generovani), Vygeneruj_priklad_20(bool Prvni_generovani),
        Vygeneruj_priklad_21(bool Prvni_generovani);
    virtual void Nacti_tabulku();
    virtual QString Tabulka_Vlozeni_znamky(int spravne, int celkove);
    virtual void Tabulka_Vloz_novy_zaznam(int cislo_ulohy, const QString &jmeno, const QString &spravne,
                                          const QString &spatne, const QString &Znamka, int ID);
    virtual void Tabulka_Vloz_zaznam_do_souboru_vysledky_dat(const QString &jmeno, const QString &uloha,
                                                             const QString &typulohy, const QString &spravne,
                                                             const QString &spatne, const QString &Znamka);
    // Nadrazeny_form = frm_Setup, show the table, Aktualni_formular = the table.
    virtual void Zobraz_tabulku_nad_nastavenim();

    // One whole worksheet on the printer (printing/Pracovni_list.cpp).
    virtual void Vytiskni_pracovni_list(const QString &skupina, const QString &uloha, const QString &zadani,
                                        const std::array<int, 5> &strany, int na_stranu, int priklady);

private:
    void Pripoj_udalosti();
    void Nakresli_pozadie(const Nastavenie_ulohy &n);
    void Nastav_panely(const Nastavenie_ulohy &n);
    void Nastav_pocty(const Nastavenie_ulohy &n);
    void Vytlac(const Nastavenie_ulohy &n);
    void Dalsia_obrazovka();
    void Koniec_serie();
    void Skry_priklad_11(int priklad);
    void Zakry_modrou(int X, int Y, int sirka, int vyska);
    platform::ControlArray<platform::TextBox> &Stlpec(int stlpec);
    bool Upravitelna(int stlpec, int Index);
    void Bunka_GotFocus(int stlpec, int Index);
    void Bunka_KeyDown(int stlpec, int Index, platform::KeyArgs &k);
    void Bunka_KeyPress(platform::KeyPressArgs &k);
    void Bunka_MouseDown(int stlpec, int Index);
    void Bunka_DblClick(int stlpec, int Index);
    void Bunka_MouseMove(int stlpec, int Index);
    void Pravidlo_otaznika(int stlpec, int Index);
    // --- end of load, series, cells, relation sign ---------------------------

private:
    void Navrhni_harok();
    void Navrhni_panely();
    void Navrhni_ostatne();
    template <class F> decltype(auto) S_polom(Harok::Pole pole, F &&f);
};
