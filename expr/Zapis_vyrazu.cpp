#include "expr/Zapis_vyrazu.h"

#include "expr/EEvaluator.h"

#include <array>

namespace {

// Where the private maths font keeps its superscripts: the code-page bytes
// 0xC0..0xC9 and 0xAC, read as Windows-1250.
constexpr std::array<char16_t, 10> Cifry_exponentu = {
    u'\u0154', u'\u00C1', u'\u00C2', u'\u0102', u'\u00C4',
    u'\u0139', u'\u0106', u'\u00C7', u'\u010C', u'\u00C9'};
constexpr char16_t Minus_exponentu = u'\u00AC';
constexpr char16_t Bodka_sucinu = u'\u00B7';

bool Je_cifra(QChar c) { return c >= u'0' && c <= u'9'; }

bool Je_premenna(QChar c) { return c == u'x' || c == u'y' || c == u'z'; }

// The exponent of the "^" at index i: the text from two places after the
// "^" to the next ")"; `zatvorka` is the index of that ")", or the length of
// the text when none follows.
struct Exponent {
    QStringView text;
    qsizetype zatvorka;
};

Exponent Najdi_exponent(QStringView s, qsizetype i)
{
    const qsizetype zaciatok = qMin(i + 2, s.size());
    qsizetype koniec = s.indexOf(u')', zaciatok);
    if (koniec < 0)
        koniec = s.size();
    return {s.sliced(zaciatok, koniec - zaciatok), koniec};
}

// The index of the first ")" at or after `od`, or -1.
qsizetype Zatvorka_od(QStringView s, qsizetype od)
{
    return od < s.size() ? s.indexOf(u')', od) : -1;
}

} // namespace

namespace Misc {

QString Preved_na_exponent(QStringView c)
{
    if (c.size() != 1)
        return {};
    if (Je_cifra(c[0]))
        return QChar(Cifry_exponentu[c[0].unicode() - u'0']);
    if (c[0] == u'-')
        return QChar(Minus_exponentu);
    return {};
}

QChar Preved_z_exponentu(QChar glyph)
{
    if (glyph == Minus_exponentu)
        return u'-';
    for (size_t d = 0; d < Cifry_exponentu.size(); ++d)
        if (glyph == Cifry_exponentu[d])
            return QChar(char16_t(u'0' + d));
    return {};
}

} // namespace Misc

namespace {

// Walks s: every power "^(" e ")" goes to `mocnina` whole, every other
// character to `znak`; both append to the result.
template <class Mocnina, class Znak>
QString Prejdi_mocniny(QStringView s, Mocnina mocnina, Znak znak)
{
    QString vysledok;
    vysledok.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'^') {
            const Exponent e = Najdi_exponent(s, i);
            mocnina(vysledok, s.sliced(i, qMin<qsizetype>(2, s.size() - i)), e);
            i = e.zatvorka;
        } else {
            znak(vysledok, s[i]);
        }
    }
    return vysledok;
}

} // namespace

QString Preved_na_zobrazeni(QStringView s)
{
    return Prejdi_mocniny(
        s,
        [](QString &vysledok, QStringView, const Exponent &e) {
            if (e.text != u"1")
                for (qsizetype k = 0; k < e.text.size(); ++k)
                    vysledok += Misc::Preved_na_exponent(e.text.sliced(k, 1));
        },
        [](QString &vysledok, QChar c) {
            vysledok += c == u'*' ? QChar(Bodka_sucinu) : c == u'.' ? QChar(u',') : c;
        });
}

QString Vypocitej_exponenty(QStringView s, cEEvaluator &vypocet)
{
    return Prejdi_mocniny(
        s,
        [&vypocet, &s](QString &vysledok, QStringView hlava, const Exponent &e) {
            // Substituted parameters carry a decimal comma; the compiler reads
            // only a point.
            QString text = e.text.toString();
            text.replace(u',', u'.');
            vysledok += hlava;
            vysledok += vypocet.Vypocitej_vyraz(text, 0, 0, 0);
            if (e.zatvorka < s.size())
                vysledok += u')';
        },
        [](QString &vysledok, QChar c) { vysledok += c == u',' ? QChar(u'.') : c; });
}

QString Uprav_znamenka(QStringView s)
{
    QString vysledok;
    vysledok.reserve(s.size());
    // The first ")" at or after the last place searched from (-1: none,
    // -2: not searched yet): the scan only moves on, so it is searched once.
    qsizetype dalsia_zatvorka = -2;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const bool znamienko = c == u'+' || c == u'-';
        const QChar opacne = c == u'+' ? u'-' : u'+';
        if (znamienko && s.sliced(i + 1).startsWith(u"(-")) {
            vysledok += opacne;
            if (dalsia_zatvorka == -2 || (dalsia_zatvorka >= 0 && dalsia_zatvorka < i + 3))
                dalsia_zatvorka = Zatvorka_od(s, i + 3);
            const qsizetype zatvorka = dalsia_zatvorka;
            if (zatvorka >= 0) {
                vysledok += s.sliced(i + 3, zatvorka - (i + 3));
                i = zatvorka;
            } else {
                i += 2;
            }
        } else if (znamienko && i + 1 < s.size() && s[i + 1] == u'-') {
            vysledok += opacne;
            ++i;
        } else {
            vysledok += c;
        }
    }
    return vysledok;
}

namespace {

// One pass of Zjednodus_zapis.
QString Zjednodus_raz(QStringView s)
{
    QString vysledok;
    vysledok.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        const QChar n = i + 1 < s.size() ? s[i + 1] : QChar();
        if (c == u'(' && i == 0 && n == u'-') {
            // "(-3)·x": the bracket only held the sign of the first number.
            const qsizetype zatvorka = Zatvorka_od(s, i + 1);
            if (zatvorka >= 0) {
                vysledok += s.sliced(i + 1, zatvorka - (i + 1));
                i = zatvorka;
            }
        } else if (c == u'1' && i == 0 && n == u'(') {
            const qsizetype zatvorka = Zatvorka_od(s, i + 2);
            if (zatvorka >= 0) {
                vysledok += s.sliced(i + 2, zatvorka - (i + 2));
                i = zatvorka;
            }
        } else if (c == u'1' && (Je_premenna(n) || n == u'(')) {
            // A factor 1, unless it is the last digit of a number ("21x", "0,1x").
            const QChar p = i > 0 ? s[i - 1] : QChar();
            if (Je_cifra(p) || p == u',')
                vysledok += c;
        } else if (c == u'-' && n == u'1' && i + 2 < s.size() && s[i + 2] == Bodka_sucinu) {
            vysledok += c;
            i += 2;
        } else {
            vysledok += c;
        }
    }
    return vysledok;
}

} // namespace

QString Zjednodus_zapis(QStringView s, bool provest)
{
    if (!provest)
        return s.toString();
    QString vysledok = s.toString();
    for (int priechod = 0; priechod < 3; ++priechod)
        vysledok = Zjednodus_raz(vysledok);
    return vysledok;
}
