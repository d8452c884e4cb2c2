#include "shell/frm_Tabulka.h"

#include "platform/Fonts.h"
#include "platform/Services.h"
#include "services/Formular.h"
#include "services/Klavesnice.h"
#include "services/Konfigurace.h"
#include "services/Kresleni.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"
#include "services/Zvuky.h"

#include <QDir>
#include <QFontMetrics>

namespace Shell {

namespace {

QString Subor_vysledkov() { return Misc::Cesta_HD + QStringLiteral("Hra.res"); }

int Cislo(const QString &text) { return text.trimmed().toInt(); }

const QColor Cervena = platform::RGB(227, 0, 0);
const QColor Cierna = platform::RGB(0, 0, 0);

} // namespace

frm_Tabulka::frm_Tabulka()
{
    picKonec->Move(546, 5, 91, 75);
    LPoradi(1)->Move(32, 165, 50, 20);
    LJmeno(1)->Move(91, 165, 260, 20);
    LSpravne(1)->Move(376, 165, 70, 20);
    LSpatne(1)->Move(464, 165, 70, 20);
    LZnamka(1)->Move(544, 165, 70, 20);
    LPoradi(1)->Caption = QStringLiteral("1.");
    picKonec->Click = [this] { picKonec_Click(); };
    picKonec->MouseMove = [this](int b, int s, int x, int y) { picKonec_MouseMove(b, s, x, y); };
}

QString frm_Tabulka::Vlozeni_znamky(int spravne, int celkove) const
{
    return Misc::Vlozeni_znamky(spravne, celkove, Misc::Tabulka_znamek);
}

void frm_Tabulka::Form_Load()
{
    Misc::Prizpusob_ovladace(*this);
    Misc::Nastav_formular(*this, 640, 480);
    Misc::Obnov_klavesnici();
    const QString nn = QStringLiteral("%1").arg(Misc::Cislo_ulohy.toInt(), 2, 10, QLatin1Char('0'));
    const bool ma_varianty = nn == QLatin1String("19") || nn == QLatin1String("21");
    if (!ma_varianty)
        Picture = Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Tab\\%1.bmp").arg(nn));
    else if (Misc::Varianta_ulohy == 1 || Misc::Varianta_ulohy == 2)
        Picture = Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Tab\\%1%2.bmp")
                                          .arg(nn, Misc::Varianta_ulohy == 1 ? "a" : "b"));
    Obr_back_0 = Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Tab\\back_0.bmp"));
    Obr_back_1 = Misc::Nacti_obrazek(Misc::Cesta_CD + QStringLiteral("Bitmap\\Tab\\back_1.bmp"));
    Zaznamy_ = Vysledky::Nacti_tabulku_ze_souboru(Subor_vysledkov()).zaznamy;
    picKonec->Picture = Obr_back_0;

    platform::ControlArray<platform::Label> *stlpce[] = {&LPoradi, &LJmeno, &LSpravne, &LSpatne, &LZnamka};
    for (auto *stlpec : stlpce) {
        (*stlpec)(1)->BackStyle = platform::vbTransparent;
        (*stlpec)(1)->FontSize = 12.0 * platform::Screen::TwipsPerPixelX / 15;
        for (int r = 2; r <= Pocet_riadkov; ++r) {
            platform::Label *l = stlpec->Load(r);
            l->Top = 165 + 30 * (r - 1);
            l->Caption = stlpec == &LPoradi ? QStringLiteral(" %1.").arg(r) : QString();
            l->Visible = true;
        }
    }
    Napln_riadky(false);
    Misc::Zvyrazneny_prvek = 0;
}

// The first ten results of the current task, in table order.
void frm_Tabulka::Napln_riadky(bool farby)
{
    const int uloha = Misc::Cislo_ulohy.toInt();
    int r = 1;
    for (const Vysledky::Zaznam_vysledku &z : Zaznamy_) {
        if (r > Pocet_riadkov)
            break;
        if (z.cislo_ulohy != uloha)
            continue;
        // A long name keeps to its one line, cut short with "…".
        platform::Label *meno = LJmeno(r);
        meno->Caption = QFontMetrics(platform::makeFont(meno->FontName, meno->FontSize, meno->FontBold))
                            .elidedText(z.jmeno, Qt::ElideRight, meno->Width);
        LSpravne(r)->Caption = QString::number(z.spravne);
        LSpatne(r)->Caption = QString::number(z.spatne);
        LZnamka(r)->Caption = QString::number(z.Znamka);
        if (farby)
            for (platform::Label *l : {LPoradi(r), LJmeno(r), LSpravne(r), LSpatne(r), LZnamka(r)})
                l->ForeColor = z.ID == 1 ? Cervena : Cierna;
        ++r;
    }
    if (farby)
        for (; r <= Pocet_riadkov; ++r)
            for (platform::Label *l : {LPoradi(r), LJmeno(r), LSpravne(r), LSpatne(r), LZnamka(r)})
                l->ForeColor = Cierna;
}

void frm_Tabulka::Vloz_novy_zaznam(int cislo_ulohy, const QString &jmeno, const QString &spravne,
                                   const QString &spatne, const QString &Znamka, int ID)
{
    // A mark that is no number (no row of the marks table) is kept as 0,
    // so the result is still saved and the file stays readable.
    novy_ = {cislo_ulohy, Vysledky::Jmeno_pro_soubor(jmeno), Cislo(spravne), Cislo(spatne), Cislo(Znamka), ID};
    // The entry the series control appends next is kept with the row: a
    // program ended between the two still logs the series.
    const QString log = Text_logu(jmeno, Misc::Nazev_skupiny, Misc::Nazev_ulohy, spravne, spatne, Znamka);
    ulozenie_ = std::make_unique<Vysledky::Ulozenie_vysledku>(Misc::Cesta_HD, Najdlhsie_cakanie);
    const Vysledky::Odpoved odpoved = [&] {
        Misc::Cakanie_obrazovky cakanie; // the wait cursor goes before any message
        return ulozenie_->Pridaj_riadok(novy_, log, Zaznamy_, cakanie);
    }();
    Oznam(odpoved, ulozenie_->Subor_tabulky());
    oznamene_ = odpoved.osud != Vysledky::Osud::Ulozeny;
    for (int r = 1; r <= Pocet_riadkov; ++r)
        for (platform::Label *l : {LJmeno(r), LSpravne(r), LSpatne(r), LZnamka(r)})
            l->Caption = QString();
    Napln_riadky(true);
}

QString frm_Tabulka::Text_logu(const QString &jmeno, const QString &uloha, const QString &typulohy,
                               const QString &spravne, const QString &spatne, const QString &Znamka) const
{
    const Vysledky::Zaznam_logu z{Vysledky::Jmeno_pro_soubor(jmeno), uloha, typulohy, spravne, spatne, Znamka,
                                  Misc::Zvoleny_pocet_prikladu, platform::services().clock().Now()};
    return Vysledky::Text_zaznamu_logu(z, [](int i) { return Misc::Texty[i]; });
}

void frm_Tabulka::Vloz_zaznam_do_souboru_vysledky_dat(const QString &jmeno, const QString &uloha,
                                                      const QString &typulohy, const QString &spravne,
                                                      const QString &spatne, const QString &Znamka)
{
    const QString text = Text_logu(jmeno, uloha, typulohy, spravne, spatne, Znamka);
    if (!ulozenie_) {
        oznamene_ = false;
        novy_ = {Misc::Cislo_ulohy.toInt(), Vysledky::Jmeno_pro_soubor(jmeno), Cislo(spravne), Cislo(spatne),
                 Cislo(Znamka), 1};
        ulozenie_ = std::make_unique<Vysledky::Ulozenie_vysledku>(Misc::Cesta_HD, Najdlhsie_cakanie);
    }
    const Vysledky::Odpoved odpoved = [&] {
        Misc::Cakanie_obrazovky cakanie;
        return ulozenie_->Pripis_log(text, cakanie);
    }();
    // A kept entry joins the row the pupil has just been told of.
    if (!(oznamene_ && odpoved.osud == Vysledky::Osud::Uschovany))
        Oznam(odpoved, ulozenie_->Subor_logu());
    ulozenie_.reset();
}

void frm_Tabulka::Form_Unload(int &)
{
    ulozenie_.reset();
}

// A result that could not be written must not pass unnoticed: the pupil is
// told where it waits, or what it was when it could not be kept either, and
// it stays in the table on the screen.
void frm_Tabulka::Oznam(const Vysledky::Odpoved &odpoved, const QString &subor)
{
    const QString text = Vysledky::Text_odpovede(odpoved, subor, novy_);
    if (!text.isEmpty())
        platform::services().messageBox().Show(text, platform::MessageStyle::OkOnly | platform::MessageStyle::Critical,
                                               QStringLiteral("Chyba"));
    Vysledky::Oznam_najdene(odpoved);
}

void frm_Tabulka::picKonec_Click()
{
    Misc::Zahraj_click();
    if (Nadrazeny_form)
        Nadrazeny_form->Show();
    Misc::Aktualni_formular = Nadrazeny_form;
    Unload();
}

void frm_Tabulka::picKonec_MouseMove(int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek == 4)
        return;
    Misc::Zahraj_enter();
    picKonec->Picture = Obr_back_1;
    Misc::Zvyrazneny_prvek = 4;
}

void frm_Tabulka::Form_MouseMove(int, int, int, int)
{
    if (Misc::Zvyrazneny_prvek == 0)
        return;
    picKonec->Picture = Obr_back_0;
    Misc::Zvyrazneny_prvek = 0;
}

} // namespace Shell
