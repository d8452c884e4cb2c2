#pragma once
// What the two hint windows share: a frameless overlay shaped by its
// background picture, with up to 14 transparent labels `Label1`, one per
// line of a correct answer. The load lays the window out for the task from
// the window's tables; `Vloz_Text` fits the lines into their labels; every
// showing draws the fraction bar under line 1 where the task has one.
#include "platform/ControlArray.h"
#include "platform/Controls.h"
#include "platform/Form.h"

#include <QPointer>
#include <array>
#include <vector>

namespace Shell {

class Okno_napovedy : public platform::Form {
    Q_OBJECT
public:
    // The exercise screen's PicMain(1), the surface the background picture
    // passes through; set before the window is loaded.
    QPointer<platform::PictureBox> Plocha_obrazku;

    platform::ControlArray<platform::Label> Label1{this};
    // Base top of the text lines: 12 once a layout is applied.
    int Horni_okraj = 0;
    platform::Picture Obrazek_napovedy;

    // A line is never shrunk below this size (a request of 8 points reads
    // back as 8.25); a line still too wide there is cut short with "…".
    static constexpr double Nejmensi_pismo = 8;

    // Line i into Label1(i). An omitted line is the empty text; a line whose
    // label the layout did not create is ignored.
    void Vloz_Text(const QString &text, const QString &Text2 = {}, const QString &Text3 = {},
                   const QString &Text4 = {}, const QString &Text5 = {}, const QString &Text6 = {},
                   const QString &Text7 = {}, const QString &Text8 = {}, const QString &Text9 = {},
                   const QString &Text10 = {}, const QString &Text11 = {}, const QString &Text12 = {},
                   const QString &Text13 = {}, const QString &Text14 = {});

    // One row of the picture table: the window's picture and size in pixels.
    struct Obrazek_okna {
        QStringList ulohy; // task numbers, compared as text
        int varianta;      // 0: any variant
        QString cesta;     // under the resource directory
        int sirka, vyska;
    };
    // One label of a layout, in the window's pixels; every label is 20 high.
    struct Popisek {
        int index, left, top, width;
    };
    struct Rozlozeni {
        QStringList ulohy;
        std::vector<Popisek> popisky; // Label1(1) first, the rest in index order
    };

protected:
    using Radky = std::array<QString, 15>; // element i is line i; 0 unused

    explicit Okno_napovedy(const std::vector<Obrazek_okna> &obrazky,
                           const std::vector<Rozlozeni> &rozlozeni);

    void Form_Load() override;
    void Form_Activate() override;

    virtual void Vloz_radky(const Radky &radky) = 0;
    // The task's own layout where the tables do not cover it; true when
    // it laid the labels out.
    virtual bool Rozloz_zvlastne() { return false; }
    enum class Cara { Zadna, Cerna, Barvou_obrazku };
    virtual Cara Druh_cary() const = 0;

    bool Je_uloha(std::initializer_list<const char *> ulohy) const;
    // Fits text t into Label1(k), `posun` pixels below the base top.
    void Vloz_radek(int k, const QString &t, int posun);
    // Only when lines `od` to 14 are all given: they take the top and size
    // of line 1 (odd) or line 2 (even) without fitting, then their texts.
    void Kopiruj_radky(int od, const Radky &radky);

private:
    const std::vector<Obrazek_okna> &obrazky_;
    const std::vector<Rozlozeni> &rozlozeni_;

    void Nastav_obrazek_a_velikost();
    bool Rozloz_popisky();
    void Dokonci_okno();
    void Vykresli_caru();
};

} // namespace Shell
