#include "exercise/Kalkulacka.h"

#include "expr/EEvaluator.h"
#include "expr/EMessages.h"
#include "expr/EProgram.h"
#include "expr/NumberText.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// What the calculator writes.
constexpr QStringView Chyba = u"Chyba";
constexpr QStringView Nulou_nemozno_delit = u": Nulou nemo\u017Eno delit.";
constexpr QStringView Nema_riesenie = u": V obore realnych cisel nema riesenie.";
constexpr QStringView Prilis_velky = u"1E+300";
constexpr QStringView Prilis_velky_znak = u"\u00B4";

// Signs of the private font that the display may hold.
constexpr char16_t Znak_odmocniny = u'\u00A9';
constexpr QStringView Odmocnina_se_zavorkami = u"\u00A9()";
constexpr char16_t Horni_dvojka = u'\u00C2';

constexpr QStringView Pi_v_displeji = u"3.14";
constexpr QStringView Pi_pro_vyhodnoceni = u" 3.141592654"; // the evaluator skips the blank

bool Je_cast_cisla(QChar c) { return (c >= u'0' && c <= u'9') || c == u'.'; }

// "3.14" stands for pi only as a number of its own, not inside 13.14 or 3.145.
bool Je_pi(QStringView text, qsizetype i)
{
    if (text.mid(i, Pi_v_displeji.size()) != Pi_v_displeji)
        return false;
    const qsizetype za = i + Pi_v_displeji.size();
    const bool konci = za == text.size()
        || !(Je_cast_cisla(text[za]) || text[za] == u'E' || text[za] == u'e');
    return konci && (i == 0 || !Je_cast_cisla(text[i - 1]));
}

// The display text in the evaluator's language: a root sign with the bracket
// group that follows it becomes the group raised to 0.5, the superscript two
// "^2", the number 3.14 pi. Nothing when a root sign has no closed group
// directly behind it.
std::optional<QString> Text_pro_vyhodnoceni(QStringView displej)
{
    QString vyraz;
    vyraz.reserve(displej.size() + 16);
    std::vector<int> odmocniny; // bracket depths at which open root groups close
    int hloubka = 0;
    for (qsizetype i = 0; i < displej.size(); ++i) {
        const QChar c = displej[i];
        if (c == Znak_odmocniny) {
            if (i + 1 == displej.size() || displej[i + 1] != u'(')
                return std::nullopt;
            odmocniny.push_back(++hloubka);
            vyraz += u'(';
            ++i;
        } else if (c == u'(') {
            ++hloubka;
            vyraz += c;
        } else if (c == u')') {
            vyraz += c;
            if (!odmocniny.empty() && odmocniny.back() == hloubka) {
                vyraz += u"^0.5";
                odmocniny.pop_back();
            }
            --hloubka;
        } else if (c == Horni_dvojka) {
            vyraz += u"^2";
        } else if (Je_pi(displej, i)) {
            vyraz += Pi_pro_vyhodnoceni;
            i += Pi_v_displeji.size() - 1;
        } else {
            vyraz += c;
        }
    }
    if (!odmocniny.empty())
        return std::nullopt;
    return vyraz;
}

// "(" counts +1, ")" -1; only the sum matters.
int Soucet_zavorek(QStringView text)
{
    return int(std::count(text.begin(), text.end(), u'(') - std::count(text.begin(), text.end(), u')'));
}

// The value as the pupil would read it, to 3 decimal places with a half
// going to the even neighbour (the default rounding mode).
QString Vysledek_na_tri_mista(double hodnota)
{
    // Through the text first: a half is a half of the digits shown.
    const std::optional<double> precteno = ParseNumber(FormatNumber(hodnota));
    if (!precteno)
        return Chyba.toString();
    double x = *precteno;
    if (std::abs(x) < 1e15) // larger values have no decimals left to round
        x = std::nearbyint(x * 1000) / 1000;
    const QString text = FormatNumber(x);
    return text == Prilis_velky ? Prilis_velky_znak.toString() : text;
}

} // namespace

void Kalkulacka::Prevezmi_displej(const QString &text, int selStart, int selLength)
{
    m_displej = text;
    m_kurzor = std::clamp(selStart, 0, int(text.size()));
    m_vyber = std::clamp(selLength, 0, int(text.size()) - m_kurzor);
}

Zobrazeni_kalkulacky Kalkulacka::Stav(bool vyhodnoceno) const
{
    return {m_displej, m_kurzor, m_paska, vyhodnoceno};
}

// Replaces the selection by `text` and puts the caret `kurzor_v_textu` into
// it. A lone "0" (the result of the last calculation) is dropped first where
// `osamela_nula` says so; the caret then counts from where the text went in.
Zobrazeni_kalkulacky Kalkulacka::Vloz(QStringView text, bool osamela_nula, int kurzor_v_textu)
{
    if (osamela_nula && m_displej == u"0") {
        m_displej.clear();
        m_kurzor = m_vyber = 0;
    }
    m_displej.replace(m_kurzor, m_vyber, text.constData(), text.size());
    m_kurzor += kurzor_v_textu;
    m_vyber = 0;
    return Stav();
}

Zobrazeni_kalkulacky Kalkulacka::Stisk_klavesy(int index)
{
    if (index >= 0 && index <= 9)
        return Cislice(index);
    switch (index) {
    case Carka: return Desatinna_carka();
    case Vymaz: return Vymaz_displej();
    case Deleno: return Deleni();
    case Krat: return Nasobeni();
    case Minus: return Odcitani();
    case Odmocnina: return Vloz_odmocninu();
    case Znamenko: return Zmen_znamenko();
    case Plus: return Scitani();
    case Rovna_se: return Vyhodnot();
    case Leva_zavorka: return Oteviraci_zavorka();
    case Prava_zavorka: return Zaviraci_zavorka();
    default: return Stav();
    }
}

Zobrazeni_kalkulacky Kalkulacka::Cislice(int cislice)
{
    const char16_t znak = char16_t(u'0' + std::clamp(cislice, 0, 9));
    return Vloz(QStringView(&znak, 1), true, 1);
}

Zobrazeni_kalkulacky Kalkulacka::Desatinna_carka() { return Vloz(u",", false, 1); }
Zobrazeni_kalkulacky Kalkulacka::Deleni() { return Vloz(u"/", false, 1); }
Zobrazeni_kalkulacky Kalkulacka::Nasobeni() { return Vloz(u"*", false, 1); }
Zobrazeni_kalkulacky Kalkulacka::Odcitani() { return Vloz(u"-", false, 1); }
Zobrazeni_kalkulacky Kalkulacka::Scitani() { return Vloz(u"+", false, 1); }
Zobrazeni_kalkulacky Kalkulacka::Oteviraci_zavorka() { return Vloz(u"(", true, 1); }
Zobrazeni_kalkulacky Kalkulacka::Zaviraci_zavorka() { return Vloz(u")", true, 1); }

// The root always comes with its brackets; the caret waits between them.
Zobrazeni_kalkulacky Kalkulacka::Vloz_odmocninu() { return Vloz(Odmocnina_se_zavorkami, true, 2); }

Zobrazeni_kalkulacky Kalkulacka::Vymaz_displej()
{
    m_displej.clear();
    m_kurzor = m_vyber = 0;
    return Stav();
}

Zobrazeni_kalkulacky Kalkulacka::Zmen_znamenko()
{
    if (m_displej.startsWith(u'-')) {
        m_displej.remove(0, 1);
        m_kurzor = std::max(m_kurzor - 1, 0);
    } else {
        m_displej.prepend(u'-');
        ++m_kurzor;
    }
    m_vyber = 0;
    return Stav();
}

void Kalkulacka::Pridej_radek(const QString &radek)
{
    if (!m_paska.isEmpty())
        m_paska += u"\r\n";
    m_paska += radek;
}

// The expression goes to the tape as the display shows it just before the
// run (decimal points, brackets completed); the result replaces it, so that
// the calculation can go on from it.
Zobrazeni_kalkulacky Kalkulacka::Vyhodnot()
{
    if (m_displej.isEmpty())
        return Stav();
    m_displej.replace(u',', u'.');
    m_displej.remove(u'=');
    const std::optional<QString> prevedeny = Text_pro_vyhodnoceni(m_displej);
    const int zavorky = Soucet_zavorek(m_displej);
    const QString doplnek(std::abs(zavorky), zavorky > 0 ? u')' : u'(');
    if (zavorky > 0)
        m_displej += doplnek;
    else
        m_displej.prepend(doplnek);
    const QString vyraz = m_displej;
    m_kurzor = int(m_displej.size());
    m_vyber = 0;

    QString vysledek = Chyba.toString();
    if (prevedeny) {
        Misc::Posledni_chyba.clear();
        const EValue v = m_evaluator.Evaluate(zavorky > 0 ? *prevedeny + doplnek : doplnek + *prevedeny, 0, 0, 0);
        const QString &chyba = Misc::Posledni_chyba;
        if (chyba == EMsg::DivisionByZero || chyba == EMsg::InvalidArgument) {
            m_displej.clear();
            m_kurzor = 0;
            Pridej_radek(vyraz + (chyba == EMsg::DivisionByZero ? Nulou_nemozno_delit : Nema_riesenie).toString());
            return Stav(true);
        }
        if (!chyba.isEmpty()) // an overflow: the expression stays for mending
            return Stav(true);
        // Any other failure, a compiler message or a run that left no single
        // value, is an error in the expression, never a result 0.
        if (v.ok())
            vysledek = Vysledek_na_tri_mista(v.value);
    }
    m_displej = vysledek;
    m_kurzor = int(m_displej.size());
    Pridej_radek(vyraz + u'=' + vysledek);
    return Stav(true);
}

Znak_kalkulacky Kalkulacka::Filtruj_znak(char16_t znak)
{
    if (znak == u'\r' || znak == u'=')
        return {true, 0};
    if (znak == u'.')
        znak = u',';
    constexpr std::u16string_view povolene = u"0123456789+-*/,()\b";
    return {false, povolene.find(znak) != povolene.npos ? znak : char16_t(0)};
}
