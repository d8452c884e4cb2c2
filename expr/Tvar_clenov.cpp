#include "expr/Tvar_clenov.h"

#include "expr/ETokenReader.h"
#include "expr/Prevedeni_vstupu.h"
#include "expr/Zapis_vyrazu.h"

#include <QList>
#include <QStringList>
#include <algorithm>

namespace {

constexpr char16_t Bodka_sucinu = u'\u00B7';

bool Je_cifra(QChar c) { return c >= u'0' && c <= u'9'; }

bool Je_exponent(QChar c) { return !Misc::Preved_z_exponentu(c).isNull(); }

bool Je_znamienko(QChar c) { return c == u'+' || c == u'-'; }

// Whether c is one of the characters of `znaky` (a handful, checked often).
template <size_t N> bool Je_z(QChar c, const char16_t (&znaky)[N])
{
    return std::find(znaky, znaky + N - 1, c.unicode()) != znaky + N - 1;
}

// Signs and complements stand before the operand they act on.
bool Je_predpona(QChar c) { return Je_z(c, u"+-~!"); }

// What a pupil may write another way for the same number: "^" and a whole
// number is the superscript, zeros ending a decimal part say nothing ("7,840"
// is 7,84, "5,0" is 5).
QString Jednotny_zapis(QStringView s)
{
    QString vysledok;
    vysledok.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        qsizetype k = i + 1;
        if (c == u'^') {
            const bool minus = k < s.size() && s[k] == u'-';
            k += minus;
            const qsizetype cifry = k;
            while (k < s.size() && Je_cifra(s[k]))
                ++k;
            if (k == cifry) {
                vysledok += c;
                continue;
            }
            for (qsizetype j = i + 1; j < k; ++j)
                vysledok += Misc::Preved_na_exponent(s.sliced(j, 1));
            i = k - 1;
        } else if (c == u',' && i > 0 && Je_cifra(s[i - 1]) && k < s.size() && Je_cifra(s[k])) {
            while (k < s.size() && Je_cifra(s[k]))
                ++k;
            qsizetype koniec = k;
            while (koniec > i + 1 && s[koniec - 1] == u'0')
                --koniec;
            if (koniec > i + 1)
                vysledok += s.sliced(i, koniec - i);
            i = k - 1;
        } else {
            vysledok += c;
        }
    }
    return vysledok;
}

// The line read as the evaluator reads it, level by level, each level put in
// one order where its order does not change the value, and written out
// again. Pieces never leave their level: a term stays in its bracket, a
// factor in its product, an exponent with its base.
class Poradie {
public:
    explicit Poradie(QStringView s) : s(s), par(s.size(), -1)
    {
        QList<qsizetype> otvorene;
        for (qsizetype k = 0; k < s.size(); ++k) {
            if (s[k] == u'(')
                otvorene.append(k);
            else if (s[k] == u')' && !otvorene.isEmpty())
                par[otvorene.takeLast()] = k;
        }
    }
    QString Usporiadane() const { return Porovnanie(0, s.size(), 0); }

private:
    // Deeper than any answer a pupil writes; beyond it the text stays as it is.
    static constexpr int Max_hlbka = 32;

    bool Zatvorka(qsizetype k, qsizetype po) const { return k < po && s[k] == u'(' && par[k] >= 0 && par[k] < po; }

    // The length of the name of a function at k whose bracket closes before po; 0 for none.
    qsizetype Funkcia(qsizetype k, qsizetype po) const
    {
        if (k >= po || !s[k].isLetter())
            return 0;
        const qsizetype n = FunctionNameLength(s.sliced(k, po - k));
        return n > 0 && Zatvorka(k + n, po) ? n : 0;
    }

    // Past the character at k, or past the whole bracket that opens there.
    qsizetype Dalej(qsizetype k, qsizetype po) const { return Zatvorka(k, po) ? par[k] + 1 : k + 1; }

    // Comparisons and bit operations bind more loosely than a sum ("&H"
    // opens a hexadecimal number).
    bool Je_vztah(qsizetype k) const
    {
        if (s[k] == u'&')
            return k + 1 == s.size() || (s[k + 1] != u'H' && s[k + 1] != u'h');
        return Je_z(s[k], u"=<>#|");
    }

    // Whether the sign at k opens a term: not after an operator, where it
    // belongs to the operand, nor in the exponent of a number ("2E+3").
    bool Oddeluje_clen(qsizetype k) const
    {
        const QChar p = s[k - 1];
        if (Je_z(p, u"+-*/:^(\\%~!\u00B7") || Je_vztah(k - 1))
            return false;
        if ((p == u'E' || p == u'e') && k >= 2) {
            const QChar q = s[k - 2], z = Misc::Preved_z_exponentu(q);
            if (Je_cifra(q) || q == u',' || q == u'.' || Je_cifra(z))
                return false;
        }
        return true;
    }

    // Whether a "*" stands in s[od, po) outside its brackets.
    bool Ma_hviezdicku(qsizetype od, qsizetype po) const
    {
        for (qsizetype i = od; i < po; i = Dalej(i, po))
            if (s[i] == u'*')
                return true;
        return false;
    }

    // porovnanie = sucet { vztah sucet }
    QString Porovnanie(qsizetype od, qsizetype po, int hlbka) const
    {
        if (hlbka > Max_hlbka)
            return s.sliced(od, po - od).toString();
        QString vysledok;
        qsizetype zaciatok = od;
        for (qsizetype i = od; i < po;) {
            if (!Je_vztah(i)) {
                i = Dalej(i, po);
                continue;
            }
            qsizetype k = i;
            while (k < po && Je_vztah(k))
                ++k;
            (vysledok += Sucet(zaciatok, i, hlbka)) += s.sliced(i, k - i);
            zaciatok = i = k;
        }
        return vysledok + Sucet(zaciatok, po, hlbka);
    }

    // sucet = clen { ("+" | "-") clen }, the terms in one order
    QString Sucet(qsizetype od, qsizetype po, int hlbka) const
    {
        QStringList cleny;
        qsizetype zaciatok = od;
        for (qsizetype i = od; i < po; i = Dalej(i, po)) {
            if (i > zaciatok && Je_znamienko(s[i]) && Oddeluje_clen(i)) {
                cleny << Clen(zaciatok, i, hlbka);
                zaciatok = i;
            }
        }
        if (po > zaciatok)
            cleny << Clen(zaciatok, po, hlbka);
        cleny.sort();
        // A line break cannot stand in a term: "2E+3" is no "3+2E".
        return cleny.join(u'\n');
    }

    // clen = [ "+" | "-" ] sucin { "*" sucin }, "+" written when no sign
    // stands; the factors after the first in one order, up to one that
    // divides as whole numbers do ("\", "%"), which takes what stands
    // before it as it is.
    QString Clen(qsizetype od, qsizetype po, int hlbka) const
    {
        QChar znamienko = u'+';
        if (Je_znamienko(s[od]))
            znamienko = s[od++];
        if (!Ma_hviezdicku(od, po))
            return znamienko + Sucin(od, po, hlbka);
        QStringList casti;
        qsizetype pevne = -1, zaciatok = od;
        bool celociselne = false;
        for (qsizetype i = od;; i = Dalej(i, po)) {
            if (i == po || s[i] == u'*') {
                if (celociselne && pevne < 0 && !casti.isEmpty())
                    pevne = casti.size();
                casti << Sucin(zaciatok, i, hlbka);
                if (i == po)
                    break;
                zaciatok = i + 1;
                celociselne = false;
            } else if (s[i] == u'\\' || s[i] == u'%') {
                celociselne = true;
            }
        }
        std::sort(casti.begin() + 1, pevne < 0 ? casti.end() : casti.begin() + pevne);
        return znamienko + casti.join(u'*');
    }

    // sucin = cinitel { [ "·" ] cinitel } [ delitel ... ]: up to its first
    // divisor ("/", ":", "\", "%") the factors are put in one order when one
    // of them is a bracket or a function; what lies between them is one
    // factor, "·" beside it dropped. What follows the divisor keeps its order.
    QString Sucin(qsizetype od, qsizetype po, int hlbka) const
    {
        qsizetype lomka = od;
        while (lomka < po && !Je_z(s[lomka], u"/:\\%"))
            lomka = Dalej(lomka, po);
        QStringList cinitele;
        bool zatvorka = false;
        qsizetype beh = od; // where the text between bracketed factors began
        for (qsizetype i = od; i < lomka;) {
            qsizetype n = 0;
            if (!(Zatvorka(i, lomka) || (n = Funkcia(i, lomka)) > 0) || Za_mocninou(beh, i)) {
                i = Dalej(i, lomka);
                continue;
            }
            const qsizetype zaciatok = Zaciatok_cinitela(beh, i);
            Pridaj_beh(cinitele, beh, zaciatok, hlbka);
            const qsizetype koniec = Koniec_exponentov(par[i + n] + 1, lomka);
            cinitele << Prepis(zaciatok, koniec, hlbka);
            zatvorka = true;
            i = beh = koniec;
        }
        if (!zatvorka)
            return Prepis(od, po, hlbka);
        Pridaj_beh(cinitele, beh, lomka, hlbka);
        cinitele.sort();
        // "·" between the factors: juxtaposed numbers would read as one.
        return cinitele.join(Bodka_sucinu) + Prepis(lomka, po, hlbka);
    }

    // A bracket whose "^" (and signs) stands just before it is an exponent.
    bool Za_mocninou(qsizetype od, qsizetype k) const
    {
        while (k > od && Je_predpona(s[k - 1]))
            --k;
        return k > od && s[k - 1] == u'^';
    }

    // cinitel = { "+" | "-" | "~" | "!" } ( "(" porovnanie ")" | funkcia ) { exponent }
    // The signs right after a "·" (or opening the product) act on the bracket at k.
    qsizetype Zaciatok_cinitela(qsizetype od, qsizetype k) const
    {
        qsizetype z = k;
        while (z > od && Je_predpona(s[z - 1]))
            --z;
        return z == od || s[z - 1] == Bodka_sucinu ? z : k;
    }

    // exponent = superscript | "^" { "+" | "-" | "~" | "!" } ( "(" porovnanie ")" | funkcia | name | number )
    qsizetype Koniec_exponentov(qsizetype k, qsizetype po) const
    {
        while (k < po) {
            if (Je_exponent(s[k])) {
                ++k;
                continue;
            }
            if (s[k] != u'^')
                break;
            ++k;
            while (k < po && Je_predpona(s[k]))
                ++k;
            if (qsizetype n = 0; Zatvorka(k, po) || (n = Funkcia(k, po)) > 0)
                k = par[k + n] + 1;
            else
                while (k < po && (s[k].isLetterOrNumber() || s[k] == u',' || s[k] == u'.'))
                    ++k;
        }
        return k;
    }

    // The text between bracketed factors as one factor, without a "·" at its ends.
    void Pridaj_beh(QStringList &cinitele, qsizetype od, qsizetype po, int hlbka) const
    {
        QString beh = Prepis(od, po, hlbka);
        while (beh.startsWith(Bodka_sucinu))
            beh.remove(0, 1);
        while (beh.endsWith(Bodka_sucinu))
            beh.chop(1);
        if (!beh.isEmpty())
            cinitele << beh;
    }

    // s[od, po) in its order, every bracket in it in its normal form.
    QString Prepis(qsizetype od, qsizetype po, int hlbka) const
    {
        QString vysledok;
        vysledok.reserve(po - od);
        for (qsizetype i = od; i < po; ++i) {
            if (Zatvorka(i, po)) {
                vysledok += u'(' + Porovnanie(i + 1, par[i], hlbka + 1) + u')';
                i = par[i];
            } else {
                vysledok += s[i];
            }
        }
        return vysledok;
    }

    QStringView s;
    QList<qsizetype> par; // the ")" that closes the "(" at each index, else -1
};

} // namespace

bool Ma_operand(QStringView riadok)
{
    return std::any_of(riadok.begin(), riadok.end(), [](QChar c) {
        return !c.isSpace() && !Je_z(c, u"+-*/:()\u00B7\u2212");
    });
}

QString Tvar_clenov(QStringView riadok)
{
    if (!Ma_operand(riadok))
        return {};
    const QString jednotny = Jednotny_zapis(Riadok_na_posudenie(riadok));
    return Poradie(jednotny).Usporiadane();
}
