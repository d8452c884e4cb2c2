#pragma once
// The pocket calculator of the exercise screen without its widgets: the
// display text with its caret and selection, the tape, the 21 keys and the
// keyboard filter. The panel hands in the display's state before a key, calls
// the key and shows what comes back:
//
//   kalkulacka.Prevezmi_displej(TKalk.Text, TKalk.SelStart, TKalk.SelLength);
//   const Zobrazeni_kalkulacky z = kalkulacka.Stisk_klavesy(Index);
//   TKalk.Text = z.displej; TKalk.SelStart = z.kurzor;
//   if (z.vyhodnoceno) TKalkPoznamky shows z.paska;  // caret to its end
//
// The tape only grows, line by line: a box may take just its new end.
//
// Evaluation goes through the form's evaluator, so its last program is the
// calculator's as well.
#include <QString>

class cEEvaluator;

// What the display and the tape must show after a key.
struct Zobrazeni_kalkulacky {
    QString displej;          // text of the display
    int kurzor = 0;           // caret of the display, nothing selected
    QString paska;            // text of the tape, lines joined by CR LF
    bool vyhodnoceno = false; // "=" ran: the tape's caret goes to its end
                              // (newest line in view), then the display's
};

// What the keyboard filter makes of one typed character.
struct Znak_kalkulacky {
    bool vyhodnotit = false; // Enter or "=": press the equals key instead
    char16_t znak = 0;       // the character to let through; 0 discards it
};

class Kalkulacka {
public:
    // Indices of the keys (the digits are 0 to 9).
    enum Klavesa : int {
        Carka = 10, Vymaz, Deleno, Krat, Minus, Odmocnina, Znamenko, Plus,
        Rovna_se, Leva_zavorka, Prava_zavorka, Pocet_klaves
    };

    explicit Kalkulacka(cEEvaluator &evaluator) : m_evaluator(evaluator) {}

    // The pupil edits the display as an ordinary text box, so its state is
    // taken anew before every key. Out-of-range positions are clamped.
    void Prevezmi_displej(const QString &text, int selStart, int selLength = 0);

    // A press of key `index` (0 to 20); any other index changes nothing.
    Zobrazeni_kalkulacky Stisk_klavesy(int index);

    // The keys one by one.
    Zobrazeni_kalkulacky Cislice(int cislice);
    Zobrazeni_kalkulacky Desatinna_carka();
    Zobrazeni_kalkulacky Vymaz_displej();
    Zobrazeni_kalkulacky Deleni();
    Zobrazeni_kalkulacky Nasobeni();
    Zobrazeni_kalkulacky Odcitani();
    Zobrazeni_kalkulacky Vloz_odmocninu();
    Zobrazeni_kalkulacky Zmen_znamenko();
    Zobrazeni_kalkulacky Scitani();
    Zobrazeni_kalkulacky Vyhodnot();
    Zobrazeni_kalkulacky Oteviraci_zavorka();
    Zobrazeni_kalkulacky Zaviraci_zavorka();

    // The display's keyboard filter, for each typed character.
    static Znak_kalkulacky Filtruj_znak(char16_t znak);

    const QString &Displej() const { return m_displej; }
    int Kurzor() const { return m_kurzor; }
    const QString &Paska() const { return m_paska; }

private:
    Zobrazeni_kalkulacky Vloz(QStringView text, bool osamela_nula, int kurzor_v_textu);
    Zobrazeni_kalkulacky Stav(bool vyhodnoceno = false) const;
    void Pridej_radek(const QString &radek);

    cEEvaluator &m_evaluator;
    QString m_displej;
    int m_kurzor = 0;
    int m_vyber = 0;
    QString m_paska;
};
